// The calculate command: what is shown in which order, the listings, and the
// design run's handling of eccentricities and fire geometry.
#include "shell/run.h"
#include "tests/run_fixtures.h"

#include "calc/env1994/design.h"
#include "calc/numeric.h"
#include "present/format.h"
#include "present/listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

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
using test::indexOf;

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
