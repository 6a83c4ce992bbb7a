#include "schedulegrid.h"

#include <algorithm>
#include <set>

namespace qeln {

namespace {

std::string trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(first, last - first + 1));
}

bool taken(const ScheduleGrid& g, const std::string& name)
{
    return std::any_of(g.rows.begin(), g.rows.end(), [&](const ScheduleGridRow& r) { return r.name == name; });
}

std::vector<std::size_t> sortedUnique(std::vector<std::size_t> rows, std::size_t size)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [size](std::size_t r) { return r >= size; }), rows.end());
    return rows;
}

bool isNameHeading(const std::string& s)
{
    std::string t = trimmed(s);
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return t == "name";
}

std::string quotedForClipboard(const std::string& s)
{
    if (s.find_first_of("\t\n\r\"") == std::string::npos)
        return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::string ScheduleGrid::cell(std::size_t row, std::string_view field) const
{
    const std::size_t c = column(field);
    if (row >= rows.size() || c >= fields.size() || c >= rows[row].cells.size())
        return {};
    return rows[row].cells[c];
}

std::size_t ScheduleGrid::column(std::string_view field) const
{
    return static_cast<std::size_t>(std::find(fields.begin(), fields.end(), field) - fields.begin());
}

const std::vector<std::string>& scheduleFieldNames()
{
    static const std::vector<std::string> names{
        "profileName", "d",     "n1",         "n2",          "uc1",       "uf1",         "fy",
        "fck",         "fsk",   "autoReduce", "lWeakCold",   "lStrongCold", "lWeakFire", "lStrongFire",
        "e1",          "e2",    "pcp",        "nEd",         "nFiEd",     "fireClass",   "gammaA",
        "gammaC",      "gammaS", "gammaAfi",  "gammaCfi",    "gammaSfi",  "positionNumber", "positionName",
        "comment"};
    return names;
}

bool isScheduleField(std::string_view name)
{
    const auto& n = scheduleFieldNames();
    return std::find(n.begin(), n.end(), name) != n.end();
}

std::size_t insertRow(ScheduleGrid& g, std::size_t at)
{
    at = std::min(at, g.rows.size());
    int n = 1;
    while (taken(g, "C" + std::to_string(n)))
        ++n;
    ScheduleGridRow r;
    r.name = "C" + std::to_string(n);
    r.cells.assign(g.fields.size(), std::string());
    g.rows.insert(g.rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(r));
    return at;
}

void deleteRows(ScheduleGrid& g, std::vector<std::size_t> rows)
{
    rows = sortedUnique(std::move(rows), g.rows.size());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        g.rows.erase(g.rows.begin() + static_cast<std::ptrdiff_t>(*it));
}

std::size_t copyRows(ScheduleGrid& g, std::vector<std::size_t> rows)
{
    rows = sortedUnique(std::move(rows), g.rows.size());
    if (rows.empty())
        return g.rows.size();
    std::vector<ScheduleGridRow> copies;
    for (std::size_t r : rows) {
        ScheduleGridRow c = g.rows[r];
        int n = 2;
        while (taken(g, c.name + " (" + std::to_string(n) + ")") ||
               std::any_of(copies.begin(), copies.end(), [&](const ScheduleGridRow& k) {
                   return k.name == c.name + " (" + std::to_string(n) + ")";
               }))
            ++n;
        c.name += " (" + std::to_string(n) + ")";
        copies.push_back(std::move(c));
    }
    const std::size_t at = rows.back() + 1;
    g.rows.insert(g.rows.begin() + static_cast<std::ptrdiff_t>(at), copies.begin(), copies.end());
    return at;
}

AddColumn addColumn(ScheduleGrid& g, std::string_view field)
{
    const std::string f = trimmed(field);
    if (!isScheduleField(f))
        return AddColumn::unknownField;
    if (g.column(f) < g.fields.size())
        return AddColumn::alreadyThere;
    g.fields.push_back(f);
    for (ScheduleGridRow& r : g.rows)
        r.cells.resize(g.fields.size());
    return AddColumn::added;
}

bool removeColumn(ScheduleGrid& g, std::string_view field)
{
    const std::size_t c = g.column(field);
    if (c >= g.fields.size())
        return false;
    g.fields.erase(g.fields.begin() + static_cast<std::ptrdiff_t>(c));
    for (ScheduleGridRow& r : g.rows)
        if (c < r.cells.size())
            r.cells.erase(r.cells.begin() + static_cast<std::ptrdiff_t>(c));
    return true;
}

std::vector<std::vector<std::string>> splitClipboardText(std::string_view text)
{
    std::vector<std::vector<std::string>> out;
    std::vector<std::string> line;
    std::string cell;
    bool quoted = false, cellStarted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    cell += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell += c;
            }
            continue;
        }
        if (c == '"' && !cellStarted) {
            quoted = true;
            cellStarted = true;
        } else if (c == '\t') {
            line.push_back(std::move(cell));
            cell.clear();
            cellStarted = false;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            line.push_back(std::move(cell));
            out.push_back(std::move(line));
            line.clear();
            cell.clear();
            cellStarted = false;
        } else {
            cell += c;
            cellStarted = true;
        }
    }
    if (cellStarted || !line.empty() || !cell.empty()) {
        line.push_back(std::move(cell));
        out.push_back(std::move(line));
    }
    return out;
}

