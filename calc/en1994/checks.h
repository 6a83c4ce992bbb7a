// The checks of the EN 1994 method that the ENV input checks do not make:
// the ranges of its own inputs (phi.t, r about each axis) and the limits of
// EN 1994-1-1 (steel grade, concrete class, steel contribution ratio,
// slenderness, depth to width). The ENV input checks that stay for both
// codes run beside them (shell/checks.cpp).
#pragma once

#include "calc/findings.h"
#include "calc/records.h"

#include <vector>

namespace qeln::en1994 {

// Errors and warnings in the order the user sees them. fyCalc is the yield
// point after the thickness reduction (for delta and lambda-bar); the steel
// grade checks read the entered in.fy. Never throws: where the section's
// arithmetic has no value (the run would report it), delta and lambda-bar
// are not checked.
std::vector<Finding> check(const ColumnInput& in, double fyCalc);

} // namespace qeln::en1994
