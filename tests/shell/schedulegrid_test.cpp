// The Schedule window's table without the window: editing (rows, columns,
// spreadsheet paste) and the run of all rows (each row as a single design of
// its input, the summary, cancel).
#include "shell/schedulegrid.h"
#include "shell/schedulegridrun.h"

#include "calc/design.h"
#include "shell/numbersrun.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace qeln;

namespace {

ScheduleGrid sample()
{
    ScheduleGrid g;
    g.fields = {"profileName", "nEd"};
    g.rows = {{"C1", {"HE 300 B", "2000"}, false}, {"C2", {"", "3000"}, false}, {"C3", {"HE 320 A", ""}, false}};
    return g;
}

std::vector<SearchProfile> profiles()
{
    return {{"HE 300 A", {290, 300, 8.5, 14, 27, true}, 0},
            {"HE 320 A", {310, 300, 9, 15.5, 27, true}, 1},
            {"HE 300 B", {300, 300, 11, 19, 27, true}, 2},
            {"HE 400 B", {400, 300, 13.5, 24, 27, true}, 3}};
}

std::vector<std::string> names(const ScheduleGrid& g)
{
    std::vector<std::string> n;
    for (const auto& r : g.rows)
        n.push_back(r.name);
    return n;
}

} // namespace

TEST(ScheduleGrid, RowsAreAddedDeletedAndCopiedWithNamesOfTheirOwn)
{
    ScheduleGrid g = sample();
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

TEST(ScheduleGrid, ColumnsOnlyByFieldName)
{
    ScheduleGrid g = sample();
    EXPECT_EQ(addColumn(g, " fy "), AddColumn::added);
    EXPECT_EQ(addColumn(g, "fy"), AddColumn::alreadyThere);
    EXPECT_EQ(addColumn(g, "weight"), AddColumn::unknownField);
    EXPECT_EQ(g.fields.back(), "fy");
    for (const auto& r : g.rows)
        EXPECT_EQ(r.cells.size(), 3u);
    EXPECT_TRUE(removeColumn(g, "nEd"));
    EXPECT_EQ(g.cell(1, "fy"), "");
    EXPECT_EQ(g.rows[0].cells, (std::vector<std::string>{"HE 300 B", ""}));
}

TEST(ScheduleGrid, ClipboardTextAsSpreadsheetsWriteIt)
{
    const auto cells = splitClipboardText("a\t\"b\tc\"\t\"say \"\"hi\"\"\"\r\n\"two\nlines\"\t\n");
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], (std::vector<std::string>{"a", "b\tc", "say \"hi\""}));
    EXPECT_EQ(cells[1], (std::vector<std::string>{"two\nlines", ""}));
    // copied rows paste back the same
    ScheduleGrid g = sample();
    g.rows[0].name = "tab\there";
    ScheduleGrid h;
    pasteBlock(h, clipboardText(g, {0, 1, 2}), 0, 0);
    EXPECT_EQ(h, g);
}

