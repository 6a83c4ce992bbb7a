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
    // A partial safety factor or buckling length not above 0, an axis
    // distance UC1 or UF1 not above 0, or a percentage of permanent load
    // outside 0..100: errors are given and the design run is not started.
    bool unusable = false;
};

// Empties res.errors / res.warnings and their flags, then runs every check in
// order: the validity and plausibility limits, then (after the eccentricities,
// whose limits hold for both signs) the values outside their meaning. Throws
// CalculationError where the input makes a check's arithmetic undefined
// (fy <= 0, tf = 0, Ac + As = 0).
CheckOutcome RunInputChecks(const CalcEnv& env, const ColumnInput& in, ColumnResults& res);

} // namespace qeln
