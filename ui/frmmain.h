// The main window: menus, tool bar, the two button columns over the
// background picture, the start and end sequences, and the desktop side of
// the workflow (questions, file dialogs, result windows).
#pragma once

#include "calc/records.h"
#include "diagramswindow.h"
#include "dialogs.h"
#include "frmprofil.h"
#include "loadsdialog.h"
#include "searchdialog.h"
#include "schedulewindow.h"
#include "outputs.h"
#include "reporthost.h"
#include "shell/run.h"
#include "shell/settings.h"
#include "shell/workflow.h"

#include <QLocale>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class QLabel;
class QPushButton;

namespace qeln::ui {

// Where the main window gets its catalogue, project files and settings from.
struct MainOptions {
    // Full path of "qeln.INI"; empty: the per-user configuration folder.
    QString settingsPath;
    // Opens the profile catalogue; nullptr (with the reason in error) when it cannot.
    std::function<std::unique_ptr<ProfileCatalogue>(std::string& error)> openCatalogue;
    // Project file read and write (with the backup); the project file module when empty.
    std::function<std::optional<Failure>(const std::string& path, ColumnInput& in)> loadProject;
    // Settings file read and write; the settings file module when empty.
    std::function<Settings(const QString& path)> readSettings;
    std::function<void(const QString& path, const Settings& v)> writeSettings;
    // Run the first activation (settings, language, disclaimer) when the window
    // is first activated; a refused disclaimer then ends the event loop.
    bool activateOnShow = true;
    // A project file to open once the disclaimer is accepted (an absolute
    // path: the command line's file, resolved where the program was started).
    std::string startProject;
};

// The project file named on the command line (the first argument after the
// program), as an absolute path resolved against the current folder; empty
// when none is given.
std::string startProjectArgument(const QStringList& arguments);

// The settings file in the classic sectioned key-value form; writing gives
// the failure when the file could not be stored.
Settings readSettingsFile(const QString& path);
std::optional<Failure> writeSettingsFile(const QString& path, const Settings& v);
// The default place of the settings file.
QString defaultSettingsPath();

// The display of date-time numbers (shell/datetime.h): the short date and
// long time of the locale (the system's by default, as the listing writes
// them); the time is left out at exactly midnight.
QString dateTimeText(double v, const QLocale& loc = QLocale());

class frmmain : public QMainWindow, public WorkflowHost, public RunPresenter, public ReportHost {
    Q_OBJECT
public:
    explicit frmmain(MainOptions options, QWidget* parent = nullptr);
    ~frmmain() override;

    // False when the catalogue could not be opened (the message has been shown).
    bool catalogueOpen() const { return catalogue_ != nullptr; }
    // The first activation: settings, language, disclaimer. False when the
    // disclaimer was refused (the application then ends).
    bool FormActivate();
    bool disclaimerRefused() const { return refused_; }

    Workflow& workflow() { return wf_; }
    const RunState& runState() const override { return run_; }
    // The four charts of the last valid run, drawn when first asked for
    // after it; not valid when there is none.
    const DiagramPictures& diagrams();

    // Commands.
    void FileNew() { wf_.FileNew(); }
    void FileOpen() { wf_.FileOpen(); }
    void FileOpenRecent(const std::string& path) { wf_.FileOpenRecent(path); }
    // Fills File > Recent projects from the workflow's list (run whenever the File menu opens).
    void updateRecentMenu();
    void FileSave() { wf_.FileSave(); }
    void FileSaveAs() { wf_.FileSaveAs(); }
    void FileExit() { close(); }
    void HelpContents();
    void HelpAbout();
    void btnprojetClick();
    void btnprofilClick();
    void btnarmatClick();
    void btnmaterClick();
    void btngammamatClick();
    void btnflambClick();
    void btnexcentClick();
    void btnloadsClick();
    // "Find section...": the section search; Apply takes the chosen profile and rebars.
    void btnfindsectionClick();
    // "Schedule...": the Schedule window with the project's schedule (not modal).
    void btnscheduleClick();
    void btnresultClick() { wf_.resultCommand(ResultWindow::Results); }
    void btndetailClick() { wf_.resultCommand(ResultWindow::Details); }
    void btngrafikClick() { wf_.resultCommand(ResultWindow::Graphic); }
    void btndiagramsClick() { wf_.resultCommand(ResultWindow::Diagrams); }
    void mitEnglishClick() { switchLanguage(Language::English); }
    void mitFrenchClick() { switchLanguage(Language::French); }
    void mitGermanClick() { switchLanguage(Language::German); }
    // Options > Design code for new projects.
    void setNewProjectCode(DesignCode code);
    // Assigns every caption, hint, item and message of all windows.
    void SetLanguage();
    // Profilsuchen: find a profile by its exact name; shows texts 1148/1149 when missing.
    bool Profilsuchen(const std::string& name);

