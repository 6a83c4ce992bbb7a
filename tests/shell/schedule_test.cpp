// The column schedule: CSV dialects and malformed rows, rows over the base
// project, the project file's block, the results of every row against the
// calculate command, shared searches, the summary and the speed.
#include "shell/schedule.h"
#include "shell/schedulecolumns.h"

#include "shell/numbersrun.h"
#include "shell/projectfile.h"
#include "shell/run.h"

#include "present/messages.h"
#include "present/texts.h"
#include "catalogue/profiles.h"

#include "tests/catalogue/test_support.h"
#include "tests/run_fixtures.h"
#include "tests/sanitized.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unistd.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace qeln;

const std::string kExample = std::string(QELN_SOURCE_DIR) + "/tests/data/schedule-40.csv";

const ProfileIndex& catalogue()
{
    static const ProfileIndex index(
        searchProfiles(ProfileCatalogue::open(std::string(QELN_BIN_DIR) + "/" + kProfileTableFile, "")));
    return index;
}

// The schedule every dialect case below must read as.
Schedule expectedSmall()
{
    Schedule s;
    s.columns = {"profileName", "d", "nEd", "positionName"};
    s.rows.push_back({"C1, floor 1", {"HE 300 B", "2.5", "3000", "Stütze \"Nord\""}, false});
    s.rows.push_back({"C2", {"", "20", "1500.75", ""}, true});
    return s;
}

struct DialectCase {
    const char* label;
    std::string bytes;
};

class CsvDialects : public testing::TestWithParam<DialectCase> {};

TEST_P(CsvDialects, ReadTheSameSchedule)
{
    Schedule s;
    Failure f;
    ASSERT_TRUE(readScheduleCsv(GetParam().bytes, s, f)) << f.describe();
    EXPECT_EQ(s, expectedSmall());
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, CsvDialects,
    testing::Values(
        DialectCase{"commaPointLf",
                    "name,search,profileName,d,nEd,positionName\n"
                    "\"C1, floor 1\",,HE 300 B,2.5,3000,\"Stütze \"\"Nord\"\"\"\n"
                    "C2,yes,,20,1500.75,\n"},
        DialectCase{"commaPointCrlfBomBlanks",
                    "\xEF\xBB\xBFname , search,profileName,d,nEd,positionName\r\n"
                    "\"C1, floor 1\",no, HE 300 B ,2.5 ,3000,\"Stütze \"\"Nord\"\"\"\r\n"
                    "\r\n"
                    "C2,1,,20,1500.75,\r\n"},
        DialectCase{"semicolonDecimalComma",
                    "name;search;profileName;d;nEd;positionName\r\n"
                    "C1, floor 1;;HE 300 B;2,5;3000;\"Stütze \"\"Nord\"\"\"\r\n"
                    "C2;true;;20;1500,75;\r\n"
                    ";;;;;\r\n;;;;;\r\n"},
        DialectCase{"semicolonDecimalPoint",
                    "name;search;profileName;d;nEd;positionName\n"
                    "\"C1, floor 1\";;HE 300 B;2.5;3000;\"Stütze \"\"Nord\"\"\"\n"
                    "C2;yes;;20;1500.75;\n"},
        DialectCase{"tabsPastedFromASpreadsheet",
                    "name\tsearch\tprofileName\td\tnEd\tpositionName\n"
                    "C1, floor 1\t\tHE 300 B\t2,5\t3000\t\"Stütze \"\"Nord\"\"\"\n"
                    "C2\tyes\t\t20\t1500.75\t\n"
                    "\t\t\t\t\t\n"},
        DialectCase{"windows1252",
                    "name;search;profileName;d;nEd;positionName\r\n"
                    "C1, floor 1;;HE 300 B;2,5;3000;\"St\xFCtze \"\"Nord\"\"\"\r\n"
                    "C2;yes;;20;1500,75;\r\n"},
        DialectCase{"columnsInAnotherOrderNoFinalLineEnd",
                    "search,name,profileName,d,nEd,positionName\n"
                    ",\"C1, floor 1\",HE 300 B,2.5,3000,\"Stütze \"\"Nord\"\"\"\n"
                    "yes,C2,,20,1500.75,"}),
    [](const auto& info) { return std::string(info.param.label); });

struct WriteCase {
    CsvDialect dialect;
    const char* firstRow;   // the line of row C1 as written
};

class CsvWriting : public testing::TestWithParam<WriteCase> {};

