// Design loads: the scope of each result row, the design check at its
// borders, and how the check and the outside rows are written.
#include "present/checktext.h"
#include "present/listing.h"
#include "calc/env1994/scope.h"
#include "present/checkmessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace qeln;

namespace {

// ---------------------------------------------------------------- scope

struct ScopeCase {
    const char* name;
    double h, b, lWeakFire, lStrongFire;
    RowScope scope;           // Service, R30, R60, R90, R120
    const char* classList;    // the list of warning 1042
};

class Scope : public testing::TestWithParam<ScopeCase> {};

TEST_P(Scope, RowsOutsideFollowTheWarningConditions)
{
    const ScopeCase& c = GetParam();
    ColumnInput in;
    in.h = c.h;
    in.b = c.b;
    in.lWeakFire = c.lWeakFire;
    in.lStrongFire = c.lStrongFire;
    EXPECT_EQ(env1994::rowScope(in), c.scope);
    EXPECT_EQ(bucklingLengthClassList(env1994::bucklingLengthsOutside(in)), c.classList);
}

constexpr bool I = true, O = false;

INSTANTIATE_TEST_SUITE_P(
    Rows, Scope,
    testing::Values(
        // the rows at the borders of size and length over a grid:
        // ScopeConditions.RowsInsideExactlyWhenTheirLimitsAreMet
        ScopeCase{"DefaultInside", 310, 300, 1.5, 1.5, {I, I, I, I, I}, ""},
        // warning 1029: one dimension below 300 mm is enough
        ScopeCase{"Width290", 310, 290, 1.5, 1.5, {I, I, I, O, O}, ""},
        // warning 1042: b = h = 300, limits 4.05 m (13.5 b) and 3.0 m (10 b)
        ScopeCase{"LengthsAllClasses", 300, 300, 4.5, 4.5, {I, O, O, O, O}, "R30 R60 R90 R120 "},
        ScopeCase{"StrongAxisLengthCounts", 300, 300, 1.5, 4.1, {I, O, O, O, O}, "R30 R60 R90 R120 "},
        // b = h = 260 with 3.0 m: only R60 by the lengths, R90/R120 by the size
        ScopeCase{"Narrow260", 260, 260, 3.0, 3.0, {I, I, O, O, O}, "R60 "},
        // slender section h / b > 3: 10 b governs R60, R90 and R120
        ScopeCase{"SlenderAbove10b", 1000, 300, 3.1, 3.1, {I, I, O, O, O}, "R60 R90 R120 "}),
    [](const testing::TestParamInfo<ScopeCase>& p) { return std::string(p.param.name); });

// ---------------------------------------------------------------- design check

// Smallest cells: service 2000, R30 1500, R60 1000, R90 800, R120 500; the
// other cells of each row larger, in different columns.
UltimateLoadTable sampleTable()
{
    UltimateLoadTable t;
    const double least[5] = {2000, 1500, 1000, 800, 500};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            t.cell[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = least[r] + 10.0 * ((c + r) % 5);
    return t;
}

ColumnInput loads(double nEd, double nFiEd, std::optional<FireClass> fc)
{
    ColumnInput in;
    in.nEd = nEd;
    in.nFiEd = nFiEd;
    in.fireClass = fc;
    return in;
}

constexpr RowScope kAllInside{true, true, true, true, true};

// The smallest cells of a full row: DesignCheck.UtilisationsAreTheQuotients.
TEST(DesignCheck, NoLoadGivesNoCheckAndAnEmptyRowNoSmallestCell)
{
    EXPECT_FALSE(evaluateDesignCheck(loads(0, 0, FireClass::R90), sampleTable(), kAllInside));
    EXPECT_FALSE(smallestCell(UltimateLoadTable{}, rowR30));
}

struct BorderCase {
    const char* name;
    double nEd, nFiEd;
    std::optional<FireClass> fc;
    std::optional<bool> servicePasses, firePasses;
    bool achievedApplies;
    std::optional<FireClass> achieved;
    Governing governing;
    bool passes;
};

class Borders : public testing::TestWithParam<BorderCase> {};

TEST_P(Borders, Verdicts)
{
    const BorderCase& b = GetParam();
    const auto c = evaluateDesignCheck(loads(b.nEd, b.nFiEd, b.fc), sampleTable(), kAllInside);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->servicePasses, b.servicePasses);
    EXPECT_EQ(c->firePasses, b.firePasses);
    EXPECT_EQ(c->achievedApplies, b.achievedApplies);
    EXPECT_EQ(c->achievedClass, b.achieved);
    EXPECT_EQ(c->governing, b.governing);
    EXPECT_EQ(c->passes, b.passes);
    // keys of a check not given stay empty
    EXPECT_EQ(c->nRd.has_value(), b.nEd > 0);
    EXPECT_EQ(c->utilisation.has_value(), b.nEd > 0);
    EXPECT_EQ(c->nFiRd.has_value(), b.nFiEd > 0 && b.fc.has_value());
    EXPECT_EQ(c->fireWithinScope.has_value(), b.nFiEd > 0 && b.fc.has_value());
}

using FC = FireClass;
constexpr auto G_S = Governing::service, G_F = Governing::fire, G_N = Governing::none;
const std::optional<bool> P = true, F = false, N = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    DesignCheck, Borders,
    testing::Values(
        BorderCase{"ServiceExactlyOnePasses", 2000, 0, {}, P, N, false, {}, G_S, true},
        BorderCase{"ServiceJustAboveFails", 2000.001, 0, {}, F, N, false, {}, G_S, false},
        BorderCase{"FireExactlyOnePasses", 0, 800, FC::R90, N, P, true, FC::R90, G_F, true},
        BorderCase{"FireJustAboveFailsAndAchievesLess", 0, 800.001, FC::R90, N, F, true, FC::R60, G_F, false},
        BorderCase{"NoClassCarries", 0, 1500.5, FC::R30, N, F, true, {}, G_F, false},
        BorderCase{"FireLoadWithoutClassOnlyAchieves", 1000, 900, {}, P, N, true, FC::R60, G_S, true},
        // nothing is checked: no fire check, and no pass
        BorderCase{"FireLoadAloneWithoutClass", 0, 400, {}, N, N, true, FC::R120, G_N, false},
        BorderCase{"FireGovernsWithTheLargerUtilisation", 1000, 700, FC::R90, P, P, true, FC::R90, G_F, true},
        BorderCase{"ServiceGovernsATie", 1000, 400, FC::R90, P, P, true, FC::R120, G_S, true},
        BorderCase{"OneFailingCheckFailsTheWhole", 2500, 100, FC::R30, F, P, true, FC::R120, G_S, false}),
    [](const testing::TestParamInfo<BorderCase>& p) { return std::string(p.param.name); });

