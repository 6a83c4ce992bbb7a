// Design loads in the calculate command: the scope agrees with the warnings
// the checks give, the check of the default project, where the check and the
// outside rows appear in the listings, and runs without a valid result.
#include "shell/run.h"
#include "tests/run_fixtures.h"

#include "present/format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace qeln;

namespace {

using test::Calc;
using test::indexOf;
using test::withLoads;

bool startsAny(const MessageList& l, const std::string& prefix)
{
    return std::any_of(l.lines().begin(), l.lines().end(),
                       [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
}

// ---------------------------------------------------------------- scope against the warnings

struct Geometry {
    double h, b, lFire;
};

class ScopeAgreesWithWarnings : public testing::TestWithParam<Geometry> {};

// A class is outside exactly when warning 1029 covers it (R90, R120) or the
// class list of warning 1042 names it.
TEST_P(ScopeAgreesWithWarnings, ClassOutsideIffAWarningNamesIt)
{
    const Geometry g = GetParam();
    ColumnInput in;
    in.h = g.h;
    in.b = g.b;
    in.lWeakFire = in.lStrongFire = g.lFire;
    Calc c{in};
    const MessageList& w = c.st.results.warnings;
    const bool w1029 = startsAny(w, "With the chosen profile you are going out");
    std::string list;
    for (const auto& l : w.lines())
        if (l.rfind("With the chosen buckling lengths", 0) == 0)
            list = l;
    auto listed = [&](const char* cls) { return list.find(std::string(" ") + cls + " ") != std::string::npos; };
    const RowScope& s = c.st.scope;
    EXPECT_TRUE(s[rowService]);
    EXPECT_EQ(!s[rowR30], listed("R30"));
    EXPECT_EQ(!s[rowR60], listed("R60"));
    EXPECT_EQ(!s[rowR90], w1029 || listed("R90"));
    EXPECT_EQ(!s[rowR120], w1029 || listed("R120"));
}

INSTANTIATE_TEST_SUITE_P(Geometries, ScopeAgreesWithWarnings,
                         testing::Values(Geometry{310, 300, 1.5}, Geometry{290, 300, 1.5}, Geometry{300, 300, 4.5},
                                         Geometry{260, 260, 3.0}, Geometry{260, 260, 3.6},
                                         Geometry{1000, 300, 3.1}, Geometry{300, 300, 3.5},
                                         Geometry{590, 300, 4.2}, Geometry{230, 230, 1.0}));

// ---------------------------------------------------------------- the check in a run

TEST(DesignLoads, DefaultProjectWith3000And1800InR90)
{
    Calc c{withLoads(3000, 1800, FireClass::R90)};
    ASSERT_TRUE(c.ok);
    ASSERT_TRUE(c.st.check);
    const DesignCheck& k = *c.st.check;
    EXPECT_EQ(formatFixed(*k.utilisation, 3), "0.593");
    EXPECT_EQ(formatFixed(*k.fireUtilisation, 3), "0.981");
    EXPECT_EQ(k.achievedClass, FireClass::R90);
    EXPECT_EQ(k.governing, Governing::fire);
    EXPECT_TRUE(k.passes);
    // the block follows the results table in both listings
    for (const MessageList* l : {&c.st.completeListing, &c.st.condensedListing}) {
        const int results = indexOf(*l, "Results");
        const int check = indexOf(*l, "Design check");
        ASSERT_GT(results, 0);
        EXPECT_EQ(check, results + 12);
        EXPECT_EQ((*l)[check + 10], "  Fire resistance class achieved                       :       R 90");
    }
    // the result window's lines
    ASSERT_EQ(c.st.checkSummary.size(), 5u);
    EXPECT_EQ(c.st.checkSummary[0].value, "0.593");
    EXPECT_EQ(c.st.checkSummary[1].value, "0.981");
    EXPECT_EQ(c.st.checkSummary[2].value, "R 90");
    EXPECT_EQ(c.st.checkSummary[3].value, "R 90, axial weak axis");   // the governing cell
}

TEST(DesignLoads, WithoutLoadsNothingIsAdded)
{
    Calc plain{ColumnInput{}};
    Calc classOnly{withLoads(0, 0, FireClass::R60)};
    EXPECT_FALSE(classOnly.st.check);
    EXPECT_TRUE(classOnly.st.checkSummary.empty());
    EXPECT_EQ(classOnly.st.completeListing.lines(), plain.st.completeListing.lines());
}

TEST(DesignLoads, ListingInFrenchAndGerman)
{
    Calc fr{withLoads(3000, 1800, FireClass::R90), Language::French};
    EXPECT_GE(indexOf(fr.st.completeListing, "Vérification"), 0);
    EXPECT_TRUE(startsAny(fr.st.condensedListing, "  Classe de résistance au feu atteinte"));
    Calc de{withLoads(3000, 1800, FireClass::R90), Language::German};
    EXPECT_GE(indexOf(de.st.condensedListing, "Nachweis"), 0);
    EXPECT_TRUE(startsAny(de.st.completeListing, "  Erreichte Feuerwiderstandsklasse"));
}

TEST(DesignLoads, OutsideRowsMarkedWithOneFootnote)
{
    ColumnInput in = withLoads(3000, 1000, FireClass::R120);
    in.h = 290;
    Calc c{in};
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.st.scope, (RowScope{true, true, true, false, false}));
    // the run hands its scope to the listing and the grid (how they mark
    // the rows: OutsideRows.MarkedInListingAndGrid)
    const auto& l = c.st.completeListing.lines();
    EXPECT_EQ(std::count_if(l.begin(), l.end(), [](const std::string& s) { return s.rfind("* outside the field", 0) == 0; }), 1);
    EXPECT_EQ(c.st.results.grid.cell[6][0], "R 90 *");
    // the numbers stay
    EXPECT_TRUE(c.st.results.table.at(rowR120, axialWeak).has_value());
    EXPECT_EQ(c.st.check->firePasses, false);
}

TEST(DesignLoads, FireLoadAboveServiceLoadWarns)
{
    Calc swapped{withLoads(1800, 3000, FireClass::R90)};
    EXPECT_TRUE(swapped.st.results.hasWarnings);
    EXPECT_TRUE(startsAny(swapped.st.results.warnings, "The design axial force in fire N.fi,Ed is higher"));
    Calc equal{withLoads(1800, 1800, {})};
    EXPECT_FALSE(equal.st.results.hasWarnings);
    Calc fireOnly{withLoads(0, 1800, {})};
    EXPECT_FALSE(fireOnly.st.results.hasWarnings);
}

TEST(DesignLoads, NoCheckWithoutAValidRun)
{
    ColumnInput errors = withLoads(3000, 1800, FireClass::R90);
    errors.b = 600;
    Calc e{errors};
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(e.st.check);
    ColumnInput failing = withLoads(3000, 1800, FireClass::R90);
    failing.fy = 0;   // arithmetic failure (the yield point divides)
    Calc f{failing};
    EXPECT_TRUE(f.st.calcError);
    EXPECT_FALSE(f.st.check);
    EXPECT_TRUE(f.st.designCheckLines.empty());
}

TEST(DesignLoads, CheckOfAFormerRunIsForgotten)
{
    TextEnv env;
    RunPresenter ui;
    RunState st;
    ASSERT_TRUE(calculate(env, withLoads(3000, 0, {}), st, ui));
    ASSERT_TRUE(st.check);
    ASSERT_TRUE(calculate(env, ColumnInput{}, st, ui));
    EXPECT_FALSE(st.check);
    EXPECT_TRUE(st.checkSummary.empty());
    EXPECT_EQ(indexOf(st.completeListing, "Design check"), -1);
}

} // namespace
