// Input checks before a run (validity limits of ENV 1994-1-1 / 1994-1-2 and
// plausibility limits), in the fixed order the user sees them.
#include "checks.h"

#include "scope.h"

#include "calc/numeric.h"
#include "calc/section.h"
#include "calc/yield.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace qeln::env1994 {

namespace {

struct Findings {
    CheckOutcome& out;
    void error(FindingCode code, std::vector<double> values = {})
    {
        out.findings.push_back({code, Severity::Error, std::move(values)});
    }
    void warning(FindingCode code, std::vector<double> values = {})
    {
        out.findings.push_back({code, Severity::Warning, std::move(values)});
    }
};

bool allFinite(const ColumnInput& in)
{
    for (double v : {in.h, in.b, in.tw, in.tf, in.r, in.d, in.uc1, in.uf1, in.fy, in.fck, in.fsk, in.gammaA, in.gammaC,
                     in.gammaS, in.gammaAfi, in.gammaCfi, in.gammaSfi, in.lWeakCold, in.lStrongCold, in.lWeakFire,
                     in.lStrongFire, in.e1, in.e2, in.pcp, in.dg})
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

CheckOutcome checkInput(const ColumnInput& in)
{
    CheckOutcome out;
    if (!allFinite(in)) {
        out.undefined = CalculationError(FaultKind::NotANumber, "an input value is not a number");
        return out;
    }

    Findings f{out};
    using C = FindingCode;
    const double h = in.h, b = in.b, tw = in.tw, tf = in.tf, d = in.d;
    const int n1 = in.n1, n2 = in.n2;
    // Divisions the checks cannot make for this input; reported after all checks ran.
    std::optional<CalculationError>& undefined = out.undefined;

    if (h > 1100 || h < 230)
        f.error(C::ProfileHeight);
    if (b > 500 || b < 230)
        f.error(C::ProfileWidth);
    if (profileBelowFireLimits(h, b))
        f.warning(C::SmallProfile);

    out.dCalc = d;
    out.n1 = n1;
    out.n2 = n2;

    if (d < 12)
        f.error(C::RebarDiameter);
    // The rows hold 4 bars each: a count that is not a multiple of four (only
    // possible from a project file) cannot be laid out.
    const bool n1Layout = n1 % 4 == 0;
    if (h <= 400 && (n1 < 4 || n1 > 8 || !n1Layout))
        f.error(C::RebarCountProfileUpTo400);
    if (h > 400 && (n1 < 4 || n1 > 16 || !n1Layout))
        f.error(C::RebarCountProfileAbove400);
    if (n2 > 4 || (n2 != 0 && n2 != 4))
        f.error(C::SecondLayerCount);

    const SectionValues areas = sectionValues(sectionOf(in), SectionBars{n1, n2, d, in.uc1, {}}, Axis::Weak,
                                              kEnvChecksSection);
    const double As = areas.As;
    const double Ac = areas.Ac;
    double rho = 0;
    if (Ac + As == 0 || !std::isfinite(As / (Ac + As))) {
        undefined = CalculationError(FaultKind::Division, "reinforcement ratio of a section without area");
    } else {
        rho = As / (Ac + As) * 100;
        out.rho = rho;
        if (rho < 1)
            f.error(C::RatioLow, {rho});
        if (rho > 4 && rho < 6) {
            const double dReduced = d * std::sqrt(4 / rho);
            f.warning(C::RatioReducedDiameter, {rho, dReduced});
        }
        if (rho > 6)
            f.error(C::RatioHigh, {rho});
    }

    const double a = MaxOf(d, 20);
    bool rowsOverlap = false;
    if (n1 == 8 && h <= 400) {
        const double x1 = nextBarDistance(in.uf1, d);
        const double x2 = 0.5 * h - tf - 0.5 * (d + a);
        rowsOverlap = x1 > x2;
    }
    if (n1 > 8) {
        const double x1 = nextBarDistance(in.uf1, d);
        const double s = n1 == 16 ? 3 * d + a : 2 * d;
        const double x2 = 0.5 * h - tf - s;
        rowsOverlap = x2 - a < x1;
    }
    if (rowsOverlap)
        f.error(C::RebarSpacing);

    const double uf1 = in.uf1, uc1 = in.uc1;
    bool heightConflict = false;
    switch (n1) {
    case 4: heightConflict = 0.5 * h < tf + uf1 + 0.5 * d + 0.5 * a; break;
    case 8:
        heightConflict = h > 400 ? 0.5 * h - 3 * d - tf - uf1 < a : 0.5 * h - (tf + uf1 + 1.5 * d + a) < 0.5 * a;
        break;
    case 12: heightConflict = 0.5 * h - 4 * d - tw - tf - uf1 < a; break;
    case 16: heightConflict = 0.5 * h - 5 * d - tw - tf - uf1 - a < a; break;
    default: break;
    }
    if (heightConflict)
        f.error(C::RebarHeight);
    bool widthConflict = false;
    if (n2 == 0)
        widthConflict = 0.5 * b - 0.5 * tw < 0.5 * d + uc1;
    else if (n2 == 4)
        widthConflict = 0.5 * b - 0.5 * tw < 0.5 * d + uc1 + a + d;
    if (widthConflict)
        f.error(C::RebarWidth);

    // The clear spacing of the bars for the concrete's aggregate (EN 1992-1-1,
    // 8.2(2)), for both design codes. Where the rows already conflict along
    // the height, that error says more than a spacing below zero would.
    if (!usableAggregateSize(in.dg)) {
        f.error(C::AggregateSizeRange, {in.dg, kMinAggregateSize, kMaxAggregateSize});
    } else if (!barSpacingFits(in) && !heightConflict && !rowsOverlap) {
        f.warning(C::BarSpacingBelowMinimum, {*smallestBarSpacing(in), requiredBarSpacing(d, in.dg)});
    }

    if (in.fy < 100 || in.fy > 700)
        f.warning(C::YieldPointRange);
    if (in.fck < 10 || in.fck > 80)
        f.warning(C::ConcreteStrengthRange);
    if (in.fsk < 100 || in.fsk > 700)
        f.warning(C::RebarStrengthRange);

    if (tf == 0 || in.fy <= 0) {
        undefined = CalculationError(
            FaultKind::Division,
            "local buckling check of a flange without thickness or of a steel without yield point");
    } else {
        const double epsilon = std::sqrt(235 / in.fy);
        if (b / tf > 44 * epsilon)
            f.error(C::FlangeSlenderness, {b / tf, 44 * epsilon});
    }

    // Validity of the fire buckling lengths (ENV 1994-1-2 Annex F, F.6 (5)).
    const std::array<bool, 4> outside = bucklingLengthsOutside(in);
    std::vector<double> classes;   // flags by class, R30 to R120
    for (bool o : outside)
        classes.push_back(o ? 1 : 0);
    if (outside[0] || outside[1] || outside[2] || outside[3])
        f.warning(C::FireBucklingLength, classes);

    // The run uses the size of an eccentricity, so its limit applies to both
    // signs. As with every other validity limit, the run still goes on to
    // its service calculation and stops there.
    if (std::fabs(in.e1) > 0.5 * b)
        f.error(C::EccentricityWeak, {0.5 * b});
    if (std::fabs(in.e2) > 0.5 * h)
        f.error(C::EccentricityStrong, {0.5 * h});

    // Values outside their meaning (only a project or JSON file can give
    // them, the dialogs cannot): the design run is not started, since its
    // numbers would look valid and be wrong or its arithmetic would fail.
    // Each finding's values name the values out of range: pairs of which
    // value (its index in the list below) and the value.
    auto outOfMeaning = [&](FindingCode code, std::initializer_list<double> values, auto fits) {
        std::vector<double> bad;
        int k = 0;
        for (double v : values) {
            if (!fits(v)) {
                bad.push_back(k);
                bad.push_back(v);
            }
            ++k;
        }
        if (!bad.empty()) {
            f.error(code, std::move(bad));
            out.unusable = true;
        }
    };
    auto positive = [](double v) { return v > 0; };
    outOfMeaning(C::FactorsNotPositive, {in.gammaA, in.gammaC, in.gammaS, in.gammaAfi, in.gammaCfi, in.gammaSfi},
                 positive);
    outOfMeaning(C::AxisDistancesNotPositive, {uc1, uf1}, positive);
    outOfMeaning(C::BucklingLengthsNotPositive, {in.lWeakCold, in.lStrongCold, in.lWeakFire, in.lStrongFire},
                 positive);
    outOfMeaning(C::PermanentLoadOutside, {in.pcp}, [](double v) { return v >= 0 && v <= 100; });

    // Yield point used for the run.
    const double t = MaxOf(tw, tf);
    bool gradeUnknown = false;
    ReduceYieldPoint(in.autoReduce, out.fyCalc, gradeUnknown, in.fy, t);
    if (in.autoReduce && gradeUnknown)
        f.warning(C::SteelGradeUnknown);
    double fyReduced = 0;
    bool unused = false;
    ReduceYieldPoint(true, fyReduced, unused, in.fy, t);
    if (std::fabs(out.fyCalc - fyReduced) > 0.5)
        f.warning(in.movrixAvailable ? C::YieldPointNotReducedMovrix : C::YieldPointNotReduced);

    return out;
}

} // namespace qeln::env1994
