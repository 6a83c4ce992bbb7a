// The schedule as an XLSX workbook, written with libxlsxwriter: one sheet
// with the input columns, the results columns and, below, the summary.
#include "schedule.h"

#include "calc/designcheck.h"
#include "calc/texts.h"
#include "calc/utf8.h"

#include <xlsxwriter.h>

#include <cmath>

namespace qeln {

namespace {

struct Formats {
    lxw_format* heading = nullptr;
    lxw_format* failing = nullptr;        // text of a failing row
    lxw_format* failingNumber = nullptr;
    lxw_format* number = nullptr;         // 0.0
    lxw_format* ratio = nullptr;          // 0.000
    lxw_format* failingRatio = nullptr;
};

class Sheet {
public:
    explicit Sheet(lxw_worksheet* ws) : ws_(ws) {}
    void str(int row, int col, const std::string& s, lxw_format* fmt = nullptr)
    {
        worksheet_write_string(ws_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col), s.c_str(), fmt);
    }
    // a number; nothing for a value that is not there or not finite
    void number(int row, int col, const std::optional<double>& v, lxw_format* fmt)
    {
        if (v && std::isfinite(*v))
            worksheet_write_number(ws_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(col), *v, fmt);
    }

private:
    lxw_worksheet* ws_;
};

} // namespace

bool writeScheduleXlsx(const std::string& path, const Schedule& s, const ScheduleOutcome& o, int languageBase,
                       std::string& reason)
{
    auto text = [languageBase](int id) { return LoadText(id, languageBase, nullptr); };
    lxw_workbook* wb = workbook_new(path.c_str());
    if (!wb) {
        reason = "the workbook could not be created";
        return false;
    }
    Formats f;
    f.heading = workbook_add_format(wb);
    format_set_bold(f.heading);
    format_set_bottom(f.heading, LXW_BORDER_THIN);
    f.number = workbook_add_format(wb);
    format_set_num_format(f.number, "0.0");
    f.ratio = workbook_add_format(wb);
    format_set_num_format(f.ratio, "0.000");
    const lxw_color_t red = 0xFFC7CE, darkRed = 0x9C0006;
    f.failing = workbook_add_format(wb);
    format_set_bg_color(f.failing, red);
    format_set_font_color(f.failing, darkRed);
    f.failingNumber = workbook_add_format(wb);
    format_set_bg_color(f.failingNumber, red);
    format_set_font_color(f.failingNumber, darkRed);
    format_set_num_format(f.failingNumber, "0.0");
    f.failingRatio = workbook_add_format(wb);
    format_set_bg_color(f.failingRatio, red);
    format_set_font_color(f.failingRatio, darkRed);
    format_set_num_format(f.failingRatio, "0.000");

    const std::string sheetName = utf8Prefix(text(1330), 31);   // the longest name a sheet takes
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheetName.c_str());
    if (!ws)
        ws = workbook_add_worksheet(wb, nullptr);
    Sheet sh(ws);

    // headings: position, the input columns, then the results
    int col = 0;
    sh.str(0, col++, text(1331), f.heading);
    for (const std::string& c : s.columns)
        sh.str(0, col++, c, f.heading);
    const int firstResult = col;
    for (const std::string& h :
         {text(1344), text(1332), std::string("d [mm]"), std::string("n1"), std::string("n2"), std::string("N.Rd [kN]"),
          text(1347), std::string("N.fi,Rd [kN]"), text(1348), text(1346), text(1333), text(1334), text(1335),
          text(1336), text(1337)})
        sh.str(0, col++, h, f.heading);
    worksheet_freeze_panes(ws, 1, 1);
    worksheet_set_column(ws, 0, 0, 18, nullptr);
    worksheet_set_column(ws, static_cast<lxw_col_t>(firstResult + 1), static_cast<lxw_col_t>(firstResult + 1), 16,
                         nullptr);

    int row = 1;
    for (std::size_t i = 0; i < o.rows.size(); ++i, ++row) {
        const ScheduleRowResult& r = o.rows[i];
        const bool fails = !r.passes;
        lxw_format* t = fails ? f.failing : nullptr;
        lxw_format* n = fails ? f.failingNumber : f.number;
        lxw_format* q = fails ? f.failingRatio : f.ratio;
        col = 0;
        sh.str(row, col++, r.name, t);
        for (std::size_t c = 0; c < s.columns.size(); ++c) {
            const std::string cell = i < s.rows.size() && c < s.rows[i].cells.size() ? s.rows[i].cells[c] : "";
            sh.str(row, col++, cell, t);
        }
        sh.str(row, col++, r.searched ? (r.searchFound ? "x" : text(1345)) : "", t);
        if (!r.inputOk) {
            sh.str(row, col++, text(1350) + ": " + r.failure.describe(), t);
            for (; col < firstResult + 10; ++col)
                sh.str(row, col, "", t);
            sh.str(row, col++, text(1223), t);
            sh.number(row, col++, double(r.errors), t);
            sh.number(row, col++, double(r.warnings), t);
            sh.str(row, col++, "", t);
            sh.str(row, col++, "", t);
            continue;
        }
        sh.str(row, col++, r.profileName, t);
        sh.number(row, col++, r.d, t);
        sh.number(row, col++, double(r.n1), t);
        sh.number(row, col++, double(r.n2), t);
        sh.number(row, col++, r.nRd, n);
        sh.number(row, col++, r.utilisation, q);
        sh.number(row, col++, r.nFiRd, n);
        sh.number(row, col++, r.fireUtilisation, q);
        sh.str(row, col++,
                !r.achievedApplies ? "" : r.achievedClass ? fireClassLabel(*r.achievedClass) : text(1214), t);
        sh.str(row, col++, text(r.passes ? 1222 : 1223), t);
        sh.number(row, col++, double(r.errors), t);
        sh.number(row, col++, double(r.warnings), t);
        sh.number(row, col++, r.steelPerMetre, n);
        sh.number(row, col++, r.rebarPerMetre, n);
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

    const lxw_error err = workbook_close(wb);
    if (err != LXW_NO_ERROR) {
        reason = lxw_strerror(err);
        return false;
    }
    return true;
}

} // namespace qeln
