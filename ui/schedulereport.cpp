#include "schedulereport.h"

#include "present/format.h"
#include "present/texts.h"
#include "shell/language.h"
#include "shell/run.h"
#include "shell/schedulecolumns.h"
#include "shell/scheduleedit.h"

#include <QDateTime>
#include <QStringList>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace qeln::ui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// ---------------------------------------------------------------- summary pages

constexpr double kMargin = 10.0;        // mm
constexpr double kHeaderHeight = 14.0;
constexpr double kFooterHeight = 6.0;
constexpr double kCellPad = 1.2;
const QColor kFailText(0xa0, 0, 0), kFailFill(0xff, 0xe0, 0xe0), kHeadFill(0xdf, 0xe7, 0xf0);

class SummaryPainter {
public:
    SummaryPainter(const ScheduleReportContent& r, QPagedPaintDevice& dev) : r_(r), dev_(dev) {}

    // Sets the landscape layout and lays the table out in pages.
    void layout()
    {
        dev_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                       QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Millimeter));
        const QRectF paint = dev_.pageLayout().paintRect(QPageLayout::Millimeter);
        width_ = paint.width();
        height_ = paint.height();
        dpmm_ = dev_.logicalDpiX() / 25.4;
        // a proportional font: the table is no listing
        const QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        // the largest font from 8 pt down to 4 pt with which the table fits the width
        for (double pt = 8.0; pt >= 4.0; pt -= 0.5) {
            font_ = QFont(family);
            font_.setPointSizeF(pt);
            bold_ = font_;
            bold_.setBold(true);
            measure();
            if (total() <= width_)
                break;
        }
        const double scale = total() > width_ ? width_ / total() : 1.0;
        for (double& w : widths_)
            w *= scale;
        rowHeight_ = QFontMetricsF(font_, &dev_).lineSpacing() / dpmm_ + 2 * kCellPad;
        headingHeight_ = headingLines_ * QFontMetricsF(bold_, &dev_).lineSpacing() / dpmm_ + 2 * kCellPad;
        // below the rows: the summary and the note on searched sections
        const double body = height_ - kHeaderHeight - kFooterHeight - headingHeight_ - 2 * rowHeight_;
        perPage_ = std::max(1, static_cast<int>(std::floor(body / rowHeight_)));
        const int rows = static_cast<int>(r_.cells.size());
        pages_ = std::max(1, (rows + perPage_ - 1) / perPage_);
    }

    int pages() const { return pages_; }
    // The pages of the whole document, for the page numbers.
    void setPagesInAll(int n) { pagesInAll_ = n; }

    void paint(QPainter& p, int page)
    {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        QFont title(reportFontFamily());
        title.setPointSizeF(11);
        title.setBold(true);
        QFont small(reportFontFamily());
        small.setPointSizeF(8);
        p.setPen(Qt::black);
        text(p, title, 0, 0, q(r_.page.productName) + "  -  " + q(r_.heading));
        text(p, small, 0, 6, q(r_.page.office));
        text(p, small, 0, 9.5, q(r_.page.standardLine));
        const QString pageText =
            q(r_.page.pageWord) + QStringLiteral(" %1 / %2").arg(page + 1).arg(pagesInAll_ > 0 ? pagesInAll_ : pages_);
        textRight(p, small, width_, 0, pageText);
        textRight(p, small, width_, 4, q(r_.page.printedAt));
        QPen line(Qt::black);
        line.setWidthF(mm(0.3));
        p.setPen(line);
        p.drawLine(QPointF(0, mm(kHeaderHeight - 1.5)), QPointF(mm(width_), mm(kHeaderHeight - 1.5)));

        double y = kHeaderHeight;
        paintHeading(p, y);
        y += headingHeight_;
        const std::size_t first = static_cast<std::size_t>(page) * static_cast<std::size_t>(perPage_);
        const std::size_t last = std::min(r_.cells.size(), first + static_cast<std::size_t>(perPage_));
        for (std::size_t i = first; i < last; ++i) {
            paintRow(p, y, r_.cells[i], false, i < r_.failing.size() && r_.failing[i]);
            y += rowHeight_;
        }
        if (page == pages_ - 1) {
            p.setPen(Qt::black);
            text(p, bold_, 0, y + kCellPad, q(r_.summary));
            text(p, font_, 0, y + kCellPad + rowHeight_, q(r_.note));
        }
        p.restore();
    }

