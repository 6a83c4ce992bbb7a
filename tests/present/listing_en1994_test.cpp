// The details block of an EN 1994 run: its blocks appear only where the run
// has them (eccentric with e > 0, biaxial with both), every value line has
// its clause in the same columns in the three languages, and a partial or
// non-finite outcome lists what it has, never "nan" or "inf".
#include "present/format.h"
#include "present/listing.h"
#include "present/texts.h"
#include "present/utf8.h"

#include "calc/en1994/design.h"
#include "calc/error.h"
#include "calc/method.h"
#include "tests/run_fixtures.h"

#include "listing_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace qeln;

namespace {

using test::enProject;
using test::expectNoNonFinite;
using test::indexOf;
using test::text;

en1994::Outcome outcomeOf(const ColumnInput& in)
{
    return en1994::design(in, methodOf(DesignCode::EN1994).check(in).fyCalc);
}

std::vector<std::string> details(const en1994::Outcome& o, Language language = Language::English, const char* sep = ".")
{
    TextEnv env;
    env.language = language;
    env.decimalSeparator = sep;
    MessageList out;
    writeEnDetails(env, out, enProject(0, 0), o);
    return out.lines();
}

// "  " in front (appended: "x" + std::string gives GCC 12 at -O3 a false -Wrestrict)
std::string indented(const std::string& s)
{
    std::string l = "  ";
    l.append(s);
    return l;
}

bool hasLineStartingWith(const std::vector<std::string>& lines, const std::string& start)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
}

// The value line of a label: "  label ... : value unit  clause"
const std::string* valueLine(const std::vector<std::string>& lines, const std::string& label)
{
    for (const std::string& l : lines)
        if (l.rfind(indented(label) + " ", 0) == 0 && l.find(" : ") != std::string::npos)
            return &l;
    return nullptr;
}

// The value of a label's first line, as written (%.4g).
std::string valueOf(const std::vector<std::string>& lines, const std::string& label)
{
    const std::string* l = valueLine(lines, label);
    if (!l)
        return "<no line>";
    const std::size_t colon = l->find(" : ");
    const std::string rest = l->substr(colon + 3);
    const std::size_t begin = rest.find_first_not_of(' ');
    if (begin == std::string::npos || begin >= 8)
        return "";
    return rest.substr(begin, rest.find(' ', begin) - begin);
}

} // namespace

// Every value line: the label in 40 characters, " : " in the same column, a
// clause at the end; the values are those of the outcome.
TEST(EnDetails, EveryValueBesideItsClauseInEachLanguage)
{
    const en1994::Outcome o = outcomeOf(enProject(50, 30));
    const struct {
        Language base;
        const char* table;
    } languages[] = {{Language::English, "Table 6.5"}, {Language::French, "Tableau 6.5"}, {Language::German, "Tabelle 6.5"}};
    for (const auto& lang : languages) {
        const std::vector<std::string> lines = details(o, lang.base);
        ASSERT_GT(lines.size(), 150u);
        int values = 0;
        for (const std::string& l : lines) {
            const std::size_t colon = l.find(" : ");
            if (colon == std::string::npos || l.rfind("  ", 0) != 0)
                continue;
            ++values;
            EXPECT_EQ(utf8Length(l.substr(0, colon)), 42u) << lang.base << ": " << l;
            EXPECT_NE(l.find("  EN 199"), std::string::npos) << lang.base << ": " << l;
        }
        EXPECT_GT(values, 130) << lang.base;
        expectNoNonFinite(lines);

        const std::string weak = text(1562, lang.base) + " " + text(1076, lang.base) + " z-z";
        const std::string strong = text(1562, lang.base) + " " + text(1077, lang.base) + " y-y";
        // the materials by grade first, then the weak axis
        ASSERT_EQ(indexOf(lines, text(1764, lang.base)), 0) << lang.base;
        EXPECT_NE(valueLine(lines, text(1766, lang.base))->find("C30/37 "), std::string::npos);
        ASSERT_GT(indexOf(lines, weak), 0) << lang.base;
        EXPECT_GT(indexOf(lines, strong), 0) << lang.base;
        EXPECT_GT(indexOf(lines, text(1603, lang.base)), indexOf(lines, strong));
        EXPECT_GT(indexOf(lines, text(1591, lang.base)), indexOf(lines, text(1603, lang.base)));
        EXPECT_GT(indexOf(lines, text(1131, lang.base) + " R 120 " + text(1077, lang.base) + " y-y"), 0);

        const std::string* plastic = valueLine(lines, text(1563, "N.pl,Rd", lang.base));
        ASSERT_NE(plastic, nullptr) << lang.base;
        EXPECT_NE(plastic->find(" kN     EN 1994-1-1, 6.7.3.2(1)"), std::string::npos) << *plastic;
        const std::string* curve = valueLine(lines, text(1570, lang.base));
        ASSERT_NE(curve, nullptr);
        EXPECT_NE(curve->find(lang.table), std::string::npos) << *curve;
        EXPECT_NE(valueLine(lines, text(1567, "(EI).eff", lang.base))->find("EN 1994-1-1, 6.7.3.3(3)"),
                  std::string::npos);
    }

    // The English block of this project, each value beside its label and the strong axis
    // in fire outside Annex G, is the reviewed listing default-en-e50-e30.listing.txt byte
    // for byte (CliListing.DefaultEccentricEn).
}

