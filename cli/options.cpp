#include "options.h"

#include "input_json.h"
#include "report_pdf.h"

namespace qeln::cli {

namespace {

bool setLanguage(CommonOptions& o, const std::string& v, std::string& error)
{
    if (v == "en")
        o.languageBase = 0;
    else if (v == "fr")
        o.languageBase = 10000;
    else if (v == "de")
        o.languageBase = 20000;
    else {
        error = "--language takes en, fr or de, not '" + v + "'";
        return false;
    }
    return true;
}

bool setCatalogue(CommonOptions& o, const std::string& v, std::string& error)
{
    if (v.empty()) {
        error = "--catalogue needs a file name";
        return false;
    }
    o.cataloguePath = v;
    return true;
}

const char* const kLanguageHelp = "language of every text: en (English, the default), fr or de";
const char* const kCatalogueHelp =
    "profile catalogue to use (default: the one the desktop program uses, else the installed one)";

// Parses the options and the one positional FILE of a command.
template <class Opts>
bool parseCommand(const std::vector<OptionDef<Opts>>& table, const std::vector<std::string>& args, std::size_t from,
                  Opts& opts, std::string& positional, std::string& error)
{
    bool optionsEnded = false;
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && a.size() > 1 && a[0] == '-') {
            std::string name = a;
            std::string value;
            bool inlineValue = false;
            if (const auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
                inlineValue = true;
            }
            const OptionDef<Opts>* def = nullptr;
            for (const auto& d : table)
                if (name == d.name)
                    def = &d;
            if (!def) {
                error = "unknown option '" + name + "'";
                return false;
            }
            if (def->valueName) {
                if (!inlineValue) {
                    if (i + 1 >= args.size()) {
                        error = std::string("option ") + def->name + " needs a value (" + def->valueName + ")";
                        return false;
                    }
                    value = args[++i];
                }
            } else if (inlineValue) {
                error = std::string("option ") + def->name + " takes no value";
                return false;
            }
            if (!def->apply(opts, value, error))
                return false;
            continue;
        }
        if (!positional.empty()) {
            error = "unexpected argument '" + a + "' (only one project file is taken)";
            return false;
        }
        if (a.empty()) {
            error = "the project file name is empty";
            return false;
        }
        positional = a;
    }
    return true;
}

template <class Opts>
std::string optionHelp(const std::vector<OptionDef<Opts>>& table)
{
    std::string s;
    for (const auto& d : table) {
        std::string head = std::string("  ") + d.name;
        if (d.valueName)
            head += std::string(" ") + d.valueName;
        if (head.size() < 28)
            head.resize(28, ' ');
        else
            head += "\n" + std::string(28, ' ');
        s += head + d.help + "\n";
    }
    return s;
}

} // namespace

const std::vector<OptionDef<DesignOptions>>& designOptionTable()
{
    static const std::vector<OptionDef<DesignOptions>> table{
        {"--input", "FILE.json",
         "read the project from a JSON object instead of a project file ('-': standard input)",
         [](DesignOptions& o, const std::string& v, std::string& e) {
             if (v.empty()) {
                 e = "--input needs a file name";
                 return false;
             }
             o.inputJson = v;
             return true;
         }},
        {"--listing", "complete|condensed", "which listing to print (default: complete; condensed leaves out the details)",
         [](DesignOptions& o, const std::string& v, std::string& e) {
             if (v == "complete")
                 o.condensed = false;
             else if (v == "condensed")
                 o.condensed = true;
             else {
                 e = "--listing takes complete or condensed, not '" + v + "'";
                 return false;
             }
             return true;
         }},
        {"--language", "en|fr|de", kLanguageHelp,
         [](DesignOptions& o, const std::string& v, std::string& e) { return setLanguage(o, v, e); }},
        {"--catalogue", "PATH", kCatalogueHelp,
         [](DesignOptions& o, const std::string& v, std::string& e) { return setCatalogue(o, v, e); }},
        {"--svg", "OUT.svg", "write the drawing of the section as SVG (when the run drew one)",
         [](DesignOptions& o, const std::string& v, std::string& e) {
             if (v.empty()) {
                 e = "--svg needs a file name";
                 return false;
             }
             o.svgFile = v;
             return true;
         }},
        {"--pdf", "OUT.pdf",
         "write the printed report as a PDF file: header, drawing, the listing chosen by --listing, "
         "disclaimer (when the results are valid)",
         [](DesignOptions& o, const std::string& v, std::string& e) {
             if (v.empty()) {
                 e = "--pdf needs a file name";
                 return false;
             }
             if (!pdfReportAvailable()) {
                 e = "--pdf is not available: this qeln-cli was built without the Qt parts (QELN_GUI=OFF)";
                 return false;
             }
             o.pdfFile = v;
             return true;
         }},
        {"--json", nullptr, "print one JSON object with the results instead of the listing",
         [](DesignOptions& o, const std::string&, std::string&) {
             o.json = true;
             return true;
         }},
    };
    return table;
}

const std::vector<OptionDef<NewOptions>>& newOptionTable()
{
    static const std::vector<OptionDef<NewOptions>> table{
        {"--language", "en|fr|de", kLanguageHelp,
         [](NewOptions& o, const std::string& v, std::string& e) { return setLanguage(o, v, e); }},
        {"--catalogue", "PATH", kCatalogueHelp,
         [](NewOptions& o, const std::string& v, std::string& e) { return setCatalogue(o, v, e); }},
    };
    return table;
}

