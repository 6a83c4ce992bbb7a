#include "report.h"

#include "present/codename.h"
#include "present/format.h"
#include "present/version.h"
#include "present/texts.h"
#include "picturepainter.h"
#include "uitext.h"
#include "shell/language.h"
#include "shell/run.h"
#include "platform/file.h"

#include <QDateTime>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>

#include <algorithm>
#include <functional>
#include <cmath>
#include <string_view>

// the logo lives in the resources of this library
static void initReportResources() { Q_INIT_RESOURCE(qeln); }

namespace qeln::ui {

namespace {

// ---------------------------------------------------------------- layout constants (mm)

constexpr double kMargin = 10.0;
constexpr double kHeaderHeight = 29.6;
constexpr double kDetailHeight = 76.2;
// the approval grid below the drawing on page 1: its band (the grid starts
// kApprovalRaise above the band, in the detail band's margin), the grid's
// height and padding
constexpr double kApprovalHeight = 12.0, kApprovalRaise = 3.0, kApprovalGridHeight = 13.0, kApprovalPad = 1.2,
                 kApprovalPoints = 8;
constexpr double kPictureLeft = 9.3, kPictureTop = 2.1, kPictureHeight = 68.8;
constexpr double kListingMinHeight = 21.2, kListingLeft = 9.3, kListingTop = 4.2;
constexpr double kDisclaimerMinHeight = 16.9, kDisclaimerLeft = 9.3, kDisclaimerTop = 2.1;
constexpr double kMemoWidth = 174.6;
constexpr double kFooterHeight = 15.3;
constexpr double kLogoTop = 0.3, kLogoWidth = 90.0, kLogoHeight = 14.0;
// a band continued on a new page starts this far below the header
constexpr double kContinuedTop = 2.1;
// header fields: left column, right column (page number and date)
constexpr double kHeaderLeft = 9.3;
constexpr double kProductWidth = 20.6, kVersionLeft = 30.4;
constexpr double kFieldGap = 4.0;   // between the product name and a version line pushed right
constexpr double kRightFieldLeft = 140.8, kRightFieldWidth = 44.7;
constexpr double kOfficeTop = 2.1, kRow1 = 10.6, kRow2 = 14.8, kRow3 = 19.1, kRow4 = 23.3;
constexpr double kFrameWidth = 0.3;          // pen of the header frame
constexpr double kPictureFrameWidth = 0.15;  // pen of the frame round the drawing
// the design check box right of the drawing
constexpr double kCheckBoxGap = 4.0, kCheckBoxPad = 2.5, kCheckBoxIndent = 4.0;
const QColor kPassColour(0, 0x80, 0), kFailColour(0xc0, 0, 0), kGreyText(0x80, 0x80, 0x80);
// the page of the charts: heading, then two charts to a row
constexpr double kDiagramsTop = 2.1, kDiagramsHeadingPoints = 12, kDiagramsHeadingGap = 3.0;
constexpr double kChartGapX = 3.0, kChartGapY = 5.0;
constexpr double kDiagramsBottomGap = 4.0;   // before the disclaimer below them

const char* const kMonospaced[] = {"Courier New", "Liberation Mono", "Cousine", "Nimbus Mono PS",
                                   "DejaVu Sans Mono", "FreeMono"};

// "Courier New" or the closest monospaced family that is installed.
QString reportFamily()
{
    const QStringList families = QFontDatabase::families();
    for (const char* name : kMonospaced)
        if (families.contains(QString::fromLatin1(name), Qt::CaseInsensitive))
            return QString::fromLatin1(name);
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QFont reportFont(const QString& family, double points)
{
    QFont f(family);
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSizeF(points);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QString q(const std::string& s) { return QString::fromStdString(s); }

bool blank(const std::string& s) { return q(s).trimmed().isEmpty(); }

// The word before the page number, in the report's language.
std::string pageWordFor(Language language)
{
    switch (language) {
    case Language::English: return "Page";
    case Language::French: return "Page";
    case Language::German: return "Seite";
    }
    return "Page";
}

// The resource of the footer logo, its subtitle in the report's language.
std::string logoFor(Language language)
{
    switch (language) {
    case Language::English: return ":/pictures/logo.svg";
    case Language::French: return ":/pictures/logo-fr.svg";
    case Language::German: return ":/pictures/logo-de.svg";
    }
    return ":/pictures/logo.svg";
}

// One line of text placed on a page (top of the line, mm from the page's paint origin).
struct PlacedLine {
    double x = 0, top = 0;
    QString text;
    bool grey = false;   // a result row outside the field of application
};

struct PageLayout {
    bool detail = false;     // the detail band with the drawing (first page)
    bool diagrams = false;   // the page of the charts
    std::vector<PlacedLine> lines;
};

class Renderer {
public:
    Renderer(const ReportContent& r, QPagedPaintDevice& dev) : r_(r), dev_(dev) {}

    int run()
    {
        prepare();
        QPainter p;
        if (!p.begin(&dev_))
            return 0;
        const int pages = paintPages(p, false);
        if (!p.end())
            return 0;
        return pages;
    }

    int count()
    {
        prepare();
        return static_cast<int>(pages_.size());
    }

    // The report on a painter already active on the device (a report of a
    // longer document): its pages follow a new page when `newPageFirst`.
    int runOn(QPainter& p, bool newPageFirst)
    {
        prepare();
        return paintPages(p, newPageFirst);
    }

private:
    // A4 portrait within the margins, the fonts, and the content laid out on it.
    void prepare()
    {
        initReportResources();
        dev_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Millimeter));
        const QRectF paint = dev_.pageLayout().paintRect(QPageLayout::Millimeter);
        width_ = paint.width();
        height_ = paint.height();
        dpmm_ = dev_.logicalDpiX() / 25.4;
        family_ = reportFamily();
        memoFont_ = reportFont(family_, 9);
        layout();
    }

    int paintPages(QPainter& p, bool newPageFirst)
    {
        for (std::size_t i = 0; i < pages_.size(); ++i) {
            if ((i > 0 || newPageFirst) && !dev_.newPage()) {
                p.end();
                return 0;
            }
            paintPage(p, static_cast<int>(i));
        }
        return static_cast<int>(pages_.size());
    }

public:

private:
    double mm(double v) const { return v * dpmm_; }
    QPointF at(double x, double y) const { return QPointF(mm(x), mm(y)); }
    QRectF box(double x, double y, double w, double h) const { return QRectF(mm(x), mm(y), mm(w), mm(h)); }

    // ------------------------------------------------------------ layout

    void layout()
    {
        const QFontMetricsF fm(memoFont_, &dev_);
        lineHeight_ = fm.lineSpacing() / dpmm_;
        const double advance = fm.horizontalAdvance(QStringLiteral("MMMMMMMMMM")) / 10.0 / dpmm_;
        const int columns = std::max(20, static_cast<int>(std::floor(kMemoWidth / advance + 1e-6)));
        bodyTop_ = kHeaderHeight;
        bodyBottom_ = height_ - kFooterHeight;

        pages_.clear();
        pages_.push_back(PageLayout{true, false, {}});
        double y = bodyTop_ + kDetailHeight + kApprovalHeight;

        // the listing band grows line by line over as many pages as it needs
        std::vector<std::pair<QString, bool>> listing;
        for (std::size_t i = 0; i < r_.listing.size(); ++i) {
            const std::string& line = r_.listing[i];
            const bool grey = i < r_.listingGrey.size() && r_.listingGrey[i];
            for (const std::string& part : wrapListingLine(line, columns))
                listing.emplace_back(q(part), grey);
        }
        const double listingStart = y;
        y += kListingTop;
        for (const auto& [line, grey] : listing) {
            if (y + lineHeight_ > bodyBottom_) {
                pages_.push_back(PageLayout{});
                y = bodyTop_ + kContinuedTop;
            }
            pages_.back().lines.push_back({kListingLeft, y, line, grey});
            y += lineHeight_;
        }
        y += kListingTop / 2;
        if (pages_.size() == 1)
            y = std::max(y, listingStart + kListingMinHeight);

        // the charts on a page of their own; the disclaimer may follow below them
        if (!r_.diagrams.empty()) {
            pages_.push_back(PageLayout{false, true, {}});
            y = bodyTop_ + diagramsHeight() + kDiagramsBottomGap;
        }

        // the disclaimer band, kept on one page when it fits on one
        std::vector<QString> disclaimer;
        for (const std::string& line : r_.disclaimer)
            for (const std::string& part : wrapListingLine(line, columns))
                disclaimer.push_back(q(part));
        const double needed = std::max(kDisclaimerMinHeight, kDisclaimerTop + disclaimer.size() * lineHeight_);
        if (y + needed > bodyBottom_ && needed <= bodyBottom_ - bodyTop_) {
            pages_.push_back(PageLayout{});
            y = bodyTop_;
        }
        y += kDisclaimerTop;
        for (const QString& line : disclaimer) {
            if (y + lineHeight_ > bodyBottom_) {
                pages_.push_back(PageLayout{});
                y = bodyTop_ + kContinuedTop;
            }
            pages_.back().lines.push_back({kDisclaimerLeft, y, line});
            y += lineHeight_;
        }
    }

    // ------------------------------------------------------------ the charts

    QFont diagramsHeadingFont() const
    {
        QFont f = reportFont(family_, kDiagramsHeadingPoints);
        f.setBold(true);
        return f;
    }

    // The cell of a chart: the width of half the page, the height from the
    // widest chart's proportions.
    double chartWidth() const { return (width_ - kChartGapX) / 2; }
    double chartHeight() const
    {
        double ratio = 0;
        for (const Picture& pic : r_.diagrams)
            if (pic.width > 0 && pic.height > 0)
                ratio = std::max(ratio, static_cast<double>(pic.height) / pic.width);
        return chartWidth() * (ratio > 0 ? ratio : 2.0 / 3.0);
    }
    double chartsTop() const
    {
        return bodyTop_ + kDiagramsTop + QFontMetricsF(diagramsHeadingFont(), &dev_).height() / dpmm_ +
               kDiagramsHeadingGap;
    }
    int chartRows() const { return static_cast<int>((r_.diagrams.size() + 1) / 2); }
    // From the top of the body to the end of the last row of charts.
    double diagramsHeight() const
    {
        return chartsTop() - bodyTop_ + chartRows() * chartHeight() + (chartRows() - 1) * kChartGapY;
    }

    void paintDiagrams(QPainter& p)
    {
        p.setPen(Qt::black);
        text(p, diagramsHeadingFont(), 0, bodyTop_ + kDiagramsTop, q(r_.diagramsTitle));
        const double w = chartWidth(), h = chartHeight();
        QPen frame(Qt::black);
        frame.setWidthF(mm(kPictureFrameWidth));
        frame.setJoinStyle(Qt::MiterJoin);
        for (std::size_t i = 0; i < r_.diagrams.size(); ++i) {
            const double x = (i % 2) * (w + kChartGapX);
            const double y = chartsTop() + static_cast<double>(i / 2) * (h + kChartGapY);
            const QRectF cell = box(x, y, w, h);
            paintPicture(p, r_.diagrams[i], cell);
            p.setPen(frame);
            p.setBrush(Qt::NoBrush);
            const double inset = mm(kPictureFrameWidth) / 2;
            p.drawRect(cell.adjusted(inset, inset, -inset, -inset));
        }
        p.setPen(Qt::black);
    }

    // ------------------------------------------------------------ painting

    void paintPage(QPainter& p, int index)
    {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        paintHeader(p, index + 1);
        if (pages_[static_cast<std::size_t>(index)].detail) {
            paintDetail(p);
            paintApproval(p);
        }
        if (pages_[static_cast<std::size_t>(index)].diagrams)
            paintDiagrams(p);
        p.setFont(memoFont_);
        p.setPen(Qt::black);
        const QFontMetricsF fm(memoFont_, &dev_);
        for (const PlacedLine& l : pages_[static_cast<std::size_t>(index)].lines) {
            p.setPen(l.grey ? kGreyText : QColor(Qt::black));
            p.drawText(QPointF(mm(l.x), mm(l.top) + fm.ascent()), l.text);
        }
        p.setPen(Qt::black);
        paintFooter(p);
        p.restore();
    }

    // Text with its top at y; right-aligned texts end at x + width.
    void text(QPainter& p, const QFont& f, double x, double y, const QString& s, double rightAlignWidth = -1)
    {
        if (s.isEmpty())
            return;
        p.setFont(f);
        const QFontMetricsF fm(f, &dev_);
        double left = mm(x);
        if (rightAlignWidth >= 0)
            left = mm(x + rightAlignWidth) - fm.horizontalAdvance(s);
        p.drawText(QPointF(left, mm(y) + fm.ascent()), s);
    }

    void paintHeader(QPainter& p, int page)
    {
        QPen frame(Qt::black);
        frame.setWidthF(mm(kFrameWidth));
        frame.setJoinStyle(Qt::MiterJoin);
        p.setPen(frame);
        p.setBrush(Qt::NoBrush);
        const double half = kFrameWidth / 2;
        p.drawRect(box(half, half, width_ - kFrameWidth, kHeaderHeight - kFrameWidth));

        p.setPen(Qt::black);
        const QFont big = reportFont(family_, 12);
        const QFont normal = reportFont(family_, 10);
        const QFontMetricsF fm(normal, &dev_);
        text(p, big, kHeaderLeft, kOfficeTop, q(r_.office));

        // the product name may be wider than its field: the version line then
        // moves right so that the two never print over each other
        const QString product = q(r_.productName);
        const double productWidth = std::max(kProductWidth, fm.horizontalAdvance(product) / dpmm_ + kFieldGap);
        text(p, normal, kHeaderLeft, kRow1, product);
        text(p, normal, std::max(kVersionLeft, kHeaderLeft + productWidth), kRow1, q(r_.versionLine));
        const int inAll = r_.pagesInAll > 0 ? r_.pagesInAll : static_cast<int>(pages_.size());
        const QString pageText = q(r_.pageWord) + QStringLiteral(" %1 / %2").arg(page + r_.firstPage - 1).arg(inAll);
        text(p, normal, kRightFieldLeft, kRow1, pageText, kRightFieldWidth);

        text(p, normal, kHeaderLeft, kRow2, q(r_.title));
        text(p, normal, kRightFieldLeft, kRow2, q(r_.printedAt), kRightFieldWidth);
        text(p, normal, kHeaderLeft, kRow3, q(r_.standardLine));
        text(p, normal, kHeaderLeft, kRow4, q(r_.spareLine));
        text(p, normal, kRightFieldLeft, kRow4, q(r_.revisionMark), kRightFieldWidth);
    }

    // The grid below the drawing: per column its heading, the name and the
    // date; a text wider than its cell is cut with an ellipsis.
    void paintApproval(QPainter& p)
    {
        const double left = kPictureLeft, top = bodyTop_ + kDetailHeight - kApprovalRaise;
        const double width = width_ - left - kPictureFrameWidth;
        const double cell = width / static_cast<double>(r_.approval.size());
        const QFont small = reportFont(family_, kApprovalPoints);
        QFont bold = small;
        bold.setBold(true);
        const QFontMetricsF fm(small, &dev_);
        const double lh = fm.lineSpacing() / dpmm_;
        p.setPen(Qt::black);
        for (std::size_t i = 0; i < r_.approval.size(); ++i) {
            const auto& c = r_.approval[i];
            const double x = left + static_cast<double>(i) * cell + kApprovalPad;
            const double room = mm(cell - 2 * kApprovalPad);
            double y = top + kApprovalPad;
            text(p, bold, x, y, QFontMetricsF(bold, &dev_).elidedText(q(c.heading), Qt::ElideRight, room));
            y += lh + kApprovalPad;
            text(p, small, x, y, fm.elidedText(q(c.name), Qt::ElideRight, room));
            y += lh;
            text(p, small, x, y, fm.elidedText(q(c.date), Qt::ElideRight, room));
        }
        QPen frame(Qt::black);
        frame.setWidthF(mm(kPictureFrameWidth));
        frame.setJoinStyle(Qt::MiterJoin);
        p.setPen(frame);
        p.setBrush(Qt::NoBrush);
        p.drawRect(box(left, top, width, kApprovalGridHeight));
        const double below = top + kApprovalPad + lh + kApprovalPad / 2;
        p.drawLine(at(left, below), at(left + width, below));
        for (std::size_t i = 1; i < r_.approval.size(); ++i)
            p.drawLine(at(left + static_cast<double>(i) * cell, top),
                       at(left + static_cast<double>(i) * cell, top + kApprovalGridHeight));
        p.setPen(Qt::black);
    }

    void paintDetail(QPainter& p)
    {
        const Picture& pic = r_.picture;
        if (pic.width <= 0 || pic.height <= 0)
            return;
        // the drawing keeps its proportions: width = height x picture width / picture height
        const double w = std::min(kPictureHeight * pic.width / pic.height, width_ - kPictureLeft);
        const double h = w * pic.height / pic.width;
        const QRectF target = box(kPictureLeft, bodyTop_ + kPictureTop, w, h);
        paintPicture(p, pic, target);
        // the drawing's own frame lies on the edge of its area and would be cut
        // in half on two sides: frame the area again, inside it
        QPen frame(Qt::black);
        frame.setWidthF(mm(kPictureFrameWidth));
        frame.setJoinStyle(Qt::MiterJoin);
        p.setPen(frame);
        p.setBrush(Qt::NoBrush);
        const double inset = mm(kPictureFrameWidth) / 2;
        p.drawRect(target.adjusted(inset, inset, -inset, -inset));
        paintCheckBox(p, kPictureLeft + w + kCheckBoxGap);
    }

    // The design check beside the drawing: title, then per line the label and
    // below it the value and the verdict in words and colour.
    void paintCheckBox(QPainter& p, double left)
    {
        if (r_.checkSummary.empty())
            return;
        const double top = bodyTop_ + kPictureTop;
        const double boxWidth = width_ - left;
        if (boxWidth < 30)
            return;
        const QFont title = [&] {
            QFont f = reportFont(family_, 10);
            f.setBold(true);
            return f;
        }();
        const QFont small = reportFont(family_, 8);
        QFont bold = small;
        bold.setBold(true);
        const QFontMetricsF fm(small, &dev_);
        const double lh = fm.lineSpacing() / dpmm_;
        const double advance = fm.horizontalAdvance(QStringLiteral("MMMMMMMMMM")) / 10.0 / dpmm_;
        const int columns = std::max(10, static_cast<int>((boxWidth - 2 * kCheckBoxPad) / advance));

        double y = top + kCheckBoxPad;
        p.setPen(Qt::black);
        text(p, title, left + kCheckBoxPad, y, q(r_.checkTitle));
        y += QFontMetricsF(title, &dev_).lineSpacing() / dpmm_ + lh / 2;
        for (const CheckLine& l : r_.checkSummary) {
            for (const std::string& part : wrapListingLine(l.label, columns)) {
                p.setPen(Qt::black);
                text(p, small, left + kCheckBoxPad, y, q(part));
                y += lh;
            }
            double x = left + kCheckBoxPad + kCheckBoxIndent;
            if (!l.value.empty()) {
                p.setPen(Qt::black);
                text(p, bold, x, y, q(l.value));
                x += (static_cast<double>(q(l.value).size()) + 2) * advance;
            }
            if (l.passes) {
                p.setPen(*l.passes ? kPassColour : kFailColour);
                text(p, bold, x, y, q(l.verdict));
            }
            if (!l.value.empty() || l.passes)
                y += lh;
            y += lh / 3;
        }
        const double height = std::min(kPictureHeight, y - top + kCheckBoxPad / 2);
        QPen frame(Qt::black);
        frame.setWidthF(mm(kPictureFrameWidth));
        p.setPen(frame);
        p.setBrush(Qt::NoBrush);
        p.drawRect(box(left, top, boxWidth - kPictureFrameWidth, height));
        p.setPen(Qt::black);
    }

    void paintFooter(QPainter& p)
    {
        QSvgRenderer logo(QString::fromStdString(r_.logo));
        if (!logo.isValid())
            return;
        QSizeF s = logo.defaultSize();
        if (s.isEmpty())
            s = QSizeF(kLogoWidth, kLogoHeight);
        s.scale(kLogoWidth, kLogoHeight, Qt::KeepAspectRatio);
        logo.render(&p, box(0, bodyBottom_ + kLogoTop, s.width(), s.height()));
    }

    const ReportContent& r_;
    QPagedPaintDevice& dev_;
    double width_ = 190, height_ = 277, dpmm_ = 1;
    double bodyTop_ = 0, bodyBottom_ = 0, lineHeight_ = 4;
    QString family_;
    QFont memoFont_;
    std::vector<PageLayout> pages_;
};

} // namespace

// ---------------------------------------------------------------- content

std::string reportDateTime(const QDateTime& dt, Language language)
{
    const QLocale loc = languageLocale(language);
    QString timeFormat = loc.timeFormat(QLocale::LongFormat);
    // the time with seconds, without the zone
    timeFormat.remove(QLatin1Char('t'));
    timeFormat = timeFormat.trimmed();
    return (loc.toString(dt.date(), QLocale::ShortFormat) + QLatin1Char(' ') + loc.toString(dt.time(), timeFormat))
        .toStdString();
}

namespace {

// A date in the short form of the report's language, with the year in full
// (a signed record: "07.03.2024", not "07.03.24").
std::string recordDate(const QDate& d, Language language)
{
    const QLocale loc = languageLocale(language);
    QString format = loc.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return loc.toString(d, format).toStdString();
}

// The calendar date of a date-time number; empty for none (0) or a number no
// date can have.
std::string projectDate(double dateTimeNumber, Language language)
{
    if (!(dateTimeNumber > 0) || dateTimeNumber > 3e6)
        return "";
    return recordDate(QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(dateTimeNumber))), language);
}

