// qeln-cli end to end: usage and file errors, JSON input and output, the
// worked examples, and whole listings of the projects in tests/data compared
// with their checked expected files.
#include "json.h"

#include "cli_run.h"

#include "tests/reference_cases.h"
#include "tests/sanitized.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>


namespace {

const std::string kData = std::string(QELN_SOURCE_DIR) + "/tests/data/";

using namespace clirun;

// Runs qeln-cli with standard input from `inputFile` and standard output to
// `outputFile`; the status and the peak memory of the process (KiB).
Outcome runMeasured(const std::vector<std::string>& args, const std::string& inputFile, const std::string& outputFile,
                    long& maxRssKiB)
{
    const std::string err = scratch("stderr");
    const pid_t pid = fork();
    if (pid == 0) {
        if (!freopen(inputFile.c_str(), "rb", stdin) || !freopen(outputFile.c_str(), "wb", stdout) ||
            !freopen(err.c_str(), "wb", stderr))
            _exit(127);
        std::vector<char*> argv{const_cast<char*>(QELN_CLI)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(QELN_CLI, argv.data());
        _exit(127);
    }
    int raw = 0;
    struct rusage usage {};
    wait4(pid, &raw, 0, &usage);
    maxRssKiB = usage.ru_maxrss;
    Outcome o;
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    o.err = readFile(err);
    return o;
}

Outcome designJson(const std::string& input, std::vector<std::string> extra = {})
{
    std::vector<std::string> args{"design", "--input", "-", "--json"};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args, input);
}

void expectTable(const qeln::json::Value& doc, const double (&expected)[5][5], double tolerance = 0.01)
{
    ASSERT_TRUE(doc.contains("table") && doc["table"].is_array());
    const auto& t = doc["table"];
    ASSERT_EQ(t.size(), 5u);
    for (int r = 0; r < 5; ++r) {
        ASSERT_EQ(t[r].size(), 5u);
        for (int c = 0; c < 5; ++c) {
            const auto& cell = t[r][c];
            ASSERT_TRUE(cell.is_number()) << "row " << r << " column " << c;
            EXPECT_NEAR(cell.get<double>(), expected[r][c], tolerance) << "row " << r << " column " << c;
        }
    }
}

std::vector<std::string> strings(const qeln::json::Value& doc, const char* key)
{
    std::vector<std::string> out;
    const bool isArray = doc.contains(key) && doc[key].is_array();
    EXPECT_TRUE(isArray) << key;
    if (isArray)
        for (const auto& i : doc[key])
            out.push_back(i.get<std::string>());
    return out;
}

bool boolean(const qeln::json::Value& doc, const char* key)
{
    const bool isBool = doc.contains(key) && doc[key].is_boolean();
    EXPECT_TRUE(isBool) << key;
    return isBool && doc[key].get<bool>();
}

double number(const qeln::json::Value& doc, const char* key)
{
    const bool isNumber = doc.contains(key) && doc[key].is_number();
    EXPECT_TRUE(isNumber) << key;
    return isNumber ? doc[key].get<double>() : 0;
}

using qeln::reference::kDefaultAxial;
using qeln::reference::kHe500b8x4;

const char* const kText219 =
    "An error occurred during calculation. A possible cause may be unrealistic input data.";

} // namespace

// ---- usage

TEST(CliUsage, HelpExplainsOptionsVersionNamesTheBuild)
{
    const Outcome o = run({"--help"});
    EXPECT_EQ(o.status, 0);
    for (const char* s : {"design", "new", "--input", "--listing", "--language", "--catalogue", "--svg", "--pdf",
                          "--json", "stdout", "stderr", "  0 ", "  1 ", "  2 ", "  3 ", "  64 ",
                          "  4   valid results, but the design check", "--class R30|R60|R90|R120", "--plots",
                          "--curves", "nm-weak.svg", "ne-strong.svg", "eLimit", "qeln-cli optimise FILE.qln",
                          "--layouts", "optimise: no candidate", "qeln-cli schedule ROWS.csv", "Options of schedule:"})
        EXPECT_NE(o.out.find(s), std::string::npos) << s;
    EXPECT_EQ(run({"design", "x.qln", "--help"}).status, 0);
    // the version and build the report names, from the build system
    const Outcome v = run({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out.rfind("qeln-cli ", 0), 0u) << v.out;
    EXPECT_NE(v.out.find(" (build "), std::string::npos) << v.out;
    EXPECT_EQ(v.out.find("2003"), std::string::npos);
}

// Options in any order, values after '=', the last of a repeated option.
TEST(CliUsage, OptionsInAnyOrderAndTheLastOfARepeatedOne)
{
    const Outcome o = run({"design", "--listing=complete", "--json", "--language", "fr", kData + "default.qln",
                           "--language=en"});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("\"Project-Name:"), std::string::npos);   // English: the last --language
    EXPECT_EQ(o.out.rfind('{', 0), 0u);
}

