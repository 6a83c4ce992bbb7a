// qeln-cli schedule --pdf: the schedule's report (a summary page with the
// table, then the condensed report of every row) as one PDF file.
//
// The report itself is drawn by the desktop program's renderer; this is the
// hook through which the command reaches it. Until the renderer's side is
// built, schedulePdfAvailable() is false and the command says so.
#pragma once

#include "calc/records.h"
#include "present/languages.h"
#include "shell/schedule.h"

#include <optional>
#include <string>

namespace qeln::cli {

struct SchedulePdfJob {
    ColumnInput base;             // the base project
    Schedule schedule;            // as run (searched sections written into the rows)
    ScheduleOutcome outcome;
    Language language = Language::English;
    std::string printedAt;        // the header's date
    std::string path;             // the file to write
};

// False while no schedule report renderer is built in.
bool schedulePdfAvailable();

// Writes the report; the failure (as runPdfWriter's) when it could not be
// written.
std::optional<Failure> writeSchedulePdf(const SchedulePdfJob& job);

} // namespace qeln::cli
