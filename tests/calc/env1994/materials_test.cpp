// Material laws and the Annex F tables: the values the design takes, at the
// borders of their bands.
#include "present/checktext.h"
#include "calc/env1994/annexf.h"
#include "calc/env1994/materials.h"
#include "calc/records.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qeln::env1994;

using namespace qeln;

TEST(Materials, ConcreteModuli)
{
    EXPECT_NEAR(concreteSecantModulus(30), 31938.8, 0.1);   // 9.5 * 38^(1/3) kN/mm2
    EXPECT_NEAR(designConcreteModulus(30), 23658.35, 0.01);
    for (double fck : {12.0, 20.0, 25.0, 30.0, 35.5, 50.0, 80.0}) {
        EXPECT_EQ(designConcreteModulus(fck), concreteSecantModulus(fck) * kInvGammaE) << fck;
        // the eccentric resistance's order of the factors: the same value to the last bits
        EXPECT_NEAR(designConcreteModulusKiloLast(fck), designConcreteModulus(fck), 1e-11 * designConcreteModulus(fck));
    }
    EXPECT_DOUBLE_EQ(longTermConcreteModulus(1000, 70), 0.8 * 0.65 * 1000);
    EXPECT_EQ(longTermConcreteModulus(1000, 0), effectiveConcreteModulus(1000));
}

struct RebarBand {
    double u;
    FireClass fireClass;
    double kyt, kEt;
};

void PrintTo(const RebarBand& b, std::ostream* os) { *os << fireClassLabel(b.fireClass) << " u = " << b.u; }

class RebarReduction : public testing::TestWithParam<RebarBand> {};

TEST_P(RebarReduction, BandStartsAtItsLowerBorder)
{
    const RebarBand& c = GetParam();
    const std::optional<RebarFactors> k = rebarReductionFactors(c.fireClass, c.u);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->kyt, c.kyt);
    EXPECT_EQ(k->kEt, c.kEt);
}

INSTANTIATE_TEST_SUITE_P(AnnexF, RebarReduction,
                         testing::Values(RebarBand{40, FireClass::R30, 1.0, 0.830},
                                         RebarBand{44.99, FireClass::R60, 0.789, 0.604},
                                         RebarBand{45, FireClass::R60, 0.883, 0.647},
                                         RebarBand{49.99, FireClass::R90, 0.434, 0.283},
                                         RebarBand{50, FireClass::R90, 0.572, 0.406},
                                         RebarBand{55, FireClass::R120, 0.367, 0.233},
                                         RebarBand{59.99, FireClass::R120, 0.367, 0.233},
                                         RebarBand{60, FireClass::R120, 0.436, 0.285},
                                         RebarBand{200, FireClass::R60, 1.0, 0.763}));

TEST(RebarReduction, NoneBelowTheTable)
{
    EXPECT_FALSE(rebarReductionFactors(FireClass::R30, 39.99));
}

TEST(FireClassParameters, BordersGrowWithTheSectionFactorFromR90)
{
    EXPECT_EQ(fireClassParameters(FireClass::R30, 10).bcfi, fireClassParameters(FireClass::R30, 30).bcfi);
    EXPECT_EQ(fireClassParameters(FireClass::R60, 10).bcfi, 15.0);
    EXPECT_EQ(fireClassParameters(FireClass::R90, 10).bcfi, 27.5);
    EXPECT_EQ(fireClassParameters(FireClass::R120, 10).bcfi, 44.0);
    for (FireClass c : kFireClasses)
        EXPECT_EQ(fireClassParameters(c, 10).phiC, 0.8);
}