// A run refused before it designs: 64 for a wrong usage or JSON input, 3 for a
// file that cannot be opened or read, a profile the catalogue lacks or a
// catalogue that cannot be opened; nothing on standard output, the reason on
// standard error. Which texts the JSON reader and the fields refuse, and with
// which words, is json_test's (JsonRefuses, JsonInputRefuses); here one of each kind.
struct Refusal {
    std::vector<std::string> args;
    int status;
    std::vector<const char*> says;   // on standard error, after "qeln-cli: "
    const char* input = "";          // standard input
};

TEST(CliRefuses, WithItsStatusAndReason)
{
    const std::string p = kData + "default.qln";
    const std::vector<std::string> json{"design", "--input", "-", "--json"};
    std::string manyDiameters = "12";   // 101 diameters from 12 to 17 mm
    for (int i = 1; i <= 100; ++i)
        manyDiameters += "," + std::to_string(12 + i * 0.05);
    const Refusal cases[] = {
        {{}, 64, {"a command is needed"}},
        {{"frobnicate"}, 64, {"unknown command 'frobnicate'"}},
        {{"design"}, 64, {"design needs a project file FILE.qln or --input FILE.json"}},
        {{"design", "a.qln", "b.qln"}, 64, {"unexpected argument 'b.qln'"}},
        {{"design", "a.qln", "--input", "b.json"}, 64, {"either a project file or --input"}},
        {{"design", "a.qln", "--listing"}, 64, {"--listing"}},
        {{"design", "a.qln", "--listing", "short"}, 64, {"--listing takes complete or condensed, not 'short'"}},
        {{"design", "a.qln", "--language", "it"}, 64, {"--language takes en, fr or de, not 'it'"}},
        {{"design", "a.qln", "--json=yes"}, 64, {"json"}},
        {{"design", "a.qln", "--svg"}, 64, {"--svg"}},
        {{"design", "a.qln", "--svg="}, 64, {"--svg"}},
        {{"design", "a.qln", "--pdf"}, 64, {"--pdf"}},
        {{"design", "a.qln", "--html", "x.html"}, 64, {"unknown option '--html'"}},
        {{"design", "a.qln", "-x"}, 64, {"unknown option '-x'"}},
        {{"design", ""}, 64, {"the project file name is empty"}},
        {{"design", "--input", ""}, 64, {"--input needs a file name"}},
        {{"design", p, "--code", "EN"}, 64, {"--code takes EN1994 or ENV1994, not 'EN'"}},
        {{"design", p, "--curves"}, 64, {"--curves adds to the JSON output: it needs --json"}},
        {{"design", p, "--plots", ""}, 64, {"--plots needs a file name"}},
        {{"new"}, 64, {"new needs the name of the project file to write"}},
        {{"new", "a.qln", "--json"}, 64, {"unknown option '--json'"}},
        {{"schedule"}, 64, {"schedule needs a schedule file"}},
        // design loads
        {{"design", p, "--json", "--ned", "-5"}, 64, {"--ned must not be negative"}},
        {{"design", p, "--json", "--ned", "abc"}, 64, {"--ned takes a number of kN, not 'abc'"}},
        {{"design", p, "--json", "--ned", ""}, 64, {"--ned takes a number of kN, not ''"}},
        {{"design", p, "--json", "--nfied", "2e6"}, 64, {"--nfied above 1000000 kN is not realistic"}},
        {{"design", p, "--json", "--class", "R45"}, 64, {"--class takes R30, R60, R90 or R120, not 'R45'"}},
        {{"design", p, "--json", "--class", ""}, 64, {"--class takes R30, R60, R90 or R120, not ''"}},
        {json, 64, {"field \"nEd\": nEd must not be negative"}, R"({"nEd": -1})"},
        {json, 64, {"field \"nFiEd\": nFiEd above 1000000 kN"}, R"({"nFiEd": 1e7})"},
        {json, 64, {"field \"fireClass\" must be"}, R"({"fireClass": "R45"})"},
        {json, 64, {"field \"fireClass\" must be a string, not a number"}, R"({"fireClass": 90})"},
        // the section search
        {{"optimise", p}, 64, {"the search needs a design load"}},
        {{"optimise", p, "--nfied", "1800"}, 64, {"the search needs a design load"}},
        {{"optimise"}, 64, {"optimise needs a project file"}},
        {{"optimise", p, "--ned", "1", "--families", "HEA"}, 64, {"--families takes"}},
        {{"optimise", p, "--ned", "1", "--max-h", "-3"}, 64, {"--max-h takes"}},
        {{"optimise", p, "--ned", "1", "--diameters", "12,,x"}, 64, {"--diameters takes"}},
        {{"optimise", p, "--ned", "1", "--layouts", "4-0"}, 64, {"--layouts takes"}},
        {{"optimise", p, "--ned", "1", "--top", "0"}, 64, {"--top takes"}},
        {{"optimise", p, "--ned", "1", "--top", "10001"}, 64, {"--top takes"}},
        {{"optimise", p, "--ned", "1", "--diameters", manyDiameters}, 64, {"at most 100 diameters"}},
        {{"optimise", p, "--ned", "x"}, 64, {"--ned takes"}},
        {{"optimise", p, "--ned", "1", "--rank", "price"}, 64, {"--rank takes mass or cost"}},
        {{"optimise", p, "--ned", "1", "--price-steel", "-1"}, 64, {"--price-steel takes"}},
        {{"optimise", p, "--ned", "1", "--max-utilisation", "0"}, 64, {"--max-utilisation takes"}},
        {{"optimise", p, "--ned", "1", "--max-utilisation", "1.01"}, 64, {"--max-utilisation takes"}},
        {{"optimise", p, "--ned", "1", "--max-utilisation", "nan"}, 64, {"--max-utilisation takes"}},
        {{"optimise", p, "--ned", "1", "--bogus"}, 64, {"unknown option '--bogus'"}},
        // JSON input: a wrong type, malformed text, an unknown field, a wrong code
        {json, 64, {"\"h\" must be a number"}, R"({"h": "310"})"},
        {json, 64, {"-:1:10: not valid JSON"}, "{\"e1\": 1,}"},
        {json, 64, {"duplicate member \"e1\""}, "{\"e1\": 1, \"e1\": 2}"},
        {json, 64, {"must be a JSON object"}, "[]"},
        {json, 64, {"unknown field \"lweakcold\""}, R"({"lweakcold": 3})"},
        {json, 64, {"field \"code\" must be a design code (ENV1994 or EN1994), not \"EN 1994-1-1\""},
         R"({"code": "EN 1994-1-1"})"},
        // files
        {{"design", kData + "no-such-project.qln"}, 3, {"Error during File Opening", "no-such-project.qln"}},
        {{"design", "--input", kData + "no-such-input.json"}, 3, {"Error during File Opening"}},
        {{"design", kData + "wrong-version.qln"}, 3, {"File has wrong Versionnumber", "wrong-version.qln:1"}},
        {{"design", kData + "wrong-version.qln", "--language", "de"}, 3, {"falsche Versionsnummer"}},
        {{"design", kData + "bad-value.qln"}, 3, {"bad-value.qln:17"}},
        {{"design", kData + "unknown-profile.qln"}, 3, {"Profile HE 999 X not found in database"}},
        {json, 3, {"Profile HE 999 X not found in database"}, R"({"profileName": "HE 999 X"})"},
        {{"design", p, "--catalogue", kData + "no-such-table.dbf"}, 3, {"Could not open the profile database"}},
        {{"new", "/nonexistent-folder/x.qln"}, 3, {"Error during Writing of File"}},
    };
    for (const Refusal& c : cases) {
        std::string joined;
        for (const auto& a : c.args)
            joined += a + " ";
        SCOPED_TRACE(joined + c.input);
        const Outcome o = run(c.args, c.input);
        EXPECT_EQ(o.status, c.status);
        EXPECT_TRUE(o.out.empty());
        EXPECT_EQ(o.err.rfind("qeln-cli: ", 0), 0u) << o.err;
        for (const char* s : c.says)
            EXPECT_NE(o.err.find(s), std::string::npos) << o.err;
    }
}

