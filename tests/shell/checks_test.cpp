// The input checks before a run: borders, order, separators, derived values.
#include "calc/env1994/checks.h"
#include "shell/checks.h"
#include "calc/method.h"
#include "tests/reference_cases.h"
#include "tests/run_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace qeln;

namespace {

struct Checked {
    ColumnResults res;
    CheckOutcome out;
};

Checked check(const ColumnInput& in)
{
    TextEnv env;
    Checked c;
    c.out = RunInputChecks(env, in, c.res);
    return c;
}

// A line of the list begins with the text.
bool has(const MessageList& l, const std::string& prefix) { return test::startsAny(l, prefix); }

// A finding of the code (of that severity, when one is given).
bool found(const CheckOutcome& out, FindingCode code, std::optional<Severity> severity = std::nullopt)
{
    return std::any_of(out.findings.begin(), out.findings.end(), [&](const Finding& f) {
        return f.code == code && (!severity || f.severity == *severity);
    });
}

const char* kHeight = "Unauthorised profile height.";
const char* kWidth = "Unauthorised profile width.";

} // namespace

TEST(InputChecks, DefaultProjectIsClean)
{
    const Checked c = check(ColumnInput{});
    EXPECT_FALSE(c.res.hasErrors);
    EXPECT_FALSE(c.res.hasWarnings);
    EXPECT_NEAR(c.out.rho, 1.5598, 1e-4);
    EXPECT_EQ(c.out.fyCalc, 355);
    EXPECT_EQ(c.out.dCalc, 20);
}

// The messages of the profile's limits (their borders: CheckLimits below;
// the warning of a small profile: ScopeAgreesWithWarnings).
TEST(InputChecks, ProfileBorders)
{
    ColumnInput low;
    low.h = 229.9;
    const Checked c = check(low);
    EXPECT_TRUE(has(c.res.errors, kHeight));
    EXPECT_EQ(c.res.errors[1], " ");
    ColumnInput wide;
    wide.b = 500.1;
    EXPECT_TRUE(has(check(wide).res.errors, kWidth));
}

TEST(InputChecks, RebarCounts)
{
    auto has = [](const ColumnInput& in, FindingCode c) { return found(env1994::checkInput(in), c); };
    ColumnInput twelve;
    twelve.n1 = 12;
    twelve.h = 400;
    EXPECT_TRUE(has(twelve, FindingCode::RebarCountProfileUpTo400));
    twelve.h = 401;
    EXPECT_FALSE(has(twelve, FindingCode::RebarCountProfileUpTo400));
    EXPECT_FALSE(has(twelve, FindingCode::RebarCountProfileAbove400));

    // counts that are no multiple of four cannot be laid out in rows of four
    ColumnInput six;
    six.n1 = 6;
    EXPECT_TRUE(has(six, FindingCode::RebarCountProfileUpTo400));
    ColumnInput two;
    two.n2 = 2;
    EXPECT_TRUE(has(two, FindingCode::SecondLayerCount));
    // the message of a finding is its catalogue text and a blank separator line
    const Checked c = check(two);
    EXPECT_EQ(c.res.errors[0], "Numbers of re-bars in second row for the chosen profile must be equal to 0 or 4");
    EXPECT_EQ(c.res.errors[1], " ");
}

TEST(InputChecks, ReinforcementRatioBorders)
{
    // d chosen so that rho hits the borders of rows 8 to 10 closely
    ColumnInput in;
    in.d = 12;
    const Checked lowRho = check(in);   // 4 bars of 12 mm: rho about 0.56 %
    EXPECT_TRUE(has(lowRho.res.errors, "Number or diameter of the re-bars is too low"));
    EXPECT_TRUE(has(lowRho.res.errors, "1 % < allowed percentage < 6 %"));

    const ColumnInput high = reference::he500b8x4Input();   // rho above 4 %
    const Checked w = check(high);
    EXPECT_NEAR(w.out.rho, 4.6699, 1e-4);
    ASSERT_TRUE(w.res.hasWarnings);
    EXPECT_EQ(w.res.warnings[0], "Number or diameter of the re-bars too high for design at room temperature. Percentage of the reinforcement = 4.67 %");
    EXPECT_EQ(w.res.warnings[3], "Reduced diameter of re-bars for calculation at room-temperature = 23.14 mm");
    EXPECT_EQ(w.res.warnings[4], " ");

    ColumnInput over = high;
    over.d = 32;
    const Checked e = check(over);
    EXPECT_TRUE(has(e.res.errors, "Number or diameter of the re-bars too high for design at elevated temperatures."));
}

