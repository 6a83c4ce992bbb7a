// qeln-cli: design runs without windows, for scripted parameter studies and
// for checking. See helpText() in options.cpp for the usage.
#include "design_run.h"
#include "present/version.h"
#include "curves_json.h"
#include "input_json.h"
#include "json.h"
#include "optimise.h"
#include "options.h"
#include "output_json.h"
#include "project_access.h"
#include "report_pdf.h"
#include "schedule_cli.h"
#include "schedule_pdf.h"

#include "calc/method.h"
#include "present/texts.h"
#include "present/utf8.h"
#include "platform/fileio.h"
#include "catalogue/location.h"
#include "present/plot.h"
#include "shell/diagrams.h"
#include "shell/run.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace qeln::cli {

namespace {

void complain(const std::string& message)
{
    std::cerr << "qeln-cli: " << visibleText(message) << "\n";
}

int usageError(const std::string& message)
{
    complain(message);
    std::cerr << "Try 'qeln-cli --help'.\n";
    return kExitUsage;
}

int fileError(const Failure& f, Language language)
{
    std::string msg = LoadText(f.textId, language, nullptr) + ": " + f.file;
    if (f.line > 0) {
        msg += ':';   // not ":" + std::to_string(): GCC 12 at -O3 gives a false -Wrestrict for that
        msg += std::to_string(f.line);
    }
    if (!f.detail.empty())
        msg += ": " + f.detail;
    complain(msg);
    return kExitFileError;
}

// 516 "Error during Writing of File" for a file or folder and the reason.
Failure writeFailure(const std::string& file, std::string detail)
{
    return Failure(FailureCode::writeFailed, 516, file, std::move(detail));
}

// 514 "Error during File Opening" for a file and the reason.
Failure readFailure(const Failure& read)
{
    Failure f = read;
    f.textId = 514;
    return f;
}

// Writes to standard output and makes sure it got there: a full disk or a
// closed pipe is a write error (exit 3 with the reason), never a silent cut.
bool writeOutput(const std::string& text)
{
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0 &&
        !std::ferror(stdout))
        return true;
    complain(std::string("could not write the output: ") + std::strerror(errno != 0 ? errno : EIO));
    return false;
}

// Reads all of standard input, up to `limit` bytes. nullopt when it is longer;
// false in `ok` (with the reason) when it cannot be read.
std::optional<std::string> readStandardInput(std::size_t limit, bool& ok, std::string& reason)
{
    std::string text;
    ok = true;
    char buf[65536];
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, stdin);
        if (text.size() + n > limit)
            return std::nullopt;
        text.append(buf, n);
        if (n < sizeof buf) {
            if (std::ferror(stdin)) {
                ok = false;
                reason = std::strerror(errno);
            }
            return text;
        }
    }
}

std::string tooLarge(const std::string& name)
{
    return name + ": the JSON input is larger than " + std::to_string(json::kMaxInputBytes >> 20) + " MiB";
}

// The catalogue, opened when it is first needed.
class LazyCatalogue {
public:
    explicit LazyCatalogue(const CommonOptions& o) : path_(o.cataloguePath) {}
    ProfileCatalogue* get(std::string& error)
    {
        if (!cat_) {
            if (path_.empty()) {
                // the desktop program's table, else the installed one; only read
                const location::Choice where = location::readableCatalogue(location::standardFolders());
                if (where.folder.empty()) {
                    error = where.error;
                    return nullptr;
                }
                path_ = where.table();
            }
            Result<ProfileCatalogue> opened = openCatalogue(path_);
            if (opened)
                cat_ = std::move(*opened);
            else
                error = "Could not open the profile database: " + path_ + ": " + opened.failure().detail;
        }
        return cat_ ? &*cat_ : nullptr;
    }

private:
    std::string path_;
    std::optional<ProfileCatalogue> cat_;
};

