// Axial resistance about both axes: limit findings, long-term modulus, load
// cases, fire runs, rebar rows; and the details and error lines written from them.
#include "calc/env1994/design.h"
#include "present/format.h"
#include "present/listing.h"
#include "calc/env1994/member.h"
#include "calc/numeric.h"

#include "tests/reference_cases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace qeln::env1994;

using namespace qeln;

namespace {

// Default section (HE 320 A, 4 bars of 20 mm) at room temperature.
struct Member {
    Section s{310, 300, 9, 15.5, 27, false};
    ComponentValues c;
    MemberRebars bars{4, 0, 60, {}};
    double Ecd = designConcreteModulus(30);
    Member()
    {
        c.fF = c.fW = 355 / 1.1;
        c.fC = 0.85 * 30 / 1.5;
        c.fS = 500 / 1.15;
        LayoutRebarRows(bars.rows, 4, 0, s.h, 20, 60, s.tf);
    }
    void burn()   // reduced values of a fire class: no fillets, reduced borders
    {
        c.fire = true;
        c.bcfi = 4;
    }
    MemberCall call(LoadCase lc, double L, double e = 0, bool check = true) const
    {
        MemberCall k;
        k.loadCase = lc;
        k.L = L;
        k.e = e;
        k.Ecd = Ecd;
        k.pcp = 70;
        k.d = 20;
        k.Ec = 0.8 * Ecd;
        k.checks = check;
        if (atRoomTemperature(lc)) {
            k.gammaA = 1.1;
            k.gammaC = 1.5;
            k.gammaS = 1.15;
        }
        return k;
    }
    MemberResult weak(const MemberCall& k) const { return resistance(Axis::Weak, k); }
    MemberResult strong(const MemberCall& k) const { return resistance(Axis::Strong, k); }
    MemberResult resistance(Axis axis, const MemberCall& k) const
    {
        MemberResult m;
        AxialResistance(axis, s, c, bars, k, m);
        return m;
    }
};

std::vector<FindingCode> codes(const MemberResult& m)
{
    std::vector<FindingCode> out;
    for (const Finding& f : m.findings)
        out.push_back(f.code);
    return out;
}

MessageList details(const MemberResult& m)
{
    MessageList out;
    writeMemberDetails(TextEnv{}, out, m);
    return out;
}

MessageList errors(const MemberResult& m)
{
    MessageList out;
    writeMemberErrors(TextEnv{}, out, m.findings);
    return out;
}

} // namespace

TEST(BucklingCoefficient, ShortColumnsCarryThePlasticLoad)
{
    EXPECT_EQ(bucklingCoefficient(0.2, 0.34), 1.0);
    EXPECT_EQ(bucklingCoefficient(0.1, 0.49), 1.0);
    EXPECT_NEAR(bucklingCoefficient(0.47548, 0.49), 0.85660, 1e-5);
    EXPECT_NEAR(bucklingCoefficient(0.32927, 0.34), 0.95327, 1e-5);
    EXPECT_LT(bucklingCoefficient(1.0, 0.49), bucklingCoefficient(1.0, 0.34));
}

TEST(ColdResistance, ServiceValuesOfTheDefaultSection)
{
    Member m;
    const MemberResult w = m.weak(m.call(LoadCase::Service, 3));
    const MemberResult s = m.strong(m.call(LoadCase::Service, 3));
    EXPECT_NEAR(w.nRd, reference::kDefaultAxial[0][0], 0.005);
    EXPECT_NEAR(s.nRd, reference::kDefaultAxial[0][1], 0.005);
    EXPECT_TRUE(w.findings.empty());
    EXPECT_TRUE(s.findings.empty());
    EXPECT_EQ(s.chi, s.chiB);   // curve b about the strong axis at room temperature
    EXPECT_EQ(w.chi, w.chiC);
    // the parts add up to the totals
    EXPECT_EQ(w.nplRd, w.web.Npl + w.flange.Npl + w.concrete.Npl + w.rebars.Npl);
    EXPECT_DOUBLE_EQ(w.areas.Aa, w.flange.A + w.web.A);

    const MessageList l = details(w);
    EXPECT_EQ(l[0], "Normal temperature weak axis");
    // each value beside its clause
    EXPECT_EQ(l[3], "  Effective flexural stiffness (EI).eff    :   2.85E4 kNm2   ENV 1994-1-1, 4.8.3.5");
    EXPECT_EQ(l[5], "  Critical Load N.cr                       :  3.125E4 kN     ENV 1994-1-1, 4.8.3.5");
    EXPECT_EQ(l[13], "  Web");
    EXPECT_EQ(l.lines().back(), " ");
    EXPECT_EQ(details(s)[0], "Normal temperature  strong axis");
}

