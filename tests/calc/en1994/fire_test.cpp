// The fire method of Annex G: the EN concrete table at its points and
// between, the bars' bands, the concrete temperature, u, and the rules that
// differ from the room temperature (no creep, partial factors 1.0 in
// lambda-bar_theta, bars below the tables).
#include "en_inputs.h"

#include "calc/en1994/design.h"
#include "calc/en1994/tables.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qeln;
using namespace qeln::en1994;
using namespace qeln::en1994::test;

namespace {

// EN 1994-1-2 Table 3.3 at its points and between them.
TEST(FireTables, ConcretePointsAndBetween)
{
    struct Point {
        double theta, k, eps;
    };
    const Point points[] = {
        {0, 1.0, 2.5},      {20, 1.0, 2.5},     {60, 1.0, 3.25},    {100, 1.0, 4.0},    {150, 0.975, 4.75},
        {200, 0.95, 5.5},   {300, 0.85, 7.0},   {350, 0.8, 8.5},    {400, 0.75, 10.0},  {450, 0.675, 12.5},
        {500, 0.6, 15.0},   {550, 0.525, 20.0}, {600, 0.45, 25.0},  {650, 0.375, 25.0}, {800, 0.15, 25.0},
        {850, 0.115, 25.0}, {1000, 0.04, 25.0}, {1150, 0.005, 25.0}, {1200, 0.0, 25.0}, {1300, 0.0, 25.0},
    };
    for (const Point& p : points) {
        EXPECT_NEAR(concreteStrengthFactor(p.theta), p.k, 1e-15) << p.theta;
        EXPECT_NEAR(concreteStrainAtPeak(p.theta), p.eps, 1e-14) << p.theta;
    }
}

TEST(FireTables, RebarBands)
{
    const std::pair<double, RebarFactors> rows[] = {
        {40, {0.314, 0.193}}, {44.99, {0.314, 0.193}}, {45, {0.434, 0.283}}, {54.9, {0.572, 0.406}},
        {55, {0.696, 0.522}}, {59.99, {0.696, 0.522}}, {60, {0.822, 0.619}}, {200, {0.822, 0.619}},
    };
    for (const auto& [u, expected] : rows) {
        RebarFactors f;
        ASSERT_TRUE(rebarFactors(FireClass::R90, u, f)) << u;
        EXPECT_EQ(f.kyt, expected.kyt) << u;
        EXPECT_EQ(f.kEt, expected.kEt) << u;
    }
    RebarFactors f;
    EXPECT_FALSE(rebarFactors(FireClass::R30, 39.99, f));
    ASSERT_TRUE(rebarFactors(FireClass::R120, 40, f));
    EXPECT_EQ(f.kyt, 0.170);
    ASSERT_TRUE(rebarFactors(FireClass::R30, 40, f));
    EXPECT_EQ(f.kyt, 1.0);
}

TEST(FireTables, ConcreteTemperature)
{
    EXPECT_DOUBLE_EQ(concreteTemperature(FireClass::R30, 23), 300);
    EXPECT_DOUBLE_EQ(concreteTemperature(FireClass::R30, 2), 68);   // linear from 0 degC below the first point
    EXPECT_DOUBLE_EQ(concreteTemperature(FireClass::R30, 100), 400);
    EXPECT_DOUBLE_EQ(concreteTemperature(FireClass::R60, 15), 350);
    EXPECT_DOUBLE_EQ(concreteTemperature(FireClass::R90, 54), 800);
    EXPECT_DOUBLE_EQ(concreteTemperature(FireClass::R120, 39.5), 850);
    EXPECT_DOUBLE_EQ(concreteTemperature(FireClass::R120, 60), 1000);
    EXPECT_EQ(fireClassTable(FireClass::R90).bcfi0 + fireClassTable(FireClass::R90).bcfiPerAmV * 10, 27.5);
}

TEST(FireGeometry, AverageAxisDistance)
{
    ColumnInput in = enDefault();
    in.uc1 = 50;
    in.uf1 = 60;
    EXPECT_DOUBLE_EQ(fireGeometry(in).u, std::sqrt(50.0 * 60.0));
    in.uc1 = 40;
    EXPECT_DOUBLE_EQ(fireGeometry(in).u, std::sqrt(40.0 * 50.0));   // more than 10 mm apart
    EXPECT_DOUBLE_EQ(fireGeometry(in).AmV, 2.0 * 610 / (310.0 * 300) * 1000);
}

// Bars nearer the surface than the tables reach are not counted in fire.
TEST(FireClass, BarsBelowTheTables)
{
    ColumnInput in = enDefault();
    in.uc1 = in.uf1 = 35;
    const Outcome o = design(in, 355);
    EXPECT_TRUE(o.barsBelowTables);
    for (const FireClassResult& f : o.fire) {
        EXPECT_EQ(f.fsT, 0);
        EXPECT_EQ(f.EsT, 0);
    }
    ColumnInput bare = in;
    bare.fsk = 0;   // the same strength without the bars
    EXPECT_DOUBLE_EQ(o.fire[2].axis[0].NfiPlRd, design(bare, 355).fire[2].axis[0].NfiPlRd);
    for (int row = 1; row < 5; ++row)
        for (int col = 0; col < 5; ++col)
            EXPECT_TRUE(std::isfinite(*o.table.at(row, col)));
}

// No long-term rule in fire: creep and the permanent share leave the fire
// values alone; the fire partial factors change N_fi,pl,Rd but not the
// plastic load of lambda-bar_theta.
TEST(FireClass, NoCreepAndCharacteristicPlasticLoad)
{
    ColumnInput in = enDefault();
    const Outcome base = design(in, 355);
    in.pcp = 0;
    in.phiT = 6;
    const Outcome creep = design(in, 355);
    for (std::size_t k = 0; k < 4; ++k)
        for (std::size_t a = 0; a < 2; ++a) {
            EXPECT_EQ(base.fire[k].axis[a].EIfiEff, creep.fire[k].axis[a].EIfiEff);
            EXPECT_EQ(base.fire[k].axis[a].NfiRd, creep.fire[k].axis[a].NfiRd);
        }

    in = enDefault();
    in.gammaCfi = 1.25;
    in.gammaAfi = 1.1;
    const Outcome factored = design(in, 355);
    const FireClassResult& f = factored.fire[1];
    const FireClassResult& g = base.fire[1];
    EXPECT_PRED3(closeTo, f.fcTheta, g.fcTheta / 1.25, 1e-15);
    EXPECT_PRED3(closeTo, f.fayW, g.fayW / 1.1, 1e-15);
    EXPECT_LT(f.axis[0].NfiPlRd, g.axis[0].NfiPlRd);
    EXPECT_PRED3(closeTo, f.axis[0].NfiPlR, g.axis[0].NfiPlR, 1e-15);
    EXPECT_PRED3(closeTo, f.axis[0].lambda, g.axis[0].lambda, 1e-15);
}

} // namespace
