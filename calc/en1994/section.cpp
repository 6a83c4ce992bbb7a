// Design values (EN 1994-1-1 3, 6.7.3.3(4)) and section values at room
// temperature, with the exact pi.
#include "section.h"

#include "calc/numeric.h"
#include "calc/section.h"

#include <cmath>
#include <numbers>

namespace qeln::en1994 {

namespace {

constexpr double pi = std::numbers::pi;

double sq(double x) { return x * x; }

// A bar's own second moment and its share about an axis at lever arm l.
double barMoment(double d, double l)
{
    return pi * sq(sq(d)) / 64 + pi * sq(d) / 4 * sq(l);
}

} // namespace

void setRecommendedPartialFactors(ColumnInput& in)
{
    in.gammaA = 1.0;
    in.gammaC = 1.5;
    in.gammaS = 1.15;
    in.gammaAfi = 1.0;
    in.gammaCfi = 1.0;
    in.gammaSfi = 1.0;
}

DesignValues designValues(const ColumnInput& in, double fyCalc)
{
    DesignValues v;
    v.fy = fyCalc;
    v.fyd = checkedDiv(fyCalc, in.gammaA);
    v.fcd = checkedDiv(in.fck, in.gammaC);
    v.fsd = checkedDiv(in.fsk, in.gammaS);
    const double base = (in.fck + 8) / 10;
    if (!(base > 0))
        throw CalculationError("invalid floating point operation: E_cm of a concrete with f_ck <= -8");
    v.Ecm = checkedFinite(22000 * std::pow(base, 0.3));
    v.Eceff = checkedDiv(v.Ecm, 1 + in.pcp / 100 * in.phiT);
    v.alphaM = in.fy <= 355 ? 0.9 : 0.8;
    return v;
}

SectionValues sectionValues(const ColumnInput& in)
{
    SectionValues s;
    const double h = in.h, b = in.b, tw = in.tw, tf = in.tf, r = in.r, d = in.d;
    const double hw = h - 2 * tf;   // clear height between the flanges
    const double n = static_cast<double>(in.n1) + in.n2;
    s.Af = 2 * b * tf;
    s.Aw = hw * tw + (4 - pi) * sq(r);
    s.Aa = s.Af + s.Aw;
    s.As = n * pi * sq(d) / 4;
    s.Ac = hw * (b - tw) - (4 - pi) * sq(r) - s.As;
    LayoutRebarRows(s.rows, in.n1, in.n2, h, d, in.uf1, tf);
    s.l1 = b / 2 - in.uc1;
    s.l2 = b / 2 - in.uc1 - secondLayerOffset(d);

    AxisSection& z = s.axis[at(Axis::Weak)];
    z.If = b * b * b * tf / 6;
    z.Iw = tw * tw * tw * hw / 12;
    z.Ifr = (1 - pi / 4) * sq(r) * sq(tw + 0.4468 * r) + 0.03 * sq(sq(r));
    z.Is = in.n1 * barMoment(d, s.l1) + in.n2 * barMoment(d, s.l2);
    z.Ic = (b * b * b - tw * tw * tw) * hw / 12 - z.Is - z.Ifr;
    z.Ia = z.If + z.Iw + z.Ifr;

    AxisSection& y = s.axis[at(Axis::Strong)];
    y.If = (h * h * h - hw * hw * hw) * b / 12;
    y.Iw = hw * hw * hw * tw / 12;
    y.Ifr = (1 - pi / 4) * sq(r) * sq(hw - 0.4468 * r) + 0.03 * sq(sq(r));
    y.Is = 0;
    for (std::size_t i = 0; i < 4; ++i)
        y.Is += s.rows.count[i] * barMoment(d, rowLeverArm(in, s.rows, i));
    y.Ic = hw * hw * hw * (b - tw) / 12 - y.Is - y.Ifr;
    y.Ia = y.If + y.Iw + y.Ifr;
    return s;
}

double plasticResistanceRd(const SectionValues& s, const DesignValues& v)
{
    return checkedFinite((s.Aa * v.fyd + 0.85 * s.Ac * v.fcd + s.As * v.fsd) / 1000);
}

double plasticResistanceRk(const SectionValues& s, const ColumnInput& in, const DesignValues& v)
{
    return checkedFinite((s.Aa * v.fy + 0.85 * s.Ac * in.fck + s.As * in.fsk) / 1000);
}

} // namespace qeln::en1994
