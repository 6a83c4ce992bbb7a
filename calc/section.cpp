// Rebar layout, detailing rules and the section values of both design codes.
#include "section.h"

#include "numeric.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace qeln {

namespace {

double sq(double x) { return x * x; }

// The fillet's centroid term and own second moment (per r and per r^4).
constexpr double kFilletArm = 0.4468;
constexpr double kFilletOwn = 0.03;

double barArea(const SectionEvaluation& e, double d, double count)
{
    switch (e.barArea) {
    case SectionEvaluation::BarArea::factorFirst: return e.piQuarter * d * d * count;
    case SectionEvaluation::BarArea::countFirst: return count * e.pi * d * d * 0.25;
    case SectionEvaluation::BarArea::diameterFirst: break;
    }
    return d * d * count * e.piQuarter;
}

} // namespace

double nextBarDistance(double distance, double d)
{
    return distance + d + MaxOf(d, 20);
}

double secondLayerDistance(const ColumnInput& in)
{
    if (in.n2 == 0)
        return 0;
    return in.d > 20 ? in.uc1 + 2 * in.d : nextBarDistance(in.uc1, in.d);
}

void LayoutRebarRows(RebarLayout& rows, int n1, int n2, double h, double d, double uf1, double tf)
{
    const double s = nextBarDistance(uf1, d);
    const double mid2 = h / 2 - tf - 2 * d;
    // the first row holds the second layer too; a count from a file that
    // cannot be added is an input error of the checks, never an overflow here
    const int first = n2 > std::numeric_limits<int>::max() - 4 ? std::numeric_limits<int>::max() : n2 + 4;
    switch (n1) {
    case 4:
        rows.count = {first, 0, 0, 0};
        rows.z = {uf1, uf1, uf1, uf1};
        break;
    case 8:
        rows.count = {first, 4, 0, 0};
        if (h <= 400)
            rows.z = {uf1, s, s, s};
        else
            rows.z = {uf1, mid2, mid2, mid2};
        break;
    case 12:
        rows.count = {first, 4, 4, 0};
        rows.z = {uf1, s, mid2, mid2};
        break;
    case 16:
        rows.count = {first, 4, 4, 4};
        rows.z = {uf1, s, h / 2 - tf - 3 * d - MaxOf(d, 20), mid2};
        break;
    default:
        break;
    }
}

double requiredBarSpacing(double d, double dg)
{
    return std::max({d, dg + 5, 20.0});
}

bool usableAggregateSize(double dg) { return dg >= kMinAggregateSize && dg <= kMaxAggregateSize; }

std::optional<double> smallestBarSpacing(const ColumnInput& in)
{
    const bool rows = in.n1 == 4 || in.n1 == 8 || in.n1 == 12 || in.n1 == 16;
    if (!rows || (in.n2 != 0 && in.n2 != 4))
        return std::nullopt;
    const RebarLayout layout = sectionBarsOf(in).rows;
    // the rows' centres along the height from the middle of the section: each
    // row has its bars at both flanges, z from the inner face of each
    std::vector<double> along;
    const double inner = in.h / 2 - in.tf;
    for (std::size_t i = 0; i < layout.count.size(); ++i)
        if (layout.count[i] > 0) {
            along.push_back(inner - layout.z[i]);
            along.push_back(layout.z[i] - inner);
        }
    std::sort(along.begin(), along.end());
    double centres = std::numeric_limits<double>::max();
    for (std::size_t i = 1; i < along.size(); ++i)
        centres = std::min(centres, along[i] - along[i - 1]);
    // the second layer beside the first, in the first row
    if (in.n2 == 4)
        centres = std::min(centres, secondLayerDistance(in) - in.uc1);
    return centres - in.d;
}

bool barSpacingFits(const ColumnInput& in)
{
    if (!usableAggregateSize(in.dg))
        return false;
    const std::optional<double> s = smallestBarSpacing(in);
    // a spacing computed from positions that were subtracted: a rounding
    // below the limit does not count
    return !s || *s >= requiredBarSpacing(in.d, in.dg) - 1e-9;
}

double averageAxisDistance(double uc1, double uf1)
{
    if (std::fabs(uc1 - uf1) <= 10)
        return checkedSqrt(uc1 * uf1);
    const double m = std::min(uc1, uf1);
    return checkedSqrt(m * (m + 10));
}

double sectionFactor(double h, double b)
{
    return checkedDiv(2 * (b + h), b * h) * 1000;   // 1/mm to 1/m
}

