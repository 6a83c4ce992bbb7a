// qeln-cli schedule: every row against qeln-cli design of the same inputs,
// the JSON and the table, the output files and the exit statuses.
#include "cli_run.h"
#include "json.h"

#include "shell/projectfields.h"
#include "shell/schedule.h"
#include "shell/schedulecolumns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Value = qeln::json::Ordered;
using namespace clirun;

const std::string kExample = std::string(QELN_SOURCE_DIR) + "/tests/data/schedule-40.csv";

// The row's cells as a JSON input for design, typed by their fields.
Value rowAsJson(const qeln::Schedule& s, std::size_t row)
{
    Value v = Value::object();
    for (std::size_t i = 0; i < s.columns.size(); ++i) {
        const std::string& cell = s.rows[row].cells[i];
        if (cell.empty())
            continue;
        const qeln::ProjectField* f = qeln::findProjectField(s.columns[i]);
        if (std::holds_alternative<double qeln::ColumnInput::*>(f->member))
            v[f->name] = std::stod(cell);
        else if (std::holds_alternative<int qeln::ColumnInput::*>(f->member))
            v[f->name] = std::stoi(cell);
        else
            v[f->name] = cell;
    }
    return v;
}

// Each row of `path` against design --json of its inputs (with the section
// the row was given, when searched or given one with its line or position);
// `o` the run of the schedule.
void everyRowEqualsDesign(const std::string& path, Outcome& o)
{
    o = run({"schedule", path, "--json"});
    EXPECT_TRUE(o.status == 0 || o.status == 4) << o.err;
    const Value v = orderedOf(o);
    std::vector<std::string> keys;
    for (const auto& [k, unused] : v.items())
        keys.push_back(k);
    EXPECT_EQ(keys, (std::vector<std::string>{"rows", "summary"}));
    qeln::Schedule s;
    qeln::Failure f;
    ASSERT_TRUE(qeln::readScheduleCsv(readFile(path), s, f)) << f.describe();
    ASSERT_EQ(v["rows"].size(), s.rows.size());
    int passing = 0;
    for (std::size_t i = 0; i < s.rows.size(); ++i) {
        const Value& r = v["rows"][i];
        SCOPED_TRACE(s.rows[i].name);
        EXPECT_EQ(r["name"], s.rows[i].name);
        Value input = rowAsJson(s, i);
        if (s.rows[i].search) {
            EXPECT_TRUE(r["searched"].get<bool>());
        }
        if (r["searched"].get<bool>()) {   // searched: the section found
            for (const char* k : {"profileName", "d", "n1", "n2"})
                input[k] = r[k];
        }
        const Outcome d = run({"design", "--input", "-", "--json"}, input.dump());
        const Value dv = orderedOf(d);
        for (const char* k : {"table", "scope", "check", "errors", "warnings"})
            EXPECT_EQ(r[k], dv[k]) << k;
        EXPECT_EQ(r["profileName"], input["profileName"]);
        EXPECT_EQ(r["passes"].get<bool>(), d.status == 0);
        passing += r["passes"].get<bool>() ? 1 : 0;
    }
    const Value& sum = v["summary"];
    EXPECT_EQ(sum["rows"], 40);
    EXPECT_EQ(sum["passing"], passing);
    EXPECT_EQ(sum["failing"], 40 - passing);
}

TEST(CliSchedule, EveryRowEqualsDesignOfTheSameInput)
{
    Outcome o;
    everyRowEqualsDesign(kExample, o);
    // rows without a member length: no masses, every row counted
    EXPECT_EQ(o.status, 4) << o.err;   // the example has failing rows
    const Value sum = orderedOf(o)["summary"];
    EXPECT_EQ(sum["steelMass"].get<double>(), 0);
    EXPECT_EQ(sum["rowsWithoutLength"].get<int>(), 40);
}

