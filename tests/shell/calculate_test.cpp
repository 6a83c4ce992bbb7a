// The calculate command: what is shown in which order, the listings (an EN
// project's too), the design run's handling of eccentricities and fire
// geometry, and the check of the design loads.
#include "shell/run.h"
#include "tests/run_fixtures.h"

#include "calc/env1994/design.h"
#include "calc/method.h"
#include "calc/numeric.h"
#include "present/format.h"
#include "present/listing.h"
#include "present/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <regex>

using namespace qeln::env1994;

using namespace qeln;

namespace {

struct Recorder : RunPresenter {
    std::vector<std::string> events;
    void setBusy(bool busy) override { events.push_back(busy ? "busy" : "idle"); }
    ColumnResults shown;   // what the warnings and errors window was given
    void showWarningsAndErrors(const ColumnResults& res) override
    {
        events.push_back("warnings");
        shown = res;
    }
    void showResults(const RunState&) override { events.push_back("results"); }
};

using Calc = test::BasicCalc<Recorder>;
using test::contains;
using test::enProject;
using test::indexOf;
using test::startsAny;
using test::withLoads;

std::string text(int id, Language base) { return LoadText(id, base, nullptr); }

} // namespace

TEST(Calculate, CleanRunShowsResultsOnly)
{
    Calc c{ColumnInput{}};
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.ui.events, (std::vector<std::string>{"busy", "idle", "results"}));
    // the listing goes from the project block straight to the input values
    EXPECT_EQ(indexOf(c.st.completeListing, "Input values:"), 13);
    EXPECT_EQ(indexOf(c.st.completeListing, "Warnings"), -1);
    EXPECT_TRUE(c.sink.messages.empty());
}

// The condensed listing is the complete one without the details block, under both codes.
TEST(Calculate, CondensedListingIsCompleteWithoutDetails)
{
    for (const ColumnInput& in : {ColumnInput{}, test::enProject(), test::enProject(50, 30)}) {
        Calc c{in};
        ASSERT_TRUE(c.ok);
        const auto& full = c.st.completeListing.lines();
        std::vector<std::string> withoutDetails;
        const int detailsStart = indexOf(c.st.completeListing, "Details");
        const int detailsCount = 3 + c.st.results.memberDetailLines.count();
        ASSERT_GT(detailsStart, 0);
        ASSERT_GT(c.st.results.memberDetailLines.count(), 100);
        for (int i = 0; i < static_cast<int>(full.size()); ++i)
            if (i < detailsStart || i >= detailsStart + detailsCount)
                withoutDetails.push_back(full[static_cast<std::size_t>(i)]);
        EXPECT_EQ(c.st.condensedListing.lines(), withoutDetails);
    }
    // ENV: ten detail blocks, service and four fire classes, two axes each
    Calc c{ColumnInput{}};
    int heads = 0;
    for (const auto& l : c.st.results.memberDetailLines.lines())
        heads += l.find(" axis") != std::string::npos && l[0] != ' ';
    EXPECT_EQ(heads, 10);
}

TEST(Calculate, WarningsWindowFirstThenResults)
{
    ColumnInput in;
    in.h = 290;   // below 300: warning 1029
    Calc c{in};
    EXPECT_TRUE(c.ok);
    EXPECT_EQ(c.ui.events, (std::vector<std::string>{"busy", "idle", "warnings", "results"}));
    const int w = indexOf(c.st.completeListing, "Warnings");
    EXPECT_EQ(w, 13);   // directly after the project block
    EXPECT_EQ(c.st.completeListing[w + 1], "----------------------------------------");
}

