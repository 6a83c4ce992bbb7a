// The schedule's PDF report: a summary page with the table (landscape,
// continued on as many pages as the rows need) and the condensed report of
// every row, each built as the single-project report of the row's input
// after a run of it. The desktop program and qeln-cli-pdf share it.
#pragma once

#include "report.h"
#include "shell/schedule.h"

#include <functional>
#include <string>
#include <vector>

class QDateTime;

namespace qeln {
struct RunState;
}

namespace qeln::ui {

// The summary line in the language.
std::string scheduleSummaryLine(const ScheduleSummary& s, Language language, const std::string& sep);

struct ScheduleReportContent {
    ReportContent page;                          // header and footer of the summary pages
    std::string heading;                         // text 1385
    std::vector<std::string> columns;            // name, the field columns, the result columns shown
    std::vector<std::vector<std::string>> cells; // one line per row
    std::vector<bool> failing;                   // per row
    std::string summary;
    std::string note;                            // text 1388 when the search chose a section
    std::vector<ReportContent> rows;             // the condensed report of each row
};

// Runs a row's input with the listing (as the calculate command does); true
// when the results are valid.
using ScheduleRowRun = std::function<bool(const ColumnInput& in, RunState& st)>;

// The report of a run schedule; `run` gives each row's full run (a row
// whose run fails gets a report of its input listing and errors all the
// same; a row whose cells give no input has its line on the summary page only).
ScheduleReportContent buildScheduleReport(const ColumnInput& base, const Schedule& g, const ScheduleOutcome& o,
                                          Language language, const QDateTime& printedAt, const ScheduleRowRun& run);

// Writes the report as one PDF file; the number of pages, 0 when it could not be written.
int writeScheduleReportPdf(const ScheduleReportContent& report, const QString& path);

} // namespace qeln::ui
