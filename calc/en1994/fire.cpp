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

} // namespace

FireGeometry fireGeometry(const ColumnInput& in)
{
    FireGeometry g;
    g.u = averageAxisDistance(in.uc1, in.uf1);
    g.AmV = sectionFactor(in.h, in.b);
    return g;
}

FireClassResult fireClass(const ColumnInput& in, double fy, FireClass c,
                          const FireGeometry& g, const RebarFactors& bars)
{
    const FireClassTable& p = fireClassTable(c);
    const double h = in.h, tf = in.tf;
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

    // Areas and second moments: the borders lost, no fillets in fire.
    const FireReduction reduction{f.bcfi, f.hwfi};
    const SectionBars sb = sectionBarsOf(in);
    const qeln::SectionValues areas = qeln::sectionValues(sectionOf(in), sb, Axis::Weak, kExactSection, &reduction);
    const double NplRd = (areas.Af * f.fayF + areas.Aw * f.fayW + areas.Ac * f.fcTheta + areas.As * f.fsT) / 1000;
    const double NplR = (areas.Af * fy * f.kyTheta + areas.Aw * fy * w + areas.Ac * 0.86 * f.kcTheta * in.fck
                         + areas.As * f.kyt * in.fsk)
                        / 1000;

    for (const Axis axis : kAxes) {
        const qeln::SectionValues v = qeln::sectionValues(sectionOf(in), sb, axis, kExactSection, &reduction);
        const double If = v.If, Iw = v.Iw, Is = v.Is, Ic = v.Ic;
        const bool weak = axis == Axis::Weak;
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
