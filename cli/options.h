// Command-line options of qeln-cli. Each command has a table of options;
// the parser and the help text are driven by the tables, so a new option is
// one entry in a table, one field in the command's option record and the
// step that uses it.
#pragma once

#include "calc/records.h"

#include <functional>
#include <optional>
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
    int languageBase = 0;          // --language en|fr|de
    std::string cataloguePath;     // --catalogue; empty: PROFKVL2.DBF beside the program
};

struct DesignOptions : CommonOptions {
    std::string projectFile;       // FILE.qln (positional)
    std::string inputJson;         // --input FILE.json ("-": standard input)
    bool json = false;             // --json
    bool condensed = false;        // --listing condensed
    std::string svgFile;           // --svg OUT.svg
    std::string pdfFile;           // --pdf OUT.pdf
    // design loads laid over the project's (--ned, --nfied, --class)
    std::optional<double> nEd, nFiEd;
    std::optional<FireClass> fireClass;
};

struct NewOptions : CommonOptions {
    std::string projectFile;       // FILE.qln (positional)
};

template <class Opts>
struct OptionDef {
    const char* name;        // "--svg"
    const char* valueName;   // "OUT.svg", or nullptr for a switch
    const char* help;
    // Applies the value; returns false with a message for a bad value.
    std::function<bool(Opts&, const std::string& value, std::string& error)> apply;
};

const std::vector<OptionDef<DesignOptions>>& designOptionTable();
const std::vector<OptionDef<NewOptions>>& newOptionTable();

enum class Command { None, Help, Design, New };

struct ParsedArgs {
    Command command = Command::None;
    DesignOptions design;
    NewOptions create;
};

// Parses argv (without the program name). False with a message on wrong usage.
bool parseArguments(const std::vector<std::string>& args, ParsedArgs& out, std::string& error);

std::string helpText();

} // namespace qeln::cli