TEST_P(CsvWriting, RoundTripsAndWritesTheDialect)
{
    const Schedule s = expectedSmall();
    const std::string text = scheduleCsv(s, GetParam().dialect);
    EXPECT_NE(text.find(std::string(GetParam().firstRow) + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");
    Schedule back;
    Failure f;
    ASSERT_TRUE(readScheduleCsv(text, back, f)) << f.describe();
    EXPECT_EQ(back, s);
}

INSTANTIATE_TEST_SUITE_P(Schedule, CsvWriting,
                         testing::Values(WriteCase{CsvDialect::commaPoint,
                                                   "\"C1, floor 1\",,HE 300 B,2.5,3000,\"Stütze \"\"Nord\"\"\""},
                                         WriteCase{CsvDialect::semicolonComma,
                                                   "C1, floor 1;;HE 300 B;2,5;3000;\"Stütze \"\"Nord\"\"\""}));

struct MalformedCase {
    const char* label;
    const char* text;
    int line;
    const char* field;
    const char* detailPart;
};

class CsvMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(CsvMalformed, NamesLineAndFieldAndKeepsTheSchedule)
{
    const MalformedCase& c = GetParam();
    Schedule s = expectedSmall();
    Failure f;
    EXPECT_FALSE(readScheduleCsv(c.text, s, f));
    EXPECT_EQ(f.line, c.line) << f.describe();
    EXPECT_EQ(f.field, c.field) << f.describe();
    EXPECT_NE(f.detail.find(c.detailPart), std::string::npos) << f.detail;
    EXPECT_EQ(s, expectedSmall());   // nothing half-read
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, CsvMalformed,
    testing::Values(
        MalformedCase{"tooFewCells", "name,d,n1\nC1,20,4\nC2,20\n", 3, "", "has 2 cells, the header 3"},
        MalformedCase{"tooManyCells", "name,d\nC1,20,4\n", 2, "", "has 3 cells"},
        MalformedCase{"unknownColumn", "name,d,diameter\nC1,20,4\n", 1, "", "\"diameter\" is not a column"},
        MalformedCase{"columnTwice", "name,d,d\nC1,20,20\n", 1, "d", "given twice"},
        MalformedCase{"noName", "d,n1\n20,4\n", 1, "", "no column \"name\""},
        MalformedCase{"notANumber", "name,d,n1\nC1,20,4\nC2,2x,4\n", 3, "d", "\"2x\" is not a number"},
        MalformedCase{"commaInPointFile", "name,d\nC1,\"2,5\"\n", 2, "d", "is not a number"},
        MalformedCase{"pointAndCommaInOneCell", "name;d\nC1;1.002,5\n", 2, "d", "is not a number"},
        // a number with a thousands separator, or that reads as two values in
        // the two conventions, is refused in the dialects that take a decimal comma
        MalformedCase{"semicolonGroupedPoint", "name;nEd\nC1;2.600\n", 2, "nEd", "a thousands separator?"},
        MalformedCase{"tabGroupedComma", "name\tnEd\nC1\t2,600\n", 2, "nEd", "a thousands separator?"},
        MalformedCase{"semicolonGroupedComma", "name;nEd\nC1;2,125\n", 2, "nEd", "a thousands separator?"},
        MalformedCase{"signedGrouped", "name;nEd\nC1;+1.250\n", 2, "nEd", "a thousands separator?"},
        MalformedCase{"twoGroups", "name\tnEd\nC1\t1,002,500\n", 2, "nEd", "without thousands separators"},
        MalformedCase{"quotedCommaInCommaFile", "name,nEd\nC1,\"2,600\"\n", 2, "nEd", "is not a number"},
        MalformedCase{"notAnInteger", "name,n1\nC1,4.5\n", 2, "n1", "not an integer"},
        MalformedCase{"negativeLoad", "name,nEd\nC1,-10\n", 2, "nEd", "nEd"},
        MalformedCase{"absurdLoad", "name;nFiEd\nC1;2e9\n", 2, "nFiEd", "nFiEd"},
        MalformedCase{"unknownFireClass", "name,fireClass\nC1,R45\n", 2, "fireClass", "not a fire class"},
        MalformedCase{"notABoolean", "name,autoReduce\nC1,maybe\n", 2, "autoReduce", "not true or false"},
        MalformedCase{"badSearch", "name,search\nC1,perhaps\n", 2, "search", "not yes or no"},
        MalformedCase{"infinity", "name,e1\nC1,inf\n", 2, "e1", "not a number"},
        MalformedCase{"openQuote", "name,d\nC1,20\n\"C2,20\n", 3, "", "not closed"},
        MalformedCase{"quoteInsideCell", "name,d\nC1,2\"0\n", 2, "", ""},
        MalformedCase{"empty", "", 1, "", "no header"},
        MalformedCase{"utf8AndAStrayByte", "name,positionName\nC1,St\xC3\xBCtze\nC2,St\xFCtze\n", 3, "", "not UTF-8"}),
    [](const auto& info) { return std::string(info.param.label); });

// A number with a decimal comma or point where the dialect takes it is read
// with a point (the numbers that could be read two ways are refused above).
struct NumberCase {
    const char* label;
    const char* text;
    const char* nEd;   // as read
};

class CsvNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(CsvNumbers, AreReadWithADecimalPoint)
{
    Schedule s;
    Failure f;
    ASSERT_TRUE(readScheduleCsv(GetParam().text, s, f)) << f.describe();
    EXPECT_EQ(s.cell(0, "nEd"), GetParam().nEd);
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, CsvNumbers,
    testing::Values(NumberCase{"decimalComma", "name;nEd\nC1;2600,5\n", "2600.5"},
                    NumberCase{"decimalPointInSemicolonFile", "name;nEd\nC1;3.6\n", "3.6"},
                    NumberCase{"fourDecimals", "name;nEd\nC1;2,6000\n", "2.6000"},
                    NumberCase{"leadingZero", "name;nEd\nC1;0,125\n", "0.125"},
                    NumberCase{"fourDigitsBefore", "name\tnEd\nC1\t2600,125\n", "2600.125"},
                    NumberCase{"exponent", "name;nEd\nC1;2,6e3\n", "2.6e3"},
                    NumberCase{"pointInCommaFile", "name,nEd\nC1,2.600\n", "2.600"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Schedule, LinesAreCountedWithLoneCarriageReturnsAndPaddingIsNotARow)
{
    Schedule s;
    Failure f;
    EXPECT_FALSE(readScheduleCsv("name,d\rC1,20\rC2,20\rC3,2x\r", s, f));
    EXPECT_EQ(f.line, 4) << f.describe();
    // a row and a million lines of separators: one row
    std::string padded = "name,d\r\nC1,20\r\n";
    for (int i = 0; i < 1000000; ++i)
        padded += ",\r\n";
    ASSERT_TRUE(readScheduleCsv(padded, s, f)) << f.describe();
    EXPECT_EQ(s.rows.size(), 1u);
}

// A cell of 10 MB grows libcsv's buffer in few steps (in small fixed steps
// the sanitizers' build took minutes).
TEST(Schedule, AHugeCellIsReadQuickly)
{
    const std::string text = "name,nEd\n" + std::string(10u << 20, 'x') + ",1000\n";
    const auto start = std::chrono::steady_clock::now();
    Schedule s;
    Failure f;
    ASSERT_TRUE(readScheduleCsv(text, s, f)) << f.describe();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, QELN_SANITIZED ? 30.0 : 3.0);
    EXPECT_EQ(s.rows.at(0).name.size(), 10u << 20);
}

// Cells a spreadsheet would run as a formula are written so that it does
// not, and read back as they were; the project file keeps them exactly.
TEST(Schedule, FormulaCellsAreNeutralisedInCsvAndReadBackUnchanged)
{
    Schedule s;
    s.columns = {"positionName", "profileName", "e1", "nEd"};
    for (const char* text : {"=HYPERLINK(\"http://x\",\"a\")", "+SUM(1)", "-2+3", "@SUM(A1:A2)", "\t=1", "\r=1",
                             "'=1", "'quoted'", "''", "plain", "a=b"})
        s.rows.push_back({text, {text, text, "-20", "3000"}, false});
    for (const CsvDialect dialect : {CsvDialect::commaPoint, CsvDialect::semicolonComma}) {
        const std::string csv = scheduleCsv(s, dialect);
        std::istringstream lines(csv);
        std::string line;
        std::getline(lines, line);   // the header
        while (std::getline(lines, line)) {
            const std::size_t cell = line.find_first_not_of('"');
            ASSERT_NE(cell, std::string::npos);
            EXPECT_EQ(std::string_view("=+-@\t\r").find(line[cell]), std::string_view::npos) << line;
        }
        EXPECT_NE(csv.find(dialect == CsvDialect::commaPoint ? ",-20,3000" : ";-20;3000"), std::string::npos) << csv;
        Schedule back;
        Failure f;
        ASSERT_TRUE(readScheduleCsv(csv, back, f)) << f.describe();
        EXPECT_EQ(back, s);
    }
    ScheduleOutcome o;
    o.rows.resize(s.rows.size());
    const std::string results = scheduleResultsCsv(s, o, CsvDialect::commaPoint);
    EXPECT_EQ(results.find(",="), std::string::npos);
    EXPECT_EQ(results.find("\n="), std::string::npos);
    EXPECT_EQ(results.find("\n+"), std::string::npos);
    const std::string block = ScheduleBlockContent(s);
    EXPECT_NE(block.find("row=+SUM(1),+SUM(1),+SUM(1),-20,3000"), std::string::npos) << block;
}

// ---------------------------------------------------------------- rows

TEST(ScheduleRows, EmptyCellsTakeTheBaseAndProfilesTheirSection)
{
    ColumnInput base;   // HE 320 A, d 20, n1 4
    base.positionName = "base";
    base.lWeakCold = 4.0;
    base.nEd = 2500;
    base.fireClass = FireClass::R60;
    Schedule s;
    s.columns = {"profileName", "d", "n2", "tw", "lWeakCold", "nEd", "fireClass", "positionName"};
    s.rows.push_back({"all base", {"", "", "", "", "", "", "", ""}, false});
    s.rows.push_back({"own", {"HE 300 B", "25", "4", "12", "3.5", "4000", "none", "C7"}, false});
    s.rows.push_back({"unknown", {"HE 999 Z", "", "", "", "", "", "", ""}, false});

    ColumnInput in;
    Failure f;
    ASSERT_TRUE(rowInput(base, s, 0, catalogue(), in, f)) << f.describe();
    EXPECT_EQ(in, base);

    ASSERT_TRUE(rowInput(base, s, 1, catalogue(), in, f)) << f.describe();
    const SteelProfile* p = catalogue().find("HE 300 B");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(in.profileName, "HE 300 B");
    EXPECT_EQ(in.h, p->h);
    EXPECT_EQ(in.b, p->b);
    EXPECT_EQ(in.tw, 12);   // the row's value over the catalogue's
    EXPECT_EQ(in.d, 25);
    EXPECT_EQ(in.n1, 4);
    EXPECT_EQ(in.n2, 4);
    EXPECT_EQ(in.lWeakCold, 3.5);
    EXPECT_EQ(in.lStrongCold, base.lStrongCold);
    EXPECT_EQ(in.nEd, 4000);
    EXPECT_FALSE(in.fireClass.has_value());
    EXPECT_EQ(in.positionName, "C7");

    in = base;
    EXPECT_FALSE(rowInput(base, s, 2, catalogue(), in, f));
    EXPECT_EQ(f.row, 2);
    EXPECT_EQ(f.field, "profileName");
    EXPECT_EQ(in, base);

    // a whole section given: no catalogue needed
    s.columns = {"profileName", "h", "b", "tw", "tf", "r"};
    s.rows = {{"welded", {"WELD 400", "400", "400", "12", "20", "0"}, false}};
    ASSERT_TRUE(rowInput(base, s, 0, ProfileIndex(), in, f)) << f.describe();
    EXPECT_EQ(in.profileName, "WELD 400");
    EXPECT_EQ(in.h, 400);
    EXPECT_EQ(in.r, 0);
}

// Every row of the example against the calculate command of its input: the
// same table, scope, check and message counts.
TEST(ScheduleRows, EveryRowEqualsTheCalculateCommand)
{
    Schedule s;
    Failure f;
    ASSERT_TRUE(readScheduleCsv(test::readFile(kExample), s, f)) << f.describe();
    ASSERT_EQ(s.rows.size(), 40u);
    ColumnInput base;
    const ScheduleOutcome o = runSchedule(base, s, catalogue());
    ASSERT_EQ(o.rows.size(), 40u);
    std::size_t passing = 0, fireClasses = 0;
    for (std::size_t i = 0; i < o.rows.size(); ++i) {
        const ScheduleRowResult& r = o.rows[i];
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(r.inputOk) << r.failure.describe();
        ColumnInput in;
        ASSERT_TRUE(rowInput(base, s, i, catalogue(), in, f));
        if (r.searched) {   // marked in the example's search column: runs with the section found
            ASSERT_TRUE(r.searchFound);
            in = r.input;
        }
        EXPECT_EQ(r.input, in);
        const test::Calc run{in};
        const RunState& st = run.st;
        const bool valid = run.ok;
        EXPECT_EQ(r.valid, valid);
        EXPECT_EQ(r.calcError, st.calcError);
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 5; ++col)
                EXPECT_EQ(r.table.at(row, col), st.results.table.at(row, col)) << row << "," << col;
        EXPECT_EQ(r.scope, st.scope);
        ASSERT_EQ(r.check.has_value(), st.check.has_value());
        if (r.check) {
            EXPECT_EQ(r.check->passes, st.check->passes);
            EXPECT_EQ(r.check->nRd, st.check->nRd);
            EXPECT_EQ(r.check->nFiRd, st.check->nFiRd);
            EXPECT_EQ(r.check->utilisation, st.check->utilisation);
            EXPECT_EQ(r.check->fireUtilisation, st.check->fireUtilisation);
            EXPECT_EQ(r.check->achievedClass, st.check->achievedClass);
            EXPECT_EQ(r.nRd, st.check->nRd);
            EXPECT_EQ(r.nFiRd, st.check->nFiRd);
        }
        EXPECT_EQ(r.passes, valid && (!st.check || st.check->passes));
        EXPECT_EQ(r.errors > 0, st.results.hasErrors);
        EXPECT_EQ(r.warnings > 0, st.results.hasWarnings);
        passing += r.passes ? 1 : 0;
        fireClasses += r.input.fireClass ? 1 : 0;
    }
    // the example is what it says: some rows fail, most pass, fire classes given
    EXPECT_EQ(o.summary.passing, passing);
    EXPECT_GE(passing, 25u);   // rows whose fire check rests on the strong axis are not verified
    EXPECT_LT(passing, 40u);
    EXPECT_EQ(fireClasses, 40u);
}

TEST(ScheduleRows, SummaryIsKgPerMetreTimesTheMemberLength)
{
    Schedule s;
    s.columns = {"profileName", "length", "nEd", "n1"};
    s.rows.push_back({"a", {"HE 300 B", "3", "1000", ""}, false});
    s.rows.push_back({"b", {"HE 300 B", "4.5", "1000", ""}, false});
    s.rows.push_back({"c", {"HE 300 B", "3", "99000", ""}, false});   // fails its check
    s.rows.push_back({"d", {"HE 999 Z", "3", "", ""}, false});        // input not taken
    s.rows.push_back({"e", {"HE 300 B", "3", "1000", "-1000"}, false});   // refused by the checks
    ColumnInput base;
    base.n1 = 4;
    base.d = 20;
    const ScheduleOutcome o = runSchedule(base, s, catalogue());
    ASSERT_EQ(o.rows.size(), 5u);
    EXPECT_TRUE(o.rows[4].inputOk);
    EXPECT_FALSE(o.rows[4].valid);
    EXPECT_EQ(o.rows[4].rebarPerMetre, 0);
    const double steel = o.rows[0].steelPerMetre, rebars = o.rows[0].rebarPerMetre;
    const Section a = sectionOf(*catalogue().find("HE 300 B"));
    EXPECT_NEAR(steel, 0.00785 * ((a.h - 2 * a.tf) * a.tw + 0.8584 * a.r * a.r + 2 * a.b * a.tf), 1e-9);
    EXPECT_NEAR(rebars, 0.00785 * 4 * std::numbers::pi * 100, 1e-3);
    EXPECT_EQ(o.summary.rows, 5u);
    EXPECT_EQ(o.summary.passing, 2u);
    EXPECT_EQ(o.summary.failing, 3u);
    EXPECT_FALSE(o.rows[2].passes);
    EXPECT_FALSE(o.rows[3].inputOk);
    EXPECT_EQ(o.rows[3].failure.field, "profileName");
    EXPECT_NEAR(o.summary.steelMass, steel * (3 + 4.5 + 3), 1e-9);
    EXPECT_NEAR(o.summary.rebarMass, rebars * (3 + 4.5 + 3), 1e-9);
    EXPECT_EQ(summarise(o.rows).steelMass, o.summary.steelMass);
}

TEST(ScheduleSearch, RowsWithTheSameLoadsShareOneSearch)
{
    Schedule s;
    s.columns = {"profileName", "positionName", "nEd", "nFiEd", "fireClass"};
    s.rows.push_back({"a", {"HE 300 B", "A", "2500", "1200", "R60"}, false});
    s.rows.push_back({"b", {"HE 400 B", "B", "2500", "1200", "R60"}, false});   // other section, same loads
    s.rows.push_back({"c", {"", "C", "4000", "", ""}, false});
    s.rows.push_back({"d", {"", "D", "", "", ""}, false});   // no loads: cannot search
    ColumnInput base;
    ScheduleOptions opt;
    opt.searchAll = true;
    opt.constraints.families = {"HE B"};
    opt.constraints.diameters = {16, 20};
    opt.constraints.layouts = {{4, 0}};
    const ScheduleOutcome o = runSchedule(base, s, catalogue(), opt);
    ASSERT_EQ(o.rows.size(), 4u);
    EXPECT_EQ(o.searchesRun, 2u);   // a and b share; d cannot start
    EXPECT_TRUE(o.rows[0].searchFound);
    EXPECT_EQ(o.rows[0].profileName, o.rows[1].profileName);
    EXPECT_EQ(o.rows[0].d, o.rows[1].d);
    EXPECT_TRUE(o.rows[0].passes);
    EXPECT_TRUE(o.rows[2].searchFound);
    EXPECT_FALSE(o.rows[3].searchFound);
    EXPECT_FALSE(o.rows[3].searchProblem.empty());
    // the chosen section is the search's first candidate for that input
    ColumnInput in;
    Failure f;
    ASSERT_TRUE(rowInput(base, s, 0, catalogue(), in, f));
    const SearchOutcome direct = searchSections(in, catalogue().profiles(), opt.constraints);
    ASSERT_FALSE(direct.candidates.empty());
    EXPECT_EQ(o.rows[0].profileName, direct.candidates.front().profileName);
    EXPECT_EQ(o.rows[0].n1, direct.candidates.front().n1);

    // written back into the rows, the sections run without a search
    const Schedule chosen = withChosenSections(s, o);
    const ScheduleOutcome again = runSchedule(base, chosen, catalogue());
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(again.rows[i].profileName, o.rows[i].profileName);
        EXPECT_EQ(again.rows[i].table.at(0, 4), o.rows[i].table.at(0, 4));
    }
}

TEST(ScheduleSearch, CancelStopsBeforeTheNextRow)
{
    Schedule s;
    s.columns = {"nEd"};
    for (int i = 0; i < 10; ++i)
        s.rows.push_back({std::string("r").append(std::to_string(i)), {std::to_string(1000 + i)}, false});
    std::atomic<bool> cancel{false};
    ScheduleOptions opt;
    opt.cancel = &cancel;
    std::size_t calls = 0;
    opt.progress = [&](std::size_t done, std::size_t total) {
        ++calls;
        EXPECT_EQ(total, 10u);
        if (done >= 3)
            cancel = true;
    };
    opt.searchAll = true;
    opt.constraints.families = {"HE B"};
    const ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue(), opt);
    EXPECT_TRUE(o.cancelled);
    EXPECT_EQ(o.rows.size(), 3u);
    EXPECT_GE(calls, 3u);
    EXPECT_EQ(o.summary.rows, 3u);
}

