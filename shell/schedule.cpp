// The column schedule (see schedule.h): the table, its CSV and project-file
// forms and the rows' inputs (the design of the rows: schedule_run.cpp).
#include "schedule.h"
#include "text.h"

#include "projectfields.h"

#include "calc/method.h"

#include "present/utf8.h"
#include "catalogue/codepage.h"

#include <csv.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

namespace qeln {

// ---------------------------------------------------------------- the table

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

namespace {

constexpr std::string_view kNameColumn = "name";
constexpr std::string_view kSearchColumn = "search";

bool isNumberField(const ProjectField& f) { return std::holds_alternative<double ColumnInput::*>(f.member); }
bool isTextField(const ProjectField& f) { return std::holds_alternative<std::string ColumnInput::*>(f.member); }

// A spreadsheet that opens a CSV file takes a cell beginning with one of
// these for a formula (and runs it).
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

// A text cell for a CSV file meant for spreadsheets: one that begins like a
// formula, or with the apostrophe itself, gets an apostrophe in front, so no
// spreadsheet runs it and the reader gives back exactly the text.
std::string spreadsheetText(std::string_view cell)
{
    if (!cell.empty() && (kFormulaStarts.find(cell.front()) != std::string_view::npos || cell.front() == '\''))
        return std::string(1, '\'').append(cell);
    return std::string(cell);
}

// The text of a cell that spreadsheetText wrote.
std::string fromSpreadsheetText(std::string_view cell)
{
    if (cell.size() >= 2 && cell.front() == '\'' &&
        (kFormulaStarts.find(cell[1]) != std::string_view::npos || cell[1] == '\''))
        cell.remove_prefix(1);
    return std::string(cell);
}

// ---- CSV records through libcsv

struct CsvRecord {
    int line = 0;                     // 1-based line where the record starts
    std::vector<std::string> cells;
};

struct CsvCollector {
    std::vector<CsvRecord> records;
    CsvRecord current;
    int line = 1;            // the line being fed
    bool inRecord = false;
    bool tooMany = false;