// The check date (YYYY-MM-DD) in the form of the report's language.
std::string checkDateText(const std::string& iso, Language language)
{
    const QDate d = QDate::fromString(q(iso), Qt::ISODate);
    return d.isValid() ? recordDate(d, language) : iso;
}

} // namespace

ReportContent buildReport(const RunState& run, const ColumnInput& in, Language language, ReportMethod method,
                          const QDateTime& printedAt, const DiagramPictures* diagrams)
{
    auto text = [language](int id) { return LoadText(id, language, nullptr); };
    ReportContent r;
    r.method = method;
    r.office = in.office;
    r.productName = text(2);
    r.title = text(3);
    // every page names the code the project is designed to (an ENV project's header as it always was)
    r.standardLine = designCodeStandardLine(in.code, language);
    // the program's own version and build, as qeln-cli --version gives them
    r.versionLine = withArguments(text(1761), {kProgramVersion, kProgramBuild});
    r.spareLine = text(6);
    if (!blank(in.revision))
        r.revisionMark = withArguments(text(kRevisionMark), {in.revision});
    r.approval = {{{text(kDesignedHeading), in.author, projectDate(in.lastUpdated, language)},
                   {text(kCheckedHeading), in.checker, checkDateText(in.checkDate, language)},
                   {text(kRevisionHeading), in.revision, std::string()}}};
    r.pageWord = pageWordFor(language);
    r.printedAt = reportDateTime(printedAt, language);
    r.logo = logoFor(language);
    r.picture = run.results.sectionPicture;
    const MessageList& listing = method == ReportMethod::Complete ? run.completeListing : run.condensedListing;
    r.listing = listing.lines();
    r.listingGrey = listing.greyLines();
    r.checkTitle = text(1217);
    r.checkSummary = run.checkSummary;
    if (diagrams && diagrams->valid) {
        r.diagramsTitle = text(1315);
        for (const Picture* pic : diagrams->inOrder())
            r.diagrams.push_back(*pic);
    }
    for (int id : {85, 86, 87})
        r.disclaimer.push_back(text(id));
    for (int id : {88, 89}) {
        const std::string t = text(id);
        if (!blank(t))
            r.disclaimer.push_back(t);
    }
    return r;
}

