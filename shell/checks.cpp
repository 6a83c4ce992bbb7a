// Input checks before a run (validity limits of ENV 1994-1-1 / 1994-1-2 and
// plausibility limits), in the fixed order the user sees them.
#include "checks.h"

#include "calc/designcheck.h"
#include "calc/format.h"
#include "calc/numeric.h"
#include "calc/yield.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace qeln {

namespace {

struct Findings {
    const CalcEnv& env;
    ColumnResults& res;
    std::string fmt2(double v) const { return formatFixed(v, 2, env.decimalSeparator); }
    void error(std::initializer_list<std::string> lines, const char* separator)
    {
        for (const auto& l : lines)
            res.errors.add(l);
        res.errors.add(separator);
        res.hasErrors = true;
    }
    // A first line, then the lines naming the values; returns true.
    bool error(const std::string& first, const std::vector<std::string>& lines, const char* separator)
    {
        res.errors.add(first);
        for (const auto& l : lines)
            res.errors.add(l);
        res.errors.add(separator);
        res.hasErrors = true;
        return true;
    }
    void warning(std::initializer_list<std::string> lines, const char* separator)
    {
        for (const auto& l : lines)
            res.warnings.add(l);
        res.warnings.add(separator);
        res.hasWarnings = true;
    }
};

bool allFinite(const ColumnInput& in)
{
    for (double v : {in.h, in.b, in.tw, in.tf, in.r, in.d, in.uc1, in.uf1, in.fy, in.fck, in.fsk, in.gammaA, in.gammaC,
                     in.gammaS, in.gammaAfi, in.gammaCfi, in.gammaSfi, in.lWeakCold, in.lStrongCold, in.lWeakFire,
                     in.lStrongFire, in.e1, in.e2, in.pcp})
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

CheckOutcome RunInputChecks(const CalcEnv& env, const ColumnInput& in, ColumnResults& res)
{
    res.errors.clear();
    res.warnings.clear();
    res.hasErrors = false;
    res.hasWarnings = false;
    if (!allFinite(in))
        throw CalculationError("an input value is not a number");

    Findings f{env, res};
    auto T = [&](int id) { return env.text(id); };
    const double h = in.h, b = in.b, tw = in.tw, tf = in.tf, r = in.r, d = in.d;
    const int n1 = in.n1, n2 = in.n2;
    // Divisions the checks cannot make for this input; reported after all checks ran.
    std::string undefined;

    if (h > 1100 || h < 230)
        f.error({T(1025)}, " ");
    if (b > 500 || b < 230)
        f.error({T(1026)}, " ");
    if (profileBelowFireLimits(h, b))
        f.warning({T(1029)}, " ");

    CheckOutcome out;
    out.dCalc = d;
    out.n1 = n1;
    out.n2 = n2;

    if (d < 12)
        f.error({T(1030)}, " ");
    // The rows hold 4 bars each: a count that is not a multiple of four (only
    // possible from a project file) cannot be laid out.
    const bool n1Layout = n1 % 4 == 0;
    if (h <= 400 && (n1 < 4 || n1 > 8 || !n1Layout))
        f.error({T(1031)}, " ");
    if (h > 400 && (n1 < 4 || n1 > 16 || !n1Layout))
        f.error({T(1032)}, " ");
    if (n2 > 4 || (n2 != 0 && n2 != 4))
        f.error({T(1033)}, " ");

    // The counts are added as doubles: two large counts from a file must not
    // overflow an int.
    const double As = 0.78539825 * d * d * (static_cast<double>(n1) + n2);
    const double Ac = (h - 2 * tf) * (b - tw) - 0.858407 * r * r - As;
    double rho = 0;
    if (Ac + As == 0 || !std::isfinite(As / (Ac + As))) {
        undefined = "reinforcement ratio of a section without area";
    } else {
        rho = As / (Ac + As) * 100;
        out.rho = rho;
        if (rho < 1)
            f.error({T(1034) + f.fmt2(rho) + " %", T(1035)}, " ");
        if (rho > 4 && rho < 6) {
            const double dReduced = d * std::sqrt(4 / rho);
            f.warning({T(1036) + f.fmt2(rho) + " %", withDecimalSeparator(T(1037), env.decimalSeparator), T(1038), T(1039) + f.fmt2(dReduced) + " mm"}, " ");
        }
        if (rho > 6)
            f.error({T(1040) + f.fmt2(rho) + " %", T(1035)}, " ");
    }

    const double a = MaxOf(d, 20);
    if (n1 == 8 && h <= 400) {
        const double x1 = in.uf1 + d + a;
        const double x2 = 0.5 * h - tf - 0.5 * (d + a);
        if (x1 > x2)
            f.error({T(1041)}, " ");
    }
    if (n1 > 8) {
        const double x1 = in.uf1 + d + a;
        const double s = n1 == 16 ? 3 * d + a : 2 * d;
        const double x2 = 0.5 * h - tf - s;
        if (x2 - a < x1)
            f.error({T(1041)}, " ");
    }

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
        f.error({T(1047)}, "");
    bool widthConflict = false;
    if (n2 == 0)
        widthConflict = 0.5 * b - 0.5 * tw < 0.5 * d + uc1;
    else if (n2 == 4)
        widthConflict = 0.5 * b - 0.5 * tw < 0.5 * d + uc1 + a + d;
    if (widthConflict)
        f.error({T(1048)}, "");

    if (in.fy < 100 || in.fy > 700)
        f.warning({T(1049)}, "");
    if (in.fck < 10 || in.fck > 80)
        f.warning({T(1050)}, "");
    if (in.fsk < 100 || in.fsk > 700)
        f.warning({T(1051)}, "");

    if (tf == 0 || in.fy <= 0) {
        undefined = "local buckling check of a flange without thickness or of a steel without yield point";
    } else {
        const double epsilon = std::sqrt(235 / in.fy);
        if (b / tf > 44 * epsilon)
            f.error({T(1128), T(1129) + f.fmt2(b / tf) + " > " + f.fmt2(44 * epsilon)}, "");
    }

    // Validity of the fire buckling lengths (ENV 1994-1-2 Annex F, F.6 (5)).
    const std::string classes = bucklingLengthClassList(bucklingLengthsOutside(in));
    if (!classes.empty())
        f.warning({T(1042) + " " + classes + " ", T(1043)}, " ");

    // The run uses the size of an eccentricity, so its limit applies to both
    // signs. As with every other validity limit, the run still goes on to
    // its service calculation and stops there.
    if (std::fabs(in.e1) > 0.5 * b)
        f.error({T(1044), T(1045) + f.fmt2(0.5 * b) + " mm !"}, " ");
    if (std::fabs(in.e2) > 0.5 * h)
        f.error({T(1046), T(1045) + f.fmt2(0.5 * h) + " mm !"}, " ");

    // Values outside their meaning (only a project or JSON file can give
    // them, the dialogs cannot): the design run is not started, since its
    // numbers would look valid and be wrong or its arithmetic would fail.
    std::vector<std::string> bad;
    const std::pair<double, int> factors[] = {{in.gammaA, 276}, {in.gammaC, 277}, {in.gammaS, 278}};
    const std::pair<double, int> fireFactors[] = {{in.gammaAfi, 276}, {in.gammaCfi, 277}, {in.gammaSfi, 278}};
    for (int fire = 0; fire < 2; ++fire)
        for (const auto& [gamma, name] : fire ? fireFactors : factors)
            if (!(gamma > 0))
                bad.push_back("  " + T(name) + ", " + T(fire ? 274 : 273) + " = " + f.fmt2(gamma));
    if (!bad.empty())
        out.unusable = f.error(T(1170), bad, " ");

    bad.clear();
    if (!(uc1 > 0))
        bad.push_back("  UC1 = " + f.fmt2(uc1) + " mm");
    if (!(uf1 > 0))
        bad.push_back("  UF1 = " + f.fmt2(uf1) + " mm");
    if (!bad.empty())
        out.unusable = f.error(T(1171), bad, " ");

    bad.clear();
    const std::pair<double, int> lengths[] = {
        {in.lWeakCold, 177}, {in.lStrongCold, 177}, {in.lWeakFire, 274}, {in.lStrongFire, 274}};
    for (int k = 0; k < 4; ++k)
        if (!(lengths[k].first > 0))
            bad.push_back("  " + T(k % 2 ? 179 : 178) + ", " + T(lengths[k].second) + " = " +
                          f.fmt2(lengths[k].first) + " m");
    if (!bad.empty())
        out.unusable = f.error(T(1172), bad, " ");

    if (!(in.pcp >= 0 && in.pcp <= 100))
        out.unusable = f.error(T(1173), {"  " + T(195) + " = " + f.fmt2(in.pcp) + " %"}, " ");

    // Yield point used for the run.
    const double t = MaxOf(tw, tf);
    bool gradeUnknown = false;
    ReduceYieldPoint(in.autoReduce, out.fyCalc, gradeUnknown, in.fy, t);
    if (in.autoReduce && gradeUnknown)
        f.warning({T(187)}, "");
    double fyReduced = 0;
    bool unused = false;
    ReduceYieldPoint(true, fyReduced, unused, in.fy, t);
    if (std::fabs(out.fyCalc - fyReduced) > 0.5)
        f.warning({T(in.movrixAvailable ? 189 : 188)}, "");

    if (!undefined.empty())
        throw CalculationError(undefined);
    return out;
}

} // namespace qeln
