// Editing the column schedule as the Schedule window does: rows, columns
// and the spreadsheet paste.
#include "shell/scheduleedit.h"

#include "present/texts.h"

#include <gtest/gtest.h>

#include <set>

using namespace qeln;

namespace {

Schedule sample()
{
    Schedule g;
    g.columns = {"profileName", "nEd"};
    g.rows = {{"C1", {"HE 300 B", "2000"}, false}, {"C2", {"", "3000"}, false}, {"C3", {"HE 320 A", ""}, false}};
    return g;
}

std::vector<std::string> names(const Schedule& g)
{
    std::vector<std::string> n;
    for (const auto& r : g.rows)
        n.push_back(r.name);
    return n;
}

} // namespace

TEST(ScheduleEdit, RowsAreAddedDeletedAndCopiedWithNamesOfTheirOwn)
{
    Schedule g = sample();
    EXPECT_EQ(insertRow(g, 1), 1u);
    EXPECT_EQ(g.rows[1].name, "C4");   // C1..C3 are taken
    EXPECT_EQ(g.rows[1].cells.size(), 2u);
    EXPECT_EQ(insertRow(g, 99), 4u);   // past the end: appended
    deleteRows(g, {4, 1, 1, 17});       // duplicates and indices past the end do not count
    EXPECT_EQ(g, sample());
    EXPECT_EQ(copyRows(g, {2, 0}), 3u);
    EXPECT_EQ(names(g), (std::vector<std::string>{"C1", "C2", "C3", "C1 (2)", "C3 (2)"}));
    EXPECT_EQ(g.rows[3].cells, g.rows[0].cells);
    copyRows(g, {0});
    EXPECT_EQ(g.rows[1].name, "C1 (3)");
}

TEST(ScheduleEdit, ColumnsOnlyByFieldName)
{
    Schedule g = sample();
    EXPECT_EQ(addColumn(g, " fy "), AddColumn::added);
    EXPECT_EQ(addColumn(g, "fy"), AddColumn::alreadyThere);
    EXPECT_EQ(addColumn(g, "weight"), AddColumn::unknownField);
    EXPECT_EQ(addColumn(g, "name"), AddColumn::unknownField);          // the name is a column of its own
    EXPECT_EQ(addColumn(g, "lastUpdated"), AddColumn::unknownField);   // the dates belong to the project
    EXPECT_EQ(g.columns.back(), "fy");
    for (const auto& r : g.rows)
        EXPECT_EQ(r.cells.size(), 3u);
    EXPECT_TRUE(removeColumn(g, "nEd"));
    EXPECT_EQ(g.cell(1, "fy"), "");
    EXPECT_EQ(columnOf(g, "nEd"), g.columns.size());
    EXPECT_EQ(g.rows[0].cells, (std::vector<std::string>{"HE 300 B", ""}));
}

TEST(ScheduleEdit, ClipboardTextAsSpreadsheetsWriteIt)
{
    const auto cells = splitClipboardText("a\t\"b\tc\"\t\"say \"\"hi\"\"\"\r\n\"two\nlines\"\t\n");
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], (std::vector<std::string>{"a", "b\tc", "say \"hi\""}));
    EXPECT_EQ(cells[1], (std::vector<std::string>{"two\nlines", ""}));
    // copied rows paste back the same
    Schedule g = sample();
    g.rows[0].name = "tab\there";
    g.rows[1].search = true;
    Schedule h;
    pasteBlock(h, clipboardText(g, {0, 1, 2}), 0, 0);
    EXPECT_EQ(h, g);
}