// ---------------------------------------------------------------- the member in the schedule

// A row passes as the single design of its input does.
bool passes(const ColumnInput& in)
{
    NumbersRun run;
    runNumbers(in, run);
    return run.valid && (!run.check || run.check->passes);
}

// Three identical 3.6 m columns braced otherwise: 3 x 421 kg.
TEST(MemberSchedule, MassesByMemberLength)
{
    Schedule s;
    s.columns = {"profileName", "length", "lWeakCold"};
    s.rows.push_back({"a", {"HE 300 B", "3.6", "3.6"}, false});
    s.rows.push_back({"b", {"HE 300 B", "3.6", "1.8"}, false});
    s.rows.push_back({"c", {"HE 300 B", "3.6", "7.2"}, false});
    ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue());
    ASSERT_EQ(o.rows.size(), 3u);
    EXPECT_NEAR(o.rows[0].steelPerMetre, 117.0, 0.1);
    EXPECT_NEAR(o.summary.steelMass, 3 * 3.6 * o.rows[0].steelPerMetre, 1e-9);
    EXPECT_EQ(std::lround(o.summary.steelMass), 1264);
    EXPECT_NEAR(o.summary.concreteVolume, 3 * 3.6 * o.rows[0].concretePerMetre, 1e-12);
    EXPECT_GT(o.summary.concreteVolume, 0);
    EXPECT_EQ(o.summary.rowsWithoutLength, 0u);
    // two combinations of one position are one column: weighed once
    s.rows[1].name = "a";
    o = runSchedule(ColumnInput{}, s, catalogue());
    EXPECT_NEAR(o.summary.steelMass, 2 * 3.6 * o.rows[0].steelPerMetre, 1e-9);
    EXPECT_EQ(o.summary.positions, 2u);
    s.rows[1].name = "b";
    // a row without a length adds nothing and is counted
    s.rows[2].cells[1] = "";
    o = runSchedule(ColumnInput{}, s, catalogue());
    EXPECT_NEAR(o.summary.steelMass, 2 * 3.6 * o.rows[0].steelPerMetre, 1e-9);
    EXPECT_EQ(o.summary.rowsWithoutLength, 1u);
}

