// Material laws and constants of the ENV method, each once, with its clause.
// Units: N/mm2 for strengths and moduli.
#pragma once

#include "calc/units.h"

namespace qeln::env1994 {

// Design values of the materials: fcd = 0.85 fck / gammaC, fsd = fsk / gammaS,
// fyd = fyCalc / gammaA, Ea = Es, Ecm, Ecd and 0.8 Ecd.
struct DesignValues {
    double fcd, fsd, fyd, Ea, Es, Ecm, Ecd, Ec;
};

// Partial safety factor of the concrete modulus, Ecd = Ecm / 1.35
// (ENV 1994-1-1 4.8.3.5 (3)); the division is made as a product with the
// reciprocal, as the results have always been computed.
inline constexpr double kGammaE = 1.35;
inline constexpr double kInvGammaE = 1.0 / kGammaE;
static_assert(kInvGammaE == 0.7407407407407407);

// Secant modulus of the concrete, 9.5 (fck + 8)^(1/3) kN/mm2
// (ENV 1992-1-1 3.1.2.5.2), in N/mm2.
double concreteSecantModulus(double fck);

// Design modulus of the concrete, Ecm / 1.35.
double designConcreteModulus(double fck);

// The same value as the eccentric resistance has always evaluated it,
// 9.5 (fck + 8)^(1/3) / 1.35 * 1000: the factors in another order, so the
// last bit can differ from designConcreteModulus.
double designConcreteModulusKiloLast(double fck);

// Concrete modulus of the effective stiffness, 0.8 Ecd (ENV 1994-1-1 4.8.3.5).
inline double effectiveConcreteModulus(double Ecd) { return 0.8 * Ecd; }

// Concrete modulus for long-term loading, 0.8 (1 - 0.005 pcp) Ecd with pcp
// the permanent share of the load in % (ENV 1994-1-1 4.8.3.5 (3) with
// 0.5 NG.Sd / NSd).
inline double longTermConcreteModulus(double Ecd, double pcp) { return 0.8 * (1 - 0.005 * pcp) * Ecd; }

} // namespace qeln::env1994
