// The printed report as a PDF: header on every page with its page number,
// the listing complete and in order across page breaks, the condensed form
// without the details block, the drawing as vectors, A4 pages.
#include "calc/method.h"
#include "present/format.h"
#include "present/texts.h"
#include "present/version.h"
#include "shell/run.h"
#include "ui/frmmain.h"
#include "ui/report.h"
#include "ui/uitext.h"

#include "pdftools.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::toolOutput;

namespace {

const QDateTime kPrinted(QDate(2024, 3, 7), QTime(14, 5, 9));

struct DesignResult {
    RunState st;
    ColumnInput in;
    bool ok = false;
};

DesignResult runDesign(const ColumnInput& in)
{
    DesignResult r;
    r.in = in;
    r.ok = qeln::test::quietRun(in, r.st);
    return r;
}

ColumnInput defaultProject()
{
    ColumnInput in;
    in.office = "Structural Engineers Ltd, Bridge Street 12";
    in.projectName = "Office building";
    in.positionName = "Column C4";
    in.author = "A. Checker";
    in.createdOn = 45358.25;      // 2024-03-07 06:00
    in.lastUpdated = 45358.5;
    return in;
}

// A deep section with 16 + 4 bars: the longest listing the program writes.
ColumnInput longProject()
{
    ColumnInput in = defaultProject();
    in.profileName = "HE 1000 B";
    in.h = 1000;
    in.b = 300;
    in.tw = 19;
    in.tf = 36;
    in.r = 30;
    in.n1 = 16;
    in.n2 = 4;
    in.d = 25;
    in.comment = "A comment long enough to be cut to fifty characters in the listing";
    return in;
}

QString normal(const QString& s) { return s.simplified(); }

// Where the PDFs go: a temporary folder, or QELN_REPORT_KEEP to look at them.
QString outDir()
{
    static QTemporaryDir tmp;
    const QByteArray keep = qgetenv("QELN_REPORT_KEEP");
    if (!keep.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(keep));
        return QString::fromLocal8Bit(keep);
    }
    return tmp.path();
}

struct Pdf {
    QString path;
    int pages = 0;
    QStringList pageTexts;   // pdftotext -layout, one entry per page
};

Pdf render(const ReportContent& rc, const QString& name)
{
    Pdf pdf;
    pdf.path = outDir() + "/" + name + ".pdf";
    pdf.pages = writeReportPdf(rc, pdf.path);
    pdf.pageTexts = qeln::test::pdfPages(pdf.path);
    return pdf;
}

// The page's lines without the framed header (down to the standard line) and the footer logo.
QStringList bodyLines(const QString& page, const ReportContent& rc)
{
    QStringList lines = page.split('\n');
    const QString standard = QString::fromStdString(rc.standardLine);
    qsizetype start = 0;
    for (qsizetype i = 0; i < lines.size() && i < 12; ++i)
        if (lines[i].contains(standard))
            start = i + 1;
    QStringList body;
    for (qsizetype i = start; i < lines.size(); ++i) {
        const QString n = normal(lines[i]);
        if (n.isEmpty() || n == "QELN" || n == "Composite column design")
            continue;
        body << n;
    }
    return body;
}

// Every non-blank listing line appears, whole and in order, in the running
// text of the pages (wrapped lines are joined again by a blank).
void expectListingInOrder(const Pdf& pdf, const ReportContent& rc)
{
    QString running;
    for (const QString& page : pdf.pageTexts)
        running += bodyLines(page, rc).join(' ') + ' ';
    qsizetype pos = 0;
    int found = 0, expected = 0;
    for (const std::string& line : rc.listing) {
        const QString n = normal(QString::fromStdString(line));
        if (n.isEmpty())
            continue;
        ++expected;
        const qsizetype at = running.indexOf(n, pos);
        if (at < 0) {
            ADD_FAILURE() << "listing line missing or out of order: \"" << n.toStdString() << "\"";
            continue;
        }
        ++found;
        pos = at + n.size();
    }
    EXPECT_EQ(found, expected);
    // the disclaimer follows the listing
    for (const std::string& line : rc.disclaimer) {
        const QString n = normal(QString::fromStdString(line));
        const qsizetype at = running.indexOf(n, pos);
        EXPECT_GE(at, 0) << n.toStdString();
        if (at >= 0)
            pos = at + n.size();
    }
}

