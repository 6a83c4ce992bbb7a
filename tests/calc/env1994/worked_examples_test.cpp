// The three worked design runs: every table value to 0.01 kN (they are given
// rounded to two decimals), plus intermediate values.
#include "calc/env1994/checks.h"
#include "calc/env1994/design.h"
#include "calc/env1994/eccentric.h"
#include "calc/env1994/fire.h"
#include "present/listing.h"
#include "calc/env1994/member.h"
#include "calc/numeric.h"
#include "calc/yield.h"

#include "tests/reference_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace qeln::env1994;

using namespace qeln;

namespace {

struct WorkedRun {
    DesignOutcome out;
    ColumnResults res;
    double fyCalc = 0, rho = 0, dCalc = 0;
    RecordingSink sink;
};

void runDesign(const ColumnInput& in, WorkedRun& run)
{
    CheckOutcome checked = checkInput(in);
    checked.findings.clear();   // the worked examples are designed whatever the checks say
    run.fyCalc = checked.fyCalc;
    run.rho = checked.rho;
    DesignRun(in, checked, run.out);
    TextEnv text;
    text.sink = &run.sink;
    writeDesign(text, in, run.out, RowScope{true, true, true, true, true}, run.res);
    run.dCalc = run.out.dCalc;
}

void expectTable(const ColumnResults& res, const double (&expected)[5][5])
{
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) {
            ASSERT_TRUE(res.table.at(r, c).has_value()) << "row " << r << " col " << c;
            EXPECT_NEAR(*res.table.at(r, c), expected[r][c], 0.005 + 1e-9) << "row " << r << " col " << c;
        }
}

// The default project with other cold buckling lengths (m), permanent share
// of the load (%) and eccentricities (mm).
ColumnResults slender(double lWeak, double lStrong, double pcp, double e1 = 0, double e2 = 0)
{
    ColumnInput in;
    in.lWeakCold = lWeak;
    in.lStrongCold = lStrong;
    in.pcp = pcp;
    in.e1 = e1;
    in.e2 = e2;
    WorkedRun run;
    runDesign(in, run);
    return run.res;
}

} // namespace

// The default project, with both eccentricities, and HE 500 B with 8 + 4 bars
// of 25 mm, whose reinforcement ratio above 4 % reduces the diameter at normal
// temperature; the fire classes reset the working diameter to the entered one.
TEST(WorkedExamples, ReferenceTables)
{
    ColumnInput eccentric;
    eccentric.e1 = 50;
    eccentric.e2 = 30;
    struct Case {
        const char* name;
        ColumnInput in;
        const reference::Table& table;
        double fyCalc, rho, concreteVolume;
    };
    const Case cases[] = {
        {"default", ColumnInput{}, reference::kDefaultAxial, 355, 1.5598, 0.079307},
        {"e1 50, e2 30", eccentric, reference::kDefaultE50E30, 355, 1.5598, 0.079307},
        {"HE 500 B", reference::he500b8x4Input(), reference::kHe500b8x4, 345, 4.6699, 0.121091},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WorkedRun run;
        runDesign(c.in, run);
        EXPECT_DOUBLE_EQ(run.fyCalc, c.fyCalc);
        EXPECT_NEAR(run.rho, c.rho, 1e-4);
        expectTable(run.res, c.table);
        ASSERT_TRUE(run.res.concreteVolume.has_value());
        EXPECT_NEAR(*run.res.concreteVolume, c.concreteVolume, 1e-6);
        EXPECT_DOUBLE_EQ(run.dCalc, c.in.d);
        // no message, no warning and no error
        EXPECT_FALSE(run.res.hasErrors);
        EXPECT_FALSE(run.res.hasWarnings);
        EXPECT_TRUE(run.sink.messages.empty());
    }
}