TEST(InputChecks, LocalBucklingAndEccentricities)
{
    ColumnInput in;
    in.tf = 6;   // b / tf = 50 > 44 * 0.8136
    const Checked c = check(in);
    ASSERT_TRUE(has(c.res.errors, "Attention! Danger of local buckling"));
    EXPECT_TRUE(has(c.res.errors, "Calculated values B/t.f > 44*epsilon: 50.00 > 35.80"));

    ColumnInput e;
    e.e1 = 150;    // b / 2
    e.e2 = -155;   // -h / 2: the run uses the size, the limit holds for both signs
    EXPECT_FALSE(check(e).res.hasErrors);
    e.e1 = 150.5;
    e.e2 = 160;
    const Checked f = check(e);
    EXPECT_TRUE(has(f.res.errors, "Max. Eccentricity = 150.00 mm !"));
    EXPECT_TRUE(has(f.res.errors, "Max. Eccentricity = 155.00 mm !"));
    EXPECT_FALSE(f.out.unusable);   // like every validity limit: the run stops after its service part
    e.e1 = -1e308;   // passed as valid before, now refused like +1e308
    e.e2 = -155.5;
    const Checked g = check(e);
    EXPECT_TRUE(has(g.res.errors, "Eccentricity e1 for weak axis too high"));
    EXPECT_TRUE(has(g.res.errors, "Eccentricity e2 for strong axis too high"));
}

// Values outside their meaning: each gives its error, naming the values, and
// the run is not started; the borders themselves are accepted.
struct MeaningCase {
    const char* name;
    void (*set)(ColumnInput&);
    std::vector<std::string> lines;   // the error's lines, separator excluded
    friend void PrintTo(const MeaningCase& c, std::ostream* os) { *os << c.name; }
};

class ValuesOutsideTheirMeaning : public testing::TestWithParam<MeaningCase> {};

TEST_P(ValuesOutsideTheirMeaning, AreErrorsThatStopTheRun)
{
    ColumnInput in;
    GetParam().set(in);
    const Checked c = check(in);
    EXPECT_TRUE(c.out.unusable);
    ASSERT_TRUE(c.res.hasErrors);
    const auto& lines = c.res.errors.lines();
    const auto at = std::find(lines.begin(), lines.end(), GetParam().lines[0]);
    ASSERT_NE(at, lines.end()) << c.res.errors[0];
    const std::vector<std::string> got(at, at + std::min<std::ptrdiff_t>(lines.end() - at, GetParam().lines.size() + 1));
    std::vector<std::string> expected = GetParam().lines;
    expected.push_back(" ");
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ValuesOutsideTheirMeaning,
    testing::Values(
        MeaningCase{"factors",
                    [](ColumnInput& in) { in.gammaA = in.gammaC = in.gammaS = -1; },
                    {"Partial factors must be greater than 0:", "  Profile steel, Normal temperature = -1.00",
                     "  Concrete, Normal temperature = -1.00", "  Rebar steel, Normal temperature = -1.00"}},
        MeaningCase{"fireFactorZero", [](ColumnInput& in) { in.gammaSfi = 0; },
                    {"Partial factors must be greater than 0:", "  Rebar steel, Fire conditions = 0.00"}},
        MeaningCase{"axisDistances", [](ColumnInput& in) { in.uc1 = -5; in.uf1 = 0; },
                    {"The axis distances UC1 and UF1 of the rebars must be greater than 0:", "  UC1 = -5.00 mm",
                     "  UF1 = 0.00 mm"}},
        MeaningCase{"bucklingLengths", [](ColumnInput& in) { in.lWeakCold = 0; in.lStrongFire = -2; },
                    {"Buckling lengths must be greater than 0:",
                     "  Buckling length for weak axis, Normal temperature = 0.00 m",
                     "  Buckling length for strong axis, Fire conditions = -2.00 m"}},
        MeaningCase{"permanentLoadBelow", [](ColumnInput& in) { in.pcp = -0.01; },
                    {"The percentage of permanent load must lie between 0 % and 100 %:",
                     "  Percentage of permanent load = -0.01 %"}},
        MeaningCase{"permanentLoadAbove", [](ColumnInput& in) { in.pcp = 100.5; },
                    {"The percentage of permanent load must lie between 0 % and 100 %:",
                     "  Percentage of permanent load = 100.50 %"}}),
    [](const testing::TestParamInfo<MeaningCase>& i) { return std::string(i.param.name); });

