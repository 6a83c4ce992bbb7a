// Resistance to eccentric loading at room temperature: plastic interaction
// curves about both axes, second-order moments by amplification, and the
// search for the largest axial force the section still carries.
#include "eccentric.h"

#include "materials.h"
#include "member.h"

#include "calc/numeric.h"
#include "calc/section.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace qeln::env1994 {

namespace {

constexpr int kPoints = 801;
constexpr int kTableSize = 1001;

double sq(double x) { return x * x; }

// A resistance density that is constant between its breakpoints on [0, D/2].
struct Density {
    std::vector<double> edges;     // ascending, edges.front() = 0, edges.back() = D/2
    std::vector<double> value;     // value[i] on (edges[i], edges[i+1])
};

template <typename F>
Density makeDensity(std::vector<double> cuts, double half, F densityAt)
{
    cuts.push_back(0);
    cuts.push_back(half);
    for (auto& c : cuts)
        c = std::clamp(c, 0.0, half);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    Density dens;
    dens.edges = cuts;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i)
        dens.value.push_back(densityAt(0.5 * (cuts[i] + cuts[i + 1])));
    return dens;
}

// N(x) and M(x) for cuts at rising depths x <= D/2, integrating the density
// exactly: the sums over the whole bands below x are kept from one cut to the
// next (each band added in the order of the edges, as a sum from 0 to x adds
// them), and only the band that x lies in is added anew.
class RisingCuts {
public:
    RisingCuts(const Density& dens, double D, double nplRd) : dens_(dens), half_(D / 2), nplRd_(nplRd) {}

    std::pair<double, double> at(double x)
    {
        const std::size_t bands = dens_.edges.size() - 1;
        // whole bands: those whose upper edge x has reached and which have
        // a band after them that x reaches into
        while (next_ + 1 < bands && x > dens_.edges[next_ + 1]) {
            const long double y0 = dens_.edges[next_];
            const long double y1 = dens_.edges[next_ + 1];
            const long double w = dens_.value[next_];
            force_ += w * (y1 - y0);
            moment_ += w * (half_ * (y1 - y0) - (y1 * y1 - y0 * y0) / 2);
            ++next_;
        }
        long double force = force_, moment = moment_;
        if (next_ < bands && x > dens_.edges[next_]) {
            const long double y0 = dens_.edges[next_];
            const long double y1 = std::min<long double>(dens_.edges[next_ + 1], x);
            const long double w = dens_.value[next_];
            force += w * (y1 - y0);
            moment += w * (half_ * (y1 - y0) - (y1 * y1 - y0 * y0) / 2);
        }
        return {static_cast<double>(nplRd_ - 0.001L * force), static_cast<double>(1e-6L * moment)};
    }

private:
    const Density& dens_;
    long double half_;
    double nplRd_;
    std::size_t next_ = 0;             // the first band not yet in the sums
    long double force_ = 0, moment_ = 0;
};

InteractionCurve buildCurve(const Density& dens, double D, double nplRd)
{
    InteractionCurve c;
    c.N.assign(kTableSize + 1, 0.0);
    c.M.assign(kTableSize + 1, 0.0);
    int count = 0;
    RisingCuts cuts(dens, D, nplRd);
    for (int k = 1; k <= kPoints; ++k) {
        const double x = (k - 1) * D / 800;
        if (x <= D / 2) {
            const auto [n, m] = cuts.at(x);
            c.N[k] = n;
            c.M[k] = m;
        } else {
            c.N[k] = 2 * c.N[401] - c.N[802 - k];
            c.M[k] = c.M[802 - k];
        }
        checkedFinite(c.N[k]);
        checkedFinite(c.M[k]);
        count = k;
        if (k > 1 && c.N[k] <= 0)
            break;
    }
    c.count = count;
    return c;
}

// The section's areas and plastic loads (the bars counted by the rows, all of
// the diameter in effect).
struct PlasticSection {
    double a = 0;            // side of the square of a bar's area
    SectionValues values;    // areas (and the strong axis's second moments)
    double nplRd = 0, nplR = 0;
};

SectionBars eccentricBars(const EccentricInput& in, double d, const RebarLayout& rows)
{
    return SectionBars{in.n1, in.n2, d, in.uc1, rows};
}

Section eccentricSection(const EccentricInput& in) { return Section{in.h, in.b, in.tw, in.tf, in.r, false}; }