std::string clipboardText(const ScheduleGrid& g, const std::vector<std::size_t>& rows)
{
    std::string out = "name";
    for (const std::string& f : g.fields)
        out += "\t" + f;
    out += "\n";
    for (std::size_t r : sortedUnique(rows, g.rows.size())) {
        out += quotedForClipboard(g.rows[r].name);
        for (std::size_t c = 0; c < g.fields.size(); ++c)
            out += "\t" + quotedForClipboard(c < g.rows[r].cells.size() ? g.rows[r].cells[c] : std::string());
        out += "\n";
    }
    return out;
}

PasteResult pasteBlock(ScheduleGrid& g, std::string_view text, std::size_t row, std::size_t column)
{
    PasteResult res;
    std::vector<std::vector<std::string>> block = splitClipboardText(text);
    if (block.empty())
        return res;

    // target column of each cell of a line: 0 the name, 1.. the fields; npos dropped
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::vector<std::size_t> target;
    const std::vector<std::string>& first = block.front();
    const bool header =
        std::all_of(first.begin(), first.end(),
                    [](const std::string& s) { return isNameHeading(s) || isScheduleField(trimmed(s)); }) &&
        std::any_of(first.begin(), first.end(), [](const std::string& s) { return !trimmed(s).empty(); });
    if (header) {
        for (const std::string& h : first) {
            const std::string f = trimmed(h);
            if (isNameHeading(f)) {
                target.push_back(0);
                continue;
            }
            if (addColumn(g, f) == AddColumn::added)
                res.newColumns.push_back(f);
            target.push_back(g.column(f) + 1);
        }
        block.erase(block.begin());
    }

    for (std::size_t i = 0; i < block.size(); ++i) {
        const std::size_t r = row + i;
        while (g.rows.size() <= r) {
            insertRow(g, g.rows.size());
            ++res.rowsAdded;
        }
        ScheduleGridRow& dest = g.rows[r];
        dest.cells.resize(g.fields.size());
        for (std::size_t k = 0; k < block[i].size(); ++k) {
            const std::size_t c = header ? (k < target.size() ? target[k] : none) : column + k;
            if (c == none || c > g.fields.size()) {
                if (!trimmed(block[i][k]).empty())
                    ++res.cellsDropped;
                continue;
            }
            if (c == 0)
                dest.name = trimmed(block[i][k]);
            else
                dest.cells[c - 1] = trimmed(block[i][k]);
            ++res.cellsSet;
        }
    }
    return res;
}

} // namespace qeln
