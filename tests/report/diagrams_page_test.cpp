// The page of the diagrams in the printed report: the four charts after the
// listing, in reading order, on one page of their own with the disclaimer
// after them; none for a report without them. The charts drawn at the
// report's smaller size keep their texts apart and inside the picture.
#include "present/plot.h"
#include "shell/diagrampictures.h"
#include "shell/run.h"
#include "ui/report.h"

#include "pdftools.h"
#include "tests/gui/guitest.h"
#include "tests/present/picture_checks.h"

#include <QDateTime>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qeln;
using namespace qeln::ui;
using qeln::test::hasText;
using qeln::test::pdfPages;
using qeln::test::quietRun;

namespace {

const QDateTime kPrinted(QDate(2024, 3, 7), QTime(14, 5, 9));

ColumnInput loadedProject()
{
    ColumnInput in;
    in.office = "Structural Engineers Ltd";
    in.e1 = 30;
    in.e2 = 45;
    in.nEd = 3000;
    in.nFiEd = 1800;
    in.fireClass = FireClass::R90;
    return in;
}

} // namespace

TEST(ReportDiagrams, ContentHasTheFourChartsInReadingOrder)
{
    const ColumnInput in = loadedProject();
    RunState st;
    ASSERT_TRUE(quietRun(in, st));
    const DiagramPictures d = reportDiagrams(in, Language::German, ",");
    ASSERT_TRUE(d.valid);
    const ReportContent c = buildReport(st, in, Language::German, ReportMethod::Condensed, kPrinted, &d);
    EXPECT_EQ(c.diagramsTitle, "Diagramme");
    ASSERT_EQ(c.diagrams.size(), 4u);
    const char* const titles[] = {"Interaktionsdiagramm - schwache Achse z-z",
                                  "Tragwiderstand in Abhängigkeit von der Exzentrizität - schwache Achse z-z",
                                  "Interaktionsdiagramm - starke Achse y-y",
                                  "Tragwiderstand in Abhängigkeit von der Exzentrizität - starke Achse y-y"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(hasText(c.diagrams[i], titles[i])) << titles[i];
        EXPECT_EQ(c.diagrams[i].width, kCompactPlotSize.width);
        EXPECT_EQ(c.diagrams[i].height, kCompactPlotSize.height);
    }
    // the German decimal comma in the charts as in the listing
    // with e1 and e2 both given the chart names the biaxial resistance
    EXPECT_TRUE(hasText(c.diagrams[0], "e = 30 mm;  zweiachsiger Tragwiderstand (e1 und e2 gemeinsam): ", true));
    EXPECT_TRUE(hasText(c.diagrams[1], "N.fi,Ed = 1800 kN (R 90)"));

    // without charts, or with none to give, the report has no page for them
    EXPECT_TRUE(buildReport(st, in, Language::German, ReportMethod::Condensed, kPrinted).diagrams.empty());
    const DiagramPictures none;
    const ReportContent without = buildReport(st, in, Language::German, ReportMethod::Condensed, kPrinted, &none);
    EXPECT_TRUE(without.diagrams.empty());
    EXPECT_TRUE(without.diagramsTitle.empty());
}

TEST(ReportDiagrams, NoChartsForAProjectThatCannotBeDesigned)
{
    ColumnInput in = loadedProject();
    in.e1 = 200;   // past b/2: an input error
    EXPECT_FALSE(reportDiagrams(in, Language::English, ".").valid);
}

TEST(ReportDiagrams, OnePageMoreAfterTheListingThenTheDisclaimer)
{
    ASSERT_FALSE(QStandardPaths::findExecutable("pdftotext").isEmpty()) << "poppler-utils are missing";
    const ColumnInput in = loadedProject();
    RunState st;
    ASSERT_TRUE(quietRun(in, st));
    const DiagramPictures d = reportDiagrams(in, Language::English, ".");
    const ReportContent with = buildReport(st, in, Language::English, ReportMethod::Complete, kPrinted, &d);
    const ReportContent without = buildReport(st, in, Language::English, ReportMethod::Complete, kPrinted);
    QTemporaryDir dir;
    const QString a = dir.filePath("with.pdf"), b = dir.filePath("without.pdf");
    const int pages = writeReportPdf(with, a);
    ASSERT_EQ(pages, writeReportPdf(without, b) + 1);

    const QStringList text = pdfPages(a);
    ASSERT_EQ(text.size(), pages);
    // the charts' page is the last: its header, the heading, the four titles
    // in reading order, then the disclaimer; the listing ends before it
    const QString last = text.back().simplified();
    EXPECT_TRUE(last.contains(QString("Page %1 / %1").arg(pages)));
    qsizetype pos = last.indexOf("Diagrams");
    ASSERT_GE(pos, 0);
    for (const char* title : {"Interaction diagram - weak axis z-z", "Resistance versus eccentricity - weak axis z-z",
                              "Interaction diagram - strong axis y-y",
                              "Resistance versus eccentricity - strong axis y-y"}) {
        const qsizetype at = last.indexOf(title, pos);
        EXPECT_GT(at, pos) << title;
        pos = std::max(pos, at);
    }
    EXPECT_GT(last.indexOf(QString::fromStdString(with.disclaimer.front()).simplified()), pos);
    const QString lastListingLine = QString::fromStdString(with.listing.back()).simplified();
    if (!lastListingLine.isEmpty()) {
        EXPECT_FALSE(last.contains(lastListingLine));
        EXPECT_TRUE(text[pages - 2].simplified().contains(lastListingLine));
    }
    for (int i = 0; i + 1 < pages; ++i)
        EXPECT_FALSE(text[i].contains("Interaction diagram")) << "page " << i + 1;
}

// At the compact size every text of a chart still stands apart from the
// others and inside the picture, for sections from small to very deep.
struct PrintCase {
    const char* name;
    Section section;
    double d;
    int n1, n2;
    double e1, e2, nEd, nFiEd;
};

class PrintedCharts : public testing::TestWithParam<PrintCase> {};

TEST_P(PrintedCharts, TextsApartAndInside)
{
    const PrintCase& k = GetParam();
    ColumnInput in;
    in.profileName = k.name;
    setSection(in, k.section);
    in.d = k.d;
    in.n1 = k.n1;
    in.n2 = k.n2;
    in.e1 = k.e1;
    in.e2 = k.e2;
    in.nEd = k.nEd;
    in.nFiEd = k.nFiEd;
    if (k.nFiEd > 0)
        in.fireClass = FireClass::R60;
    for (const Language language : kLanguages) {
        const DiagramPictures d = reportDiagrams(in, language, language == Language::English ? "." : ",");
        ASSERT_TRUE(d.valid);
        for (const Picture* pic : d.inOrder()) {
            EXPECT_TRUE(overlappingTexts(*pic).empty()) << "language " << language;
            qeln::test::expectInsidePage(*pic);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sections, PrintedCharts,
    testing::Values(PrintCase{"HE 240 A", {230, 240, 7.5, 12, 21}, 16, 4, 0, 0, 0, 0, 0},
                    PrintCase{"HE 320 A", {310, 300, 9, 15.5, 27}, 20, 4, 0, 30, 45, 3000, 1800},
                    PrintCase{"HD 400 x 187", {368, 391, 15, 24, 15}, 25, 4, 4, 150, 20, 9000, 4000},
                    PrintCase{"HE 1000 x 393", {1016, 303, 24.4, 43.9, 30}, 28, 8, 4, 100, 400, 20000, 8000}));