// Member lengths, end moments, load combinations (rows of one name), column
// lines and mixed codes.
TEST(CliSchedule, EveryRowOfMembersWithMomentsCombinationsAndLinesEqualsDesign)
{
    const std::string path = std::string(QELN_SOURCE_DIR) + "/tests/data/schedule-members-40.csv";
    Outcome o;
    everyRowEqualsDesign(path, o);
    const Value v = orderedOf(o);
    const Value& sum = v["summary"];
    EXPECT_GT(sum["steelMass"].get<double>(), 0);
    EXPECT_GT(sum["rebarMass"].get<double>(), 0);
    EXPECT_GT(sum["concreteVolume"].get<double>(), 0);
    EXPECT_EQ(sum["rowsWithoutLength"].get<int>(), 0);
    EXPECT_EQ(sum["positions"].get<int>(), 35);
    // the line B2 has one section; a combination's position verdict covers both rows
    std::string lineSection;
    for (const Value& r : v["rows"]) {
        if (r["sectionGroup"] == "line B2") {
            const std::string section = r["profileName"].get<std::string>() + " " + r["d"].dump();
            if (lineSection.empty())
                lineSection = section;
            EXPECT_EQ(section, lineSection);
        }
        if (!r["passes"].get<bool>()) {
            EXPECT_FALSE(r["positionPasses"].get<bool>()) << r["name"];
        }
    }
    EXPECT_FALSE(lineSection.empty());
}

TEST(CliSchedule, TableSummaryAndResultFiles)
{
    const std::string csv = scratch("results.csv"), xlsx = scratch("results.XLSX");
    const Outcome o = run({"schedule", kExample, "--out", csv});
    EXPECT_EQ(o.status, 4) << o.err;
    std::size_t at = 0;   // the listing's headings in the order of its selection
    for (const qeln::ResultColumn id : qeln::resultColumnsOf(qeln::ResultReader::listing))
        EXPECT_LT(at = o.out.find(qeln::scheduleResultColumn(id).listingHeading, at), o.out.find('\n')) << o.out;
    EXPECT_NE(o.out.find("\n40 rows: "), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("FAILS"), std::string::npos);
    const std::string written = readFile(csv);
    EXPECT_EQ(written.rfind("name,search,profileName,d,", 0), 0u) << written.substr(0, 200);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 41);

    const Outcome x = run({"schedule", kExample, "--out", xlsx, "--language", "de"});
    EXPECT_EQ(x.status, 4) << x.err;
    const std::string book = readFile(xlsx);
    EXPECT_EQ(book.substr(0, 2), "PK");   // a ZIP container
    EXPECT_GT(book.size(), 4000u);
}

TEST(CliSchedule, SearchFillsEveryRowWithinTheFamilies)
{
    const std::string rows = scratch("search.csv");
    writeFile(rows, "name;nEd;nFiEd;fireClass\nA;2500;1200;R60\nB;2500;1200;R60\nC;4000,5;;\n");
    const Outcome o = run({"schedule", rows, "--search", "--families", "HE B", "--diameters", "16,20", "--layouts",
                           "4+0", "--json"});
    ASSERT_EQ(o.status, 0) << o.err;
    const Value v = orderedOf(o);
    for (const auto& r : v["rows"]) {
        const std::string p = r["profileName"].get<std::string>();
        EXPECT_EQ(p.rfind("HE ", 0), 0u) << p;
        EXPECT_EQ(p.back(), 'B') << p;
        EXPECT_EQ(r["n1"], 4);
        EXPECT_TRUE(r["check"]["passes"].get<bool>());
    }
    EXPECT_EQ(v["rows"][0]["profileName"], v["rows"][1]["profileName"]);
}

struct StatusCase {
    const char* label;
    const char* rows;        // the CSV text; nullptr: no such file
    std::vector<std::string> extra;
    int status;
    const char* errPart;
    const char* outPart = "";               // in the table
    std::vector<const char*> outLacks{};    // never in the table
};

class CliScheduleStatus : public testing::TestWithParam<StatusCase> {};

