// The interaction diagrams of the ENV method at room temperature, from the
// eccentric resistance's own tables (see interaction.h).
#include "interaction.h"

#include "design.h"
#include "eccentric.h"

#include "calc/numeric.h"

#include <algorithm>
#include <cmath>

namespace qeln::env1994 {

namespace {

// Points of the acting-moment curve between N = 0 and its end.
constexpr int kActingPoints = 200;

bool finite(double x) { return std::isfinite(x); }

// The curve's moment at n, or nullopt where the interpolation has none
// (its 1e100 beyond the table, or a value that is not finite).
std::optional<double> momentAt(const InteractionCurve& c, double n)
{
    const double m = interactionMoment(c, n);
    if (!finite(m) || std::fabs(m) >= 1e99)
        return std::nullopt;
    return m;
}

// The plastic curve from N.pl.Rd down to N = 0 (the table's last point lies
// at or below 0; the curve ends at 0, interpolated).
void plasticCurve(const EccentricAxis& a, InteractionDiagram& d)
{
    const InteractionCurve& c = a.curve;
    const int last = std::min<int>(c.count, static_cast<int>(std::min(c.N.size(), c.M.size())) - 1);
    for (int k = 1; k <= last; ++k) {
        const double n = c.N[k], m = c.M[k];
        if (!finite(n) || !finite(m))
            return;
        if (n <= 0) {
            if (k > 1 && c.N[k - 1] > 0) {
                const double n0 = c.N[k - 1], m0 = c.M[k - 1];
                d.plasticN.push_back(0);
                d.plasticM.push_back(m0 + (m - m0) * (0 - n0) / (n - n0));
            } else {
                d.plasticN.push_back(n);
                d.plasticM.push_back(m);
            }
            return;
        }
        d.plasticN.push_back(n);
        d.plasticM.push_back(m);
    }
}

// The allowed moment 0.9 (M(N) - Mk N / N.Rd) on the plastic curve's points
// below N.Rd, starting at N.Rd itself.
void allowedCurve(const EccentricAxis& a, InteractionDiagram& d)
{
    if (!(a.nRd > 0))
        return;
    auto allowed = [&](double n, double m) { return 0.9 * (m - a.Mk * n / a.nRd); };
    if (const auto m = momentAt(a.curve, a.nRd)) {
        d.allowedN.push_back(a.nRd);
        d.allowedM.push_back(std::max(0.0, allowed(a.nRd, *m)));
    }
    for (std::size_t i = 0; i < d.plasticN.size(); ++i) {
        const double n = d.plasticN[i];
        if (n >= a.nRd)
            continue;
        const double m = allowed(n, d.plasticM[i]);
        if (finite(m)) {
            d.allowedN.push_back(n);
            d.allowedM.push_back(m);
        }
    }
}

// The acting moment N e k(N) from N = 0 up to N.Rd, or to where the
// amplification has made it larger than every moment of the diagram.
void actingCurve(const EccentricAxis& a, InteractionDiagram& d)
{
    double mTop = 0;
    for (double m : d.plasticM)
        mTop = std::max(mTop, m);
    const double nEnd = std::max(a.nRd, d.loadN.value_or(0));
    for (int i = 0; i <= kActingPoints; ++i) {
        const double n = nEnd * i / kActingPoints;
        double k = 1;
        if (!secondOrderAmplification(n, a.nCr, k))
            break;
        const double m = n * a.e * k * units::kkNmPerkNmm;
        if (!finite(m))
            break;
        d.actingN.push_back(n);
        d.actingM.push_back(m);
        if (m > 1.25 * mTop && mTop > 0)
            break;
    }
}

InteractionDiagram interactionDiagram(const EccentricAxis& a, double tableCell, const ColumnInput& in)
{
    InteractionDiagram d;
    d.e = a.e;
    d.nplRd = a.nplRd;
    d.nRd = a.nRd;
    d.nCr = a.nCr;
    d.Mk = a.Mk;
    if (in.nEd > 0) {
        d.loadN = in.nEd;
        d.loadFirstOrderM = in.nEd * a.e * units::kkNmPerkNmm;
        double k = 1;
        if (secondOrderAmplification(in.nEd, a.nCr, k) && finite(in.nEd * a.e * k))
            d.loadM = in.nEd * a.e * k * units::kkNmPerkNmm;
    }
    plasticCurve(a, d);
    allowedCurve(a, d);
    actingCurve(a, d);
    d.resistanceN = tableCell;
    double k = 1;
    d.resistanceM = secondOrderAmplification(tableCell, a.nCr, k) ? tableCell * a.e * k * units::kkNmPerkNmm : 0;
    d.valid = finite(d.nplRd) && finite(d.nRd) && finite(d.nCr) && finite(d.Mk) && finite(d.resistanceN) &&
              finite(d.resistanceM) && !d.plasticN.empty();
    return d;
}

} // namespace

InteractionDiagrams interactionDiagrams(const ColumnInput& in, const CheckOutcome& checks, const UltimateLoadTable& t)
{
    const DesignValues v = designValues(in, checks.fyCalc);
    const EccentricAxes axes = eccentricAxes(
        eccentricInput(in, v, in.lWeakCold, in.lStrongCold, std::fabs(in.e1), std::fabs(in.e2), checks.rho));
    InteractionDiagrams d;
    d.weak = interactionDiagram(axes.weak, t.at(rowService, eccentricWeak).value_or(0), in);
    d.strong = interactionDiagram(axes.strong, t.at(rowService, eccentricStrong).value_or(0), in);
    return d;
}

} // namespace qeln::env1994