// ---- files

// The drawing of the section as SVG; an output that cannot be written gives
// exit 3, the listing printed all the same. (A complete section needs no
// catalogue: CliJsonInput.WeldedSectionGivenInFull.)
TEST(CliFiles, SvgOfTheSectionOr3WhenItCannotBeWritten)
{
    const std::string path = scratch("section.svg");
    const Outcome o = run({"design", kData + "he500b-8-4.qln", "--svg", path});
    ASSERT_EQ(o.status, 0) << o.err;
    const std::string svg = readFile(path);
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("width=\"1000\""), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);

    const Outcome bad = run({"design", kData + "default.qln", "--svg", "/nonexistent-folder/x.svg"});
    EXPECT_EQ(bad.status, 3);
    EXPECT_NE(bad.err.find("Error during Writing of File"), std::string::npos);
    EXPECT_FALSE(bad.out.empty());
}

TEST(CliFiles, NewWritesTheDefaultProject)
{
    const std::string path = scratch("new.qln");
    ASSERT_EQ(run({"new", path}).status, 0);
    const std::string text = readFile(path);
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string l; std::getline(s, l);) {
        ASSERT_FALSE(l.empty());
        ASSERT_EQ(l.back(), '\r');
        l.pop_back();
        lines.push_back(l);
    }
    // a new project is an EN project: the 33 lines, then its [code] block
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 33, lines.end()),
              (std::vector<std::string>{"[code]", "code=EN1994", "phiT=2.5", "rWeak=1", "rStrong=1"}));
    EXPECT_EQ(lines[8], lines[9]);   // both time stamps: now
    const double stamp = std::atof(lines[8].c_str());
    EXPECT_GT(stamp, 45000);   // after 2023

    // and it designs to the first worked example of the EN method
    const Outcome o = run({"design", path, "--json"});
    EXPECT_EQ(o.status, 0);
    EXPECT_NEAR(jsonOf(o)["table"][0][0].get<double>(), 5136.930753, 1e-6);

    // writing again keeps the previous file as <name>BAK
    ASSERT_EQ(run({"new", path}).status, 0);
    const std::string bak = path.substr(0, path.size() - 4) + "BAK";
    EXPECT_EQ(readFile(bak).size(), text.size());

    // new --code ENV1994 writes the project as every earlier version did: 33
    // lines with the ENV partial factors; design --code puts a project under
    // the other code with that code's recommended factors
    ASSERT_EQ(run({"new", path, "--code", "ENV1994"}).status, 0);
    const std::string env = readFile(path);
    EXPECT_EQ(std::count(env.begin(), env.end(), '\n'), 33);
    EXPECT_NE(env.find(" 1.10000000000000E+0000"), std::string::npos);   // gamma.a of ENV
    const Outcome asEnv = run({"design", path, "--json"});
    const Outcome asEn = run({"design", path, "--json", "--code", "EN1994"});
    ASSERT_EQ(asEnv.status, 0) << asEnv.err;
    ASSERT_EQ(asEn.status, 0) << asEn.err;
    EXPECT_NEAR(jsonOf(asEnv)["table"][0][0].get<double>(), kDefaultAxial[0][0], 0.01);
    EXPECT_NEAR(jsonOf(asEn)["table"][0][0].get<double>(), 5136.930753, 1e-6);
}

