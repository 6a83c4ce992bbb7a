// Reduced strengths and stiffnesses of flanges, web, concrete and rebars for
// one fire class, by the simplified method of ENV 1994-1-2 Annex F.
#include "fire.h"

#include "numeric.h"

#include <cmath>

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

FireComponentResult FireComponentValues(const FireClassInput& in)
{
    FireComponentResult r;
    r.thetaF = in.thetaO + in.kt * in.AmV;
    r.kyTheta = steelStrengthFactor(r.thetaF);
    r.kETheta = steelStiffnessFactor(r.thetaF);
    r.flangeStrength = checkedDiv(in.fyCalc * r.kyTheta, in.gammaAfi);
    r.flangeModulus = in.Ea * r.kETheta;

    const double w = checkedSqrt(1 - checkedDiv(0.16 * in.Ht, in.h));
    r.hwfi = 0.5 * (in.h - 2 * in.tf) * (1 - w);
    r.webStrength = checkedDiv(in.fyCalc * w, in.gammaAfi);

    r.thetaC = concreteTemperature(in.AmV, in.fireClass);
    r.epsCuTheta = concreteStrainAtPeak(r.thetaC);
    r.kcTheta = concreteStrengthFactor(r.thetaC);
    r.concreteStrength = checkedDiv(0.86 * r.kcTheta * in.fck, in.gammaCfi);
    r.concreteSecantModulus = checkedDiv(r.kcTheta * in.fck, 0.001 * r.epsCuTheta);

    r.rebarStrength = checkedDiv(in.kyt * in.fsk, in.gammaSfi);
    r.rebarModulus = in.kEt * in.Ea;
    return r;
}

} // namespace qeln