// Looks the project's profile up; false (message given) when that fails.
bool takeSectionFromCatalogue(LazyCatalogue& lazy, ColumnInput& in, Language language)
{
    std::string error;
    ProfileCatalogue* cat = lazy.get(error);
    if (!cat) {
        complain(error);
        return false;
    }
    std::vector<std::string> messages;
    const bool found = lookUpProfile(*cat, in, language, messages);
    for (const std::string& m : messages)
        complain(m);
    return found;
}

// The four plots into `dir` (made when missing), each through the safe
// writer, all four put in place only when all are written (a folder never
// holds two new and two old plots); the failure, if any. `input`: the input
// file, which no plot may replace.
std::optional<Failure> writePlots(const std::string& dir, const Diagrams& d, Language language,
                                      const std::string& input)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir, ec))
        return writeFailure(dir, ec ? ec.message() : "not a folder");
    TextEnv env;
    env.language = language;
    // a drawing for readers of the language: its decimal separator
    env.decimalSeparator = language == Language::English ? "." : ",";
    const struct {
        const char* name;
        Picture picture;
    } plots[] = {
        {"nm-weak.svg", interactionPlot(env, d.weak, Axis::Weak)},
        {"nm-strong.svg", interactionPlot(env, d.strong, Axis::Strong)},
        {"ne-weak.svg", eccentricityPlot(env, d.weakCurves, Axis::Weak)},
        {"ne-strong.svg", eccentricityPlot(env, d.strongCurves, Axis::Strong)},
    };
    std::vector<std::unique_ptr<platform::PendingReplace>> files;
    std::string path;
    try {
        for (const auto& p : plots) {
            path = (std::filesystem::path(dir) / p.name).string();
            if (!input.empty() && platform::sameFile(path, input))
                return writeFailure(path, "this is the input file, it is not overwritten by a plot");
            files.push_back(std::make_unique<platform::PendingReplace>(path));
            files.back()->write(pictureToSvg(p.picture));
        }
        for (std::size_t i = 0; i < files.size(); ++i) {
            path = (std::filesystem::path(dir) / plots[i].name).string();
            files[i]->commit();
        }
    } catch (const platform::IoError& e) {
        return writeFailure(path, e.reason());
    }
    return std::nullopt;
}

// An output named like the input or like the other output would destroy it.
std::optional<int> refuseOutputClash(const DesignOptions& o)
{
    const std::string input = o.projectFile.empty() ? (o.inputJson == "-" ? "" : o.inputJson) : o.projectFile;
    for (const std::string* out : {&o.svgFile, &o.pdfFile}) {
        if (out->empty())
            continue;
        if (!input.empty() && (*out == input || platform::sameFile(*out, input)))
            return usageError(*out + ": this is the input file, it is not overwritten by an output");
    }
    if (!o.svgFile.empty() && (o.svgFile == o.pdfFile || platform::sameFile(o.svgFile, o.pdfFile)))
        return usageError(o.svgFile + ": the SVG drawing and the PDF report cannot go to one file");
    return std::nullopt;
}

