#include "interaction.h"

#include "calc/numeric.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qeln::en1994 {

namespace {

struct Band {
    double centre = 0;
    int bars = 0;   // bars of the band on this side of the axis
};

// Primitives of sqrt(r^2 - t^2) and t sqrt(r^2 - t^2).
double primitiveF(double r, double t)
{
    t = std::clamp(t, -r, r);
    return 0.5 * (t * std::sqrt(r * r - t * t) + r * r * std::asin(t / r));
}

double primitiveG(double r, double t)
{
    t = std::clamp(t, -r, r);
    const double q = r * r - t * t;
    return -q * std::sqrt(q) / 3;
}

} // namespace

InteractionCurve::InteractionCurve(Axis axis, const ColumnInput& in, const SectionValues& s, const DesignValues& v)
    : axis_(axis)
{
    const double h = in.h, b = in.b, tw = in.tw, tf = in.tf, r = in.r, d = in.d;
    const bool strong = axis == Axis::Strong;
    D_ = strong ? h : b;
    half_ = D_ / 2;
    Npl_ = plasticResistanceRd(s, v);
    const double a = d * std::sqrt(std::numbers::pi) / 2;   // side of a bar's square

    std::array<Band, 4> bands{};
    if (strong) {
        for (std::size_t i = 0; i < 4; ++i)
            bands[i] = {tf + s.rows.z[i], s.rows.count[i] / 2};
    } else {
        bands[0] = {in.uc1, in.n1 / 2};
        bands[1] = {nextBarDistance(in.uc1, d), in.n2 / 2};
    }

    // Steel and concrete without bars and fillets: strong axis, the flange
    // [0, t_f] and below it the web with the concrete beside it; weak axis,
    // the two flanges everywhere, the concrete up to the web, then the web.
    const double zoneEdge = strong ? tf : (b - tw) / 2;
    r_ = r > 0 ? r : 0;
    double filletLo = 0, filletHi = 0;
    if (r_ > 0) {
        filletLo = strong ? tf : zoneEdge - r_;
        filletHi = strong ? tf + r_ : zoneEdge;
        sign_ = strong ? -1.0 : 1.0;
        y0_ = strong ? tf + r_ : zoneEdge - r_;
    }
    kf_ = 2 * (2 * v.fyd - 0.85 * v.fcd);   // both fillets: steel in, concrete out

    std::array<double, 16> edges{};
    int n = 0;
    auto edge = [&](double y) {
        if (y > 0 && y < half_)
            edges[static_cast<std::size_t>(n++)] = y;
    };
    edge(zoneEdge);
    if (r_ > 0) {
        edge(filletLo);
        edge(filletHi);
    }
    for (const Band& band : bands)
        if (band.bars > 0) {
            edge(band.centre - a / 2);
            edge(band.centre + a / 2);
        }
    std::sort(edges.begin(), edges.begin() + n);

    count_ = 0;
    double lo = 0;
    double I0 = 0, I1 = 0;
    for (int k = 0; k <= n; ++k) {
        const double hi = k < n ? edges[static_cast<std::size_t>(k)] : half_;
        if (!(hi > lo))
            continue;
        const double m = (lo + hi) / 2;
        double steel, concrete;
        bool inConcrete;
        if (strong) {
            inConcrete = m > tf;
            steel = inConcrete ? tw : b;
            concrete = inConcrete ? b - tw : 0;
        } else {
            inConcrete = m < zoneEdge;
            steel = inConcrete ? 2 * tf : h;
            concrete = inConcrete ? h - 2 * tf : 0;
        }
        double bar = 0;
        for (const Band& band : bands)
            if (band.bars > 0 && std::fabs(m - band.centre) < a / 2)
                bar += band.bars * a;
        if (inConcrete)
            concrete -= bar;

        Segment& g = seg_[static_cast<std::size_t>(count_++)];
        g.lo = lo;
        g.hi = hi;
        g.c = 2 * v.fyd * steel + 2 * v.fsd * bar + 0.85 * v.fcd * concrete;
        g.fillet = r_ > 0 && m > filletLo && m < filletHi;
        g.I0 = I0;
        g.I1 = I1;
        g.N = Npl_ - 0.001 * I0;
        if (g.fillet) {
            g.Flo = primitiveF(r_, filletT(lo));
            g.Glo = primitiveG(r_, filletT(lo));
        }
        double dI0 = 0, dI1 = 0;
        integrate(g, hi, dI0, dI1);
        I0 += dI0;
        I1 += dI1;
        lo = hi;
    }
    Nhalf_ = checkedFinite(Npl_ - 0.001 * I0);
    Mhalf_ = checkedFinite(1e-6 * I1);

    points_.NplRd = Npl_;
    points_.NpmRd = 0.85 * v.fcd * s.Ac / 1000;
    points_.MmaxRd = Mhalf_;
    points_.MplRd = checkedFinite(moment(0));
}

