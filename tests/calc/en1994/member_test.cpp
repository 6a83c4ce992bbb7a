// The rules of the member at room temperature where they can fail: the
// buckling curves, E_cm and creep, beta, alpha_M, the eccentric resistance
// against e and l, the biaxial rule and e = 0.
#include "en_inputs.h"

#include "calc/en1994/design.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qeln;
using namespace qeln::en1994;
using namespace qeln::en1994::test;

namespace {

// EN 1993-1-1 Table 6.2 / the tabulated chi of curves b and c.
TEST(ReductionFactor, CurvesBAndC)
{
    struct Row {
        double lambda, b, c;
    };
    const Row rows[] = {{0.5, 0.8842, 0.8430}, {1.0, 0.5970, 0.5399}, {1.5, 0.3422, 0.3145}, {2.0, 0.2095, 0.1962}};
    for (const Row& r : rows) {
        EXPECT_NEAR(reductionFactor(r.lambda, 0.34), r.b, 5e-5) << r.lambda;
        EXPECT_NEAR(reductionFactor(r.lambda, 0.49), r.c, 5e-5) << r.lambda;
    }
    for (const double lambda : {0.0, 0.1, 0.2})
        EXPECT_EQ(reductionFactor(lambda, 0.49), 1.0);
    EXPECT_LT(reductionFactor(0.2 + 1e-12, 0.49), 1.0);

    // a stub column: lambda-bar below 0.2, N_b,Rd = N_pl,Rd (the curves of the
    // axes are the worked examples' alpha)
    const ColumnInput in = enDefault();
    const AxialResult stub = axialResistance(sectionValues(in), in, designValues(in, 355), Axis::Weak, 0.5);
    EXPECT_LE(stub.lambda, 0.2);
    EXPECT_EQ(stub.NbRd, stub.NplRd);
}

// E_cm of EN 1992-1-1 Table 3.1 (GPa, rounded), and the creep of 6.7.3.3(4).
TEST(ConcreteModulus, TableAndCreep)
{
    const std::pair<double, double> table[] = {{20, 30}, {25, 31}, {30, 33}, {35, 34}, {40, 35},
                                               {45, 36}, {50, 37}, {55, 38}, {60, 39}};
    for (const auto& [fck, Ecm] : table) {
        ColumnInput in = enDefault();
        in.fck = fck;
        EXPECT_EQ(std::round(designValues(in, 355).Ecm / 1000), Ecm) << fck;
    }
    ColumnInput in = enDefault();
    const double Ecm = designValues(in, 355).Ecm;   // Ecm / 2.75 with 70 % permanent, phi.t 2.5: E1
    in.phiT = 0;
    EXPECT_EQ(designValues(in, 355).Eceff, Ecm);
    in.phiT = 6;
    in.pcp = 0;
    EXPECT_EQ(designValues(in, 355).Eceff, Ecm);
    in.pcp = 100;
    EXPECT_DOUBLE_EQ(designValues(in, 355).Eceff, Ecm / 7);
}

TEST(SecondOrder, BetaAndK1)
{
    const ColumnInput in = enDefault();
    const en1994::SectionValues s = sectionValues(in);
    const DesignValues v = designValues(in, 355);
    const std::pair<double, double> betas[] = {{1, 1.1}, {0.5, 0.88}, {0, 0.66}, {-0.5, 0.44}, {-1, 0.44}};
    for (const auto& [r, beta] : betas) {
        const SecondOrder so = secondOrder(s, v, Axis::Weak, 3, 50, r);
        EXPECT_NEAR(so.beta, beta, 1e-15) << r;
        // k_1 never below 1: with beta < 1 the end moment governs at low force
        EXPECT_GE(so.k1(0.01 * so.NcrEff), 1.0);
        if (beta < 1) {
            EXPECT_EQ(so.k1(0.01 * so.NcrEff), 1.0);
        }
    }
    // e0, L / 150 and L / 200: E2
}

TEST(DesignValues, AlphaMByEnteredGrade)
{
    ColumnInput in = enDefault();
    in.fy = 355;
    EXPECT_EQ(designValues(in, 345).alphaM, 0.9);
    in.fy = 356;
    EXPECT_EQ(designValues(in, 336).alphaM, 0.8);   // the reduced value would be below 355; S 460: E4
}

const AxisResult& weakOf(const RoomTemperatureResult& r) { return r.axis[at(Axis::Weak)]; }

// The eccentric resistance falls as e and as the buckling length grow, and
// meets alpha_M M_pl,N,Rd with equality at N_Rd,e.
TEST(EccentricResistance, FallsWithEccentricityAndLength)
{
    for (const Axis axis : kAxes) {
        double last = 1e300;
        for (double e = 5; e <= 150; e += 5) {
            ColumnInput in = enDefault();
            (axis == Axis::Weak ? in.e1 : in.e2) = e;
            const Outcome o = design(in, 355);
            const AxisResult& a = o.service.axis[at(axis)];
            ASSERT_TRUE(a.eccentric);
            const EccentricResult& r = *a.eccentric;
            EXPECT_LT(r.NRde, last) << e;
            last = r.NRde;
            const InteractionCurve& c = o.curves[at(axis)];
            EXPECT_LE(r.so.moment(r.NRde), r.alphaM * c.moment(r.NRde));
            const double above = r.NRde + 2e-12 * r.points.NplRd;
            EXPECT_GT(r.so.moment(above), r.alphaM * c.moment(above));
            EXPECT_EQ(a.cell, std::min(r.NRde, a.axial.NbRd));
        }
        last = 1e300;
        for (double l = 1; l <= 8; l += 0.5) {
            ColumnInput in = enDefault();
            in.e1 = in.e2 = 20;
            in.lWeakCold = in.lStrongCold = l;
            const double N = design(in, 355).service.axis[at(axis)].eccentric->NRde;
            EXPECT_LT(N, last) << l;
            last = N;
        }
    }
}

// e = 0: the eccentric cell is N_b,Rd, and nothing eccentric is reported.
TEST(EccentricResistance, NoEccentricityGivesBucklingResistance)
{
    ColumnInput in = enDefault();
    in.e2 = 30;
    const Outcome o = design(in, 355);
    const AxisResult& z = weakOf(o.service);
    EXPECT_FALSE(z.eccentric);
    EXPECT_EQ(z.cell, z.axial.NbRd);
    EXPECT_FALSE(o.service.biaxial);
    EXPECT_EQ(o.service.biaxialCell, std::min(z.cell, o.service.axis[1].cell));
    // a small eccentricity stays below N_b,Rd and close to it
    in.e1 = 1e-3;
    const AxisResult small = weakOf(design(in, 355).service);
    EXPECT_LE(small.cell, small.axial.NbRd);
    EXPECT_GT(small.eccentric->NRde, 0.9 * small.axial.NbRd);
    // a negative eccentricity: EccentricResistance.TheSignOfTheEccentricityDoesNotMatterInEitherCode
}

// The biaxial cell lies below both eccentric cells; the variant that governs
// meets all three conditions and breaks the one named just above its force.
TEST(BiaxialResistance, BelowBothEccentricCells)
{
    for (const double e1 : {10.0, 50.0, 120.0})
        for (const double e2 : {10.0, 30.0, 150.0}) {
            ColumnInput in = enDefault();
            in.e1 = e1;
            in.e2 = e2;
            const Outcome o = design(in, 355);
            const RoomTemperatureResult& s = o.service;
            ASSERT_TRUE(s.biaxial);
            const double ez = s.axis[0].cell, ey = s.axis[1].cell;
            EXPECT_LE(s.biaxial->NRd, ez) << e1 << " " << e2;
            EXPECT_LE(s.biaxial->NRd, ey) << e1 << " " << e2;

            const BiaxialResult& b = *s.biaxial;
            const bool zVariant = b.governs == BiaxialVariant::z;
            const SecondOrder& soz = s.axis[0].eccentric->so;
            const SecondOrder& soy = s.axis[1].eccentric->so;
            auto ratios = [&](double N) {
                const double Mz = soz.moment(N, zVariant), My = soy.moment(N, !zVariant);
                const double Rz = o.curves[0].moment(N), Ry = o.curves[1].moment(N);
                return std::array<double, 3>{Mz / (0.9 * Rz), My / (0.9 * Ry), Mz / Rz + My / Ry};
            };
            for (const double q : ratios(b.NRd))
                EXPECT_LE(q, 1.0);
            const double above = b.NRd + 2e-12 * o.curves[0].points().NplRd;
            EXPECT_GT(ratios(above)[static_cast<std::size_t>(b.bound)], 1.0) << e1 << " " << e2;
        }
}

} // namespace
