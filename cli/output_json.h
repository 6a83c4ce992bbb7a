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
// listing, grid, scope and check (the design loads), and curves when given
// (--curves); ends with a line end.
std::string runToJson(const RunState& st, const std::vector<std::string>& messageBoxes,
                      const json::Ordered* curves = nullptr);

} // namespace qeln::cli