DiagramPictures reportDiagrams(const ColumnInput& in, Language language, const std::string& decimalSeparator)
{
    TextEnv env;
    env.language = language;
    env.decimalSeparator = decimalSeparator;
    return diagramPicturesOf(env, in, kCompactPlotSize);
}

// ---------------------------------------------------------------- wrapping

std::vector<std::string> wrapListingLine(const std::string& line, int columns)
{
    // expand tabs to stops of 8 and drop the blanks at the end
    QString s;
    for (const QChar c : q(line)) {
        if (c == QLatin1Char('\t'))
            s += QString(8 - s.size() % 8, QLatin1Char(' '));
        else if (c != QLatin1Char('\r'))
            s += c;
    }
    while (!s.isEmpty() && s.back() == QLatin1Char(' ') && s.size() > columns)
        s.chop(1);

    std::vector<std::string> out;
    if (s.size() <= columns) {
        out.push_back(s.toStdString());
        return out;
    }
    qsizetype indent = 0;
    while (indent < s.size() && s[indent] == QLatin1Char(' '))
        ++indent;
    if (indent > columns / 2)
        indent = 0;
    const QString lead(indent, QLatin1Char(' '));
    QString rest = s;
    bool first = true;
    while (!rest.isEmpty()) {
        const QString prefix = first ? QString() : lead;
        const qsizetype room = columns - prefix.size();
        if (rest.size() <= room) {
            out.push_back((prefix + rest).toStdString());
            break;
        }
        // the last blank that lets the piece fit, after the indentation
        qsizetype cut = -1;
        for (qsizetype i = room; i > (first ? indent : 0); --i)
            if (rest[i] == QLatin1Char(' ')) {
                cut = i;
                break;
            }
        QString piece;
        if (cut > 0) {
            piece = rest.left(cut);
            rest = rest.mid(cut);
        } else {
            piece = rest.left(room);
            rest = rest.mid(room);
        }
        while (piece.size() > 0 && piece.back() == QLatin1Char(' '))
            piece.chop(1);
        out.push_back((prefix + piece).toStdString());
        while (!rest.isEmpty() && rest.front() == QLatin1Char(' '))
            rest.remove(0, 1);
        first = false;
    }
    return out;
}

