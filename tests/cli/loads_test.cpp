// qeln-cli with design loads: --ned, --nfied, --class, the JSON input fields,
// the keys scope and check of the JSON output and exit status 4.
#include "cli_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Value = qeln::json::Ordered;   // keys in the order written

const std::string kDefault = std::string(QELN_SOURCE_DIR) + "/tests/data/default.qln";

using namespace clirun;

Outcome design(std::vector<std::string> extra)
{
    std::vector<std::string> args{"design", kDefault, "--json"};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
}

// The check's members as text: numbers to 3 decimals, so rows compare at a glance.
std::string summary(const Value& check)
{
    if (check.is_null())
        return "null";
    std::string s;
    for (const auto& [key, v] : check.items()) {
        s += key + "=";
        if (v.is_null())
            s += "null";
        else if (v.is_boolean())
            s += v.get<bool>() ? "true" : "false";
        else if (v.is_string())
            s += v.get<std::string>();
        else {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.3f", v.get<double>());
            s += buf;
        }
        s += " ";
    }
    return s;
}

// The rows Service to R120: I inside the field of application, O outside.
std::string scopeOf(const Value& doc)
{
    std::string scope;
    for (const Value& v : doc["scope"])
        scope += v.get<bool>() ? "I" : "O";
    return scope;
}

struct CheckCase {
    const char* name;
    std::vector<std::string> options;
    int status;
    const char* scope;   // scopeOf() the run
    const char* check;   // summary() of the check
};

class CliCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(CliCheck, KeysValuesAndExitStatus)
{
    const CheckCase& c = GetParam();
    const Outcome o = design(c.options);
    EXPECT_EQ(o.status, c.status) << o.err;
    const Value doc = orderedOf(o);
    ASSERT_TRUE(doc.contains("check") && doc.contains("scope"));
    EXPECT_EQ(scopeOf(doc), c.scope);
    EXPECT_EQ(summary(doc["check"]), c.check);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultProject, CliCheck,
    testing::Values(
        // without loads no check, and every row inside
        CheckCase{"WithoutLoads", {"--class", "R60"}, 0, "IIIII", "null"},
        CheckCase{"BothPassInR90", {"--ned", "3000", "--nfied", "1800", "--class", "R90"}, 0, "IIIII",
                  "nEd=3000.000 fireClass=R90 nFiEd=1800.000 nRd=5061.020 utilisation=0.593 servicePasses=true "
                  "nFiRd=1835.367 fireUtilisation=0.981 fireWithinScope=true firePasses=true achievedClass=R90 "
                  "governing=fire passes=true governingRow=R90 governingColumn=0.000 fireVerified=true "
                  "fireOnStrongAxis=false barsLeftOutInFire=false noFireCheck=false "},
        CheckCase{"ServiceOnlyFails", {"--ned", "6000"}, 4, "IIIII",
                  "nEd=6000.000 fireClass=null nFiEd=null nRd=5061.020 utilisation=1.186 servicePasses=false "
                  "nFiRd=null fireUtilisation=null fireWithinScope=null firePasses=null achievedClass=null "
                  "governing=service passes=false governingRow=service governingColumn=0.000 fireVerified=null "
                  "fireOnStrongAxis=false barsLeftOutInFire=false noFireCheck=false "},
        // N.fi,Ed without a class checks nothing: no fire check, and no pass
        CheckCase{"FireLoadWithoutClass", {"--nfied", "1200"}, 4, "IIIII",
                  "nEd=null fireClass=null nFiEd=1200.000 nRd=null utilisation=null servicePasses=null "
                  "nFiRd=null fireUtilisation=null fireWithinScope=null firePasses=null achievedClass=R90 "
                  "governing=null passes=false governingRow=null governingColumn=null fireVerified=null "
                  "fireOnStrongAxis=false barsLeftOutInFire=false noFireCheck=true "},
        CheckCase{"NoClassCarries", {"--nfied", "4000", "--class", "R30"}, 4, "IIIII",
                  "nEd=null fireClass=R30 nFiEd=4000.000 nRd=null utilisation=null servicePasses=null "
                  "nFiRd=3706.698 fireUtilisation=1.079 fireWithinScope=true firePasses=false achievedClass=none "
                  "governing=fire passes=false governingRow=R30 governingColumn=0.000 fireVerified=true "
                  "fireOnStrongAxis=false barsLeftOutInFire=false noFireCheck=false "}),
    [](const testing::TestParamInfo<CheckCase>& p) { return std::string(p.param.name); });

TEST(CliLoads, ProfileBelow300LeavesR90OutsideAndFails)
{
    const std::string input = R"({"h": 290, "b": 300, "tw": 9, "tf": 15.5, "r": 27,
                                  "nEd": 1000, "nFiEd": 500, "fireClass": "R90"})";
    const Outcome o = run({"design", "--input", "-", "--json"}, input);
    EXPECT_EQ(o.status, 4) << o.err;
    const Value doc = orderedOf(o);
    EXPECT_EQ(scopeOf(doc), "IIIOO");
    EXPECT_FALSE(doc["check"]["fireWithinScope"].get<bool>());
}

TEST(CliLoads, OptionsOverTheJsonInput)
{
    const std::string input = R"({"nEd": 9000, "nFiEd": 100, "fireClass": "R30"})";
    const Outcome o = run({"design", "--input", "-", "--json", "--ned", "3000", "--class", "R120"}, input);
    EXPECT_EQ(o.status, 0) << o.err;
    const Value doc = orderedOf(o);
    const Value& check = doc["check"];
    EXPECT_EQ(check["nEd"].get<double>(), 3000);
    EXPECT_EQ(check["nFiEd"].get<double>(), 100);
    EXPECT_EQ(check["fireClass"].get<std::string>(), "R120");
}

TEST(CliLoads, ListingModeStatusAndBlock)
{
    const Outcome o = run({"design", kDefault, "--ned", "5061.02", "--listing", "condensed"});
    EXPECT_EQ(o.status, 4);   // 5061.02 is just above the smallest service value 5061.0199...
    EXPECT_NE(o.out.find("Design check"), std::string::npos);
    const Outcome pass = run({"design", kDefault, "--ned", "5061"});
    EXPECT_EQ(pass.status, 0);
}

} // namespace