TEST(ScheduleEdit, PasteAtTheCurrentCellGrowsTheTable)
{
    Schedule g = sample();
    // at row 2, first field column: two lines, the second adds a row, a third cell has no column
    const PasteResult r = pasteBlock(g, "HE 400 B\t4100\t99\nHE 300 A\t1500\n", 2, 1);
    EXPECT_EQ(r.rowsAdded, 1u);
    EXPECT_EQ(r.cellsSet, 4u);
    EXPECT_EQ(r.cellsDropped, 1u);
    ASSERT_EQ(g.rows.size(), 4u);
    EXPECT_EQ(g.rows[2].name, "C3");
    EXPECT_EQ(g.rows[2].cells, (std::vector<std::string>{"HE 400 B", "4100"}));
    EXPECT_EQ(g.rows[3].name, "C4");
    EXPECT_EQ(g.rows[3].cells, (std::vector<std::string>{"HE 300 A", "1500"}));
}

TEST(ScheduleEdit, PastedHeaderPlacesCellsByFieldName)
{
    Schedule g = sample();
    const PasteResult r = pasteBlock(g, "nEd\tname\tfy\tsearch\n2500\tB7\t235\tyes\n", 0, 2);
    EXPECT_EQ(r.newColumns, (std::vector<std::string>{"fy"}));
    EXPECT_EQ(g.rows[0].name, "B7");
    EXPECT_EQ(g.cell(0, "nEd"), "2500");
    EXPECT_EQ(g.cell(0, "fy"), "235");
    EXPECT_EQ(g.cell(0, "profileName"), "HE 300 B");   // untouched
    EXPECT_TRUE(g.rows[0].search);
    EXPECT_FALSE(g.rows[1].search);
}

TEST(ScheduleEdit, CellsKeepADecimalPointAndBadValuesAsTyped)
{
    std::string problem;
    EXPECT_EQ(normalisedCell("lWeakCold", " 3,5 ", &problem), "3.5");
    EXPECT_TRUE(problem.empty());
    EXPECT_EQ(normalisedCell("nEd", "2500.5", &problem), "2500.5");
    EXPECT_EQ(normalisedCell("profileName", " HE 300 B ", &problem), "HE 300 B");
    EXPECT_EQ(normalisedCell("fireClass", "R90", &problem), "R90");
    EXPECT_TRUE(problem.empty());
    EXPECT_EQ(normalisedCell("nEd", "12 kN", &problem), "12 kN");
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(normalisedCell("n1", "4,5", &problem), "4,5");   // no integer either way
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(normalisedCell("fireClass", "R45", &problem), "R45");
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(normalisedCell("nEd", "2,600", &problem), "2,600");   // 2.6 or 2600: as typed
    EXPECT_NE(problem.find("2600"), std::string::npos) << problem;
    // a block from a spreadsheet of a decimal-comma region
    Schedule g = sample();
    addColumn(g, "lWeakCold");
    pasteBlock(g, "2400,5\t3,25\n", 0, 2);
    EXPECT_EQ(g.cell(0, "nEd"), "2400.5");
    EXPECT_EQ(g.cell(0, "lWeakCold"), "3.25");
}