PlasticSection plasticSection(const EccentricInput& in, double d, const RebarLayout& rows)
{
    PlasticSection p;
    p.a = kEnvEccentricSection.barSide * d;
    p.values = sectionValues(eccentricSection(in), eccentricBars(in, d, rows), Axis::Strong, kEnvEccentricSection);
    const SectionValues& v = p.values;
    using units::kNPerkN;
    p.nplRd = (v.Aw + v.Af) * in.fyd / kNPerkN + v.Ac * in.fcd / kNPerkN + v.As * in.fsd / kNPerkN;
    p.nplR = (v.Aw + v.Af) * in.fyd / kNPerkN * in.gammaA + v.Ac * in.fcd / kNPerkN * in.gammaC
             + v.As * in.fsd / kNPerkN * in.gammaS;
    return p;
}

double longTermModulus(const EccentricInput& in)
{
    return longTermConcreteModulus(designConcreteModulusKiloLast(in.fck), in.pcp);
}

struct AxisResult {
    double nRd = 0, nCr = 0;
};

// Axial ultimate load and critical load of one axis, from the four stiffness parts.
// depth: the section's depth in the plane of bending (b about the weak axis,
// h about the strong axis).
AxisResult axialResistance(const EccentricInput& in, const PlasticSection& p, const SectionValues& s, double L,
                           double e, double depth, double alpha)
{
    auto critical = [&](double Ec) {
        const double EI = in.Ea * s.If + in.Ea * (s.Iw + s.Ifr) + Ec * s.Ic + in.Es * s.Is;
        return checkedDiv(sq(kEnvMemberSection.pi) * EI, sq(L) * units::kBucklingLengthScale);
    };
    AxisResult r;
    r.nCr = critical(in.Ec);
    double lambda = checkedSqrt(checkedDiv(p.nplR, r.nCr));
    // Long-term loading (ENV 1994-1-1, 4.8.3): a slender column with e/d < 2
    // takes the lowered concrete modulus for its stiffness, its slenderness
    // and so its axial resistance; the modulus is never raised.
    if (lambda > 0.8 && e < 2 * depth) {
        r.nCr = critical(std::min(in.Ec, longTermModulus(in)));
        lambda = checkedSqrt(checkedDiv(p.nplR, r.nCr));
    }
    r.nRd = checkedFinite(bucklingCoefficient(lambda, alpha) * p.nplRd);
    return r;
}

double interpolate(const InteractionCurve& c, double x)
{
    double r = 0;
    Interpolate(r, c.N, c.M, x, c.count);
    return r;
}

// Interpolation along a search whose forces only fall.
// Interpolate() with its table bounds worked out once, not at every step:
// the same arithmetic, so the same results.
class FallingSearch {
public:
    explicit FallingSearch(const InteractionCurve& c)
        : N_(c.N.data()), M_(c.M.data()),
          last_(std::min<int>(c.count, static_cast<int>(std::min(c.N.size(), c.M.size())) - 1))
    {
    }
    double operator()(double x)
    {
        int i = cursor_;
        while (i <= last_ && x < N_[i])
            ++i;
        cursor_ = i;
        if (i > last_)
            return 1e100;
        const long double den = static_cast<long double>(N_[i]) - N_[i - 1];
        if (den == 0 || !std::isfinite(x))
            return 1e100;
        const long double r =
            M_[i] + (static_cast<long double>(M_[i]) - M_[i - 1]) * (x - static_cast<long double>(N_[i])) / den;
        return std::isfinite(r) ? static_cast<double>(r) : 1e100;
    }

private:
    const double* N_;
    const double* M_;
    int last_;
    int cursor_ = 2;
};

// Second-order amplification; nullopt-like false when the trial force is at or
// above the critical load (such a force cannot be carried).
bool amplification(double n, double nCr, double& k)
{
    if (!(n < nCr))
        return false;
    k = std::max(1.1 / (1 - n / nCr), 1.0);
    return true;
}

struct SearchResult {
    double n = 0;      // axial force at which the search stopped (0 when none)
    double ratio = 0;
    double Mk = 0;
    double k = 0, mSd = 0, mN = 0, mAllow = 0;   // at n
};

SearchResult searchAxis(const InteractionCurve& c, const AxisResult& ax, double e)
{
    SearchResult s;
    s.Mk = interpolate(c, ax.nRd);
    FallingSearch md(c);
    for (int j = 1; j <= 1000; ++j) {
        const double nj = ax.nRd - j * ax.nRd * 0.001;
        double k = 1.0;
        if (!amplification(nj, ax.nCr, k))
            continue;
        const double mSd = nj * e * k * units::kkNmPerkNmm;
        const double mN = md(nj);
        const double mAllow = 0.9 * (mN - checkedDiv(s.Mk * nj, ax.nRd));
        if (mSd <= mAllow) {
            s.n = nj;
            s.ratio = checkedDiv(nj, ax.nRd);
            s.k = k;
            s.mSd = mSd;
            s.mN = mN;
            s.mAllow = mAllow;
            return s;
        }
    }
    s.n = 0;
    s.ratio = 0;
    return s;
}

} // namespace

