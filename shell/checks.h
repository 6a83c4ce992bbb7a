// The messages of the input checks before a run (the checks themselves are
// the design method's: calc/method.h).
#pragma once

#include "calc/findings.h"
#include "calc/outcome.h"
#include "calc/records.h"
#include "calc/textenv.h"

#include <string>
#include <vector>

namespace qeln {

// Appends the messages of the findings to res.errors and res.warnings (each
// followed by its separator line) and sets their flags.
void writeCheckMessages(const TextEnv& env, const std::vector<Finding>& findings, ColumnResults& res);

// Empties res.errors / res.warnings and their flags, runs the checks of the
// input's design method and
// writes their messages. Throws CalculationError where the input makes a
// check's arithmetic undefined, after writing the messages of the others.
CheckOutcome RunInputChecks(const TextEnv& env, const ColumnInput& in, ColumnResults& res);

} // namespace qeln