// JSON under EN: its own factors where the input gives them.
TEST(CliJsonInput, TheCodeBringsItsFactors)
{
    // (the recommended ones where none is given: CliJsonOutput.EnDetailsPerAxisAndBiaxial)
    const Outcome annex = designJson(R"({"code": "EN1994", "gammaA": 1.1})");
    ASSERT_EQ(annex.status, 0) << annex.err;
    EXPECT_NEAR(jsonOf(annex)["table"][0][0].get<double>(), 4810.16, 0.01);
}

// The EN method's values behind the table (worked example E2 of the method
// document); an ENV project has no details, an axis without eccentricity no
// eccentric values, and the biaxial ones need both eccentricities.
TEST(CliJsonOutput, EnDetailsPerAxisAndBiaxial)
{
    const Outcome o = designJson(R"({"code": "EN1994", "e1": 50.0, "e2": 30.0})");
    ASSERT_EQ(o.status, 0) << o.err;
    const qeln::json::Value d = jsonOf(o)["details"];
    const std::pair<const char*, std::vector<std::pair<const char*, double>>> expected[] = {
        {"weak",
         {{"NplRd", 6309.632397}, {"NplRk", 7065.692951}, {"delta", 0.699732766}, {"Ecm", 32836.56803},
          {"EcEff", 11940.57019}, {"EIeff", 2.123665428e+13}, {"Ncr", 23288.59739}, {"lambda", 0.5508149432},
          {"chi", 0.8141410513}, {"NbRd", 5136.930753}, {"EIeffII", 1.844945881e+13}, {"NcrEff", 20232.09554},
          {"e0", 20}, {"beta", 1.1}, {"alphaM", 0.9}, {"NpmRd", 1348.211928}, {"MplRd", 352.3914626},
          {"MmaxRd", 353.4237635}, {"NRde", 3163.116304}, {"k1", 1.303845109}, {"k2", 1.185313736},
          {"MEd", 281.1963902}, {"muD", 0.8866288396}}},
        {"strong",
         {{"NbRd", 5972.326952}, {"NcrEff", 52165.27754}, {"e0", 15}, {"MplRd", 647.9420753},
          {"NRde", 4548.194003}, {"MEd", 239.1657294}, {"muD", 0.4101287901}}},
    };
    for (const auto& [axis, values] : expected)
        for (const auto& [key, v] : values)
            EXPECT_NEAR(d[axis][key].get<double>(), v, 1e-9 * std::fabs(v)) << axis << " " << key;
    EXPECT_EQ(d["biaxial"]["variant"], "z");
    EXPECT_NEAR(d["biaxial"]["NRd"].get<double>(), 2929.802615, 1e-6);

    const qeln::json::Value axial = jsonOf(designJson(R"({"code": "EN1994", "e2": 30.0})"))["details"];
    EXPECT_FALSE(axial["weak"].contains("NRde"));
    EXPECT_TRUE(axial["strong"].contains("NRde"));
    EXPECT_FALSE(axial.contains("biaxial"));
    const qeln::json::Value env = jsonOf(designJson(R"({"code": "ENV1994", "e1": 50.0})"));
    EXPECT_FALSE(env.contains("details"));
    // an EN project the checks refuse has no values behind its (empty) table
    const qeln::json::Value refused = jsonOf(designJson(R"({"code": "EN1994", "fy": 500})"));
    EXPECT_TRUE(refused["details"].is_null());
}

