// The field of application of the simplified method of ENV 1994-1-2
// Annex F: which rows of the result table it covers.
#pragma once

#include "calc/records.h"

#include <array>

namespace qeln::env1994 {

// The condition of warning 1029: a profile narrower or lower than 300 mm is
// outside the field of application for R90 and R120 (ENV 1994-1-2, 4.6.3.2(3)).
bool profileBelowFireLimits(double h, double b);

// The classes whose fire buckling lengths exceed the limits of Annex F,
// F.6 (5) (the class list of warning 1042), indexed by FireClass.
std::array<bool, 4> bucklingLengthsOutside(const ColumnInput& in);

// Per row of the result table (Service, R30, R60, R90, R120): true when the
// row lies inside the field of application. The service row always does.
RowScope rowScope(const ColumnInput& in);

} // namespace qeln::env1994