TEST(ColdResistance, SlendernessLimitsDifferBetweenTheAxes)
{
    Member m;
    // L giving lambda a little above 2 about the weak axis
    const MemberResult w = m.weak(m.call(LoadCase::Service, 13.0));
    ASSERT_EQ(codes(w), std::vector<FindingCode>{FindingCode::SlendernessWeak});   // no steel ratio after it
    EXPECT_EQ(w.findings[0].values, std::vector<double>{w.lambda});
    EXPECT_GE(w.lambda, 2.0);
    const MessageList e = errors(w);
    EXPECT_EQ(e[0], "Attention! The relative slenderness for the weak axis for the design at normal temperature is too high");
    EXPECT_EQ(e[1], "The relative slenderness is " + formatFixed(w.lambda, 2));
    EXPECT_EQ(e[2], "The allowed max. relative slenderness is 2.0");
    EXPECT_EQ(e[3], "");
    EXPECT_EQ(e.count(), 4);

    const MemberResult s = m.strong(m.call(LoadCase::Service, 20.0));
    ASSERT_EQ(codes(s), std::vector<FindingCode>{FindingCode::SlendernessStrong});
    EXPECT_EQ(errors(s)[0], "The relative slenderness for the strong axis for the design at normal temperature is too high");
    EXPECT_EQ(errors(s)[3], " ");

    // on a screen with a decimal comma the limit reads like the value above it
    MessageList g;
    writeMemberErrors(TextEnv{Language::German, nullptr, ","}, g, w.findings);
    EXPECT_NE(g[1].find(","), std::string::npos);
    EXPECT_EQ(g[2], "Der maximal zulässige bezogene Schlankheitsgrad beträgt 2,0");
}

TEST(ColdResistance, SteelContributionRatio)
{
    Member m;
    m.c.fF = m.c.fW = 10;   // almost no steel
    const MemberResult low = m.weak(m.call(LoadCase::Service, 3));
    ASSERT_EQ(codes(low), std::vector<FindingCode>{FindingCode::SteelRatioLow});
    EXPECT_LT(low.delta, 0.2);
    EXPECT_EQ(errors(low)[0], "Attention! The steel contribution ratio for the design at normal temperature is too low");
    EXPECT_EQ(errors(low)[1], "The steel contribution ratio is " + formatFixed(low.delta, 4));

    m.c.fF = m.c.fW = 5000;
    m.c.fC = 1;
    const MemberResult high = m.weak(m.call(LoadCase::Service, 3));
    ASSERT_EQ(codes(high), std::vector<FindingCode>{FindingCode::SteelRatioHigh});
    EXPECT_GT(high.delta, 0.9);
    EXPECT_EQ(errors(high)[2], "The allowed max. steel contribution ratio is 0.9  (ENV 1994-1-1, 4.8.3.1)");

    // an error found by the input checks suppresses the ratio checks
    MemberCall after = m.call(LoadCase::Service, 3);
    after.errorsBefore = true;
    EXPECT_TRUE(m.weak(after).findings.empty());
}

TEST(ColdResistance, QuietReferenceRunWritesNothing)
{
    Member m;
    const MemberResult w = m.weak(m.call(LoadCase::FireReference, 13.0, 0, false));
    const MemberResult s = m.strong(m.call(LoadCase::FireReference, 20.0, 0, false));
    EXPECT_TRUE(w.findings.empty());
    EXPECT_TRUE(s.findings.empty());
    EXPECT_TRUE(details(w).empty());
    EXPECT_TRUE(details(s).empty());
    EXPECT_EQ(s.chi, s.chiB);   // room temperature: curve b, as in service
}

