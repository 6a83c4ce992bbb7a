// The design run of the ENV method: one call turns a project's input and
// the outcome of its input checks into its ultimate loads and every
// intermediate value behind them; calc/listing.cpp writes the listing
// sections, the result grid and the drawing from them.
#pragma once

#include "eccentric.h"
#include "materials.h"
#include "member.h"

#include "calc/outcome.h"
#include "calc/records.h"

namespace qeln::env1994 {

// The design values of the materials (DesignValues, materials.h).
DesignValues designValues(const ColumnInput& in, double fyCalc);

// The eccentric resistance's input for a pair of buckling lengths (m) and
// the absolute eccentricities (mm), with the input's partial factors.
EccentricInput eccentricInput(const ColumnInput& in, const DesignValues& v, double lWeak, double lStrong, double e1,
                              double e2, double rho);

// Runs the design into `out`, with the values of the input checks (fyCalc,
// rho); when they found errors the run stops after the weak axis at service
// conditions, as it does after an error of its own. Every partial factor is
// the input's. Arithmetic faults leave as CalculationError; the steps
// reached stay in out. `out` may be reused: its buffers are kept.
void DesignRun(const ColumnInput& in, const CheckOutcome& checks, DesignOutcome& out);

} // namespace qeln::env1994