namespace {

// The curves start at the design plastic load N.pl.Rd of the section.
InteractionCurve buildStrongCurve(const EccentricInput& in, double d, const RebarLayout& rows, double nplRd)
{
    const double D = in.h;
    const double a = kEnvEccentricSection.barSide * d;
    std::vector<double> cuts{in.tf};
    std::vector<std::pair<double, double>> bands;   // centre, rebar width
    for (std::size_t i = 0; i < 4; ++i) {
        const int m = rows.count[i] / 2;
        if (m <= 0)
            continue;
        const double centre = in.tf + rows.z[i];
        bands.push_back({centre, m * a});
        cuts.push_back(centre - a / 2);
        cuts.push_back(centre + a / 2);
    }
    const Density dens = makeDensity(cuts, D / 2, [&](double y) {
        if (y <= in.tf)
            return 2 * in.fyd * in.b;
        double rebar = 0;
        for (const auto& [centre, width] : bands)
            if (std::fabs(y - centre) < a / 2)
                rebar += width;
        return 2 * in.fyd * in.tw + 2 * in.fsd * rebar + in.fcd * (in.b - in.tw - rebar);
    });
    return buildCurve(dens, D, nplRd);
}

InteractionCurve buildWeakCurve(const EccentricInput& in, double d, double nplRd)
{
    const double D = in.b;
    const double a = kEnvEccentricSection.barSide * d;
    const double s2 = nextBarDistance(in.uc1, d);
    const double webLo = (in.b - in.tw) / 2, webHi = (in.b + in.tw) / 2;
    std::vector<double> cuts{webLo, webHi};
    std::vector<std::pair<double, double>> bands;
    const int m1 = in.n1 / 2, m2 = in.n2 / 2;
    if (m1 > 0)
        bands.push_back({in.uc1, m1 * a});
    if (m2 > 0)
        bands.push_back({s2, m2 * a});
    for (const auto& [centre, width] : bands) {
        (void)width;
        cuts.push_back(centre - a / 2);
        cuts.push_back(centre + a / 2);
    }
    const double hc = in.h - 2 * in.tf;
    const Density dens = makeDensity(cuts, D / 2, [&](double y) {
        const double flanges = 2 * in.fyd * 2 * in.tf;
        if (y > webLo && y <= webHi)
            return flanges + 2 * in.fyd * hc;
        double rebar = 0;
        for (const auto& [centre, width] : bands)
            if (std::fabs(y - centre) < a / 2)
                rebar += width;
        return flanges + 2 * in.fsd * rebar + in.fcd * (hc - rebar);
    });
    return buildCurve(dens, D, nplRd);
}

} // namespace

InteractionCurve strongAxisCurve(const EccentricInput& in, double d, const RebarLayout& rows)
{
    return buildStrongCurve(in, d, rows, plasticSection(in, d, rows).nplRd);
}

InteractionCurve weakAxisCurve(const EccentricInput& in, double d)
{
    RebarLayout layout;
    LayoutRebarRows(layout, in.n1, in.n2, in.h, in.dInput, in.uf1, in.tf);
    return buildWeakCurve(in, d, plasticSection(in, d, layout).nplRd);
}

namespace {

// Whether two inputs give the same curves: every value but the buckling
// lengths and the eccentricities is the same (bit for bit), and so are the
// diameter in effect, the rows and N.pl.Rd that come from them.
bool sameCurveInput(const EccentricInput& a, const EccentricInput& b)
{
    return a.n1 == b.n1 && a.n2 == b.n2 && a.h == b.h && a.b == b.b && a.tw == b.tw && a.tf == b.tf && a.r == b.r &&
           a.uf1 == b.uf1 && a.uc1 == b.uc1 && a.fyd == b.fyd && a.fsd == b.fsd && a.fcd == b.fcd && a.Ea == b.Ea &&
           a.Ec == b.Ec && a.Es == b.Es && a.pcp == b.pcp && a.fck == b.fck && a.rho == b.rho && a.dInput == b.dInput;
}

} // namespace