TEST(EnDetails, DecimalSeparatorOfTheScreenLeavesTheClausesAlone)
{
    const std::vector<std::string> lines = details(outcomeOf(enProject(50, 30)), Language::French, ",");
    EXPECT_EQ(valueOf(lines, text(1571, Language::French)), "0,49");
    EXPECT_NE(valueLine(lines, text(1563, "N.pl,Rd", Language::French))->find("EN 1994-1-1, 6.7.3.2(1)"), std::string::npos);
}

// The eccentric block of an axis only with its e > 0, the biaxial block only
// with both; the reference ratios and the eccentric fire cells follow them.
TEST(EnDetails, EccentricAndBiaxialBlocksOnlyWithTheirEccentricities)
{
    const std::string uniaxial = indented(text(1574));
    const std::string biaxialBending = indented(text(1587));
    const std::string weakRatio = text(1604, "N.Rd,δ / N.Rd");
    const std::string fireEccentric = text(1581, "N.fi,Rd,δ");
    const std::string fireBiaxial = text(1607, "N.fi,Rd");
    auto count = [](const std::vector<std::string>& lines, const std::string& start) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
    };
    {
        const std::vector<std::string> lines = details(outcomeOf(enProject(0, 0)));
        EXPECT_EQ(count(lines, uniaxial), 0);
        EXPECT_EQ(count(lines, biaxialBending), 0);
        EXPECT_FALSE(hasLineStartingWith(lines, indented(weakRatio)));
        EXPECT_FALSE(hasLineStartingWith(lines, indented(fireEccentric)));
        EXPECT_FALSE(hasLineStartingWith(lines, indented(text(1580, "A"))));
        EXPECT_EQ(indexOf(lines, text(1562) + " " + text(1078)), -1);
    }
    {
        // only the weak axis is eccentric: its block, the strong one's not
        const std::vector<std::string> lines = details(outcomeOf(enProject(50, 0)));
        EXPECT_EQ(count(lines, uniaxial), 1);
        const int strong = indexOf(lines, text(1562) + " " + text(1077) + " y-y");
        const auto first = std::find(lines.begin(), lines.end(), uniaxial) - lines.begin();
        EXPECT_LT(first, strong);
        EXPECT_EQ(count(lines, biaxialBending), 0);
        EXPECT_EQ(count(lines, indented(weakRatio)), 1);
        EXPECT_EQ(count(lines, indented(fireEccentric)), 4);   // the weak axis of each class
        EXPECT_EQ(count(lines, indented(fireBiaxial)), 0);
        EXPECT_EQ(count(lines, indented(text(1580, "D"))), 1);
    }
    // both eccentric: the blocks of both axes and the biaxial one, in the reviewed EN listing
}