TEST(MemberSchedule, CombinationsOfAPosition)
{
    Schedule s;
    s.columns = {"profileName", "nEd", "myTop", "myBottom"};
    s.rows.push_back({"C1", {"HE 300 B", "2000", "", ""}, false});
    s.rows.push_back({"C1", {"HE 300 B", "1800", "90", "-45"}, false});
    s.rows.push_back({"C2", {"HE 300 B", "1000", "", ""}, false});
    ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue());
    ASSERT_EQ(o.rows.size(), 3u);
    for (const ScheduleRowResult& r : o.rows)
        EXPECT_EQ(r.passes, passes(r.input)) << r.name;
    const double u = std::max(*o.rows[0].utilisation, *o.rows[1].utilisation);
    EXPECT_EQ(*o.rows[0].positionUtilisation, u);
    EXPECT_EQ(*o.rows[1].positionUtilisation, u);
    EXPECT_EQ(o.rows[0].positionRows, 2u);
    EXPECT_EQ(o.summary.positions, 2u);
    // one failing combination fails the position
    s.rows[1].cells[1] = "9000";
    o = runSchedule(ColumnInput{}, s, catalogue());
    EXPECT_TRUE(o.rows[0].passes);
    EXPECT_FALSE(o.rows[1].passes);
    EXPECT_FALSE(o.rows[0].positionPasses);
    EXPECT_TRUE(o.rows[2].positionPasses);
    EXPECT_EQ(o.summary.positionsPassing, 1u);

    // the search finds the lightest section that carries both combinations
    s.rows[1].cells[1] = "1800";
    for (ScheduleRow& r : s.rows)
        r.search = r.name == "C1";
    ScheduleOptions options;
    options.constraints.families = {"HE B"};
    options.constraints.diameters = {16, 20};
    options.constraints.layouts = {{4, 0}};
    o = runSchedule(ColumnInput{}, s, catalogue(), options);
    ASSERT_TRUE(o.rows[0].searchFound) << o.rows[0].searchProblem;
    EXPECT_EQ(o.rows[0].profileName, o.rows[1].profileName);
    EXPECT_EQ(o.rows[0].d, o.rows[1].d);
    EXPECT_TRUE(o.rows[0].passes && o.rows[1].passes);
    // and nothing lighter of the same search does
    SearchControl all;
    all.keep = 1000;
    ColumnInput base = o.rows[0].input;
    const SearchOutcome found = searchSections(base, catalogue().profiles(), options.constraints, all);
    for (const SearchCandidate& c : found.candidates) {
        if (c.steelMass >= o.rows[0].steelPerMetre)
            break;
        ColumnInput second = o.rows[1].input;
        EXPECT_FALSE(passes(c.applyTo(second))) << c.profileName << " carries both";
    }
}

