// qeln-cli design --plots DIR and --json --curves: four whole SVG files in
// the chosen language; the curves' data with the resistance equal to the
// table's cell; outputs that cannot be written. (Usage errors: CliRefuses;
// the curves of projects that cannot be designed: CliOutcome.)
#include "cli_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

namespace {

using namespace clirun;
namespace fs = std::filesystem;

const std::string kData = std::string(QELN_SOURCE_DIR) + "/tests/data/";
const char* const kPlots[] = {"nm-weak.svg", "nm-strong.svg", "ne-weak.svg", "ne-strong.svg"};

TEST(CliPlots, FourFilesForTheDefaultProject)
{
    const std::string dir = scratch("plots/sub");   // made when missing, parents too
    const Outcome o = run({"design", kData + "default.qln", "--plots", dir});
    ASSERT_EQ(o.status, 0) << o.err;
    // whole documents (that an XML parser reads them: Plots.SvgReadByAnXmlParser)
    for (const char* name : kPlots) {
        const std::string svg = readFile(dir + "/" + name);
        EXPECT_EQ(svg.rfind("<?xml ", 0), 0u) << name;
        EXPECT_NE(svg.find("</svg>", svg.size() - 8), std::string::npos) << name;
    }
    EXPECT_NE(readFile(dir + "/nm-weak.svg").find("Interaction diagram - weak axis z-z"), std::string::npos);
    EXPECT_NE(readFile(dir + "/ne-strong.svg").find("Resistance versus eccentricity - strong axis y-y"),
              std::string::npos);
    // no temporary files left beside them
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4);

    // German, decimal comma in the listing language: the texts follow the language
    const Outcome de = run({"design", kData + "default-german.qln", "--language", "de", "--plots", dir});
    ASSERT_EQ(de.status, 0) << de.err;
    EXPECT_NE(readFile(dir + "/nm-strong.svg").find("Interaktionsdiagramm - starke Achse y-y"), std::string::npos);
}

TEST(CliPlots, NotWrittenWithoutValidResults)
{
    const std::string dir = scratch("plots-invalid");
    const Outcome o = run({"design", "--input", "-", "--plots", dir}, R"({"n1": 16})");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("the plots are not written"), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(dir + "/nm-weak.svg"));
}

TEST(CliCurves, JsonShape)
{
    const Outcome o =
        run({"design", "--input", "-", "--json", "--curves"}, R"({"e1": 50, "e2": 30, "nEd": 2500, "nFiEd": 500,
             "fireClass": "R60"})");
    ASSERT_EQ(o.status, 0) << o.err;
    const auto doc = jsonOf(o);
    ASSERT_TRUE(doc.contains("curves"));
    const auto& c = doc["curves"];
    EXPECT_EQ(c["status"], "ok");
    for (const char* axis : {"weak", "strong"}) {
        SCOPED_TRACE(axis);
        const auto& a = c[axis];
        ASSERT_TRUE(a.is_object());
        for (const char* curve : {"plastic", "allowed", "acting"}) {
            ASSERT_TRUE(a[curve]["N"].is_array()) << curve;
            EXPECT_EQ(a[curve]["N"].size(), a[curve]["M"].size()) << curve;
            EXPECT_GT(a[curve]["N"].size(), 10u) << curve;
        }
        const int column = std::string(axis) == "weak" ? 2 : 3;
        EXPECT_EQ(a["resistance"]["N"].get<double>(), doc["table"][0][column].get<double>());
        EXPECT_EQ(a["e"].get<double>(), std::string(axis) == "weak" ? 50 : 30);
        EXPECT_EQ(a["load"]["N"].get<double>(), 2500);
        const auto& ecc = a["eccentricity"];
        ASSERT_EQ(ecc["e"].size(), 31u);
        EXPECT_EQ(ecc["e"][0].get<double>(), 0);
        EXPECT_EQ(ecc["e"][30].get<double>(), ecc["eLimit"].get<double>());
        ASSERT_EQ(ecc["series"].size(), 5u);
        const char* rows[] = {"Service", "R30", "R60", "R90", "R120"};
        for (std::size_t r = 0; r < 5; ++r) {
            EXPECT_EQ(ecc["series"][r]["row"], rows[r]);
            EXPECT_EQ(ecc["series"][r]["N"].size(), 31u);
            EXPECT_TRUE(ecc["series"][r]["outside"].is_boolean());
        }
    }
    // without --curves no key
    const Outcome plain = run({"design", kData + "default.qln", "--json"});
    EXPECT_FALSE(jsonOf(plain).contains("curves"));
}

// An input named like a plot is not replaced, a plot that cannot be written
// leaves the folder's plots as they were, all four, and a file in the way of
// the folder is left as it was.
TEST(CliPlots, KeepTheInputAndWriteAllFourOrNone)
{
    const std::string dir = scratch("plots-input");
    fs::create_directories(dir);
    const std::string input = dir + "/nm-weak.svg";
    fs::copy_file(kData + "default.qln", input, fs::copy_options::overwrite_existing);
    Outcome o = run({"design", input, "--plots", dir});
    EXPECT_EQ(o.status, 3) << o.err;
    EXPECT_EQ(readFile(input), readFile(kData + "default.qln"));

    fs::remove(input);
    for (const char* p : kPlots)
        writeFile(dir + "/" + p, "OLD");
    fs::remove(dir + "/ne-weak.svg");
    fs::create_directory(dir + "/ne-weak.svg");   // a folder where a plot goes: it cannot be replaced
    o = run({"design", kData + "default.qln", "--plots", dir});
    EXPECT_EQ(o.status, 3) << o.err;
    for (const char* p : {"nm-weak.svg", "nm-strong.svg", "ne-strong.svg"})
        EXPECT_EQ(readFile(dir + "/" + p), "OLD") << p;

    // a file where the folder goes: exit 3, the file as it was
    const std::string blocker = dir + "/blocker";
    writeFile(blocker, "not a folder");
    o = run({"design", kData + "default.qln", "--plots", blocker});
    EXPECT_EQ(o.status, 3);
    EXPECT_NE(o.err.find("Error during Writing of File"), std::string::npos) << o.err;
    EXPECT_EQ(readFile(blocker), "not a folder");
}

} // namespace
