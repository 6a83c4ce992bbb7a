#include "schedulegridrun.h"

#include "calc/design.h"
#include "calc/env.h"
#include "calc/format.h"
#include "numbersrun.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

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

// A number as typed: decimal point or comma, nothing else around it.
bool readNumber(const std::string& text, double& v)
{
    std::string t = trimmed(text);
    std::replace(t.begin(), t.end(), ',', '.');
    const char* end = t.data() + t.size();
    const auto [p, ec] = std::from_chars(t.data(), end, v);
    return ec == std::errc() && p == end && std::isfinite(v);
}

bool readInteger(const std::string& text, int& v)
{
    double d = 0;
    if (!readNumber(text, d) || d != std::floor(d) || std::fabs(d) > 1e6)
        return false;
    v = static_cast<int>(d);
    return true;
}

bool readFlag(const std::string& text, bool& v)
{
    std::string t = trimmed(text);
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (t == "1" || t == "true" || t == "yes" || t == "x") {
        v = true;
        return true;
    }
    if (t == "0" || t == "false" || t == "no") {
        v = false;
        return true;
    }
    return false;
}

double* numberField(ColumnInput& in, const std::string& f)
{
    struct Def {
        const char* name;
        double ColumnInput::*member;
    };
    static const Def defs[] = {
        {"d", &ColumnInput::d},           {"uc1", &ColumnInput::uc1},
        {"uf1", &ColumnInput::uf1},       {"fy", &ColumnInput::fy},
        {"fck", &ColumnInput::fck},       {"fsk", &ColumnInput::fsk},
        {"lWeakCold", &ColumnInput::lWeakCold},   {"lStrongCold", &ColumnInput::lStrongCold},
        {"lWeakFire", &ColumnInput::lWeakFire},   {"lStrongFire", &ColumnInput::lStrongFire},
        {"e1", &ColumnInput::e1},         {"e2", &ColumnInput::e2},
        {"pcp", &ColumnInput::pcp},       {"nEd", &ColumnInput::nEd},
        {"nFiEd", &ColumnInput::nFiEd},   {"gammaA", &ColumnInput::gammaA},
        {"gammaC", &ColumnInput::gammaC}, {"gammaS", &ColumnInput::gammaS},
        {"gammaAfi", &ColumnInput::gammaAfi}, {"gammaCfi", &ColumnInput::gammaCfi},
        {"gammaSfi", &ColumnInput::gammaSfi},
    };
    for (const Def& d : defs)
        if (f == d.name)
            return &(in.*d.member);
    return nullptr;
}

const SearchProfile* findProfile(const std::vector<SearchProfile>& profiles, const std::string& name)
{
    for (const SearchProfile& p : profiles)
        if (trimmed(p.name) == name)
            return &p;
    return nullptr;
}

std::string fixed(double v, int decimals, const char* sep)
{
    return formatFixed(v, decimals, sep);
}

// ---------------------------------------------------------------- CSV

// Splits CSV text into records of fields; quote-aware. Each record keeps its line number.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

bool splitCsv(const std::string& text, char sep, std::vector<CsvRecord>& out, std::string& error)
{
    CsvRecord rec;
    std::string field;
    bool quoted = false, started = false;
    int line = 1;
    rec.line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && !started) {
            quoted = started = true;
        } else if (c == sep) {
            rec.fields.push_back(std::move(field));
            field.clear();
            started = false;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            rec.fields.push_back(std::move(field));
            field.clear();
            started = false;
            if (!(rec.fields.size() == 1 && trimmed(rec.fields[0]).empty()))
                out.push_back(std::move(rec));
            rec = CsvRecord{};
            rec.line = ++line;
        } else {
            field += c;
            started = true;
        }
    }
    if (quoted) {
        error = "line " + std::to_string(rec.line) + ": a quoted field is not closed";
        return false;
    }
    if (started || !rec.fields.empty()) {
        rec.fields.push_back(std::move(field));
        out.push_back(std::move(rec));
    }
    return true;
}

bool validUtf8(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + static_cast<std::size_t>(n) >= s.size() + (n == 0 ? 1 : 0))
            return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 2)
                return false;
        i += static_cast<std::size_t>(n) + 1;
    }
    return true;
}

