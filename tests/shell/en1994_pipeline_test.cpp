// The EN method through everything built on the run: the pipeline, the
// diagrams, the section search and the schedule give what the method gives.
#include "calc/en1994/design.h"
#include "calc/method.h"
#include "shell/diagrams.h"
#include "shell/numbersrun.h"
#include "shell/schedule.h"
#include "shell/search.h"
#include "tests/run_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qeln;

namespace {

using test::enProject;

std::vector<SearchProfile> profiles()
{
    return {
        {{"HE 260 B", 260, 260, 10, 17.5, 24}, 0}, {{"HE 280 A", 270, 280, 8, 13, 24}, 1},
        {{"HE 300 B", 300, 300, 11, 19, 27}, 2},   {{"HE 320 A", 310, 300, 9, 15.5, 27}, 3},
        {{"HE 360 A", 350, 300, 10, 17.5, 27}, 4}, {{"HE 400 B", 400, 300, 13.5, 24, 27}, 5},
    };
}

TEST(EnPipeline, TheRunIsTheMethodsRun)
{
    const ColumnInput in = enProject(50, 30);
    NumbersRun run;
    runNumbers(in, run);
    ASSERT_TRUE(run.valid);
    const en1994::Outcome direct = en1994::design(in, run.derived.fyCalc);
    EXPECT_EQ(run.design.table.cell, direct.table.cell);
    EXPECT_NEAR(*run.design.table.at(rowService, biaxial), 2929.802615, 1e-6);
    ASSERT_NE(std::get_if<en1994::Outcome>(&run.design.details), nullptr);
    EXPECT_FALSE(run.design.hasErrors());
    // the same input under ENV is another method's run
    ColumnInput env = in;
    useDesignCode(env, DesignCode::ENV1994);
    NumbersRun other;
    runNumbers(env, other);
    EXPECT_NE(other.design.table.cell, run.design.table.cell);
    EXPECT_NE(std::get_if<env1994::Details>(&other.design.details), nullptr);
}

// The biaxial cell never exceeds an eccentric cell, the eccentric cells fall
// with the eccentricity, and e = 0 gives the buckling resistance, row by row.
TEST(EnPipeline, CellsOrderedAcrossProfilesAndEccentricities)
{
    for (const SearchProfile& listed : profiles()) {
        const SteelProfile& p = listed.profile;
        double lastWeak = HUGE_VAL;
        for (const double e : {0.0, 20.0, 60.0, 120.0}) {
            ColumnInput in = enProject(e, e / 2);
            setSection(in, sectionOf(p));
            NumbersRun run;
            runNumbers(in, run);
            ASSERT_TRUE(run.valid) << p.profileName << " e " << e;
            const UltimateLoadTable& t = run.design.table;
            for (int row = rowService; row <= rowR120; ++row) {
                EXPECT_LE(*t.at(row, biaxial), *t.at(row, eccentricWeak) * (1 + 1e-12)) << p.profileName << row;
                EXPECT_LE(*t.at(row, biaxial), *t.at(row, eccentricStrong) * (1 + 1e-12)) << p.profileName << row;
                EXPECT_LE(*t.at(row, eccentricWeak), *t.at(row, axialWeak) * (1 + 1e-12)) << p.profileName << row;
            }
            if (e == 0) {
                EXPECT_EQ(*t.at(rowService, eccentricWeak), *t.at(rowService, axialWeak));
            }
            EXPECT_LT(*t.at(rowService, eccentricWeak), lastWeak + 1e-9) << p.profileName << " e " << e;
            lastWeak = *t.at(rowService, eccentricWeak);
        }
    }
}

// The interaction diagram shows the EN curves; where M.Ed crosses
// alpha.M M.pl,N,Rd lies the eccentric cell (unless buckling governs).
TEST(EnPipeline, DiagramsCrossAtTheEccentricCell)
{
    const ColumnInput in = enProject(50, 30);
    const Diagrams d = computeDiagrams(in);
    ASSERT_TRUE(d.ok());
    for (const InteractionDiagram* g : {&d.weak, &d.strong}) {
        ASSERT_TRUE(g->valid);
        EXPECT_EQ(g->allowedText, 1544);
        // alpha.M of S355 is 0.9 on every point
        for (std::size_t i = 0; i < g->plasticM.size(); ++i)
            EXPECT_NEAR(g->allowedM[i], 0.9 * g->plasticM[i], 1e-9);
        // at the resistance the acting moment equals the allowed one
        double allowed = 0;
        for (std::size_t i = 1; i < g->allowedN.size(); ++i)
            if (g->allowedN[i - 1] >= g->resistanceN && g->allowedN[i] <= g->resistanceN) {
                const double t = (g->resistanceN - g->allowedN[i]) / (g->allowedN[i - 1] - g->allowedN[i]);
                allowed = g->allowedM[i] + t * (g->allowedM[i - 1] - g->allowedM[i]);
            }
        EXPECT_NEAR(g->resistanceM, allowed, 1e-3 * allowed);
    }
    EXPECT_NEAR(d.weak.resistanceN, 3163.116304, 1e-5);
    EXPECT_NEAR(*d.weak.biaxialN, 2929.802615, 1e-5);
}

// The search under EN offers only candidates whose own EN run passes, and
// the lightest first.
TEST(EnPipeline, SearchFindsWhatTheRunPasses)
{
    ColumnInput in = enProject(0, 0);
    in.nEd = 3000;
    in.nFiEd = 1500;
    in.fireClass = FireClass::R60;
    const SearchOutcome out = searchSections(in, profiles(), SearchConstraints{});
    ASSERT_FALSE(out.candidates.empty());
    for (const SearchCandidate& k : out.candidates) {
        ColumnInput c = in;
        setSection(c, k.section);
        c.profileName = k.profileName;
        c.d = k.d;
        c.n1 = k.n1;
        c.n2 = k.n2;
        NumbersRun run;
        runNumbers(c, run);
        EXPECT_TRUE(run.passes()) << k.profileName << " " << k.d;
    }
    for (std::size_t i = 1; i < out.candidates.size(); ++i)
        EXPECT_LE(out.candidates[i - 1].steelMass, out.candidates[i].steelMass);
}

// Rows may mix codes: a row under EN on an ENV base takes the EN
// recommended factors (its own factor cells still win) and runs by EN.
TEST(EnPipeline, ScheduleRowsMixCodes)
{
    const ColumnInput base;   // ENV
    Schedule s;
    s.columns = {"code", "gammaA", "nEd"};
    s.rows.push_back({"ENV row", {"", "", "3000"}, false});
    s.rows.push_back({"EN row", {"EN1994", "", "3000"}, false});
    s.rows.push_back({"EN row 1.1", {"EN1994", "1.1", "3000"}, false});
    const ProfileIndex index(profiles());
    const ScheduleOutcome o = runSchedule(base, s, index);
    ASSERT_EQ(o.rows.size(), 3u);
    EXPECT_EQ(o.rows[0].input.code, DesignCode::ENV1994);
    EXPECT_EQ(o.rows[1].input.gammaA, 1.0);
    EXPECT_EQ(o.rows[2].input.gammaA, 1.1);
    for (const ScheduleRowResult& r : o.rows) {
        NumbersRun run;
        runNumbers(r.input, run);
        EXPECT_EQ(r.table.cell, run.design.table.cell) << r.name;
    }
    EXPECT_NEAR(*o.rows[1].table.at(rowService, axialWeak), 5136.930753, 1e-6);
}

} // namespace
