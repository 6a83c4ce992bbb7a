// qeln-cli schedule: the column schedule's table and JSON.
#pragma once

#include "options.h"

#include "shell/schedule.h"

#include <string>

namespace qeln::cli {

// The run's options from the command line's (constraints, search, every core).
// The schedule's own limits are the starting point; each of --families,
// --max-h, --max-b, --diameters and --layouts given replaces its part.
ScheduleOptions scheduleOptionsOf(const ScheduleCliOptions& o, const SearchConstraints& own = {});

// The text table: one line per row after a header, then the summary.
std::string scheduleTable(const ScheduleOutcome& o);

// One JSON object: rows (name, profileName, d, n1, n2, table, scope, check,
// errors, warnings; errors and warnings are the message lines design --json
// gives, from a design run of the row's input) and summary; ends with a line end.
std::string scheduleJson(const ScheduleOutcome& o, Language language);

// 0 when every row passes, 4 when one does not, 1 when a row's cells could not be taken.
int scheduleExitStatus(const ScheduleOutcome& o);

} // namespace qeln::cli
