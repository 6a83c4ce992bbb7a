// "Find section": the section search of the open project. The dialog is
// filled with the project and the catalogue's profiles, runs the search off
// the GUI thread (progress bar, its own cancel), lists the passing
// candidates in a sortable table and returns the one chosen; the main
// window takes it into the project. Cancel changes nothing.
#pragma once

#include "calc/records.h"
#include "shell/search.h"
#include "numedit.h"
#include "widgets.h"

#include <atomic>
#include <map>
#include <string>
#include <optional>
#include <thread>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTableWidget;

namespace qeln::ui {

class frmsearch : public TDialog {
    Q_OBJECT
public:
    explicit frmsearch(QWidget* parent = nullptr);
    ~frmsearch() override;

    // The project whose loads and other inputs the search takes, and the
    // catalogue's profiles in display order. Clears the last result.
    void fill(const ColumnInput& in, std::vector<SearchProfile> profiles);
    // The candidate selected when the dialog was closed with Apply.
    std::optional<SearchCandidate> chosen() const;

    // Starts the search with the constraints of the fields (a problem is
    // shown in the status line instead). The result arrives through the event loop.
    void startSearch();
    // Stops a running search; its partial result is dropped.
    void stopSearch();
    bool running() const { return worker_.joinable(); }
    // The outcome of the last search that ran to its end.
    const std::optional<SearchOutcome>& outcome() const { return outcome_; }
    // The constraints as the fields give them; nullopt (the problem's text
    // in `problem`) when a field cannot be read.
    std::optional<SearchConstraints> constraints(QString& problem) const;
    // The limit fields as texts by key (families, maxh, maxb, diameters,
    // layouts), kept in the settings between starts; a key missing or
    // unreadable leaves its field as it is.
    std::map<std::string, std::string> limitsText() const;
    void setLimitsText(const std::map<std::string, std::string>& keys);

    std::vector<QCheckBox*> chkfamilies;
    TNumEdit *nedmaxh, *nedmaxb;
    // the target utilisation, the ranking and its unit prices (kept in the settings)
    TNumEdit* nedtarget;
    QComboBox* cmbrank;
    TNumEdit *nedpricesteel, *nedpricerebars, *nedpriceconcrete;
    QLineEdit *eddiameters, *edlayouts;
    QLabel *lblloadvalues, *lblstatus, *lblcount;
    QPushButton *btnsearch, *btnstop;
    QProgressBar* prgsearch;
    QTableWidget* grdcandidates;

signals:
    // The search ran to its end (or was stopped) and the table shows its result.
    void searchFinished();

protected:
    bool closeCheck(bool withOk) override;
    // Enter in a limit field starts the search (Apply is for a chosen line).
    void keyPressEvent(QKeyEvent* e) override;
    QWidget* firstFocus() const override { return btnsearch; }

private:
    void finished(SearchOutcome result, unsigned generation);
    void showOutcome();
    void joinWorker();
    void updateButtons();

    ColumnInput base_;
    std::vector<SearchProfile> profiles_;
    std::optional<SearchOutcome> outcome_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    unsigned generation_ = 0;
};

} // namespace qeln::ui