// The window's headings: words and units in the user's language, each
// naming one field, and read back as that field when a copied block with its
// header is pasted (from the window in any language, or a CSV's names).
TEST(ScheduleEdit, HeadingsInWordsNameTheirFieldInEveryLanguage)
{
    for (Language base : kLanguages) {
        std::set<std::string> seen;
        for (const std::string& f : scheduleFieldNames()) {
            const std::string h = scheduleFieldHeading(f, base);
            EXPECT_NE(h, f) << f;   // never the JSON name
            EXPECT_TRUE(seen.insert(h).second) << "heading twice: " << h;
            EXPECT_EQ(fieldOfHeading(h), f) << h;
            EXPECT_FALSE(isResultHeading(h)) << h;
        }
    }
    EXPECT_EQ(scheduleFieldHeading("lWeakCold", Language::English), "Buckling length z-z, normal temperature [m]");
    EXPECT_EQ(scheduleFieldHeading("nFiEd", Language::German), "N.fi,Ed, Brandfall [kN]");
    EXPECT_EQ(scheduleFieldHeading("dg", Language::English), "Maximum aggregate size d.g [mm]");
    EXPECT_EQ(scheduleFieldHeading("line", Language::English), "Column line");   // the field before it keeps its heading
    EXPECT_EQ(fieldOfHeading(" Knicklänge z-z,\nNormaltemperatur [m] "), "lWeakCold");   // as the header shows it
    EXPECT_EQ(fieldOfHeading("NEd"), "nEd");
    EXPECT_EQ(fieldOfHeading("Nom"), "name");
    EXPECT_EQ(fieldOfHeading("weight"), "");

    // a range copied from the French window: name, a field and two results
    Schedule g = sample();
    const std::string block = "Nom\t" + scheduleFieldHeading("nEd", Language::French) + "\t" +
                              LoadText(1375, Language::French, nullptr) + "\t" + LoadText(1276, Language::French, nullptr) +
                              "\nC9\t4100\tNON VÉRIFIÉ\t1,250\n";
    const PasteResult r = pasteBlock(g, block, 0, 0);
    EXPECT_EQ(g.rows[0].name, "C9");
    EXPECT_EQ(g.cell(0, "nEd"), "4100");
    EXPECT_EQ(g.columns, sample().columns);   // the results are passed over
    EXPECT_EQ(r.cellsDropped, 0u);
}

// The cells take what the input dialogs take: a number outside their range
// is kept but named, as a number that is none.
TEST(ScheduleEdit, CellsOutsideTheDialogsRangeAreNamed)
{
    std::string problem;
    EXPECT_EQ(normalisedCell("lStrongFire", "7000", &problem), "7000");
    EXPECT_EQ(problem, "7000 is outside 0 to 20");
    EXPECT_EQ(normalisedCell("lStrongFire", "20", &problem), "20");
    EXPECT_TRUE(problem.empty());
    EXPECT_EQ(normalisedCell("gammaC", "0,9", &problem), "0.9");
    EXPECT_EQ(problem, "0.9 is outside 1 to 5");
    normalisedCell("nEd", "1000001", &problem);
    EXPECT_FALSE(problem.empty());
    normalisedCell("e1", "-1000", &problem);
    EXPECT_TRUE(problem.empty());
    normalisedCell("h", "7000", &problem);   // the section's own values have no dialog range
    EXPECT_TRUE(problem.empty());
    ASSERT_TRUE(scheduleFieldRange("uc1"));
    EXPECT_EQ(scheduleFieldRange("uc1")->min, 40);
    EXPECT_FALSE(scheduleFieldRange("profileName"));
}

// A block whose numbers read differently with a decimal point and a decimal
// comma ("2.600" from a spreadsheet that groups thousands) changes nothing.
TEST(ScheduleEdit, PasteRefusesNumbersThatReadTwoWays)
{
    for (const char* block : {"C9\t2.600\n", "C9\t2,600\n", "name\tnEd\nC9\t1.002,5\n"}) {
        Schedule g;
        g.columns = {"nEd"};
        g.rows.push_back({"C1", {"3000"}, false});
        const Schedule before = g;
        const PasteResult r = pasteBlock(g, block, 1, 0);
        EXPECT_EQ(g, before) << block;
        EXPECT_NE(r.problem.find("field \"nEd\""), std::string::npos) << r.problem;
    }
    Schedule g;
    g.columns = {"nEd"};
    const PasteResult r = pasteBlock(g, "C1\t2600,5\nC2\t3.25\n", 0, 0);
    EXPECT_TRUE(r.problem.empty()) << r.problem;
    EXPECT_EQ(g.cell(0, "nEd"), "2600.5");
    EXPECT_EQ(g.cell(1, "nEd"), "3.25");
    // no more rows than a schedule file may hold
    std::string many;
    for (std::size_t i = 0; i <= kMaxScheduleRows; ++i)
        many += "a\n";
    EXPECT_FALSE(pasteBlock(g, many, 0, 0).problem.empty());
    EXPECT_EQ(g.rows.size(), 2u);
}
