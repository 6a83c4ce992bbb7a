#include "member.h"

#include "calc/numeric.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qeln::en1994 {

namespace {

constexpr double pi = std::numbers::pi;

// The crossing of a residual that is positive below it and not above it,
// within [a, b] with fa > 0 > fb (Brent's method: inverse quadratic and
// secant steps, bisection where they stall), to `tol`.
template <class Residual>
double crossing(double a, double fa, double b, double fb, double tol, Residual residual)
{
    double c = a, fc = fa, d = b - a, e = d;
    for (int k = 0; k < 200; ++k) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double m = (c - b) / 2;
        if (std::fabs(m) <= tol || fb == 0)
            return b;
        if (std::fabs(e) < tol || std::fabs(fa) <= std::fabs(fb)) {
            d = e = m;
        } else {
            double p, q;
            const double sb = fb / fa;
            if (a == c) {
                p = 2 * m * sb;
                q = 1 - sb;
            } else {
                const double qa = fa / fc, rb = fb / fc;
                p = sb * (2 * m * qa * (qa - rb) - (b - a) * (rb - 1));
                q = (qa - 1) * (rb - 1) * (sb - 1);
            }
            if (p > 0)
                q = -q;
            else
                p = -p;
            if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = m;
            }
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = residual(b);
        if (!std::isfinite(fb))
            fb = -1;   // beyond the resistance: fails
    }
    return b;
}

// The bisection of 6.7.3.6 and 6.7.3.7: from [0, hi], halved until it is
// narrower than 1e-12 N_pl,Rd; the lower end, the last force that meets the
// conditions. `holds(N)` says whether N meets them (and may note which one
// failed: the last failure is the bracket's upper end). `residual(N)` is a
// continuous measure, positive where they hold, that crosses 0 where holds
// turns false.
//
// The same bisection, made fast: the crossing is found first by Brent's
// method to far better than the bracket's width, then the bisection is
// replayed step by step, each step decided by the side of the crossing its
// midpoint lies on, and only the steps within kMargin of the crossing by
// holds() itself. So the result is that of the plain bisection, bit for bit.
template <class Holds, class Residual>
double largestForce(double hi0, double NplRd, Holds holds, Residual residual)
{
    const double width = 1e-12 * NplRd;
    const double margin = 1e-11 * NplRd;

    // A bracket with a finite failing value: halve from the top.
    double a = 0, fa = 1, b = hi0, fb = -1;
    bool found = false;
    for (int k = 0; k < 200 && b - a >= width; ++k) {
        const double mid = a + (b - a) / 2;
        const double f = residual(mid);
        if (f > 0) {
            a = mid;
            fa = f;
        } else {
            b = mid;
            fb = f;
            if (std::isfinite(f)) {
                found = true;
                break;
            }
        }
    }
    const double root = found && fb < 0 ? crossing(a, fa, b, fb, 1e-15 * NplRd, residual) : found ? b : a;

    double lo = 0, hi = hi0;
    // 200 halvings take any bracket far below the width; the bound only
    // keeps a degenerate bracket (width 0) from looping
    for (int k = 0; k < 200 && hi - lo >= width; ++k) {
        const double mid = lo + (hi - lo) / 2;
        const bool ok = std::fabs(mid - root) > margin ? mid < root : holds(mid);
        (ok ? lo : hi) = mid;
    }
    return lo;
}

const AxisSection& axisOf(const SectionValues& s, Axis axis) { return s.axis[at(axis)]; }

double criticalForce(double EI, double l) { return checkedDiv(pi * pi * EI, l * l * 1e9); }

} // namespace

double reductionFactor(double lambda, double alpha)
{
    if (lambda <= 0.2)
        return 1.0;
    const double phi = 0.5 * (1 + alpha * (lambda - 0.2) + lambda * lambda);
    const double chi = checkedDiv(1, phi + checkedSqrt(phi * phi - lambda * lambda));
    return chi < 1 ? chi : 1.0;
}

AxialResult axialResistance(const SectionValues& s, const ColumnInput& in, const DesignValues& v, Axis axis, double l)
{
    const AxisSection& a = axisOf(s, axis);
    AxialResult m;
    m.NplRd = plasticResistanceRd(s, v);
    m.NplRk = plasticResistanceRk(s, in, v);
    m.delta = checkedDiv(s.Aa * v.fyd / 1000, m.NplRd);
    m.EIeff = checkedFinite(v.Ea * a.Ia + v.Es * a.Is + 0.6 * v.Eceff * a.Ic);
    m.l = l;
    m.Ncr = criticalForce(m.EIeff, l);
    m.lambda = checkedSqrt(checkedDiv(m.NplRk, m.Ncr));
    m.curve = axis == Axis::Strong ? BucklingCurve::b : BucklingCurve::c;
    m.alpha = axis == Axis::Strong ? 0.34 : 0.49;
    m.chi = reductionFactor(m.lambda, m.alpha);
    m.NbRd = checkedFinite(m.chi * m.NplRd);
    return m;
}