// Reads the project named by the options; returns an exit status on failure.
std::optional<int> readInput(const DesignOptions& o, LazyCatalogue& cat, ColumnInput& in, Schedule* schedule = nullptr)
{
    if (!o.projectFile.empty()) {
        bool lookedUp = false, found = false;
        const ProfileLookup lookup = [&](const std::string&, ColumnInput& read) {
            lookedUp = true;
            found = takeSectionFromCatalogue(cat, read, o.language);
            return found;
        };
        if (const auto failure = readProject(o.projectFile, in, lookup, schedule))
            return fileError(*failure, o.language);
        if (!lookedUp || !found)
            return kExitFileError;
        return std::nullopt;
    }

    std::string text;
    std::string why;
    if (o.inputJson == "-") {
        bool ok = true;
        std::optional<std::string> read = readStandardInput(json::kMaxInputBytes, ok, why);
        if (!read)
            return usageError(tooLarge(o.inputJson));
        if (!ok)
            return fileError(Failure(FailureCode::readFailed, 514, o.inputJson, why), o.language);
        text = std::move(*read);
    } else {
        Result<std::string> file = platform::readWholeFile(o.inputJson, json::kMaxInputBytes);
        if (!file && file.failure().code == FailureCode::tooLarge)
            return usageError(tooLarge(o.inputJson));
        if (!file)
            return fileError(readFailure(file.failure()), o.language);
        text = std::move(*file);
    }
    json::ParseError perr;
    const std::optional<json::Value> doc = json::parse(text, perr);
    if (!doc)
        return usageError(o.inputJson + ":" + std::to_string(perr.line) + ":" + std::to_string(perr.column) +
                          ": not valid JSON: " + perr.message);
    const Result<JsonInput> given = inputFromJson(*doc);
    if (!given)
        return usageError(o.inputJson + ": " + given.failure().detail);
    in = given->input;
    const double now = currentDateTime();
    if (!given->createdOnGiven)
        in.createdOn = now;
    if (!given->lastUpdatedGiven)
        in.lastUpdated = now;
    if (!given->sectionComplete) {
        if (!takeSectionFromCatalogue(cat, in, o.language))
            return kExitFileError;
        applySectionOverrides(*given, in);
    }
    return std::nullopt;
}

// --ned, --nfied and --class over the project's design loads.
void applyDesignLoadOptions(const DesignOptions& o, ColumnInput& in)
{
    if (o.nEd)
        in.nEd = *o.nEd;
    if (o.nFiEd)
        in.nFiEd = *o.nFiEd;
    if (o.fireClass)
        in.fireClass = o.fireClass;
    if (o.code)
        useDesignCode(in, *o.code);
}

int runDesign(const DesignOptions& o)
{
    if (const auto status = refuseOutputClash(o))
        return *status;
    LazyCatalogue catalogue(o);
    ColumnInput in;
    if (const auto status = readInput(o, catalogue, in))
        return *status;

    applyDesignLoadOptions(o, in);

    RunState st;
    std::vector<std::string> messageBoxes;
    const bool valid = designRun(in, o.language, st, messageBoxes);
    const ColumnResults& res = st.results;

    // the diagrams, when asked for (numbers-only runs: the same table as st's)
    std::optional<Diagrams> diagrams;
    if (o.curves || !o.plotsDir.empty()) {
        diagrams = computeDiagrams(in);
    }

    std::string out;
    if (o.json) {
        const json::Ordered curves = o.curves ? curvesJson(*diagrams) : json::Ordered();
        out = runToJson(st, in, messageBoxes, o.curves ? &curves : nullptr);
    } else {
        for (const std::string& m : messageBoxes)
            std::cerr << visibleText(m) << "\n";
        if (valid) {
            for (const std::string& l : (o.condensed ? st.condensedListing : st.completeListing).lines())
                out += visibleText(l) + "\n";
        } else if (res.hasErrors) {
            for (const std::string& l : res.errors.lines())
                out += visibleText(l) + "\n";
        }
    }

    int status = st.calcError ? kExitCalculationError : res.hasErrors ? kExitInputErrors : kExitValid;
    if (status == kExitValid && valid && st.check && !st.check->passes)
        status = kExitCheckFails;
    if (!writeOutput(out))
        status = kExitFileError;

    // Files written after the run.
    if (!o.svgFile.empty()) {
        if (res.sectionPicture.empty()) {
            complain("no section drawing was made, " + o.svgFile + " is not written");
        } else {
            if (const auto failed = platform::writeReplacing(o.svgFile, pictureToSvg(res.sectionPicture)))
                status = fileError(*failed, o.language);
        }
    }
    if (!o.plotsDir.empty()) {
        if (!valid || !diagrams->ok()) {
            complain("no valid results, the plots are not written into " + o.plotsDir);
        } else if (const auto failed = writePlots(o.plotsDir, *diagrams, o.language,
                                                  o.projectFile.empty() ? (o.inputJson == "-" ? "" : o.inputJson)
                                                                        : o.projectFile)) {
            status = fileError(*failed, o.language);
        }
    }
    if (!o.pdfFile.empty()) {
        const auto write = [&](platform::PendingReplace& f) {
            return writePdfReport({in, o.language, o.condensed, isoDateTime(currentDateTime()), f.tempPath()});
        };
        if (!valid)
            complain("no valid results, " + o.pdfFile + " is not written");
        else if (const auto failed = platform::writeReplacing(o.pdfFile, write))
            status = fileError(*failed, o.language);
    }
    return status;
}