TEST(ColdResistance, LongTermModulusLowersTheSlenderAxisConsistently)
{
    Member m;
    const double ec0 = 0.8 * m.Ecd;
    for (const Axis axis : {Axis::Weak, Axis::Strong}) {
        SCOPED_TRACE(axis == Axis::Weak ? "weak" : "strong");
        // lambda > 0.8 with L = 8 m; e = 50 mm < 2 D
        MemberCall lowered = m.call(LoadCase::Service, 8.0, 50);
        MemberCall none = lowered;
        none.pcp = 0;   // 0.8 (1 - 0) Ecd: the modulus stays
        const MemberResult n = axis == Axis::Weak ? m.weak(lowered) : m.strong(lowered);
        const MemberResult n0 = axis == Axis::Weak ? m.weak(none) : m.strong(none);
        EXPECT_DOUBLE_EQ(n.Ec, 0.8 * (1 - 0.005 * 70) * m.Ecd);
        EXPECT_EQ(n0.Ec, ec0);
        EXPECT_LT(n.nRd, n0.nRd);   // the slenderness, chi and the ultimate load follow the modulus
        // the reported set holds together: lambda = sqrt(N.pl.R / N.cr), and
        // the concrete's modulus is the modulus the axis used
        EXPECT_NEAR(n.lambda, std::sqrt(n.nplR / n.nCr), 1e-12);
        EXPECT_EQ(n.concrete.E, n.Ec);
    }

    // a short column (lambda <= 0.8) keeps its modulus and its resistance
    const MemberResult s = m.weak(m.call(LoadCase::Service, 3.0, 50));
    EXPECT_NEAR(s.nRd, reference::kDefaultAxial[0][0], 0.005);
    EXPECT_EQ(s.Ec, ec0);
}

TEST(ColdResistance, FireRunUsesCurveC)
{
    Member m;
    m.burn();
    MemberCall k = m.call(LoadCase::Fire, 1.5, 0, false);
    k.Ec = 5672.9;
    const MemberResult s = m.strong(k);
    EXPECT_EQ(s.chi, s.chiC);
    EXPECT_EQ(s.nRd, s.chiC * s.nplRd);
    EXPECT_EQ(s.nRdB, s.chiB * s.nplRd);
    const MessageList l = details(s);
    EXPECT_EQ(l[0], "Fire class R 30  strong axis");
    EXPECT_EQ(l[7].substr(0, 24), "  Buckling coefficient B");
    EXPECT_EQ(l[9].substr(0, 24), "  Buckling coefficient C");
    k.fireClass = FireClass::R120;
    EXPECT_EQ(details(m.weak(k))[0], "Fire class R 120 weak axis");
    // no fillets in fire: the web keeps its own area
    EXPECT_DOUBLE_EQ(s.web.A, (310 - 2 * 15.5) * 9);
    // the long-term rule never raises the modulus: a slender column with a fire
    // secant modulus far below 0.8 (1 - 0.005 pcp) Ecd keeps it
    k.L = 6.0;
    k.Ec = 5000;
    EXPECT_EQ(m.strong(k).Ec, 5000);
}

TEST(ColdResistance, ArithmeticFaultsPropagate)
{
    Member m;
    EXPECT_THROW(m.weak(m.call(LoadCase::Service, 0)), CalculationError);   // zero buckling length
    Member z;
    z.c.fF = z.c.fW = -1000;   // negative plastic load
    EXPECT_THROW(z.weak(z.call(LoadCase::Service, 3)), CalculationError);
}

TEST(LayoutRebarRows, EveryRow)
{
    RebarLayout r;
    LayoutRebarRows(r, 4, 4, 310, 20, 60, 15.5);
    EXPECT_EQ(r.count, (std::array<int, 4>{8, 0, 0, 0}));
    EXPECT_EQ(r.z, (std::array<double, 4>{60, 60, 60, 60}));
    LayoutRebarRows(r, 8, 0, 400, 25, 50, 20);
    EXPECT_EQ(r.count, (std::array<int, 4>{4, 4, 0, 0}));
    EXPECT_EQ(r.z[1], 50 + 25 + 25);
    LayoutRebarRows(r, 8, 0, 401, 25, 50, 20);
    EXPECT_EQ(r.z[1], 401 / 2.0 - 20 - 50);
    EXPECT_EQ(r.z[3], r.z[1]);
    LayoutRebarRows(r, 12, 4, 600, 16, 50, 20);
    EXPECT_EQ(r.count, (std::array<int, 4>{8, 4, 4, 0}));
    EXPECT_EQ(r.z[1], 50 + 16 + 20);
    EXPECT_EQ(r.z[2], 300 - 20 - 32);
    EXPECT_EQ(r.z[3], r.z[2]);
    LayoutRebarRows(r, 16, 0, 800, 20, 50, 30);
    EXPECT_EQ(r.count, (std::array<int, 4>{4, 4, 4, 4}));
    EXPECT_EQ(r.z[2], 400 - 30 - 60 - 20);
    EXPECT_EQ(r.z[3], 400 - 30 - 40);
    RebarLayout untouched;
    untouched.count = {9, 9, 9, 9};
    LayoutRebarRows(untouched, 6, 0, 400, 20, 60, 15);
    EXPECT_EQ(untouched.count, (std::array<int, 4>{9, 9, 9, 9}));
}