// ---------------------------------------------------------------- output

int renderReport(const ReportContent& report, QPagedPaintDevice& device)
{
    return Renderer(report, device).run();
}

int renderReportOn(const ReportContent& report, QPagedPaintDevice& device, QPainter& painter, bool newPageFirst)
{
    return Renderer(report, device).runOn(painter, newPageFirst);
}

int reportPageCount(const ReportContent& report, QPagedPaintDevice& device) { return Renderer(report, device).count(); }

QString reportFontFamily() { return reportFamily(); }

namespace {

// A file for the PDF writer that remembers every failed write: QPdfWriter
// does not tell of one (a full disk, a file size limit), and QFile forgets
// it when a later flush succeeds.
class CheckedFile : public QIODevice {
public:
    explicit CheckedFile(const QString& path)
    {
        if (file_.create(QFile::encodeName(path).toStdString()) == 0)
            open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    ~CheckedFile() override { finish(); }
    // Closes the file: true when every byte reached it.
    bool finish()
    {
        if (file_.isOpen())
            failed_ = file_.close() != 0 || failed_;
        return !failed_;
    }
    bool opened() const { return file_.isOpen(); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (!file_.isOpen())
            return -1;
        if (file_.write(std::string_view(data, static_cast<std::size_t>(size))) != 0) {
            failed_ = true;
            return -1;
        }
        return size;
    }

private:
    platform::File file_;
    bool failed_ = false;
};

} // namespace

int writePdfFile(const QString& path, const std::function<int(QPdfWriter&)>& paint)
{
    CheckedFile file(path);
    if (!file.opened())
        return 0;
    int pages = 0;
    {
        QPdfWriter writer(&file);
        pages = paint(writer);
    }
    return file.finish() ? pages : 0;
}

int writeReportPdf(const ReportContent& report, const QString& path)
{
    return writePdfFile(path, [&](QPdfWriter& writer) {
        writer.setResolution(1200);
        writer.setCreator(q(report.productName));
        writer.setTitle(q(report.productName) + QStringLiteral(" - ") + q(report.title));
        return renderReport(report, writer);
    });
}

} // namespace qeln::ui