TEST(MemberSchedule, AColumnLineGetsOneSection)
{
    Schedule s;
    s.columns = {"profileName", "nEd", "line", "length"};
    s.rows.push_back({"EG A1", {"HE 300 B", "4000", "A1", "4.2"}, true});
    s.rows.push_back({"OG1 A1", {"HE 260 B", "2500", "A1", "3.4"}, true});
    s.rows.push_back({"OG2 A1", {"HE 260 B", "1000", "A1", "3.4"}, false});
    s.rows.push_back({"EG B1", {"HE 260 B", "1000", "", "4.2"}, true});
    ScheduleOptions options;
    options.constraints.families = {"HE B"};
    options.constraints.diameters = {16};
    options.constraints.layouts = {{4, 0}};
    const ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue(), options);
    ASSERT_EQ(o.rows.size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(o.rows[i].name);
        EXPECT_EQ(o.rows[i].sectionGroup, "line A1");
        EXPECT_TRUE(o.rows[i].searchFound);
        EXPECT_EQ(o.rows[i].profileName, o.rows[0].profileName);
        EXPECT_TRUE(o.rows[i].passes);
        EXPECT_EQ(o.rows[i].passes, passes(o.rows[i].input));
    }
    // the line's section is the one its heaviest row needs on its own
    ColumnInput alone = o.rows[0].input;
    alone.profileName = "HE 300 B";
    const SearchOutcome own = searchSections(alone, catalogue().profiles(), options.constraints, {});
    ASSERT_FALSE(own.candidates.empty());
    EXPECT_EQ(own.candidates.front().profileName, o.rows[0].profileName);
    // a row outside the line keeps its own lighter section
    EXPECT_TRUE(o.rows[3].searchFound);
    EXPECT_EQ(o.rows[3].sectionGroup, "position EG B1");
    EXPECT_LE(o.rows[3].steelPerMetre, o.rows[0].steelPerMetre);
}

