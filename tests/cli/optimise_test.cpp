// qeln-cli optimise: the table and the JSON of the section search, its
// constraints and exit statuses.
#include "cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Value = qeln::json::Ordered;

const std::string kDefault = std::string(QELN_SOURCE_DIR) + "/tests/data/default.qln";

using namespace clirun;

Outcome optimise(const std::vector<std::string>& extra, const std::vector<std::string>& more = {})
{
    std::vector<std::string> args{"optimise", kDefault};
    args.insert(args.end(), extra.begin(), extra.end());
    args.insert(args.end(), more.begin(), more.end());
    return run(args);
}

// The default search of the default loads: the JSON's keys in order, the
// lightest first, the same search from JSON input. 0.95 as the target: every
// candidate keeps to it in both checks, those of the default search above it
// (HE 340 AA 4+0 x 20 at 0.97 in fire) drop out.
TEST(CliOptimise, DefaultLoadsJsonAndTargetUtilisation)
{
    const std::vector<std::string> loads{"--ned", "3000", "--nfied", "1800", "--class", "R90", "--json", "--top", "50"};
    const Outcome a = optimise(loads);
    ASSERT_EQ(a.status, 0) << a.err;
    const Value all = orderedOf(a);
    EXPECT_EQ(all["evaluated"], 471 * 7 * 4);
    EXPECT_EQ(all["maxUtilisation"].get<double>(), 1.0);
    ASSERT_GT(all["passing"].get<int>(), 50);
    const Value& c = all["candidates"];
    ASSERT_EQ(c.size(), 50u);
    std::vector<std::string> keys;
    for (const auto& [k, unused] : c[0].items())
        keys.push_back(k);
    EXPECT_EQ(keys, (std::vector<std::string>{"profileName", "d", "n1", "n2", "steelMass", "cost", "rebarArea", "nRd",
                                              "utilisation", "nFiRd", "fireUtilisation", "achievedClass",
                                              "alsoNamed"}));
    EXPECT_LE(c[0]["steelMass"].get<double>(), c[49]["steelMass"].get<double>());
    const Outcome j = run({"optimise", "--input", "-", "--json", "--top", "1"},
                          R"({"nEd": 3000, "nFiEd": 1800, "fireClass": "R90"})");
    ASSERT_EQ(j.status, 0) << j.err;
    ASSERT_EQ(orderedOf(j)["candidates"].size(), 1u);
    EXPECT_EQ(orderedOf(j)["candidates"][0], c[0]);

    const Outcome o = optimise(loads, {"--max-utilisation", "0.95"});
    ASSERT_EQ(o.status, 0) << o.err;
    const Value v = orderedOf(o);
    EXPECT_EQ(v["maxUtilisation"].get<double>(), 0.95);
    EXPECT_LT(v["passing"].get<int>(), all["passing"].get<int>());
    const auto above = std::find_if(c.begin(), c.end(),
                                    [](const Value& k) { return k["fireUtilisation"].get<double>() > 0.95; });
    ASSERT_NE(above, c.end());
    ASSERT_EQ(v["candidates"].size(), 50u);
    for (const auto& k : v["candidates"]) {
        EXPECT_LE(k["utilisation"].get<double>(), 0.95) << k.dump();
        EXPECT_LE(k["fireUtilisation"].get<double>(), 0.95) << k.dump();
    }
    EXPECT_GE(v["candidates"][0]["steelMass"].get<double>(), c[0]["steelMass"].get<double>());
    // the table says which target it kept to
    const Outcome table = optimise({"--ned", "3000", "--max-utilisation", "0.5", "--top", "1"});
    EXPECT_NE(table.out.find("candidates pass at a utilisation of at most 0.5"), std::string::npos) << table.out;
}

// 8 m, R 60, fire length 5.6 m: only b >= 415 mm keeps l.θ <= 13.5 b; the
// search says so, counts what fails and why, and shows a section of two
// names once.
TEST(CliOptimise, NamesTheLimitAndCountsTheFailures)
{
    const Outcome o = optimise({"--ned", "3000", "--nfied", "1800", "--class", "R60", "--json", "--top", "5",
                                "--max-utilisation", "1"});
    ASSERT_EQ(o.status, 0) << o.err;
    const Value v = orderedOf(o);
    EXPECT_TRUE(v["fireLengthNeedsWidth"].is_null());   // 1.5 m asks for no more than 230 mm
    const Value& f = v["failing"];
    EXPECT_EQ(v["evaluated"].get<int>(), v["passing"].get<int>() + f["inputChecks"].get<int>() +
                                             f["fieldOfApplication"].get<int>() + f["resistance"].get<int>() +
                                             f["aboveTarget"].get<int>());
    EXPECT_GT(f["inputChecks"].get<int>(), 0);
    EXPECT_GT(f["resistance"].get<int>(), 0);
    EXPECT_EQ(f["aboveTarget"].get<int>(), 0);

    // the reviewer's case: 8 m, fire length 0.7 L = 5.6 m, R 60
    const char* member = R"({"nEd": 3000, "nFiEd": 1800, "fireClass": "R60", "lWeakCold": 8, "lStrongCold": 8,
                           "lWeakFire": 5.6, "lStrongFire": 5.6, "e1": 20, "e2": 50})";
    const Outcome far = run({"optimise", "--input", "-", "--json", "--top", "20"}, member);
    ASSERT_EQ(far.status, 0) << far.err;
    const Value w = orderedOf(far);
    EXPECT_EQ(w["fireLengthNeedsWidth"].get<double>(), 415);
    EXPECT_GT(w["failing"]["fieldOfApplication"].get<int>(), 0);
    for (const auto& k : w["candidates"])
        EXPECT_FALSE(k["fireUtilisation"].is_null());
    const Outcome table = run({"optimise", "--input", "-", "--top", "2"}, member);
    EXPECT_NE(table.out.find("the fire buckling length needs b >= 415 mm within the field of application"),
              std::string::npos)
        << table.out;
}

