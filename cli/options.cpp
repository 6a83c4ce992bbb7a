#include "options.h"

#include "input_json.h"
#include "report_pdf.h"

#include "present/checktext.h"

#include <CLI/CLI.hpp>

#include "shell/search.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <tuple>

namespace qeln::cli {

namespace {

const char* const kLanguageHelp = "language of every text: en (English, the default), fr or de";
const char* const kCatalogueHelp =
    "profile catalogue to use (default: the one the desktop program uses, else the installed one)";

// The two commands as CLI11 reads them. Values that need a check of their own
// (the language, the listing, file names given empty) are taken as text and
// checked after the parse, with messages of this program.
struct Commands {
    CLI::App app{"", "qeln-cli"};
    CLI::App* design = nullptr;
    CLI::App* create = nullptr;
    CLI::App* optimise = nullptr;
    CLI::App* schedule = nullptr;
    std::string schedLanguage = "en";
    std::string designLanguage = "en", newLanguage = "en", listing = "complete";
    std::string nEd, nFiEd, fireClass;   // checked after the parse
    std::string designCode, optCode, newCode;
    std::string optLanguage = "en", optNEd, optNFiEd, optClass, families, maxH, maxB, diameters, layouts, top,
                maxUtilisation, rank, priceSteel, priceRebars, priceConcrete;

    explicit Commands(ParsedArgs& out)
    {
        app.set_help_flag();   // --help is answered before the parse, anywhere
        app.allow_extras();    // and so are arguments that fit nowhere, in words of this program
        app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);

        DesignOptions& d = out.design;
        design = app.add_subcommand("design")->allow_extras();
        design->add_option("--input", d.inputJson,
                           "read the project from a JSON object instead of a project file ('-': standard input)")
            ->type_name("FILE.json");
        design->add_option("--listing", listing,
                           "which listing to print (default: complete; condensed leaves out the details)")
            ->type_name("complete|condensed");
        design->add_option("--language", designLanguage, kLanguageHelp)->type_name("en|fr|de");
        design->add_option("--catalogue", d.cataloguePath, kCatalogueHelp)->type_name("PATH");
        design->add_option("--svg", d.svgFile, "write the drawing of the section as SVG (when the run drew one)")
            ->type_name("OUT.svg");
        design->add_option("--pdf", d.pdfFile,
                           "write the printed report as a PDF file: header, drawing, the listing chosen by --listing, "
                           "the page of the diagrams, disclaimer (when the results are valid)")
            ->type_name("OUT.pdf");
        design->add_option("--plots", d.plotsDir,
                           "write the interaction diagrams and the resistance-versus-eccentricity plots of both "
                           "axes as nm-weak.svg, nm-strong.svg, ne-weak.svg and ne-strong.svg into DIR (made when "
                           "missing; when the results are valid)")
            ->type_name("DIR");
        design->add_flag("--curves", d.curves, "with --json: add the diagrams' data as the key curves")
            ->disable_flag_override();
        design->add_option("--ned", nEd, "design axial force N.Ed at normal temperature, kN (over the project's; 0: none)")
            ->type_name("KN");
        design->add_option("--nfied", nFiEd, "design axial force N.fi,Ed in fire, kN (over the project's; 0: none)")
            ->type_name("KN");
        design->add_option("--class", fireClass, "required fire resistance class (over the project's)")
            ->type_name("R30|R60|R90|R120");
        design->add_option("--code", designCode,
                           "design code (over the project's): EN1994 (EN 1994-1-1:2004 and EN 1994-1-2:2005 "
                           "Annex G) or ENV1994 (ENV 1994-1-1 and ENV 1994-1-2 Annex F); a change of code takes "
                           "its recommended partial factors")
            ->type_name("EN1994|ENV1994");
        design->add_flag("--json", d.json, "print one JSON object with the results instead of the listing")
            ->disable_flag_override();
        design->add_option("FILE.qln", d.projectFile);

