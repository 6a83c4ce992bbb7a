// Design values (EN 1994-1-1 3, 6.7.3.3(4)) and section values at room
// temperature, with the exact pi.
#include "section.h"

#include "calc/numeric.h"
#include "calc/section.h"

#include <cmath>

namespace qeln::en1994 {


DesignValues designValues(const ColumnInput& in, double fyCalc)
{
    DesignValues v;
    v.fy = fyCalc;
    v.fyd = checkedDiv(fyCalc, in.gammaA);
    v.fcd = checkedDiv(in.fck, in.gammaC);
    v.fsd = checkedDiv(in.fsk, in.gammaS);
    const double base = (in.fck + 8) / 10;
    if (!(base > 0))
        throw CalculationError(FaultKind::Invalid,
                               "invalid floating point operation: E_cm of a concrete with f_ck <= -8");
    v.Ecm = checkedFinite(22000 * std::pow(base, 0.3));
    v.Eceff = checkedDiv(v.Ecm, 1 + in.pcp / 100 * in.phiT);
    v.alphaM = in.fy <= 355 ? 0.9 : 0.8;
    return v;
}

SectionValues sectionValues(const ColumnInput& in)
{
    SectionValues s;
    const SectionBars bars = sectionBarsOf(in);
    s.rows = bars.rows;
    s.l1 = in.b / 2 - in.uc1;
    s.l2 = in.b / 2 - nextBarDistance(in.uc1, in.d);
    for (const Axis axis : kAxes) {
        const qeln::SectionValues v = qeln::sectionValues(sectionOf(in), bars, axis, kExactSection);
        if (axis == Axis::Weak) {   // the areas count every bar, n1 + n2
            s.Af = v.Af;
            s.Aw = v.Aw;
            s.Aa = v.Aa();
            s.As = v.As;
            s.Ac = v.Ac;
        }
        AxisSection& a = s.axis[at(axis)];
        a.If = v.If;
        a.Iw = v.Iw;
        a.Ifr = v.Ifr;
        a.Is = v.Is;
        a.Ic = v.Ic;
        a.Ia = v.If + v.Iw + v.Ifr;
    }
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
