// The outcome of one design run as a JSON object.
#pragma once

#include "json.h"

#include "shell/run.h"

#include <string>
#include <vector>

namespace qeln::cli {

// One object with the keys table, errors, warnings, hasErrors, hasWarnings,
// calcError, messageBoxes, rho, fyCalc, dCalc, concreteVolume,
// rebarLocationLines, memberDetailLines, resultsLines, componentsLines,
// listing, grid, scope and check (the design loads), checker, checkDate and
// revision (the project's approval, "" when not given), details for an EN 1994
// project (the values behind the table, per axis weak and strong, and biaxial;
// null when the run did not finish), and curves when given (--curves); ends
// with a line end.
std::string runToJson(const RunState& st, const ColumnInput& in, const std::vector<std::string>& messageBoxes,
                      const json::Ordered* curves = nullptr);

// The pieces of that object: table (5 x 5, null for empty cells), scope
// (five booleans) and check (null without a check).
json::Ordered tableJson(const UltimateLoadTable& t);
json::Ordered scopeJson(const RowScope& scope);
json::Ordered designCheckJson(const std::optional<DesignCheck>& check);

} // namespace qeln::cli