void expectHeaderOnEveryPage(const Pdf& pdf, const ReportContent& rc)
{
    ASSERT_EQ(pdf.pageTexts.size(), pdf.pages);
    for (int i = 0; i < pdf.pages; ++i) {
        const QString page = pdf.pageTexts[i];
        SCOPED_TRACE("page " + std::to_string(i + 1));
        for (const std::string& s : {rc.office, rc.productName, rc.versionLine, rc.title, rc.standardLine,
                                     rc.printedAt, rc.revisionMark})
            EXPECT_TRUE(normal(page).contains(normal(QString::fromStdString(s)))) << s;   // no-break spaces as blanks
        const QString number = QString("%1 %2 / %3").arg(QString::fromStdString(rc.pageWord)).arg(i + 1).arg(pdf.pages);
        EXPECT_TRUE(page.contains(number)) << number.toStdString();
        // the page number shares the first line with the product name, right of it
        const QStringList lines = page.split('\n');
        const auto row = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(number); });
        ASSERT_NE(row, lines.end());
        EXPECT_TRUE(row->contains(QString::fromStdString(rc.productName)));
        EXPECT_GT(row->indexOf(number), row->indexOf(QString::fromStdString(rc.versionLine)));
    }
}

#define REQUIRE_TOOLS() ASSERT_TRUE(qeln::test::havePdfTools()) << "poppler-utils (pdftotext, pdfinfo) are missing: run scripts/install-deps"

} // namespace

TEST(ReportContent, HeaderTextsListingAndDisclaimer)
{
    const DesignResult r = runDesign(defaultProject());
    ASSERT_TRUE(r.ok);
    const ReportContent c = buildReport(r.st, r.in, Language::English, ReportMethod::Complete, kPrinted);
    EXPECT_EQ(c.office, r.in.office);
    EXPECT_EQ(c.productName, "QELN - Column");
    EXPECT_EQ(c.title, "Composite Column Fire Design");
    EXPECT_EQ(c.standardLine, "Eurocode 4: ENV 1994-1-1 / ENV 1994-1-2 - method 4.8.3 / Annex F");
    EXPECT_EQ(c.versionLine, std::string("Version ") + kProgramVersion + ", build " + kProgramBuild);
    EXPECT_EQ(c.listing, r.st.completeListing.lines());
    EXPECT_EQ(c.picture.width, r.st.results.sectionPicture.width);
    EXPECT_FALSE(c.printedAt.empty());
    // English texts 88 and 89 are blank and left out
    ASSERT_EQ(c.disclaimer.size(), 3u);
    EXPECT_EQ(c.disclaimer[0], LoadText(85, Language::English, nullptr));
    EXPECT_EQ(c.disclaimer[2], LoadText(87, Language::English, nullptr));

    const ReportContent d = buildReport(r.st, r.in, Language::German, ReportMethod::Condensed, kPrinted);
    EXPECT_EQ(d.listing, r.st.condensedListing.lines());
    EXPECT_EQ(d.productName, LoadText(2, Language::German, nullptr));
    EXPECT_EQ(d.pageWord, "Seite");
}

TEST(ReportWrap, BreaksAtBlanksKeepsIndentExpandsTabs)
{
    EXPECT_EQ(wrapListingLine("short", 10), std::vector<std::string>{"short"});
    EXPECT_EQ(wrapListingLine("", 10), std::vector<std::string>{""});
    EXPECT_EQ(wrapListingLine("  aaa bbb ccc ddd", 10), (std::vector<std::string>{"  aaa bbb", "  ccc ddd"}));
    EXPECT_EQ(wrapListingLine("abcdefghijklmno", 10), (std::vector<std::string>{"abcdefghij", "klmno"}));
    EXPECT_EQ(wrapListingLine("a\tb", 20), std::vector<std::string>{"a       b"});
    // every piece fits
    const std::string longLine(300, 'x');
    for (const std::string& s : wrapListingLine("  " + longLine + " end", 91))
        EXPECT_LE(s.size(), 91u);
}

