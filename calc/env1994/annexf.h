// The tables of the simplified method for partially encased columns in fire,
// ENV 1994-1-2 Annex F, in one place.
#pragma once

#include "calc/records.h"

#include <optional>

namespace qeln::env1994 {

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
// F.4 and F.5); none for u < 40 mm, below the smallest distance of the tables.
struct RebarFactors {
    double kyt = 0, kEt = 0;
};
std::optional<RebarFactors> rebarReductionFactors(FireClass c, double u);

// Temperature of the concrete, theta.c (F.4, Table F.3), by the section
// factor AmV (1/m) and the class.
double concreteTemperature(double AmV, FireClass c);
// Strain at the peak stress of the concrete, epsilon.cu,theta, per mille, and
// the strength reduction k.c,theta, by temperature (ENV 1994-1-2 3.2.2).
double concreteStrainAtPeak(double theta);
double concreteStrengthFactor(double theta);

} // namespace qeln::env1994
