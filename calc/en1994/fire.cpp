#include "fire.h"

#include "member.h"
#include "tables.h"

#include "calc/numeric.h"
#include "calc/steelfire.h"

#include <cmath>
#include <numbers>

namespace qeln::en1994 {

namespace {

constexpr double pi = std::numbers::pi;

double cube(double x) { return x * x * x; }

} // namespace

FireGeometry fireGeometry(const ColumnInput& in)
{
    FireGeometry g;
    // the average of the two axis distances; where they differ by more than
    // 10 mm, the smaller one and 10 mm more
    if (std::fabs(in.uc1 - in.uf1) <= 10) {
        g.u = checkedSqrt(in.uc1 * in.uf1);
    } else {
        const double m = std::min(in.uc1, in.uf1);
        g.u = checkedSqrt(m * (m + 10));
    }
    g.AmV = checkedDiv(2 * (in.h + in.b), in.h * in.b) * 1000;   // 1/mm as 1/m
    return g;
}

FireClassResult fireClass(const ColumnInput& in, const SectionValues& s, double fy, FireClass c,
                          const FireGeometry& g, const RebarFactors& bars)
{
    const FireClassTable& p = fireClassTable(c);
    const double h = in.h, b = in.b, tw = in.tw, tf = in.tf;
    FireClassResult f;
    f.fireClass = c;
    f.phiF = p.phiF;
    f.phiW = p.phiW;
    f.phiC = p.phiC;
    f.phiS = p.phiS;

    // Flanges.
    f.thetaF = p.thetaO + p.kt * g.AmV;
    f.kyTheta = steelStrengthFactor(f.thetaF);
    f.kETheta = steelStiffnessFactor(f.thetaF);
    f.fayF = checkedDiv(fy * f.kyTheta, in.gammaAfi);
    f.EaF = kSteelModulus * f.kETheta;

    // Web: the height h_w,fi at each end lost, the rest at a reduced strength.
    const double w = checkedSqrt(1 - checkedDiv(0.16 * p.Ht, h));
    f.hwfi = 0.5 * (h - 2 * tf) * (1 - w);
    f.fayW = checkedDiv(fy * w, in.gammaAfi);

    // Concrete: the border b_c,fi lost, the rest at the average temperature.
    f.bcfi = p.bcfi0 + p.bcfiPerAmV * g.AmV;
    f.thetaC = concreteTemperature(c, g.AmV);
    f.kcTheta = concreteStrengthFactor(f.thetaC);
    f.epsCuTheta = concreteStrainAtPeak(f.thetaC);
    f.fcTheta = checkedDiv(0.86 * f.kcTheta * in.fck, in.gammaCfi);
    f.EcSecTheta = checkedDiv(f.kcTheta * in.fck, 0.001 * f.epsCuTheta);

    // Bars.
    f.kyt = bars.kyt;
    f.kEt = bars.kEt;
    f.fsT = checkedDiv(f.kyt * in.fsk, in.gammaSfi);
    f.EsT = f.kEt * kSteelModulus;

    // Areas; no fillets in fire.
    const double bc = f.bcfi;
    const double Af = 2 * b * tf;
    const double Aw = (h - 2 * tf - 2 * f.hwfi) * tw;
    const double As = s.As;
    const double Ac = (h - 2 * bc - 2 * tf) * (b - tw - 2 * bc) - As;
    const double NplRd = (Af * f.fayF + Aw * f.fayW + Ac * f.fcTheta + As * f.fsT) / 1000;
    const double NplR =
        (Af * fy * f.kyTheta + Aw * fy * w + Ac * 0.86 * f.kcTheta * in.fck + As * f.kyt * in.fsk) / 1000;

    const double hw = h - 2 * tf;
    for (const Axis axis : kAxes) {
        const bool weak = axis == Axis::Weak;
        const double If = weak ? cube(b) * tf / 6 : (cube(h) - cube(hw)) * b / 12;
        const double Iw = weak ? cube(tw) * (hw - 2 * f.hwfi) / 12 : cube(hw - 2 * f.hwfi) * tw / 12;
        const double Is = s.axis[at(axis)].Is;
        const double Ic = weak ? (cube(b - 2 * bc) - cube(tw)) * (hw - 2 * bc) / 12 - Is
                               : cube(hw - 2 * bc) * (b - tw - 2 * bc) / 12 - Is;
        FireAxisResult& a = f.axis[at(axis)];
        a.NfiPlRd = checkedFinite(NplRd);
        a.NfiPlR = checkedFinite(NplR);
        a.EIfiEff = checkedFinite(f.phiF * f.EaF * If + f.phiW * kSteelModulus * Iw + f.phiC * f.EcSecTheta * Ic
                                  + f.phiS * f.EsT * Is);
        a.l = weak ? in.lWeakFire : in.lStrongFire;
        a.NfiCr = checkedDiv(pi * pi * a.EIfiEff, a.l * a.l * 1e9);
        a.lambda = checkedSqrt(checkedDiv(a.NfiPlR, a.NfiCr));
        a.chi = reductionFactor(a.lambda, 0.49);
        a.NfiRd = checkedFinite(a.chi * a.NfiPlRd);
    }
    return f;
}

} // namespace qeln::en1994
