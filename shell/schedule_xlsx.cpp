// The schedule as an XLSX workbook, written with libxlsxwriter: one sheet
// with the input columns, the results columns and, below, the summary.
//
// libxlsxwriter (and the minizip and libcrypto it needs) is loaded when the
// first workbook is written, not when a program starts: a design run of the
// command line then starts in a few milliseconds. The finished workbook is
// read back before it counts as written, since libxlsxwriter does not notice
// when its temporary files could not be written (a full /tmp, a file size
// limit) and would zip the cut parts without a word.
#include "schedule.h"

#include "projectfields.h"
#include "schedulecolumns.h"

#include "present/texts.h"
#include "present/utf8.h"

#include <xlsxwriter.h>

#include <dlfcn.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <mutex>

namespace qeln {

namespace {

// The part of minizip's unzip interface the check needs (minizip 1.x).
using unzFile = void*;
constexpr int kUnzOk = 0;

// The functions of libxlsxwriter and minizip the writer calls, looked up once.
struct XlsxLibrary {
    decltype(&::workbook_new_opt) workbookNew = nullptr;
    decltype(&::workbook_add_format) addFormat = nullptr;
    decltype(&::format_set_bold) setBold = nullptr;
    decltype(&::format_set_bottom) setBottom = nullptr;
    decltype(&::format_set_num_format) setNumFormat = nullptr;
    decltype(&::format_set_bg_color) setBgColor = nullptr;
    decltype(&::format_set_font_color) setFontColor = nullptr;
    decltype(&::workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&::worksheet_write_string) writeString = nullptr;
    decltype(&::worksheet_write_number) writeNumber = nullptr;
    decltype(&::worksheet_freeze_panes) freezePanes = nullptr;
    decltype(&::worksheet_set_column) setColumn = nullptr;
    decltype(&::workbook_close) close = nullptr;
    decltype(&::lxw_strerror) strerror = nullptr;
    unzFile (*unzOpen)(const char*) = nullptr;
    int (*unzLocateFile)(unzFile, const char*, int) = nullptr;
    int (*unzOpenCurrentFile)(unzFile) = nullptr;
    int (*unzReadCurrentFile)(unzFile, void*, unsigned) = nullptr;
    int (*unzCloseCurrentFile)(unzFile) = nullptr;
    int (*unzClose)(unzFile) = nullptr;
    std::string problem;   // why it could not be loaded; empty when it was
};

template <typename F>
bool lookUp(void* handle, const char* name, F& f, std::string& problem)
{
    f = reinterpret_cast<F>(::dlsym(handle, name));
    if (!f && problem.empty())
        problem = std::string("the XLSX library has no ") + name;
    return f != nullptr;
}

const XlsxLibrary& xlsxLibrary()
{
    static XlsxLibrary lib;
    static std::once_flag once;
    std::call_once(once, [] {
        void* xlsx = ::dlopen(QELN_XLSXWRITER_SONAME, RTLD_NOW | RTLD_LOCAL);
        void* zip = xlsx ? ::dlopen(QELN_MINIZIP_SONAME, RTLD_NOW | RTLD_LOCAL) : nullptr;
        if (!xlsx || !zip) {
            const char* why = ::dlerror();
            lib.problem = std::string("the XLSX export needs ") + (xlsx ? QELN_MINIZIP_SONAME : QELN_XLSXWRITER_SONAME) +
                          " (" + (why ? why : "not found") + ")";
            return;
        }
        std::string& p = lib.problem;
        lookUp(xlsx, "workbook_new_opt", lib.workbookNew, p);
        lookUp(xlsx, "workbook_add_format", lib.addFormat, p);
        lookUp(xlsx, "format_set_bold", lib.setBold, p);
        lookUp(xlsx, "format_set_bottom", lib.setBottom, p);
        lookUp(xlsx, "format_set_num_format", lib.setNumFormat, p);
        lookUp(xlsx, "format_set_bg_color", lib.setBgColor, p);
        lookUp(xlsx, "format_set_font_color", lib.setFontColor, p);
        lookUp(xlsx, "workbook_add_worksheet", lib.addWorksheet, p);
        lookUp(xlsx, "worksheet_write_string", lib.writeString, p);
        lookUp(xlsx, "worksheet_write_number", lib.writeNumber, p);
        lookUp(xlsx, "worksheet_freeze_panes", lib.freezePanes, p);
        lookUp(xlsx, "worksheet_set_column", lib.setColumn, p);
        lookUp(xlsx, "workbook_close", lib.close, p);
        lookUp(xlsx, "lxw_strerror", lib.strerror, p);
        lookUp(zip, "unzOpen64", lib.unzOpen, p);
        lookUp(zip, "unzLocateFile", lib.unzLocateFile, p);
        lookUp(zip, "unzOpenCurrentFile", lib.unzOpenCurrentFile, p);
        lookUp(zip, "unzReadCurrentFile", lib.unzReadCurrentFile, p);
        lookUp(zip, "unzCloseCurrentFile", lib.unzCloseCurrentFile, p);
        lookUp(zip, "unzClose", lib.unzClose, p);
        // both stay loaded: the functions are kept for the process's life
    });
    return lib;
}

// A text as the workbook's XML can hold it: bytes that are not UTF-8 and the
// characters XML 1.0 has no place for (NUL, U+FFFE, U+FFFF) become U+FFFD;
// libxlsxwriter writes the other control characters as _xHHHH_.
std::string xmlText(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        const std::size_t n = nextCodePoint(s, i, cp);
        if (n == 0 || cp == 0 || cp == 0xFFFE || cp == 0xFFFF) {
            appendUtf8(out, 0xFFFD);
            i += n == 0 ? 1 : n;
        } else {
            out.append(s.substr(i, n));
            i += n;
        }
    }
    return out;
}

// The most characters a spreadsheet cell holds.
constexpr std::size_t kCellTextMax = 32767;

struct Formats {
    lxw_format* heading = nullptr;
    lxw_format* failing = nullptr;        // text of a failing row
    lxw_format* failingNumber = nullptr;
    lxw_format* number = nullptr;         // 0.0
    lxw_format* ratio = nullptr;          // 0.000
    lxw_format* failingRatio = nullptr;
};

// The sheet's cells; the first write that fails is kept, with its cell.
class Sheet {
public:
    Sheet(const XlsxLibrary& lib, lxw_worksheet* ws) : lib_(lib), ws_(ws) {}
    void str(int row, int col, const std::string& s, lxw_format* fmt = nullptr)
    {
        const std::string t = xmlText(s);
        if (utf8Length(t) > kCellTextMax) {
            fail(row, col, "a text of " + std::to_string(utf8Length(t)) + " characters, more than the " +
                               std::to_string(kCellTextMax) + " a spreadsheet cell holds");
            return;
        }
        check(row, col, lib_.writeString(ws_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col), t.c_str(), fmt));
    }
    // a number; nothing for a value that is not there or not finite
    void number(int row, int col, const std::optional<double>& v, lxw_format* fmt)
    {
        if (v && std::isfinite(*v))
            check(row, col, lib_.writeNumber(ws_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col), *v, fmt));
    }
    const std::string& problem() const { return problem_; }