// The governing condition is written out; each of the three can govern.
TEST(EnDetails, BiaxialConditionNamesTheFormula)
{
    en1994::Outcome o = outcomeOf(enProject(50, 30));
    ASSERT_TRUE(o.service.biaxial);
    const std::pair<en1994::BiaxialCondition, const char*> cases[] = {
        {en1994::BiaxialCondition::momentWeak, "M.z,Ed = α.M M.pl,N,z,Rd"},
        {en1994::BiaxialCondition::momentStrong, "M.y,Ed = α.M M.pl,N,y,Rd"},
        {en1994::BiaxialCondition::interaction, "M.z,Ed / M.pl,N,z,Rd + M.y,Ed / M.pl,N,y,Rd = 1"}};
    for (const auto& [bound, formula] : cases) {
        o.service.biaxial->bound = bound;
        const std::vector<std::string> lines = details(o, Language::German);   // kept: l points into it
        const std::string* l = valueLine(lines, text(1590, Language::German));
        ASSERT_NE(l, nullptr);
        EXPECT_NE(l->find(std::string(" : ") + formula + "  EN 1994-1-1, 6.7.3.7(2)"), std::string::npos) << *l;
    }
}

// An outcome the run left partway: only the steps reached, blanks for the
// values that are not finite.
TEST(EnDetails, PartialOutcomeListsWhatWasReachedWithoutNonFiniteValues)
{
    const en1994::Outcome full = outcomeOf(enProject(50, 30));
    EXPECT_EQ(full.reached, en1994::Stage::fire);
    EXPECT_EQ(full.fireClasses, 4u);

    en1994::Outcome o = full;
    o.reached = en1994::Stage::none;
    EXPECT_TRUE(details(o).empty());

    o.reached = en1994::Stage::service;
    o.service.axis[0].axial.chi = std::numeric_limits<double>::quiet_NaN();
    o.service.axis[1].eccentric->k1 = HUGE_VAL;
    o.service.biaxialCell = -HUGE_VAL;
    std::vector<std::string> lines = details(o);
    expectNoNonFinite(lines);
    EXPECT_EQ(indexOf(lines, text(1603)), -1);
    EXPECT_EQ(indexOf(lines, text(1591)), -1);
    EXPECT_EQ(valueOf(lines, text(1572, "χ")), "");
    EXPECT_EQ(*valueLine(lines, text(1572, "χ")),
              Printf("  %-40s :          %-5s  %s", {text(1572, "χ"), "", "EN 1993-1-1, 6.3.1.2"}));
    EXPECT_EQ(valueOf(lines, text(1607, "N.Rd")), "");
    EXPECT_TRUE(hasLineStartingWith(lines, indented(text(1587))));

    // two fire classes done, the third not: R 30 and R 60 only
    o = full;
    o.reached = en1994::Stage::geometry;
    o.fireClasses = 2;
    o.table.cell[rowR60][eccentricWeak].reset();
    o.fire[1].axis[1].lambda = std::numeric_limits<double>::quiet_NaN();
    lines = details(o);
    expectNoNonFinite(lines);
    EXPECT_GT(indexOf(lines, text(1131) + " R 60"), 0);
    EXPECT_EQ(indexOf(lines, text(1131) + " R 90"), -1);
    EXPECT_EQ(indexOf(lines, text(1131) + " R 120"), -1);
    EXPECT_GT(indexOf(lines, text(1591)), 0);
}

// The run written in place keeps the steps it reached when an arithmetic
// fault stops it (here a fire buckling length of 0, which the input checks
// would refuse).
TEST(EnDetails, RunStoppedByAnArithmeticFaultKeepsItsSteps)
{
    ColumnInput in = enProject(50, 30);
    const double fy = methodOf(DesignCode::EN1994).check(in).fyCalc;
    in.lWeakFire = 0;
    en1994::Outcome o;
    try {
        en1994::design(in, fy, o);
    } catch (const CalculationError&) {
    }
    ASSERT_EQ(o.reached, en1994::Stage::service);
    const std::vector<std::string> lines = details(o);
    expectNoNonFinite(lines);
    EXPECT_GT(indexOf(lines, text(1562) + " " + text(1078)), 0);
    EXPECT_GT(indexOf(lines, text(1562) + " " + text(1077) + " y-y"), 0);
    EXPECT_EQ(indexOf(lines, text(1603)), -1);
    EXPECT_EQ(indexOf(lines, text(1591)), -1);
}