// ---------------------------------------------------------------- project file

TEST(ScheduleProjectFile, RoundTripWithAndWithoutLoads)
{
    Schedule s = expectedSmall();
    s.rows[0].name = "Ünterzug \\ [C1]";   // a backslash and a bracket
    s.rows[1].name = "second\tline";
    for (const bool loads : {false, true}) {
        ColumnInput in;
        in.projectName = "Bürohaus";
        if (loads) {
            in.nEd = 3000;
            in.fireClass = FireClass::R90;
        }
        const std::string bytes = ProjectFileContent(in, &s);
        const std::string before = ProjectFileContent(in);
        ASSERT_EQ(bytes.substr(0, before.size()), before);   // the block comes last
        const std::string block = bytes.substr(before.size());
        EXPECT_EQ(block.rfind("[schedule]\r\ncolumns=name,search,", 0), 0u) << block;
        for (const char ch : block)
            EXPECT_LT(static_cast<unsigned char>(ch), 0x80u);

        ColumnInput back;
        Schedule sBack;
        const std::optional<Failure> r = ParseProjectFile(bytes, "p.qln", back, {}, &sBack);
        ASSERT_FALSE(r) << r->describe();
        EXPECT_EQ(back, in);
        EXPECT_EQ(sBack, s);
        // read without a schedule: the project all the same
        ColumnInput plain;
        ASSERT_FALSE(ParseProjectFile(bytes, "p.qln", plain, {}));
        EXPECT_EQ(plain, in);
    }
}

TEST(ScheduleProjectFile, NoRowsNoBlockAndBlocksInAnyOrder)
{
    ColumnInput in;
    in.nEd = 1500;
    Schedule empty;
    empty.columns = {"d"};
    EXPECT_EQ(ProjectFileContent(in, &empty), ProjectFileContent(in));

    Schedule s;
    s.columns = {"d"};
    s.rows.push_back({"C1", {"25"}, false});
    // the default search limits write no line of their own
    EXPECT_EQ(ScheduleBlockContent(s), "[schedule]\r\ncolumns=name,d\r\nrow=C1,25\r\n");
    const std::string head = ProjectFileContent(ColumnInput{});
    const std::string scheduleFirst = head + "[schedule]\r\ncolumns=name,d\r\nrow=C1,25\r\n\r\n[loads]\r\nNEd=1500\r\n";
    ColumnInput back;
    Schedule sBack;
    const std::optional<Failure> r = ParseProjectFile(scheduleFirst, "p.qln", back, {}, &sBack);
    ASSERT_FALSE(r) << r->describe();
    EXPECT_EQ(back.nEd, 1500);
    EXPECT_EQ(sBack, s);

    // a file without the block empties the caller's schedule
    ASSERT_FALSE(ParseProjectFile(head, "p.qln", back, {}, &sBack));
    EXPECT_TRUE(sBack.rows.empty());
}

// The schedule's own search limits: written only when they differ from the
// defaults, before the columns, and read back equal (limits without rows too).
TEST(ScheduleProjectFile, EveryLimitRoundTrips)
{
    Schedule s;
    s.columns = {"d"};
    s.rows.push_back({"C1", {"25"}, false});
    Schedule onlyB = s;
    onlyB.constraints.maxB = 300;
    s.constraints.families = {"HE A", "HE B"};
    s.constraints.maxH = 400;
    s.constraints.maxB = 312.5;
    s.constraints.diameters = {16, 20, 25};
    s.constraints.layouts = {{4, 0}, {8, 0}};
    EXPECT_EQ(ScheduleBlockContent(s), "[schedule]\r\nfamilies=HE A, HE B\r\nmaxH=400\r\nmaxB=312.5\r\n"
                                       "diameters=16, 20, 25\r\nlayouts=4+0, 8+0\r\ncolumns=name,d\r\nrow=C1,25\r\n");
    Schedule noRows;
    noRows.constraints.layouts = {{8, 4}};
    for (const Schedule* sched : {&s, &onlyB, &noRows}) {
        ColumnInput in;
        in.nEd = 2500;
        const std::string bytes = ProjectFileContent(in, sched);
        ColumnInput back;
        Schedule sBack;
        const std::optional<Failure> r = ParseProjectFile(bytes, "p.qln", back, {}, &sBack);
        ASSERT_FALSE(r) << r->describe();
        EXPECT_EQ(sBack, *sched);
        EXPECT_EQ(ProjectFileContent(back, &sBack), bytes);
    }
}