// Windows-1252 to UTF-8 (the printable Latin-1 part and the euro sign are enough for names).
std::string fromWindows1252(const std::string& s)
{
    std::string out;
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else if (c == 0x80) {
            out += "\xE2\x82\xAC";
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string csvField(const std::string& s, char sep)
{
    if (s.find_first_of(std::string("\"\r\n") + sep) == std::string::npos)
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

std::string ScheduleRowOutcome::sectionText() const
{
    return input.profileName + " " + std::to_string(input.n1) + "+" + std::to_string(input.n2) + " x " +
           formatFixed(input.d, input.d == std::floor(input.d) ? 0 : 1, ".");
}

bool scheduleRowInput(const ColumnInput& base, const ScheduleGrid& g, std::size_t row,
                      const std::vector<SearchProfile>& profiles, ColumnInput& out, std::string& problem)
{
    ColumnInput in = base;
    const ScheduleGridRow& r = g.rows.at(row);
    for (std::size_t c = 0; c < g.fields.size(); ++c) {
        const std::string& f = g.fields[c];
        const std::string v = c < r.cells.size() ? trimmed(r.cells[c]) : std::string();
        if (v.empty())
            continue;
        bool ok = true;
        if (double* num = numberField(in, f)) {
            ok = readNumber(v, *num);
        } else if (f == "n1") {
            ok = readInteger(v, in.n1);
        } else if (f == "n2") {
            ok = readInteger(v, in.n2);
        } else if (f == "autoReduce") {
            ok = readFlag(v, in.autoReduce);
        } else if (f == "fireClass") {
            in.fireClass = fireClassFromCode(v);
            ok = in.fireClass.has_value() || v == "-";
        } else if (f == "profileName") {
            const SearchProfile* p = findProfile(profiles, v);
            if (!p) {
                problem = "profile " + v + " is not in the catalogue";
                return false;
            }
            in.profileName = cutText(v, kShortTextMax);
            setSection(in, p->section);
        } else if (f == "positionNumber") {
            in.positionNumber = cutText(v, kShortTextMax);
        } else if (f == "positionName") {
            in.positionName = cutText(v, kLongTextMax);
        } else if (f == "comment") {
            in.comment = v;
        } else {
            ok = false;
        }
        if (!ok) {
            problem = "field " + f + ": \"" + v + "\" is not a valid value";
            return false;
        }
    }
    out = in;
    return true;
}

std::optional<ScheduleOutcome> runScheduleGrid(const ColumnInput& base, const ScheduleGrid& g,
                                               const std::vector<SearchProfile>& profiles,
                                               const ScheduleRunControl& control)
{
    ScheduleOutcome o;
    o.rows.resize(g.rows.size());
    NumbersRun numbers;
    auto cancelled = [&] { return control.cancel && control.cancel->load(); };
    for (std::size_t i = 0; i < g.rows.size(); ++i) {
        if (cancelled())
            return std::nullopt;
        ScheduleRowOutcome& row = o.rows[i];
        row.name = g.rows[i].name;
        if (scheduleRowInput(base, g, i, profiles, row.input, row.problem)) {
            CalcEnv env;
            env.gammas = SafetyFactors::of(row.input);
            if (control.searchAll || g.rows[i].search) {
                SearchConstraints c;
                if (searchProblem(row.input, c) != SearchProblem::none) {
                    row.problem = searchProblemText(searchProblem(row.input, c));
                } else {
                    SearchControl sc;
                    sc.cancel = control.cancel;
                    const SearchOutcome s = searchSections(env, row.input, profiles, c, sc);
                    if (s.cancelled)
                        return std::nullopt;
                    if (s.candidates.empty())
                        row.problem = "no section of the catalogue carries the loads";
                    else {
                        row.input = s.candidates.front().applyTo(row.input);
                        row.searched = true;
                    }
                }
            }
            runNumbers(env, row.input, numbers);
            row.valid = numbers.valid;
            row.check = numbers.check;
            row.passes = row.problem.empty() && numbers.passes();
            for (const Finding& f : numbers.derived.findings)
                (f.severity == Severity::Error ? row.errors : row.warnings)++;
            for (const Finding& f : numbers.design.messages)
                (f.severity == Severity::Error ? row.errors : row.warnings)++;
            if (numbers.fireLoadAboveLoad)
                ++row.warnings;
            const ComponentMasses m = componentMasses(row.input);
            if (std::isfinite(m.steel) && std::isfinite(m.rebars)) {
                row.steelMass = m.steel * row.input.lWeakCold;
                row.rebarMass = m.rebars * row.input.lWeakCold;
            }
        }
        ++o.summary.rows;
        (row.passes ? o.summary.passing : o.summary.failing)++;
        o.summary.steelMass += row.steelMass;
        o.summary.rebarMass += row.rebarMass;
        if (control.progress)
            control.progress(i + 1, g.rows.size());
    }
    return o;
}

std::string scheduleSummaryText(const ScheduleSummary& s, const char* sep)
{
    return std::to_string(s.rows) + " rows: " + std::to_string(s.passing) + " pass, " + std::to_string(s.failing) +
           " fail; steel " + fixed(s.steelMass, 1, sep) + " kg, rebars " + fixed(s.rebarMass, 1, sep) + " kg";
}

bool readScheduleCsv(const std::string& path, ScheduleGrid& g, std::string& error)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::stringstream ss;
    ss << f.rdbuf();
    std::string text = ss.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    else if (!validUtf8(text))
        text = fromWindows1252(text);
    const std::string firstLine = text.substr(0, text.find('\n'));
    const char sep = firstLine.find(';') != std::string::npos ? ';' : ',';
    std::vector<CsvRecord> recs;
    if (!splitCsv(text, sep, recs, error))
        return false;
    if (recs.empty()) {
        error = "the file holds no header line";
        return false;
    }
    ScheduleGrid out;
    std::vector<int> target;   // -1 name, -2 search flag, field index otherwise
    bool haveName = false;
    for (const std::string& h : recs.front().fields) {
        const std::string name = trimmed(h);
        if (name == "name") {
            target.push_back(-1);
            haveName = true;
        } else if (name == "search") {
            target.push_back(-2);
        } else if (isScheduleField(name) && out.column(name) == out.fields.size()) {
            target.push_back(static_cast<int>(out.fields.size()));
            out.fields.push_back(name);
        } else {
            error = "line 1: \"" + name + "\" is not a field name";
            return false;
        }
    }
    if (!haveName) {
        error = "line 1: the column \"name\" is missing";
        return false;
    }
    for (std::size_t i = 1; i < recs.size(); ++i) {
        const CsvRecord& rec = recs[i];
        if (rec.fields.size() > target.size()) {
            error = "line " + std::to_string(rec.line) + ": more fields than the header names";
            return false;
        }
        ScheduleGridRow row;
        row.cells.resize(out.fields.size());
        for (std::size_t k = 0; k < rec.fields.size(); ++k) {
            const std::string v = trimmed(rec.fields[k]);
            if (target[k] == -1)
                row.name = v;
            else if (target[k] == -2) {
                if (!v.empty() && !readFlag(v, row.search)) {
                    error = "line " + std::to_string(rec.line) + ", field search: \"" + v + "\" is not 0 or 1";
                    return false;
                }
            } else {
                row.cells[static_cast<std::size_t>(target[k])] = v;
            }
        }
        out.rows.push_back(std::move(row));
    }
    g = std::move(out);
    return true;
}

bool writeScheduleCsv(const std::string& path, const ScheduleGrid& g, std::string& error)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    f << "name,search";
    for (const std::string& h : g.fields)
        f << ',' << h;
    f << "\r\n";
    for (const ScheduleGridRow& r : g.rows) {
        f << csvField(r.name, ',') << ',' << (r.search ? "1" : "0");
        for (std::size_t c = 0; c < g.fields.size(); ++c)
            f << ',' << csvField(c < r.cells.size() ? r.cells[c] : std::string(), ',');
        f << "\r\n";
    }
    f.close();
    if (!f) {
        error = path + ": the file could not be written";
        return false;
    }
    return true;
}

bool writeScheduleXlsx(const std::string&, const ScheduleGrid&, const ScheduleOutcome*, std::string& error)
{
    error = "the XLSX export is not part of this build";
    return false;
}

} // namespace qeln
