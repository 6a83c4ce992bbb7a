// Steel at elevated temperature (see steelfire.h).
#include "steelfire.h"

namespace qeln {

double steelStrengthFactor(double t)
{
    if (t <= 400) return 1.0;
    if (t <= 500) return 1.0 - 0.0022 * (t - 400);
    if (t <= 600) return 0.78 - 0.0031 * (t - 500);
    if (t <= 700) return 0.47 - 0.0024 * (t - 600);
    if (t <= 800) return 0.23 - 0.0012 * (t - 700);
    if (t <= 900) return 0.11 - 0.0005 * (t - 800);
    if (t <= 1000) return 0.06 - 0.0002 * (t - 900);
    if (t <= 1100) return 0.04 - 0.0002 * (t - 1000);
    if (t <= 1200) return 0.02 - 0.0002 * (t - 1100);
    return 0.0;
}

double steelStiffnessFactor(double t)
{
    if (t <= 100) return 1.0;
    if (t <= 200) return 1.0 - 0.001 * (t - 100);
    if (t <= 300) return 0.9 - 0.001 * (t - 200);
    if (t <= 400) return 0.8 - 0.001 * (t - 300);
    if (t <= 500) return 0.7 - 0.001 * (t - 400);
    if (t <= 600) return 0.6 - 0.0029 * (t - 500);
    if (t <= 700) return 0.31 - 0.0018 * (t - 600);
    if (t <= 800) return 0.13 - 0.0004 * (t - 700);
    if (t <= 900) return 0.09 - 0.000225 * (t - 800);
    if (t <= 1000) return 0.0675 - 0.000225 * (t - 900);
    if (t <= 1100) return 0.045 - 0.000225 * (t - 1000);
    if (t <= 1200) return 0.0225 - 0.000225 * (t - 1100);
    return 0.0;
}

} // namespace qeln