// ---- JSON input

TEST(CliJsonInput, WeldedSectionGivenInFull)
{
    // the third worked example as a welded section: the catalogue is not read
    const Outcome o = run({"design", "--input", kData + "welded-example3.json", "--json", "--catalogue",
                           kData + "no-such-table.dbf"});
    ASSERT_EQ(o.status, 0) << o.err;
    const auto doc = jsonOf(o);
    expectTable(doc, kHe500b8x4);
    EXPECT_NEAR(number(doc, "rho"), 4.6699, 1e-4);
    EXPECT_EQ(number(doc, "fyCalc"), 345);
    EXPECT_EQ(number(doc, "dCalc"), 25);   // the fire classes set it back to d as entered
    EXPECT_NEAR(number(doc, "concreteVolume"), 0.121091, 1e-6);
    // rho above 4 %: a warning (its borders: InputChecks.ReinforcementRatioBorders)
    EXPECT_TRUE(boolean(doc, "hasWarnings"));
    const auto warnings = strings(doc, "warnings");
    ASSERT_GE(warnings.size(), 4u);
    EXPECT_EQ(warnings[0], "Number or diameter of the re-bars too high for design at room temperature. Percentage of the "
                           "reinforcement = 4.67 %");
    const auto listing = strings(doc, "listing");
    EXPECT_TRUE(std::any_of(listing.begin(), listing.end(),
                            [](const std::string& l) { return l.find("welded 500x300") != std::string::npos; }));
}

TEST(CliJsonInput, CatalogueValuesWithOverrides)
{
    // HE 500 B from the catalogue equals the welded input of the third example
    const Outcome o = designJson(R"({"profileName": "HE 500 B", "d": 25, "n1": 8, "n2": 4})");
    ASSERT_EQ(o.status, 0) << o.err;
    expectTable(jsonOf(o), kHe500b8x4);
    // a given value replaces the catalogue's
    const Outcome p = designJson(R"({"profileName": "HE 500 B", "tf": 16, "d": 25, "n1": 8, "n2": 4})");
    const auto doc = jsonOf(p);
    EXPECT_EQ(number(doc, "fyCalc"), 355);   // thickness class 16: no reduction
}

// ---- the worked examples

TEST(CliWorkedExamples, DefaultProjectWithoutEccentricity)
{
    const Outcome o = run({"design", kData + "default.qln", "--json"});
    ASSERT_EQ(o.status, 0) << o.err;
    const auto doc = jsonOf(o);
    expectTable(doc, kDefaultAxial);
    for (const char* flag : {"hasErrors", "hasWarnings", "calcError"})
        EXPECT_FALSE(boolean(doc, flag)) << flag;
    for (const char* none : {"errors", "warnings", "messageBoxes"})
        EXPECT_TRUE(strings(doc, none).empty()) << none;
    for (const char* lines : {"rebarLocationLines", "memberDetailLines", "resultsLines", "componentsLines", "listing"})
        EXPECT_FALSE(strings(doc, lines).empty()) << lines;
    const auto& grid = doc["grid"];
    ASSERT_TRUE(grid.is_array());
    ASSERT_EQ(grid.size(), 8u);
    for (const auto& row : grid) {
        ASSERT_EQ(row.size(), 6u);
        for (const auto& c : row)
            EXPECT_TRUE(c.is_string());
    }
    // the same run from JSON
    const Outcome j = designJson("{}");
    ASSERT_EQ(j.status, 0) << j.err;
    expectTable(jsonOf(j), kDefaultAxial);
}

// ---- runs that give no valid results

// No listing, no check of the loads and no curves.
TEST(CliOutcome, InputErrorsGive1)
{
    // n1 = 16 is not allowed for profiles up to 400 mm high
    const char* const input = R"({"n1": 16, "nEd": 1})";
    const Outcome o = designJson(input, {"--curves"});
    EXPECT_EQ(o.status, 1);
    const auto doc = jsonOf(o);
    EXPECT_TRUE(boolean(doc, "hasErrors"));
    EXPECT_FALSE(boolean(doc, "calcError"));
    EXPECT_FALSE(strings(doc, "errors").empty());
    EXPECT_TRUE(strings(doc, "listing").empty());
    EXPECT_TRUE(doc["check"].is_null());
    EXPECT_EQ(doc["curves"]["status"], "inputErrors");
    EXPECT_TRUE(doc["curves"]["weak"].is_null());
    EXPECT_TRUE(doc["curves"]["strong"].is_null());
    // fire rows were never reached
    for (const auto& cell : doc["table"][4])
        EXPECT_TRUE(cell.is_null());

    // listing mode prints the error lines on stdout
    const Outcome l = run({"design", "--input", "-"}, input);
    EXPECT_EQ(l.status, 1);
    const auto errors = strings(doc, "errors");
    std::string expected;
    for (const auto& e : errors)
        expected += e + "\n";
    EXPECT_EQ(l.out, expected);
}

