// The design run for numbers only: input checks, design run, scope and design
// check, without the listing, the details, the drawing or any text. Its
// table, findings, scope and check are those of the calculate command for the
// same input, bit for bit; the section search runs it for every candidate.
#pragma once

#include "calc/design.h"
#include "calc/designcheck.h"
#include "calc/env.h"
#include "calc/records.h"
#include "checks.h"

#include <optional>

namespace qeln {

struct NumbersRun {
    CheckOutcome derived;     // the input checks' values and findings
    DesignOutcome design;     // the design run's values (no drawing); empty when the checks made it unusable
    bool calcError = false;   // an arithmetic failure (text 219) ended the checks or the run
    bool fireLoadAboveLoad = false;   // warning 1227 (given after checks that could run)
    bool valid = false;       // no error of the checks or the member limits, no arithmetic failure
    RowScope scope{true, true, true, true, true};
    std::optional<DesignCheck> check;   // after a valid run with loads

    // The design check passes (false without a valid run or without loads).
    bool passes() const { return valid && check && check->passes; }
};

// Runs checks, design, scope and check of `in` into `out` (reused: its
// buffers are kept between calls). With `stopAtInputErrors` an input that the
// checks give an error for is not run (design empty, valid false): for the
// search, to which such an input can never pass.
void runNumbers(const CalcEnv& env, const ColumnInput& in, NumbersRun& out, bool stopAtInputErrors = false);

} // namespace qeln
