// Editing the column schedule as the Schedule window does, without the
// window: add, delete and copy rows, add a column by field name, paste a
// block of tab-separated text as spreadsheets put it on the clipboard.
// Cells hold the text as typed; a cell left empty takes the base project's
// value when the schedule runs.
#pragma once

#include "schedule.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeln {

// The index of a field column; columns.size() when there is none.
std::size_t columnOf(const Schedule& g, std::string_view field);

// The project fields a schedule column may name, in the order of the record
// (every field but the dates, which belong to the project).
const std::vector<std::string>& scheduleFieldNames();
bool isScheduleField(std::string_view name);

// A new empty row at `at` (the end when past it), named "Cn" with the lowest
// number n no row uses yet. Returns its index.
std::size_t insertRow(Schedule& g, std::size_t at);
// Removes the rows of the indices (any order, duplicates and indices past the end ignored).
void deleteRows(Schedule& g, std::vector<std::size_t> rows);
// Copies the rows of the indices, in their order, after the last of them;
// a copy is named after its row with the next free " (n)". Returns the first copy's index
// (the row count, with nothing copied, when the copies would pass kMaxScheduleRows).
std::size_t copyRows(Schedule& g, std::vector<std::size_t> rows);

// The heading of a column in the language: words, symbol
// and unit ("Buckling length z-z, normal temperature [m]"); also for "name"
// and "search". A name that is no field is its own heading.
std::string scheduleFieldHeading(std::string_view field, Language language);
// The field a heading names: a field name, "name", "search", or a heading
// of scheduleFieldHeading in any of the three languages (blanks around it,
// case and a line break inside it do not count); "" when it names none.
std::string fieldOfHeading(std::string_view heading);
// The catalogue texts of the result columns' headings (the window's and
// the report's), which a block copied from the window brings along.
inline constexpr int kScheduleResultHeadingTexts[] = {1275, 1276, 1277, 1278, 1279, 1375, 1376, 1377};
// Whether a text is the heading of a result column in one of the languages.
bool isResultHeading(std::string_view heading);

// The range a numeric field takes in the input dialogs (lengths 0 to 20 m,
// N.Ed 0 to 1 000 000 kN, ...); none for the fields the dialogs do not limit.
struct FieldRange {
    double min = 0, max = 0;
};
std::optional<FieldRange> scheduleFieldRange(std::string_view field);

// A cell as the schedule keeps it: numbers with a decimal point; a decimal
// comma, as typed where the region writes one, is taken too ("3,5" gives
// "3.5"). A text that is no value of its field, or a number outside the
// range the dialogs allow, stays as typed, and `problem` (when given) says
// why; it is left empty for a good cell.
std::string normalisedCell(std::string_view field, std::string_view text, std::string* problem = nullptr);

enum class AddColumn { added, unknownField, alreadyThere };
// Adds a field column at the end (blanks around the name do not count); every row gets an empty cell.
AddColumn addColumn(Schedule& g, std::string_view field);
// Removes a field column; false when there is none of that name.
bool removeColumn(Schedule& g, std::string_view field);

// Tab-separated text as spreadsheets put it on the clipboard: lines by LF or
// CR LF, cells by tabs, a cell in double quotes may hold tabs, line breaks
// and doubled quotes. A last empty line does not count.
std::vector<std::vector<std::string>> splitClipboardText(std::string_view text);
// The rows as tab-separated text for the clipboard: a header line, then per
// row the name, the search flag (1 or empty) and the cells.
std::string clipboardText(const Schedule& g, const std::vector<std::size_t>& rows);
// A block of cells as tab-separated text, a spreadsheet's clipboard format:
// one line per row, cells in double quotes where they hold a tab, a line
// break or a quote; every line ends with a line feed.
std::string tabSeparatedText(const std::vector<std::vector<std::string>>& lines);

struct PasteResult {
    std::size_t rowsAdded = 0;        // new rows at the end
    std::size_t cellsSet = 0;
    std::size_t cellsDropped = 0;     // cells right of the last column
    std::vector<std::string> newColumns;   // field columns a header line added
    // Why nothing was pasted (English, with the block's line and field): a
    // number that reads differently with a decimal point and a decimal comma
    // ("2.600"), or more rows than a schedule holds. Empty when pasted.
    std::string problem;
};
// Pastes the block with its first cell at (row, column); column 0 is the
// name, 1.. the field columns. A first line whose cells are headings
// (fieldOfHeading: a header copied with the table, from this program or a
// CSV file) places the block by those names instead, adding the field
// columns the table lacks; result columns copied along are passed over.
// Cells are kept as normalisedCell gives them.
// Rows past the end are added. A block with a refused cell changes nothing.
PasteResult pasteBlock(Schedule& g, std::string_view text, std::size_t row, std::size_t column);

} // namespace qeln
