// The main window's state table and file commands, driven through a fake host
// that answers the questions and dialogs and records what was shown.
#include "shell/workflow.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <type_traits>

namespace qeln {
namespace {

struct FakeHost : WorkflowHost {
    std::deque<Answer> answers;                      // next answers to questions
    std::deque<std::optional<std::string>> openPaths, savePaths;
    std::map<std::string, ColumnInput> files;        // the "disk"
    std::map<std::string, FailureCode> badFiles;
    std::vector<std::string> failSave;               // paths that cannot be written
    std::vector<std::string> asked, told;
    std::vector<ResultWindow> shown;
    int runs = 0;
    bool runSucceeds = true;
    double clock = 100.0;
    std::string caption;

    std::string text(int id) override
    {
        // the texts with arguments keep them, so that a test sees what was put in
        if (id == 1471)
            return "T1471(%1)";
        if (id == 1472)
            return "T1472(%1, %2)";
        return std::string("T").append(std::to_string(id));
    }
    std::vector<Question> kinds;
    Answer ask(const std::string& t, Question q) override
    {
        asked.push_back(t);
        kinds.push_back(q);
        return pop(answers, Answer::Cancel);
    }
    void tell(const std::string& t) override { told.push_back(t); }
    std::optional<std::string> chooseOpenFile() override { return pop(openPaths, std::nullopt); }
    std::optional<std::string> chooseSaveFile(const std::string&) override { return pop(savePaths, std::nullopt); }
    bool fileExists(const std::string& p) override { return files.count(p) > 0; }
    double now() override { return clock += 1; }
    bool lookupProfile(ColumnInput& in) override
    {
        in.h = in.profileName == "HE 320 A" ? 310 : 999;
        return true;
    }
    std::optional<Failure> loadProject(const std::string& p, ColumnInput& in) override
    {
        if (badFiles.count(p))
            return Failure(badFiles[p], 0, p, "");
        if (!files.count(p))
            return Failure(FailureCode::cannotOpen, 514, p, "");
        in = files[p];
        return std::nullopt;
    }
    std::optional<Failure> saveProject(const std::string& p, const ColumnInput& in) override
    {
        for (const auto& f : failSave)
            if (f == p)
                return Failure(FailureCode::writeFailed, 516, p, "the file is read-only");
        files[p] = in;
        return std::nullopt;
    }
    bool calculate(const ColumnInput&) override
    {
        ++runs;
        return runSucceeds;
    }
    void showResultWindow(ResultWindow w) override { shown.push_back(w); }
    int discarded = 0;
    void resultsDiscarded() override { ++discarded; }
    void setCaption(const std::string& c) override { caption = c; }