TEST(CliOutcome, CalculationErrorGives2)
{
    const Outcome o = designJson(R"({"fy": 0})", {"--curves"});   // the yield point divides in the checks
    EXPECT_EQ(o.status, 2);
    const auto doc = jsonOf(o);
    EXPECT_TRUE(boolean(doc, "calcError"));
    EXPECT_EQ(doc["curves"]["status"], "calculationError");
    const auto boxes = strings(doc, "messageBoxes");
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), kText219);
    EXPECT_TRUE(strings(doc, "listing").empty());
    EXPECT_NE(o.out.find("null"), std::string::npos);   // cells the run never wrote
    EXPECT_EQ(o.out.find("NaN"), std::string::npos);
    EXPECT_EQ(o.out.find("nf"), std::string::npos);

    const Outcome l = run({"design", "--input", "-"}, R"({"fy": 0})");
    EXPECT_EQ(l.status, 2);
    EXPECT_NE(l.err.find(kText219), std::string::npos);
}

TEST(CliOutcome, JsonIsValidForPython)
{
    if (std::system("python3 -c 'import json' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 not available";
    const std::string path = scratch("out.json");
    const Outcome o = run({"design", kData + "default-german.qln", "--json", "--language", "de"});
    ASSERT_EQ(o.status, 0);
    writeFile(path, o.out);
    EXPECT_EQ(std::system(("python3 -m json.tool " + shellQuote(path) + " >/dev/null").c_str()), 0);
}

// ---- whole listings against checked expected files

struct ListingCase {
    const char* name;
    const char* project;   // in tests/data
    std::vector<std::string> args;
    const char* expected;
};

class CliListing : public testing::TestWithParam<ListingCase> {};

TEST_P(CliListing, MatchesCheckedFile)
{
    const ListingCase& c = GetParam();
    std::vector<std::string> args{"design", kData + c.project};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome o = run(args);
    ASSERT_EQ(o.status, 0) << o.err;
    const std::string expected = readFile(kData + c.expected);
    ASSERT_FALSE(expected.empty()) << c.expected;
    // (a failure shows the lines that differ)
    EXPECT_EQ(o.out, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Projects, CliListing,
    testing::Values(
        ListingCase{"DefaultEccentric", "default-e50-e30.qln", {}, "default-e50-e30.listing.txt"},
        ListingCase{"HeavySection", "he500b-8-4.qln", {}, "he500b-8-4.listing.txt"},
        ListingCase{"HeavySectionCondensed", "he500b-8-4.qln", {"--listing", "condensed"}, "he500b-8-4.condensed.txt"},
        ListingCase{"German", "default-german.qln", {"--language", "de"}, "default-german.listing.txt"},
        ListingCase{"DefaultEccentricEn", "default-e50-e30.qln", {"--code", "EN1994"},
                    "default-en-e50-e30.listing.txt"}),
    [](const testing::TestParamInfo<ListingCase>& i) { return std::string(i.param.name); });

// ---- hostile designs, texts and output paths

namespace {

using qeln::test::TempDir;

// Every name in the folder, hidden ones too (a temporary file may be one).
std::string namesIn(const TempDir& dir)
{
    std::string names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names += e.path().filename().string() + " ";
    return names;
}

} // namespace

TEST(CliHostile, ImplausibleDesignsAndHugeCountsAreInputErrors)
{
    // gave -6052 kN as a valid result
    const Outcome f = run({"design", "--input", "-", "--listing", "condensed"},
                          R"({"gammaA": -1, "gammaC": -1, "gammaS": -1})");
    EXPECT_EQ(f.status, 1);
    EXPECT_EQ(f.out.rfind("Partial factors must be greater than 0:\n", 0), 0u) << f.out;
    // n1 + n2 overflowed int: a negative percentage, or an abort under the sanitizers
    const Outcome n = designJson(R"({"n1": 2147483647, "n2": 1})");
    EXPECT_EQ(n.status, 1) << n.err;
    EXPECT_EQ(n.err.find("runtime error"), std::string::npos) << n.err;   // the sanitizers' report
    EXPECT_EQ(n.out.find("-837419294"), std::string::npos);
}

TEST(CliHostile, ControlCharactersNeverReachTheTerminal)
{
    const std::string input = R"({"projectName": "\u001b]0;owned\u0007\u001b[2J", "comment": "a\u0000b\u009bc"})";
    const Outcome o = run({"design", "--input", "-"}, input);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("\xEF\xBF\xBD]0;owned\xEF\xBF\xBD\xEF\xBF\xBD[2J"), std::string::npos);
    const Outcome p = run({"design", "--input", "-"}, R"({"profileName": "HE\u001b[31m"})");
    EXPECT_EQ(p.status, 3);
    EXPECT_NE(p.err.find("HE\xEF\xBF\xBD[31m"), std::string::npos) << p.err;
    for (const Outcome* out : {&o, &p})
        for (const std::string* s : {&out->out, &out->err})
            for (char c : *s)
                ASSERT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
}

TEST(CliHostile, AnOutputOverItsOwnInputIsRefused)
{
    // --svg p.qln silently overwrote the project
    TempDir dir;
    const std::string project = dir.file("p.qln");
    ASSERT_EQ(run({"new", project}).status, 0);
    const std::string before = readFile(project);
    ASSERT_EQ(::symlink(project.c_str(), dir.file("alias.svg").c_str()), 0);
    ASSERT_EQ(::link(project.c_str(), dir.file("hard.pdf").c_str()), 0);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"design", project, "--svg", project},
             {"design", project, "--svg", dir.file("alias.svg")},
             {"design", project, "--pdf", dir.file("hard.pdf")},
             {"design", project, "--svg", dir.file("x"), "--pdf", dir.file("x")}}) {
        const Outcome o = run(args);
        EXPECT_EQ(o.status, 64) << args.back();
        EXPECT_TRUE(o.out.empty());
        EXPECT_EQ(readFile(project), before);
    }
    const std::string json = dir.file("in.json");
    writeFile(json, "{}");
    EXPECT_EQ(run({"design", "--input", json, "--svg", json}).status, 64);
    EXPECT_EQ(readFile(json), "{}");
}