// The complete report and the condensed one, which has no details block.
TEST(ReportPdf, DefaultProjectCompleteAndCondensed)
{
    REQUIRE_TOOLS();
    const DesignResult r = runDesign(defaultProject());
    ASSERT_TRUE(r.ok);
    const ReportContent c = buildReport(r.st, r.in, Language::English, ReportMethod::Complete, kPrinted);
    const Pdf pdf = render(c, "default-complete");
    ASSERT_GE(pdf.pages, 2);
    expectHeaderOnEveryPage(pdf, c);
    expectListingInOrder(pdf, c);
    // A4 portrait
    const QString info = toolOutput("pdfinfo", {pdf.path});
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))) << info.toStdString();
    // the drawing and the logo are vectors: no bitmap in the file
    if (!QStandardPaths::findExecutable("pdfimages").isEmpty()) {
        const QStringList images = toolOutput("pdfimages", {"-list", pdf.path}).trimmed().split('\n');
        EXPECT_EQ(images.size(), 2) << images.join('\n').toStdString();   // the two heading lines only
    }
    // the drawing's caption is on the first page, above the listing
    const QString first = pdf.pageTexts[0];
    EXPECT_LT(first.indexOf("Rebars: 4 x d = 20 mm"), first.indexOf("Project-Name:"));

    const ReportContent k = buildReport(r.st, r.in, Language::English, ReportMethod::Condensed, kPrinted);
    const Pdf condensed = render(k, "default-condensed");
    ASSERT_GE(condensed.pages, 1);
    expectHeaderOnEveryPage(condensed, k);
    expectListingInOrder(condensed, k);
    EXPECT_LT(condensed.pages, pdf.pages);
    // no line of the details block is printed: neither its heading nor the member routines' lines
    QString all;
    for (const QString& page : condensed.pageTexts)
        all += bodyLines(page, k).join('\n') + '\n';
    const QStringList body = all.split('\n');
    EXPECT_FALSE(body.contains("Details"));
    int checked = 0;
    const auto& condensedLines = r.st.condensedListing.lines();
    for (const std::string& line : r.st.results.memberDetailLines.lines()) {
        const QString n = normal(QString::fromStdString(line));
        if (n.size() < 12 || std::find(condensedLines.begin(), condensedLines.end(), line) != condensedLines.end())
            continue;
        if (all.contains(n))
            ADD_FAILURE() << "details line in the condensed report: " << n.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

// (on every page of the PDF: the command line's --pdf tests)
TEST(ReportContent, EnProjectNamesItsCodeInTheHeader)
{
    ColumnInput in = defaultProject();
    useDesignCode(in, DesignCode::EN1994);
    const DesignResult r = runDesign(in);
    ASSERT_TRUE(r.ok);
    const ReportContent c = buildReport(r.st, r.in, Language::German, ReportMethod::Complete, kPrinted);
    EXPECT_EQ(c.standardLine, "Eurocode 4: EN 1994-1-1:2004 / EN 1994-1-2:2005 - Verfahren 6.7.3 / Anhang G");
    EXPECT_EQ(buildReport(r.st, r.in, Language::English, ReportMethod::Condensed, kPrinted).standardLine,
              "Eurocode 4: EN 1994-1-1:2004 / EN 1994-1-2:2005 - method 6.7.3 / Annex G");
}

// The printing date in the locale of the report's language, whatever the system's.
TEST(ReportContent, DatesFollowTheProgramLanguage)
{
    EXPECT_EQ(reportDateTime(kPrinted, Language::German).substr(0, 6), "07.03.");
    EXPECT_EQ(reportDateTime(kPrinted, Language::French).substr(0, 10), "07/03/2024");
    EXPECT_NE(reportDateTime(kPrinted, Language::German).find("14:05:09"), std::string::npos);
    // the project dialog's dates
    EXPECT_TRUE(dateTimeText(45358.25, languageLocale(Language::German)).startsWith("07.03."));
    EXPECT_TRUE(dateTimeText(45358.25, languageLocale(Language::French)).startsWith("07/03/2024"));
}

// The footer logo's subtitle is in the report's language and stays inside the picture.
TEST(ReportContent, LogoSubtitleInEachLanguageFits)
{
    const DesignResult r = runDesign(defaultProject());
    std::set<std::string> logos;
    const std::pair<Language, const char*> cases[] = {{Language::English, "Composite column design"},
                                                 {Language::French, "Calcul des poteaux mixtes"},
                                                 {Language::German, "Bemessung von Verbundstützen"}};
    for (const auto& [base, subtitle] : cases) {
        const ReportContent c = buildReport(r.st, r.in, base, ReportMethod::Condensed, kPrinted);
        logos.insert(c.logo);
        QFile file(QString::fromStdString(c.logo));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.logo;
        EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(QString::fromUtf8(subtitle))) << c.logo;
        QSvgRenderer logo(QString::fromStdString(c.logo));
        ASSERT_TRUE(logo.isValid()) << c.logo;
        const QRectF box = logo.viewBoxF();
        const QRectF text = logo.boundsOnElement("subtitle");
        EXPECT_GT(text.width(), 0.5 * box.width()) << c.logo;
        EXPECT_LE(text.right(), box.right() - 2) << c.logo;
    }
    EXPECT_EQ(logos.size(), 3u);
}