TEST(Calculate, ErrorsShowOnlyTheWarningsAndErrorsWindow)
{
    ColumnInput in;
    in.b = 600;
    Calc c{in};
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.ui.events, (std::vector<std::string>{"busy", "idle", "warnings"}));
    EXPECT_TRUE(c.st.results.hasErrors);
    // the run stopped after the rebar location and the drawing
    EXPECT_FALSE(c.st.results.rebarLocationLines.empty());
    EXPECT_FALSE(c.st.results.sectionPicture.empty());
    EXPECT_TRUE(c.st.results.resultsLines.empty());
    // the weak-axis routine still finished its details block; the strong axis never ran
    ASSERT_FALSE(c.st.results.memberDetailLines.empty());
    EXPECT_EQ(c.st.results.memberDetailLines[0], "Materials and design values");
    EXPECT_GT(indexOf(c.st.results.memberDetailLines, "Normal temperature weak axis"), 0);
    EXPECT_EQ(indexOf(c.st.results.memberDetailLines, "Normal temperature  strong axis"), -1);
    EXPECT_FALSE(c.st.results.table.at(0, 0).has_value());
    EXPECT_FALSE(c.st.results.grid.filled);
}

// An arithmetic failure is never a valid result; the errors window tells its cause.
TEST(Calculate, ArithmeticFailureIsNeverAValidResult)
{
    ColumnInput in;
    in.fy = 0;   // the yield point divides in the checks
    Calc c{in};
    EXPECT_FALSE(c.ok);
    EXPECT_TRUE(c.st.calcError);
    ASSERT_EQ(c.sink.messages.size(), 1u);
    EXPECT_EQ(c.sink.messages[0], "An error occurred during calculation. A possible cause may be unrealistic input data.");
    EXPECT_EQ(c.ui.events, (std::vector<std::string>{"busy", "idle", "warnings"}));
    EXPECT_TRUE(c.st.completeListing.empty());
    EXPECT_TRUE(c.ui.shown.hasErrors);
    const auto& lines = c.ui.shown.errors.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], c.sink.messages[0]);
    EXPECT_EQ(lines[1].rfind("Cause: a division by zero", 0), 0u) << lines[1];
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Technical detail: " + c.st.calcErrorWhat), lines.end());
    // the run's own record is left as the run made it
    EXPECT_FALSE(c.st.results.hasErrors);
}

TEST(Calculate, ValuesOutsideTheirMeaningGiveErrorsWithoutARun)
{
    // a zero buckling length (the dialogs accept 0 m) once ended in text 219,
    // a negative factor in a valid-looking negative resistance
    for (auto set : {+[](ColumnInput& in) { in.lWeakCold = 0; }, +[](ColumnInput& in) { in.gammaA = -1; }}) {
        ColumnInput in;
        set(in);
        Calc c{in};
        EXPECT_FALSE(c.ok);
        EXPECT_FALSE(c.st.calcError);
        EXPECT_TRUE(c.sink.messages.empty());   // neither text 219 nor "error in bending"
        EXPECT_EQ(c.ui.events, (std::vector<std::string>{"busy", "idle", "warnings"}));
        EXPECT_FALSE(c.st.results.table.at(0, 0).has_value());
        EXPECT_TRUE(c.st.results.sectionPicture.empty());
    }
}

TEST(Calculate, ControlCharactersOfTextsAreShownVisiblyInTheListing)
{
    ColumnInput in;
    in.projectName = "A\x1b[2J\x07" "B";
    in.comment = std::string("c\0d\tx\xc2\x9b", 7);
    in.profileName = "HE\r320";
    Calc c{in};
    ASSERT_TRUE(c.ok);
    const std::string bad = "\xEF\xBF\xBD";   // U+FFFD
    EXPECT_EQ(c.st.completeListing[4].substr(26, 11), "A" + bad + "[2J" + bad + "B");
    EXPECT_EQ(c.st.completeListing[9].substr(26, 12), "c" + bad + "d" + bad + "x" + bad);
    for (const auto& l : c.st.completeListing.lines())
        for (char ch : l)
            EXPECT_FALSE(static_cast<unsigned char>(ch) < 0x20) << l;
}

