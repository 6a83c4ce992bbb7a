// The field of application as a list of conditions: the rows of the table
// lie inside exactly when their listed limits are met, the limits are the
// rules of Annex F as they have always been applied, and each condition
// carries the value and the limit a checker compares.
#include "calc/env1994/scope.h"
#include "calc/method.h"
#include "calc/scope.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qeln;

namespace {

// The validity of the fire buckling lengths as the warning has always stated
// it (Annex F, F.6 (5)), written out once more to hold the list to it.
std::array<bool, 4> lengthsOutsideAsBefore(double h, double b, double lFire)
{
    const double L13 = 13.5 * b / 1000, L10 = 10 * b / 1000;
    const bool slender = b > 0 && h / b > 3, stocky = b > 0 && h / b <= 3;
    std::array<bool, 4> out{};
    out[0] = b >= 230 && h >= 230 && lFire > L13;
    out[1] = (lFire > L10 && ((b >= 230 && b < 300) || slender)) || (b >= 300 && stocky && lFire > L13);
    out[2] = out[3] = (b >= 300 && h >= 300 && slender && lFire > L10) || (b >= 300 && h >= 300 && stocky && lFire > L13);
    return out;
}

} // namespace

TEST(ScopeConditions, RowsInsideExactlyWhenTheirLimitsAreMet)
{
    int outside = 0;
    for (const double h : {200.0, 229.0, 230.0, 299.0, 300.0, 310.0, 700.0, 900.0, 1000.0})
        for (const double b : {200.0, 230.0, 250.0, 299.0, 300.0, 330.0, 500.0})
            for (const double l : {0.5, 2.3, 2.99, 3.0, 3.1, 4.05, 4.1, 5.6, 8.0}) {
                ColumnInput in;
                in.h = h;
                in.b = b;
                in.lWeakFire = l;
                in.lStrongFire = l / 2;
                ScopeConditions c;
                fireRowConditions(in, c);
                const RowScope scope = rowScopeOf(c);
                const std::array<bool, 4> before = lengthsOutsideAsBefore(h, b, l);
                EXPECT_EQ(env1994::bucklingLengthsOutside(in), before) << h << " " << b << " " << l;
                for (int row = rowR30; row <= rowR120; ++row) {
                    bool allMet = true;
                    for (const ScopeCondition& k : c)
                        if (k.row == row && k.kind == ScopeKind::Limit)
                            allMet = allMet && k.met;
                    EXPECT_EQ(scope[static_cast<std::size_t>(row)], allMet);
                    const bool small = row >= rowR90 && (h < 300 || b < 300);
                    EXPECT_EQ(scope[static_cast<std::size_t>(row)], !before[static_cast<std::size_t>(row - 1)] && !small)
                        << h << " " << b << " " << l << " row " << row;
                    outside += !scope[static_cast<std::size_t>(row)];
                }
                EXPECT_TRUE(scope[rowService]);
                EXPECT_EQ(scope, env1994::rowScope(in));
                EXPECT_EQ(scope, methodOf(DesignCode::EN1994).scope(in));
            }
    EXPECT_GT(outside, 100);   // the grid reaches both sides of every limit
}

// 8 m / R60 / 5.6 m with HE 340 A (b = 300): the fire length is 5.6 m where
// 13.5 b allows 4.05 m; the list says so with both numbers.
TEST(ScopeConditions, EachConditionCarriesItsValueAndLimit)
{
    ColumnInput in;
    in.h = 330;
    in.b = 300;
    in.lWeakFire = in.lStrongFire = 5.6;
    const DesignMethod& m = methodOf(in.code);
    const CheckOutcome checks = m.check(in);
    DesignOutcome run;
    m.design(in, checks, run);
    const ScopeConditions c = scopeConditions(in, checks, run);
    bool lengthR60 = false, delta = false, rho = false, u = false;
    for (const ScopeCondition& k : c) {
        EXPECT_TRUE(std::isfinite(k.value) && std::isfinite(k.limit));
        if (k.rule == ScopeRule::FireBucklingLength && k.row == rowR60) {
            lengthR60 = true;
            EXPECT_EQ(k.value, 5.6);
            EXPECT_DOUBLE_EQ(k.limit, 4.05);
            EXPECT_EQ(k.factor, 13.5);
            EXPECT_FALSE(k.met);
            EXPECT_EQ(k.bound, ScopeBound::AtMost);
        }
        if (k.rule == ScopeRule::SteelContribution && k.bound == ScopeBound::AtLeast) {
            delta = true;
            EXPECT_GT(k.value, 0.2);
            EXPECT_TRUE(k.met);
            EXPECT_EQ(k.kind, ScopeKind::Input);
        }
        if (k.rule == ScopeRule::ReinforcementFire && k.bound == ScopeBound::AtLeast) {
            rho = true;
            EXPECT_EQ(k.value, checks.rho);
            EXPECT_EQ(k.row, kEveryFireRow);
        }
        if (k.rule == ScopeRule::AxisDistance) {
            u = true;
            EXPECT_EQ(k.value, 60);
            EXPECT_TRUE(k.met);
        }
    }
    EXPECT_TRUE(lengthR60 && delta && rho && u);
    EXPECT_FALSE(rowScopeOf(c)[rowR60]);
    EXPECT_EQ(rowScopeOf(c), m.scope(in));

    // the 4 % rule of normal temperature is the ENV method's only
    in.code = DesignCode::EN1994;
    const ScopeConditions en = scopeConditions(in, checks, run);
    for (const ScopeCondition& k : en)
        EXPECT_NE(k.rule, ScopeRule::ReinforcementCold);
}

// A run stopped before the normal temperature results lists no δ and no
// slenderness rather than zeros.
TEST(ScopeConditions, NoRunValuesBeforeTheRunHasThem)
{
    ColumnInput in;
    const CheckOutcome checks = methodOf(in.code).check(in);
    const ScopeConditions c = scopeConditions(in, checks, DesignOutcome{});
    for (const ScopeCondition& k : c) {
        EXPECT_NE(k.rule, ScopeRule::SteelContribution);
        EXPECT_NE(k.rule, ScopeRule::SlendernessWeak);
    }
    EXPECT_GT(c.count, 5);
}