TEST(DesignCheck, UtilisationsAreTheQuotients)
{
    const auto c = evaluateDesignCheck(loads(1500, 600, FireClass::R90), sampleTable(), kAllInside);
    ASSERT_TRUE(c);
    EXPECT_DOUBLE_EQ(*c->nRd, 2000);
    EXPECT_DOUBLE_EQ(*c->utilisation, 0.75);
    EXPECT_DOUBLE_EQ(*c->nFiRd, 800);
    EXPECT_DOUBLE_EQ(*c->fireUtilisation, 0.75);
    EXPECT_DOUBLE_EQ(*c->nEd, 1500);
    EXPECT_DOUBLE_EQ(*c->nFiEd, 600);
    EXPECT_EQ(c->fireClass, FireClass::R90);
}

TEST(DesignCheck, ClassOutsideTheFieldFailsAndIsNotAchieved)
{
    RowScope scope = kAllInside;
    scope[rowR90] = false;
    const auto c = evaluateDesignCheck(loads(0, 700, FireClass::R90), sampleTable(), scope);
    ASSERT_TRUE(c);
    EXPECT_LT(*c->fireUtilisation, 1.0);
    EXPECT_EQ(c->fireWithinScope, false);
    EXPECT_EQ(c->firePasses, false);
    EXPECT_FALSE(c->passes);
    EXPECT_EQ(c->achievedClass, FireClass::R60);
}

