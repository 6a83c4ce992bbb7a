// The column as a member through the run: its warnings in the listing, end
// moments as the methods' eccentricities, the project file's [member] block,
// masses by member length, load combinations and column lines in the
// schedule against single designs of the same inputs.
#include "calc/member.h"
#include "calc/method.h"
#include "shell/numbersrun.h"
#include "shell/projectfile.h"
#include "shell/run.h"
#include "shell/schedule.h"

#include "catalogue/profiles.h"
#include "present/messages.h"
#include "tests/run_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace qeln;

namespace {

const ProfileIndex& catalogue()
{
    static const ProfileIndex index(
        searchProfiles(ProfileCatalogue::open(std::string(QELN_BIN_DIR) + "/" + kProfileTableFile, "")));
    return index;
}

bool hasFinding(const NumbersRun& run, FindingCode c)
{
    return std::any_of(run.derived.findings.begin(), run.derived.findings.end(),
                       [c](const Finding& f) { return f.code == c; });
}

using test::contains;

bool passes(const ColumnInput& in)
{
    NumbersRun run;
    runNumbers(in, run);
    return run.valid && (!run.check || run.check->passes);
}

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

// Three identical 3.6 m columns braced otherwise: 3 x 421 kg.
TEST(MemberSchedule, MassesByMemberLength)
{
    Schedule s;
    s.columns = {"profileName", "length", "lWeakCold"};
    s.rows.push_back({"a", {"HE 300 B", "3.6", "3.6"}, false});
    s.rows.push_back({"b", {"HE 300 B", "3.6", "1.8"}, false});
    s.rows.push_back({"c", {"HE 300 B", "3.6", "7.2"}, false});
    ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue());
    ASSERT_EQ(o.rows.size(), 3u);
    EXPECT_NEAR(o.rows[0].steelPerMetre, 117.0, 0.1);
    EXPECT_NEAR(o.summary.steelMass, 3 * 3.6 * o.rows[0].steelPerMetre, 1e-9);
    EXPECT_EQ(std::lround(o.summary.steelMass), 1264);
    EXPECT_NEAR(o.summary.concreteVolume, 3 * 3.6 * o.rows[0].concretePerMetre, 1e-12);
    EXPECT_GT(o.summary.concreteVolume, 0);
    EXPECT_EQ(o.summary.rowsWithoutLength, 0u);
    // two combinations of one position are one column: weighed once
    s.rows[1].name = "a";
    o = runSchedule(ColumnInput{}, s, catalogue());
    EXPECT_NEAR(o.summary.steelMass, 2 * 3.6 * o.rows[0].steelPerMetre, 1e-9);
    EXPECT_EQ(o.summary.positions, 2u);
    s.rows[1].name = "b";
    // a row without a length adds nothing and is counted
    s.rows[2].cells[1] = "";
    o = runSchedule(ColumnInput{}, s, catalogue());
    EXPECT_NEAR(o.summary.steelMass, 2 * 3.6 * o.rows[0].steelPerMetre, 1e-9);
    EXPECT_EQ(o.summary.rowsWithoutLength, 1u);
}

