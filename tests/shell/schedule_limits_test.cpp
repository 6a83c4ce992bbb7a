// The schedule's own search limits in the project file's [schedule] block:
// written only when they differ from the defaults, read back equal, and a
// malformed limit line refused with its line, the open schedule kept.
#include "shell/projectfile.h"
#include "shell/schedule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qeln;

Schedule oneRow()
{
    Schedule s;
    s.columns = {"d"};
    s.rows.push_back({"C1", {"25"}, false});
    return s;
}

TEST(ScheduleLimits, DefaultLimitsWriteTheBlockAsBefore)
{
    const Schedule s = oneRow();
    EXPECT_EQ(ScheduleBlockContent(s), "[schedule]\r\ncolumns=name,d\r\nrow=C1,25\r\n");
    EXPECT_EQ(ScheduleBlockContent(Schedule{}), "");
}

TEST(ScheduleLimits, EveryLimitRoundTripsThroughTheProjectFile)
{
    Schedule s = oneRow();
    s.constraints.families = {"HE A", "HE B"};
    s.constraints.maxH = 400;
    s.constraints.maxB = 312.5;
    s.constraints.diameters = {16, 20, 25};
    s.constraints.layouts = {{4, 0}, {8, 0}};
    EXPECT_EQ(ScheduleBlockContent(s), "[schedule]\r\nfamilies=HE A, HE B\r\nmaxH=400\r\nmaxB=312.5\r\n"
                                       "diameters=16, 20, 25\r\nlayouts=4+0, 8+0\r\ncolumns=name,d\r\nrow=C1,25\r\n");

    // one limit alone, and limits without rows (kept all the same)
    Schedule onlyB = oneRow();
    onlyB.constraints.maxB = 300;
    Schedule noRows;
    noRows.constraints.layouts = {{8, 4}};
    for (const Schedule* sched : {&s, &onlyB, &noRows}) {
        ColumnInput in;
        in.nEd = 2500;
        const std::string bytes = ProjectFileContent(in, sched);
        ColumnInput back;
        Schedule sBack;
        const std::optional<Failure> r = ParseProjectFile(bytes, "p.qln", back, {}, &sBack);
        ASSERT_FALSE(r) << r->describe();
        EXPECT_EQ(sBack, *sched);
        EXPECT_EQ(ProjectFileContent(back, &sBack), bytes);
    }
}

struct BadLimit {
    const char* label;
    const char* block;
    int line;   // of the file
    const char* detailPart;
};

class ScheduleLimitMalformed : public testing::TestWithParam<BadLimit> {};

TEST_P(ScheduleLimitMalformed, IsAReadErrorNamingItsLine)
{
    const BadLimit& c = GetParam();
    const std::string bytes = ProjectFileContent(ColumnInput{}) + c.block;
    ColumnInput project;
    Schedule kept = oneRow();
    kept.constraints.maxH = 500;
    const Schedule before = kept;
    const std::optional<Failure> r = ParseProjectFile(bytes, "p.qln", project, {}, &kept);
    EXPECT_EQ(r->code, FailureCode::malformed);
    EXPECT_EQ(r->line, c.line) << r->describe();
    EXPECT_NE(r->detail.find(c.detailPart), std::string::npos) << r->detail;
    EXPECT_EQ(kept, before);
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, ScheduleLimitMalformed,
    testing::Values(
        BadLimit{"unknownFamily", "[schedule]\r\nfamilies=HE A, UPN\r\ncolumns=name\r\n", 35, "not \"UPN\""},
        BadLimit{"emptyFamily", "[schedule]\r\nfamilies=HE A,\r\ncolumns=name\r\n", 35, "families="},
        BadLimit{"maxHZero", "[schedule]\r\nmaxH=0\r\ncolumns=name\r\n", 35, "maxH= takes"},
        BadLimit{"maxBText", "[schedule]\r\nmaxB=30cm\r\ncolumns=name\r\n", 35, "maxB= takes"},
        BadLimit{"maxHInfinite", "[schedule]\r\nmaxH=inf\r\ncolumns=name\r\n", 35, "maxH= takes"},
        BadLimit{"diameterTooLarge", "[schedule]\r\ndiameters=16, 120\r\ncolumns=name\r\n", 35, "diameters= takes"},
        BadLimit{"noLayouts", "[schedule]\r\nlayouts=\r\ncolumns=name\r\n", 35, "layouts= takes"},
        BadLimit{"layoutNoPlus", "[schedule]\r\nlayouts=4, 8+0\r\ncolumns=name\r\n", 35, "layouts= takes"},
        BadLimit{"twice", "[schedule]\r\nmaxH=300\r\nmaxH=400\r\ncolumns=name\r\n", 36, "given twice"},
        BadLimit{"afterColumns", "[schedule]\r\ncolumns=name,d\r\nmaxB=300\r\nrow=C1,20\r\n", 36,
                 "after the columns= line"},
        BadLimit{"badRowAfterGoodLimits", "[schedule]\r\nmaxH=300\r\ncolumns=name,d\r\nrow=C1,x\r\n", 37,
                 "not a number"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