TEST(Calculate, CommentIsCutInTheListingOnly)
{
    ColumnInput in;
    in.comment = std::string(70, 'c');
    Calc c{in};
    const std::string line = c.st.completeListing[9];
    EXPECT_EQ(line, "Comment:                  " + std::string(50, 'c'));
}

// Each eccentric column is the axial one without its eccentricity; the
// biaxial cell is the smaller of the two axes' cells.
TEST(DesignRun, EccentricCellsPerAxis)
{
    for (const auto& [e1, e2] : {std::pair{0.0, 0.0}, std::pair{-50.0, 0.0}, std::pair{0.0, 60.0}}) {
        ColumnInput in;
        in.e1 = e1;   // enters the run as its absolute value
        in.e2 = e2;
        Calc c{in};
        ASSERT_TRUE(c.ok);
        for (int r = 0; r < 5; ++r) {
            if (e1 == 0) {
                EXPECT_EQ(c.cell(r, eccentricWeak), c.cell(r, axialWeak)) << r;
            }
            if (e2 == 0) {
                EXPECT_EQ(c.cell(r, eccentricStrong), c.cell(r, axialStrong)) << r;
            }
            if (r == 0 || e1 != 0) {
                EXPECT_DOUBLE_EQ(c.cell(r, biaxial), std::min(c.cell(r, eccentricWeak), c.cell(r, eccentricStrong)))
                    << r;
            }
        }
        if (e1 != 0) {
            EXPECT_LT(c.cell(0, eccentricWeak), c.cell(0, axialWeak));
            EXPECT_EQ(c.st.results.grid.cell[2][3], "50.00");
            EXPECT_NE(c.st.results.resultsLines[5].find("    50 mm"), std::string::npos);
        }
    }
}

TEST(DesignRun, AverageAxisDistanceBands)
{
    EXPECT_NEAR(averageAxisDistance(40, 60), std::sqrt(40.0 * 50), 1e-12);
    EXPECT_NEAR(averageAxisDistance(50, 60), std::sqrt(50.0 * 60), 1e-12);
    EXPECT_NEAR(averageAxisDistance(60, 60), 60, 1e-12);

    // u = 44.7 mm lies in the band 40..45: R 90 rebars weaker than with u = 60
    ColumnInput near;
    near.uc1 = 40;
    Calc a{near};
    Calc b{ColumnInput{}};
    ASSERT_TRUE(a.ok);
    EXPECT_LT(a.cell(3, axialWeak), b.cell(3, axialWeak));
}

TEST(DesignRun, AxisDistanceBelowTheTableIsReportedOncePerClass)
{
    ColumnInput in;
    in.uc1 = 30;   // only possible from a project file
    in.uf1 = 30;
    Calc c{in};
    EXPECT_EQ(std::count(c.sink.messages.begin(), c.sink.messages.end(), "Error in calculation: u is too small"), 4);
    // the rebars are not counted in fire: lower than with u = 40
    ColumnInput forty;
    forty.uc1 = 40;
    forty.uf1 = 40;
    Calc d{forty};
    for (int r = 1; r < 5; ++r) {
        ASSERT_TRUE(std::isfinite(c.cell(r, axialWeak)));
        EXPECT_LT(c.cell(r, axialWeak), d.cell(r, axialWeak));
    }
}