TEST(DesignCheck, HighestClassInsideIsAchievedEvenAboveAnOutsideOne)
{
    // R90 outside, R120 inside and strong enough: R120 is the answer
    UltimateLoadTable t = sampleTable();
    for (auto& v : t.cell[rowR120])
        v = 900;
    RowScope scope = kAllInside;
    scope[rowR90] = false;
    const auto c = evaluateDesignCheck(loads(0, 850, {}), t, scope);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->achievedClass, FireClass::R120);
}

TEST(DesignCheck, ZeroResistanceFailsWithoutInfinity)
{
    UltimateLoadTable t = sampleTable();
    t.cell[rowService][axialStrong] = 0.0;
    t.cell[rowR60][biaxial] = 0.0;
    const auto c = evaluateDesignCheck(loads(100, 50, FireClass::R60), t, kAllInside);
    ASSERT_TRUE(c);
    EXPECT_DOUBLE_EQ(*c->nRd, 0);
    EXPECT_FALSE(c->utilisation);
    EXPECT_EQ(c->servicePasses, false);
    EXPECT_FALSE(c->fireUtilisation);
    EXPECT_EQ(c->firePasses, false);
    EXPECT_FALSE(c->passes);
    EXPECT_EQ(utilisationText(c->utilisation, "."), "\xE2\x80\x94");
}

TEST(DesignCheck, UndefinedUtilisationGovernsOverADefinedOne)
{
    UltimateLoadTable t = sampleTable();
    t.cell[rowR90][axialWeak] = 0.0;
    const auto c = evaluateDesignCheck(loads(1900, 100, FireClass::R90), t, kAllInside);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->governing, Governing::fire);
}

TEST(DesignCheck, FireLoadFromEtaFi)
{
    EXPECT_DOUBLE_EQ(fireLoadFromEtaFi(3000, kDefaultEtaFi), 1950);
    EXPECT_DOUBLE_EQ(fireLoadFromEtaFi(3000, 0.6), 1800);
    EXPECT_DOUBLE_EQ(fireLoadFromEtaFi(1234.5678, 0.5), 617.284);
    EXPECT_DOUBLE_EQ(fireLoadFromEtaFi(0, 0.65), 0);
    EXPECT_DOUBLE_EQ(fireLoadFromEtaFi(3000, 0), 0);
}

TEST(DesignCheck, FireClassCodes)
{
    for (FireClass c : kFireClasses)
        EXPECT_EQ(fireClassFromCode(fireClassCode(c)), c);
    EXPECT_EQ(fireClassFromCode("r 90"), FireClass::R90);
    EXPECT_FALSE(fireClassFromCode(""));
    EXPECT_FALSE(fireClassFromCode("R45"));
    EXPECT_FALSE(fireClassFromCode("R1200"));
}

TEST(DesignCheck, LoadLimits)
{
    EXPECT_EQ(designLoadProblem("NEd", 0), "");
    EXPECT_EQ(designLoadProblem("NEd", kMaxDesignLoad), "");
    EXPECT_NE(designLoadProblem("NEd", -0.1).find("negative"), std::string::npos);
    EXPECT_NE(designLoadProblem("NEd", kMaxDesignLoad * 1.0001).find("not realistic"), std::string::npos);
    EXPECT_NE(designLoadProblem("NEd", std::nan("")).find("not a number"), std::string::npos);
}

// ---------------------------------------------------------------- presentation

// The check as the listing writes it.
MessageList written(const DesignCheck& c, const TextEnv& env = TextEnv{})
{
    MessageList out;
    writeDesignCheck(env, out, c);
    return out;
}

