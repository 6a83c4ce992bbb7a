#include "materials.h"

#include "numeric.h"

namespace qeln {

double concreteSecantModulus(double fck)
{
    return 9.5 * Power(fck + 8, 1.0 / 3.0) * 1000;
}

double designConcreteModulus(double fck)
{
    return concreteSecantModulus(fck) * kInvGammaE;
}

double designConcreteModulusKiloLast(double fck)
{
    return 9.5 * Power(fck + 8, 1.0 / 3.0) * kInvGammaE * 1000;
}

FireClassParameters fireClassParameters(FireClass c, double AmV)
{
    switch (c) {
    case FireClass::R30: return {550, 9.65, 350, 4.0, 1.0, 1.0, 0.8, 1.0};
    case FireClass::R60: return {680, 9.55, 770, 15.0, 0.9, 1.0, 0.8, 0.9};
    case FireClass::R90: return {805, 6.15, 1100, 0.5 * AmV + 22.5, 0.8, 1.0, 0.8, 0.8};
    case FireClass::R120: return {900, 4.65, 1250, 2.0 * AmV + 24.0, 1.0, 1.0, 0.8, 1.0};
    }
    return {900, 4.65, 1250, 2.0 * AmV + 24.0, 1.0, 1.0, 0.8, 1.0};
}

bool rebarReductionFactors(FireClass c, double u, double& kyt, double& kEt)
{
    // rows: u in [40, 45), [45, 50), [50, 55), [55, 60), >= 60 mm;
    // columns: R30, R60, R90, R120; pairs: ky,t and kE,t
    static constexpr double table[5][4][2] = {
        {{1.0, 0.830}, {0.789, 0.604}, {0.314, 0.193}, {0.170, 0.110}},
        {{1.0, 0.865}, {0.883, 0.647}, {0.434, 0.283}, {0.223, 0.128}},
        {{1.0, 0.888}, {0.976, 0.689}, {0.572, 0.406}, {0.288, 0.173}},
        {{1.0, 0.914}, {1.0, 0.729}, {0.696, 0.522}, {0.367, 0.233}},
        {{1.0, 0.935}, {1.0, 0.763}, {0.822, 0.619}, {0.436, 0.285}},
    };
    int band;
    if (u < 40) return false;
    if (u < 45) band = 0;
    else if (u < 50) band = 1;
    else if (u < 55) band = 2;
    else if (u < 60) band = 3;
    else band = 4;
    const int col = static_cast<int>(c);
    kyt = table[band][col][0];
    kEt = table[band][col][1];
    return true;
}

} // namespace qeln