TEST(DesignRun, RebarLocationLayouts)
{
    auto lines = [](double h, int n1, int n2) {
        ColumnInput in;
        in.h = h;
        in.n1 = n1;
        in.n2 = n2;
        TextEnv env;
        MessageList out;
        RebarLayout rows;
        rows.count = {n2 + 4, 4, 4, 4};
        rows.z = {60, 100, 150, 170};
        writeRebarLocation(env, out, in, rows, 100);
        return out.lines();
    };
    EXPECT_EQ(lines(400, 4, 0).size(), 5u);
    EXPECT_EQ(lines(400, 4, 0).back(), " ");
    EXPECT_EQ(lines(400, 8, 0)[4], "  AN2:        4");
    EXPECT_EQ(lines(401, 8, 4)[4], "  UC2:   100.00 mm  ");
    EXPECT_EQ(lines(401, 8, 4)[5], "  AN4:        4  ");
    EXPECT_EQ(lines(401, 8, 4)[6], "  UF2:   170.00 mm  ");
    EXPECT_EQ(lines(401, 16, 4)[4], "  UC2:    100.00 mm ");
    EXPECT_EQ(lines(401, 16, 0)[4], "  AN2:        4  ");
    EXPECT_EQ(lines(401, 12, 0)[6], "  AN4:        4");
    EXPECT_EQ(lines(400, 12, 0).size(), 5u);   // any other combination: nothing more
}

TEST(Calculate, AbsurdNumbersNeverReachTheListing)
{
    for (double d : {1e200, -1e200}) {
        ColumnInput in;
        in.d = d;
        Calc c{in};
        EXPECT_FALSE(c.ok) << d;
        for (const auto& l : c.st.completeListing.lines())
            EXPECT_EQ(l.find("nan"), std::string::npos);
    }
    ColumnInput huge;
    huge.h = 1e300;
    huge.b = 1e300;
    Calc c{huge};
    EXPECT_FALSE(c.ok);
    for (int r = 0; r < 5; ++r)
        for (int k = 0; k < 5; ++k)
            if (const auto v = c.st.results.table.at(r, k)) {
                EXPECT_TRUE(std::isfinite(*v));
            }
}

TEST(Calculate, CalculationErrorCausesInTheirLanguage)
{
    // each fault as the arithmetic throws it gives the cause of its kind
    TextEnv env;
    const auto lines = [&](auto&& fault) {
        try {
            fault();
        } catch (const CalculationError& e) {
            return calculationErrorLines(env, e.kind(), e.what());
        }
        return std::vector<std::string>{};
    };
    const struct {
        std::function<void()> fault;
        const char* cause;
    } cases[] = {
        {[] { (void)checkedDiv(1, 0); }, "Cause: a division by zero"},
        {[] { (void)checkedDiv(0, 0); }, "Cause: a division by zero"},
        {[] { (void)checkedSqrt(-1); }, "Cause: the square root"},
        {[] { (void)checkedFinite(-HUGE_VAL); }, "Cause: a value too large"},
        {[] { (void)Power(0, 0); }, "Cause: a power"},
        {[] { (void)Power(-8, 0.5); }, "Cause: a power"},
        {[] { (void)Printf("%d", {}); }, "Cause: an invalid floating-point operation"},
        {[] {
             ColumnInput nan;
             nan.h = std::nan("");
             TextEnv quiet;
             ColumnResults res;
             (void)RunInputChecks(quiet, nan, res);
         },
         "Cause: an input value"},
    };
    for (const auto& c : cases) {
        const auto l = lines(c.fault);
        ASSERT_EQ(l.size(), 4u) << c.cause;
        EXPECT_EQ(l[1].rfind(c.cause, 0), 0u) << l[1];
        EXPECT_EQ(l[2].rfind("Technical detail: ", 0), 0u) << l[2];
    }
    env.language = Language::German;
    EXPECT_EQ(lines([] { (void)checkedFinite(HUGE_VAL); })[1].rfind("Ursache: ", 0), 0u);
}

// ---------------------------------------------------------------- the listing of an EN project

// The heading names the code, the details are the EN method's, the condensed
// listing names the code but leaves them out (that it is the complete listing
// without them: CondensedListingIsCompleteWithoutDetails); an ENV project's
// listing has none of it.

