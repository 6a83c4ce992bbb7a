// qeln-cli: design runs without windows, for scripted parameter studies and
// for checking. See helpText() in options.cpp for the usage.
#include "input_json.h"
#include "json.h"
#include "options.h"
#include "output_json.h"
#include "project_access.h"
#include "report_pdf.h"

#include "calc/env.h"
#include "calc/texts.h"
#include "catalogue/fileio.h"
#include "shell/run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace qeln::cli {

namespace {

void complain(const std::string& message)
{
    std::cerr << "qeln-cli: " << message << "\n";
}

int usageError(const std::string& message)
{
    complain(message);
    std::cerr << "Try 'qeln-cli --help'.\n";
    return kExitUsage;
}

int fileError(const FileFailure& f, int languageBase)
{
    std::string msg = LoadText(f.textId, languageBase, nullptr) + ": " + f.file;
    if (f.line > 0)
        msg += ":" + std::to_string(f.line);
    if (!f.reason.empty())
        msg += ": " + f.reason;
    complain(msg);
    return kExitFileError;
}

// The catalogue, opened when it is first needed.
class LazyCatalogue {
public:
    explicit LazyCatalogue(const CommonOptions& o)
        : path_(o.cataloguePath.empty() ? programDirectory() + kProfileTableFile : o.cataloguePath)
    {
    }
    ProfileCatalogue* get(std::string& error)
    {
        if (!cat_) {
            cat_ = openCatalogue(path_, error);
            if (!cat_)
                error = "Could not open the profile database: " + path_ + ": " + error;
        }
        return cat_ ? &*cat_ : nullptr;
    }

private:
    std::string path_;
    std::optional<ProfileCatalogue> cat_;
};

// Looks the project's profile up; false (message given) when that fails.
bool takeSectionFromCatalogue(LazyCatalogue& lazy, ColumnInput& in, int languageBase)
{
    std::string error;
    ProfileCatalogue* cat = lazy.get(error);
    if (!cat) {
        complain(error);
        return false;
    }
    std::vector<std::string> messages;
    const bool found = lookUpProfile(*cat, in, languageBase, messages);
    for (const std::string& m : messages)
        complain(m);
    return found;
}

bool writeTextFile(const std::string& path, const std::string& content, std::string& reason)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) {
        reason = std::strerror(errno);
        return false;
    }
    f << content;
    f.close();
    if (!f) {
        reason = "the file could not be written completely";
        return false;
    }
    return true;
}

// Reads the project named by the options; returns an exit status on failure.
std::optional<int> readInput(const DesignOptions& o, LazyCatalogue& cat, ColumnInput& in)
{
    if (!o.projectFile.empty()) {
        bool lookedUp = false, found = false;
        const ProfileLookup lookup = [&](const std::string&, ColumnInput& read) {
            lookedUp = true;
            found = takeSectionFromCatalogue(cat, read, o.languageBase);
            return found;
        };
        FileFailure failure;
        if (!readProject(o.projectFile, in, lookup, failure))
            return fileError(failure, o.languageBase);
        if (!lookedUp || !found)
            return kExitFileError;
        return std::nullopt;
    }

    std::string text;
    if (o.inputJson == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::string why;
        if (fileio::readWholeFile(o.inputJson, text, why, 1u << 24) != fileio::ReadStatus::ok) {
            FileFailure f;
            f.textId = 514;
            f.file = o.inputJson;
            f.reason = why;
            return fileError(f, o.languageBase);
        }
    }
    json::ParseError perr;
    const std::optional<json::Value> doc = json::parse(text, perr);
    if (!doc)
        return usageError(o.inputJson + ":" + std::to_string(perr.line) + ":" + std::to_string(perr.column) +
                          ": not valid JSON: " + perr.message);
    JsonInput given;
    std::string error;
    if (!inputFromJson(*doc, given, error))
        return usageError(o.inputJson + ": " + error);
    in = given.input;
    const double now = currentDateTime();
    if (!given.createdOnGiven)
        in.createdOn = now;
    if (!given.lastUpdatedGiven)
        in.lastUpdated = now;
    if (!given.sectionComplete) {
        if (!takeSectionFromCatalogue(cat, in, o.languageBase))
            return kExitFileError;
        applySectionOverrides(given, in);
    }
    return std::nullopt;
}

int runDesign(const DesignOptions& o)
{
    LazyCatalogue catalogue(o);
    ColumnInput in;
    if (const auto status = readInput(o, catalogue, in))
        return *status;

    RecordingSink sink;
    RunEnv env;
    env.gammas = SafetyFactors::of(in);
    env.languageBase = o.languageBase;
    env.sink = &sink;
    env.decimalSeparator = ".";
    RunState st;
    RunPresenter presenter;   // no windows: everything is in st
    const bool valid = calculate(env, in, st, presenter, isoDateTime);
    const ColumnResults& res = st.results;

    if (o.json) {
        std::cout << runToJson(st, sink.messages);
    } else {
        for (const std::string& m : sink.messages)
            std::cerr << m << "\n";
        if (valid) {
            for (const std::string& l : (o.condensed ? st.condensedListing : st.completeListing).lines())
                std::cout << l << "\n";
        } else if (res.hasErrors) {
            for (const std::string& l : res.errors.lines())
                std::cout << l << "\n";
        }
    }
    std::cout.flush();

    int status = st.calcError ? kExitCalculationError : res.hasErrors ? kExitInputErrors : kExitValid;

    // Files written after the run.
    if (!o.svgFile.empty()) {
        if (res.sectionPicture.empty()) {
            complain("no section drawing was made, " + o.svgFile + " is not written");
        } else {
            std::string reason;
            if (!writeTextFile(o.svgFile, pictureToSvg(res.sectionPicture), reason))
                status = fileError({516, o.svgFile, 0, reason}, o.languageBase);
        }
    }
    if (!o.pdfFile.empty()) {
        std::string reason;
        if (!valid)
            complain("no valid results, " + o.pdfFile + " is not written");
        else if (!writePdfReport(st, in, o.languageBase, o.condensed, isoDateTime(currentDateTime()), o.pdfFile,
                                 reason))
            status = fileError({516, o.pdfFile, 0, reason}, o.languageBase);
    }
    return status;
}

int runNew(const NewOptions& o)
{
    LazyCatalogue catalogue(o);
    ColumnInput in;   // the defaults of a new project
    in.createdOn = in.lastUpdated = currentDateTime();
    in.profileName = "HE 320 A";
    if (!takeSectionFromCatalogue(catalogue, in, o.languageBase))
        return kExitFileError;
    FileFailure failure;
    if (!writeProject(o.projectFile, in, failure))
        return fileError(failure, o.languageBase);
    return kExitValid;
}

} // namespace

int main(const std::vector<std::string>& args)
{
    ParsedArgs parsed;
    std::string error;
    if (!parseArguments(args, parsed, error))
        return usageError(error);
    switch (parsed.command) {
    case Command::Help:
        std::cout << helpText();
        return kExitValid;
    case Command::Design:
        return runDesign(parsed.design);
    case Command::New:
        return runNew(parsed.create);
    case Command::None:
        break;
    }
    return usageError("a command is needed: design or new");
}

} // namespace qeln::cli

int main(int argc, char** argv)
{
    try {
        return qeln::cli::main(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "qeln-cli: internal failure: " << e.what() << "\n";
        return qeln::cli::kExitInternal;
    }
}