EccentricResult EccentricResistance(const EccentricInput& in, EccentricCurves* curves)
{
    EccentricResult res;
    // 1. Diameter in effect and rebar rows (the rows use the entered diameter).
    double d = in.dInput;
    LayoutRebarRows(res.rows, in.n1, in.n2, in.h, d, in.uf1, in.tf);
    if (in.rho > 4)
        d = d * checkedSqrt(checkedDiv(4, in.rho));
    res.dCalc = d;

    // 2. Section values.
    const PlasticSection v = plasticSection(in, d, res.rows);

    // 3. Strong axis.
    const AxisResult strong = axialResistance(in, v, v.values, in.lStrong, in.e2, in.h, 0.34);

    // 6. Weak axis.
    const SectionValues weakValues =
        sectionValues(eccentricSection(in), eccentricBars(in, d, res.rows), Axis::Weak, kEnvEccentricSection);
    const AxisResult weak = axialResistance(in, v, weakValues, in.lWeak, in.e1, in.b, 0.49);

    res.nRdStrong = strong.nRd;
    res.nRdWeak = weak.nRd;
    res.nCrStrong = strong.nCr;
    res.nCrWeak = weak.nCr;

    // 4. Interaction curves (the tables live only for this call, or in `curves`).
    EccentricCurves local;
    EccentricCurves& kept = curves ? *curves : local;
    if (!kept.filled || !sameCurveInput(kept.key, in)) {
        kept.filled = false;
        kept.strong = buildStrongCurve(in, d, res.rows, v.nplRd);
        kept.weak = buildWeakCurve(in, d, v.nplRd);
        kept.key = in;
        kept.filled = true;
    }
    const InteractionCurve& curveS = kept.strong;
    const InteractionCurve& curveW = kept.weak;
    res.strongPoints = curveS.count;
    res.weakPoints = curveW.count;

    // 5. and 6. Searches.
    const SearchResult ss = searchAxis(curveS, strong, in.e2);
    const SearchResult sw = searchAxis(curveW, weak, in.e1);
    res.ratioStrong = ss.ratio;
    res.ratioWeak = sw.ratio;
    auto keep = [](EccentricAxisValues& a, const SearchResult& s, const AxisResult& ax, double e) {
        if (e == 0)
            return;
        a = EccentricAxisValues{e, ax.nRd, ax.nCr, s.Mk, s.n, s.ratio, s.k, s.mSd, s.mN, s.mAllow};
    };
    keep(res.weak, sw, weak, in.e1);
    keep(res.strong, ss, strong, in.e2);

    // 7. Biaxial: only the governing axis's moment resistance is reduced by its Mk term.
    const bool governStrong = sw.n >= ss.n;
    const AxisResult& g = governStrong ? strong : weak;
    const double mkG = governStrong ? ss.Mk : sw.Mk;
    res.ratioBiaxial = 0;
    FallingSearch mdW(curveW), mdS(curveS);
    for (int j = 1; j <= 1000; ++j) {
        const double nj = g.nRd - j * g.nRd * 0.001;
        double kw = 1, ks = 1;
        if (!amplification(nj, weak.nCr, kw) || !amplification(nj, strong.nCr, ks))
            continue;
        const double mSdW = nj * in.e1 * kw * units::kkNmPerkNmm;
        const double mSdS = nj * in.e2 * ks * units::kkNmPerkNmm;
        double mRdW = mdW(nj);
        double mRdS = mdS(nj);
        const double reduction = checkedDiv(mkG * nj, g.nRd);
        if (governStrong)
            mRdS -= reduction;
        else
            mRdW -= reduction;
        if (mRdW == 0 || mRdS == 0 || !std::isfinite(mSdW / mRdW) || !std::isfinite(mSdS / mRdS)) {
            res.findings.push_back({FindingCode::BendingFailure, Severity::Message, {}});
            res.ratioBiaxial = 0;
            break;
        }
        const double rw = mSdW / mRdW;
        const double rs = mSdS / mRdS;
        if (rw + rs <= 1.0 && rw <= 0.9 && rs <= 0.9) {
            res.ratioBiaxial = nj / g.nRd;
            res.biaxial = BiaxialValues{nj, mSdW, mRdW, mSdS, mRdS, rw, rs, governStrong};
            break;
        }
    }
    return res;
}

EccentricAxes eccentricAxes(const EccentricInput& in)
{
    EccentricAxes out;
    EccentricCurves curves;
    out.result = EccentricResistance(in, &curves);
    auto axis = [](EccentricAxis& a, const InteractionCurve& c, double nRd, double nCr, double e) {
        a.curve = c;
        a.nplRd = c.count >= 1 ? c.N[1] : 0;
        a.nRd = nRd;
        a.nCr = nCr;
        a.e = e;
        const SearchResult s = searchAxis(c, AxisResult{nRd, nCr}, e);
        a.Mk = s.Mk;
        a.nFound = s.n;
    };
    axis(out.weak, curves.weak, out.result.nRdWeak, out.result.nCrWeak, in.e1);
    axis(out.strong, curves.strong, out.result.nRdStrong, out.result.nCrStrong, in.e2);
    return out;
}

bool secondOrderAmplification(double n, double nCr, double& k) { return amplification(n, nCr, k); }

double interactionMoment(const InteractionCurve& c, double n) { return interpolate(c, n); }

} // namespace qeln::env1994
