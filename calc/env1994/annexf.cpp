// The tables of ENV 1994-1-2 Annex F (see annexf.h).
#include "annexf.h"

namespace qeln::env1994 {

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

std::optional<RebarFactors> rebarReductionFactors(FireClass c, double u)
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
    if (u < 40) return std::nullopt;
    if (u < 45) band = 0;
    else if (u < 50) band = 1;
    else if (u < 55) band = 2;
    else if (u < 60) band = 3;
    else band = 4;
    const int col = static_cast<int>(c);
    return RebarFactors{table[band][col][0], table[band][col][1]};
}

double concreteTemperature(double x, FireClass c)
{
    // Piecewise linear through the points of the class (x = AmV in 1/m),
    // linear from 0 degC at x = 0 below x = 4, constant beyond the last point.
    if (c == FireClass::R30) {
        if (x < 4) return 34 * x;
        if (x < 23) return 136 + 8.631578947368421 * (x - 4);
        if (x < 46) return 300 + 4.3478260869565215 * (x - 23);
        return 400;
    }
    if (c == FireClass::R60) {
        if (x < 4) return 53.5 * x;
        if (x < 9) return 214 + 17.2 * (x - 4);
        if (x < 21) return 300 + 8.333333333333334 * (x - 9);
        if (x < 50) return 400 + 6.896551724137931 * (x - 21);
        return 600;
    }
    if (c == FireClass::R90) {
        if (x < 4) return 64 * x;
        if (x < 6) return 256 + 22 * (x - 4);
        if (x < 13) return 300 + 14.285714285714286 * (x - 6);
        if (x < 33) return 400 + 10 * (x - 13);
        if (x < 54) return 600 + 9.523809523809524 * (x - 33);
        return 800;
    }
    if (x < 4) return 66.25 * x;
    if (x < 5) return 265 + 35 * (x - 4);
    if (x < 9) return 300 + 25 * (x - 5);
    if (x < 38) return 400 + 13.793103448275861 * (x - 9);
    if (x < 41) return 800 + 33.333333333333336 * (x - 38);
    if (x < 43) return 900 + 50 * (x - 41);
    return 1000;
}

double concreteStrainAtPeak(double t)
{
    if (t < 100) return 2.5 + 0.0125 * (t - 20);
    if (t < 200) return 3.5 + 0.01 * (t - 100);
    if (t < 400) return 4.5 + 0.015 * (t - 200);
    if (t < 500) return 7.5 + 0.02 * (t - 400);
    if (t < 600) return 9.5 + 0.03 * (t - 500);
    if (t < 700) return 12.5 + 0.015 * (t - 600);
    if (t < 900) return 14.0 + 0.005 * (t - 700);
    return 15.0;
}

double concreteStrengthFactor(double t)
{
    if (t < 20) return 1.0;
    if (t < 100) return 1.0 - 0.000625 * (t - 20);
    if (t < 200) return 0.95 - 0.0005 * (t - 100);
    if (t < 300) return 0.9 - 0.0005 * (t - 200);
    if (t < 400) return 0.85 - 0.001 * (t - 300);
    if (t < 500) return 0.75 - 0.0015 * (t - 400);
    if (t < 600) return 0.6 - 0.0015 * (t - 500);
    if (t < 700) return 0.45 - 0.0015 * (t - 600);
    if (t < 800) return 0.3 - 0.0015 * (t - 700);
    if (t < 900) return 0.15 - 0.0007 * (t - 800);
    if (t < 1000) return 0.08 - 0.0004 * (t - 900);
    if (t < 1100) return 0.04 - 0.0003 * (t - 1000);
    if (t < 1200) return 0.01 - 0.0001 * (t - 1100);
    return 0.0;
}

} // namespace qeln::env1994
