// Input checks before a run: validity limits of the method and plausibility
// limits, the reinforcement ratio and the yield point used by the run.
#pragma once

#include "calc/env.h"
#include "calc/records.h"

namespace qeln {

struct CheckOutcome {
    double rho = 0;      // reinforcement ratio, %
    double fyCalc = 0;   // yield point used by the run
    double dCalc = 0;    // working copy of d handed to the run
    int n1 = 0, n2 = 0;  // run copies
};

// Empties res.errors / res.warnings and their flags, then runs every check in
// order. Throws CalculationError where the input makes a check's arithmetic
// undefined (fy <= 0, tf = 0, Ac + As = 0).
CheckOutcome RunInputChecks(const CalcEnv& env, const ColumnInput& in, ColumnResults& res);

} // namespace qeln
