// The column schedule (see schedule.h). Work in progress: the pieces below
// are filled in step by step.
#include "schedule.h"

namespace qeln {

int Schedule::columnIndex(std::string_view field) const
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i] == field)
            return static_cast<int>(i);
    return -1;
}

std::string_view Schedule::cell(std::size_t row, std::string_view field) const
{
    const int c = columnIndex(field);
    if (c < 0 || row >= rows.size() || static_cast<std::size_t>(c) >= rows[row].cells.size())
        return {};
    return rows[row].cells[static_cast<std::size_t>(c)];
}

std::string ScheduleFailure::describe() const
{
    std::string s;
    if (line > 0)
        s += "line " + std::to_string(line);
    else if (row >= 0)
        s += "row " + std::to_string(row + 1);
    if (!field.empty())
        s += (s.empty() ? "" : ", ") + std::string("field \"") + field + "\"";
    return s.empty() ? detail : s + ": " + detail;
}

bool readScheduleCsv(std::string_view, Schedule&, ScheduleFailure& failure)
{
    failure.detail = "not yet";
    return false;
}
std::string scheduleCsv(const Schedule&, CsvDialect) { return {}; }
bool validateSchedule(const Schedule&, ScheduleFailure&) { return true; }

ProfileIndex::ProfileIndex(std::vector<SearchProfile> profiles) : profiles_(std::move(profiles))
{
    for (std::size_t i = 0; i < profiles_.size(); ++i)
        byName_.emplace(profiles_[i].name, i);
}
const SearchProfile* ProfileIndex::find(std::string_view name) const
{
    const auto it = byName_.find(std::string(name));
    return it == byName_.end() ? nullptr : &profiles_[it->second];
}

bool rowInput(const ColumnInput& base, const Schedule&, std::size_t, const ProfileIndex&, ColumnInput& out,
              ScheduleFailure&)
{
    out = base;
    return true;
}

ScheduleOutcome runSchedule(const ColumnInput&, const Schedule&, const ProfileIndex&, const ScheduleOptions&)
{
    return {};
}
ScheduleSummary summarise(const std::vector<ScheduleRowResult>&) { return {}; }
Schedule withChosenSections(const Schedule& s, const ScheduleOutcome&) { return s; }
std::string ScheduleBlockContent(const Schedule&) { return {}; }
bool ParseScheduleBlock(const std::vector<std::string_view>&, int, Schedule&, ScheduleFailure&) { return true; }
bool writeScheduleXlsx(const std::string&, const Schedule&, const ScheduleOutcome&, int, std::string& reason)
{
    reason = "not yet";
    return false;
}

} // namespace qeln