private:
    void check(int row, int col, lxw_error err)
    {
        if (err != LXW_NO_ERROR)
            fail(row, col, lib_.strerror(err));
    }
    void fail(int row, int col, const std::string& why)
    {
        if (problem_.empty())
            problem_ = "sheet row " + std::to_string(row + 1) + ", column " + std::to_string(col + 1) + ": " + why;
    }
    const XlsxLibrary& lib_;
    lxw_worksheet* ws_;
    std::string problem_;
};

// An input cell as the sheet holds it: a number field's value as a number
// (sums and filters work on it), everything else as text.
void inputCell(Sheet& sh, int row, int col, const ProjectField* f, const std::string& cell, lxw_format* text,
               lxw_format* number)
{
    if (f && !cell.empty() &&
        (std::holds_alternative<double ColumnInput::*>(f->member) || std::holds_alternative<int ColumnInput::*>(f->member))) {
        double v = 0;
        const std::string_view t = cell.front() == '+' ? std::string_view(cell).substr(1) : std::string_view(cell);
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (r.ec == std::errc() && r.ptr == t.data() + t.size() && std::isfinite(v)) {
            sh.number(row, col, v, number);
            return;
        }
    }
    sh.str(row, col, cell, text);
}

// Whether the zip part `name` of the workbook at `path` reads back whole: its
// checksum right, its text ending in `end`, and (when rows >= 0) as many
// <row> elements in it as written.
bool partComplete(const XlsxLibrary& lib, const std::string& path, const char* name, std::string_view end, long rows)
{
    unzFile z = lib.unzOpen(path.c_str());
    if (!z)
        return false;
    bool ok = lib.unzLocateFile(z, name, 1) == kUnzOk && lib.unzOpenCurrentFile(z) == kUnzOk;
    std::string tail;    // the last bytes read, for the end tag
    std::string carry;   // the last 4 bytes before the buffer: a "<row " cut by the buffer's edge
    long found = 0;
    if (ok) {
        char buf[65536];
        for (;;) {
            const int n = lib.unzReadCurrentFile(z, buf, sizeof buf);
            if (n < 0)
                ok = false;
            if (n <= 0)
                break;
            const std::string piece = carry + std::string(buf, static_cast<std::size_t>(n));
            for (std::size_t at = piece.find("<row "); at != std::string::npos; at = piece.find("<row ", at + 1))
                ++found;
            carry = piece.substr(piece.size() > 4 ? piece.size() - 4 : 0);
            tail = piece.substr(piece.size() > 64 ? piece.size() - 64 : 0);
        }
        ok = lib.unzCloseCurrentFile(z) == kUnzOk && ok;   // the checksum is checked here
    }
    lib.unzClose(z);
    while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r'))
        tail.pop_back();
    return ok && tail.ends_with(end) && (rows < 0 || found == rows);
}

} // namespace