    static void field(void* s, std::size_t len, void* data)
    {
        auto* self = static_cast<CsvCollector*>(data);
        if (!self->inRecord) {
            self->inRecord = true;
            self->current.line = self->line;
        }
        self->current.cells.emplace_back(s ? static_cast<const char*>(s) : "", s ? len : 0);
    }
    static void record(int, void* data)
    {
        auto* self = static_cast<CsvCollector*>(data);
        if (!self->inRecord) {   // a record without fields ends at its first terminator
            self->current.line = self->line;
        }
        // a line of separators only under the header (",,,,"): the padding
        // spreadsheets write under a table, passed over before it counts
        const bool padding = !self->records.empty() &&
                             std::all_of(self->current.cells.begin(), self->current.cells.end(),
                                         [](const std::string& c) { return blankTrimmed(c).empty(); });
        if (!padding && self->records.size() > kMaxScheduleRows)
            self->tooMany = true;
        else if (!padding)
            self->records.push_back(std::move(self->current));
        self->current = CsvRecord{};
        self->inRecord = false;
    }
};

// Splits a text into records (quotes doubled inside quoted cells; blanks
// around unquoted cells dropped; empty lines passed over). False with the
// line and reason when a quote is left open or misplaced.
bool splitCsv(std::string_view text, char separator, std::vector<CsvRecord>& out, int& failLine, std::string& why)
{
    csv_parser p{};
    if (csv_init(&p, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        failLine = 0;
        why = "the CSV reader could not start";
        return false;
    }
    const std::unique_ptr<csv_parser, void (*)(csv_parser*)> guard(&p, csv_free);
    csv_set_delim(&p, static_cast<unsigned char>(separator));
    // A cell's buffer grows by this much at a time: large enough that a huge
    // cell takes few copies, no larger than the text needs.
    csv_set_blk_size(&p, std::clamp<std::size_t>(text.size(), 128, std::size_t{1} << 20));
    CsvCollector c;
    std::size_t at = 0;
    while (at < text.size()) {
        // one physical line at a time (LF, CR LF or a lone CR), so that a
        // record knows the line it starts on
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = text.size();
        else
            end += text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
        const std::string_view piece = text.substr(at, end - at);
        if (csv_parse(&p, piece.data(), piece.size(), CsvCollector::field, CsvCollector::record, &c) != piece.size()) {
            failLine = c.inRecord ? c.current.line : c.line;
            why = std::string(csv_strerror(csv_error(&p))) + " (a quote out of place?)";
            return false;
        }
        if (c.tooMany) {
            failLine = c.line;
            why = "the schedule has more than " + std::to_string(kMaxScheduleRows) + " rows";
            return false;
        }
        at = end;
        ++c.line;
    }
    if (csv_fini(&p, CsvCollector::field, CsvCollector::record, &c) != 0) {
        failLine = c.inRecord ? c.current.line : std::max(1, c.line - 1);
        why = "a quoted cell is not closed";
        return false;
    }
    out = std::move(c.records);
    return true;
}

// The separator the header line uses: a tab when there is one (a table
// pasted from a spreadsheet), else the first ';' or ',' outside quotes (a
// header of a single column counts as comma separated).
char detectSeparator(std::string_view text)
{
    const std::string_view header = text.substr(0, text.find_first_of("\r\n"));
    if (header.find('\t') != std::string_view::npos)
        return '\t';
    bool quotedPart = false;
    for (const char ch : text) {
        if (ch == '"')
            quotedPart = !quotedPart;
        else if (!quotedPart && (ch == ';' || ch == ','))
            return ch;
        else if (!quotedPart && (ch == '\n' || ch == '\r'))
            break;
    }
    return ',';
}

// Builds a schedule from its header and rows, checking every cell; numbers
// are kept with a decimal point. `decimalComma`: a number cell may have a
// decimal comma or a decimal point (a semicolon or tab separated file), and
// one that could be either, or has a thousands separator, is refused.
bool buildSchedule(const CsvRecord& header, const std::vector<CsvRecord>& rows, bool decimalComma, Schedule& out,
                   Failure& failure, bool skipEmptyLines = true, bool spreadsheetTexts = false)
{
    Schedule s;
    int nameAt = -1, searchAt = -1;
    std::vector<const ProjectField*> defs;
    std::vector<int> columnOf(header.cells.size(), -1);
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const std::string_view h = blankTrimmed(header.cells[i]);
        auto fail = [&](std::string detail) {
            failure = {header.line, -1, utf8Prefix(h, 40), std::move(detail)};
            return false;
        };
        if (h == kNameColumn || h == kSearchColumn) {
            int& at = h == kNameColumn ? nameAt : searchAt;
            if (at >= 0)
                return fail("the column is given twice");
            at = static_cast<int>(i);
            continue;
        }
        const ProjectField* f = findProjectField(h);
        if (!f) {
            failure = {header.line, -1, "",
                       quotedValue(h) + " is not a column of a schedule (name, search, " + projectFieldNames() + ")"};
            return false;
        }
        if (s.columnIndex(h) >= 0)
            return fail("the column is given twice");
        columnOf[i] = static_cast<int>(s.columns.size());
        s.columns.emplace_back(h);
        defs.push_back(f);
    }
    if (nameAt < 0) {
        failure = {header.line, -1, "", "the header has no column \"name\""};
        return false;
    }

    ColumnInput scratch;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const CsvRecord& rec = rows[r];
        // a line of separators only (",,,,"): the padding spreadsheets write under a table
        if (skipEmptyLines && std::all_of(rec.cells.begin(), rec.cells.end(), [](const std::string& c) { return blankTrimmed(c).empty(); }))
            continue;
        if (rec.cells.size() != header.cells.size()) {
            failure = {rec.line, static_cast<int>(s.rows.size()), "",
                       "the row has " + std::to_string(rec.cells.size()) + " cells, the header " +
                           std::to_string(header.cells.size())};
            return false;
        }
        ScheduleRow row;
        row.cells.resize(s.columns.size());
        for (std::size_t i = 0; i < rec.cells.size(); ++i) {
            const std::string& text = rec.cells[i];
            if (static_cast<int>(i) == nameAt) {
                row.name = spreadsheetTexts ? fromSpreadsheetText(text) : text;
                continue;
            }
            if (static_cast<int>(i) == searchAt) {
                const std::string_view t = blankTrimmed(text);
                if (t.empty() || t == "0" || t == "no" || t == "false")
                    row.search = false;
                else if (t == "1" || t == "yes" || t == "true")
                    row.search = true;
                else {
                    failure = {rec.line, static_cast<int>(s.rows.size()), std::string(kSearchColumn),
                               quotedValue(text) + " is not yes or no"};
                    return false;
                }
                continue;
            }
            const ProjectField& f = *defs[static_cast<std::size_t>(columnOf[i])];
            std::string cell(blankTrimmed(text));
            if (!cell.empty()) {
                bool comma = false;
                if (decimalComma && isNumberField(f)) {
                    const Result<bool> mark = decimalCommaOf(cell);
                    if (!mark) {
                        failure = {rec.line, static_cast<int>(s.rows.size()), f.name, mark.failure().detail};
                        return false;
                    }
                    comma = *mark;
                }
                if (const auto refused = setProjectField(f, cell, comma, scratch)) {
                    failure = {rec.line, static_cast<int>(s.rows.size()), f.name, refused->detail};
                    return false;
                }
                if (isNumberField(f) && comma)
                    std::replace(cell.begin(), cell.end(), ',', '.');
                if (isTextField(f))   // texts as they are, blanks and all
                    cell = spreadsheetTexts ? fromSpreadsheetText(text) : text;
            }
            row.cells[static_cast<std::size_t>(columnOf[i])] = std::move(cell);
        }
        s.rows.push_back(std::move(row));
    }
    out = std::move(s);
    return true;
}

// A cell for a CSV line: quoted when it holds the separator, a quote, a line
// break or blanks at its ends (which the reader would drop otherwise).
void appendCell(std::string& line, std::string_view cell, char separator)
{
    const bool quote = cell.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos ||
                       (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t' || cell.back() == ' ' ||
                                          cell.back() == '\t'));
    if (!quote) {
        line += cell;
        return;
    }
    line += '"';
    for (const char ch : cell) {
        if (ch == '"')
            line += '"';
        line += ch;
    }
    line += '"';
}

