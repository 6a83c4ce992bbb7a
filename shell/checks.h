// Input checks before a run: validity limits of the method and plausibility
// limits, the reinforcement ratio and the yield point used by the run.
#pragma once

#include "calc/findings.h"
#include "calc/records.h"
#include "calc/textenv.h"

#include <string>
#include <vector>

namespace qeln {

struct CheckOutcome {
    double rho = 0;      // reinforcement ratio, %
    double fyCalc = 0;   // yield point used by the run
    double dCalc = 0;    // working copy of d handed to the run
    int n1 = 0, n2 = 0;  // run copies
    std::vector<Finding> findings;   // errors and warnings in the order the user sees them
    // Why the checks' arithmetic has no value for this input (an input that
    // is not a number, fy <= 0, tf = 0, Ac + As = 0); empty when it has one.
    std::string undefined;
    // A partial safety factor or buckling length not above 0, an axis
    // distance UC1 or UF1 not above 0, or a percentage of permanent load
    // outside 0..100: errors are given and the design run is not started.
    bool unusable = false;

    bool hasErrors() const { return anyError(findings); }
};

// Runs every check in order: the validity and plausibility limits, then
// (after the eccentricities, whose limits hold for both signs) the values
// outside their meaning. Never throws: an undefined division is reported in
// `undefined` after the checks that could run.
CheckOutcome checkInput(const ColumnInput& in);

// Appends the messages of the findings to res.errors and res.warnings (each
// followed by its separator line) and sets their flags.
void writeCheckMessages(const TextEnv& env, const std::vector<Finding>& findings, ColumnResults& res);

// Empties res.errors / res.warnings and their flags, runs the checks and
// writes their messages. Throws CalculationError where the input makes a
// check's arithmetic undefined, after writing the messages of the others.
CheckOutcome RunInputChecks(const TextEnv& env, const ColumnInput& in, ColumnResults& res);

} // namespace qeln