TEST(InputChecks, BordersOfTheMeaningChecksAreAccepted)
{
    for (double pcp : {0.0, 100.0}) {
        ColumnInput in;
        in.pcp = pcp;
        in.gammaA = 0.01;
        in.lWeakFire = 0.01;
        const Checked c = check(in);
        EXPECT_FALSE(c.out.unusable) << pcp;
        EXPECT_FALSE(has(c.res.errors, "The percentage of permanent load")) << pcp;
        EXPECT_FALSE(has(c.res.errors, "Partial factors")) << pcp;
        EXPECT_FALSE(has(c.res.errors, "Buckling lengths")) << pcp;
    }
}

TEST(InputChecks, HugeRebarCountsDoNotOverflow)
{
    // n1 + n2 in int arithmetic was undefined (a percentage of -837419294.58 %)
    ColumnInput in;
    in.n1 = std::numeric_limits<int>::max();
    in.n2 = 1;
    const Checked c = check(in);
    EXPECT_GT(c.out.rho, 6);
    EXPECT_TRUE(has(c.res.errors, "Numbers of re-bars in first row"));
    in.n1 = std::numeric_limits<int>::min();
    in.n2 = -1;
    EXPECT_TRUE(check(in).res.hasErrors);
}

// The warning's form; which classes it lists: ScopeAgreesWithWarnings.
TEST(InputChecks, FireBucklingLengthClasses)
{
    ColumnInput in;
    in.h = 300;
    in.b = 300;
    in.lWeakFire = 4.5;
    in.lStrongFire = 4.5;
    const Checked c = check(in);
    ASSERT_TRUE(c.res.hasWarnings);
    const std::string first = c.res.warnings[0];
    EXPECT_EQ(first.substr(first.size() - 19), " R30 R60 R90 R120  ");
    EXPECT_EQ(c.res.warnings[1], "[see F.6 (5) of ANNEX F of EC4 Part 1.2]");
}

TEST(InputChecks, YieldPointWarnings)
{
    ColumnInput unknown;
    unknown.fy = 300;
    EXPECT_TRUE(has(check(unknown).res.warnings, "No automatic reduction of yield strength"));

    ColumnInput off;
    off.autoReduce = false;
    off.tf = 20;   // thickness class 20: 355 would be reduced to 345
    EXPECT_TRUE(has(check(off).res.warnings, "You did not select automatic reduction"));
    off.movrixAvailable = true;
    const Checked c = check(off);
    EXPECT_TRUE(has(c.res.warnings, "Because you neglect the reduction"));
    EXPECT_EQ(c.out.fyCalc, 355);
}

TEST(InputChecks, UndefinedArithmeticIsACalculationErrorAfterAllChecks)
{
    TextEnv env;
    ColumnResults res;
    ColumnInput in;
    in.fy = 0;
    EXPECT_THROW(RunInputChecks(env, in, res), CalculationError);
    EXPECT_TRUE(has(res.warnings, "The value given for the yield point of the steel profile"));
    ColumnInput flat;
    flat.tf = 0;
    EXPECT_THROW(RunInputChecks(env, flat, res), CalculationError);
    ColumnInput none;
    none.h = 0;
    none.tf = 0;
    none.r = 0;
    none.d = 0;
    EXPECT_THROW(RunInputChecks(env, none, res), CalculationError);
    EXPECT_TRUE(res.hasErrors);
}

// Each limit as a pair: the border value passes, the next value out of range
// gives the check's finding (and nothing else decides that).
struct Limit {
    const char* name;
    void (*set)(ColumnInput&, double);
    double inside, outside;
    FindingCode code;
    Severity severity;
};

void PrintTo(const Limit& l, std::ostream* os) { *os << l.name; }

class CheckLimits : public testing::TestWithParam<Limit> {};

TEST_P(CheckLimits, BorderPassesTheNextValueDoesNot)
{
    const Limit& l = GetParam();
    ColumnInput in;
    l.set(in, l.inside);
    EXPECT_FALSE(found(env1994::checkInput(in), l.code, l.severity));
    l.set(in, l.outside);
    const CheckOutcome out = env1994::checkInput(in);
    EXPECT_TRUE(found(out, l.code, l.severity));
    EXPECT_EQ(out.hasErrors(), anyError(out.findings));
}

using C = FindingCode;
constexpr Severity E = Severity::Error, W = Severity::Warning;

