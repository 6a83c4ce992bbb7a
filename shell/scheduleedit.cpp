#include "scheduleedit.h"

#include "projectfields.h"

#include "calc/section.h"
#include "present/checktext.h"
#include "present/format.h"
#include "present/texts.h"

#include <algorithm>
#include <map>
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

bool taken(const Schedule& g, const std::string& name)
{
    return std::any_of(g.rows.begin(), g.rows.end(), [&](const ScheduleRow& r) { return r.name == name; });
}

std::vector<std::size_t> sortedUnique(std::vector<std::size_t> rows, std::size_t size)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [size](std::size_t r) { return r >= size; }), rows.end());
    return rows;
}

std::string lowered(const std::string& s)
{
    std::string t = trimmed(s);
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return t;
}


// The search flag as a spreadsheet cell gives it; an empty cell or anything else is no search.
bool searchFlag(const std::string& s)
{
    const std::string t = lowered(s);
    return t == "1" || t == "yes" || t == "true" || t == "x";
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

std::size_t columnOf(const Schedule& g, std::string_view field)
{
    const int c = g.columnIndex(field);
    return c < 0 ? g.columns.size() : static_cast<std::size_t>(c);
}

const std::vector<std::string>& scheduleFieldNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const ProjectField& f : projectFields())
            if (f.mark != kFieldCreatedOn && f.mark != kFieldLastUpdated && f.mark != kFieldApproval)
                n.emplace_back(f.name);
        return n;
    }();
    return names;
}

bool isScheduleField(std::string_view name)
{
    const auto& n = scheduleFieldNames();
    return std::find(n.begin(), n.end(), name) != n.end();
}

namespace {

// The catalogue text of each column's heading: 1500 on in the order of the
// fields, the member's fields (length on) 1710 on, the aggregate size 1942;
// the name and the search flag are the window's own columns.
int headingText(std::string_view field)
{
    static const std::map<std::string, int, std::less<>> ids = [] {
        std::map<std::string, int, std::less<>> m{{"name", 1373}, {"search", 1374}};
        int id = 1500;
        for (const std::string& f : scheduleFieldNames()) {
            if (f == "length")
                id = 1710;
            if (f == "dg")
                id = 1942;
            m.emplace(f, id++);
        }
        return m;
    }();
    const auto it = ids.find(field);
    return it == ids.end() ? 0 : it->second;
}

// Lower case, blanks around and line breaks inside made single blanks.
std::string comparable(std::string_view s)
{
    std::string t;
    for (char c : s)
        t += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
    t = lowered(t);
    std::string out;
    for (char c : t)
        if (!(c == ' ' && !out.empty() && out.back() == ' '))
            out += c;
    return out;
}

} // namespace

std::string scheduleFieldHeading(std::string_view field, Language language)
{
    const int id = headingText(field);
    return id == 0 ? std::string(field) : LoadText(id, language, nullptr);
}

std::string fieldOfHeading(std::string_view heading)
{
    static const std::map<std::string, std::string> byHeading = [] {
        std::map<std::string, std::string> m;
        std::vector<std::string> names = scheduleFieldNames();
        names.insert(names.begin(), {"name", "search"});
        for (const std::string& f : names) {
            m.emplace(comparable(f), f);
            for (Language l : kLanguages)
                m.emplace(comparable(scheduleFieldHeading(f, l)), f);
        }
        return m;
    }();
    const auto it = byHeading.find(comparable(heading));
    return it == byHeading.end() ? std::string() : it->second;
}

bool isResultHeading(std::string_view heading)
{
    const std::string h = comparable(heading);
    for (int id : kScheduleResultHeadingTexts)
        for (Language l : kLanguages)
            if (comparable(LoadText(id, l, nullptr)) == h)
                return true;
    return false;
}

