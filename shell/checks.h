// The input checks before a run with their messages (the checks themselves
// are the design method's: calc/method.h; their texts: present/checkmessages.h).
#pragma once

#include "calc/outcome.h"
#include "calc/records.h"
#include "present/checkmessages.h"
#include "present/results.h"
#include "present/textenv.h"

namespace qeln {

// Empties res.errors / res.warnings and their flags, runs the checks of the
// input's design method and writes their messages. Throws CalculationError
// where the input makes a check's arithmetic undefined, after writing the
// messages of the others.
CheckOutcome RunInputChecks(const TextEnv& env, const ColumnInput& in, ColumnResults& res);

} // namespace qeln