// Ranked by cost: the order follows the cost per metre at the given prices,
// and the result names the prices; with concrete free and bars dear the
// lightest bars win over the lightest profile.
TEST(CliOptimise, RankByCostAtTheGivenPrices)
{
    const std::vector<std::string> loads{"--ned", "3000", "--nfied", "1800", "--class", "R90", "--json", "--top", "20"};
    const std::vector<std::string> prices{"--price-steel", "2", "--price-rebars", "9", "--price-concrete", "0"};
    std::vector<std::string> byCost = loads;
    byCost.insert(byCost.end(), {"--rank", "cost"});
    const Outcome o = optimise(byCost, prices);
    ASSERT_EQ(o.status, 0) << o.err;
    const Value v = orderedOf(o);
    EXPECT_EQ(v["rank"], "cost");
    EXPECT_EQ(v["prices"]["rebars"].get<double>(), 9);
    const Value& c = v["candidates"];
    ASSERT_EQ(c.size(), 20u);
    for (std::size_t i = 1; i < c.size(); ++i)
        EXPECT_LE(c[i - 1]["cost"].get<double>(), c[i]["cost"].get<double>()) << i;
    // by mass the first is the lightest profile, by cost (at the same prices) the cheapest
    const Value m = orderedOf(optimise(loads, prices));
    EXPECT_EQ(m["rank"], "mass");
    EXPECT_LE(c[0]["cost"].get<double>(), m["candidates"][0]["cost"].get<double>());
    EXPECT_GE(c[0]["steelMass"].get<double>(), m["candidates"][0]["steelMass"].get<double>());

    const Outcome table = optimise({"--ned", "3000", "--top", "2", "--rank", "cost"});
    EXPECT_NE(table.out.find("ranked by cost per metre at unit prices: steel 2/kg, rebars 1.5/kg, concrete 150/m3"),
              std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("  cost "), std::string::npos);
}

TEST(CliOptimise, TableHasAHeaderAndTheCount)
{
    const Outcome o = optimise({"--ned", "3000", "--top", "3", "--families", "HE A,HE B", "--max-h", "400"});
    ASSERT_EQ(o.status, 0) << o.err;
    std::istringstream lines(o.out);
    std::vector<std::string> l;
    for (std::string s; std::getline(lines, s);)
        l.push_back(s);
    ASSERT_EQ(l.size(), 6u) << o.out;   // two header lines, three candidates, the count
    EXPECT_NE(l[0].find("profile"), std::string::npos);
    EXPECT_EQ(l[2].rfind("HE ", 0), 0u) << l[2];
    EXPECT_NE(l[5].find(" candidates pass"), std::string::npos);
    // only R 30 .. R 120 columns without fire load: shown as '-'
    EXPECT_NE(l[2].find(" - "), std::string::npos);
}

// No candidate passes, or the filters leave none to evaluate: status 4.
TEST(CliOptimise, NoCandidateIsStatus4)
{
    const Outcome o = optimise({"--ned", "90000", "--families", "IPE", "--json"});
    EXPECT_EQ(o.status, 4) << o.err;
    const Value v = orderedOf(o);
    EXPECT_EQ(v["passing"], 0);
    EXPECT_EQ(v["evaluated"], 27 * 7 * 4);
    EXPECT_TRUE(v["candidates"].empty());
    const Outcome none = optimise({"--ned", "100", "--families", "IPE", "--max-b", "40", "--json"});
    EXPECT_EQ(none.status, 4);
    EXPECT_EQ(orderedOf(none)["evaluated"], 0);
}

TEST(CliOptimise, OwnListsOfDiametersAndLayouts)
{
    const Outcome o = optimise({"--ned", "2000", "--diameters", "16,25", "--layouts", "4+0,8+4", "--families", "HE B",
                                "--json", "--top", "1000"});
    ASSERT_EQ(o.status, 0) << o.err;
    const Value v = orderedOf(o);
    EXPECT_EQ(v["evaluated"], 24 * 2 * 2);
    for (const auto& k : v["candidates"]) {
        EXPECT_TRUE(k["d"] == 16 || k["d"] == 25);
        EXPECT_TRUE((k["n1"] == 4 && k["n2"] == 0) || (k["n1"] == 8 && k["n2"] == 4));
    }
}

} // namespace