INSTANTIATE_TEST_SUITE_P(
    InputChecks, CheckLimits,
    testing::Values(Limit{"heightLow", [](ColumnInput& in, double v) { in.h = v; }, 230, 229.9, C::ProfileHeight, E},
                    Limit{"heightHigh", [](ColumnInput& in, double v) { in.h = v; }, 1100, 1100.1, C::ProfileHeight, E},
                    Limit{"widthLow", [](ColumnInput& in, double v) { in.b = v; }, 230, 229.9, C::ProfileWidth, E},
                    Limit{"widthHigh", [](ColumnInput& in, double v) { in.b = v; }, 500, 500.1, C::ProfileWidth, E},
                    Limit{"smallProfile", [](ColumnInput& in, double v) { in.h = v; }, 300, 299.9, C::SmallProfile, W},
                    Limit{"diameter", [](ColumnInput& in, double v) { in.d = v; }, 12, 11.9, C::RebarDiameter, E},
                    Limit{"yieldLow", [](ColumnInput& in, double v) { in.fy = v; }, 100, 99.9, C::YieldPointRange, W},
                    Limit{"yieldHigh", [](ColumnInput& in, double v) { in.fy = v; }, 700, 700.1, C::YieldPointRange, W},
                    Limit{"concreteLow", [](ColumnInput& in, double v) { in.fck = v; }, 10, 9.9, C::ConcreteStrengthRange, W},
                    Limit{"concreteHigh", [](ColumnInput& in, double v) { in.fck = v; }, 80, 80.1, C::ConcreteStrengthRange, W},
                    Limit{"rebarLow", [](ColumnInput& in, double v) { in.fsk = v; }, 100, 99.9, C::RebarStrengthRange, W},
                    Limit{"rebarHigh", [](ColumnInput& in, double v) { in.fsk = v; }, 700, 700.1, C::RebarStrengthRange, W},
                    Limit{"eccentricityWeak", [](ColumnInput& in, double v) { in.e1 = v; }, 150, 150.01, C::EccentricityWeak, E},
                    Limit{"eccentricityStrong", [](ColumnInput& in, double v) { in.e2 = v; }, 155, 155.01, C::EccentricityStrong, E},
                    Limit{"secondLayer", [](ColumnInput& in, double v) { in.n2 = static_cast<int>(v); }, 4, 8, C::SecondLayerCount, E},
                    Limit{"aggregateLow", [](ColumnInput& in, double v) { in.dg = v; }, 4, 3.9, C::AggregateSizeRange, E},
                    Limit{"aggregateHigh", [](ColumnInput& in, double v) { in.dg = v; }, 63, 63.1, C::AggregateSizeRange, E},
                    // 4 + 4 x 20 mm: the second layer 20 mm clear of the first
                    Limit{"barSpacing", [](ColumnInput& in, double v) { in.n2 = 4; in.dg = v; }, 15, 16, C::BarSpacingBelowMinimum, W}),
    [](const testing::TestParamInfo<Limit>& info) { return std::string(info.param.name); });

TEST(InputChecks, FindingsCarryTheValuesTheMessagesShow)
{
    ColumnInput in;
    in.tf = 6;
    in.e1 = 151;
    const CheckOutcome out = env1994::checkInput(in);
    ASSERT_GE(out.findings.size(), 2u);
    const auto flange = std::find_if(out.findings.begin(), out.findings.end(),
                                     [](const Finding& f) { return f.code == C::FlangeSlenderness; });
    ASSERT_NE(flange, out.findings.end());
    EXPECT_EQ(flange->values, (std::vector<double>{50, 44 * std::sqrt(235 / 355.0)}));
    EXPECT_EQ(out.findings.back().code, C::EccentricityWeak);
    EXPECT_EQ(out.findings.back().values, std::vector<double>{150});
    // the same findings in French, with the separator of the screen
    ColumnResults res;
    writeCheckMessages(TextEnv{Language::French, nullptr, ","}, out.findings, res);
    EXPECT_TRUE(res.hasErrors);
    EXPECT_NE(std::find(res.errors.lines().begin(), res.errors.lines().end(), "Excentricité max. = 150,00 mm !"),
              res.errors.lines().end());
}

