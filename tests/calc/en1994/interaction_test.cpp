// The plastic interaction curve: its points, the plastic moment of a bare
// rolled profile against its plastic modulus (fillets included), the full
// tension at the far face, concavity, and the exact cut against a bisection.
#include "en_inputs.h"

#include "calc/en1994/interaction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace qeln;
using namespace qeln::en1994;
using namespace qeln::en1994::test;

namespace {

struct Built {
    en1994::SectionValues s;
    DesignValues v;
    std::array<InteractionCurve, 2> curves;
};

Built build(const ColumnInput& in)
{
    Built b;
    b.s = sectionValues(in);
    b.v = designValues(in, fyCalc(in));
    for (const Axis a : kAxes)
        b.curves[at(a)] = InteractionCurve(a, in, b.s, b.v);
    return b;
}

// Sections with bars in one to four rows and in two layers.
std::vector<ColumnInput> sections()
{
    std::vector<ColumnInput> out;
    out.push_back(enDefault());
    ColumnInput in = enProfile(260, 260, 10, 17.5, 24);   // HE 260 B
    in.fck = 25;
    in.uc1 = in.uf1 = 50;
    out.push_back(in);
    in = enProfile(340, 310, 21, 39, 27);   // HE 300 M
    in.fy = 460;
    in.fck = 40;
    in.d = 25;
    out.push_back(in);
    in = enProfile(1000, 300, 19, 36, 30);   // HE 1000 B, 16 bars in four rows, a second layer
    in.n1 = 16;
    in.n2 = 4;
    in.d = 16;
    out.push_back(in);
    in = enProfile(390, 300, 11, 19, 27);   // HE 400 A, 8 bars
    in.n1 = 8;
    out.push_back(in);
    return out;
}

TEST(InteractionCurve, PointsCAndD)
{
    for (const ColumnInput& in : sections())
        for (const Axis a : kAxes) {
            const Built b = build(in);
            const InteractionCurve& c = b.curves[at(a)];
            const InteractionPoints& p = c.points();
            EXPECT_DOUBLE_EQ(p.NplRd, plasticResistanceRd(b.s, b.v));
            EXPECT_PRED3(closeTo, p.NpmRd, 0.85 * b.v.fcd * b.s.Ac / 1000, 1e-15);
            // D: the cut at mid-depth carries N_pm,Rd / 2 with the largest moment
            const InteractionCurve::Cut mid = c.cut(c.depth() / 2);
            EXPECT_PRED3(closeTo, mid.N, p.NpmRd / 2, 1e-12) << in.profileName;
            EXPECT_EQ(mid.M, p.MmaxRd);
            for (double x = 0; x <= c.depth(); x += c.depth() / 97)
                EXPECT_LE(c.cut(x).M, p.MmaxRd * (1 + 1e-15));
            // B and C: the same moment at N = 0 and N = N_pm,Rd
            EXPECT_PRED3(closeTo, c.moment(0), p.MplRd, 1e-15);
            EXPECT_PRED3(closeTo, c.moment(p.NpmRd), p.MplRd, 1e-12) << in.profileName;
            EXPECT_PRED3(closeTo, c.moment(p.NpmRd / 2), p.MmaxRd, 1e-12);
            // A: no moment at the plastic resistance
            EXPECT_EQ(c.moment(p.NplRd), 0.0);
            EXPECT_EQ(c.cut(0).N, p.NplRd);
            // the far face: the whole steel in tension, no concrete
            const double tension = -(b.s.Aa * b.v.fyd + b.s.As * b.v.fsd) / 1000;
            EXPECT_PRED3(closeTo, c.cut(c.depth()).N, tension, 1e-12) << in.profileName;
            EXPECT_NEAR(c.cut(c.depth()).M, 0, 1e-12 * p.MplRd);
        }
}

// A rolled profile alone: M_pl,Rd = W_pl f_yd with the plastic modulus of
// the section with its root fillets, and the moduli of the EN 10365 tables.
struct Profile {
    const char* name;
    double h, b, tw, tf, r;
    double WplY, WplZ;   // cm3, as tabulated
};

class BareProfile : public ::testing::TestWithParam<Profile> {};

TEST_P(BareProfile, PlasticMomentIsPlasticModulusTimesYield)
{
    const Profile& p = GetParam();
    constexpr double pi = std::numbers::pi;
    const double h = p.h, b = p.b, tw = p.tw, tf = p.tf, r = p.r;
    const double WplY = tw * h * h / 4 + (b - tw) * (h - tf) * tf + (4 - pi) / 2 * r * r * (h - 2 * tf)
                        + (3 * pi - 10) / 3 * r * r * r;
    const double WplZ = b * b * tf / 2 + (h - 2 * tf) * tw * tw / 4
                        + (4 - pi) * r * r * (tw / 2 + (10 - 3 * pi) / (12 - 3 * pi) * r);
    EXPECT_NEAR(WplY / 1e3, p.WplY, 5e-4 * p.WplY);
    EXPECT_NEAR(WplZ / 1e3, p.WplZ, 5e-4 * p.WplZ);

    ColumnInput in = enProfile(h, b, tw, tf, r);
    in.n1 = in.n2 = 0;
    in.fck = 0;
    in.autoReduce = false;
    const Built built = build(in);
    EXPECT_PRED3(closeTo, built.curves[at(Axis::Strong)].points().MplRd, WplY * 355 / 1e6, 1e-12);
    EXPECT_PRED3(closeTo, built.curves[at(Axis::Weak)].points().MplRd, WplZ * 355 / 1e6, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(En10365, BareProfile,
                         ::testing::Values(Profile{"HE 100 A", 96, 100, 5, 8, 12, 83.01, 41.14},
                                           Profile{"HE 260 B", 260, 260, 10, 17.5, 24, 1283, 602.2},
                                           Profile{"HE 320 A", 310, 300, 9, 15.5, 27, 1628, 709.7},
                                           Profile{"HE 300 M", 340, 310, 21, 39, 27, 4078, 1913},
                                           Profile{"HE 1000 B", 1000, 300, 19, 36, 30, 14860, 1716},
                                           Profile{"IPE 300", 300, 150, 7.1, 10.7, 15, 628.4, 125.2}));

// The plastic domain is convex: M_pl,N,Rd is concave in N.
TEST(InteractionCurve, ConcaveInN)
{
    for (const ColumnInput& in : sections())
        for (const Axis a : kAxes) {
            const InteractionCurve c = build(in).curves[at(a)];
            const double Npl = c.points().NplRd, Mpl = c.points().MplRd;
            const int n = 400;
            const double step = Npl / n;
            for (int i = 1; i < n; ++i) {
                const double N = i * step;
                const double second = c.moment(N - step) - 2 * c.moment(N) + c.moment(N + step);
                EXPECT_LE(second, 1e-9 * Mpl) << in.profileName << " axis " << at(a) << " N " << N;
                EXPECT_GT(c.moment(N), 0);
            }
        }
}

// The cut found in closed form (and by Newton's steps in the fillet zones)
// against a bisection on the depth with N(x) alone, down to adjacent doubles.
TEST(InteractionCurve, CutAgreesWithBisection)
{
    for (const ColumnInput& in : sections())
        for (const Axis a : kAxes) {
            const InteractionCurve c = build(in).curves[at(a)];
            const double D = c.depth();
            const double Npl = c.points().NplRd, Mpl = c.points().MplRd;
            const double Nhalf = c.cut(D / 2).N;
            for (int i = 0; i < 1500; ++i) {
                const double N = Npl * i / 1500.0;
                double lo = N >= Nhalf ? 0 : D / 2, hi = N >= Nhalf ? D / 2 : D;
                for (double mid = (lo + hi) / 2; mid > lo && mid < hi; mid = (lo + hi) / 2)
                    (c.cut(mid).N > N ? lo : hi) = mid;
                const double expected = c.cut((lo + hi) / 2).M;
                const double actual = c.moment(N);
                EXPECT_NEAR(actual, expected, 1e-12 * Mpl) << in.profileName << " axis " << at(a) << " N " << N;
                if (N < 0.999 * Npl) {
                    EXPECT_PRED3(closeTo, actual, expected, 1e-12) << in.profileName << " N " << N;
                }
            }
        }
}

} // namespace
