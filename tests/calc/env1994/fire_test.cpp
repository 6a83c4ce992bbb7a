// Temperature-dependent factors of Annex F and the component values.
#include "present/checktext.h"
#include "calc/env1994/annexf.h"
#include "calc/env1994/fire.h"
#include "calc/steelfire.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qeln::env1994;

using namespace qeln;

TEST(FireFactors, SteelBorders)
{
    EXPECT_NEAR(steelStrengthFactor(500), 0.78, 1e-12);
    EXPECT_NEAR(steelStiffnessFactor(500), 0.6, 1e-12);
    EXPECT_EQ(steelStrengthFactor(400), 1.0);
    EXPECT_EQ(steelStiffnessFactor(100), 1.0);
    EXPECT_NEAR(steelStrengthFactor(1200), 0.0, 1e-12);
    EXPECT_NEAR(steelStiffnessFactor(1200), 0.0, 1e-12);
    EXPECT_EQ(steelStrengthFactor(1300), 0.0);
    // continuous at every border
    for (double t = 100; t <= 1200; t += 100) {
        EXPECT_NEAR(steelStrengthFactor(t), steelStrengthFactor(t + 1e-9), 1e-9) << t;
        EXPECT_NEAR(steelStiffnessFactor(t), steelStiffnessFactor(t + 1e-9), 1e-9) << t;
    }
}

TEST(FireFactors, ConcreteBorders)
{
    // the table's points (R 30 at 23 mm, R 120 at 43 mm): the rows below
    EXPECT_NEAR(concreteStrainAtPeak(300), 6.0, 1e-12);
    EXPECT_NEAR(concreteStrengthFactor(300), 0.85, 1e-12);
    EXPECT_NEAR(concreteTemperature(60, FireClass::R120), 1000, 1e-9);
    EXPECT_NEAR(concreteStrengthFactor(1000), 0.04, 1e-12);
    EXPECT_NEAR(concreteStrainAtPeak(1000), 15.0, 1e-12);
    // below x = 4 linear from zero
    EXPECT_NEAR(concreteTemperature(2, FireClass::R30), 68, 1e-12);
    EXPECT_NEAR(concreteTemperature(2, FireClass::R60), 107, 1e-12);
    EXPECT_NEAR(concreteTemperature(2, FireClass::R90), 128, 1e-12);
    EXPECT_NEAR(concreteTemperature(2, FireClass::R120), 132.5, 1e-12);
    // every row passes through its points and is continuous
    const struct { FireClass label; std::vector<std::pair<double, double>> pts; } rows[] = {
        {FireClass::R30, {{4, 136}, {23, 300}, {46, 400}}},
        {FireClass::R60, {{4, 214}, {9, 300}, {21, 400}, {50, 600}}},
        {FireClass::R90, {{4, 256}, {6, 300}, {13, 400}, {33, 600}, {54, 800}}},
        {FireClass::R120, {{4, 265}, {5, 300}, {9, 400}, {38, 800}, {41, 900}, {43, 1000}}},
    };
    for (const auto& row : rows)
        for (const auto& [x, t] : row.pts) {
            EXPECT_NEAR(concreteTemperature(x, row.label), t, 1e-9) << fireClassLabel(row.label) << " " << x;
            EXPECT_NEAR(concreteTemperature(x - 1e-9, row.label), t, 1e-6) << fireClassLabel(row.label) << " " << x;
        }
    for (double t = 100; t <= 1200; t += 100)
        EXPECT_NEAR(concreteStrengthFactor(t), concreteStrengthFactor(t - 1e-9), 1e-9) << t;
}

TEST(FireComponentValues, RebarsAndWeb)
{
    FireClassInput in;
    in.thetaO = 805;
    in.kt = 6.15;
    in.Ht = 1100;
    in.h = 500;
    in.tf = 28;
    in.AmV = 10.67;
    in.kyt = 0.572;
    in.kEt = 0.406;
    in.fck = 30;
    in.fyCalc = 345;
    in.fsk = 500;
    in.gammaSfi = 1.1;
    in.fireClass = FireClass::R90;
    const FireComponentResult r = FireComponentValues(in);
    EXPECT_NEAR(r.rebarStrength, 0.572 * 500 / 1.1, 1e-9);
    EXPECT_NEAR(r.rebarModulus, 0.406 * 210000, 1e-9);
    const double w = std::sqrt(1 - 0.16 * 1100 / 500.0);
    EXPECT_NEAR(r.hwfi, 0.5 * (500 - 56) * (1 - w), 1e-9);
    EXPECT_NEAR(r.webStrength, 345 * w, 1e-9);
}