int runOptimiseCommand(const OptimiseOptions& o)
{
    LazyCatalogue catalogue(o.input);
    ColumnInput in;
    if (const auto status = readInput(o.input, catalogue, in))
        return *status;
    applyDesignLoadOptions(o.input, in);
    std::string error;
    const ProfileCatalogue* cat = catalogue.get(error);
    if (!cat) {
        complain(error);
        return kExitFileError;
    }
    const Result<OptimiseRun> run = runOptimise(o, in, searchProfiles(*cat));
    if (!run)
        return usageError(run.failure().detail);
    return writeOutput(run->out) ? run->status : kExitFileError;
}

// schedule: the rows of a CSV file designed on a base project.
int runScheduleCommand(const ScheduleCliOptions& o)
{
    for (const std::string* out : {&o.outFile, &o.pdfFile}) {
        if (out->empty())
            continue;
        for (const std::string* in : {&o.rowsFile, &o.baseFile})
            if (!in->empty() && (*out == *in || platform::sameFile(*out, *in)))
                return usageError(*out + ": this is an input file, it is not overwritten by an output");
    }
    if (!o.outFile.empty() && (o.outFile == o.pdfFile || platform::sameFile(o.outFile, o.pdfFile)))
        return usageError(o.outFile + ": the results and the PDF report cannot go to one file");
    if (!o.pdfFile.empty() && !schedulePdfAvailable())
        return usageError("--pdf is not yet available for schedule: the schedule report is not built in");

    DesignOptions baseOptions;
    baseOptions.language = o.language;
    baseOptions.cataloguePath = o.cataloguePath;
    baseOptions.projectFile = o.baseFile;
    LazyCatalogue catalogue(baseOptions);
    ColumnInput base;
    Schedule schedule;
    // Without ROWS.csv the rows are the base project's own schedule.
    if (!o.baseFile.empty()) {
        if (const auto status = readInput(baseOptions, catalogue, base, o.rowsFile.empty() ? &schedule : nullptr))
            return *status;
        if (o.rowsFile.empty() && schedule.rows.empty()) {
            complain(o.baseFile + ": the project has no column schedule (give the rows as ROWS.csv)");
            return kExitInputErrors;
        }
    } else {
        base.createdOn = base.lastUpdated = currentDateTime();
        if (!takeSectionFromCatalogue(catalogue, base, o.language))
            return kExitFileError;
    }
    if (!o.rowsFile.empty()) {
        const Result<std::string> file = platform::readWholeFile(o.rowsFile, json::kMaxInputBytes);
        if (!file && file.failure().code == FailureCode::tooLarge)
            return usageError(o.rowsFile + ": the schedule is larger than " + std::to_string(json::kMaxInputBytes >> 20) +
                              " MiB");
        if (!file)
            return fileError(readFailure(file.failure()), o.language);
        const std::string& bytes = *file;
        Failure failure;
        if (!readScheduleCsv(bytes, schedule, failure)) {
            complain(o.rowsFile + ": " + failure.describe());
            return kExitInputErrors;
        }
        if (schedule.rows.empty()) {   // as --base of a project without a schedule
            complain(o.rowsFile + ": the schedule has a header but no rows");
            return kExitInputErrors;
        }
    }
    bool needsCatalogue = o.search;
    for (std::size_t i = 0; i < schedule.rows.size(); ++i)
        needsCatalogue = needsCatalogue || schedule.rows[i].search || !schedule.cell(i, "profileName").empty();
    ProfileIndex profiles;
    if (needsCatalogue) {
        std::string error;
        const ProfileCatalogue* cat = catalogue.get(error);
        if (!cat) {
            complain(error);
            return kExitFileError;
        }
        profiles = ProfileIndex(searchProfiles(*cat));
    }

    const ScheduleOutcome outcome = runSchedule(base, schedule, profiles, scheduleOptionsOf(o, schedule.constraints));
    const std::string& source = o.rowsFile.empty() ? o.baseFile : o.rowsFile;
    for (const ScheduleRowResult& r : outcome.rows)
        if (!r.inputOk)
            complain(source + ": " + r.name + ": " + r.failure.describe());
    int status = scheduleExitStatus(outcome);
    if (!writeOutput(o.json ? scheduleJson(outcome, o.language) : scheduleTable(outcome)))
        status = kExitFileError;

    if (!o.outFile.empty()) {
        const Schedule asRun = withChosenSections(schedule, outcome);
        std::string tail = o.outFile.substr(o.outFile.size() - std::min<std::size_t>(5, o.outFile.size()));
        for (char& ch : tail)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        const bool xlsx = tail == ".xlsx";   // else .csv (the parser let no other through)
        const auto write = [&](platform::PendingReplace& f) -> std::optional<Failure> {
            if (xlsx)
                return writeScheduleXlsx(f.tempPath(), asRun, outcome, o.language);
            f.write(scheduleResultsCsv(asRun, outcome, CsvDialect::commaPoint));
            return std::nullopt;
        };
        if (const auto failed = platform::writeReplacing(o.outFile, write))
            status = fileError(*failed, o.language);
    }
    if (!o.pdfFile.empty()) {
        const auto write = [&](platform::PendingReplace& f) {
            return writeSchedulePdf({base, withChosenSections(schedule, outcome), outcome, o.language,
                                     isoDateTime(currentDateTime()), f.tempPath()});
        };
        if (const auto failed = platform::writeReplacing(o.pdfFile, write))
            status = fileError(*failed, o.language);
    }
    return status;
}