std::optional<FieldRange> scheduleFieldRange(std::string_view field)
{
    static const std::map<std::string, FieldRange, std::less<>> ranges = {
        {"d", {1, 100}},         {"n1", {4, 16}},          {"n2", {0, 4}},          {"uc1", {40, 200}},
        {"uf1", {40, 200}},      {"fy", {0, 1000}},        {"fck", {0, 1000}},      {"fsk", {0, 1000}},
        {"gammaA", {1, 5}},      {"gammaC", {1, 5}},       {"gammaS", {1, 5}},      {"gammaAfi", {1, 5}},
        {"gammaCfi", {1, 5}},    {"gammaSfi", {1, 5}},     {"lWeakCold", {0, 20}},  {"lStrongCold", {0, 20}},
        {"lWeakFire", {0, 20}},  {"lStrongFire", {0, 20}}, {"e1", {-1000, 1000}},   {"e2", {-1000, 1000}},
        {"pcp", {0, 100}},       {"nEd", {0, kMaxDesignLoad}}, {"nFiEd", {0, kMaxDesignLoad}},
        {"phiT", {0, 6}},        {"rWeak", {-1, 1}},       {"rStrong", {-1, 1}},
        {"length", {0, 100}},    {"myTop", {-kMaxDesignMoment, kMaxDesignMoment}},
        {"myBottom", {-kMaxDesignMoment, kMaxDesignMoment}}, {"mzTop", {-kMaxDesignMoment, kMaxDesignMoment}},
        {"mzBottom", {-kMaxDesignMoment, kMaxDesignMoment}}, {"myFiTop", {-kMaxDesignMoment, kMaxDesignMoment}},
        {"myFiBottom", {-kMaxDesignMoment, kMaxDesignMoment}}, {"mzFiTop", {-kMaxDesignMoment, kMaxDesignMoment}},
        {"mzFiBottom", {-kMaxDesignMoment, kMaxDesignMoment}},
        {"dg", {kMinAggregateSize, kMaxAggregateSize}},
    };
    const auto it = ranges.find(field);
    if (it == ranges.end())
        return std::nullopt;
    return it->second;
}

std::string normalisedCell(std::string_view field, std::string_view text, std::string* problem)
{
    const std::string t = trimmed(text);
    if (problem)
        problem->clear();
    const ProjectField* f = findProjectField(field);
    if (t.empty() || !f || field == "profileName")
        return t;
    ColumnInput scratch;
    // The grid's numbers have a decimal point; a decimal comma is taken too,
    // unless the number could be read both ways ("2,600": 2.6 or 2600): that
    // one stays as typed, with the reason.
    std::optional<Failure> refused;
    std::string kept;
    if (t.find(',') == std::string::npos || !std::holds_alternative<double ColumnInput::*>(f->member)) {
        refused = setProjectField(*f, t, false, scratch);
        kept = t;
    } else if (const Result<bool> mark = decimalCommaOf(t); !mark) {
        refused = mark.failure();
    } else {
        refused = setProjectField(*f, t, true, scratch);
        kept = projectFieldText(*f, scratch, false);
    }
    if (refused) {
        if (problem)
            *problem = refused->detail;
        return t;
    }
    // a number the dialogs would refuse is kept, and said
    if (const auto range = scheduleFieldRange(field)) {
        const std::string shown = projectFieldText(*f, scratch, false);
        const double v = parsePlainNumber(shown).value_or(range->min);
        if (v < range->min || v > range->max) {
            if (problem)
                *problem = shown + " is outside " + formatGeneral(range->min, 15) + " to " + formatGeneral(range->max, 15);
        }
    }
    return kept;
}

std::size_t insertRow(Schedule& g, std::size_t at)
{
    at = std::min(at, g.rows.size());
    // Names built by appending: a literal put in front of a temporary string
    // makes GCC 12 at -O3 warn of overlapping copies (-Wrestrict).
    auto nameOf = [](int n) { return std::string(1, 'C').append(std::to_string(n)); };
    int n = 1;
    while (taken(g, nameOf(n)))
        ++n;
    ScheduleRow r;
    r.name = nameOf(n);
    r.cells.assign(g.columns.size(), std::string());
    g.rows.insert(g.rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(r));
    return at;
}

void deleteRows(Schedule& g, std::vector<std::size_t> rows)
{
    rows = sortedUnique(std::move(rows), g.rows.size());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        g.rows.erase(g.rows.begin() + static_cast<std::ptrdiff_t>(*it));
}