bool anySearch(const Schedule& s)
{
    return std::any_of(s.rows.begin(), s.rows.end(), [](const ScheduleRow& r) { return r.search; });
}

// The CSV lines of a schedule (header first), without line ends.
// `spreadsheet`: texts as spreadsheetText writes them.
std::vector<std::string> csvLines(const Schedule& s, char separator, bool decimalComma, bool spreadsheet)
{
    auto text = [spreadsheet](std::string_view t) { return spreadsheet ? spreadsheetText(t) : std::string(t); };
    std::vector<std::string> lines;
    const bool search = anySearch(s);
    std::vector<const ProjectField*> defs;
    for (const std::string& c : s.columns)
        defs.push_back(findProjectField(c));
    std::string line;
    appendCell(line, kNameColumn, separator);
    if (search) {
        line += separator;
        appendCell(line, kSearchColumn, separator);
    }
    for (const std::string& c : s.columns) {
        line += separator;
        appendCell(line, c, separator);
    }
    lines.push_back(std::move(line));
    for (const ScheduleRow& r : s.rows) {
        line.clear();
        appendCell(line, text(r.name), separator);
        if (search) {
            line += separator;
            line += r.search ? "yes" : "";
        }
        for (std::size_t i = 0; i < s.columns.size(); ++i) {
            line += separator;
            std::string cell = i < r.cells.size() ? r.cells[i] : std::string();
            if (decimalComma && defs[i] && isNumberField(*defs[i]))
                std::replace(cell.begin(), cell.end(), '.', ',');
            if (!defs[i] || isTextField(*defs[i]))
                cell = text(cell);
            appendCell(line, cell, separator);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace

bool readScheduleCsv(std::string_view bytes, Schedule& out, Failure& failure)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::string decoded;
    if (!isValidUtf8(bytes)) {
        // UTF-8 characters and a byte that is none: neither reading is
        // right for every text, so the file is refused, not re-read
        std::size_t firstBad = std::string_view::npos;
        bool utf8Seen = false;
        for (std::size_t i = 0; i < bytes.size();) {
            char32_t cp = 0;
            const std::size_t n = nextCodePoint(bytes, i, cp);
            if (n == 0 && firstBad == std::string_view::npos)
                firstBad = i;
            utf8Seen = utf8Seen || n > 1;
            i += n == 0 ? 1 : n;
        }
        if (utf8Seen) {
            int line = 1;
            for (std::size_t i = 0; i < firstBad; ++i)
                if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
                    ++line;
            failure = {line, -1, "",
                       "a byte that is not UTF-8 in a file with UTF-8 characters: save the file as UTF-8"};
            return false;
        }
        decoded = decodeToUtf8(bytes, CodePage::windows1252);
        bytes = decoded;
    }
    const char separator = detectSeparator(bytes);
    std::vector<CsvRecord> records;
    int line = 0;
    std::string why;
    if (!splitCsv(bytes, separator, records, line, why)) {
        failure = {line, -1, "", why};
        return false;
    }
    if (records.empty()) {
        failure = {1, -1, "", "the file has no header line (name and the columns' field names)"};
        return false;
    }
    const CsvRecord header = std::move(records.front());
    records.erase(records.begin());
    return buildSchedule(header, records, separator != ',', out, failure, true, true);
}

std::vector<std::string> scheduleCsvLines(const Schedule& s, CsvDialect dialect)
{
    const bool comma = dialect == CsvDialect::semicolonComma;
    return csvLines(s, comma ? ';' : ',', comma, true);
}

void appendCsvCell(std::string& line, std::string_view cell, CsvDialect dialect, bool text)
{
    const char separator = dialect == CsvDialect::semicolonComma ? ';' : ',';
    line += separator;
    appendCell(line, text ? spreadsheetText(cell) : std::string(cell), separator);
}

std::string scheduleCsv(const Schedule& s, CsvDialect dialect)
{
    std::string out;
    for (const std::string& l : scheduleCsvLines(s, dialect)) {
        out += l;
        out += "\r\n";
    }
    return out;
}

bool validateSchedule(const Schedule& s, Failure& failure)
{
    CsvRecord header;
    header.cells.emplace_back(kNameColumn);
    header.cells.emplace_back(kSearchColumn);
    for (const std::string& c : s.columns)
        header.cells.push_back(c);
    std::vector<CsvRecord> rows;
    for (const ScheduleRow& r : s.rows) {
        CsvRecord rec;
        rec.cells.push_back(r.name);
        rec.cells.emplace_back(r.search ? "yes" : "");
        for (std::size_t i = 0; i < s.columns.size(); ++i)
            rec.cells.push_back(i < r.cells.size() ? r.cells[i] : std::string());
        rows.push_back(std::move(rec));
    }
    Schedule checked;
    return buildSchedule(header, rows, false, checked, failure, false);
}

// ---------------------------------------------------------------- rows

ProfileIndex::ProfileIndex(std::vector<SearchProfile> profiles) : profiles_(std::move(profiles))
{
    for (std::size_t i = 0; i < profiles_.size(); ++i)
        // the first of equal names, as the catalogue's search finds it
        byName_.emplace(profiles_[i].profile.profileName, i);
}

const SteelProfile* ProfileIndex::find(std::string_view name) const
{
    const auto it = byName_.find(std::string(blankTrimmed(name)));
    return it == byName_.end() ? nullptr : &profiles_[it->second].profile;
}

bool rowInput(const ColumnInput& base, const Schedule& s, std::size_t row, const ProfileIndex& profiles,
              ColumnInput& out, Failure& failure)
{
    if (row >= s.rows.size()) {
        failure = {0, static_cast<int>(row), "", "there is no such row"};
        return false;
    }
    const ScheduleRow& r = s.rows[row];
    ColumnInput in = base;
    auto fail = [&](const char* field, std::string detail) {
        failure = {0, static_cast<int>(row), field, std::move(detail)};
        return false;
    };
    // the profile first: the section values the row gives lie over its section
    const int profileAt = s.columnIndex("profileName");
    if (profileAt >= 0 && static_cast<std::size_t>(profileAt) < r.cells.size() &&
        !blankTrimmed(r.cells[static_cast<std::size_t>(profileAt)]).empty()) {
        const std::string_view name = blankTrimmed(r.cells[static_cast<std::size_t>(profileAt)]);
        bool sectionGiven = true;
        for (const char* f : {"h", "b", "tw", "tf", "r"})
            sectionGiven = sectionGiven && !blankTrimmed(s.cell(row, f)).empty();
        const SteelProfile* p = profiles.find(name);
        if (!p && !sectionGiven)
            return fail("profileName", quotedValue(name) + " is not in the profile catalogue");
        in.profileName = cutText(std::string(name), kShortTextMax);
        if (p)
            setSection(in, sectionOf(*p));
    }
    // then the code: a row under another code than the base takes that
    // code's recommended partial factors, unless its own cells give them
    const int codeAt = s.columnIndex("code");
    if (codeAt >= 0 && static_cast<std::size_t>(codeAt) < r.cells.size() &&
        !blankTrimmed(r.cells[static_cast<std::size_t>(codeAt)]).empty()) {
        ColumnInput coded = in;
        if (const auto refused =
                setProjectField(*findProjectField("code"), r.cells[static_cast<std::size_t>(codeAt)], false, coded))
            return fail("code", refused->detail);
        useDesignCode(in, coded.code);
    }
    for (std::size_t i = 0; i < s.columns.size() && i < r.cells.size(); ++i) {
        if (static_cast<int>(i) == profileAt || static_cast<int>(i) == codeAt || blankTrimmed(r.cells[i]).empty())
            continue;
        const ProjectField* f = findProjectField(s.columns[i]);
        if (!f)
            return fail("", quotedValue(s.columns[i]) + " is not a field of a project");
        if (const auto refused = setProjectField(*f, r.cells[i], false, in))
            return fail(f->name, refused->detail);
    }
    out = std::move(in);
    return true;
}

// ---------------------------------------------------------------- results

Schedule withChosenSections(const Schedule& s, const ScheduleOutcome& o)
{
    Schedule out = s;
    bool any = false;
    for (const ScheduleRowResult& r : o.rows)
        any = any || r.searchFound;
    if (!any)
        return out;
    for (const char* f : {"profileName", "d", "n1", "n2"}) {
        if (out.columnIndex(f) < 0) {
            out.columns.emplace_back(f);
            for (ScheduleRow& row : out.rows)
                row.cells.emplace_back();
        }
    }
    const ProjectField* dField = findProjectField("d");
    for (std::size_t i = 0; i < o.rows.size() && i < out.rows.size(); ++i) {
        const ScheduleRowResult& r = o.rows[i];
        if (!r.searchFound)
            continue;
        ScheduleRow& row = out.rows[i];
        row.cells.resize(out.columns.size());
        auto set = [&](const char* f, std::string v) {
            row.cells[static_cast<std::size_t>(out.columnIndex(f))] = std::move(v);
        };
        set("profileName", r.profileName);
        set("d", projectFieldText(*dField, r.input, false));
        set("n1", std::to_string(r.n1));
        set("n2", std::to_string(r.n2));
        // the catalogue's section replaces section values of the row
        for (const char* f : {"h", "b", "tw", "tf", "r", "movrixAvailable"})
            if (out.columnIndex(f) >= 0)
                set(f, "");
    }
    return out;
}

// ---------------------------------------------------------------- project file

namespace {

constexpr std::string_view kColumnsKey = "columns=";
constexpr std::string_view kRowKey = "row=";
constexpr std::string_view kFamiliesKey = "families=", kMaxHKey = "maxH=", kMaxBKey = "maxB=",
                           kDiametersKey = "diameters=", kLayoutsKey = "layouts=";

// A largest h or b as the block writes it: the shortest text that reads back the same.
std::string limitText(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// One search-limit line of the block (the key already recognised). False
// with the reason when its value is not one.
bool readLimitLine(std::string_view key, std::string_view value, SearchConstraints& c, std::string& why)
{
    if (key == kFamiliesKey) {
        std::vector<std::string> families;
        std::string bad;
        if (!parseFamilyList(value, families, &bad)) {
            why = "families= takes IPE, HE A, HE AA, HE B, HE M, HL, HD, HP, W, not " + quotedValue(bad);
            return false;
        }
        c.families = std::move(families);
        return true;
    }
    if (key == kMaxHKey || key == kMaxBKey) {
        const std::string_view t = blankTrimmed(value);
        double v = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v) || v <= 0) {
            why = std::string(key.substr(0, key.size() - 1)) + "= takes a length in mm above 0, not " + quotedValue(t);
            return false;
        }
        (key == kMaxHKey ? c.maxH : c.maxB) = v;
        return true;
    }
    if (key == kDiametersKey) {
        if (!parseDiameterList(value, c.diameters)) {
            why = "diameters= takes up to 100 diameters in mm above 0 and at most 100, such as 16, 20, 25";
            return false;
        }
        return true;
    }
    if (!parseLayoutList(value, c.layouts)) {
        why = "layouts= takes up to 100 layouts n1+n2 such as 4+0, 8+4";
        return false;
    }
    return true;
}

// ASCII for the block: characters outside printable ASCII as \u{hex}, the
// backslash doubled.
std::string escaped(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        std::size_t n = nextCodePoint(utf8, i, cp);
        if (n == 0) {   // not UTF-8: the byte as a Windows-1252 character
            cp = static_cast<unsigned char>(utf8[i]);
            n = 1;
        }
        if (cp == '\\') {
            out += "\\\\";
        } else if (cp >= 0x20 && cp < 0x7F) {
            out += static_cast<char>(cp);
        } else {
            char buf[16];
            std::snprintf(buf, sizeof buf, "\\u{%X}", static_cast<unsigned>(cp));
            out += buf;
        }
        i += n;
    }
    return out;
}

bool unescaped(std::string_view s, std::string& out, std::string& why)
{
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            if (static_cast<unsigned char>(s[i]) >= 0x80) {
                why = "a character outside ASCII (written as \\u{hex} in the block)";
                return false;
            }
            out += s[i];
            continue;
        }
        if (i + 1 < s.size() && s[i + 1] == '\\') {
            out += '\\';
            ++i;
            continue;
        }
        const std::size_t close = s.find('}', i);
        unsigned value = 0;
        if (s.substr(i, 3) != "\\u{" || close == std::string_view::npos || close == i + 3 || close > i + 9) {
            why = "a backslash that is not \\\\ or \\u{hex}";
            return false;
        }
        for (std::size_t k = i + 3; k < close; ++k) {
            const char ch = s[k];
            const int digit = ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                              : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10 : -1;
            if (digit < 0) {
                why = "a backslash that is not \\\\ or \\u{hex}";
                return false;
            }
            value = value * 16 + static_cast<unsigned>(digit);
        }
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            why = "\\u{...} is not a character";
            return false;
        }
        appendUtf8(out, static_cast<char32_t>(value));
        i = close;
    }
    return true;
}

} // namespace

