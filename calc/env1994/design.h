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

// Design values of the materials: fcd = 0.85 fck / gammaC, fsd = fsk / gammaS,
// fyd = fyCalc / gammaA, Ea = Es, Ecm, Ecd and 0.8 Ecd.
struct DesignValues {
    double fcd, fsd, fyd, Ea, Es, Ecm, Ecd, Ec;
};
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