TEST(ReportPdf, UnwritableFileGivesNoPages)
{
    const DesignResult r = runDesign(defaultProject());
    const ReportContent c = buildReport(r.st, r.in, Language::English, ReportMethod::Condensed, kPrinted);
    EXPECT_EQ(writeReportPdf(c, "/nonexistent-folder/report.pdf"), 0);
}

// Design loads: the check box beside the drawing on page 1, the block in the
// listing, and the outside rows of a low profile printed with their marker.
TEST(ReportPdf, DesignCheckBoxOnTheFirstPage)
{
    REQUIRE_TOOLS();
    ColumnInput in = defaultProject();
    in.nEd = 3000;
    in.nFiEd = 1800;
    in.fireClass = FireClass::R90;
    const DesignResult r = runDesign(in);
    ASSERT_TRUE(r.ok);
    const ReportContent c = buildReport(r.st, r.in, Language::English, ReportMethod::Condensed, kPrinted);
    EXPECT_EQ(c.checkTitle, "Design check");
    ASSERT_EQ(c.checkSummary.size(), 5u);   // with the governing cell
    const Pdf pdf = render(c, "loads-condensed");
    expectListingInOrder(pdf, c);
    const QString first = pdf.pageTexts[0];
    // the box lies above the listing, beside the drawing
    const int box = first.indexOf("Design check");
    ASSERT_GE(box, 0);
    EXPECT_LT(box, first.indexOf("Project-Name:"));
    for (const char* s : {"0.593", "0.981", "R 90", "passes", "R 90, axial weak axis"})
        EXPECT_GE(first.indexOf(s), 0) << s;
    // without loads, no box
    const DesignResult plain = runDesign(defaultProject());
    EXPECT_TRUE(buildReport(plain.st, plain.in, Language::English, ReportMethod::Condensed, kPrinted).checkSummary.empty());
}