// The line of the verdict of the whole check.
std::string resultLine(const DesignCheck& c)
{
    const MessageList out = written(c);
    for (const std::string& l : out.lines())
        if (l.find("Result of the design check") != std::string::npos)
            return l;
    return "";
}

bool contains(const MessageList& l, const std::string& text)
{
    return std::any_of(l.lines().begin(), l.lines().end(),
                       [&](const std::string& s) { return s.find(text) != std::string::npos; });
}

TEST(DesignCheckListing, BlockNamesEveryGivenValue)
{
    const MessageList out = written(*evaluateDesignCheck(loads(1500, 900, FireClass::R90), sampleTable(), kAllInside));
    EXPECT_EQ(out.lines().front(), "Design check");
    EXPECT_TRUE(contains(out, "    1500.0 kN"));
    EXPECT_TRUE(contains(out, "     0.750    passes"));
    EXPECT_TRUE(contains(out, "     1.125    fails"));
    EXPECT_TRUE(contains(out, "      R 60"));   // achieved
    EXPECT_TRUE(contains(out, "  Governing check                                      :       R 90"));
    EXPECT_TRUE(contains(out, "  Result of the design check                           :               fails"));
    EXPECT_EQ(out.lines().back(), "");
}

TEST(DesignCheckListing, OutsideClassAndUndefinedUtilisation)
{
    UltimateLoadTable t = sampleTable();
    t.cell[rowService][axialWeak] = 0.0;
    RowScope scope = kAllInside;
    scope[rowR120] = false;
    const MessageList out = written(*evaluateDesignCheck(loads(100, 100, FireClass::R120), t, scope));
    EXPECT_TRUE(contains(out, "\xE2\x80\x94    fails"));
    EXPECT_TRUE(contains(out, "     0.200    fails *"));
    EXPECT_TRUE(contains(out, "* outside the field of application"));
    for (const auto& l : out.lines()) {
        EXPECT_EQ(l.find("inf"), std::string::npos) << l;
        EXPECT_EQ(l.find("nan"), std::string::npos) << l;
    }
}

TEST(DesignCheckListing, SummaryLinesCarryVerdictsInWords)
{
    TextEnv env;
    env.language = Language::German;
    env.decimalSeparator = ",";
    const auto c = evaluateDesignCheck(loads(3000, 100, FireClass::R30), sampleTable(), kAllInside);
    const auto lines = designCheckLines(env, *c);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].value, "1,500");
    EXPECT_EQ(lines[0].passes, false);
    EXPECT_EQ(lines[0].verdict, "nicht erfüllt");
    EXPECT_EQ(lines[1].verdict, "erfüllt");
    EXPECT_EQ(lines[2].value, "R 120");
    EXPECT_FALSE(lines[2].passes);
    EXPECT_EQ(lines[3].value.rfind("Normaltemperatur, ", 0), 0u) << lines[3].value;   // the governing cell
    EXPECT_EQ(lines[4].passes, false);
}

// The rows outside the field of application are data: marked and grey in
// the listing as it is written, greyed in the grid, one footnote each.
TEST(OutsideRows, MarkedInListingAndGrid)
{
    TextEnv env;
    UltimateLoadTable t;
    for (auto& row : t.cell)
        for (auto& c : row)
            c = 1000;
    RowScope scope = kAllInside;
    scope[rowR90] = scope[rowR120] = false;
    MessageList out;
    writeResults(env, out, t, 0, 0, scope);
    ResultGrid grid;
    fillResultGrid(env, grid, t, 0, 0, scope);

    const auto& l = out.lines();
    ASSERT_EQ(l.size(), 13u);
    const std::vector<bool> grey(out.greyLines().begin(), out.greyLines().end());
    EXPECT_EQ(grey, (std::vector<bool>{false, false, false, false, false, false, false, false, false, true, true,
                                       false, false}));
    EXPECT_EQ(l[9].substr(0, 18), "R 90             :");
    EXPECT_EQ(l[9].substr(l[9].size() - 2), " *");
    EXPECT_EQ(l[8].back(), 'N');
    EXPECT_EQ(l[11], "* outside the field of application of the simplified method, see the warnings");
    EXPECT_EQ(l[12], "");
    EXPECT_EQ(grid.greyed, (std::array<bool, 8>{false, false, false, false, false, false, true, true}));
    EXPECT_EQ(grid.cell[6][0], "R 90 *");
    EXPECT_EQ(grid.footnote, l[11]);
}

