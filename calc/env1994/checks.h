// Input checks of the ENV method before a run: validity limits of
// ENV 1994-1-1 / 1994-1-2 and plausibility limits, the reinforcement ratio
// and the yield point used by the run.
#pragma once

#include "calc/outcome.h"
#include "calc/records.h"

namespace qeln::env1994 {

// Runs every check in order: the validity and plausibility limits, then
// (after the eccentricities, whose limits hold for both signs) the values
// outside their meaning. Never throws: an undefined division is reported in
// `undefined` after the checks that could run.
CheckOutcome checkInput(const ColumnInput& in);

} // namespace qeln::env1994
