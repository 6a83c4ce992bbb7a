// The schedule's PDF: a landscape summary page (continued when long) with
// every row, failing rows in words, then each row's condensed report; from
// the desktop program's renderer and from qeln-cli schedule --pdf.
#include "ui/schedulereport.h"

#include "present/messages.h"
#include "present/texts.h"
#include "shell/run.h"
#include "shell/schedulecolumns.h"
#include "shell/scheduleedit.h"

#include "pdftools.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::havePdfTools;
using qeln::test::quietRun;
using qeln::test::toolOutput;

namespace {

std::string verdict(const ScheduleRowResult& r, Language base)
{
    return resultCellText(scheduleResultColumn(ResultColumn::verdict), r, ResultReader::shown, base, ",");
}

int pages(const QString& pdf)
{
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(toolOutput("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pageText(const QString& pdf, int first, int last) { return qeln::test::pdfText(pdf, first, last); }

const QDateTime kPrinted(QDate(2026, 3, 14), QTime(9, 26, 53));

} // namespace

TEST(SchedulePdf, SummaryPageThenEveryRowsCondensedReport)
{
    ASSERT_TRUE(havePdfTools()) << "poppler-utils are missing: run scripts/install-deps";
    Schedule s;
    s.columns = {"profileName", "nEd"};
    s.rows = {{"A1", {"HE 300 B", "1500"}, false}, {"B2", {"HE 300 A", "90000"}, false}, {"C3", {"", "2000"}, false}};
    const ProfileIndex profiles({{{"HE 300 A", 290, 300, 8.5, 14, 27, true}, 0},
                                 {{"HE 300 B", 300, 300, 11, 19, 27, true}, 1}});
    const ColumnInput base;
    const ScheduleOutcome o = runSchedule(base, s, profiles);
    ASSERT_EQ(o.rows.size(), 3u);
    ASSERT_FALSE(o.rows[1].passes);

    const ScheduleReportContent c = buildScheduleReport(base, s, o, Language::English, kPrinted, quietRun);
    ASSERT_EQ(c.rows.size(), 3u);
    // the name, the fields, then the results shown, in their order; every line as wide
    std::vector<std::string> columns{LoadText(1373, Language::English, nullptr), scheduleFieldHeading("profileName", Language::English),
                                     scheduleFieldHeading("nEd", Language::English)};
    for (const ResultColumn id : resultColumnsOf(ResultReader::shown))
        columns.push_back(LoadText(scheduleResultColumn(id).heading, Language::English, nullptr));
    EXPECT_EQ(c.columns, columns);
    ASSERT_EQ(c.cells.size(), 3u);
    for (const std::vector<std::string>& line : c.cells)
        EXPECT_EQ(line.size(), columns.size());
    EXPECT_EQ(c.failing, (std::vector<bool>{false, true, false}));
    // each row's report is the single project's report of its input
    RunState st;
    ASSERT_TRUE(quietRun(o.rows[0].input, st));
    const ReportContent single = buildReport(st, o.rows[0].input, Language::English, ReportMethod::Condensed, kPrinted);
    ASSERT_GE(c.rows[0].listing.size(), single.listing.size());
    EXPECT_TRUE(std::equal(single.listing.begin(), single.listing.end(), c.rows[0].listing.end() - static_cast<long>(single.listing.size())));
    EXPECT_EQ(c.rows[0].checkSummary.size(), single.checkSummary.size());

    QTemporaryDir dir;
    const QString path = dir.filePath("schedule.pdf");
    const int written = writeScheduleReportPdf(c, path);
    EXPECT_EQ(pages(path), written);
    int rowPages = 0;
    for (const ReportContent& r : c.rows) {
        QTemporaryDir one;
        rowPages += writeReportPdf(r, one.filePath("row.pdf"));
    }
    EXPECT_EQ(written, 1 + rowPages);   // one summary page for three rows
    EXPECT_GE(written, 4);
    EXPECT_TRUE(toolOutput("pdfinfo", {"-f", "1", "-l", "2", path}).contains(QRegularExpression("Page\\s+1 size:\\s+84[12](\\.\\d+)? x 595")))
        << "the summary page is landscape";

    const QString summary = pageText(path, 1, 1);
    for (const char* name : {"A1", "B2", "C3", "HE 300 B", "N.Rd", "Column schedule"})
        EXPECT_TRUE(summary.contains(name)) << name;
    const QStringList lines = summary.split('\n');
    const auto b2 = std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.trimmed().startsWith("B2"); });
    ASSERT_NE(b2, lines.end());
    EXPECT_TRUE(b2->contains("FAILS")) << b2->toStdString();
    EXPECT_TRUE(summary.contains("Rows: 3, passing: 2, failing: 1")) << summary.toStdString();
    EXPECT_TRUE(pageText(path, 2, 2).contains("Column schedule: A1"));
    // the headings name the fields in words, with units
    EXPECT_TRUE(summary.contains("temperature") && summary.contains("[kN]")) << summary.toStdString();
    EXPECT_FALSE(summary.contains("profileName"));

    // one numbering through the document, and every page of a row's report names the row
    for (int page = 1; page <= written; ++page) {
        const QString text = pageText(path, page, page);
        EXPECT_TRUE(text.contains(QString("Page %1 / %2").arg(page).arg(written))) << "page " << page;
        if (page > 1) {
            EXPECT_TRUE(text.contains(QRegularExpression("Column schedule: (A1|B2|C3)"))) << "page " << page;
        }
    }
}

TEST(SchedulePdf, LongTableContinuesOnMorePages)
{
    ASSERT_TRUE(havePdfTools());
    ScheduleReportContent c;
    c.page.productName = "QELN - Column";
    c.page.pageWord = "Page";
    c.heading = "Column schedule";
    c.columns = {"Name", "profileName", "Result"};
    for (int i = 1; i <= 120; ++i) {
        c.cells.push_back({std::string("P").append(std::to_string(i)), "HE 300 B", i % 7 ? "passes" : "FAILS"});
        c.failing.push_back(i % 7 == 0);
    }
    c.summary = "Rows: 120";
    QTemporaryDir dir;
    const QString path = dir.filePath("long.pdf");
    const int n = writeScheduleReportPdf(c, path);
    ASSERT_GE(n, 3);
    EXPECT_EQ(pages(path), n);
    const QString all = pageText(path, 1, n);
    for (int i = 1; i <= 120; ++i)
        EXPECT_EQ(all.count(QRegularExpression(QString("\\bP%1\\b").arg(i))), 1) << i;   // once, none lost between pages
    EXPECT_TRUE(pageText(path, n, n).contains("Rows: 120"));
    EXPECT_TRUE(pageText(path, 1, 1).contains(QString("Page 1 / %1").arg(n)));
}

TEST(SchedulePdf, UnwritableFileGivesNoPages)
{
    ScheduleReportContent c;
    c.columns = {"Name"};
    EXPECT_EQ(writeScheduleReportPdf(c, "/nonexistent-folder/x.pdf"), 0);
}

#ifdef QELN_CLI
TEST(SchedulePdf, CommandLineWritesTheFortyRowSchedule)
{
    ASSERT_TRUE(havePdfTools());
    QTemporaryDir dir;
    const QString path = dir.filePath("forty.pdf");
    const qeln::test::Outcome o = qeln::test::runCli(
        {"schedule", QStringLiteral(QELN_SOURCE_DIR "/tests/data/schedule-40.csv"), "--search", "--pdf", path});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    const int n = pages(path);
    EXPECT_GE(n, 41);   // the summary and at least a page per row
    const QString first = pageText(path, 1, 1);
    EXPECT_TRUE(first.contains("B1 A1"));
    EXPECT_TRUE(first.contains("Column schedule"));
    EXPECT_FALSE(pageText(path, n, n).trimmed().isEmpty());
}
#endif

// A failing row says why in the language of the document: no English
// sentence in a French or German result cell.
TEST(SchedulePdf, FailureReasonsInTheDocumentsLanguage)
{
    ScheduleRowResult search;   // a search that found nothing
    search.inputOk = true;
    search.searched = true;
    ScheduleRowResult input;    // a cell that is no value
    input.failure.field = "lWeakCold";
    input.failure.detail = "\"4 m\" is not a number";
    ScheduleRowResult arithmetic;
    arithmetic.inputOk = true;
    arithmetic.calcError = true;
    ScheduleRowResult errors;
    errors.inputOk = true;
    errors.errors = 2;
    const QRegularExpression english("\\b(no|not|section|catalogue|carries|loads|error|errors|arithmetic|failure|row|field|number)\\b",
                                     QRegularExpression::CaseInsensitiveOption);
    for (Language base : {Language::French, Language::German})
        for (const ScheduleRowResult* r : {&search, &input, &arithmetic, &errors}) {
            const QString cell = QString::fromStdString(verdict(*r, base));
            EXPECT_FALSE(cell.contains(english)) << cell.toStdString();
            EXPECT_TRUE(cell.startsWith(QString::fromStdString(LoadText(1379, base, nullptr)))) << cell.toStdString();
        }
    EXPECT_EQ(verdict(input, Language::French),
              "NON VÉRIFIÉ\u00a0: données non valides\u00a0: Longueur de flambement z-z, température normale [m]");
    EXPECT_EQ(verdict(errors, Language::German), "NICHT ERFÜLLT: Fehler: 2");
}
