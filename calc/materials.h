// Material laws and constants of the design, each once, with its clause;
// the tables of the simplified fire design method; named unit conversions.
// Units: N/mm2 for strengths and moduli, mm for lengths inside the section.
#pragma once

#include "records.h"

namespace qeln {

namespace units {
// A force from an area (mm2) and a stress (N/mm2): N / 1000 = kN.
inline constexpr double kNPerkN = 1000;
// A buckling length is entered in m: pi^2 EI (N mm2) / (L (m)^2 * 1e9) is
// the critical load in kN (1e6 mm2 per m2, 1000 N per kN), one factor.
inline constexpr double kBucklingLengthScale = 1e9;
// An area in mm2 as m2 (the volume in m3 per m of column).
inline constexpr double kM2PerMm2 = 1e-6;
} // namespace units

// Elastic modulus of structural and reinforcing steel, Ea = Es
// (ENV 1994-1-1 3.3.2 and 3.2.2).
inline constexpr double kSteelModulus = 210000;

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

// Parameters of one fire class in the simplified method for partially
// encased columns (ENV 1994-1-2 Annex F): flange temperature theta.o,t and
// k.t (F.2, Table F.1), web height reduction H.t (F.3, Table F.2), concrete
// border b.c,fi (F.4, Table F.3; R90 and R120 depend on AmV), and the
// stiffness multipliers phi of flanges, web, concrete and rebars (F.6,
// Table F.6).
struct FireClassParameters {
    double thetaO, kt, Ht;
    double bcfi;
    double phiF, phiW, phiC, phiS;
};
FireClassParameters fireClassParameters(FireClass c, double AmV);

// Reduction factors of the rebars' yield point and modulus (ky,t and kE,t) by
// fire class and average axis distance u (ENV 1994-1-2 Annex F, F.5, Tables
// F.4 and F.5). False for u < 40 mm, below the smallest distance of the tables.
bool rebarReductionFactors(FireClass c, double u, double& kyt, double& kEt);

} // namespace qeln