std::optional<Failure> writeScheduleXlsx(const std::string& path, const Schedule& s, const ScheduleOutcome& o,
                                         Language language)
{
    const auto failure = [&path](std::string reason) {
        return Failure(FailureCode::writeFailed, 516, path, std::move(reason));
    };
    const XlsxLibrary& lib = xlsxLibrary();
    if (!lib.problem.empty())
        return failure(lib.problem);
    // the table, an empty row and the eight rows of the summary
    const std::size_t sheetRows = 1 + o.rows.size() + 1 + 8;
    if (sheetRows > LXW_ROW_MAX)
        return failure("the schedule needs " + std::to_string(sheetRows) + " rows, more than the " +
                       std::to_string(LXW_ROW_MAX) + " of a sheet");
    auto text = [language](int id) { return LoadText(id, language, nullptr); };
    // the temporary parts beside the workbook: a failure there is a failure of this file system
    std::string folder = path.substr(0, path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/'));
    if (folder.empty())
        folder = path.find('/') == 0 ? "/" : ".";
    lxw_workbook_options options{};
    options.tmpdir = folder.data();
    lxw_workbook* wb = lib.workbookNew(path.c_str(), &options);
    if (!wb)
        return failure("the workbook could not be created");
    Formats f;
    f.heading = lib.addFormat(wb);
    lib.setBold(f.heading);
    lib.setBottom(f.heading, LXW_BORDER_THIN);
    f.number = lib.addFormat(wb);
    lib.setNumFormat(f.number, "0.0");
    f.ratio = lib.addFormat(wb);
    lib.setNumFormat(f.ratio, "0.000");
    const lxw_color_t red = 0xFFC7CE, darkRed = 0x9C0006;
    f.failing = lib.addFormat(wb);
    lib.setBgColor(f.failing, red);
    lib.setFontColor(f.failing, darkRed);
    f.failingNumber = lib.addFormat(wb);
    lib.setBgColor(f.failingNumber, red);
    lib.setFontColor(f.failingNumber, darkRed);
    lib.setNumFormat(f.failingNumber, "0.0");
    f.failingRatio = lib.addFormat(wb);
    lib.setBgColor(f.failingRatio, red);
    lib.setFontColor(f.failingRatio, darkRed);
    lib.setNumFormat(f.failingRatio, "0.000");

    const std::string sheetName = utf8Prefix(text(1330), 31);   // the longest name a sheet takes
    lxw_worksheet* ws = lib.addWorksheet(wb, sheetName.c_str());
    if (!ws)
        ws = lib.addWorksheet(wb, nullptr);
    Sheet sh(lib, ws);

    // headings: position, the input columns, then the results
    const std::span<const ResultColumn> results = resultColumnsOf(ResultReader::sheet);
    auto heading = [&text](const ScheduleResultColumn& c) {
        return c.sheetHeading ? text(c.sheetHeading) : std::string(c.sheetName);
    };
    int col = 0;
    sh.str(0, col++, heading(scheduleResultColumn(ResultColumn::position)), f.heading);
    std::vector<const ProjectField*> fields;
    for (const std::string& c : s.columns) {
        sh.str(0, col++, c, f.heading);
        fields.push_back(findProjectField(c));
    }
    const int firstResult = col;
    for (const ResultColumn c : results)
        sh.str(0, col++, heading(scheduleResultColumn(c)), f.heading);
    lib.freezePanes(ws, 1, 1);
    lib.setColumn(ws, 0, 0, 18, nullptr);
    const auto profileAt = std::find(results.begin(), results.end(), ResultColumn::profile) - results.begin();
    const auto profileColumn = static_cast<lxw_col_t>(firstResult + profileAt);
    lib.setColumn(ws, profileColumn, profileColumn, 16, nullptr);

    int row = 1;
    for (std::size_t i = 0; i < o.rows.size(); ++i, ++row) {
        const ScheduleRowResult& r = o.rows[i];
        const bool fails = !r.passes;
        lxw_format* t = fails ? f.failing : nullptr;
        lxw_format* n = fails ? f.failingNumber : f.number;
        lxw_format* q = fails ? f.failingRatio : f.ratio;
        lxw_format* plain = fails ? f.failing : nullptr;   // an input number as given
        col = 0;
        sh.str(row, col++, r.name, t);
        for (std::size_t c = 0; c < s.columns.size(); ++c) {
            const std::string cell = i < s.rows.size() && c < s.rows[i].cells.size() ? s.rows[i].cells[c] : "";
            inputCell(sh, row, col++, fields[c], cell, t, plain);
        }
        for (const ResultColumn id : results) {
            const ScheduleResultColumn& c = scheduleResultColumn(id);
            const ResultCell cell = c.value(r, ResultReader::sheet, language);
            if (cell.isText)
                sh.str(row, col++, cell.text, t);
            else
                sh.number(row, col++, cell.number, c.sheetDecimals == 1 ? n : c.sheetDecimals == 3 ? q : t);
        }
    }

    // the summary under the table
    row += 1;
    const ScheduleSummary& sum = o.summary;
    sh.str(row++, 0, text(1338), f.heading);
    sh.str(row, 0, text(1339));
    sh.number(row++, 1, double(sum.rows), nullptr);
    sh.str(row, 0, text(1340));
    sh.number(row++, 1, double(sum.passing), nullptr);
    sh.str(row, 0, text(1341), sum.failing > 0 ? f.failing : nullptr);
    sh.number(row++, 1, double(sum.failing), sum.failing > 0 ? f.failing : nullptr);
    sh.str(row, 0, text(1342));
    sh.number(row++, 1, sum.steelMass, f.number);
    sh.str(row, 0, text(1343));
    sh.number(row++, 1, sum.rebarMass, f.number);
    sh.str(row, 0, text(1730));
    sh.number(row++, 1, sum.concreteVolume, f.number);
    sh.str(row, 0, text(1731));
    sh.number(row++, 1, double(sum.rowsWithoutLength), nullptr);

    const lxw_error err = lib.close(wb);   // frees the workbook whatever the outcome
    if (!sh.problem().empty())
        return failure(sh.problem());
    if (err != LXW_NO_ERROR)
        return failure(lib.strerror(err));
    // every row of the sheet there (the summary's title row has no cell in
    // its second column, the empty row none at all)
    if (!partComplete(lib, path, "xl/worksheets/sheet1.xml", "</worksheet>", static_cast<long>(sheetRows) - 1) ||
        !partComplete(lib, path, "xl/sharedStrings.xml", "</sst>", -1))
        return failure("the workbook was not written completely (its temporary files could not be written: the "
                       "disk full, or a file size limit?)");
    return std::nullopt;
}

} // namespace qeln
