// The main window's state and commands without the windows: the open project,
// its file name, the flags projectChanged and resultsStale, the file commands,
// the result commands and the close query. The desktop program supplies the
// questions, file dialogs and windows through WorkflowHost; tests supply a fake.
#pragma once

#include "calc/records.h"
#include "recentfiles.h"
#include "schedule.h"

#include "platform/failure.h"

#include <optional>
#include <string>

namespace qeln {

enum class Answer { Ok, Cancel, Yes, No };
// SaveDiscardCancel answers Yes for Save and No for Discard.
enum class Question { OkCancel, YesNoCancel, SaveDiscardCancel };
enum class ResultWindow { Results, Details, Graphic, Diagrams };

// Whether the workflow reports a failed load itself (a file it cannot open,
// or of another version); the host has reported any other.
inline bool reportedByWorkflow(const Failure& f)
{
    return f.code == FailureCode::cannotOpen || f.code == FailureCode::wrongVersion;
}

class WorkflowHost {
public:
    virtual ~WorkflowHost() = default;
    // A catalogue text in the current language.
    virtual std::string text(int id) = 0;
    // A question in a warning box (texts 512, 513, 517).
    virtual Answer ask(const std::string& text, Question buttons) = 0;
    // A failure in a plain box with one OK button (texts 514, 515, 516).
    virtual void tell(const std::string& text) = 0;
    // Open and save dialogs (filter "QELN-Column-File|*.qln|*.*|*.*", extension qln);
    // nothing when cancelled.
    virtual std::optional<std::string> chooseOpenFile() = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& preset) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // The current date and time as a date-time number.
    virtual double now() = 0;
    // Looks profileName up in the catalogue and copies the section values
    // (Profilsuchen; a name not found has already been reported when false).
    virtual bool lookupProfile(ColumnInput& in) = 0;
    // The project file, read into `in` only on success. The workflow reports
    // a file that cannot be opened (cannotOpen) or is of another version
    // (wrongVersion); the host has reported any other failure, a file that
    // broke off after its version line, with the line.
    virtual std::optional<Failure> loadProject(const std::string& path, ColumnInput& in) = 0;
    // Writes keeping a backup. The failure's text (516 "Error during Writing
    // of File", 1174 for a comment too long to be saved) and its description
    // (the file and the system's explanation) go into the box.
    virtual std::optional<Failure> saveProject(const std::string& path, const ColumnInput& in) = 0;
    // The calculate command: checks, run, presentation; true when the results are valid.
    virtual bool calculate(const ColumnInput& in) = 0;
    // Shows a result window with the results of the last run.
    virtual void showResultWindow(ResultWindow w) = 0;
    // The results of the last run no longer belong to the project (an input
    // changed, a new or another project, a run that failed): a window that
    // stays open with them shows them no more.
    virtual void resultsDiscarded() {}
    // The window caption.
    virtual void setCaption(const std::string& caption) = 0;
    // Before the close question: window visible, in front, pending events processed.
    virtual void bringToFront() {}
};

class Workflow {
public:
    explicit Workflow(WorkflowHost& host) : host_(host) {}

    ColumnInput input;
    std::string fileName;
    bool projectChanged = false;
    bool resultsStale = true;
    Language language = Language::English;
    std::string enterpriseDefault;
    std::string userDefault;
    bool printing = false;   // a report is being produced; blocks closing
    RecentFiles recent;      // projects opened or saved, most recent first
    Schedule schedule;       // the column schedule, edited in the Schedule window
    // The design code File > New gives a project, with the partial factors
    // that code recommends (Options; EN 1994 unless the settings say otherwise).
    DesignCode newProjectCode = DesignCode::EN1994;

    // Resets the whole project to its defaults (file name, project data, profile, values).
    void VarInitialisieren();
    // An input dialog was confirmed.
    void haschanged();
    // The language was switched: the results are run again in it; the
    // project itself is unchanged.
    void languageChanged();
    // Window caption := the file's name (text 1475 "Untitled" before the
    // first save), an asterisk while the project has unsaved changes, then
    // " — " and the title.
    void updatetitle();
    // The project's name in questions: the file's name, or "Untitled".
    std::string projectLabel() const;
    std::string caption() const { return caption_; }

    // First activation: the values read from the settings file.
    void applySettings(Language settingsLanguage, const std::string& enterprise, const std::string& user);
    // The design code of new projects, from the settings or Options. The
    // project opened at start, not yet changed nor saved, is a new project
    // too and goes under the code at once.
    void setNewProjectCode(DesignCode code);
    // A confirmed input dialog: its values become the project's, then haschanged.
    void acceptInput(const ColumnInput& edited);

    void FileNew();
    void FileOpen();
    // Opens a project of the recent list, asking first as Open does; a file
    // that cannot be opened any more leaves the list.
    void FileOpenRecent(const std::string& path);
    // Reads a project file into the project (FileOpen after its dialog, and a
    // file given on the command line). A file that cannot be read gives the
    // usual message and leaves the project as it was; false then.
    bool openProject(const std::string& path);
    void FileSave();
    void FileSaveAs();
    // A row of the schedule becomes the current project, a new one without a
    // file name and without a schedule. The question names the row and what
    // is closed (the project and its schedule's rows); with unsaved changes
    // it offers Save, Discard and Cancel, else OK and Cancel. False when the
    // user cancelled (or the save did not happen).
    bool openScheduleRow(const ColumnInput& row, const std::string& rowName);
    // True when the main window may close.
    bool FormCloseQuery();

    // btnresultClick, btndetailClick, btngrafikClick, btndiagramsClick.
    void resultCommand(ResultWindow w);
    // Runs the design when the results are stale; true when valid results exist.
    bool ensureResults();

private:
    // Open's question about unsaved changes; false when the command ends.
    bool mayReplaceProject();
    // What closing the project closes: text 1472 or 1473 with its name and rows.
    std::string closingText();
    // The results become stale and the host drops what it shows of them.
    void discardResults();
    // fromRecent: an entry of the recent projects, which goes when the file cannot be opened.
    // The failure, if the project could not be read.
    std::optional<Failure> openPath(const std::string& path, bool fromRecent = false);
    // Writes the project to fileName; false (reported) when it cannot.
    bool writeFile();

    WorkflowHost& host_;
    std::string caption_;
};

} // namespace qeln
