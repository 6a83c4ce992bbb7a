// What a design method gives back: the outcome of its input checks and of
// its design run. The shared part (table, rows, messages, masses) is the same
// for every method; the intermediate values behind the listing are the
// method's own.
#pragma once

#include "error.h"
#include "findings.h"
#include "records.h"
#include "section.h"

#include "en1994/design.h"
#include "env1994/details.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qeln {

// The input checks of a method: its findings and the values the design run takes from them.
struct CheckOutcome {
    double rho = 0;      // reinforcement ratio, %
    double fyCalc = 0;   // yield point used by the run
    double dCalc = 0;    // working copy of d handed to the run
    int n1 = 0, n2 = 0;  // run copies
    std::vector<Finding> findings;   // errors and warnings in the order the user sees them
    // Why the checks' arithmetic has no value for this input (an input that
    // is not a number, fy <= 0, tf = 0, Ac + As = 0); none when it has one.
    std::optional<CalculationError> undefined;
    // A partial factor or buckling length not above 0, an axis distance UC1
    // or UF1 not above 0, or a percentage of permanent load outside 0..100:
    // errors are given and the design run is not started.
    bool unusable = false;

    bool hasErrors() const { return anyError(findings); }
};

// Everything a design run found, filled step by step: after an arithmetic
// fault the steps reached so far stay.
struct DesignOutcome {
    double e1 = 0, e2 = 0;       // absolute eccentricities, mm
    double dCalc = 0;            // the working rebar diameter as the run left it
    std::optional<RebarLayout> rows;            // the strong-axis rows of the service run
    double UC2 = 0;                             // axis distance of the second layer
    double dService = 0;                        // the rebar diameter of the service run (the one drawn)
    std::vector<Finding> messages;              // the run's message boxes, in order
    UltimateLoadTable table;
    std::optional<double> concreteVolume;
    bool tableComplete = false;                 // every row written
    std::optional<ComponentMasses> masses;
    // the method's intermediate values
    std::variant<env1994::Details, en1994::Outcome> details;

    // An error of the method's own limits found in the run (the input checks
    // report their own).
    bool hasErrors() const;
};

} // namespace qeln