private:
    double mm(double v) const { return v * dpmm_; }
    double total() const
    {
        double t = 0;
        for (double w : widths_)
            t += w;
        return t;
    }

    // Column widths from the cells and the longest word of the heading (a
    // heading wraps over up to three lines); the heading's height.
    void measure()
    {
        const QFontMetricsF fm(font_, &dev_), fb(bold_, &dev_);
        widths_.assign(r_.columns.size(), 0.0);
        for (std::size_t c = 0; c < r_.columns.size(); ++c)
            for (const QString& word : q(r_.columns[c]).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                widths_[c] = std::max(widths_[c], fb.horizontalAdvance(word) / dpmm_);
        for (const auto& row : r_.cells)
            for (std::size_t c = 0; c < row.size() && c < widths_.size(); ++c)
                widths_[c] = std::max(widths_[c], fm.horizontalAdvance(q(row[c])) / dpmm_);
        for (double& w : widths_)
            w += 2 * kCellPad + 0.6;   // slack: a cell exactly as wide as its text would be elided
        int lines = 1;
        for (std::size_t c = 0; c < r_.columns.size(); ++c) {
            const QRectF need = fb.boundingRect(QRectF(0, 0, (widths_[c] - 2 * kCellPad) * dpmm_, 1e6),
                                                Qt::TextWordWrap, q(r_.columns[c]));
            lines = std::max(lines, static_cast<int>(std::ceil(need.height() / fb.lineSpacing() - 0.01)));
        }
        headingLines_ = std::min(lines, 3);
    }

    void text(QPainter& p, const QFont& f, double x, double y, const QString& s)
    {
        p.setFont(f);
        p.drawText(QPointF(mm(x), mm(y) + QFontMetricsF(f, &dev_).ascent()), s);
    }
    void textRight(QPainter& p, const QFont& f, double right, double y, const QString& s)
    {
        p.setFont(f);
        const QFontMetricsF fm(f, &dev_);
        p.drawText(QPointF(mm(right) - fm.horizontalAdvance(s), mm(y) + fm.ascent()), s);
    }

    void paintHeading(QPainter& p, double y)
    {
        QPen grid(QColor(0x90, 0x90, 0x90));
        grid.setWidthF(mm(0.1));
        double x = 0;
        for (std::size_t c = 0; c < widths_.size(); ++c) {
            const QRectF cell(mm(x), mm(y), mm(widths_[c]), mm(headingHeight_));
            p.setPen(grid);
            p.setBrush(QBrush(kHeadFill));
            p.drawRect(cell);
            p.setBrush(Qt::NoBrush);
            p.setPen(Qt::black);
            p.setFont(bold_);
            p.drawText(cell.adjusted(mm(kCellPad), mm(kCellPad), -mm(kCellPad), -mm(kCellPad)),
                       Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, q(r_.columns[c]));
            x += widths_[c];
        }
    }

    void paintRow(QPainter& p, double y, const std::vector<std::string>& cells, bool heading, bool failing)
    {
        QPen grid(QColor(0x90, 0x90, 0x90));
        grid.setWidthF(mm(0.1));
        double x = 0;
        const QFont& f = heading ? bold_ : font_;
        const QFontMetricsF fm(f, &dev_);
        for (std::size_t c = 0; c < widths_.size(); ++c) {
            const QRectF cell(mm(x), mm(y), mm(widths_[c]), mm(rowHeight_));
            p.setPen(grid);
            p.setBrush(heading ? QBrush(kHeadFill) : failing ? QBrush(kFailFill) : QBrush(Qt::NoBrush));
            p.drawRect(cell);
            p.setBrush(Qt::NoBrush);
            p.setPen(failing ? kFailText : QColor(Qt::black));
            p.setFont(f);
            const QString s = c < cells.size() ? fm.elidedText(q(cells[c]), Qt::ElideRight, mm(widths_[c] - 2 * kCellPad))
                                               : QString();
            p.drawText(QPointF(mm(x + kCellPad), mm(y + kCellPad) + fm.ascent()), s);
            x += widths_[c];
        }
    }

    const ScheduleReportContent& r_;
    QPagedPaintDevice& dev_;
    double width_ = 277, height_ = 190, dpmm_ = 1, rowHeight_ = 4, headingHeight_ = 4;
    int headingLines_ = 1;
    QFont font_, bold_;
    std::vector<double> widths_;
    int perPage_ = 1, pages_ = 1, pagesInAll_ = 0;
};

} // namespace