        OptimiseOptions& op = out.optimise;
        optimise = app.add_subcommand("optimise")->allow_extras();
        optimise->add_option("--input", op.input.inputJson,
                             "read the project from a JSON object instead of a project file ('-': standard input)")
            ->type_name("FILE.json");
        optimise->add_option("--language", optLanguage, kLanguageHelp)->type_name("en|fr|de");
        optimise->add_option("--catalogue", op.input.cataloguePath, kCatalogueHelp)->type_name("PATH");
        optimise->add_option("--ned", optNEd, "design axial force N.Ed at normal temperature, kN (over the project's)")
            ->type_name("KN");
        optimise->add_option("--nfied", optNFiEd, "design axial force N.fi,Ed in fire, kN (over the project's)")
            ->type_name("KN");
        optimise->add_option("--class", optClass, "required fire resistance class (over the project's)")
            ->type_name("R30|R60|R90|R120");
        optimise->add_option("--code", optCode, "design code (over the project's), as for design")
            ->type_name("EN1994|ENV1994");
        optimise->add_option("--families", families,
                             "profile families to search, comma-separated (default: all of IPE, HE A, HE AA, HE B, "
                             "HE M, HL, HD, HP, W)")
            ->type_name("LIST");
        optimise->add_option("--max-h", maxH, "largest profile height h, mm")->type_name("MM");
        optimise->add_option("--max-b", maxB, "largest profile width b, mm")->type_name("MM");
        optimise->add_option("--diameters", diameters, "rebar diameters, mm (default: 12,14,16,20,25,28,32)")
            ->type_name("LIST");
        optimise->add_option("--layouts", layouts, "rebar layouts n1+n2 (default: 4+0,8+0,4+4,8+4)")
            ->type_name("4+0,8+0,...");
        optimise->add_option("--top", top, "how many candidates to print, 1 to 10000 (default: 10)")->type_name("N");
        optimise->add_option("--max-utilisation", maxUtilisation,
                             "target utilisation: a candidate passes when N.Ed / N.Rd and N.fi,Ed / N.fi,Rd are "
                             "at most U, above 0 and at most 1 (default: 1)")
            ->type_name("U");
        optimise->add_option("--rank", rank,
                             "rank the passing candidates by the profile's steel mass per metre (mass, the "
                             "default) or by their cost per metre of steel, bars and concrete (cost)")
            ->type_name("mass|cost");
        optimise->add_option("--price-steel", priceSteel, "unit price of structural steel per kg (default: 2)")
            ->type_name("P");
        optimise->add_option("--price-rebars", priceRebars, "unit price of reinforcing steel per kg (default: 1.5)")
            ->type_name("P");
        optimise->add_option("--price-concrete", priceConcrete, "unit price of concrete per m3 (default: 150)")
            ->type_name("P");
        optimise->add_flag("--json", op.input.json, "print one JSON object instead of the table")
            ->disable_flag_override();
        optimise->add_option("FILE.qln", op.input.projectFile);

        ScheduleCliOptions& sc = out.schedule;
        schedule = app.add_subcommand("schedule")->allow_extras();
        schedule->add_option("--base", sc.baseFile,
                             "the base project: every cell a row leaves empty takes its value (default: the "
                             "default project, profile HE 320 A)")
            ->type_name("FILE.qln");
        schedule->add_flag("--search", sc.search,
                           "search the lightest section for every row (rows marked in the column search are "
                           "searched anyway)")
            ->disable_flag_override();
        schedule->add_option("--out", sc.outFile,
                             "write the rows with their results as CSV (comma, decimal point) or as an XLSX "
                             "workbook, by the file's extension")
            ->type_name("RESULTS.csv|.xlsx");
        schedule->add_option("--pdf", sc.pdfFile, "write the schedule's report as a PDF file")->type_name("REPORT.pdf");
        schedule->add_option("--language", schedLanguage, kLanguageHelp)->type_name("en|fr|de");
        schedule->add_option("--catalogue", sc.cataloguePath, kCatalogueHelp)->type_name("PATH");
        schedule->add_option("--families", families, "with --search: as for optimise (replaces the saved schedule's)")->type_name("LIST");
        schedule->add_option("--max-h", maxH, "with --search: largest profile height h, mm")->type_name("MM");
        schedule->add_option("--max-b", maxB, "with --search: largest profile width b, mm")->type_name("MM");
        schedule->add_option("--diameters", diameters, "with --search: rebar diameters, mm")->type_name("LIST");
        schedule->add_option("--layouts", layouts, "with --search: rebar layouts n1+n2")->type_name("4+0,8+0,...");
        schedule->add_option("--max-utilisation", maxUtilisation, "with --search: target utilisation, as for optimise")
            ->type_name("U");
        schedule->add_option("--rank", rank, "with --search: mass or cost, as for optimise")->type_name("mass|cost");
        schedule->add_option("--price-steel", priceSteel, "with --search and --rank cost: as for optimise")
            ->type_name("P");
        schedule->add_option("--price-rebars", priceRebars, "with --search and --rank cost: as for optimise")
            ->type_name("P");
        schedule->add_option("--price-concrete", priceConcrete, "with --search and --rank cost: as for optimise")
            ->type_name("P");
        schedule->add_flag("--json", sc.json, "print one JSON object (rows, summary) instead of the table")
            ->disable_flag_override();
        schedule->add_option("ROWS.csv", sc.rowsFile);

