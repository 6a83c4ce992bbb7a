// The Schedule window's table as the user edits it, without the window: the
// name column, the field columns (project fields by their JSON names) and a
// "search the lightest section" flag per row. Cells hold the text as typed;
// a cell left empty takes the base project's value when the schedule runs.
// Editing: add, delete and copy rows, add a column by field name, paste a
// block of tab-separated text as spreadsheets put it on the clipboard.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qeln {

struct ScheduleGridRow {
    std::string name;
    std::vector<std::string> cells;   // one per field column
    bool search = false;              // search the lightest section for this row
    bool operator==(const ScheduleGridRow&) const = default;
};

struct ScheduleGrid {
    std::vector<std::string> fields;   // the field columns after the name
    std::vector<ScheduleGridRow> rows;
    bool operator==(const ScheduleGrid&) const = default;

    // The cell of a field by its name; empty when the grid has no such column.
    std::string cell(std::size_t row, std::string_view field) const;
    // Index of a field column; fields.size() when there is none.
    std::size_t column(std::string_view field) const;
};

// The project fields a schedule column may name, in the order a new column
// list offers them.
const std::vector<std::string>& scheduleFieldNames();
bool isScheduleField(std::string_view name);

// A new empty row at `at` (the end when past it), named "Cn" with the lowest
// number n no row uses yet. Returns its index.
std::size_t insertRow(ScheduleGrid& g, std::size_t at);
// Removes the rows of the indices (any order, duplicates and indices past the end ignored).
void deleteRows(ScheduleGrid& g, std::vector<std::size_t> rows);
// Copies the rows of the indices, in their order, after the last of them;
// a copy is named after its row with the next free " (n)". Returns the first copy's index.
std::size_t copyRows(ScheduleGrid& g, std::vector<std::size_t> rows);

enum class AddColumn { added, unknownField, alreadyThere };
// Adds a field column at the end (blanks around the name do not count); every row gets an empty cell.
AddColumn addColumn(ScheduleGrid& g, std::string_view field);
// Removes a field column; false when there is none of that name.
bool removeColumn(ScheduleGrid& g, std::string_view field);

// Tab-separated text as spreadsheets put it on the clipboard: lines by LF or
// CR LF, cells by tabs, a cell in double quotes may hold tabs, line breaks
// and doubled quotes. A last empty line does not count.
std::vector<std::vector<std::string>> splitClipboardText(std::string_view text);
// The rows as tab-separated text for the clipboard, name first (with a header line).
std::string clipboardText(const ScheduleGrid& g, const std::vector<std::size_t>& rows);

struct PasteResult {
    std::size_t rowsAdded = 0;        // new rows at the end
    std::size_t cellsSet = 0;
    std::size_t cellsDropped = 0;     // cells right of the last column
    std::vector<std::string> newColumns;   // field columns a header line added
};
// Pastes the block with its first cell at (row, column); column 0 is the
// name, 1.. the field columns. A first line whose cells are "name" or field
// names (a header copied with the table) places the block by those names
// instead, adding the field columns the grid lacks, and starts at column 0.
// Rows past the end are added.
PasteResult pasteBlock(ScheduleGrid& g, std::string_view text, std::size_t row, std::size_t column);

} // namespace qeln
