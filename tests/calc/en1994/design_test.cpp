// The run over the whole catalogue: every section the checks accept gives
// a full table of finite loads in their order; no other section gives a
// value that is not finite (it may end in a CalculationError).
#include "en_inputs.h"

#include "calc/en1994/checks.h"
#include "calc/en1994/design.h"
#include "calc/env1994/checks.h"
#include "shell/checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace qeln;
using namespace qeln::en1994;
using namespace qeln::en1994::test;

namespace {

std::vector<ColumnInput> catalogue()
{
    std::vector<ColumnInput> out;
    std::ifstream file(std::string(QELN_SOURCE_DIR) + "/data/profiles.csv");
    std::string line;
    std::getline(file, line);   // header: name,h,b,tw,tf,r,family
    while (std::getline(file, line)) {
        std::stringstream row(line);
        std::string name, cell;
        std::getline(row, name, ',');
        double v[5];
        for (double& x : v) {
            std::getline(row, cell, ',');
            x = std::stod(cell);
        }
        ColumnInput in = enProfile(v[0], v[1], v[2], v[3], v[4]);
        in.profileName = name;
        in.e1 = 50;
        in.e2 = 30;
        out.push_back(in);
    }
    return out;
}

TEST(DesignRun, WholeCatalogue)
{
    const std::vector<ColumnInput> profiles = catalogue();
    ASSERT_GT(profiles.size(), 400u);
    int accepted = 0;
    for (const ColumnInput& in : profiles) {
        const CheckOutcome env = env1994::checkInput(in);
        const bool valid = !env.hasErrors() && !anyError(check(in, env.fyCalc));
        Outcome o;
        try {
            o = design(in, env.fyCalc);
        } catch (const CalculationError&) {
            EXPECT_FALSE(valid) << in.profileName;
            continue;
        }
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 5; ++col)
                ASSERT_TRUE(o.table.at(row, col) && std::isfinite(*o.table.at(row, col))) << in.profileName;
        if (!valid)
            continue;
        ++accepted;
        for (int row = 0; row < 5; ++row) {
            auto c = [&](int col) { return *o.table.at(row, col); };
            EXPECT_GT(c(biaxial), 0) << in.profileName;
            EXPECT_LE(c(eccentricWeak), c(axialWeak)) << in.profileName;
            EXPECT_LE(c(eccentricStrong), c(axialStrong)) << in.profileName;
            // in fire the axis that governs the reference calculation carries the biaxial cell
            const double cap = row == rowService ? std::min(c(eccentricWeak), c(eccentricStrong))
                               : o.ratios.governs == Axis::Weak ? c(eccentricWeak)
                                                                : c(eccentricStrong);
            EXPECT_LE(c(biaxial), cap * (1 + 1e-15)) << in.profileName << " row " << row;
        }
    }
    EXPECT_GT(accepted, 50);
}

} // namespace