TEST(EnListing, HeadingNamesTheCodeAndTheDetailsAreTheMethods)
{
    for (Language base : kLanguages) {
        Calc c{enProject(50, 30), base};
        ASSERT_TRUE(c.ok) << base;
        const MessageList& full = c.st.completeListing;
        if (base == Language::English) {
            EXPECT_EQ(full[12], "Design code:              EN 1994-1-1:2004, EN 1994-1-2:2005 Annex G        ");
        }
        // the code after the dates of the project block
        const int code = indexOf(full, padRight(text(1560, base), 25) + " " + padRight(text(1561, base), 50));
        ASSERT_EQ(code, 12) << base;
        EXPECT_EQ(indexOf(c.st.condensedListing, full[code]), code) << base;
        EXPECT_FALSE(contains(c.st.condensedListing, "EN 1994-1-1, 6.7.3.2(1)")) << base;
        const int details = indexOf(full, text(224, base));
        ASSERT_GT(details, 0);
        // the materials by grade, then the weak axis
        EXPECT_EQ(full[details + 3], text(1764, base));
        EXPECT_GT(indexOf(full, text(1562, base) + " " + text(1076, base) + " z-z"), details + 3);
        EXPECT_TRUE(contains(full, "EN 1994-1-1, 6.7.3.2(1)"));
        EXPECT_TRUE(contains(full, "EN 1994-1-2, G.6"));
        // no ENV details, and the notes speak of Annex G
        EXPECT_FALSE(contains(full, text(1139, base) + "\n"));
        EXPECT_EQ(indexOf(full, text(1156, base)), -1);
        EXPECT_GT(indexOf(full, text(1608, base)), 0);
        // the Annex G tables are not yet checked against the EN edition
        EXPECT_GT(indexOf(full, text(1610, base)), indexOf(full, text(1608, base)));
        const std::regex nonFinite(R"((^|[\s:(=])[-+]?(nan|inf|infinity)($|[\s)]))", std::regex::icase);
        for (const std::string& l : full.lines()) {
            EXPECT_FALSE(std::regex_search(l, nonFinite)) << l;
            EXPECT_EQ(l.find("***"), std::string::npos) << l;
        }
    }
}

TEST(EnListing, EnvListingHasNoneOfIt)
{
    ColumnInput in;
    in.e1 = 50;
    in.e2 = 30;
    Calc c{in, Language::English};
    ASSERT_TRUE(c.ok);
    EXPECT_FALSE(contains(c.st.completeListing, "Design code"));
    // no clause of the EN method but in the note on what the program does not check
    MessageList withoutNote;
    for (const std::string& l : c.st.completeListing.lines())
        if (l != text(1157, Language::English))
            withoutNote.add(l);
    EXPECT_FALSE(contains(withoutNote, "EN 1994-1-1,"));
    EXPECT_EQ(c.st.results.memberDetailLines[0], text(1764, Language::English));
    EXPECT_GT(indexOf(c.st.results.memberDetailLines, "Normal temperature weak axis"), 0);
    EXPECT_GT(indexOf(c.st.completeListing, text(1156, Language::English)), 0);
    EXPECT_GT(indexOf(c.st.completeListing, text(1157, Language::English)),
              indexOf(c.st.completeListing, text(1160, Language::English)));
}

// The checks' errors stop the run before the EN method's values: no details.
TEST(EnListing, AnErrorOfTheChecksLeavesNoDetails)
{
    ColumnInput in = enProject(50, 30);
    in.fck = 70;   // outside C20/25 to C60/75
    Calc c{in, Language::English};
    EXPECT_FALSE(c.ok);
    EXPECT_TRUE(c.st.results.hasErrors);
    EXPECT_TRUE(c.st.results.memberDetailLines.empty());
}

// ---------------------------------------------------------------- design loads

// The scope agrees with the warnings the checks give, the check of the
// default project, where the check and the outside rows appear in the
// listings, and runs without a valid result.

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
    const auto outside = [](const std::string& s) { return s.rfind("* outside the field", 0) == 0; };
    EXPECT_EQ(std::count_if(l.begin(), l.end(), outside), 1);
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
