// The texts of the design loads and the design check: the fire class as
// written and read in files, the messages of a design load, the "Design
// check" block of the listing and of the result window and report.
#pragma once

#include "results.h"
#include "textenv.h"

#include "calc/designcheck.h"
#include "calc/records.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeln {

// "R 30", "R 60", "R 90", "R 120"
const char* fireClassLabel(FireClass c);

// The design code as it is written in files and JSON: "ENV1994", "EN1994".
const char* designCodeKey(DesignCode c);
// Reads "ENV1994" or "EN1994" (any case, blanks ignored); nullopt for anything else.
std::optional<DesignCode> designCodeFromKey(std::string_view key);

// The class as it is written in files and JSON: "R30", "R60", "R90", "R120".
const char* fireClassCode(FireClass c);
// Reads "R30" .. "R120" (also "R 30", any case); nullopt for anything else.
std::optional<FireClass> fireClassFromCode(std::string_view code);

// Why a design load cannot be taken (English, for file and command-line
// messages, naming the value `name`); empty when it is fine: 0 (not given)
// up to kMaxDesignLoad.
std::string designLoadProblem(const char* name, double v);

// Its text (1227), appended after the input checks.
void addDesignLoadWarnings(const TextEnv& env, const ColumnInput& in, ColumnResults& res);

// Marker of a row outside the field of application, and its footnote line.
inline constexpr const char* kOutsideMarker = "*";
std::string outsideFootnote(const TextEnv& env);

// A utilisation as shown: three decimals, or "—" when it cannot be computed.
std::string utilisationText(const std::optional<double>& u, const std::string& sep);
// "R 90", or text 1214 "none".
std::string achievedClassText(const TextEnv& env, const DesignCheck& c);

// One line of the "Design check" block of the result window and the report.
struct CheckLine {
    std::string label;
    std::string value;
    std::optional<bool> passes;   // the verdict in colour; none: no verdict
    std::string verdict;          // the verdict in words (text 1222 or 1223)
};
std::vector<CheckLine> designCheckLines(const TextEnv& env, const DesignCheck& c);

// A column of the result table in words ("eccentrically weak axis", "biaxial").
std::string tableColumnText(const TextEnv& env, int col);
// The cell the governing check rests on: "R 90, biaxial"; empty without one.
std::string governingCellText(const TextEnv& env, const DesignCheck& c);

// The "Design check" block of the listing (complete and condensed).
void writeDesignCheck(const TextEnv& env, MessageList& out, const DesignCheck& c);

} // namespace qeln
