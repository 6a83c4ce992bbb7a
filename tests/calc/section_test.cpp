// The clear spacing of the bars (EN 1992-1-1, 8.2(2)) of every layout the
// program lays out, against figures worked by hand from the bar positions
// the drawing shows: rows and layers d + max(d, 20) apart, the middle rows of
// the deep profiles 2 d from the centre, the third of sixteen d + max(d, 20)
// beside the fourth.
#include "calc/section.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace qeln;

namespace {

ColumnInput layout(double h, double tf, double d, int n1, int n2, double uf1 = 60, double uc1 = 60)
{
    ColumnInput in;
    in.h = h;
    in.tf = tf;
    in.d = d;
    in.n1 = n1;
    in.n2 = n2;
    in.uf1 = uf1;
    in.uc1 = uc1;
    return in;
}

struct Case {
    const char* name;
    ColumnInput in;
    double clear;   // mm, by hand
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class BarSpacing : public testing::TestWithParam<Case> {};

TEST_P(BarSpacing, SmallestClearGapOfTheLayout)
{
    const Case& c = GetParam();
    const std::optional<double> s = smallestBarSpacing(c.in);
    ASSERT_TRUE(s.has_value());
    EXPECT_NEAR(*s, c.clear, 1e-9);
}

// HE 320 A (h 310, t.f 15.5): the rows' centres lie 139.5 - z from the middle.
// HE 500 B (h 500, t.f 28): 222 - z; a 600 mm profile with t.f 30: 270 - z.
INSTANTIATE_TEST_SUITE_P(
    Layouts, BarSpacing,
    testing::Values(
        // 4: the bars at both flanges, 2 (139.5 - 60) - 20 apart
        Case{"four_d20", layout(310, 15.5, 20, 4, 0), 139},
        // 4 + 4: the second layer 20 + 20 from the first: 20 clear
        Case{"fourPlusFour_d20", layout(310, 15.5, 20, 4, 4), 20},
        // d 12: the layer still max(12, 20) = 20 clear
        Case{"fourPlusFour_d12", layout(310, 15.5, 12, 4, 4), 20},
        // d 25: the layer 2 d from the first, d = 25 clear
        Case{"fourPlusFour_d25", layout(310, 15.5, 25, 4, 4), 25},
        // 8 at h <= 400: the second row at z = 60 + 20 + 20, 20 clear
        Case{"eight_h310_d20", layout(310, 15.5, 20, 8, 0), 20},
        // a second row 50 mm lower (uf1 50): still 20 clear from the first
        Case{"eight_h400_d16_uf50", layout(400, 20, 16, 8, 0, 50), 20},
        // 8 + 4, d 25, HE 320 A: rows 50 apart (25 clear), the second rows
        // 2 x 29.5 across the middle (34 clear), the layer 25 clear
        Case{"eightPlusFour_d25", layout(310, 15.5, 25, 8, 4), 25},
        // 8 at h > 400: the second rows 2 d from the middle, 4 d - d apart
        // across it (60), 162 - 40 - 20 = 102 from the first
        Case{"eight_h500_d20", layout(500, 28, 20, 8, 0), 60},
        Case{"eight_h500_d12", layout(500, 28, 12, 8, 0), 36},
        // 8 + 4 at h > 400: the layer governs with its 20 mm
        Case{"eightPlusFour_h500_d20", layout(500, 28, 20, 8, 4), 20},
        // 12: rows at 162, 122 and 40 from the middle: 20 clear between the first two
        Case{"twelve_h500_d20", layout(500, 28, 20, 12, 0), 20},
        // 16: rows at 210, 170, 80, 40: 20 between the first two and the last two
        Case{"sixteen_h600_d20", layout(600, 30, 20, 16, 0), 20},
        // 16, d 25: rows at 210, 160, 100, 50: 25, 35, 25 and 75 clear
        Case{"sixteen_h600_d25", layout(600, 30, 25, 16, 4), 25},
        // 16 in a deep profile, uf1 100, d 32: rows at 360, 296, 128, 64, so
        // the first two and the last two d + max(d, 20) apart, d = 32 clear
        Case{"sixteen_h1000_d32_uf100", layout(1000, 40, 32, 16, 0, 100), 32}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(BarSpacing, RequiredIsTheLargestOfDiameterAggregateAndTwentyMillimetres)
{
    EXPECT_EQ(requiredBarSpacing(20, 16), 21);   // d.g + 5 governs
    EXPECT_EQ(requiredBarSpacing(20, 15), 20);   // all three meet
    EXPECT_EQ(requiredBarSpacing(12, 8), 20);    // 20 mm governs
    EXPECT_EQ(requiredBarSpacing(25, 16), 25);   // the diameter governs
    EXPECT_EQ(requiredBarSpacing(25, 32), 37);
}

TEST(BarSpacing, FitsAtTheLimitAndNotBelowIt)
{
    // 20 mm bars with a 20 mm gap: d.g = 15 needs 20 and fits, 16 needs 21
    ColumnInput in = layout(310, 15.5, 20, 4, 4);
    in.dg = 15;
    EXPECT_TRUE(barSpacingFits(in));
    in.dg = 16;
    EXPECT_FALSE(barSpacingFits(in));
    // 25 mm bars with a 25 mm gap: max(25, 21, 20) fits up to d.g = 20
    in = layout(310, 15.5, 25, 8, 4);
    in.dg = 20;
    EXPECT_TRUE(barSpacingFits(in));
    in.dg = 21;
    EXPECT_FALSE(barSpacingFits(in));
    // the default project (4 x 20 mm, far apart) fits with the default aggregate
    EXPECT_TRUE(barSpacingFits(ColumnInput{}));
    // a profile whose positions are not exact in binary: 0.1 mm steps
    in = layout(310.3, 15.7, 20, 8, 0, 60.1);
    in.dg = 15;
    EXPECT_TRUE(barSpacingFits(in));
}

TEST(BarSpacing, CountsThatAreNoLayoutAndAggregatesOutsideTheRange)
{
    ColumnInput six = layout(310, 15.5, 20, 6, 0);
    EXPECT_FALSE(smallestBarSpacing(six).has_value());
    EXPECT_TRUE(barSpacingFits(six));   // the count check refuses it
    ColumnInput two = layout(310, 15.5, 20, 4, 2);
    EXPECT_FALSE(smallestBarSpacing(two).has_value());
    ColumnInput far = layout(310, 15.5, 20, 4, 0);
    for (double dg : {3.9, 63.1, std::numeric_limits<double>::quiet_NaN()}) {
        far.dg = dg;
        EXPECT_FALSE(usableAggregateSize(dg)) << dg;
        EXPECT_FALSE(barSpacingFits(far)) << dg;
    }
    for (double dg : {4.0, 63.0})
        EXPECT_TRUE(usableAggregateSize(dg)) << dg;
}

TEST(BarSpacing, OverlappingRowsGiveANegativeSpacing)
{
    // 12 bars in a profile too low for them: the third row crosses the second
    const ColumnInput in = layout(420, 30, 25, 12, 0);
    ASSERT_TRUE(smallestBarSpacing(in).has_value());
    EXPECT_LT(*smallestBarSpacing(in), 0);
    EXPECT_FALSE(barSpacingFits(in));
}

} // namespace
