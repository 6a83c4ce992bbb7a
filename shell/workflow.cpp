#include "workflow.h"

#include "calc/method.h"
#include "present/utf8.h"

namespace qeln {

namespace {
constexpr int kTitle = 1;
constexpr int kOpenRowQuestion = 1471;
constexpr int kClosesWithSchedule = 1472;
constexpr int kCloses = 1473;
constexpr int kNotSaved = 1474;
constexpr int kUntitled = 1475;
constexpr int kRemovedFromRecent = 1477;
constexpr int kUnsavedLost = 512;
constexpr int kSaveData = 513;
constexpr int kOpenError = 514;
constexpr int kWrongVersion = 515;
constexpr int kOverwrite = 517;

std::string withArg(std::string s, int n, const std::string& by)
{
    std::string key = "%";
    key += std::to_string(n);
    if (const auto at = s.find(key); at != std::string::npos)
        s.replace(at, key.size(), by);
    return s;
}

// The last part of a path, "/" or "\\" separated.
std::string baseName(const std::string& path)
{
    const auto at = path.find_last_of("/\\");
    return at == std::string::npos ? path : path.substr(at + 1);
}
} // namespace

void Workflow::VarInitialisieren()
{
    fileName.clear();
    ColumnInput fresh;   // every value at its default
    fresh.office = cutText(enterpriseDefault, kLongTextMax);
    fresh.author = cutText(userDefault, kLongTextMax);
    fresh.createdOn = fresh.lastUpdated = host_.now();
    fresh.profileName = "HE 320 A";
    useDesignCode(fresh, newProjectCode);
    host_.lookupProfile(fresh);
    input = fresh;
    schedule = {};
}

void Workflow::discardResults()
{
    resultsStale = true;
    host_.resultsDiscarded();
}

void Workflow::haschanged()
{
    projectChanged = true;
    discardResults();
    input.lastUpdated = host_.now();
    updatetitle();
}

void Workflow::languageChanged()
{
    discardResults();
    updatetitle();
}

std::string Workflow::projectLabel() const
{
    return fileName.empty() ? host_.text(kUntitled) : baseName(fileName);
}

void Workflow::updatetitle()
{
    caption_ = projectLabel();
    if (projectChanged)
        caption_ += " *";
    caption_ += " \u2014 " + host_.text(kTitle);
    host_.setCaption(caption_);
}

std::string Workflow::closingText()
{
    if (schedule.rows.empty())
        return withArg(host_.text(kCloses), 1, projectLabel());
    return withArg(withArg(host_.text(kClosesWithSchedule), 1, projectLabel()), 2, std::to_string(schedule.rows.size()));
}

void Workflow::applySettings(Language settingsLanguage, const std::string& enterprise, const std::string& user)
{
    language = settingsLanguage;
    enterpriseDefault = enterprise;
    userDefault = user;
    input.office = cutText(enterprise, kLongTextMax);
    input.author = cutText(user, kLongTextMax);
}

void Workflow::setNewProjectCode(DesignCode code)
{
    newProjectCode = code;
    if (fileName.empty() && !projectChanged && schedule.rows.empty() && input.code != code) {
        useDesignCode(input, code);
        discardResults();
        updatetitle();
    }
}

void Workflow::acceptInput(const ColumnInput& edited)
{
    input = edited;
    haschanged();
}

void Workflow::FileNew()
{
    if (projectChanged && host_.ask(host_.text(kUnsavedLost), Question::OkCancel) != Answer::Ok)
        return;
    VarInitialisieren();
    discardResults();
    updatetitle();
}

bool Workflow::mayReplaceProject()
{
    if (!projectChanged)
        return true;
    const Answer a = host_.ask(closingText() + " " + host_.text(kNotSaved) + "\n\n" + host_.text(kSaveData),
                               Question::YesNoCancel);
    if (a == Answer::Cancel)
        return false;
    if (a == Answer::Yes) {
        FileSave();
        if (projectChanged)
            return false;
    }
    return true;
}

std::optional<Failure> Workflow::openPath(const std::string& path, bool fromRecent)
{
    ColumnInput loaded = input;
    std::optional<Failure> failure = host_.loadProject(path, loaded);
    if (failure) {
        if (!reportedByWorkflow(*failure))
            return failure;   // the host has reported it
        const bool cannotOpen = failure->code == FailureCode::cannotOpen;
        std::string message = host_.text(cannotOpen ? kOpenError : kWrongVersion) + "\n" + path;
        std::string why = failure->line > 0 ? "line " + std::to_string(failure->line) + ": " : std::string();
        why += failure->detail;
        if (!why.empty())
            message += "\n\n" + why;
        if (cannotOpen && fromRecent)   // the entry goes: say so
            message += "\n\n" + host_.text(kRemovedFromRecent);
        host_.tell(message);
        return failure;
    }
    input = loaded;
    fileName = path;
    projectChanged = false;
    discardResults();
    recent.add(path);
    updatetitle();
    return std::nullopt;
}

void Workflow::FileOpen()
{
    if (!mayReplaceProject())
        return;
    if (const auto path = host_.chooseOpenFile())
        openPath(*path);
}

bool Workflow::openProject(const std::string& path)
{
    return !openPath(path);
}

void Workflow::FileOpenRecent(const std::string& path)
{
    if (!mayReplaceProject())
        return;
    if (const auto failure = openPath(path, true); failure && failure->code == FailureCode::cannotOpen)
        recent.remove(path);
}

bool Workflow::openScheduleRow(const ColumnInput& row, const std::string& rowName)
{
    std::string question = withArg(host_.text(kOpenRowQuestion), 1, rowName) + "\n\n" + closingText();
    if (projectChanged) {
        switch (host_.ask(question + " " + host_.text(kNotSaved), Question::SaveDiscardCancel)) {
        case Answer::Yes:
            FileSave();
            if (projectChanged)
                return false;
            break;
        case Answer::No:
            break;
        default:
            return false;
        }
    } else if (host_.ask(question, Question::OkCancel) != Answer::Ok) {
        return false;
    }
    input = row;
    fileName.clear();
    schedule = {};
    projectChanged = true;   // a new project: closing asks to save it
    resultsStale = true;
    updatetitle();
    return true;
}

void Workflow::FileSave()
{
    if (fileName.empty())
        FileSaveAs();
    else
        writeFile();
}

bool Workflow::writeFile()
{
    if (const auto failure = host_.saveProject(fileName, input)) {
        // The box gives the reason too, as the command line does.
        std::string message = host_.text(failure->textId != 0 ? failure->textId : 516);
        if (const std::string why = failure->describe(); !why.empty())
            message += "\n\n" + why;
        host_.tell(message);
        return false;
    }
    projectChanged = false;
    updatetitle();
    return true;
}

void Workflow::FileSaveAs()
{
    const auto path = host_.chooseSaveFile(fileName);
    if (!path || path->empty())
        return;
    if (host_.fileExists(*path) && host_.ask(host_.text(kOverwrite), Question::OkCancel) != Answer::Ok)
        return;
    fileName = *path;
    updatetitle();
    if (writeFile())
        recent.add(fileName);
}

bool Workflow::FormCloseQuery()
{
    if (printing)
        return false;
    if (!projectChanged)
        return true;
    host_.bringToFront();
    switch (host_.ask(closingText() + " " + host_.text(kNotSaved) + "\n\n" + host_.text(kSaveData),
                      Question::YesNoCancel)) {
    case Answer::Yes:
        FileSave();
        return !projectChanged;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool Workflow::ensureResults()
{
    if (!resultsStale)
        return true;
    if (!host_.calculate(input)) {
        discardResults();
        return false;
    }
    resultsStale = false;
    return true;
}

void Workflow::resultCommand(ResultWindow w)
{
    if (ensureResults())
        host_.showResultWindow(w);
}

} // namespace qeln
