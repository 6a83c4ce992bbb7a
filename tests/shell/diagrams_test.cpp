// Interaction diagrams and resistance-versus-eccentricity curves against the
// design run: the marked resistance is the result table's cell and lies where
// the acting moment crosses the allowed one, the allowed curve lies under the
// plastic curve, each curve point is the cell of a run with that eccentricity,
// nothing that is not finite reaches a plot, and the plots keep their texts apart.
#include "calc/env1994/eccentric.h"
#include "calc/env1994/design.h"
#include "calc/env1994/scope.h"
#include "catalogue/profiles.h"
#include "present/plot.h"
#include "shell/diagrams.h"
#include "shell/numbersrun.h"
#include "shell/run.h"

#include "tests/run_fixtures.h"
#include "tests/sanitized.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <random>
#include <cmath>
#include <ostream>
#include <string>

using namespace qeln;
using namespace qeln::env1994;

namespace {

// Sections across the method's field of profile sizes (h 230 to 1100 mm, b
// 230 to 500 mm), from the smallest to the heaviest.
const SteelProfile kSections[] = {
    {"HE 240 A", 230, 240, 7.5, 12, 21},          {"HE 260 B", 260, 260, 10, 17.5, 24},
    {"HE 320 A", 310, 300, 9, 15.5, 27},          {"HE 500 B", 500, 300, 14.5, 28, 27},
    {"HE 1000 M", 1008, 302, 21, 40, 30},         {"HD 400 x 187", 368, 391, 15, 24, 15},
    {"HE 1000 x 393", 1016, 303, 24.4, 43.9, 30}, {"HP 360 x 180", 351, 373, 20, 20, 15},
};

struct DiagramCase {
    int section;
    double d;
    int n1, n2;
    double e1, e2;           // as fractions of b/2 and h/2
    double lCold, lFire;     // m
    double nEd, nFiEd;
    bool designable = true;
    friend void PrintTo(const DiagramCase& c, std::ostream* os)
    {
        *os << kSections[c.section].profileName << " d " << c.d << " " << c.n1 << "+" << c.n2 << " e1 " << c.e1
            << " e2 " << c.e2 << " L " << c.lCold << "/" << c.lFire << " loads " << c.nEd << "/" << c.nFiEd;
    }
};

ColumnInput withSection(const SteelProfile& s)
{
    ColumnInput in;
    in.profileName = s.profileName;
    setSection(in, sectionOf(s));
    return in;
}

ColumnInput inputOf(const DiagramCase& c)
{
    const SteelProfile& s = kSections[c.section];
    ColumnInput in = withSection(s);
    in.d = c.d;
    in.n1 = c.n1;
    in.n2 = c.n2;
    in.e1 = c.e1 * s.b / 2;
    in.e2 = c.e2 * s.h / 2;
    in.lWeakCold = in.lStrongCold = c.lCold;
    in.lWeakFire = in.lStrongFire = c.lFire;
    in.nEd = c.nEd;
    in.nFiEd = c.nFiEd;
    if (c.nFiEd > 0)
        in.fireClass = FireClass::R60;
    return in;
}

// Linear interpolation in a curve given with N falling.
double atN(const std::vector<double>& N, const std::vector<double>& M, double n)
{
    for (std::size_t i = 1; i < N.size(); ++i)
        if (n <= N[i - 1] && n >= N[i]) {
            const double den = N[i] - N[i - 1];
            return den == 0 ? M[i] : M[i - 1] + (M[i] - M[i - 1]) * (n - N[i - 1]) / den;
        }
    return NAN;
}

void expectFinite(const std::vector<double>& v, const char* what)
{
    for (double x : v)
        ASSERT_TRUE(std::isfinite(x)) << what;
}

// The interaction diagram's own consistency: finite values, curves running as
// documented, the allowed curve under the plastic one, the resistance on the
// acting curve where it crosses the allowed curve. axialCell: the table's
// axial resistance of the axis (the resistance without eccentricity).
void checkInteraction(const InteractionDiagram& g, double axialCell)
{
    // every value finite, the arrays paired, the curves running as documented
    for (const auto& [v, what] : {std::pair{&g.plasticN, "plastic N"}, {&g.plasticM, "plastic M"}, {&g.allowedN, "allowed N"},
                                  {&g.allowedM, "allowed M"}, {&g.actingN, "acting N"}, {&g.actingM, "acting M"}})
        expectFinite(*v, what);
    ASSERT_EQ(g.plasticN.size(), g.plasticM.size());
    ASSERT_EQ(g.allowedN.size(), g.allowedM.size());
    ASSERT_EQ(g.actingN.size(), g.actingM.size());
    ASSERT_GE(g.plasticN.size(), 10u);
    EXPECT_EQ(g.plasticN.front(), g.nplRd);
    EXPECT_EQ(g.plasticN.back(), 0);
    EXPECT_EQ(g.allowedN.front(), g.nRd);
    EXPECT_EQ(g.allowedN.back(), 0);
    for (std::size_t i = 1; i < g.plasticN.size(); ++i)
        EXPECT_LT(g.plasticN[i], g.plasticN[i - 1]);
    EXPECT_EQ(g.actingN.front(), 0);

    // the allowed moment lies under the plastic moment
    for (std::size_t i = 0; i < g.allowedN.size(); ++i)
        EXPECT_LE(g.allowedM[i], atN(g.plasticN, g.plasticM, g.allowedN[i]) + 1e-9) << g.allowedN[i];

    // the resistance lies on the acting curve, where it crosses the allowed
    // curve: at N.Rd,e the acting moment is within the allowed one, one
    // search step (0.001 N.Rd) above it no longer
    if (g.e > 0 && g.resistanceN > 0) {
        double k = 0;
        ASSERT_TRUE(secondOrderAmplification(g.resistanceN, g.nCr, k));
        EXPECT_DOUBLE_EQ(g.resistanceM, g.resistanceN * g.e * k * 0.001);
        const double tol = 1e-9 * g.Mk + 1e-9;
        EXPECT_LE(g.resistanceM, atN(g.allowedN, g.allowedM, g.resistanceN) + tol);
        const double above = g.resistanceN + 0.001 * g.nRd * 1.0000001;
        if (above < g.nRd && above < g.nCr && secondOrderAmplification(above, g.nCr, k)) {
            EXPECT_GT(above * g.e * k * 0.001, atN(g.allowedN, g.allowedM, above) - tol);
        }
    } else if (g.e == 0) {
        EXPECT_EQ(g.resistanceN, axialCell);
    }
}

class Diagram : public testing::TestWithParam<DiagramCase> {};

TEST_P(Diagram, AgreesWithTheDesignRun)
{
    const ColumnInput in = inputOf(GetParam());
    const test::Calc run{in};
    const RunState& st = run.st;
    const bool valid = run.ok;
    const Diagrams d = computeDiagrams(in);
    ASSERT_EQ(d.ok(), valid);
    ASSERT_EQ(valid, GetParam().designable) << "the case no longer tests what it says";
    if (!valid) {
        EXPECT_FALSE(d.weak.valid || d.strong.valid || d.weakCurves.valid || d.strongCurves.valid);
        return;
    }
    const RowScope scope = env1994::rowScope(in);
    for (const Axis axis : {Axis::Weak, Axis::Strong}) {
        SCOPED_TRACE(axis == Axis::Weak ? "weak" : "strong");
        const InteractionDiagram& g = axis == Axis::Weak ? d.weak : d.strong;
        const ResistanceCurves& c = axis == Axis::Weak ? d.weakCurves : d.strongCurves;
        const int column = axis == Axis::Weak ? eccentricWeak : eccentricStrong;
        ASSERT_TRUE(g.valid);

        // the marked resistance is the table's cell, to the bit
        EXPECT_EQ(g.resistanceN, *st.results.table.at(rowService, column));
        EXPECT_EQ(g.e, std::fabs(axis == Axis::Weak ? in.e1 : in.e2));

        checkInteraction(g, *st.results.table.at(rowService, axis == Axis::Weak ? axialWeak : axialStrong));
        // with both eccentricities the chart names the biaxial cell, which one axis alone does not show
        if (in.e1 != 0 && in.e2 != 0) {
            ASSERT_TRUE(g.biaxialN);
            EXPECT_EQ(*g.biaxialN, *st.results.table.at(rowService, biaxial));
        } else {
            EXPECT_FALSE(g.biaxialN);
        }
        if (in.nEd > 0) {
            ASSERT_TRUE(g.loadN && g.loadFirstOrderM);
            EXPECT_EQ(*g.loadN, in.nEd);
            EXPECT_DOUBLE_EQ(*g.loadFirstOrderM, in.nEd * g.e * 0.001);
            // the load point on the acting curve: N.Ed e k(N.Ed), amplified
            if (in.nEd < g.nCr) {
                ASSERT_TRUE(g.loadM);
                double k = 1;
                ASSERT_TRUE(env1994::secondOrderAmplification(in.nEd, g.nCr, k));
                EXPECT_NEAR(*g.loadM, in.nEd * g.e * k * 0.001, 1e-9 * *g.loadM);
                EXPECT_GE(*g.loadM, *g.loadFirstOrderM);
            }
        } else {
            EXPECT_FALSE(g.loadN);
        }

        // the eccentricity curves: 0 to the checks' limit in 30 steps, each
        // point the cell of a design run with that eccentricity
        ASSERT_TRUE(c.valid);
        EXPECT_EQ(c.eLimit, axis == Axis::Weak ? in.b / 2 : in.h / 2);
        ASSERT_EQ(c.e.size(), static_cast<std::size_t>(kEccentricitySteps + 1));
        EXPECT_EQ(c.e.front(), 0);
        EXPECT_EQ(c.e.back(), c.eLimit);
        ASSERT_EQ(c.series.size(), 5u);
        for (int row = 0; row < 5; ++row) {
            const ResistanceSeries& s = c.series[static_cast<std::size_t>(row)];
            EXPECT_EQ(s.row, row);
            EXPECT_EQ(s.outside, !scope[static_cast<std::size_t>(row)]);
            ASSERT_EQ(s.N.size(), c.e.size());
            expectFinite(s.N, "series");
        }
        for (const std::size_t step : {std::size_t{0}, std::size_t{11}, c.e.size() - 1}) {
            ColumnInput at = in;
            (axis == Axis::Weak ? at.e1 : at.e2) = c.e[step];
            const test::Calc one{at};
            ASSERT_TRUE(one.ok);
            for (int row = 0; row < 5; ++row)
                EXPECT_EQ(c.series[static_cast<std::size_t>(row)].N[step], *one.st.results.table.at(row, column))
                    << "row " << row << " e " << c.e[step];
        }
        EXPECT_EQ(c.nEd.has_value(), in.nEd > 0);
        EXPECT_EQ(c.nFiEd.has_value(), in.nFiEd > 0);

        // the plots: texts apart, nothing that is not a number
        for (const Language language : {Language::English, Language::German}) {
            TextEnv te;
            te.language = language;
            te.decimalSeparator = language == Language::German ? "," : ".";
            for (const Picture& pic : {interactionPlot(te, g, axis), eccentricityPlot(te, c, axis)}) {
                EXPECT_TRUE(overlappingTexts(pic).empty());
                const std::string svg = pictureToSvg(pic);
                EXPECT_EQ(svg.find("nan"), std::string::npos);
                EXPECT_EQ(svg.find("inf"), std::string::npos);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spread, Diagram,
    testing::Values(DiagramCase{2, 20, 4, 0, 0.33, 0.19, 3, 1.5, 3000, 1500},   // the default section, e 50 / 30
                    DiagramCase{2, 20, 4, 0, 0, 0, 3, 1.5, 0, 0},               // no eccentricity
                    DiagramCase{0, 16, 4, 0, 0.5, 0.2, 2.5, 1.2, 500, 0},       // HE 240 A, R 90 and R 120 outside
                    DiagramCase{1, 16, 4, 0, 1.0, 1.0, 3, 2, 0, 800},           // at the checks' limits
                    DiagramCase{3, 25, 8, 4, 0.1, 0.7, 4, 3, 6000, 3000},
                    DiagramCase{4, 28, 8, 0, 0.8, 0, 6, 3, 12000, 0},          // HE 1000 M, one axis only
                    DiagramCase{5, 25, 4, 4, 0.25, 0.25, 5, 2.5, 9000, 4000},
                    DiagramCase{6, 28, 8, 4, 0.6, 0.4, 8, 4, 0, 0},             // long and heavy
                    DiagramCase{7, 20, 4, 0, 0.05, 0.9, 3.5, 2, 4000, 2000},
                    DiagramCase{2, 25, 4, 0, 0.3, 0.3, 3, 4.5, 0, 0},           // fire lengths outside Annex F
                    DiagramCase{0, 12, 4, 0, 0.4, 0.4, 14, 6, 0, 0, false},     // too slender: cannot be designed
                    DiagramCase{2, 20, 4, 0, 1.2, 0, 3, 1.5, 0, 0, false}),     // e1 past b/2: cannot be designed
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(Diagrams, StatusOfInputsThatCannotBeDesigned)
{
    ColumnInput in;
    in.e1 = 200;   // past b/2
    EXPECT_EQ(computeDiagrams(in).status, Diagrams::Status::inputErrors);

    // every case the numbers-only run ends with an arithmetic failure is one for the diagrams too
    ColumnInput odd;
    odd.gammaC = 0;
    NumbersRun run;
    runNumbers(odd, run);
    const Diagrams d = computeDiagrams(odd);
    EXPECT_EQ(d.status == Diagrams::Status::calculationError, run.calcError);
    EXPECT_FALSE(d.ok());
    EXPECT_FALSE(d.weak.valid || d.strong.valid || d.weakCurves.valid || d.strongCurves.valid);
}

// Many inputs drawn at random inside the method's field: the marked
// resistance is the table's cell on both axes, and the diagram holds together.
TEST(Diagrams, RandomInputsResistanceIsTheCell)
{
    std::mt19937 rng(150);
    auto between = [&](double lo, double hi) { return lo + (hi - lo) * (rng() % 10001) / 10000.0; };
    int designed = 0;
    for (int i = 0; i < 120; ++i) {
        const SteelProfile& s = kSections[rng() % std::size(kSections)];
        ColumnInput in = withSection(s);
        in.d = std::round(between(12, 28));
        in.n1 = rng() % 2 ? 4 : 8;
        in.n2 = rng() % 3 ? 0 : 4;
        in.uc1 = std::round(between(35, 70));
        in.uf1 = std::round(between(35, 70));
        in.fck = std::round(between(20, 50));
        in.fy = rng() % 2 ? 355 : 275;
        in.lWeakCold = between(2, 8);
        in.lStrongCold = between(2, 8);
        in.lWeakFire = between(1, 4);
        in.lStrongFire = between(1, 4);
        in.e1 = (rng() % 4 ? between(-1, 1) : 0) * s.b / 2;
        in.e2 = (rng() % 4 ? between(-1, 1) : 0) * s.h / 2;
        in.pcp = std::round(between(0, 100));
        SCOPED_TRACE(s.profileName + " case " + std::to_string(i));
        NumbersRun run;
        runNumbers(in, run);
        const Diagrams d = computeDiagrams(in);
        ASSERT_EQ(d.ok(), run.valid);
        if (!d.ok())
            continue;
        ++designed;
        const UltimateLoadTable& t = run.design.table;
        EXPECT_EQ(d.weak.resistanceN, *t.at(rowService, eccentricWeak));
        EXPECT_EQ(d.strong.resistanceN, *t.at(rowService, eccentricStrong));
        checkInteraction(d.weak, *t.at(rowService, axialWeak));
        checkInteraction(d.strong, *t.at(rowService, axialStrong));

        // independently: the force at which the eccentric search over these
        // very tables stops is the cell, to rounding (the cell is the member
        // calculation's N.Rd times the search's ratio; the two N.Rd agree to
        // about 1e-10)
        const EccentricAxes axes =
            eccentricAxes(eccentricInput(in, designValues(in, run.derived.fyCalc), in.lWeakCold, in.lStrongCold,
                                              std::fabs(in.e1), std::fabs(in.e2), run.derived.rho));
        for (const auto& [a, g] : {std::pair{&axes.weak, &d.weak}, std::pair{&axes.strong, &d.strong}}) {
            EXPECT_EQ(a->nRd, g->nRd);
            EXPECT_EQ(a->Mk, g->Mk);
            if (g->e > 0) {
                EXPECT_NEAR(a->nFound, g->resistanceN, 1e-8 * g->nRd);
            }
        }
    }
    EXPECT_GE(designed, 60);
}

// The desktop program computes the diagrams on the GUI thread: well under 100 ms.
TEST(Diagrams, FastEnoughForTheDesktop)
{
    ColumnInput in;
    in.e1 = 50;
    in.e2 = 30;
    computeDiagrams(in);
    const auto t0 = std::chrono::steady_clock::now();
    constexpr int kRuns = 5;
    for (int i = 0; i < kRuns; ++i)
        ASSERT_TRUE(computeDiagrams(in).ok());
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() / kRuns;
    RecordProperty("milliseconds", std::to_string(ms));
    // about 2 ms of CPU in a release build, some 50 ms under the sanitizers
    EXPECT_LT(ms, QELN_SANITIZED ? 1000.0 : 100.0);
}

} // namespace