    // The next of the prepared answers; `none` when they are used up.
    template <class T>
    static T pop(std::deque<T>& q, std::type_identity_t<T> none)
    {
        if (q.empty())
            return none;
        T v = q.front();
        q.pop_front();
        return v;
    }
};

struct WorkflowTest : ::testing::Test {
    FakeHost host;
    Workflow wf{host};
    void SetUp() override
    {
        wf.VarInitialisieren();
        wf.updatetitle();
    }
    void change()
    {
        ColumnInput in = wf.input;
        in.d = 25;
        wf.acceptInput(in);
    }
};

TEST_F(WorkflowTest, StartsUnchangedStaleAndWithoutName)
{
    EXPECT_FALSE(wf.projectChanged);
    EXPECT_TRUE(wf.resultsStale);
    EXPECT_EQ(wf.fileName, "");
    EXPECT_EQ(wf.input.profileName, "HE 320 A");
    EXPECT_EQ(host.caption, "T1475 \u2014 T1");   // "Untitled"
}

TEST_F(WorkflowTest, AcceptedInputSetsBothFlagsAndStampsTheDate)
{
    wf.resultsStale = false;
    const double before = wf.input.lastUpdated;
    change();
    EXPECT_TRUE(wf.projectChanged);
    EXPECT_TRUE(wf.resultsStale);
    EXPECT_GT(wf.input.lastUpdated, before);
    EXPECT_EQ(wf.input.d, 25);
}

TEST_F(WorkflowTest, SettingsSeedNewProjectsCutTo60Characters)
{
    wf.applySettings(Language::German, std::string(70, 'E'), "Anna");
    EXPECT_EQ(wf.input.office.size(), 60u);
    EXPECT_EQ(wf.input.author, "Anna");
    wf.FileNew();
    EXPECT_EQ(wf.input.office.size(), 60u);
    EXPECT_EQ(wf.language, Language::German);
}

TEST_F(WorkflowTest, ResultsTwiceRunsOnceAndASaveKeepsThemFresh)
{
    wf.resultCommand(ResultWindow::Results);
    wf.resultCommand(ResultWindow::Results);
    EXPECT_EQ(host.runs, 1);
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_FALSE(wf.resultsStale);
    wf.fileName = "/p/a.qln";
    wf.FileSave();
    EXPECT_FALSE(wf.resultsStale);
    change();
    wf.resultCommand(ResultWindow::Graphic);
    EXPECT_EQ(host.runs, 2);
}

TEST_F(WorkflowTest, RunWithErrorsShowsNothingAndRecalculatesNextTime)
{
    host.runSucceeds = false;
    wf.resultCommand(ResultWindow::Details);
    EXPECT_TRUE(host.shown.empty());
    EXPECT_TRUE(wf.resultsStale);
    wf.resultCommand(ResultWindow::Details);
    EXPECT_EQ(host.runs, 2);
}

// A window that stays open with the last results (the diagrams) is told to
// drop them whenever they stop belonging to the project, and only then.
TEST_F(WorkflowTest, ResultsAreDiscardedWhenTheyNoLongerBelongToTheProject)
{
    wf.resultCommand(ResultWindow::Diagrams);
    ASSERT_EQ(host.shown, std::vector<ResultWindow>{ResultWindow::Diagrams});
    EXPECT_EQ(host.discarded, 0);
    wf.resultCommand(ResultWindow::Diagrams);   // valid results: nothing dropped
    EXPECT_EQ(host.discarded, 0);

    change();
    EXPECT_EQ(host.discarded, 1);
    host.runSucceeds = false;
    wf.resultCommand(ResultWindow::Diagrams);
    EXPECT_EQ(host.discarded, 2);
    EXPECT_EQ(host.shown.size(), 2u);

    host.runSucceeds = true;
    wf.resultCommand(ResultWindow::Diagrams);
    host.answers = {Answer::Cancel};
    wf.FileNew();   // refused: the project and its results stay
    EXPECT_EQ(host.discarded, 2);
    EXPECT_FALSE(wf.resultsStale);
    host.answers = {Answer::Ok};
    wf.FileNew();
    EXPECT_EQ(host.discarded, 3);

    wf.resultCommand(ResultWindow::Diagrams);
    host.files["b.qln"] = wf.input;
    host.openPaths = {std::string("b.qln")};
    host.answers = {Answer::No};   // the new project is not saved
    wf.FileOpen();
    EXPECT_EQ(host.discarded, 4);
    host.openPaths = {std::string("missing.qln")};
    wf.FileOpen();   // nothing read: nothing changes
    EXPECT_EQ(host.discarded, 4);
}

TEST_F(WorkflowTest, NewAsksWhenChangedAndCancelKeepsTheProject)
{
    change();
    wf.fileName = "a.qln";
    host.answers = {Answer::Cancel};
    wf.FileNew();
    EXPECT_EQ(host.asked.back(), "T512");
    EXPECT_EQ(wf.input.d, 25);
    EXPECT_EQ(wf.fileName, "a.qln");
    host.answers = {Answer::Ok};
    wf.FileNew();
    EXPECT_EQ(wf.input.d, 20);
    EXPECT_EQ(wf.fileName, "");
    EXPECT_TRUE(wf.resultsStale);
    EXPECT_TRUE(wf.projectChanged);   // New leaves the flag as it was
}

TEST_F(WorkflowTest, OpenSucceedsClearsChangedAndShowsThePath)
{
    ColumnInput other;
    other.projectName = "Tower";
    host.files["/p/tower.qln"] = other;
    host.openPaths = {std::string("/p/tower.qln")};
    wf.resultsStale = false;
    wf.FileOpen();
    EXPECT_EQ(wf.input.projectName, "Tower");
    EXPECT_EQ(wf.fileName, "/p/tower.qln");
    EXPECT_FALSE(wf.projectChanged);
    EXPECT_TRUE(wf.resultsStale);
    EXPECT_EQ(host.caption, "tower.qln \u2014 T1");
}

TEST_F(WorkflowTest, OpenOfWrongVersionKeepsProjectAndName)
{
    change();
    wf.fileName = "/p/mine.qln";
    host.answers = {Answer::No};
    host.badFiles["/p/old.qln"] = FailureCode::wrongVersion;
    host.openPaths = {std::string("/p/old.qln")};
    wf.FileOpen();
    EXPECT_EQ(host.told.back(), "T515\n/p/old.qln");
    EXPECT_EQ(wf.fileName, "/p/mine.qln");
    EXPECT_EQ(wf.input.d, 25);
    EXPECT_TRUE(wf.projectChanged);
    host.openPaths = {std::string("/p/none.qln")};
    host.answers = {Answer::No};
    wf.FileOpen();
    EXPECT_EQ(host.told.back(), "T514\n/p/none.qln");   // the file named
}

TEST_F(WorkflowTest, OpenOfBrokenFileKeepsProjectWithoutSecondMessage)
{
    host.badFiles["/p/cut.qln"] = FailureCode::malformed;   // the host reported where it broke off
    host.openPaths = {std::string("/p/cut.qln")};
    wf.FileOpen();
    EXPECT_TRUE(host.told.empty());
    EXPECT_EQ(wf.fileName, "");
    EXPECT_EQ(wf.input.d, 20);
}

TEST_F(WorkflowTest, OpenWithYesSavesFirstAndStopsWhenSaveIsCancelled)
{
    change();
    host.answers = {Answer::Yes};
    host.savePaths = {std::nullopt};   // the save dialog is cancelled
    host.openPaths = {std::string("/p/x.qln")};
    wf.FileOpen();
    EXPECT_TRUE(wf.projectChanged);
    EXPECT_EQ(host.openPaths.size(), 1u);   // the open dialog never came
}

TEST_F(WorkflowTest, SaveAsOverExistingFileAsksAndCancelKeepsName)
{
    host.files["/p/old.qln"] = ColumnInput{};
    change();
    host.savePaths = {std::string("/p/old.qln")};
    host.answers = {Answer::Cancel};
    wf.FileSaveAs();
    EXPECT_EQ(host.asked.back(), "T517");
    EXPECT_EQ(wf.fileName, "");
    EXPECT_TRUE(wf.projectChanged);
}

TEST_F(WorkflowTest, FailedWriteReportsAndStaysChanged)
{
    change();
    wf.fileName = "/ro/x.qln";
    host.failSave = {"/ro/x.qln"};
    wf.FileSave();
    // the box gives the reason, as the command line does
    EXPECT_EQ(host.told.back(), "T516\n\n/ro/x.qln: the file is read-only");
    EXPECT_TRUE(wf.projectChanged);
}

TEST_F(WorkflowTest, CloseQueryPaths)
{
    EXPECT_TRUE(wf.FormCloseQuery());   // unchanged: no question
    EXPECT_TRUE(host.asked.empty());
    change();
    host.savePaths = {std::nullopt};
    wf.FileSave();   // the save dialog cancelled: still changed, so closing asks
    EXPECT_TRUE(wf.projectChanged);
    host.answers = {Answer::No};
    EXPECT_TRUE(wf.FormCloseQuery());
    EXPECT_EQ(host.asked.back(), "T1473 T1474\n\nT513");   // what closes, then the question
    host.answers = {Answer::Cancel};
    EXPECT_FALSE(wf.FormCloseQuery());
    host.answers = {Answer::Yes};
    host.savePaths = {std::nullopt};
    EXPECT_FALSE(wf.FormCloseQuery());   // Yes, then the save dialog cancelled
    host.answers = {Answer::Yes};
    host.savePaths = {std::string("/p/keep.qln")};
    EXPECT_TRUE(wf.FormCloseQuery());
    EXPECT_FALSE(wf.projectChanged);
    // while printing nothing closes, and nothing is asked
    const std::size_t questions = host.asked.size();
    wf.printing = true;
    EXPECT_FALSE(wf.FormCloseQuery());
    EXPECT_EQ(host.asked.size(), questions);
}

TEST_F(WorkflowTest, SaveWithoutNameIsSaveAsAndTheCaptionMarksUnsavedChanges)
{
    change();
    EXPECT_EQ(host.caption, "T1475 * \u2014 T1");
    host.savePaths = {std::string("/p/new.qln")};
    wf.FileSave();
    EXPECT_EQ(wf.fileName, "/p/new.qln");
    EXPECT_FALSE(wf.projectChanged);
    EXPECT_EQ(host.files["/p/new.qln"].d, 25);
    EXPECT_EQ(host.caption, "new.qln \u2014 T1");
    change();
    EXPECT_EQ(host.caption, "new.qln * \u2014 T1");
    host.answers = {Answer::No};
    host.openPaths = {std::string("/p/new.qln")};
    wf.FileOpen();
    EXPECT_EQ(host.caption, "new.qln \u2014 T1");
}

TEST_F(WorkflowTest, RecentProjectsCollectOpenedAndSavedFiles)
{
    host.files["/p/a.qln"] = ColumnInput{};
    host.openPaths = {std::string("/p/a.qln"), std::string("/p/gone.qln")};
    wf.FileOpen();
    wf.FileOpen();   // cannot be opened: not listed
    change();
    host.savePaths = {std::string("/p/b.qln")};
    wf.FileSaveAs();
    EXPECT_EQ(wf.recent.paths(), (std::vector<std::string>{"/p/b.qln", "/p/a.qln"}));
    host.failSave = {"/p/c.qln"};
    host.savePaths = {std::string("/p/c.qln")};
    wf.FileSaveAs();   // the write fails: not listed
    EXPECT_EQ(wf.recent.paths().size(), 2u);
}

TEST_F(WorkflowTest, OpeningARecentProjectAsksFirstAndForgetsAVanishedFile)
{
    ColumnInput tower;
    tower.projectName = "Tower";
    host.files["/p/tower.qln"] = tower;
    wf.recent = RecentFiles({"/p/gone.qln", "/p/tower.qln"});
    change();
    host.answers = {Answer::Cancel};
    wf.FileOpenRecent("/p/tower.qln");
    EXPECT_EQ(host.asked.back(), "T1473 T1474\n\nT513");
    EXPECT_EQ(wf.fileName, "");
    host.answers = {Answer::No};
    wf.FileOpenRecent("/p/tower.qln");
    EXPECT_EQ(wf.input.projectName, "Tower");
    EXPECT_EQ(wf.fileName, "/p/tower.qln");
    EXPECT_FALSE(wf.projectChanged);
    wf.FileOpenRecent("/p/gone.qln");
    EXPECT_EQ(host.told.back(), "T514\n/p/gone.qln\n\nT1477");   // and that the entry goes
    EXPECT_EQ(wf.fileName, "/p/tower.qln");
    EXPECT_EQ(wf.recent.paths(), (std::vector<std::string>{"/p/tower.qln"}));
}

// A row of the schedule opened as the project: a named command whose
// question says what closes; an unsaved schedule is dropped only on Discard.
TEST_F(WorkflowTest, OpeningAScheduleRowSaysWhatClosesAndOffersSave)
{
    ColumnInput row = wf.input;
    row.profileName = "HE 300 B";
    wf.schedule.rows.resize(40);
    change();
    host.answers = {Answer::Cancel};
    EXPECT_FALSE(wf.openScheduleRow(row, "B1 A2"));
    EXPECT_EQ(host.asked.back(), "T1471(B1 A2)\n\nT1472(T1475, 40) T1474");
    EXPECT_EQ(host.kinds.back(), Question::SaveDiscardCancel);
    EXPECT_EQ(wf.schedule.rows.size(), 40u);

    // Save, with the save dialog cancelled: nothing closes
    host.answers = {Answer::Yes};
    host.savePaths = {std::nullopt};
    EXPECT_FALSE(wf.openScheduleRow(row, "B1 A2"));
    EXPECT_EQ(wf.schedule.rows.size(), 40u);

    // Save: the project and its schedule are in the file, then the row opens
    host.answers = {Answer::Yes};
    host.savePaths = {std::string("/p/building.qln")};
    EXPECT_TRUE(wf.openScheduleRow(row, "B1 A2"));
    EXPECT_EQ(host.files.count("/p/building.qln"), 1u);
    EXPECT_EQ(wf.input.profileName, "HE 300 B");
    EXPECT_TRUE(wf.fileName.empty());
    EXPECT_TRUE(wf.schedule.rows.empty());
    EXPECT_TRUE(wf.projectChanged);

    // nothing unsaved: still asked, with OK and Cancel, and the row named
    wf.fileName = "/p/row.qln";
    wf.projectChanged = false;
    host.answers = {Answer::Cancel};
    EXPECT_FALSE(wf.openScheduleRow(row, "C3"));
    EXPECT_EQ(host.asked.back(), "T1471(C3)\n\nT1473");
    EXPECT_EQ(host.kinds.back(), Question::OkCancel);
    host.answers = {Answer::Ok};
    EXPECT_TRUE(wf.openScheduleRow(row, "C3"));
}

TEST_F(WorkflowTest, LanguageSwitchRunsAgainButChangesNoProject)
{
    wf.resultCommand(ResultWindow::Results);
    ASSERT_FALSE(wf.resultsStale);
    wf.languageChanged();
    EXPECT_TRUE(wf.resultsStale);
    EXPECT_FALSE(wf.projectChanged);
    EXPECT_TRUE(wf.FormCloseQuery());
    EXPECT_TRUE(host.asked.empty());
}

TEST_F(WorkflowTest, NewProjectsTakeTheDesignCodeOfTheSettingsWithItsFactors)
{
    // EN 1994 unless the settings say otherwise
    EXPECT_EQ(wf.input.code, DesignCode::EN1994);
    EXPECT_EQ(wf.input.gammaA, 1.0);
    EXPECT_EQ(wf.input.gammaC, 1.5);
    // the start project, untouched, goes under the code of the settings at once
    wf.setNewProjectCode(DesignCode::ENV1994);
    EXPECT_EQ(wf.input.code, DesignCode::ENV1994);
    EXPECT_EQ(wf.input.gammaA, 1.1);
    EXPECT_FALSE(wf.projectChanged);
    // a changed project keeps its code; File > New gives the chosen one
    change();
    wf.setNewProjectCode(DesignCode::EN1994);
    EXPECT_EQ(wf.input.code, DesignCode::ENV1994);
    host.answers = {Answer::Ok};
    wf.FileNew();
    EXPECT_EQ(wf.input.code, DesignCode::EN1994);
    EXPECT_EQ(wf.input.gammaA, 1.0);
    EXPECT_EQ(wf.input.d, ColumnInput{}.d);
}

} // namespace
} // namespace qeln