        NewOptions& n = out.create;
        create = app.add_subcommand("new")->allow_extras();
        create->add_option("--language", newLanguage, kLanguageHelp)->type_name("en|fr|de");
        create->add_option("--catalogue", n.cataloguePath, kCatalogueHelp)->type_name("PATH");
        create->add_option("--code", newCode,
                           "design code of the new project: EN1994 (the default) or ENV1994, with its "
                           "recommended partial factors")
            ->type_name("EN1994|ENV1994");
        create->add_option("FILE.qln", n.projectFile);
    }
};

bool readLanguage(const std::string& v, Language& language, std::string& error)
{
    const std::optional<Language> l = languageOfCode(v);
    if (!l) {
        error = "--language takes en, fr or de, not '" + v + "'";
        return false;
    }
    language = *l;
    return true;
}

// An option given with an empty value: a name was needed.
bool givenEmpty(const CLI::App* cmd, const char* name, const std::string& value, std::string& error)
{
    if (cmd->count(name) == 0 || !value.empty())
        return false;
    error = std::string(name) + " needs a file name";
    return true;
}

bool checkPositional(const CLI::App* cmd, const std::string& file, std::string& error)
{
    if (cmd->count("FILE.qln") > 0 && file.empty()) {
        error = "the project file name is empty";
        return false;
    }
    return true;
}

// A design load option: a number from 0 up to the largest design load.
bool setDesignLoad(std::optional<double>& target, const char* option, const std::string& v, std::string& e)
{
    double value = 0;
    const char* end = v.data() + v.size();
    const auto res = std::from_chars(v.data(), end, value, std::chars_format::general);
    if (v.empty() || res.ec != std::errc() || res.ptr != end) {
        e = std::string(option) + " takes a number of kN, not '" + v + "'";
        return false;
    }
    const std::string problem = designLoadProblem(option, value);
    if (!problem.empty()) {
        e = problem;
        return false;
    }
    target = value;
    return true;
}

// --code: EN1994 or ENV1994.
bool designCodeOption(const CLI::App* cmd, const std::string& v, std::optional<DesignCode>& code, std::string& error)
{
    if (cmd->count("--code") == 0)
        return true;
    code = designCodeFromKey(v);
    if (!code || v.empty()) {
        error = "--code takes EN1994 or ENV1994, not '" + v + "'";
        return false;
    }
    return true;
}

bool designLoadOptions(const Commands& c, DesignOptions& o, std::string& error)
{
    if (!designCodeOption(c.design, c.designCode, o.code, error))
        return false;
    if (c.design->count("--ned") > 0 && !setDesignLoad(o.nEd, "--ned", c.nEd, error))
        return false;
    if (c.design->count("--nfied") > 0 && !setDesignLoad(o.nFiEd, "--nfied", c.nFiEd, error))
        return false;
    if (c.design->count("--class") > 0) {
        o.fireClass = fireClassFromCode(c.fireClass);
        if (!o.fireClass || c.fireClass.empty()) {
            error = "--class takes R30, R60, R90 or R120, not '" + c.fireClass + "'";
            return false;
        }
    }
    return true;
}

bool readNumber(const std::string& v, double& out)
{
    const char* end = v.data() + v.size();
    const auto res = std::from_chars(v.data(), end, out, std::chars_format::general);
    return !v.empty() && res.ec == std::errc() && res.ptr == end && std::isfinite(out);
}

bool readCount(const std::string& v, int& out)
{
    const char* end = v.data() + v.size();
    const auto res = std::from_chars(v.data(), end, out);
    return !v.empty() && res.ec == std::errc() && res.ptr == end;
}

// The search's constraints of optimise or schedule.
bool constraintOptions(const Commands& c, const CLI::App* cmd, OptimiseOptions& o, std::string& error);
// optimise's options after the constraints.
bool optimiseRest(const Commands& c, OptimiseOptions& o, std::string& error);

bool optimiseOptions(const Commands& c, OptimiseOptions& o, std::string& error)
{
    const CLI::App* cmd = c.optimise;
    DesignOptions& in = o.input;
    if (!designCodeOption(cmd, c.optCode, in.code, error))
        return false;
    if (cmd->count("--ned") > 0 && !setDesignLoad(in.nEd, "--ned", c.optNEd, error))
        return false;
    if (cmd->count("--nfied") > 0 && !setDesignLoad(in.nFiEd, "--nfied", c.optNFiEd, error))
        return false;
    if (cmd->count("--class") > 0) {
        in.fireClass = fireClassFromCode(c.optClass);
        if (!in.fireClass || c.optClass.empty()) {
            error = "--class takes R30, R60, R90 or R120, not '" + c.optClass + "'";
            return false;
        }
    }
    return constraintOptions(c, cmd, o, error) && optimiseRest(c, o, error);
}

bool constraintOptions(const Commands& c, const CLI::App* cmd, OptimiseOptions& o, std::string& error)
{
    std::string bad;
    if (cmd->count("--families") > 0 && !parseFamilyList(c.families, o.families, &bad)) {
        error = "--families takes IPE, HE A, HE AA, HE B, HE M, HL, HD, HP, W, not '" + bad + "'";
        return false;
    }
    for (const auto& [name, text, target] :
         {std::tuple{"--max-h", &c.maxH, &o.maxH}, std::tuple{"--max-b", &c.maxB, &o.maxB}}) {
        if (cmd->count(name) == 0)
            continue;
        double v = 0;
        if (!readNumber(*text, v) || v <= 0) {
            error = std::string(name) + " takes a length in mm above 0, not '" + *text + "'";
            return false;
        }
        *target = v;
    }
    if (cmd->count("--max-utilisation") > 0) {
        double u = 0;
        if (!readNumber(c.maxUtilisation, u) || !usableUtilisationTarget(u)) {
            error = "--max-utilisation takes a utilisation above 0 and at most 1, not '" + c.maxUtilisation + "'";
            return false;
        }
        o.maxUtilisation = u;
    }
    if (cmd->count("--rank") > 0) {
        SearchRank r{};
        if (!parseSearchRank(c.rank, r)) {
            error = "--rank takes mass or cost, not '" + c.rank + "'";
            return false;
        }
        o.rankByCost = r == SearchRank::cost;
    }
    for (const auto& [name, text, target] : {std::tuple{"--price-steel", &c.priceSteel, &o.priceSteel},
                                             std::tuple{"--price-rebars", &c.priceRebars, &o.priceRebars},
                                             std::tuple{"--price-concrete", &c.priceConcrete, &o.priceConcrete}}) {
        if (cmd->count(name) == 0)
            continue;
        double v = 0;
        if (!readNumber(*text, v) || !(v >= 0 && v <= 1e6)) {
            error = std::string(name) + " takes a price of at least 0 and at most 1e6, not '" + *text + "'";
            return false;
        }
        *target = v;
    }
    // the lists as the search limits of the desktop program read them
    if (cmd->count("--diameters") > 0 && !parseDiameterList(c.diameters, o.diameters, &bad)) {
        if (o.diameters.size() > kMaxSearchListItems)
            error = "--diameters takes at most " + std::to_string(kMaxSearchListItems) + " diameters";
        else
            error = "--diameters takes diameters in mm above 0 and at most 100, not '" +
                    (bad.empty() ? c.diameters : bad) + "'";
        return false;
    }
    std::vector<RebarChoice> layouts;
    if (cmd->count("--layouts") > 0 && !parseLayoutList(c.layouts, layouts, &bad)) {
        if (layouts.size() > kMaxSearchListItems)
            error = "--layouts takes at most " + std::to_string(kMaxSearchListItems) + " layouts";
        else
            error = "--layouts takes layouts n1+n2 such as 4+0,8+4, not '" + (bad.empty() ? c.layouts : bad) + "'";
        return false;
    }
    for (const RebarChoice& l : layouts)
        o.layouts.emplace_back(l.n1, l.n2);
    return true;
}

bool optimiseRest(const Commands& c, OptimiseOptions& o, std::string& error)
{
    const CLI::App* cmd = c.optimise;
    DesignOptions& in = o.input;
    if (cmd->count("--top") > 0 && (!readCount(c.top, o.top) || o.top < 1 || o.top > 10000)) {
        error = "--top takes a whole number from 1 to 10000, not '" + c.top + "'";
        return false;
    }
    if (givenEmpty(cmd, "--input", in.inputJson, error) || givenEmpty(cmd, "--catalogue", in.cataloguePath, error))
        return false;
    if (in.projectFile.empty() && in.inputJson.empty()) {
        error = "optimise needs a project file FILE.qln or --input FILE.json";
        return false;
    }
    if (!in.projectFile.empty() && !in.inputJson.empty()) {
        error = "optimise takes either a project file or --input, not both";
        return false;
    }
    return true;
}

std::string lowerExtension(const std::string& path)
{
    const std::size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.')
        return "";
    std::string e = path.substr(dot + 1);
    for (char& ch : e)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return e;
}

bool scheduleOutKnown(const std::string& path)
{
    const std::string e = lowerExtension(path);
    return e == "csv" || e == "xlsx";
}

std::string optionHelp(const CLI::App* cmd)
{
    std::string s;
    for (const CLI::Option* o : cmd->get_options()) {
        if (o->get_positional())
            continue;
        std::string head = "  " + o->get_name();
        if (o->get_type_size() != 0)
            head += " " + o->get_type_name();
        if (head.size() < 28)
            head.resize(28, ' ');
        else
            head += "\n" + std::string(28, ' ');
        s += head + o->get_description() + "\n";
    }
    return s;
}

// The options of args into out; false with the message on wrong usage.
bool parseInto(const std::vector<std::string>& args, ParsedArgs& out, std::string& error)
{
    for (const std::string& a : args) {
        if (a == "--")
            break;
        if (a == "--help" || a == "-h") {
            out.command = Command::Help;
            return true;
        }
        if (a == "--version") {
            out.command = Command::Version;
            return true;
        }
    }
    if (args.empty()) {
        error = "a command is needed: design, optimise, schedule or new";
        return false;
    }
    const std::string& cmd = args[0];
    if (cmd == "help") {
        out.command = Command::Help;
        return true;
    }
    if (cmd != "design" && cmd != "new" && cmd != "optimise" && cmd != "schedule") {
        error = "unknown command '" + cmd + "' (the commands are design, optimise, schedule and new)";
        return false;
    }

    Commands c(out);
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());   // CLI11 takes them last first
        c.app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        error = e.what();
        return false;
    }
    for (const std::string& extra : c.app.remaining(true)) {
        if (extra == "--")
            continue;
        if (extra.size() > 1 && extra[0] == '-')
            error = "unknown option '" + extra.substr(0, extra.find('=')) + "'";
        else
            error = "unexpected argument '" + extra + "' (only one project file is taken)";
        return false;
    }
    if (c.design->parsed()) {
        out.command = Command::Design;
        DesignOptions& o = out.design;
        if (!readLanguage(c.designLanguage, o.language, error) || !checkPositional(c.design, o.projectFile, error))
            return false;
        if (c.listing != "complete" && c.listing != "condensed") {
            error = "--listing takes complete or condensed, not '" + c.listing + "'";
            return false;
        }
        o.condensed = c.listing == "condensed";
        if (!designLoadOptions(c, o, error))
            return false;
        if (givenEmpty(c.design, "--input", o.inputJson, error) || givenEmpty(c.design, "--svg", o.svgFile, error) ||
            givenEmpty(c.design, "--pdf", o.pdfFile, error) || givenEmpty(c.design, "--plots", o.plotsDir, error) ||
            givenEmpty(c.design, "--catalogue", o.cataloguePath, error))
            return false;
        if (!o.pdfFile.empty() && !pdfReportAvailable()) {
            error = "--pdf is not available: this qeln-cli was built without the Qt parts (QELN_GUI=OFF)";
            return false;
        }
        if (o.curves && !o.json) {
            error = "--curves adds to the JSON output: it needs --json";
            return false;
        }
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
    if (c.optimise->parsed()) {
        out.command = Command::Optimise;
        OptimiseOptions& o = out.optimise;
        return readLanguage(c.optLanguage, o.input.language, error) &&
               checkPositional(c.optimise, o.input.projectFile, error) && optimiseOptions(c, o, error);
    }
    if (c.schedule->parsed()) {
        out.command = Command::Schedule;
        ScheduleCliOptions& o = out.schedule;
        if (!readLanguage(c.schedLanguage, o.language, error) ||
            !constraintOptions(c, c.schedule, o.constraints, error))
            return false;
        if (c.schedule->count("ROWS.csv") > 0 && o.rowsFile.empty()) {
            error = "the schedule file name is empty";
            return false;
        }
        if (givenEmpty(c.schedule, "--base", o.baseFile, error) || givenEmpty(c.schedule, "--out", o.outFile, error) ||
            givenEmpty(c.schedule, "--pdf", o.pdfFile, error) ||
            givenEmpty(c.schedule, "--catalogue", o.cataloguePath, error))
            return false;
        if (o.rowsFile.empty() && o.baseFile.empty()) {
            error = "schedule needs a schedule file ROWS.csv or a --base project that holds a schedule";
            return false;
        }
        if (!o.outFile.empty() && !scheduleOutKnown(o.outFile)) {
            error = "--out takes a file ending in .csv or .xlsx, not '" + o.outFile + "'";
            return false;
        }
        return true;
    }
    out.command = Command::New;
    NewOptions& o = out.create;
    if (!readLanguage(c.newLanguage, o.language, error) || !checkPositional(c.create, o.projectFile, error) ||
        givenEmpty(c.create, "--catalogue", o.cataloguePath, error))
        return false;
    if (o.projectFile.empty()) {
        error = "new needs the name of the project file to write";
        return false;
    }
    std::optional<DesignCode> code;
    if (!designCodeOption(c.create, c.newCode, code, error))
        return false;
    o.code = code.value_or(DesignCode::EN1994);
    return true;
}

} // namespace

