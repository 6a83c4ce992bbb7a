// The schedule's request to the PDF writer carries every value of a row that
// the report reads: a row decoded by the writer gives the same cells as the
// row the command ran.
#include "schedule_pdf_request.h"

#include "shell/schedulecolumns.h"

#include <gtest/gtest.h>

using namespace qeln;

TEST(SchedulePdfRequest, EveryValueTheReportReadsReachesTheWriter)
{
    ScheduleRowResult a;   // passes alone, while another combination of its position fails
    a.name = "C1";
    a.inputOk = a.valid = a.passes = true;
    a.profileName = "HE 320 A";
    a.d = 20;
    a.n1 = 4;
    a.nRd = 5061.02;
    a.nFiRd = 1800;
    a.utilisation = 0.5;
    a.fireUtilisation = 0.75;
    a.achievedApplies = true;
    a.achievedClass = FireClass::R90;
    a.steelPerMetre = 97.6;
    a.rebarPerMetre = 9.9;
    a.concretePerMetre = 0.079;
    a.positionPasses = false;
    a.positionUtilisation = 1.2;
    a.positionFireUtilisation = 0.9;
    a.positionRows = 2;
    a.sectionGroup = "line A";
    ScheduleRowResult b = a;   // its group's search found no section for every row
    b.passes = b.positionPasses = false;
    b.searched = b.groupSearchFailed = true;
    ScheduleRowResult c = a;   // a position of one row that passes
    c.name = "C2";
    c.positionPasses = true;
    c.positionRows = 1;

    cli::SchedulePdfRequest request;
    request.schedule.rows = {{"C1", {}, false}, {"C1", {}, true}, {"C2", {}, false}};
    request.outcome.rows = {a, b, c};
    request.language = Language::German;
    const auto read = cli::decodeSchedulePdfRequest(cli::encodeSchedulePdfRequest(request));
    ASSERT_TRUE(read) << read.failure().detail;
    const cli::SchedulePdfRequest& decoded = *read;
    ASSERT_EQ(decoded.outcome.rows.size(), 3u);
    EXPECT_EQ(decoded.language, Language::German);
    for (std::size_t i = 0; i < 3; ++i)
        for (const ScheduleResultColumn& column : scheduleResultColumns())
            for (const ResultReader reader : {ResultReader::shown, ResultReader::file})
                EXPECT_EQ(resultCellText(column, decoded.outcome.rows[i], reader, Language::German),
                          resultCellText(column, request.outcome.rows[i], reader, Language::German))
                    << "row " << i << ", " << column.fileName;
    EXPECT_EQ(scheduleRowProblem(decoded.outcome.rows[1], Language::German),
              scheduleRowProblem(b, Language::German));
}