int runNew(const NewOptions& o)
{
    LazyCatalogue catalogue(o);
    ColumnInput in;   // the defaults of a new project, under the code asked for
    useDesignCode(in, o.code);
    in.createdOn = in.lastUpdated = currentDateTime();
    in.profileName = "HE 320 A";
    if (!takeSectionFromCatalogue(catalogue, in, o.language))
        return kExitFileError;
    if (const auto failure = writeProject(o.projectFile, in))
        return fileError(*failure, o.language);
    return kExitValid;
}

} // namespace

int main(const std::vector<std::string>& args)
{
    const Result<ParsedArgs> parsed = parseArguments(args);
    if (!parsed)
        return usageError(parsed.failure().detail);
    switch (parsed->command) {
    case Command::Help:
        return writeOutput(helpText()) ? kExitValid : kExitFileError;
    case Command::Version:
        return writeOutput(std::string("qeln-cli ") + kProgramVersion + " (build " + kProgramBuild + ")\n")
                   ? kExitValid
                   : kExitFileError;
    case Command::Design:
        return runDesign(parsed->design);
    case Command::New:
        return runNew(parsed->create);
    case Command::Optimise:
        return runOptimiseCommand(parsed->optimise);
    case Command::Schedule:
        return runScheduleCommand(parsed->schedule);
    case Command::None:
        break;
    }
    return usageError("a command is needed: design, optimise, schedule or new");
}

} // namespace qeln::cli

int main(int argc, char** argv)
{
    qeln::platform::installSignalHandling();
    try {
        return qeln::cli::main(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "qeln-cli: internal failure: " << e.what() << "\n";
        return qeln::cli::kExitInternal;
    }
}