struct BadBlockCase {
    const char* label;
    const char* block;
    int line;   // of the file
    const char* detailPart;
};

class ScheduleBlockMalformed : public testing::TestWithParam<BadBlockCase> {};

// The open project and schedule, search limits included, stay as they were.
TEST_P(ScheduleBlockMalformed, IsAReadErrorThatKeepsTheProject)
{
    const BadBlockCase& c = GetParam();
    std::string block = c.block ? c.block : "[schedule]\r\ncolumns=name\r\n";
    if (!c.block)   // one row more than a CSV file may hold
        for (std::size_t i = 0; i <= kMaxScheduleRows; ++i)
            block += "row=a\r\n";
    const std::string bytes = ProjectFileContent(ColumnInput{}) + block;
    ColumnInput project;
    project.projectName = "open";
    Schedule kept = expectedSmall();
    kept.constraints.maxH = 500;
    const Schedule before = kept;
    const std::optional<Failure> r = ParseProjectFile(bytes, "p.qln", project, {}, &kept);
    EXPECT_EQ(r->code, FailureCode::malformed);
    EXPECT_EQ(r->line, c.line) << r->describe();
    EXPECT_NE(r->detail.find(c.detailPart), std::string::npos) << r->detail;
    EXPECT_EQ(project.projectName, "open");
    EXPECT_EQ(kept, before);
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, ScheduleBlockMalformed,
    testing::Values(BadBlockCase{"notANumber", "[schedule]\r\ncolumns=name,d\r\nrow=C1,x\r\n", 36, "not a number"},
                    BadBlockCase{"rowBeforeColumns", "[schedule]\r\nrow=C1,20\r\n", 35, "before the columns"},
                    BadBlockCase{"strayLine", "[schedule]\r\ncolumns=name,d\r\nd=20\r\n", 36, "not a columns= or row="},
                    BadBlockCase{"badEscape", "[schedule]\r\ncolumns=name,d\r\nrow=C\\x1,20\r\n", 36, "backslash"},
                    BadBlockCase{"surrogate", "[schedule]\r\ncolumns=name,d\r\nrow=C\\u{D800},20\r\n", 36,
                                 "not a character"},
                    BadBlockCase{"noColumns", "[schedule]\r\n", 34, "no columns= line"},
                    BadBlockCase{"twice", "[schedule]\r\ncolumns=name\r\nrow=a\r\n[schedule]\r\ncolumns=name\r\n",
                                 37, "given twice"},
                    BadBlockCase{"unknownBlock", "[loads]\r\nNEd=10\r\n[drawing]\r\nx=1\r\n", 36,
                                 "not a block"},
                    BadBlockCase{"wrongCells", "[schedule]\r\ncolumns=name,d\r\nrow=C1,20,4\r\n", 36, "3 cells"},
                    BadBlockCase{"tooManyRows", nullptr, 100036, "more than 100000 rows"}),
    [](const auto& info) { return std::string(info.param.label); });

// A malformed search limit line.
INSTANTIATE_TEST_SUITE_P(
    ScheduleLimits, ScheduleBlockMalformed,
    testing::Values(
        BadBlockCase{"unknownFamily", "[schedule]\r\nfamilies=HE A, UPN\r\ncolumns=name\r\n", 35, "not \"UPN\""},
        BadBlockCase{"emptyFamily", "[schedule]\r\nfamilies=HE A,\r\ncolumns=name\r\n", 35, "families="},
        BadBlockCase{"maxHZero", "[schedule]\r\nmaxH=0\r\ncolumns=name\r\n", 35, "maxH= takes"},
        BadBlockCase{"maxBText", "[schedule]\r\nmaxB=30cm\r\ncolumns=name\r\n", 35, "maxB= takes"},
        BadBlockCase{"maxHInfinite", "[schedule]\r\nmaxH=inf\r\ncolumns=name\r\n", 35, "maxH= takes"},
        BadBlockCase{"diameterTooLarge", "[schedule]\r\ndiameters=16, 120\r\ncolumns=name\r\n", 35, "diameters= takes"},
        BadBlockCase{"noLayouts", "[schedule]\r\nlayouts=\r\ncolumns=name\r\n", 35, "layouts= takes"},
        BadBlockCase{"layoutNoPlus", "[schedule]\r\nlayouts=4, 8+0\r\ncolumns=name\r\n", 35, "layouts= takes"},
        BadBlockCase{"twice", "[schedule]\r\nmaxH=300\r\nmaxH=400\r\ncolumns=name\r\n", 36, "given twice"},
        BadBlockCase{"afterColumns", "[schedule]\r\ncolumns=name,d\r\nmaxB=300\r\nrow=C1,20\r\n", 36,
                     "after the columns= line"},
        BadBlockCase{"badRowAfterGoodLimits", "[schedule]\r\nmaxH=300\r\ncolumns=name,d\r\nrow=C1,x\r\n", 37,
                     "not a number"}),
    [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------- speed

TEST(ScheduleSpeed, AThousandRowsWithoutSearchWithinASecond)
{
    Schedule example;
    Failure f;
    ASSERT_TRUE(readScheduleCsv(test::readFile(kExample), example, f));
    Schedule s;
    s.columns = example.columns;
    for (int i = 0; i < 25; ++i)
        for (const ScheduleRow& r : example.rows)
            s.rows.push_back({r.name + " #" + std::to_string(i), r.cells, false});
    ASSERT_EQ(s.rows.size(), 1000u);
    const auto start = std::chrono::steady_clock::now();
    const ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double limit = QELN_SANITIZED ? 30.0 : 1.0;
    EXPECT_LT(seconds, limit);
    EXPECT_EQ(o.rows.size(), 1000u);
    EXPECT_EQ(o.summary.passing % 25, 0u);
    RecordProperty("seconds", std::to_string(seconds));
}

// A part of a workbook, read with Python's zip module.
std::string workbookPart(const std::string& book, const std::string& part)
{
    const std::string cmd = "python3 -c 'import sys,zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' '" +
                            book + "' '" + part + "'";
    std::string out;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}

// Input numbers are numbers, texts are texts (a formula too), and texts the
// XML cannot hold are replaced, not written raw; a cell too long for a
// spreadsheet refuses the workbook.
TEST(ScheduleXlsx, NumbersAsNumbersTextsAsValidTextAndOverlongCellsRefused)
{
    Schedule s;
    s.columns = {"positionName", "e1", "n1", "nEd"};
    s.rows.push_back({std::string("NUL\0x", 5), {"=1+1", "-20", "4", "3000"}, false});
    s.rows.push_back({"U+FFFE \xEF\xBF\xBE", {"", "", "", "2000"}, false});
    const ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue());
    const test::TempDir dir;
    const std::string path = dir.file("types.xlsx");
    const auto written = writeScheduleXlsx(path, s, o, Language::English);
    ASSERT_FALSE(written) << written->detail;
    const std::string sheet = workbookPart(path, "xl/worksheets/sheet1.xml");
    const std::string strings = workbookPart(path, "xl/sharedStrings.xml");
    ASSERT_FALSE(sheet.empty());
    for (const char* cell : {"<c r=\"C2\"><v>-20</v>", "<c r=\"D2\"><v>4</v>", "<c r=\"E2\"><v>3000</v>"})
        EXPECT_NE(sheet.find(cell), std::string::npos) << cell;
    EXPECT_NE(sheet.find("<c r=\"B2\" t=\"s\">"), std::string::npos);   // the formula text as a string
    EXPECT_EQ(sheet.find("<f>"), std::string::npos);
    EXPECT_EQ(strings.find("\xEF\xBF\xBE"), std::string::npos);
    EXPECT_NE(strings.find("NUL\xEF\xBF\xBDx"), std::string::npos) << strings;

    ScheduleOutcome longName = o;
    longName.rows[0].name = std::string(40000, 'N');
    const auto refused = writeScheduleXlsx(path, s, longName, Language::English);
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->detail.find("32767"), std::string::npos) << refused->detail;
}