// Under EN 1994 the checks the ENV method shares cite the EN's Annex G, and
// no message names the ENV.
TEST(ChecksCodes, SharedChecksCiteTheirCodesClauses)
{
    ColumnInput in;
    in.h = 220;   // below the 230 mm of the field of application
    in.b = 220;
    in.n1 = 6;
    for (DesignCode code : {DesignCode::ENV1994, DesignCode::EN1994}) {
        useDesignCode(in, code);
        ColumnResults res;
        RunInputChecks(TextEnv{}, in, res);
        std::string all;
        for (const MessageList* l : {&res.errors, &res.warnings})
            for (const std::string& s : l->lines())
                all += s + "\n";
        SCOPED_TRACE(all);
        if (code == DesignCode::EN1994) {
            EXPECT_EQ(all.find("ENV"), std::string::npos);
            EXPECT_NE(all.find("Min height = 230 mm. (EN 1994-1-2, Annex G)"), std::string::npos);
        } else {
            EXPECT_NE(all.find("Min height = 230 mm. (ENV 1994-1-2, 4.3.6.2)"), std::string::npos);
        }
    }
}

// The clear spacing of the bars (EN 1992-1-1, 8.2(2)) in both codes: a
// warning with the spacing and the limit, at the limit and not below it; a
// run with it has no error.
TEST(BarSpacingCheck, WarnsBelowTheLimitInBothCodes)
{
    auto spacing = [](const CheckOutcome& out) {
        std::vector<Finding> v;
        for (const Finding& f : out.findings)
            if (f.code == C::BarSpacingBelowMinimum)
                v.push_back(f);
        return v;
    };
    for (DesignCode code : {DesignCode::ENV1994, DesignCode::EN1994}) {
        SCOPED_TRACE(static_cast<int>(code));
        ColumnInput in;
        useDesignCode(in, code);
        in.n2 = 4;   // HE 320 A, 4 + 4 x 20 mm: a 20 mm gap
        in.dg = 16;
        const std::vector<Finding> found = spacing(methodOf(code).check(in));
        ASSERT_EQ(found.size(), 1u);   // once, though the EN method runs the shared checks too
        EXPECT_EQ(found[0].severity, W);
        EXPECT_EQ(found[0].values, (std::vector<double>{20, 21}));
        ColumnResults res;
        RunInputChecks(TextEnv{}, in, res);
        EXPECT_FALSE(res.hasErrors);
        EXPECT_TRUE(has(res.warnings,
                        "The clear spacing of the bars s = 20 mm is below max(d, d.g + 5, 20) = 21 mm (EN 1992-1-1, 8.2(2))"));
        in.dg = 15;
        EXPECT_TRUE(spacing(methodOf(code).check(in)).empty());
    }
}

TEST(BarSpacingCheck, TheMessagesInThreeLanguagesAndTheRangeOfTheAggregate)
{
    ColumnInput in;
    in.n2 = 4;
    ColumnResults res;
    writeCheckMessages(TextEnv{Language::French, nullptr, ","}, env1994::checkInput(in).findings, res);
    EXPECT_TRUE(has(res.warnings, "L'espacement libre des barres s = 20 mm est inférieur à max(d, d.g + 5, 20) = 21 mm"));
    res = ColumnResults{};
    writeCheckMessages(TextEnv{Language::German, nullptr, ","}, env1994::checkInput(in).findings, res);
    EXPECT_TRUE(has(res.warnings, "Der lichte Abstand der Stäbe s = 20 mm liegt unter max(d, d.g + 5, 20) = 21 mm"));
    // an aggregate outside 4 to 63 mm is an error naming d.g; its spacing is not judged
    for (double dg : {2.5, 100.0}) {
        in.dg = dg;
        const CheckOutcome out = env1994::checkInput(in);
        EXPECT_TRUE(found(out, C::AggregateSizeRange, E)) << dg;
        EXPECT_FALSE(found(out, C::BarSpacingBelowMinimum, W)) << dg;
    }
    // not a number: no check is judged on it (nothing prints "nan")
    in.dg = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(env1994::checkInput(in).undefined);
    in.dg = 100;
    res = ColumnResults{};
    RunInputChecks(TextEnv{}, in, res);
    EXPECT_TRUE(has(res.errors, "The maximum aggregate size d.g = 100 mm lies outside 4 to 63 mm"));
}

TEST(BarSpacingCheck, RowsThatAlreadyConflictGetTheirErrorOnly)
{
    // 12 x 25 mm in a profile too low for them: the rows overlap
    ColumnInput in;
    in.h = 420;
    in.tf = 30;
    in.d = 25;
    in.n1 = 12;
    const CheckOutcome out = env1994::checkInput(in);
    EXPECT_TRUE(found(out, C::RebarSpacing, E));
    EXPECT_FALSE(found(out, C::BarSpacingBelowMinimum, W));
}