TEST(MemberSchedule, CombinationsOfAPosition)
{
    Schedule s;
    s.columns = {"profileName", "nEd", "myTop", "myBottom"};
    s.rows.push_back({"C1", {"HE 300 B", "2000", "", ""}, false});
    s.rows.push_back({"C1", {"HE 300 B", "1800", "90", "-45"}, false});
    s.rows.push_back({"C2", {"HE 300 B", "1000", "", ""}, false});
    ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue());
    ASSERT_EQ(o.rows.size(), 3u);
    for (const ScheduleRowResult& r : o.rows)
        EXPECT_EQ(r.passes, passes(r.input)) << r.name;
    const double u = std::max(*o.rows[0].utilisation, *o.rows[1].utilisation);
    EXPECT_EQ(*o.rows[0].positionUtilisation, u);
    EXPECT_EQ(*o.rows[1].positionUtilisation, u);
    EXPECT_EQ(o.rows[0].positionRows, 2u);
    EXPECT_EQ(o.summary.positions, 2u);
    // one failing combination fails the position
    s.rows[1].cells[1] = "9000";
    o = runSchedule(ColumnInput{}, s, catalogue());
    EXPECT_TRUE(o.rows[0].passes);
    EXPECT_FALSE(o.rows[1].passes);
    EXPECT_FALSE(o.rows[0].positionPasses);
    EXPECT_TRUE(o.rows[2].positionPasses);
    EXPECT_EQ(o.summary.positionsPassing, 1u);

    // the search finds the lightest section that carries both combinations
    s.rows[1].cells[1] = "1800";
    for (ScheduleRow& r : s.rows)
        r.search = r.name == "C1";
    ScheduleOptions options;
    options.constraints.families = {"HE B"};
    options.constraints.diameters = {16, 20};
    options.constraints.layouts = {{4, 0}};
    o = runSchedule(ColumnInput{}, s, catalogue(), options);
    ASSERT_TRUE(o.rows[0].searchFound) << o.rows[0].searchProblem;
    EXPECT_EQ(o.rows[0].profileName, o.rows[1].profileName);
    EXPECT_EQ(o.rows[0].d, o.rows[1].d);
    EXPECT_TRUE(o.rows[0].passes && o.rows[1].passes);
    // and nothing lighter of the same search does
    SearchControl all;
    all.keep = 1000;
    ColumnInput base = o.rows[0].input;
    const SearchOutcome found = searchSections(base, catalogue().profiles(), options.constraints, all);
    for (const SearchCandidate& c : found.candidates) {
        if (c.steelMass >= o.rows[0].steelPerMetre)
            break;
        ColumnInput second = o.rows[1].input;
        EXPECT_FALSE(passes(c.applyTo(second))) << c.profileName << " carries both";
    }
}

TEST(MemberSchedule, AColumnLineGetsOneSection)
{
    Schedule s;
    s.columns = {"profileName", "nEd", "line", "length"};
    s.rows.push_back({"EG A1", {"HE 300 B", "4000", "A1", "4.2"}, true});
    s.rows.push_back({"OG1 A1", {"HE 260 B", "2500", "A1", "3.4"}, true});
    s.rows.push_back({"OG2 A1", {"HE 260 B", "1000", "A1", "3.4"}, false});
    s.rows.push_back({"EG B1", {"HE 260 B", "1000", "", "4.2"}, true});
    ScheduleOptions options;
    options.constraints.families = {"HE B"};
    options.constraints.diameters = {16};
    options.constraints.layouts = {{4, 0}};
    const ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue(), options);
    ASSERT_EQ(o.rows.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(o.rows[i].name);
        EXPECT_EQ(o.rows[i].sectionGroup, "line A1");
        EXPECT_TRUE(o.rows[i].searchFound);
        EXPECT_EQ(o.rows[i].profileName, o.rows[0].profileName);
        EXPECT_TRUE(o.rows[i].passes);
        EXPECT_EQ(o.rows[i].passes, passes(o.rows[i].input));
    }
    // the line's section is the one its heaviest row needs on its own
    ColumnInput alone = o.rows[0].input;
    alone.profileName = "HE 300 B";
    const SearchOutcome own = searchSections(alone, catalogue().profiles(), options.constraints, {});
    ASSERT_FALSE(own.candidates.empty());
    EXPECT_EQ(own.candidates.front().profileName, o.rows[0].profileName);
    // a row outside the line keeps its own lighter section
    EXPECT_TRUE(o.rows[3].searchFound);
    EXPECT_EQ(o.rows[3].sectionGroup, "position EG B1");
    EXPECT_LE(o.rows[3].steelPerMetre, o.rows[0].steelPerMetre);
}
