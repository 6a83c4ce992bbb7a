// Runs the Schedule window's table: each row's input (the base project with
// the row's cells), the optional search for the lightest section, the design
// check per row and the schedule's summary. No Qt: the window runs it on a
// worker thread with a cancel flag and progress.
#pragma once

#include "calc/designcheck.h"
#include "calc/records.h"
#include "schedulegrid.h"
#include "search.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qeln {

// What a row's run found.
struct ScheduleRowOutcome {
    std::string name;
    ColumnInput input;          // the row's input, with the section the search chose
    std::string problem;        // a cell that cannot be read, a profile not in the catalogue,
                                // a search without a passing candidate (English); empty when run
    bool valid = false;         // the run gave valid results
    bool passes = false;        // valid and the design check passes
    bool searched = false;      // the section was chosen by the search
    int warnings = 0, errors = 0;
    std::optional<DesignCheck> check;
    double steelMass = 0, rebarMass = 0;   // kg for the row's column length lWeakCold

    // "HE 300 B 4+0 x 20": the row's section and rebars.
    std::string sectionText() const;
};

struct ScheduleSummary {
    int rows = 0, passing = 0, failing = 0;
    double steelMass = 0, rebarMass = 0;   // kg
};

struct ScheduleOutcome {
    std::vector<ScheduleRowOutcome> rows;   // in the table's order
    ScheduleSummary summary;
};

struct ScheduleRunControl {
    bool searchAll = false;                       // search every row, whatever its own flag
    const std::atomic<bool>* cancel = nullptr;    // set to stop; the outcome is then dropped
    std::function<void(std::size_t done, std::size_t total)> progress;   // rows done, from the running thread
};

// The row's input: the base project with the row's cells (an empty cell
// keeps the base value; a profile name takes the catalogue's section).
// False with the reason in `problem` when a cell cannot be read.
bool scheduleRowInput(const ColumnInput& base, const ScheduleGrid& g, std::size_t row,
                      const std::vector<SearchProfile>& profiles, ColumnInput& out, std::string& problem);

// Runs every row; nullopt when cancelled.
std::optional<ScheduleOutcome> runScheduleGrid(const ColumnInput& base, const ScheduleGrid& g,
                                               const std::vector<SearchProfile>& profiles,
                                               const ScheduleRunControl& control = {});

// The summary line: "12 rows: 10 pass, 2 fail; steel 1234.5 kg, rebars 210.0 kg".
std::string scheduleSummaryText(const ScheduleSummary& s, const char* decimalSeparator = ".");

// CSV: header line "name" and the field names, comma or semicolon separated,
// fields in double quotes when needed. False with the reason (line and
// field) when the file cannot be read; `g` is then left as it was.
bool readScheduleCsv(const std::string& path, ScheduleGrid& g, std::string& error);
bool writeScheduleCsv(const std::string& path, const ScheduleGrid& g, std::string& error);
// The table and its results as an XLSX workbook.
bool writeScheduleXlsx(const std::string& path, const ScheduleGrid& g, const ScheduleOutcome* results,
                       std::string& error);

} // namespace qeln