Result<ParsedArgs> parseArguments(const std::vector<std::string>& args)
{
    ParsedArgs out;
    std::string error;
    if (parseInto(args, out, error))
        return out;
    return Failure::because(std::move(error));
}

std::string helpText()
{
    ParsedArgs unused;
    const Commands c(unused);
    std::string s;
    s += "qeln-cli - QELN - Column without windows: design runs of partially encased\n"
         "composite columns by EN 1994-1-1:2004 with EN 1994-1-2:2005 Annex G, or by\n"
         "ENV 1994-1-1 / 1994-1-2 Annex F (the project's code), from project files or\n"
         "JSON.\n"
         "\n"
         "Usage:\n"
         "  qeln-cli design FILE.qln [options]\n"
         "  qeln-cli design --input FILE.json [options]\n"
         "  qeln-cli optimise FILE.qln [options]\n"
         "  qeln-cli optimise --input FILE.json [options]\n"
         "  qeln-cli schedule ROWS.csv [--base FILE.qln] [--search] [--out RESULTS.csv|.xlsx]\n"
         "                            [--pdf REPORT.pdf] [--json] [options]\n"
         "  qeln-cli schedule --base FILE.qln [options]   (the project's own schedule)\n"
         "  qeln-cli new FILE.qln [options]\n"
         "  qeln-cli --help\n"
         "  qeln-cli --version   (the program's version and build, as the report names them)\n"
         "\n"
         "design: runs the input checks and the design run of the project and prints\n"
         "the complete listing (or the condensed one), one line per listing line,\n"
         "with '.' as decimal separator and dates as YYYY-MM-DD hh:mm:ss.\n"
         "Options of design:\n";
    s += optionHelp(c.design);
    s += "\n"
         "optimise: searches the catalogue for the lightest section that carries the\n"
         "project's design loads (N.Ed, or N.fi,Ed with a fire class; the search is\n"
         "refused without one). Candidates: every profile of the chosen families within\n"
         "the maxima, times every diameter, times every layout; every other input is\n"
         "the project's. A candidate passes when its input checks give no error, its\n"
         "run is valid and its design check passes with each given utilisation at most\n"
         "the target (--max-utilisation, 1 by default). Order: steel mass per metre, then\n"
         "rebar area, then the catalogue's display order, then d, n1, n2. Prints a table\n"
         "of the first N passing candidates (profile, rebars, steel kg/m, N.Rd,\n"
         "utilisation, N.fi.Rd, fire utilisation, achieved class), or with --json one\n"
         "object with the keys evaluated, passing, maxUtilisation, failing (the\n"
         "candidates that fail, counted by inputChecks, fieldOfApplication, resistance\n"
         "and aboveTarget), fireLengthNeedsWidth (the smallest b, mm, that the fire\n"
         "buckling length allows within the field of application, or null) and\n"
         "candidates (an array of objects with profileName, d, n1, n2, steelMass,\n"
         "rebarArea, nRd, utilisation, nFiRd, fireUtilisation, achievedClass, null\n"
         "where a check was not given, and alsoNamed: the other profiles of the same\n"
         "dimensions, which the table names after the candidate).\n"
         "Exit status 0 when a candidate passes, 4 when none does.\n"
         "Options of optimise:\n";
    s += optionHelp(c.optimise);
    s += "\n"
         "schedule: designs every row of a column schedule. ROWS.csv: a header line\n"
         "with the column name, optionally search (yes/no), and project fields by\n"
         "their JSON names (see below), then one line per column position; a cell\n"
         "left empty takes the base project's value. Comma, semicolon or tab separated\n"
         "(as the header is), decimal point, or decimal comma with semicolons or tabs;\n"
         "lines of empty cells are passed over; cells may\n"
         "be quoted with \"\"; UTF-8 (with or without byte-order mark) or Windows-1252.\n"
         "A row naming a profile takes its section from the catalogue. A malformed\n"
         "line is reported with its line and field and nothing is run. Prints a table\n"
         "(position, section, rebars, N.Rd, utilisation, N.fi,Rd, fire utilisation,\n"
         "achieved class, result, errors, warnings) and the summary: rows, passing,\n"
         "failing, steel and rebar mass in kg and concrete in m3 (per metre times the\n"
         "member length, column length; rows without one count 0 and are counted).\n"
         "Rows of the same name are load combinations of one position: it passes\n"
         "when every one does, with the largest utilisation. With --json one\n"
         "object: rows (name, profileName, d, n1, n2, table, scope, check, errors,\n"
         "warnings as design --json gives them; positionPasses, positionUtilisation,\n"
         "sectionGroup) and summary (rows, passing, failing, steelMass, rebarMass,\n"
         "concreteVolume, positions, positionsPassing, rowsWithoutLength). With\n"
         "--search each row gets the lightest passing section; rows with the same\n"
         "loads and lengths share one search. The rows of one column line (column\n"
         "line), else the combinations of one position, get one section: the\n"
         "lightest that carries every one of them.\n"
         "Without ROWS.csv the rows are the schedule saved in the --base project, and\n"
         "its search limits (families, largest h and b, diameters, layouts) apply;\n"
         "each of --families, --max-h, --max-b, --diameters, --layouts replaces its part.\n"
         "Exit status 0 when every row passes, 4 when one does not, 1 for a malformed\n"
         "schedule or a row whose cells cannot be taken.\n"
         "Options of schedule:\n";
    s += optionHelp(c.schedule);
    s += "\n"
         "new: writes the default project (profile HE 320 A from the catalogue, time\n"
         "stamps now) to FILE.qln; an existing file of that name is kept as <name>BAK.\n"
         "Options of new:\n";
    s += optionHelp(c.create);
    s += "\n"
         "JSON input: one object whose members are project fields by name; missing\n"
         "fields take the defaults of a new project, unknown fields and values of the\n"
         "wrong type are refused. The fields:\n  ";
    s += inputFieldNames();
    s += ".\n"
         "Texts are strings, n1 and n2 integers, movrixAvailable and autoReduce true or\n"
         "false, everything else numbers (createdOn / lastUpdated: days since\n"
         "1899-12-30, time of day as the fraction; default: now); checkDate is \"\" or a\n"
         "date written YYYY-MM-DD. When all of h, b, tw, tf and r are given the\n"
         "section is taken as it stands (a welded or unlisted section;\n"
         "movrixAvailable then defaults to false) and the catalogue is not read;\n"
         "otherwise profileName (default HE 320 A) is looked up in the catalogue and\n"
         "any of h, b, tw, tf, r, movrixAvailable given replace the catalogue's.\n"
         "\n"
         "JSON output (--json): one object with the keys table (5 rows normal\n"
         "temperature, R 30, R 60, R 90, R 120 x 5 columns axial weak, axial strong,\n"
         "eccentric weak, eccentric strong, biaxial, in kN; null for cells the run did\n"
         "not reach),\n"
         "errors, warnings, hasErrors, hasWarnings, calcError, messageBoxes, rho,\n"
         "fyCalc, dCalc, concreteVolume, rebarLocationLines, memberDetailLines,\n"
         "resultsLines, componentsLines, listing (empty unless the results are valid),\n"
         "grid (8 x 6 strings), and checker, checkDate and revision (the project's\n"
         "approval, \"\" when not given). Numbers have full double precision.\n"
         "\n"
         "Design loads (JSON input nEd, nFiEd in kN, fireClass \"\" or \"R30\" .. \"R120\";\n"
         "the options --ned, --nfied and --class lay theirs over the project's): the\n"
         "JSON output adds scope, five booleans (normal temperature, R 30 .. R 120),\n"
         "false for a fire class outside the field of application of the simplified\n"
         "method (the conditions of the warnings on the profile size and on the fire\n"
         "buckling lengths), and check, null unless the results are valid and nEd or\n"
         "nFiEd is given, else an object with the keys nEd, fireClass, nFiEd, nRd,\n"
         "utilisation, servicePasses (when nEd is given), nFiRd, fireUtilisation,\n"
         "fireWithinScope, firePasses (when fireClass and nFiEd are given),\n"
         "achievedClass (when nFiEd is given: \"R30\" .. \"R120\", the highest class\n"
         "inside the field of application whose smallest value carries nFiEd, or\n"
         "\"none\"), governing (\"service\" for normal temperature or \"fire\": the given\n"
         "check with the larger utilisation) and passes (every given check passes; a\n"
         "utilisation of exactly 1 passes). Keys that do not apply are null; a\n"
         "utilisation that cannot be\n"
         "computed (smallest value 0) is null and fails.\n"
         "\n"
         "Diagrams (--plots DIR, --json --curves), at normal temperature with the cold\n"
         "buckling lengths: the interaction diagram of each axis shows the plastic\n"
         "curve M(N) of the section, the allowed moment 0.9 (M(N) - Mk N / N.Rd) up to\n"
         "N.Rd, the acting moment N e k(N) with the second-order amplification for the\n"
         "project's eccentricity, their crossing (the eccentric resistance of the\n"
         "table) and the design load (N.Ed, N.Ed e); the resistance-versus-\n"
         "eccentricity plot of each axis shows the eccentric resistance at normal\n"
         "temperature and of R 30 .. R 120 for e from 0 to the limit of the checks\n"
         "(b/2 for e1, h/2 for e2) in 30 steps, a class outside the field of application\n"
         "dashed. The plots' texts are in the --language, their numbers with its\n"
         "decimal separator (',' for fr and de). With --curves the JSON output adds curves: status (\"ok\",\n"
         "\"inputErrors\" or \"calculationError\") and weak and strong (null unless\n"
         "ok), each with e, nplRd, nRd, nCr, Mk, plastic, allowed and acting ({N, M}:\n"
         "arrays in kN and kNm, N falling for plastic and allowed, rising for acting),\n"
         "resistance ({N, M}; N is the table's eccentric cell), load ({N, M} or null)\n"
         "and eccentricity (e: the eccentricities in mm, eLimit, series: one object\n"
         "per row with row \"Service\" (normal temperature), \"R30\" .. \"R120\", N in kN\n"
         "per eccentricity and outside).\n"
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
         "      PDF, the plots or the new project file\n"
         "  4   valid results, but the design check of the design loads does not pass\n"
         "      (0 when it passes or no design load is given); optimise: no candidate\n"
         "      passes\n"
         "  64  wrong usage: unknown command or option, missing or bad value, malformed\n"
         "      JSON input, unknown JSON field or a value of the wrong type\n"
         "  70  internal failure\n";
    return s;
}

} // namespace qeln::cli