TEST(WorkedExamples, DefaultProjectIntermediateValues)
{
    // R 30 component values of the default section.
    const double AmV = 2.0 * (300 + 310) / (300.0 * 310) * 1000;
    EXPECT_NEAR(AmV, 13.1183, 1e-4);
    FireClassInput fi;
    fi.thetaO = 550;
    fi.kt = 9.65;
    fi.Ht = 350;
    fi.h = 310;
    fi.tf = 15.5;
    fi.AmV = AmV;
    fi.kyt = 1.0;
    fi.kEt = 0.935;
    fi.fck = 30;
    fi.fyCalc = 355;
    fi.fsk = 500;
    fi.fireClass = FireClass::R30;
    const FireComponentResult f = FireComponentValues(fi);
    EXPECT_NEAR(f.thetaF, 676.59, 0.01);
    EXPECT_NEAR(f.kyTheta, 0.28618, 1e-5);
    EXPECT_NEAR(f.flangeStrength, 101.594, 1e-3);
    EXPECT_NEAR(f.kETheta, 0.172135, 1e-6);
    EXPECT_NEAR(f.flangeModulus, 36148.5, 0.1);
    EXPECT_NEAR(f.hwfi, 13.227, 1e-3);
    EXPECT_NEAR(f.webStrength, 321.34, 0.01);
    EXPECT_NEAR(f.thetaC, 214.705, 1e-3);
    EXPECT_NEAR(f.epsCuTheta, 4.7206, 1e-4);
    EXPECT_NEAR(f.kcTheta, 0.89265, 1e-5);
    EXPECT_NEAR(f.concreteStrength, 23.030, 1e-3);
    EXPECT_NEAR(f.concreteSecantModulus, 5672.9, 0.1);
    EXPECT_NEAR(f.rebarModulus, 196350, 0.5);
}

// Example 4: a slender column, where the long-term rule of ENV 1994-1-1
// (4.8.3) lowers the concrete modulus about both axes.
TEST(WorkedExamples, SlenderColumnLongTermModulus)
{
    struct Case {
        double e1, e2, pcp;
        double service[5];
    };
    const Case cases[] = {
        {0, 0, 70, {2130.13, 3891.31, 2130.13, 3891.31, 2130.13}},
        {50, 30, 70, {2130.13, 3891.31, 1333.46, 3089.70, 1333.46}},
        {0, 0, 100, {2015.64, 3846.27, 2015.64, 3846.27, 2015.64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "e1 " << c.e1 << " e2 " << c.e2 << " pcp " << c.pcp);
        const ColumnResults res = slender(8, 8, c.pcp, c.e1, c.e2);
        ASSERT_FALSE(res.hasErrors);
        for (int col = 0; col < 5; ++col)
            EXPECT_NEAR(*res.table.at(0, col), c.service[col], 0.005 + 1e-9) << "col " << col;
        // the fire rows keep their values (short fire buckling lengths)
        EXPECT_NEAR(*res.table.at(1, 0), 3706.70, 0.005);
        EXPECT_NEAR(*res.table.at(1, 1), 3914.93, 0.005);
    }
}

TEST(WorkedExamples, SlenderColumnLosesResistanceAsPermanentLoadGrows)
{
    double previousWeak = 1e300, previousStrong = 1e300;
    for (int pcp = 0; pcp <= 100; pcp += 10) {
        const ColumnResults res = slender(8, 8, pcp);
        const double weak = *res.table.at(0, 0), strong = *res.table.at(0, 1);
        EXPECT_LT(weak, previousWeak) << "pcp " << pcp;
        EXPECT_LT(strong, previousStrong) << "pcp " << pcp;
        previousWeak = weak;
        previousStrong = strong;
    }
}

TEST(WorkedExamples, AxesDecideTheLongTermRuleIndependently)
{
    // slender about the weak axis only: the strong axis keeps the result of a
    // run without permanent load, whatever the weak axis lowered
    const ColumnResults none = slender(8, 3, 0), full = slender(8, 3, 100);
    EXPECT_LT(*full.table.at(0, 0), *none.table.at(0, 0));
    EXPECT_EQ(*full.table.at(0, 1), *none.table.at(0, 1));
    EXPECT_NEAR(*full.table.at(0, 1), 5632.19, 0.005);
}