TEST(OutsideRows, NothingMarkedWhenAllInside)
{
    TextEnv env;
    UltimateLoadTable t;
    MessageList out;
    writeResults(env, out, t, 0, 0, kAllInside);
    ResultGrid grid;
    fillResultGrid(env, grid, t, 0, 0, kAllInside);
    EXPECT_EQ(out.count(), 12);
    for (bool g : out.greyLines())
        EXPECT_FALSE(g);
    EXPECT_TRUE(grid.footnote.empty());
}

} // namespace

// Honest verdicts: the governing cell named, a fire check resting on the
// strong axis or on bars left out (u below the tables) not verified, N.fi,Ed
// without a class no fire check.
TEST(DesignCheckVerdicts, WhatTheMethodDoesNotVerifyDoesNotPass)
{
    UltimateLoadTable t = sampleTable();
    // R90: the smallest cell is the strong axis's eccentric one
    t.cell[rowR90] = {900.0, 870.0, 880.0, 850.0, 860.0};
    auto c = evaluateDesignCheck(loads(1500, 700, FireClass::R90), t, kAllInside);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->fireColumn, eccentricStrong);
    EXPECT_TRUE(c->fireOnStrongAxis);
    EXPECT_FALSE(c->fireVerified);
    EXPECT_EQ(c->firePasses, false);   // 700 / 850 would pass
    EXPECT_FALSE(c->passes);
    std::string all;
    const MessageList out = written(*c);
    for (const std::string& l : out.lines())
        all += l + "\n";
    EXPECT_NE(all.find("not verified by this method"), std::string::npos) << all;
    EXPECT_NE(all.find("R 90, eccentrically strong axis"), std::string::npos) << all;
    EXPECT_EQ(all.find("    fails"), std::string::npos) << all;   // not a failure either
    // the weak axis governing again: verified
    t.cell[rowR90][eccentricWeak] = 840;
    c = evaluateDesignCheck(loads(1500, 700, FireClass::R90), t, kAllInside);
    EXPECT_TRUE(c->fireVerified);
    EXPECT_TRUE(c->passes);
    // the bars left out in fire: not verified
    c = evaluateDesignCheck(loads(1500, 700, FireClass::R90), t, kAllInside, true);
    EXPECT_TRUE(c->barsLeftOutInFire);
    EXPECT_FALSE(c->fireVerified);
    EXPECT_FALSE(c->passes);
    // a load too high fails, whatever the method verifies
    c = evaluateDesignCheck(loads(1500, 2000, FireClass::R90), t, kAllInside, true);
    EXPECT_NE(resultLine(*c).find("fails"), std::string::npos);
    // no class: no fire check, and with nothing else checked no pass
    c = evaluateDesignCheck(loads(0, 700, {}), t, kAllInside);
    EXPECT_TRUE(c->noFireCheck);
    EXPECT_FALSE(c->passes);
    c = evaluateDesignCheck(loads(1500, 700, {}), t, kAllInside);
    EXPECT_TRUE(c->noFireCheck);
    EXPECT_TRUE(c->passes);   // the normal-temperature check alone
    // ... and the verdict says so: the fire load was not checked
    EXPECT_NE(resultLine(*c).find("passes at normal temperature; no fire check"), std::string::npos);
    EXPECT_EQ(c->serviceColumn, smallestCellColumn(t, rowService));
}
