// The column schedule: every column position of a building in one table,
// each row a base project with some fields replaced, designed, checked and
// (when asked) given the lightest section that carries its loads.
//
// A row names its position (`name`) and gives fields of the project by their
// names (projectfields.h); an empty cell takes the base project's value. No
// Qt here: the desktop program runs runSchedule off its GUI thread with a
// cancel flag and a progress callback.
#pragma once

#include "present/checktext.h"
#include "present/languages.h"
#include "calc/records.h"
#include "platform/failure.h"
#include "numbersrun.h"
#include "search.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qeln {

// ---------------------------------------------------------------- the table

// The most rows a schedule holds, however it comes in (a CSV file, the
// project file, a paste): far beyond any building, small enough to stay harmless.
inline constexpr std::size_t kMaxScheduleRows = 100000;

struct ScheduleRow {
    std::string name;                 // the column position ("C12, floor 3")
    std::vector<std::string> cells;   // one text per column of the schedule; "" takes the base's value
    bool search = false;              // search the lightest section for this row
    bool operator==(const ScheduleRow&) const = default;
};

struct Schedule {
    std::vector<std::string> columns;   // project field names, in order (never "name" or "search")
    std::vector<ScheduleRow> rows;
    SearchConstraints constraints;      // the search's limits for the rows searched
    bool operator==(const Schedule&) const = default;

    bool empty() const { return rows.empty(); }
    // The index of a column, or -1.
    int columnIndex(std::string_view field) const;
    // The row's cell of a field ("" when the schedule has no such column).
    std::string_view cell(std::size_t row, std::string_view field) const;
};

// ---------------------------------------------------------------- CSV

enum class CsvDialect {
    commaPoint,       // 1,5 -> "1.5": comma separated, decimal point
    semicolonComma,   // semicolon separated, decimal comma
};

// Reads a CSV text: a header row of field names (with `name` and, when
// wanted, `search`), then one row per column position. Comma, semicolon or
// tab separated (told by the header: a tab when it has one, as a table
// pasted from a spreadsheet), decimal point, or decimal comma with
// semicolons and tabs; quotes as "" doubling; UTF-8 with or without
// byte-order mark, else Windows-1252 (a file with both UTF-8 characters and
// bytes that are not UTF-8 is refused); CR LF, LF or CR. Lines of empty cells only
// are passed over (and do not count toward kMaxScheduleRows). A number that
// has a thousands separator or could be read both ways in a semicolon or tab
// separated file ("2.600") is refused. A text cell that begins with an
// apostrophe and then = + - @, a tab, a carriage return or an apostrophe
// loses the first apostrophe (see scheduleCsv). Every cell is checked against its field
// (an unknown column, a wrong number of cells, a value that is not a number
// or that the JSON input would refuse are failures naming line and field).
// On failure `out` is untouched.
bool readScheduleCsv(std::string_view bytes, Schedule& out, Failure& failure);

// The schedule as CSV, UTF-8 without byte-order mark, CR LF line ends; the
// numbers of the cells written in the dialect's decimal separator. A text
// that a spreadsheet would take for a formula (beginning with = + - @, a tab
// or a carriage return), or that begins with an apostrophe, is written with
// an apostrophe in front; readScheduleCsv takes it off again.
std::string scheduleCsv(const Schedule& s, CsvDialect dialect);
// Its lines without line ends, for a writer that adds columns to them, and a
// cell added to such a line (the separator first): a text (`text`) as
// scheduleCsv writes texts, anything else as it is; quoted where needed.
std::vector<std::string> scheduleCsvLines(const Schedule& s, CsvDialect dialect);
void appendCsvCell(std::string& line, std::string_view cell, CsvDialect dialect, bool text);

// Checks a schedule as readScheduleCsv would (for a table edited in the
// desktop program): the columns known and unique, every cell a value of its field.
bool validateSchedule(const Schedule& s, Failure& failure);

// ---------------------------------------------------------------- rows

// The catalogue's profiles by name, for the sections of rows that name a profile.
class ProfileIndex {
public:
    ProfileIndex() = default;
    explicit ProfileIndex(std::vector<SearchProfile> profiles);
    const SteelProfile* find(std::string_view name) const;   // exact name, blanks around it ignored
    const std::vector<SearchProfile>& profiles() const { return profiles_; }
    bool empty() const { return profiles_.empty(); }

private:
    std::vector<SearchProfile> profiles_;
    std::unordered_map<std::string, std::size_t> byName_;
};

// The input of one row: the base with the row's cells laid over it. A row
// that names a profile takes its section from the index; section values the
// row gives (h, b, tw, tf, r, movrixAvailable) lie over it. False with the
// failure (row, field, reason) when a cell is no value of its field or the
// profile is not in the index; `out` is then unchanged.
bool rowInput(const ColumnInput& base, const Schedule& s, std::size_t row, const ProfileIndex& profiles,
              ColumnInput& out, Failure& failure);

// ---------------------------------------------------------------- results

struct ScheduleRowResult {
    std::string name;
    bool inputOk = false;        // the row's input could be built; else `failure` says why
    Failure failure;
    ColumnInput input;           // the row's input as run (with the searched section, when searched)