// The results CSV and the workbook (in every language) write the columns of
// their selections of the one table in order, every line as many cells as
// the heading; a folder that is not there is a failure.
TEST(ScheduleResultColumns, TheFilesWriteTheirSelectionsInOrder)
{
    Schedule s;
    s.columns = {"nEd"};
    s.rows = {{"C1", {"3000"}, false}, {"C2", {"abc"}, true}};   // C2: no input
    const ScheduleOutcome o = runSchedule(ColumnInput{}, s, catalogue());
    std::string header = "name;search;nEd";
    for (const ResultColumn id : resultColumnsOf(ResultReader::file))
        header.append(";").append(scheduleResultColumn(id).fileName);
    const std::string csv = scheduleResultsCsv(s, o, CsvDialect::semicolonComma);
    EXPECT_EQ(csv.rfind(header + "\r\n", 0), 0u) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), ';'), 3 * std::count(header.begin(), header.end(), ';')) << csv;

    const test::TempDir dir;
    const std::string path = dir.file("columns.xlsx");
    for (const Language language : kLanguages) {
        const auto written = writeScheduleXlsx(path, s, o, language);
        ASSERT_FALSE(written) << written->detail;
        const std::string strings = workbookPart(path, "xl/sharedStrings.xml");
        std::vector<std::string> headings{LoadText(1331, language, nullptr), "nEd"};
        for (const ResultColumn id : resultColumnsOf(ResultReader::sheet)) {
            const ScheduleResultColumn& c = scheduleResultColumn(id);
            headings.push_back(c.sheetHeading ? LoadText(c.sheetHeading, language, nullptr) : std::string(c.sheetName));
        }
        std::size_t at = 0;
        for (const std::string& h : headings)   // the heading row's texts come first
            EXPECT_NE(at = strings.find("<t>" + h + "</t>", at), std::string::npos) << h;
    }
    const auto refused = writeScheduleXlsx("/nonexistent-folder/s.xlsx", s, o, Language::English);
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused->detail.empty());
}

// Under a file size limit libxlsxwriter's temporary parts are cut without a
// word; the workbook read back shows it and the write fails.
TEST(ScheduleXlsx, ACutWorkbookIsAFailure)
{
    Schedule s;
    s.columns = {"nEd"};
    for (int i = 0; i < 20000; ++i)
        s.rows.push_back({"C" + std::to_string(i), {std::to_string(1000 + i)}, false});
    ScheduleOutcome o;
    o.rows.resize(s.rows.size());
    const test::TempDir dir;
    const std::string path = dir.file("cut.xlsx");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200 * 1024, 200 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(writeScheduleXlsx(path, s, o, Language::English) ? 3 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    const auto written = writeScheduleXlsx(path, s, o, Language::English);
    EXPECT_FALSE(written) << written->detail;   // without the limit
}

TEST(ScheduleEdits, ValidateNamesTheRowAndField)
{
    Schedule s = expectedSmall();
    s.rows.insert(s.rows.begin(), ScheduleRow{"", {"", "", "", ""}, false});   // an empty row, as added in a table
    Failure f;
    EXPECT_TRUE(validateSchedule(s, f)) << f.describe();
    s.rows[2].cells[1] = "twenty";
    EXPECT_FALSE(validateSchedule(s, f));
    EXPECT_EQ(f.row, 2);
    EXPECT_EQ(f.field, "d");
    s.rows[2].cells[1] = "20";
    s.columns[1] = "diameter";
    EXPECT_FALSE(validateSchedule(s, f));
}

} // namespace
