// The run pipeline: the input checks, the design run, the scope and the
// design check of the project's design method, without any text. The
// calculate command formats what it gives; the section search, the schedule
// and the diagrams read its numbers.
#pragma once

#include "present/checktext.h"
#include "calc/outcome.h"
#include "calc/records.h"

#include <optional>
#include <string>

namespace qeln {

struct NumbersRun {
    CheckOutcome derived;     // the input checks' values and findings
    DesignOutcome design;     // the design run's values; empty when the checks made it unusable
    bool calcError = false;   // an arithmetic failure (text 219) ended the checks or the run
    FaultKind calcErrorKind = FaultKind::Invalid;   // and its kind
    std::string calcErrorWhat;   // the failure's own (technical) description
    bool fireLoadAboveLoad = false;   // warning 1227 (given after checks that could run)
    bool valid = false;       // no error of the checks or the method's limits, no arithmetic failure
    RowScope scope{true, true, true, true, true};
    std::optional<DesignCheck> check;   // after a valid run with loads

    // The design check passes (false without a valid run or without loads).
    bool passes() const { return valid && check && check->passes; }
};

struct RunOptions {
    // An input that the checks give an error for is not run (design empty,
    // valid false): for the search, to which such an input can never pass.
    bool stopAtInputErrors = false;
};

// Runs checks, design, scope and check of `in` by its design code into `out`
// (reused: its buffers are kept between calls).
void runNumbers(const ColumnInput& in, NumbersRun& out, RunOptions options = {});

} // namespace qeln