void InteractionCurve::integrate(const Segment& g, double x, double& I0, double& I1) const
{
    const double dx = x - g.lo;
    const double arm = dx * (half_ - g.lo - dx / 2);   // integral of (D/2 - y) over [lo, x]
    I0 = g.c * dx;
    I1 = g.c * arm;
    if (g.fillet) {
        // w gains kf (r - sqrt(r^2 - t^2)) with t = sign (y - y0):
        // integral of sqrt(r^2 - t^2) dy = sign [F], of sqrt(r^2 - t^2) (D/2 - y) dy
        // = sign (D/2 - y0) [F] - [G].
        const double t = filletT(x);
        const double dF = primitiveF(r_, t) - g.Flo;
        const double dG = primitiveG(r_, t) - g.Glo;
        const double J0 = sign_ * dF;
        const double J1 = sign_ * (half_ - y0_) * dF - dG;
        I0 += kf_ * (r_ * dx - J0);
        I1 += kf_ * (r_ * arm - J1);
    }
}

InteractionCurve::Cut InteractionCurve::cut(double x) const
{
    const bool mirrored = x > half_;
    const double y = std::clamp(mirrored ? D_ - x : x, 0.0, half_);
    int i = 0;
    while (i + 1 < count_ && y > seg_[static_cast<std::size_t>(i)].hi)
        ++i;
    const Segment& g = seg_[static_cast<std::size_t>(i)];
    double dI0 = 0, dI1 = 0;
    integrate(g, y, dI0, dI1);
    Cut c;
    c.N = Npl_ - 0.001 * (g.I0 + dI0);
    c.M = 1e-6 * (g.I1 + dI1);
    if (mirrored)
        c.N = 2 * Nhalf_ - c.N;
    return c;
}

double InteractionCurve::moment(double N) const
{
    if (!(N < Npl_))
        return 0;
    // Below N(D/2) the cut lies beyond the middle: M(x) = M(D - x) with
    // N(D - x) = 2 N(D/2) - N.
    const double target = N >= Nhalf_ ? N : 2 * Nhalf_ - N;
    if (!(target < Npl_))
        return 0;
    return momentOfCut(target);
}

// The moment of the cut in [0, D/2] with N(x) = target, N(D/2) <= target < N_pl,Rd.
double InteractionCurve::momentOfCut(double target) const
{
    int i = 0;
    while (i + 1 < count_ && seg_[static_cast<std::size_t>(i) + 1].N >= target)
        ++i;
    const Segment& g = seg_[static_cast<std::size_t>(i)];
    const double Nhi = i + 1 < count_ ? seg_[static_cast<std::size_t>(i) + 1].N : Nhalf_;
    double x;
    if (!g.fillet) {
        // N is linear in x here: the cut exactly
        x = g.c > 0 ? g.lo + (g.N - target) / (0.001 * g.c) : g.lo;
        x = std::clamp(x, g.lo, g.hi);
    } else {
        // N falls strictly and smoothly: Newton's steps kept inside a
        // bracket that halves whenever a step would leave it, down to a
        // step below 1e-14 D (the root to far better than a bisection to
        // 1e-13 D would give it).
        double xl = g.lo, xh = g.hi;
        x = g.N > Nhi ? g.lo + (g.N - target) / (g.N - Nhi) * (g.hi - g.lo) : g.lo;
        x = std::clamp(x, xl, xh);
        const double tol = 1e-14 * D_;
        for (int k = 0; k < 200; ++k) {
            double dI0 = 0, dI1 = 0;
            integrate(g, x, dI0, dI1);
            const double f = g.N - 0.001 * dI0 - target;   // falls with x
            if (f > 0)
                xl = x;
            else if (f < 0)
                xh = x;
            else
                break;
            const double t = filletT(x);
            const double w = g.c + kf_ * (r_ - std::sqrt(std::max(0.0, r_ * r_ - t * t)));
            double next = w > 0 ? x + f / (0.001 * w) : (xl + xh) / 2;
            if (!(next > xl && next < xh))
                next = (xl + xh) / 2;
            const bool done = std::fabs(next - x) <= tol || xh - xl <= tol;
            x = next;
            if (done)
                break;
        }
    }
    double dI0 = 0, dI1 = 0;
    integrate(g, x, dI0, dI1);
    return 1e-6 * (g.I1 + dI1);
}

} // namespace qeln::en1994