TEST(CliHostile, AFailedOutputLeavesThePreviousFileAndNoTemporaryFile)
{
    TempDir dir;
    const std::string svg = dir.file("s.svg");
    writeFile(svg, "previous");
    // beyond the file size limit: exit 3 with the reason, not death by SIGXFSZ (153)
    const std::string cmd = "ulimit -f 4 && exec " + shellQuote(QELN_CLI) + " design " +
                            shellQuote(kData + "default.qln") + " --svg " + shellQuote(svg) + " >/dev/null 2>" +
                            shellQuote(dir.file("err"));
    const int raw = std::system(("sh -c " + shellQuote(cmd)).c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 3);
    EXPECT_NE(readFile(dir.file("err")).find("File too large"), std::string::npos) << readFile(dir.file("err"));
    std::remove(dir.file("err").c_str());
    EXPECT_EQ(readFile(svg), "previous");
    EXPECT_EQ(namesIn(dir), "s.svg ");

    // a read-only output is refused with the reason
    ASSERT_EQ(::chmod(svg.c_str(), 0444), 0);
    const Outcome o = run({"design", kData + "default.qln", "--svg", svg});
    EXPECT_EQ(o.status, 3);
    EXPECT_NE(o.err.find("the file is read-only"), std::string::npos) << o.err;
    EXPECT_EQ(readFile(svg), "previous");
    EXPECT_EQ(namesIn(dir), "s.svg ");
}

