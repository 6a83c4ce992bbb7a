// Command-line options of qeln-cli, read with CLI11. Each command's options
// are declared once (buildCommands in options.cpp); the parser and the lists
// of options in the help text both come from there, so a new option is one
// declaration, one field in the command's option record and the step that
// uses it.
#pragma once

#include "calc/records.h"
#include "platform/failure.h"
#include "present/languages.h"

#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace qeln::cli {

inline constexpr int kExitValid = 0;
inline constexpr int kExitInputErrors = 1;
inline constexpr int kExitCalculationError = 2;
inline constexpr int kExitFileError = 3;
inline constexpr int kExitCheckFails = 4;   // valid results, but the design check does not pass
inline constexpr int kExitUsage = 64;
inline constexpr int kExitInternal = 70;

struct CommonOptions {
    Language language = Language::English;   // --language en|fr|de
    std::string cataloguePath;     // --catalogue; empty: PROFKVL2.DBF beside the program
};

struct DesignOptions : CommonOptions {
    std::string projectFile;       // FILE.qln (positional)
    std::string inputJson;         // --input FILE.json ("-": standard input)
    bool json = false;             // --json
    bool condensed = false;        // --listing condensed
    std::string svgFile;           // --svg OUT.svg
    std::string pdfFile;           // --pdf OUT.pdf
    std::string plotsDir;          // --plots DIR: the four diagrams as SVG files
    bool curves = false;           // --curves: the diagrams' data in the JSON output
    // design loads laid over the project's (--ned, --nfied, --class)
    std::optional<double> nEd, nFiEd;
    std::optional<FireClass> fireClass;
    // --code: the design code laid over the project's (with its recommended
    // partial factors when it changes the code)
    std::optional<DesignCode> code;
};

struct NewOptions : CommonOptions {
    std::string projectFile;       // FILE.qln (positional)
    DesignCode code = DesignCode::EN1994;   // --code
};

// optimise: the project is read as design reads it (FILE.qln or --input,
// --ned, --nfied, --class, --catalogue); `input` holds those options.
struct OptimiseOptions {
    DesignOptions input;
    std::vector<std::string> families;   // --families; empty: every family
    std::optional<double> maxH, maxB;    // --max-h, --max-b, mm
    std::vector<double> diameters;       // --diameters; empty: the default list
    std::vector<std::pair<int, int>> layouts;   // --layouts; empty: the default list
    int top = 10;                        // --top
    double maxUtilisation = 1.0;         // --max-utilisation
    bool rankByCost = false;             // --rank cost (mass: false)
    double priceSteel = 2.0, priceRebars = 1.5, priceConcrete = 150;   // --price-steel, --price-rebars, --price-concrete
};

// schedule: every row of ROWS.csv designed on the base project (--base, else
// the default project); the search's constraints as optimise reads them.
struct ScheduleCliOptions : CommonOptions {
    std::string rowsFile;                // ROWS.csv (positional)
    std::string baseFile;                // --base FILE.qln
    bool search = false;                 // --search: every row
    std::string outFile;                 // --out RESULTS.csv|RESULTS.xlsx
    std::string pdfFile;                 // --pdf REPORT.pdf
    bool json = false;                   // --json
    OptimiseOptions constraints;         // --families, --max-h, --max-b, --diameters, --layouts
};

enum class Command { None, Help, Version, Design, New, Optimise, Schedule };

struct ParsedArgs {
    Command command = Command::None;
    DesignOptions design;
    NewOptions create;
    OptimiseOptions optimise;
    ScheduleCliOptions schedule;
};

// Parses argv (without the program name). The failure (malformed, with the
// message) on wrong usage.
Result<ParsedArgs> parseArguments(const std::vector<std::string>& args);

std::string helpText();

} // namespace qeln::cli