std::size_t copyRows(Schedule& g, std::vector<std::size_t> rows)
{
    rows = sortedUnique(std::move(rows), g.rows.size());
    if (rows.empty() || g.rows.size() + rows.size() > kMaxScheduleRows)
        return g.rows.size();
    std::vector<ScheduleRow> copies;
    for (std::size_t r : rows) {
        ScheduleRow c = g.rows[r];
        int n = 2;
        while (taken(g, c.name + " (" + std::to_string(n) + ")") ||
               std::any_of(copies.begin(), copies.end(), [&](const ScheduleRow& k) {
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

AddColumn addColumn(Schedule& g, std::string_view field)
{
    const std::string f = trimmed(field);
    if (!isScheduleField(f))
        return AddColumn::unknownField;
    if (columnOf(g, f) < g.columns.size())
        return AddColumn::alreadyThere;
    g.columns.push_back(f);
    for (ScheduleRow& r : g.rows)
        r.cells.resize(g.columns.size());
    return AddColumn::added;
}

bool removeColumn(Schedule& g, std::string_view field)
{
    const std::size_t c = columnOf(g, field);
    if (c >= g.columns.size())
        return false;
    g.columns.erase(g.columns.begin() + static_cast<std::ptrdiff_t>(c));
    for (ScheduleRow& r : g.rows)
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

std::string tabSeparatedText(const std::vector<std::vector<std::string>>& lines)
{
    std::string out;
    for (const auto& line : lines) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            if (c > 0)
                out += '\t';
            out += quotedForClipboard(line[c]);
        }
        out += '\n';
    }
    return out;
}

std::string clipboardText(const Schedule& g, const std::vector<std::size_t>& rows)
{
    std::string out = "name\tsearch";
    for (const std::string& f : g.columns)
        out.append("\t").append(f);
    out += "\n";
    for (std::size_t r : sortedUnique(rows, g.rows.size())) {
        out.append(quotedForClipboard(g.rows[r].name)).append(g.rows[r].search ? "\t1" : "\t");
        for (std::size_t c = 0; c < g.columns.size(); ++c)
            out.append("\t").append(quotedForClipboard(c < g.rows[r].cells.size() ? g.rows[r].cells[c] : std::string()));
        out += "\n";
    }
    return out;
}

PasteResult pasteBlock(Schedule& schedule, std::string_view text, std::size_t row, std::size_t column)
{
    PasteResult res;
    std::vector<std::vector<std::string>> block = splitClipboardText(text);
    if (block.empty())
        return res;
    // The block goes into a copy that replaces the schedule only when every
    // cell could be taken.
    Schedule g = schedule;

    // target column of each cell of a line: 0 the name, 1.. the fields; npos dropped
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    constexpr std::size_t flag = static_cast<std::size_t>(-2);   // the search flag
    std::vector<std::size_t> target;
    const std::vector<std::string>& first = block.front();
    const bool header =
        std::all_of(first.begin(), first.end(),
                    [](const std::string& s) {
                        return trimmed(s).empty() || !fieldOfHeading(s).empty() || isResultHeading(s);
                    }) &&
        std::any_of(first.begin(), first.end(), [](const std::string& s) { return !fieldOfHeading(s).empty(); });
    if (header) {
        for (const std::string& h : first) {
            const std::string f = fieldOfHeading(h);
            if (f.empty()) {   // a result column, or an empty heading
                target.push_back(none);
                continue;
            }
            if (f == "name") {
                target.push_back(0);
                continue;
            }
            if (f == "search") {
                target.push_back(flag);
                continue;
            }
            if (addColumn(g, f) == AddColumn::added)
                res.newColumns.push_back(f);
            target.push_back(columnOf(g, f) + 1);
        }
        block.erase(block.begin());
    }

    if (row + block.size() > kMaxScheduleRows) {
        res.problem = "the schedule would have more than " + std::to_string(kMaxScheduleRows) + " rows";
        return res;
    }
    for (std::size_t i = 0; i < block.size(); ++i) {
        const std::size_t r = row + i;
        while (g.rows.size() <= r) {
            insertRow(g, g.rows.size());
            ++res.rowsAdded;
        }
        ScheduleRow& dest = g.rows[r];
        dest.cells.resize(g.columns.size());
        for (std::size_t k = 0; k < block[i].size(); ++k) {
            const std::size_t c = header ? (k < target.size() ? target[k] : none) : column + k;
            if (c == flag) {
                dest.search = searchFlag(block[i][k]);
                ++res.cellsSet;
                continue;
            }
            if (c == none || c > g.columns.size()) {
                if (!trimmed(block[i][k]).empty() && !(header && k < target.size()))
                    ++res.cellsDropped;
                continue;
            }
            if (c == 0) {
                dest.name = trimmed(block[i][k]);
            } else {
                // A spreadsheet puts numbers on the clipboard in its region's
                // form: "2.600" may be 2600 there. A number that reads
                // differently in the two conventions refuses the paste.
                const ProjectField* f = findProjectField(g.columns[c - 1]);
                if (f && std::holds_alternative<double ColumnInput::*>(f->member)) {
                    if (const Result<bool> mark = decimalCommaOf(block[i][k]); !mark) {
                        res = {};
                        res.problem = "line " + std::to_string(i + (header ? 2 : 1)) + ", field \"" +
                                      g.columns[c - 1] + "\": " + mark.failure().detail;
                        return res;
                    }
                }
                dest.cells[c - 1] = normalisedCell(g.columns[c - 1], block[i][k]);
            }
            ++res.cellsSet;
        }
    }
    schedule = std::move(g);
    return res;
}

} // namespace qeln