TEST_P(CliScheduleStatus, ExitStatusAndMessage)
{
    const StatusCase& c = GetParam();
    const std::string rows = scratch(std::string(c.label) + ".csv");
    if (c.rows)
        writeFile(rows, c.rows);
    std::vector<std::string> args{"schedule", rows};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const Outcome o = run(args);
    EXPECT_EQ(o.status, c.status) << o.err << o.out;
    EXPECT_NE(o.err.find(c.errPart), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find("runtime error"), std::string::npos) << o.err;   // the sanitizers' report
    EXPECT_NE(o.out.find(c.outPart), std::string::npos) << o.out;
    for (const char* s : c.outLacks)
        EXPECT_EQ(o.out.find(s), std::string::npos) << o.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliScheduleStatus,
    testing::Values(
        StatusCase{"allPass", "name,nEd\nA,1000\nB,\n", {}, 0, ""},
        StatusCase{"oneFails", "name,nEd\nA,1000\nB,90000\n", {}, 4, ""},
        StatusCase{"malformed", "name,d,nEd\nA,20,1000\nB,2x,1000\n", {}, 1, "line 3, field \"d\""},
        StatusCase{"unknownProfile", "name,profileName\nA,HE 999 Z\n", {}, 1, "\"HE 999 Z\" is not in the profile"},
        StatusCase{"inputErrorsFail", "name,lWeakCold\nA,-3\n", {}, 4, ""},
        StatusCase{"missingFile", nullptr, {}, 3, "Error during File Opening"},
        StatusCase{"missingBase", "name\nA\n", {"--base", "/nonexistent/base.qln"}, 3, "base.qln"},
        StatusCase{"outExtension", "name\nA\n", {"--out", "results.txt"}, 64, ".csv or .xlsx"},
        StatusCase{"pdfUnwritable", "name\nA\n", {"--pdf", "/nonexistent-folder/report.pdf"}, 3, "report.pdf"},
        StatusCase{"badFamily", "name\nA\n", {"--search", "--families", "XY"}, 64, "--families"},
        StatusCase{"headerOnly", "name,nEd\n", {}, 1, "no rows"},
        // a row without loads keeps its section, and says why
        StatusCase{"searchWithoutLoads", "name,nEd\nA,\n", {"--search"}, 0, "",
                   "search not made: the search needs a design load"},
        // n1 + n2 of extreme counts are refused without undefined behaviour (the
        // sanitizers' build); design alone: CliHostile.ImplausibleDesignsAndHugeCountsAreInputErrors
        StatusCase{"extremeBarCounts", "name,n1,n2\nA,2147483647,1\nB,-2147483648,-1\n", {}, 4, "", "", {"rebars -"}},
        // a bidirectional override in a name cannot turn the terminal table around
        StatusCase{"bidi", "name,nEd\nRLO\xE2\x80\xAEx,1000\nLRI\xE2\x81\xA6y,1000\n", {}, 0, "", "RLO\xEF\xBF\xBDx",
                   {"\xE2\x80\xAE", "\xE2\x81\xA6"}}),
    [](const auto& info) { return std::string(info.param.label); });

// A row whose run ends in an arithmetic failure names it in the JSON, as the
// table does with its error count.
TEST(CliSchedule, JsonNamesACalculationError)
{
    const std::string rows = scratch("calc.csv");
    writeFile(rows, "name,lWeakCold\nA,1e308\n");
    const Outcome o = run({"schedule", rows, "--json"});
    const qeln::json::Value r = jsonOf(o)["rows"][0];   // by the strict reader: no NaN for the failed values
    EXPECT_TRUE(r["calcError"].get<bool>()) << o.out;
    EXPECT_FALSE(r["errors"].empty()) << o.out;
}

// The cells a row leaves empty take the --base project's values. Without
// ROWS.csv the rows are the schedule saved in the --base project; a project
// without one is an input error.
TEST(CliSchedule, RowsOverTheBaseProjectAndFromItsOwnSchedule)
{
    const std::string source = std::string(QELN_SOURCE_DIR) + "/tests/data/he500b-8-4.qln";
    const std::string rows = scratch("own.csv");
    writeFile(rows, "name,nEd,lWeakCold\nA,3000,\nB,9000,6\n");
    qeln::Schedule schedule;
    qeln::Failure failure;
    ASSERT_TRUE(qeln::readScheduleCsv(readFile(rows), schedule, failure)) << failure.describe();
    const std::string base = scratch("own.qln");
    writeFile(base, readFile(source) + qeln::ScheduleBlockContent(schedule));

    const Outcome own = run({"schedule", "--base", base, "--json"});
    const Outcome csv = run({"schedule", rows, "--base", source, "--json"});
    EXPECT_EQ(own.status, csv.status) << own.err;
    EXPECT_EQ(own.out, csv.out);
    EXPECT_EQ(orderedOf(own)["summary"]["rows"], 2);
    // the cells a row leaves empty are the base project's: row A is design of it under the row's load
    const Value a = orderedOf(csv)["rows"][0];
    const Value d = orderedOf(run({"design", source, "--ned", "3000", "--json"}));
    EXPECT_EQ(a["profileName"], "HE 500 B");
    EXPECT_EQ(a["table"], d["table"]);
    EXPECT_EQ(a["check"], d["check"]);

    const Outcome none = run({"schedule", "--base", source});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("the project has no column schedule"), std::string::npos) << none.err;
}

} // namespace