TEST(ScheduleGrid, PasteAtTheCurrentCellGrowsTheTable)
{
    ScheduleGrid g = sample();
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

TEST(ScheduleGrid, PastedHeaderPlacesCellsByFieldName)
{
    ScheduleGrid g = sample();
    const PasteResult r = pasteBlock(g, "nEd\tname\tfy\n2500\tB7\t235\n", 0, 2);
    EXPECT_EQ(r.newColumns, (std::vector<std::string>{"fy"}));
    EXPECT_EQ(g.rows[0].name, "B7");
    EXPECT_EQ(g.cell(0, "nEd"), "2500");
    EXPECT_EQ(g.cell(0, "fy"), "235");
    EXPECT_EQ(g.cell(0, "profileName"), "HE 300 B");   // untouched
}

TEST(ScheduleRowInput, EmptyCellsKeepTheBaseAndProfilesTakeTheCatalogueSection)
{
    ScheduleGrid g = sample();
    addColumn(g, "fy");
    addColumn(g, "fireClass");
    g.rows[1].cells[2] = "235,5";   // decimal comma
    g.rows[1].cells[3] = "R60";
    ColumnInput base;
    base.nEd = 1234;
    ColumnInput in;
    std::string problem;
    ASSERT_TRUE(scheduleRowInput(base, g, 1, profiles(), in, problem)) << problem;
    EXPECT_EQ(in.profileName, base.profileName);
    EXPECT_EQ(in.nEd, 3000);
    EXPECT_EQ(in.fy, 235.5);
    EXPECT_EQ(in.fireClass, FireClass::R60);
    ASSERT_TRUE(scheduleRowInput(base, g, 2, profiles(), in, problem));
    EXPECT_EQ(in.nEd, 1234);
    EXPECT_EQ(in.profileName, "HE 320 A");
    EXPECT_EQ(in.tf, 15.5);
    ASSERT_TRUE(scheduleRowInput(base, g, 0, profiles(), in, problem));
    EXPECT_EQ(in.h, 300);
    EXPECT_EQ(in.tw, 11);
}

TEST(ScheduleRowInput, ABadCellNamesItsFieldAndGivesNoInput)
{
    struct Case {
        const char* field;
        const char* value;
        const char* says;
    };
    for (const Case& c : {Case{"nEd", "12 kN", "field nEd"}, Case{"n1", "4.5", "field n1"},
                          Case{"profileName", "HE 999 Z", "HE 999 Z is not in the catalogue"},
                          Case{"fireClass", "R45", "field fireClass"}, Case{"fy", "nan", "field fy"}}) {
        ScheduleGrid g = sample();
        addColumn(g, c.field);
        g.rows[0].cells[g.column(c.field)] = c.value;
        ColumnInput in;
        in.fy = -1;   // the marker of an input left alone
        std::string problem;
        EXPECT_FALSE(scheduleRowInput(ColumnInput{}, g, 0, profiles(), in, problem)) << c.field;
        EXPECT_NE(problem.find(c.says), std::string::npos) << problem;
        EXPECT_EQ(in.fy, -1);
    }
}

TEST(ScheduleRun, EachRowIsTheSingleDesignOfItsInputAndTheSummaryAddsThemUp)
{
    ScheduleGrid g = sample();
    addColumn(g, "lWeakCold");
    g.rows[0].cells[2] = "4";
    g.rows[1].cells[1] = "1e5";   // far too much: fails
    ColumnInput base;
    base.nEd = 1500;
    std::size_t calls = 0, lastDone = 0;
    ScheduleRunControl control;
    control.progress = [&](std::size_t done, std::size_t total) {
        ++calls;
        lastDone = done;
        EXPECT_EQ(total, 3u);
    };
    const auto o = runScheduleGrid(base, g, profiles(), control);
    ASSERT_TRUE(o);
    EXPECT_EQ(calls, 3u);
    EXPECT_EQ(lastDone, 3u);
    ASSERT_EQ(o->rows.size(), 3u);
    double steel = 0, rebars = 0;
    int passing = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const ScheduleRowOutcome& r = o->rows[i];
        ColumnInput in;
        std::string problem;
        ASSERT_TRUE(scheduleRowInput(base, g, i, profiles(), in, problem));
        EXPECT_EQ(r.input, in);
        CalcEnv env;
        env.gammas = SafetyFactors::of(in);
        NumbersRun single;
        runNumbers(env, in, single);
        EXPECT_EQ(r.passes, single.passes());
        ASSERT_TRUE(r.check && single.check);
        EXPECT_EQ(r.check->nRd, single.check->nRd);
        EXPECT_EQ(r.check->utilisation, single.check->utilisation);
        const ComponentMasses m = componentMasses(in);
        EXPECT_DOUBLE_EQ(r.steelMass, m.steel * in.lWeakCold);
        EXPECT_DOUBLE_EQ(r.rebarMass, m.rebars * in.lWeakCold);
        steel += r.steelMass;
        rebars += r.rebarMass;
        passing += r.passes ? 1 : 0;
    }
    EXPECT_FALSE(o->rows[1].passes);
    EXPECT_EQ(o->rows[0].input.lWeakCold, 4);
    EXPECT_EQ(o->summary.rows, 3);
    EXPECT_EQ(o->summary.passing, passing);
    EXPECT_EQ(o->summary.failing, 3 - passing);
    EXPECT_DOUBLE_EQ(o->summary.steelMass, steel);
    EXPECT_DOUBLE_EQ(o->summary.rebarMass, rebars);
}

TEST(ScheduleRun, SearchFillsTheRowsSectionAndABadRowFailsWithItsReason)
{
    ScheduleGrid g = sample();
    g.rows[0].search = true;
    g.rows[2].cells[0] = "HE 999 Z";
    ColumnInput base;
    base.nEd = 1500;
    const auto o = runScheduleGrid(base, g, profiles());
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->rows[0].searched);
    EXPECT_TRUE(o->rows[0].passes);
    EXPECT_EQ(o->rows[0].input.profileName, "HE 300 A");   // the lightest of the four that carries it
    EXPECT_FALSE(o->rows[1].searched);
    EXPECT_FALSE(o->rows[2].passes);
    EXPECT_NE(o->rows[2].problem.find("HE 999 Z"), std::string::npos);
    EXPECT_EQ(o->summary.failing, 1);
}

TEST(ScheduleRun, CancelGivesNoOutcome)
{
    ScheduleGrid g = sample();
    std::atomic<bool> cancel{false};
    ScheduleRunControl control;
    control.cancel = &cancel;
    control.progress = [&](std::size_t done, std::size_t) {
        if (done == 1)
            cancel = true;
    };
    EXPECT_FALSE(runScheduleGrid(ColumnInput{}, g, profiles(), control));
}
