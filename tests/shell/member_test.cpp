// The column as a member through the run: its warnings in the listing, end
// moments as the methods' eccentricities and the project file's [member]
// block (the member in the schedule: schedule_test.cpp).
#include "calc/member.h"
#include "calc/method.h"
#include "shell/numbersrun.h"
#include "shell/projectfile.h"
#include "shell/run.h"
#include "shell/schedule.h"

#include "present/messages.h"
#include "tests/run_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace qeln;

namespace {

bool hasFinding(const NumbersRun& run, FindingCode c)
{
    return std::any_of(run.derived.findings.begin(), run.derived.findings.end(),
                       [c](const Finding& f) { return f.code == c; });
}

using test::contains;

} // namespace

// An 8 m column with the 1.5 m default fire length.
TEST(MemberRun, TheEightMetreColumnWarnsInEveryCode)
{
    for (DesignCode code : {DesignCode::ENV1994, DesignCode::EN1994}) {
        ColumnInput in;
        useDesignCode(in, code);
        in.lWeakCold = in.lStrongCold = 8;
        NumbersRun run;
        runNumbers(in, run);
        // without a member length only the table speaks: fire cells above the cold ones
        EXPECT_FALSE(hasFinding(run, FindingCode::FireBucklingLengthBelowMember));
        EXPECT_TRUE(hasFinding(run, FindingCode::FireAboveNormalTemperature));
        in.length = 8;
        runNumbers(in, run);
        EXPECT_TRUE(run.valid);   // warnings only
        EXPECT_TRUE(hasFinding(run, FindingCode::FireBucklingLengthBelowMember));

        const test::Calc c{in};
        EXPECT_TRUE(c.st.results.hasWarnings);
        EXPECT_TRUE(contains(c.st.results.warnings, "A buckling length in fire of 1.5 m is below 4 m"));
        EXPECT_TRUE(contains(c.st.results.warnings, "is above the one at normal temperature"));
        EXPECT_TRUE(contains(c.st.completeListing, "Member length L"));
    }
    // the default project (3 m, 1.5 m in fire) stays without these warnings
    NumbersRun run;
    runNumbers(ColumnInput{}, run);
    EXPECT_FALSE(hasFinding(run, FindingCode::FireAboveNormalTemperature));
}

TEST(MemberRun, EndMomentsAreTheEccentricitiesTheMethodsRead)
{
    for (DesignCode code : {DesignCode::ENV1994, DesignCode::EN1994}) {
        ColumnInput moments;
        useDesignCode(moments, code);
        moments.nEd = 2000;
        moments.nFiEd = 900;
        moments.fireClass = FireClass::R60;
        moments.myTop = 60;     // e2 = 30 mm
        moments.myBottom = -30; // r = -0.5
        moments.mzTop = 100;    // e1 = 50 mm, r = 1
        moments.mzBottom = 100;
        ColumnInput entered = moments;
        entered.myTop = entered.myBottom = entered.mzTop = entered.mzBottom = 0;
        entered.e1 = 50;
        entered.e2 = 30;
        entered.rStrong = -0.5;
        NumbersRun a, b;
        runNumbers(moments, a);
        runNumbers(entered, b);
        ASSERT_TRUE(a.valid);
        EXPECT_EQ(a.design.table.cell, b.design.table.cell);
        ASSERT_TRUE(a.check && b.check);
        EXPECT_EQ(a.check->utilisation, b.check->utilisation);

        // fire moments of their own: the fire rows are those of the fire eccentricities
        ColumnInput fire = moments;
        fire.myFiTop = 9;   // e2,fi = 10 mm, r = 1
        fire.myFiBottom = 9;
        fire.mzFiTop = 18;  // e1,fi = 20 mm
        fire.mzFiBottom = 0;
        ColumnInput fireEntered = entered;
        fireEntered.e1 = 20;
        fireEntered.e2 = 10;
        fireEntered.rWeak = 0;
        fireEntered.rStrong = 1;
        NumbersRun c, d;
        runNumbers(fire, c);
        runNumbers(fireEntered, d);
        ASSERT_TRUE(c.valid);
        EXPECT_EQ(c.design.table.cell[rowService], a.design.table.cell[rowService]);
        for (int row = rowR30; row <= rowR120; ++row)
            EXPECT_EQ(c.design.table.cell[row], d.design.table.cell[row]) << row;
        EXPECT_NE(c.design.table.cell[rowR60], a.design.table.cell[rowR60]);

        // moments without an axial force: refused with a clear message
        ColumnInput none = moments;
        none.nEd = 0;
        NumbersRun e;
        runNumbers(none, e);
        EXPECT_FALSE(e.valid);
        EXPECT_TRUE(hasFinding(e, FindingCode::MomentsWithoutAxialForce));
        const test::Calc refused{none};
        EXPECT_FALSE(refused.ok);
        EXPECT_TRUE(contains(refused.st.results.errors, "no design axial force N.Ed"));
    }
}

TEST(MemberProjectFile, TheMemberBlockRoundTripsAndOldFilesStay)
{
    ColumnInput in;
    const std::string plain = ProjectFileContent(in, nullptr);
    EXPECT_EQ(plain.find("[member]"), std::string::npos);
    in.length = 3.6;
    in.frame = FrameType::sway;
    in.storey = StoreyPosition::top;
    in.myTop = 120.5;
    in.myBottom = -60;
    in.mzFiBottom = 7;
    in.line = "A-2";
    const std::string text = ProjectFileContent(in, nullptr);
    ASSERT_NE(text.find("[member]\r\nlength=3.6\r\nframe=sway\r\nstorey=top\r\nmyTop=120.5\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(0, text.find("[member]")), plain);   // the 33 lines as before
    ColumnInput back;
    Schedule sched;
    const auto lookup = [](const std::string&, ColumnInput&) { return true; };
    const std::optional<Failure> r = ParseProjectFile(text, "m.qln", back, lookup, &sched);
    ASSERT_FALSE(r) << r->describe();
    EXPECT_EQ(back, in);
    // a damaged block is refused with its line and the field
    std::string bad = text;
    bad.replace(bad.find("frame=sway"), 10, "frame=wobbly");
    const std::optional<Failure> f = ParseProjectFile(bad, "m.qln", back, lookup, &sched);
    EXPECT_TRUE(f);
    EXPECT_NE(f->detail.find("frame"), std::string::npos);
}