    // The windows, created once.
    frmwarn* warnWindow;
    frmprintmet* printMethod;
    frmprofil* profilDialog;
    frmprojet* projetDialog;
    frmarmat* armatDialog;
    frmmater* materDialog;
    frmflamb* flambDialog;
    frmexcent* excentDialog;
    frmresult* resultWindow;
    frmdetail* detailWindow;
    frmgrafik* grafikWindow;
    AboutBox* aboutBox;
    frmgamat* gamatDialog;
    frmloads* loadsDialog;
    frmsearch* searchDialog;
    frmschedule* scheduleWindow = nullptr;
    frmdiagrams* diagramsWindow;   // not modal: stays open beside the main window

    // WorkflowHost
    std::string text(int id) override;
    Answer ask(const std::string& text, Question buttons) override;
    void tell(const std::string& text) override;
    std::optional<std::string> chooseOpenFile() override;
    std::optional<std::string> chooseSaveFile(const std::string& preset) override;
    bool fileExists(const std::string& path) override;
    double now() override;
    bool lookupProfile(ColumnInput& in) override;
    std::optional<Failure> loadProject(const std::string& path, ColumnInput& in) override;
    std::optional<Failure> saveProject(const std::string& path, const ColumnInput& in) override;
    bool calculate(const ColumnInput& in) override;
    void showResultWindow(ResultWindow w) override;
    void resultsDiscarded() override;
    void setCaption(const std::string& caption) override;
    void bringToFront() override;

    // RunPresenter
    void setBusy(bool busy) override;
    void showWarningsAndErrors(const ColumnResults& res) override;
    void showResults(const RunState& st) override;

protected:
    // The printed report (filled by the report module).
    virtual void FilePrint();
    virtual void FilePrintSetup();
    virtual void FileExportPdf();
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // ReportHost
    QWidget* reportWindow() override { return this; }
    std::optional<ReportMethod> chooseReportMethod() override;
    bool ensureResults() override { return wf_.ensureResults(); }
    const ColumnInput& reportInput() override { return wf_.input; }
    const std::string& reportFileName() override { return wf_.fileName; }
    void setPrinting(bool printing) override;

    void buildMenus();
    void buildPanel();
    void switchLanguage(Language language);
    // Accelerators on the ten buttons, none shared with each other or the menu bar.
    void setButtonAccelerators();
    QWidget* windowNamed(const QString& name);
    std::vector<SearchProfile> catalogueProfiles() const;
    // The Schedule window follows the project when it is open.
    void refreshScheduleWindow();
    // The status line: the current design and the verdict of its last run.
    void updateStatusLine();
    // The label beside the results naming the project's design code, and the
    // check mark on the code of new projects in the Options menu.
    void updateCodeLabel();
    template <class Dialog>
    void editWith(Dialog* dlg);

    MainOptions options_;
    Workflow wf_;
    RunState run_;
    // the input of the last valid run and its charts, once drawn
    std::optional<ColumnInput> diagramsInput_;
    std::optional<DiagramPictures> diagrams_;
    std::unique_ptr<ProfileCatalogue> catalogue_;
    QString settingsPath_;
    bool firstActivation_ = true;
    bool refused_ = false;
    bool busy_ = false;
    std::string disclaimerAccepted_;   // the version line the disclaimer was accepted for
    QLabel* codeLabel_ = nullptr;      // "lblcode": the project's design code beside the results
};

} // namespace qeln::ui
