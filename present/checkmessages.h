// The messages of the input checks, in the chosen language and decimal
// separator.
#pragma once

#include "results.h"
#include "textenv.h"

#include "calc/findings.h"
#include "calc/records.h"

#include <array>
#include <string>
#include <vector>

namespace qeln {

// Appends the messages of the findings to res.errors and res.warnings (each
// followed by its separator line) and sets their flags.
// The class list of warning 1042 (ENV 1994-1-2 F.6 (5)): "R30 ", "R60 ",
// "R90 R120 ", joined in that order ("" when no class is listed).
std::string bucklingLengthClassList(const std::array<bool, 4>& outside);

// Under EN 1994 the checks the ENV method shares cite the EN's clauses.
void writeCheckMessages(const TextEnv& env, const std::vector<Finding>& findings, ColumnResults& res,
                        DesignCode code = DesignCode::ENV1994);

} // namespace qeln
