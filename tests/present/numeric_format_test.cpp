// Numeric helpers, number formatting and the yield-point table.
#include "present/format.h"
#include "calc/numeric.h"
#include "calc/yield.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace qeln;

TEST(Power, CasesOfTheTable)
{
    EXPECT_NEAR(Power(8, 1.0 / 3.0), 2.0, 1e-15);
    EXPECT_DOUBLE_EQ(Power(-2, 3), -8);
    EXPECT_DOUBLE_EQ(Power(-2, 2), 4);
    EXPECT_DOUBLE_EQ(Power(0, 5), 0);
    EXPECT_THROW(Power(-8, 1.0 / 3.0), CalculationError);
    EXPECT_THROW(Power(0, 0), CalculationError);
    EXPECT_THROW(Power(std::numeric_limits<double>::quiet_NaN(), 2), CalculationError);
    EXPECT_THROW(Power(1e300, 3), CalculationError);   // overflow is a fault, never infinity
}

TEST(MaxOf, EqualValuesReturnTheSecond)
{
    EXPECT_EQ(MaxOf(1, 2), 2);
    EXPECT_EQ(MaxOf(3, 2), 3);
    const double zero = 0.0, negZero = -0.0;
    EXPECT_TRUE(std::signbit(MaxOf(zero, negZero)));
    EXPECT_FALSE(std::signbit(MaxOf(negZero, zero)));
}

TEST(Interpolate, SearchStartsAtTheSecondEntry)
{
    // index 0 unused; decreasing xs
    const std::vector<double> xs{0, 100, 80, 50, 0};
    const std::vector<double> ys{0, 0, 10, 40, 60};
    double r = 0;
    // x = xs[1]: between entries 1 and 2, giving ys[1]
    for (const auto& [x, y] : {std::pair{100.0, 0.0}, {80.0, 10.0}, {65.0, 25.0}, {0.0, 60.0}}) {
        Interpolate(r, xs, ys, x, 4);
        EXPECT_DOUBLE_EQ(r, y) << x;
    }
    Interpolate(r, xs, ys, -1, 4);    // below the table: no read past its end
    EXPECT_EQ(r, 1e100);
    const std::vector<double> flat{0, 5, 5, 0};
    Interpolate(r, flat, ys, 5, 3);   // equal neighbours: the arithmetic fails
    EXPECT_EQ(r, 1e100);
}

TEST(RoundHalfEven, Halves)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(692.5), 692);
    EXPECT_THROW(roundHalfEven(std::numeric_limits<double>::infinity()), CalculationError);
}

TEST(Format, GeneralFormat)
{
    EXPECT_EQ(formatGeneral(1.23456e13, 4), "1.235E13");
    EXPECT_EQ(formatGeneral(0.00012, 4), "0.00012");
    EXPECT_EQ(formatGeneral(1200, 4), "1200");
    EXPECT_EQ(formatGeneral(12000, 4), "1.2E4");
    EXPECT_EQ(formatGeneral(9999.6, 4), "1E4");
    EXPECT_EQ(formatGeneral(0.00001234, 4), "1.234E-5");
    EXPECT_EQ(formatGeneral(-2.84992e13, 4), "-2.85E13");
    EXPECT_EQ(formatGeneral(0, 4), "0");
    EXPECT_EQ(formatGeneral(0.47548, 4, ","), "0,4755");
    EXPECT_EQ(formatGeneral(3.0, 3), "3");
}

TEST(Format, FixedAndHalfToEven)
{
    EXPECT_EQ(formatFixed(2.5, 0), "2");
    EXPECT_EQ(formatFixed(3.5, 0), "4");
    EXPECT_EQ(formatFixed(1.5598, 2), "1.56");
    EXPECT_EQ(formatFixed(22.3607, 2, ","), "22,36");
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "***");
}

struct SeparatorCase {
    const char* text;
    const char* sep;
    const char* expected;
};

class DecimalSeparatorInText : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(DecimalSeparatorInText, PlainNumbersOnlyClauseReferencesKept)
{
    EXPECT_EQ(withDecimalSeparator(GetParam().text, GetParam().sep), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecimalSeparatorInText,
    ::testing::Values(
        SeparatorCase{"The allowed max. relative slenderness is 2.0", ",", "The allowed max. relative slenderness is 2,0"},
        SeparatorCase{"is 0.9  (ENV 1994-1-1, 4.8.3.1)", ",", "is 0,9  (ENV 1994-1-1, 4.8.3.1)"},
        SeparatorCase{"0.3 % < admis < 4 % (ENV 1994-1-1,4.8.3.1 et 4.8.2.5)", ",",
                      "0,3 % < admis < 4 % (ENV 1994-1-1,4.8.3.1 et 4.8.2.5)"},
        SeparatorCase{"ein Beiwert ψ kleiner als 1.00", ",", "ein Beiwert ψ kleiner als 1,00"},
        SeparatorCase{"max. = 1100 mm, Fig. F2, B/2", ",", "max. = 1100 mm, Fig. F2, B/2"},
        SeparatorCase{"is 2.0", ".", "is 2.0"}, SeparatorCase{"", ",", ""}, SeparatorCase{"7.", ",", "7."}));

TEST(Format, PrintfWidthsAndAlignment)
{
    EXPECT_EQ(Printf("%-40s|", {"Steel"}), "Steel" + std::string(35, ' ') + "|");
    EXPECT_EQ(Printf("%8.4g", {1200.0}), "    1200");
    EXPECT_EQ(Printf("%8.2f mm", {60.0}), "   60.00 mm");
    EXPECT_EQ(Printf("%8d", {4}), "       4");
    EXPECT_EQ(Printf("%-50.50s|", {std::string(60, 'x')}), std::string(50, 'x') + "|");
    EXPECT_EQ(Printf("%10.4g %%", {1.5598}), "      1.56 %");
    // widths count characters, not bytes
    EXPECT_EQ(Printf("%-8s|", {"Stütze"}), "Stütze  |");
    EXPECT_EQ(Printf("%-3.3s|", {"été!"}), "été|");
    EXPECT_THROW(Printf("%d", {}), CalculationError);
    EXPECT_THROW(Printf("%s", {1.0}), CalculationError);
}

TEST(ReduceYieldPoint, TableAndBorders)
{
    double fy = 0;
    bool unknown = true;
    ReduceYieldPoint(true, fy, unknown, 236, 40);
    EXPECT_DOUBLE_EQ(fy, 226);
    EXPECT_FALSE(unknown);
    ReduceYieldPoint(true, fy, unknown, 237, 40);
    EXPECT_DOUBLE_EQ(fy, 237);
    EXPECT_TRUE(unknown);
    const struct {
        double fy, t, reduced;
    } cases[] = {
        {355, 16.0, 355}, {355, 16.2, 345},   // class 17
        {235, 63.4, 215},                     // class 64: same amount on both sides
        {275, 63.0, 255}, {275, 63.4, 245}, {460, 151, 360},
        {420.5, 30, 400.5},                   // unrounded fy minus a whole amount
    };
    for (const auto& c : cases) {
        ReduceYieldPoint(true, fy, unknown, c.fy, c.t);
        EXPECT_DOUBLE_EQ(fy, c.reduced) << c.fy << " at " << c.t << " mm";
    }
    ReduceYieldPoint(false, fy, unknown, 237, 40);
    EXPECT_DOUBLE_EQ(fy, 237);
    EXPECT_FALSE(unknown);
}