std::string scheduleSummaryLine(const ScheduleSummary& s, Language language, const std::string& sep)
{
    std::string line = LoadText(1729, language, nullptr);
    line = replaceArg(line, 1, std::to_string(s.rows));
    line = replaceArg(line, 2, std::to_string(s.passing));
    line = replaceArg(line, 3, std::to_string(s.failing));
    line = replaceArg(line, 4, formatFixed(std::isfinite(s.steelMass) ? s.steelMass : 0, 1, sep));
    line = replaceArg(line, 5, formatFixed(std::isfinite(s.rebarMass) ? s.rebarMass : 0, 1, sep));
    line = replaceArg(line, 6, formatFixed(std::isfinite(s.concreteVolume) ? s.concreteVolume : 0, 3, sep));
    line = replaceArg(line, 7, std::to_string(s.rowsWithoutLength));
    return line;
}

ScheduleReportContent buildScheduleReport(const ColumnInput& base, const Schedule& g, const ScheduleOutcome& o,
                                          Language language, const QDateTime& printedAt, const ScheduleRowRun& run)
{
    ScheduleReportContent r;
    RunState empty;
    r.page = buildReport(empty, base, language, ReportMethod::Condensed, printedAt);
    r.page.listing.clear();
    r.page.listingGrey.clear();
    r.heading = LoadText(1385, language, nullptr);
    r.columns.push_back(LoadText(scheduleResultColumn(ResultColumn::position).heading, language, nullptr));
    // the fields in words with their units, as the window shows them
    for (const std::string& f : g.columns)
        r.columns.push_back(scheduleFieldHeading(f, language));
    const std::span<const ResultColumn> results = resultColumnsOf(ResultReader::shown);
    for (const ResultColumn c : results)
        r.columns.push_back(LoadText(scheduleResultColumn(c).heading, language, nullptr));
    for (std::size_t i = 0; i < g.rows.size() && i < o.rows.size(); ++i) {
        std::vector<std::string> line{g.rows[i].name};
        for (std::size_t c = 0; c < g.columns.size(); ++c)
            line.push_back(c < g.rows[i].cells.size() ? g.rows[i].cells[c] : std::string());
        for (const ResultColumn c : results)
            line.push_back(resultCellText(scheduleResultColumn(c), o.rows[i], ResultReader::shown, language));
        r.cells.push_back(std::move(line));
        r.failing.push_back(!o.rows[i].passes);
    }
    r.summary = scheduleSummaryLine(o.summary, language, ".");
    if (std::any_of(o.rows.begin(), o.rows.end(), [](const ScheduleRowResult& row) { return row.searched && row.searchFound; }))
        r.note = LoadText(1388, language, nullptr);
    for (const ScheduleRowResult& row : o.rows) {
        if (!row.inputOk)
            continue;
        RunState st;
        run(row.input, st);
        ReportContent page = buildReport(st, row.input, language, ReportMethod::Condensed, printedAt);
        // the row's name heads its listing and every page of it
        const std::string position = r.heading + labelColon(language) + row.name;
        page.listing.insert(page.listing.begin(), {position, ""});
        if (!page.listingGrey.empty())
            page.listingGrey.insert(page.listingGrey.begin(), 2, false);
        page.spareLine = position;
        r.rows.push_back(std::move(page));
    }
    return r;
}

int paintScheduleReport(const ScheduleReportContent& report, QPdfWriter& writer);

int writeScheduleReportPdf(const ScheduleReportContent& report, const QString& path)
{
    return writePdfFile(path, [&report](QPdfWriter& writer) { return paintScheduleReport(report, writer); });
}

int paintScheduleReport(const ScheduleReportContent& report, QPdfWriter& writer)
{
    writer.setResolution(1200);
    writer.setCreator(q(report.page.productName));
    writer.setTitle(q(report.page.productName) + QStringLiteral(" - ") + q(report.heading));
    // the pages are numbered through the whole document: laid out first, painted then
    std::vector<ReportContent> rows = report.rows;
    std::vector<int> rowPages;
    for (const ReportContent& row : rows)
        rowPages.push_back(reportPageCount(row, writer));
    SummaryPainter summary(report, writer);
    summary.layout();
    int inAll = summary.pages();
    for (int n : rowPages)
        inAll += n;
    summary.setPagesInAll(inAll);
    QPainter p;
    if (!p.begin(&writer))
        return 0;
    int pages = 0;
    for (int i = 0; i < summary.pages(); ++i) {
        if (i > 0 && !writer.newPage()) {
            p.end();
            return 0;
        }
        summary.paint(p, i);
        ++pages;
    }
    for (ReportContent& row : rows) {
        row.firstPage = pages + 1;
        row.pagesInAll = inAll;
        const int n = renderReportOn(row, writer, p, true);
        if (n == 0)
            return 0;
        pages += n;
    }
    if (!p.end())
        return 0;
    return pages;
}

} // namespace qeln::ui