std::string ScheduleBlockContent(const Schedule& s)
{
    const SearchConstraints& c = s.constraints;
    const SearchConstraints defaults;
    if (s.rows.empty() && c == defaults)
        return "";
    std::string out = "[schedule]\r\n";
    if (c.families != defaults.families) {
        std::string list;
        for (const std::string& f : c.families)
            list += (list.empty() ? "" : ", ") + f;
        out += std::string(kFamiliesKey) + escaped(list) + "\r\n";
    }
    if (c.maxH)
        out += std::string(kMaxHKey) + limitText(*c.maxH) + "\r\n";
    if (c.maxB)
        out += std::string(kMaxBKey) + limitText(*c.maxB) + "\r\n";
    if (c.diameters != defaults.diameters)
        out += std::string(kDiametersKey) + diameterListText(c.diameters) + "\r\n";
    if (c.layouts != defaults.layouts)
        out += std::string(kLayoutsKey) + layoutListText(c.layouts) + "\r\n";
    const std::vector<std::string> lines = csvLines(s, ',', false, false);   // exact: no spreadsheet reads it
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += i == 0 ? kColumnsKey : kRowKey;
        out += escaped(lines[i]);
        out += "\r\n";
    }
    return out;
}

bool ParseScheduleBlock(const std::vector<std::string_view>& lines, int firstLine, Schedule& out,
                        Failure& failure)
{
    CsvRecord header;
    bool haveHeader = false;
    std::vector<CsvRecord> rows;
    std::string text, why;
    constexpr std::string_view limitKeys[] = {kFamiliesKey, kMaxHKey, kMaxBKey, kDiametersKey, kLayoutsKey};
    bool seenLimit[std::size(limitKeys)] = {};
    SearchConstraints limits;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = firstLine + static_cast<int>(i);
        const std::string_view l = blankTrimmed(lines[i]);
        if (l.empty())
            continue;
        const bool isHeader = l.starts_with(kColumnsKey);
        const auto limitKey = std::find_if(std::begin(limitKeys), std::end(limitKeys),
                                           [&](std::string_view k) { return l.starts_with(k); });
        if (limitKey != std::end(limitKeys)) {
            const auto index = static_cast<std::size_t>(limitKey - std::begin(limitKeys));
            const std::string key(limitKey->substr(0, limitKey->size() - 1));
            if (haveHeader) {
                failure = {line, -1, "", "the " + key + "= line comes after the columns= line"};
                return false;
            }
            if (seenLimit[index]) {
                failure = {line, -1, "", "the " + key + "= line is given twice"};
                return false;
            }
            seenLimit[index] = true;
            if (!unescaped(l.substr(limitKey->size()), text, why) || !readLimitLine(*limitKey, text, limits, why)) {
                failure = {line, -1, "", why};
                return false;
            }
            continue;
        }
        if (!isHeader && !l.starts_with(kRowKey)) {
            failure = {line, -1, "", quotedValue(l) + " is not a columns= or row= line"};
            return false;
        }
        if (isHeader == haveHeader) {
            failure = {line, -1, "",
                       isHeader ? "the columns= line is given twice" : "a row= line before the columns= line"};
            return false;
        }
        if (!unescaped(l.substr(isHeader ? kColumnsKey.size() : kRowKey.size()), text, why)) {
            failure = {line, -1, "", why};
            return false;
        }
        std::vector<CsvRecord> recs;
        int at = 0;
        if (!splitCsv(text, ',', recs, at, why)) {
            failure = {line, -1, "", why};
            return false;
        }
        CsvRecord rec;
        rec.line = line;
        if (recs.size() > 1) {
            failure = {line, -1, "", "the line holds more than one row"};
            return false;
        }
        if (!recs.empty())
            rec.cells = std::move(recs.front().cells);
        if (rec.cells.empty())
            rec.cells.emplace_back();   // one empty name
        if (isHeader) {
            header = std::move(rec);
            haveHeader = true;
        } else if (rows.size() == kMaxScheduleRows) {
            failure = {line, -1, "", "the schedule has more than " + std::to_string(kMaxScheduleRows) + " rows"};
            return false;
        } else {
            rows.push_back(std::move(rec));
        }
    }
    if (!haveHeader) {
        failure = {firstLine - 1, -1, "", "the [schedule] block has no columns= line"};
        return false;
    }
    Schedule read;
    if (!buildSchedule(header, rows, false, read, failure))
        return false;
    read.constraints = std::move(limits);
    out = std::move(read);
    return true;
}

} // namespace qeln