// The frame of a report for approval: page 1 holds the grid Designed /
// Checked / Revision with names and dates, every page the revision; a
// project without them has the grid with the designer only and no mark.
// The longest listing flows over many pages in each language.
TEST(ReportPdf, ApprovalGridOnPageOneAndTheRevisionOnEveryPage)
{
    REQUIRE_TOOLS();
    ColumnInput in = longProject();
    in.checker = "B. Prüfer";
    in.checkDate = "2024-03-12";
    in.revision = "C2";
    const DesignResult r = runDesign(in);
    ASSERT_TRUE(r.ok) << r.st.results.errors.joined().c_str();
    for (Language base : kLanguages) {
        SCOPED_TRACE(base);
        const ReportContent c = buildReport(r.st, r.in, base, ReportMethod::Complete, kPrinted);
        ASSERT_GT(c.listing.size(), 250u);
        EXPECT_EQ(c.revisionMark, withArguments(LoadText(1863, base, nullptr), {"C2"}));
        ASSERT_EQ(c.approval.size(), 3u);
        EXPECT_EQ(c.approval[0].name, "A. Checker");
        EXPECT_EQ(c.approval[1].name, "B. Prüfer");
        // the dates of the language, with the year in full
        if (base == Language::German) {
            EXPECT_EQ(c.approval[0].date, "07.03.2024");
            EXPECT_EQ(c.approval[1].date, "12.03.2024");
        } else if (base == Language::French) {
            EXPECT_EQ(c.approval[1].date, "12/03/2024");
        } else {
            EXPECT_NE(c.approval[0].date.find("2024"), std::string::npos) << c.approval[0].date;
            EXPECT_NE(c.approval[1].date.find("12"), std::string::npos) << c.approval[1].date;
        }
        EXPECT_EQ(c.approval[2].name, "C2");
        const Pdf pdf = render(c, QString("approval-%1").arg(QString::fromStdString(std::string(languageCode(base)))));
        ASSERT_GE(pdf.pages, 5);
        expectHeaderOnEveryPage(pdf, c);
        expectListingInOrder(pdf, c);
        // the grid: its headings on one line, the names and the dates below, above the listing
        const QStringList first = pdf.pageTexts[0].split('\n');
        const auto lineWith = [&](const std::string& s) {
            return std::find_if(first.begin(), first.end(), [&](const QString& l) { return l.contains(QString::fromStdString(s)); });
        };
        const auto headings = lineWith(c.approval[0].heading);
        ASSERT_NE(headings, first.end());
        EXPECT_TRUE(headings->contains(QString::fromStdString(c.approval[1].heading)));
        EXPECT_TRUE(headings->contains(QString::fromStdString(c.approval[2].heading)));
        const auto names = lineWith("B. Prüfer");
        ASSERT_NE(names, first.end());
        EXPECT_TRUE(names->contains("A. Checker"));
        EXPECT_TRUE(names->contains("C2"));
        const auto dates = lineWith(c.approval[1].date);
        ASSERT_NE(dates, first.end());
        EXPECT_TRUE(dates->contains(QString::fromStdString(c.approval[0].date)));
        EXPECT_LT(headings, names);
        EXPECT_LT(names, dates);
        EXPECT_LT(dates, lineWith(LoadText(114, base, nullptr)));   // the project block of the listing
        // the grid is on page 1 only
        for (qsizetype i = 1; i < pdf.pageTexts.size(); ++i)
            EXPECT_FALSE(pdf.pageTexts[i].contains("B. Prüfer") && pdf.pageTexts[i].contains(QString::fromStdString(c.approval[1].heading)))
                << "page " << i + 1;
        // (that the listing names the approval too: CliJsonOutput.ApprovalKeysAndListingLines)
    }

    const DesignResult plain = runDesign(defaultProject());
    const ReportContent c = buildReport(plain.st, plain.in, Language::English, ReportMethod::Complete, kPrinted);
    EXPECT_EQ(c.revisionMark, "");
    EXPECT_EQ(c.approval[0].heading, "Designed");
    EXPECT_EQ(c.approval[1].heading, "Checked");
    EXPECT_EQ(c.approval[2].heading, "Revision");
    EXPECT_EQ(c.approval[1].name + c.approval[1].date + c.approval[2].name, "");
    const Pdf pdf = render(c, "approval-none");
    for (const QString& page : pdf.pageTexts)
        EXPECT_FALSE(page.contains("Rev. "));
    EXPECT_TRUE(pdf.pageTexts[0].contains("Designed"));
}

// The general notes and the disclaimer name no company and leave nothing to
// the user; they say what the program does not check, in every language and
// for both codes.
TEST(ReportContent, NotesAndDisclaimerListWhatIsNotChecked)
{
    for (DesignCode code : {DesignCode::ENV1994, DesignCode::EN1994}) {
        ColumnInput in = defaultProject();
        useDesignCode(in, code);
        for (Language base : kLanguages) {
            TextEnv env;
            env.language = base;
            RunState st;
            RunPresenter quiet;
            ASSERT_TRUE(calculate(env, in, st, quiet));
            const ReportContent c = buildReport(st, in, base, ReportMethod::Condensed, kPrinted);
            std::string all;
            for (const auto& l : c.listing)
                all += l + "\n";
            for (const auto& l : c.disclaimer)
                all += l + "\n";
            SCOPED_TRACE(all);
            for (const char* gone : {"contact", "left to the decision", "Il appartient", "bleibt dem Anwender", "wenden Sie sich", "own risk",
                                     "customer", "client", "Kunde"})
                EXPECT_EQ(all.find(gone), std::string::npos) << gone;
            // the note on what is not checked, in the notes and in the disclaimer
            std::size_t mentions = 0;
            for (std::size_t at = all.find("EN 1994-1-1, 6.7.4"); at != std::string::npos;
                 at = all.find("EN 1994-1-1, 6.7.4", at + 1))
                ++mentions;
            EXPECT_EQ(mentions, 2u);
        }
    }
    EXPECT_NE(LoadText(1157, Language::English, nullptr).find("transverse shear, links and concrete cover"),
              std::string::npos);
}