TEST(CliHostile, NewKilledAtEachStepOfTheSaveLeavesAWholeProject)
{
    // The reproduction: a kill at the rename left only pBAK and the
    // temporary file. strace injects the kill at each step that changes names.
    if (std::system("strace -f -o /dev/null true >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "strace cannot trace here";
    TempDir dir;
    const std::string project = dir.file("p.qln");
    ASSERT_EQ(run({"new", project}).status, 0);
    const std::string before = readFile(project);
    for (const char* calls : {"unlink,unlinkat", "link,linkat", "rename,renameat,renameat2"}) {
        const std::string cmd = "strace -f -o /dev/null -e inject=" + std::string(calls) +
                                ":signal=SIGKILL:when=1 " + shellQuote(QELN_CLI) + " new " + shellQuote(project) +
                                " >/dev/null 2>&1";
        const int raw = std::system(cmd.c_str());
        EXPECT_NE(raw, 0) << calls;   // killed
        EXPECT_EQ(readFile(project), before) << calls;
    }
    ASSERT_EQ(run({"new", project}).status, 0);
    EXPECT_EQ(readFile(dir.file("pBAK")), before);
}

// ---- hostile input and output that cannot be written

// A text of `size` bytes: `body` repeated inside `open` ... `close`.
std::string filled(std::size_t size, const std::string& open, const std::string& body, const std::string& close)
{
    std::string s = open;
    while (s.size() + body.size() + close.size() <= size)
        s += body;
    s.erase(s.size() - 1);   // the last separator
    return s + close;
}

TEST(CliLimits, InputOverSixteenMiBGives64)
{
    const std::size_t limit = qeln::json::kMaxInputBytes;
    const std::string path = scratch("big.json");
    writeFile(path, std::string(limit - 2, ' ') + "{}");
    long rss = 0;
    EXPECT_EQ(runMeasured({"design", "--input", path, "--json"}, "/dev/null", "/dev/null", rss).status, 0);
    EXPECT_EQ(runMeasured({"design", "--input", "-", "--json"}, path, "/dev/null", rss).status, 0);

    writeFile(path, std::string(limit - 1, ' ') + "{}");
    for (const Outcome& o : {runMeasured({"design", "--input", path}, "/dev/null", "/dev/null", rss),
                             runMeasured({"design", "--input", "-"}, path, "/dev/null", rss)}) {
        EXPECT_EQ(o.status, 64);
        EXPECT_NE(o.err.find("the JSON input is larger than 16 MiB"), std::string::npos) << o.err;
    }
}

// Each of these once took minutes or gigabytes; now each is refused in
// seconds and a few hundred megabytes at most.
TEST(CliLimits, HostileJsonIsRefusedQuicklyInBoundedMemory)
{
    const std::size_t size = qeln::json::kMaxInputBytes;
    std::string keys = "{";
    for (int i = 0; keys.size() < size - 20; ++i)
        keys += "\"k" + std::to_string(i) + "\":1,";
    keys.back() = '}';
    const std::vector<std::pair<std::string, std::string>> inputs{
        {filled(size, "[", "[],", "]"), "more than 1000000 values"},
        {filled(size, "[", "{},", "]"), "more than 1000000 values"},
        {filled(size, "[", "0,", "]"), "more than 1000000 values"},
        {keys, "more than 1000000 values"},
        {std::string(size, '['), "nesting deeper than 64 levels"},
        {"{\"comment\":\"" + std::string(size - 40, 'x') + "\",\"h\":{}}", "\"h\" must be a number"},
    };
    const std::string path = scratch("hostile.json");
    for (const auto& [text, says] : inputs) {
        writeFile(path, text);
        long rssKiB = 0;
        const auto start = std::chrono::steady_clock::now();
        const Outcome o = runMeasured({"design", "--input", "-", "--json"}, path, "/dev/null", rssKiB);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(o.status, 64) << says;
        EXPECT_NE(o.err.find(says), std::string::npos) << o.err.substr(0, 300);
#if QELN_SANITIZED
        EXPECT_LT(seconds, 60.0) << says;   // the sanitizers' memory is their own
#else
        EXPECT_LT(seconds, 10.0) << says;
        EXPECT_LT(rssKiB, 300 * 1024) << says;
#endif
    }
}

// Finding: "qeln-cli design p.qln --json > /dev/full" gave exit 0.
TEST(CliOutput, WriteErrorGives3WithTheReason)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    const std::string input = scratch("n16.json");
    writeFile(input, R"({"n1": 16})");   // input errors: exit 1, unless the error lines cannot be written
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"design", kData + "default.qln", "--json"},
                                               {"design", kData + "default.qln"},
                                               {"design", "--input", "-"},
                                               {"--help"}}) {
        long rss = 0;
        const Outcome o = runMeasured(args, input, "/dev/full", rss);
        EXPECT_EQ(o.status, 3) << args.back();
        EXPECT_NE(o.err.find("could not write the output: No space left on device"), std::string::npos) << o.err;
    }
}

// The approval of a project: three JSON keys, "" when not given; the
// listing names them only when given (a check date that is none: JsonInputRefuses).
TEST(CliJsonOutput, ApprovalKeysAndListingLines)
{
    const auto plain = jsonOf(run({"design", kData + "default.qln", "--json"}));
    for (const char* key : {"checker", "checkDate", "revision"}) {
        ASSERT_TRUE(plain.contains(key)) << key;
        EXPECT_EQ(plain[key], "") << key;
    }
    for (const std::string& line : strings(plain, "listing"))
        EXPECT_EQ(line.find("Checked by"), std::string::npos) << line;

    const std::string given = R"({"checker": " B. Pr\u00fcfer ", "checkDate": "2026-11-03", "revision": "C"})";
    const Outcome o = designJson(given);
    ASSERT_EQ(o.status, 0) << o.err;
    const auto doc = jsonOf(o);
    EXPECT_EQ(doc["checker"], "B. Pr\xC3\xBC" "fer");
    EXPECT_EQ(doc["checkDate"], "2026-11-03");
    EXPECT_EQ(doc["revision"], "C");
    const std::vector<std::string> listing = strings(doc, "listing");
    const auto at = [&](const char* label) {
        return std::find_if(listing.begin(), listing.end(), [&](const std::string& l) { return l.rfind(label, 0) == 0; });
    };
    ASSERT_NE(at("Checked by:"), listing.end());
    EXPECT_NE(at("Checked by:")->find("B. Pr\xC3\xBC" "fer"), std::string::npos);
    EXPECT_NE(at("Check date:")->find("2026-11-03"), std::string::npos);
    EXPECT_NE(at("Revision:")->find("C"), std::string::npos);
    // after the dates of the project, in the project block
    EXPECT_LT(at("modified last:"), at("Checked by:"));
    EXPECT_LT(at("Checked by:"), at("Revision:"));

    // only the revision: one line
    const auto rev = strings(jsonOf(designJson(R"({"revision": "02"})")), "listing");
    for (const auto& [label, lines] : {std::pair{"Revision:", 1}, {"Checked by:", 0}, {"Check date:", 0}})
        EXPECT_EQ(std::count_if(rev.begin(), rev.end(), [&](const std::string& l) { return l.rfind(label, 0) == 0; }), lines)
            << label;
}
