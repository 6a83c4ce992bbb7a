// Reduction factors of structural steel at elevated temperature: the
// effective yield strength k.y,theta and the slope of the linear elastic
// range k.E,theta (ENV 1994-1-2 Table 3.1; EN 1993-1-2 Table 3.1 gives the
// same values), linear between the points of the tables.
#pragma once

namespace qeln {

double steelStrengthFactor(double theta);    // k.y,theta
double steelStiffnessFactor(double theta);   // k.E,theta

} // namespace qeln
