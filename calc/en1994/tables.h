// The tables of EN 1994-1-2:2005 Annex G (partially encased steel sections,
// balanced summation model) and the concrete of EN 1994-1-2 Table 3.3, in one
// place. The steel reduction factors k_y,theta and k_E,theta are those of
// EN 1993-1-2 Table 3.1 (calc/fire.h).
#pragma once

#include "calc/records.h"

namespace qeln::en1994 {

// Parameters of one standard fire resistance class: flange temperature
// theta_o,t and k_t (flanges), web height reduction H_t (web), concrete
// border b_c,fi = bcfi0 + bcfiPerAmV * A_m/V (concrete) and the stiffness
// multipliers phi of flanges, web, concrete and bars (buckling load).
struct FireClassTable {
    double thetaO, kt, Ht;
    double bcfi0, bcfiPerAmV;
    double phiF, phiW, phiC, phiS;
};
const FireClassTable& fireClassTable(FireClass c);

// Reduction factors k_y,t and k_E,t of the bars' yield point and modulus by
// class and average axis distance u in bands, no interpolation between them.
struct RebarFactors {
    double kyt = 0, kEt = 0;
};
// False for u below 40 mm, the smallest distance of the tables.
bool rebarFactors(FireClass c, double u, RebarFactors& out);

// Average concrete temperature theta_c (degC) by class and section factor
// A_m/V (1/m): linear between the points of the class, from 0 degC at
// A_m/V = 0 up to the first point, constant beyond the last.
double concreteTemperature(FireClass c, double AmV);

// Concrete of normal weight at elevated temperature (EN 1994-1-2 Table 3.3,
// = EN 1992-1-2 Table 3.1, siliceous aggregate): k_c,theta and the strain
// epsilon_cu,theta in per mille at f_c,theta, linear between the points;
// below 20 degC the 20 degC values, above 1200 degC the 1200 degC values.
double concreteStrengthFactor(double theta);
double concreteStrainAtPeak(double theta);

} // namespace qeln::en1994