SectionValues sectionValues(const Section& s, const SectionBars& bars, Axis axis, const SectionEvaluation& e,
                            const FireReduction* fire)
{
    const double h = s.h, b = s.b, tw = s.tw, tf = s.tf;
    const double r = fire ? 0.0 : s.r;
    const double bcfi = fire ? fire->bcfi : 0.0, hwfi = fire ? fire->hwfi : 0.0;
    const double d = bars.d;
    const RebarLayout& rows = bars.rows;
    const bool weak = axis == Axis::Weak;
    // counts as doubles: two counts from a file must not overflow an int
    const double count = weak ? static_cast<double>(bars.n1) + bars.n2
                              : static_cast<double>(rows.count[0]) + rows.count[1] + rows.count[2] + rows.count[3];

    SectionValues v;
    const double fillets = fire ? 0.0 : e.fillets * r * r;
    v.Af = 2 * b * tf;
    v.Aw = (h - 2 * tf - 2 * hwfi) * tw + fillets;
    v.As = barArea(e, d, count);
    const double gross = (h - 2 * bcfi - 2 * tf) * (b - tw - 2 * bcfi);
    v.Ac = e.filletsBeforeBars ? gross - fillets - v.As : gross - v.As - fillets;

    const double barOwn = e.pi * d * d * d * d / 64;
    if (weak) {
        const double arm2 = e.secondLayerByDistance ? b / 2 - nextBarDistance(bars.uc1, d)
                                                    : b / 2 - bars.uc1 - MaxOf(d, 20) - d;
        v.If = b * b * b * tf / 6;
        v.Iw = tw * tw * tw * (h - 2 * tf - 2 * hwfi) / 12;
        v.Ifr = fire ? 0.0 : e.fillet * r * r * sq(tw + kFilletArm * r) + kFilletOwn * r * r * r * r;
        v.Is = bars.n1 * (barOwn + e.piQuarter * d * d * sq(b / 2 - bars.uc1))
               + bars.n2 * (barOwn + e.piQuarter * d * d * sq(arm2));
        const double bc = b - 2 * bcfi;
        const double cube = e.cubeByProduct ? bc * bc * bc : std::pow(bc, 3);
        v.Ic = (cube - tw * tw * tw) * (h - 2 * tf - 2 * bcfi) / 12 - v.Is - v.Ifr;
    } else {
        v.If = (h * h * h - std::pow(h - 2 * tf, 3)) * b / 12;
        v.Iw = std::pow(h - 2 * tf - 2 * hwfi, 3) * tw / 12;
        v.Ifr = fire ? 0.0 : e.fillet * r * r * sq(h - 2 * tf - kFilletArm * r) + kFilletOwn * r * r * r * r;
        const double a = e.barSide * d;
        for (std::size_t i = 0; i < 4; ++i) {
            const double l = h / 2 - tf - rows.z[i];
            const int n = rows.count[i];
            if (!e.squareInnerRows)
                v.Is += n * (barOwn + e.piQuarter * d * d * sq(l));
            else if (i == 0)
                v.Is += n * (barOwn + e.piQuarter * d * d * l * l);
            else if (i == 1)
                v.Is += n * (barOwn + a * a * l * l);
            else
                v.Is += n * (a * a * a * a / 12 + a * a * l * l);
        }
        v.Ic = std::pow(h - 2 * tf - 2 * bcfi, 3) * (b - tw - 2 * bcfi) / 12 - v.Is - v.Ifr;
    }
    return v;
}

SectionBars sectionBarsOf(const ColumnInput& in)
{
    SectionBars bars{in.n1, in.n2, in.d, in.uc1, {}};
    LayoutRebarRows(bars.rows, in.n1, in.n2, in.h, in.d, in.uf1, in.tf);
    return bars;
}

ComponentMasses componentMasses(const ColumnInput& in)
{
    const SectionValues v = sectionValues(sectionOf(in), sectionBarsOf(in), Axis::Weak, kMassSection);
    ComponentMasses m;
    m.steel = 0.00785 * v.Aa();   // 7850 kg/m3
    m.concrete = 0.0024 * v.Ac;   // 2400 kg/m3
    m.rebars = 0.00785 * v.As;
    m.volume = 1e-6 * v.Ac;       // m2 per mm2
    m.total = checkedFinite(m.steel + m.concrete + m.rebars);
    checkedFinite(m.volume);
    return m;
}

} // namespace qeln
