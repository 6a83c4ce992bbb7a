// Interaction curves and the searches of the eccentric resistance.
#include "calc/env1994/design.h"
#include "calc/env1994/eccentric.h"
#include "calc/env1994/member.h"

#include <gtest/gtest.h>

using namespace qeln::env1994;

using namespace qeln;

namespace {

EccentricInput defaultSection(double e1, double e2)
{
    EccentricInput in;
    in.n1 = 4;
    in.n2 = 0;
    in.h = 310;
    in.b = 300;
    in.tw = 9;
    in.tf = 15.5;
    in.r = 27;
    in.uf1 = 60;
    in.uc1 = 60;
    in.fyd = 355 / 1.1;
    in.fsd = 500 / 1.15;
    in.fcd = 0.85 * 30 / 1.5;
    in.lWeak = 3;
    in.lStrong = 3;
    in.Ec = 0.8 * designConcreteModulus(30);
    in.e1 = e1;
    in.e2 = e2;
    in.pcp = 70;
    in.fck = 30;
    in.rho = 1.5598;
    in.dInput = 20;
    in.gammaA = 1.1;
    in.gammaC = 1.5;
    in.gammaS = 1.15;
    return in;
}

void expectStrictlyDecreasing(const InteractionCurve& c)
{
    ASSERT_GE(c.count, 2);
    for (int k = 2; k <= c.count; ++k)
        EXPECT_LT(c.N[k], c.N[k - 1]) << k;
    EXPECT_LE(c.N[c.count], 0);
    EXPECT_GT(c.N[c.count - 1], 0);
}

} // namespace

TEST(InteractionCurves, StrictlyDecreasingAndMirrored)
{
    for (int n1 : {4, 8}) {
        for (int n2 : {0, 4}) {
            EccentricInput in = defaultSection(0, 0);
            in.n1 = n1;
            in.n2 = n2;
            RebarLayout rows;
            LayoutRebarRows(rows, n1, n2, in.h, 20, in.uf1, in.tf);
            const InteractionCurve s = strongAxisCurve(in, 20, rows);
            const InteractionCurve w = weakAxisCurve(in, 20);
            expectStrictlyDecreasing(s);
            expectStrictlyDecreasing(w);
            EXPECT_EQ(s.M[1], 0);
            EXPECT_EQ(w.M[1], 0);
            // beyond mid-depth the moments are mirrored
            EXPECT_EQ(s.M[s.count], s.M[802 - s.count]);
            EXPECT_EQ(w.M[w.count], w.M[802 - w.count]);
            // the largest moment is at mid-depth
            for (int k = 1; k <= s.count; ++k)
                EXPECT_LE(s.M[k], s.M[401] + 1e-9);
        }
    }
}

TEST(EccentricResistance, NoEccentricityGivesFirstStep)
{
    const EccentricResult r = EccentricResistance(defaultSection(0, 0));
    EXPECT_DOUBLE_EQ(r.ratioWeak, 0.999);
    EXPECT_DOUBLE_EQ(r.ratioStrong, 0.999);
    EXPECT_DOUBLE_EQ(r.ratioBiaxial, 0.999);
    EXPECT_EQ(r.dCalc, 20);
}

TEST(EccentricResistance, RatiosFallWithTheEccentricity)
{
    double last = 1;
    for (double e : {10.0, 30.0, 60.0, 100.0, 150.0}) {
        const EccentricResult r = EccentricResistance(defaultSection(e, 0));
        EXPECT_LT(r.ratioWeak, last) << e;
        last = r.ratioWeak;
    }
    const EccentricResult both = EccentricResistance(defaultSection(50, 30));
    EXPECT_NEAR(both.ratioWeak, 3132.77 / 5061.02, 2e-6);
    EXPECT_NEAR(both.ratioStrong, 4505.76 / 5632.19, 2e-6);
    EXPECT_LT(both.ratioBiaxial * 5061.02, 3132.77);
}

TEST(EccentricResistance, ReducedDiameterAboveFourPercent)
{
    EccentricInput in = defaultSection(0, 0);
    in.rho = 4;
    EXPECT_EQ(EccentricResistance(in).dCalc, 20);
    in.rho = 9;
    const EccentricResult r = EccentricResistance(in);
    EXPECT_NEAR(r.dCalc, 20.0 * 2 / 3, 1e-12);
    EXPECT_EQ(r.rows.z[0], 60);   // rows laid out with the entered diameter
}

TEST(EccentricResistance, ForceAboveTheCriticalLoadFailsItsStep)
{
    // A very slender column: the amplification would be negative for the
    // first trial forces; the search must skip them instead of accepting.
    EccentricInput in = defaultSection(20, 20);
    in.lWeak = 14;
    in.lStrong = 14;
    const EccentricResult r = EccentricResistance(in);
    EXPECT_GE(r.ratioWeak, 0);
    EXPECT_LE(r.ratioWeak, 1);
    EXPECT_LT(r.ratioWeak * r.nRdWeak, r.nCrWeak);
    EXPECT_LT(r.ratioStrong * r.nRdStrong, r.nCrStrong);
}