bool parseArguments(const std::vector<std::string>& args, ParsedArgs& out, std::string& error)
{
    out = ParsedArgs{};
    for (const std::string& a : args) {
        if (a == "--")
            break;
        if (a == "--help" || a == "-h") {
            out.command = Command::Help;
            return true;
        }
    }
    if (args.empty()) {
        error = "a command is needed: design or new";
        return false;
    }
    const std::string& cmd = args[0];
    if (cmd == "help") {
        out.command = Command::Help;
        return true;
    }
    if (cmd == "design") {
        out.command = Command::Design;
        DesignOptions& o = out.design;
        if (!parseCommand(designOptionTable(), args, 1, o, o.projectFile, error))
            return false;
        if (o.projectFile.empty() && o.inputJson.empty()) {
            error = "design needs a project file FILE.qln or --input FILE.json";
            return false;
        }
        if (!o.projectFile.empty() && !o.inputJson.empty()) {
            error = "design takes either a project file or --input, not both";
            return false;
        }
        return true;
    }
    if (cmd == "new") {
        out.command = Command::New;
        NewOptions& o = out.create;
        if (!parseCommand(newOptionTable(), args, 1, o, o.projectFile, error))
            return false;
        if (o.projectFile.empty()) {
            error = "new needs the name of the project file to write";
            return false;
        }
        return true;
    }
    error = "unknown command '" + cmd + "' (the commands are design and new)";
    return false;
}

std::string helpText()
{
    std::string s;
    s += "qeln-cli - QELN - Column without windows: design runs of partially encased\n"
         "composite columns (ENV 1994-1-1 / 1994-1-2) from project files or JSON.\n"
         "\n"
         "Usage:\n"
         "  qeln-cli design FILE.qln [options]\n"
         "  qeln-cli design --input FILE.json [options]\n"
         "  qeln-cli new FILE.qln [options]\n"
         "  qeln-cli --help\n"
         "\n"
         "design: runs the input checks and the design run of the project and prints\n"
         "the complete listing (or the condensed one), one line per listing line,\n"
         "with '.' as decimal separator and dates as YYYY-MM-DD hh:mm:ss.\n"
         "Options of design:\n";
    s += optionHelp(designOptionTable());
    s += "\n"
         "new: writes the default project (profile HE 320 A from the catalogue, time\n"
         "stamps now) to FILE.qln; an existing file of that name is kept as <name>BAK.\n"
         "Options of new:\n";
    s += optionHelp(newOptionTable());
    s += "\n"
         "JSON input: one object whose members are project fields by name; missing\n"
         "fields take the defaults of a new project, unknown fields and values of the\n"
         "wrong type are refused. The fields:\n  ";
    s += inputFieldNames();
    s += ".\n"
         "Texts are strings, n1 and n2 integers, movrixAvailable and autoReduce true or\n"
         "false, everything else numbers (createdOn / lastUpdated: days since\n"
         "1899-12-30, time of day as the fraction; default: now). When all of h, b, tw,\n"
         "tf and r are given the section is taken as it stands (a welded or unlisted\n"
         "section; movrixAvailable then defaults to false) and the catalogue is not\n"
         "read; otherwise profileName (default HE 320 A) is looked up in the catalogue\n"
         "and any of h, b, tw, tf, r, movrixAvailable given replace the catalogue's.\n"
         "\n"
         "JSON output (--json): one object with the keys table (5 rows Service, R 30,\n"
         "R 60, R 90, R 120 x 5 columns axial weak, axial strong, eccentric weak,\n"
         "eccentric strong, biaxial, in kN; null for cells the run did not reach),\n"
         "errors, warnings, hasErrors, hasWarnings, calcError, messageBoxes, rho,\n"
         "fyCalc, dCalc, concreteVolume, rebarLocationLines, memberDetailLines,\n"
         "resultsLines, componentsLines, listing (empty unless the results are valid)\n"
         "and grid (8 x 6 strings). Numbers have full double precision.\n"
         "\n"
         "Standard output and standard error:\n"
         "  stdout  the listing when the results are valid; the error lines when the\n"
         "          checks or the run found errors; with --json always the JSON object\n"
         "          (once the run has started), whatever the outcome.\n"
         "  stderr  usage and file errors, the message-box texts of the run (such as\n"
         "          \"An error occurred during calculation. ...\") in listing mode, and\n"
         "          the profile lookup's message.\n"
         "\n"
         "Exit status:\n"
         "  0   valid results\n"
         "  1   the input checks or the run reported errors (hasErrors)\n"
         "  2   an error occurred during the calculation (calcError)\n"
         "  3   a file could not be read or written: the project file (cannot be\n"
         "      opened, wrong version number, unreadable value with its line), the JSON\n"
         "      input file, the catalogue, a profile not in the catalogue, the SVG, the\n"
         "      PDF or the new project file\n"
         "  64  wrong usage: unknown command or option, missing or bad value, malformed\n"
         "      JSON input, unknown JSON field or a value of the wrong type\n"
         "  70  internal failure\n";
    return s;
}

} // namespace qeln::cli
