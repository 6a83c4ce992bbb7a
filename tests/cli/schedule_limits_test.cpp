// qeln-cli schedule and the schedule's own search limits: the saved limits
// are the starting point, each limit given on the command line replaces its part.
#include "cli_run.h"
#include "json.h"

#include "shell/schedule.h"
#include "shell/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Value = qeln::json::Ordered;
using namespace clirun;
using qeln::SearchConstraints;

SearchConstraints saved()
{
    SearchConstraints c;
    c.families = {"HE A"};
    c.maxH = 300;
    c.maxB = 280;
    c.diameters = {16};
    c.layouts = {{4, 0}};
    return c;
}

struct LimitCase {
    const char* label;
    std::vector<std::string> options;
    const char* family;
    double d;
    int n1, n2;
    int largestH, largestB;   // the nominal size of the profile's name at most
};

class CliScheduleLimits : public testing::TestWithParam<LimitCase> {};

// The limits saved with the --base project's schedule bound the search; an
// option given replaces only its own part of them.
TEST_P(CliScheduleLimits, SavedLimitsBoundTheSearchAndEachOptionReplacesItsPart)
{
    const LimitCase& c = GetParam();
    const std::string source = std::string(QELN_SOURCE_DIR) + "/tests/data/he500b-8-4.qln";
    qeln::Schedule schedule;
    schedule.columns = {"nEd"};
    schedule.rows.push_back({"C1", {"1000"}, true});
    schedule.constraints = saved();
    const std::string base = scratch(std::string("limits-") + c.label + ".qln");
    // an aggregate of 8 mm: 16 mm bars 20 mm apart keep max(16, 8 + 5, 20)
    // (with 16 mm the search would offer no 8+4 of them at h <= 400 mm)
    writeFile(base, readFile(source) + "[materials]\r\ndg=8\r\n" + qeln::ScheduleBlockContent(schedule));

    std::vector<std::string> args{"schedule", "--base", base, "--json"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const Outcome o = run(args);
    ASSERT_EQ(o.status, 0) << o.err << o.out;
    const Value v = Value::parse(o.out);
    const Value& row = v["rows"][0];
    const std::string profile = row["profileName"].get<std::string>();
    EXPECT_EQ(qeln::profileFamily(profile), c.family) << profile;
    EXPECT_EQ(row["d"].get<double>(), c.d);
    EXPECT_EQ(row["n1"].get<int>(), c.n1);
    EXPECT_EQ(row["n2"].get<int>(), c.n2);
    const int size = std::stoi(profile.substr(3));   // "HE 280 A" -> 280: h and b of HE A and HE B at most
    EXPECT_LE(size, std::min(c.largestH, c.largestB)) << profile;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliScheduleLimits,
    testing::Values(LimitCase{"saved", {}, "HE A", 16, 4, 0, 300, 280},
                    LimitCase{"families", {"--families", "HE B"}, "HE B", 16, 4, 0, 300, 280},
                    LimitCase{"diameters", {"--diameters", "20"}, "HE A", 20, 4, 0, 300, 280},
                    LimitCase{"layouts", {"--layouts", "8+4"}, "HE A", 16, 8, 4, 300, 280},
                    LimitCase{"maxB", {"--max-b", "260"}, "HE A", 16, 4, 0, 300, 260}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