    // search
    bool searched = false;       // the lightest section was searched for this row
    bool searchFound = false;    // and a candidate passed (the row then runs with it)
    std::string searchProblem;   // why the search could not start (English); empty otherwise

    // the chosen section
    std::string profileName;
    double d = 0;
    int n1 = 0, n2 = 0;

    // the run (numbers only: the same table, scope and check as qeln-cli design)
    bool valid = false;          // no input error, no arithmetic failure
    bool calcError = false;
    UltimateLoadTable table;
    RowScope scope{true, true, true, true, true};
    std::optional<DesignCheck> check;   // after a valid run with loads
    int errors = 0, warnings = 0;       // messages of the checks and the run (warning 1227 counted)

    // the governing resistances (kN): the smallest cell of the service row
    // and of the required class's row; utilisations as the design check has them
    std::optional<double> nRd, nFiRd;
    std::optional<double> utilisation, fireUtilisation;
    bool achievedApplies = false;
    std::optional<FireClass> achievedClass;

    double steelPerMetre = 0, rebarPerMetre = 0;   // kg/m; 0 without valid results
    double concretePerMetre = 0;                   // m3/m; 0 without valid results

    // valid, and the design check (when loads are given) passes
    bool passes = false;

    // The position: the rows of the same name are its load combinations. It
    // passes when every combination passes; its utilisations are the largest
    // of its rows (the row's own for a position of one row).
    bool positionPasses = false;
    std::optional<double> positionUtilisation, positionFireUtilisation;
    std::size_t positionRows = 1;
    // the rows that were given one section together: the rows of the same
    // column line, else the combinations of one position ("" alone)
    std::string sectionGroup;
    bool groupSearchFailed = false;   // no candidate of the search carries every row of the group
};

struct ScheduleSummary {
    std::size_t rows = 0, passing = 0, failing = 0;
    // kg and m3: each row's kg/m (m3/m) times its member length L, a
    // position of several combinations (rows of one name) once, by its
    // heaviest row; rows without valid results or without a member length
    // count 0
    double steelMass = 0, rebarMass = 0, concreteVolume = 0;
    std::size_t rowsWithoutLength = 0;   // positions with a valid row that has no member length
    std::size_t positions = 0, positionsPassing = 0;   // distinct names (a row without a name is a position of its own)
};

struct ScheduleOutcome {
    std::vector<ScheduleRowResult> rows;   // in the schedule's order; only rows reached when cancelled
    ScheduleSummary summary;
    bool cancelled = false;
    std::size_t searchesRun = 0;           // distinct searches (rows sharing constraints and loads share one)
};

struct ScheduleOptions {
    bool searchAll = false;              // search every row (else only rows with `search`)
    SearchConstraints constraints;       // the search's constraints
    unsigned threads = 1;                // 0: the hardware's cores
    const std::atomic<bool>* cancel = nullptr;
    // rows done and rows in all; called from the calling thread only
    std::function<void(std::size_t done, std::size_t total)> progress;
};

// Designs every row. The profiles serve both the rows' profile names and the
// search. Each row runs with its own partial safety factors.
ScheduleOutcome runSchedule(const ColumnInput& base, const Schedule& s, const ProfileIndex& profiles,
                            const ScheduleOptions& options = {});

// The summary of some results (runSchedule fills it already).
ScheduleSummary summarise(const std::vector<ScheduleRowResult>& rows);

// The schedule with the searched sections written into the rows'
// profileName, d, n1 and n2 cells (columns added when missing), for "use the
// search's sections".
Schedule withChosenSections(const Schedule& s, const ScheduleOutcome& o);

// The rows with their results as CSV (UTF-8, CR LF): name, the input
// columns, then the file's result columns (schedulecolumns.h: searched,
// usedProfileName, usedD, usedN1, usedN2 (the section run), nRd, ...,
// sectionGroup); the summary is left to the caller. Texts as scheduleCsv
// writes them. (schedulecolumns.cpp)
std::string scheduleResultsCsv(const Schedule& s, const ScheduleOutcome& o, CsvDialect dialect);

// ---------------------------------------------------------------- project file

// The optional [schedule] block of the project file, after line 33 and after
// the [loads] block: the heading, a "columns=" line and one "row=" line per
// row, CSV with comma and point, characters outside ASCII written as \u{hex}.
// Search limits that differ from the defaults come first, one line each:
// families=HE A, HE B / maxH=400 / maxB=300 / diameters=16, 20 / layouts=4+0, 8+4.
// Empty when the schedule has no rows and the default limits, so that a
// project without schedule is written as before.
std::string ScheduleBlockContent(const Schedule& s);
// Reads the block's lines after its heading up to the next heading
// (firstLine: the file's line number of lines[0]). False with the failure
// when a line is malformed; `out` is then untouched.
bool ParseScheduleBlock(const std::vector<std::string_view>& lines, int firstLine, Schedule& out,
                        Failure& failure);

// ---------------------------------------------------------------- XLSX

// Writes the input columns, the results columns and the summary as an XLSX
// workbook (texts in the language); failing rows marked. The failure
// (writeFailed, text 516, the path and the reason) when the file could not
// be written.
std::optional<Failure> writeScheduleXlsx(const std::string& path, const Schedule& s, const ScheduleOutcome& o,
                                         Language language);

} // namespace qeln