SecondOrder secondOrder(const SectionValues& s, const DesignValues& v, Axis axis, double l, double e, double r)
{
    const AxisSection& a = axisOf(s, axis);
    SecondOrder so;
    so.EIeffII = checkedFinite(0.9 * (v.Ea * a.Ia + v.Es * a.Is + 0.5 * v.Eceff * a.Ic));
    so.NcrEff = criticalForce(so.EIeffII, l);
    so.e = e;
    so.e0 = 1000 * l / (axis == Axis::Strong ? 200 : 150);
    so.r = r;
    so.beta = std::max(0.44, 0.66 + 0.44 * r);
    return so;
}

EccentricResult eccentricResistance(const InteractionCurve& curve, const SecondOrder& so, double alphaM)
{
    EccentricResult res;
    res.so = so;
    res.alphaM = alphaM;
    res.points = curve.points();
    const double NplRd = res.points.NplRd;
    if (!(so.NcrEff > 0))
        throw CalculationError(FaultKind::Invalid,
                               "invalid floating point operation: effective critical force not above 0");
    const double hi = std::min(NplRd, so.NcrEff);
    res.NRde = largestForce(
        hi, NplRd, [&](double N) { return so.moment(N) <= alphaM * curve.moment(N); },
        [&](double N) { return 1 - so.moment(N) / (alphaM * curve.moment(N)); });
    const double N = res.NRde;
    res.k1 = checkedFinite(so.k1(N));
    res.k2 = checkedFinite(so.k2(N));
    res.MEd = checkedFinite(so.moment(N));
    res.MplNRd = curve.moment(N);
    res.muD = checkedDiv(res.MplNRd, res.points.MplRd);
    return res;
}

BiaxialResult biaxialResistance(const std::array<InteractionCurve, 2>& curves, const SecondOrder& weak,
                                const SecondOrder& strong, double alphaM)
{
    const InteractionCurve& cz = curves[at(Axis::Weak)];
    const InteractionCurve& cy = curves[at(Axis::Strong)];
    const double NplRd = cz.points().NplRd;
    if (!(weak.NcrEff > 0) || !(strong.NcrEff > 0))
        throw CalculationError(FaultKind::Invalid,
                               "invalid floating point operation: effective critical force not above 0");
    const double hi = std::min({NplRd, weak.NcrEff, strong.NcrEff});
    BiaxialResult res;
    for (const BiaxialVariant variant : {BiaxialVariant::z, BiaxialVariant::y}) {
        BiaxialVariantResult& out = res.variants[static_cast<std::size_t>(variant)];
        const bool zVariant = variant == BiaxialVariant::z;
        out.NRd = largestForce(
            hi, NplRd,
            [&](double N) {
                const double Mz = weak.moment(N, zVariant);
                const double My = strong.moment(N, !zVariant);
                const double Rz = cz.moment(N), Ry = cy.moment(N);
                if (!(Mz <= alphaM * Rz)) {
                    out.bound = BiaxialCondition::momentWeak;
                    return false;
                }
                if (!(My <= alphaM * Ry)) {
                    out.bound = BiaxialCondition::momentStrong;
                    return false;
                }
                if (!(Mz / Rz + My / Ry <= 1)) {
                    out.bound = BiaxialCondition::interaction;
                    return false;
                }
                return true;
            },
            [&](double N) {
                const double Mz = weak.moment(N, zVariant);
                const double My = strong.moment(N, !zVariant);
                const double Rz = cz.moment(N), Ry = cy.moment(N);
                return 1 - std::max({Mz / (alphaM * Rz), My / (alphaM * Ry), Mz / Rz + My / Ry});
            });
        checkedFinite(out.NRd);
    }
    const BiaxialVariantResult& z = res.variants[0];
    const BiaxialVariantResult& y = res.variants[1];
    res.governs = y.NRd < z.NRd ? BiaxialVariant::y : BiaxialVariant::z;
    const BiaxialVariantResult& g = res.variants[static_cast<std::size_t>(res.governs)];
    res.NRd = g.NRd;
    res.bound = g.bound;
    return res;
}

RoomTemperatureResult roomTemperature(const ColumnInput& in, const SectionValues& s, const DesignValues& v,
                                      const std::array<InteractionCurve, 2>& curves, double lWeak, double lStrong)
{
    RoomTemperatureResult res;
    const std::array<double, 2> l{lWeak, lStrong};
    const std::array<double, 2> e{std::fabs(in.e1), std::fabs(in.e2)};
    const std::array<double, 2> r{in.rWeak, in.rStrong};
    for (const Axis axis : kAxes) {
        AxisResult& a = res.axis[at(axis)];
        a.axial = axialResistance(s, in, v, axis, l[at(axis)]);
        a.cell = a.axial.NbRd;
        if (e[at(axis)] > 0) {
            const SecondOrder so = secondOrder(s, v, axis, l[at(axis)], e[at(axis)], r[at(axis)]);
            a.eccentric = eccentricResistance(curves[at(axis)], so, v.alphaM);
            a.cell = std::min(a.eccentric->NRde, a.axial.NbRd);
        }
    }
    const AxisResult& z = res.axis[at(Axis::Weak)];
    const AxisResult& y = res.axis[at(Axis::Strong)];
    res.biaxialCell = std::min(z.cell, y.cell);
    if (z.eccentric && y.eccentric) {
        res.biaxial = biaxialResistance(curves, z.eccentric->so, y.eccentric->so, v.alphaM);
        res.biaxialCell = std::min(res.biaxial->NRd, res.biaxialCell);
    }
    return res;
}

} // namespace qeln::en1994
