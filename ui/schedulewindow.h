// "Schedule": every column position of a building in one table. The window
// is filled with the project (the base of every row), the catalogue's
// profiles and the project's schedule; it edits the table, runs all rows off
// the GUI thread (progress bar, Cancel), shows each row's results and the
// summary, and exports CSV, XLSX and the PDF report. The headings are words
// with units in the user's language (the field names of the CSV files in
// their tool tips). A double click edits a cell; Ctrl+C and "Copy table"
// give the cells with their headings as tab-separated text, results
// included. It tells the main window through signals: the edited table (to
// keep in the project) and a row to open as the current project (the
// command "Open row as project...").
#pragma once

#include "calc/records.h"
#include "shell/schedule.h"
#include "shell/scheduleedit.h"
#include "shell/search.h"

#include <QDialog>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace qeln::ui {

class frmschedule : public QDialog {
    Q_OBJECT
public:
    explicit frmschedule(QWidget* parent = nullptr);
    ~frmschedule() override;

    // The base project, the catalogue's profiles and the schedule. A run in
    // progress is stopped; the results are dropped.
    void fill(const ColumnInput& base, std::vector<SearchProfile> profiles, const Schedule& grid);
    // The project's file (empty before the first save): export dialogs offer its name.
    void setProjectFile(const QString& path) { projectFile_ = path; }
    const Schedule& grid() const { return grid_; }
    const ColumnInput& base() const { return base_; }
    // The results of the last run of this table; none after an edit.
    const std::optional<ScheduleOutcome>& outcome() const { return outcome_; }
    // Captions in the current language.
    void setLanguage();

    // Commands (the buttons; the file commands also take a path directly).
    void addRow();
    void deleteSelectedRows();
    // Duplicates the selected rows after the last of them.
    void copySelectedRows();
    // The selected range (rows and columns the selection touches), or the
    // whole table, as tab-separated text with its headings, on the clipboard.
    void copySelection();
    void copyTable();
    QString selectionText() const;
    QString tableText() const;
    // Asks the main window to open the current row as the project.
    void openCurrentRow();
    // Writes the sections the last run's search found into the rows' cells.
    void takeFoundSections();
    void pasteClipboard();
    // Pastes tab-separated text at the current cell.
    void pasteText(const QString& text);
    // Adds the column named in the field box; false (told in the status line) when it cannot.
    bool addColumnNamed(const QString& field);
    bool importCsv(const QString& path);
    bool exportCsv(const QString& path);
    bool exportXlsx(const QString& path);
    // Runs the rows again with the full listing for the report; false (told) when the file cannot be written.
    bool exportPdf(const QString& path);

    // Opens "Search limits" on the schedule's limits; OK keeps the limits given.
    void editLimits();
    // The schedule's search limits (kept in the project, used by Run all).
    void setLimits(const SearchConstraints& c);

    void runAll();
    void cancelRun();
    bool running() const { return worker_.joinable(); }

    QTableWidget* grdschedule;
    QPushButton *btnaddrow, *btndeleterows, *btncopyrows, *btnpaste, *btnaddcolumn, *btnopenrow, *btntakesections;
    QComboBox* cbocolumn;
    QPushButton *btnimportcsv, *btnexportcsv, *btnexportxlsx, *btnexportpdf;
    QPushButton *btnrun, *btncancel, *btnclose, *btnlimits;
    QCheckBox* chksearchall;
    QAction *actcopy, *actcopytable, *actpaste, *actopenrow;   // the table's context menu
    QProgressBar* prgrun;
    QLabel *lblsummary, *lblstatus, *lbladdcolumn, *lbllimits;

signals:
    // The table was edited (the main window keeps it in the project).
    void gridEdited();
    // "Open row as project...": the row's input (the search's section when the last run chose one).
    void openRowRequested(const ColumnInput& in, const QString& name);
    // A run ended: finished or cancelled.
    void runEnded();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void showGrid();
    void showResults();
    void showLimits();
    void cellChanged(QTableWidgetItem* item);
    // The lines of the cells of these rows and columns, the headings first.
    QString cellsText(const std::vector<int>& rows, const std::vector<int>& columns) const;
    // A cell's problem in the user's language ("" for a good cell).
    QString cellProblem(std::size_t field, const QString& text) const;
    void setAccelerators();
    void edited(bool structure);
    void finished(ScheduleOutcome result, unsigned generation);
    // Runs the table when it has no results yet and waits; false when cancelled.
    bool ensureOutcome();
    void updateButtons();
    std::vector<std::size_t> selectedRows() const;
    // title: the command's caption; suggested: the file name offered.
    QString chooseFile(bool save, const QString& filter, const QString& suffix, const QString& title,
                       const QString& suggested = {});
    QString suggestedName(const QString& suffix) const;
    void tellFailure(int textId, const QString& path, const std::string& reason);
    // "Saved as ..." in the status line after an export.
    void tellWritten(const QString& path);
    // The status line: a problem in red, else in the window's colour.
    void showStatus(const QString& text, bool problem = true);

    QString projectFile_;   // the project's file, for the names the export dialogs offer
    ColumnInput base_;
    ProfileIndex profiles_;
    Schedule grid_;
    std::optional<ScheduleOutcome> outcome_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    unsigned generation_ = 0;
    bool filling_ = false;
};

} // namespace qeln::ui
