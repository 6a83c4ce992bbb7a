// Axial resistance about both axes: limit checks, long-term modulus, labels,
// fire runs, rebar rows.
#include "calc/design.h"
#include "calc/member.h"
#include "calc/numeric.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace qeln;

namespace {

struct Lists {
    MessageList errors, warnings, details;
    bool hasErrors = false, hasWarnings = false;
    RunLists lists{errors, warnings, hasErrors, hasWarnings, details};
};

// Default section (HE 320 A, 4 bars of 20 mm) at room temperature.
struct Member {
    CalcEnv env;
    SectionDims s{310, 300, 9, 15.5};
    ComponentValues c;
    double Ecd = designConcreteModulus(30);
    Member()
    {
        c.r = 27;
        c.fF = c.fW = 355 / 1.1;
        c.fC = 0.85 * 30 / 1.5;
        c.fS = 500 / 1.15;
    }
    MemberCall call(const char* label, double L, double e = 0, bool check = true) const
    {
        return MemberCall{label, L, e, Ecd, 70, 20, check};
    }
    double weak(Lists& l, double& ec, const MemberCall& k, int n1 = 4, int n2 = 0)
    {
        double n = 0, d = 20;
        Areas a;
        ColdResistanceWeakAxis(env, ec, n, n1, n2, s, c, d, 60, a, k, l.lists);
        return n;
    }
    double strong(Lists& l, double& ec, const MemberCall& k)
    {
        RebarLayout rows;
        LayoutRebarRows(rows, 4, 0, s.h, 20, 60, s.tf);
        double n = 0, d = 20;
        ColdResistanceStrongAxis(env, ec, n, rows, s, c, d, k, l.lists);
        return n;
    }
};

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
    Lists l;
    double ec = 0.8 * m.Ecd;
    EXPECT_NEAR(m.weak(l, ec, m.call("F 0", 3)), 5061.02, 0.005);
    EXPECT_NEAR(m.strong(l, ec, m.call("F 0", 3)), 5632.19, 0.005);
    EXPECT_FALSE(l.hasErrors);
    EXPECT_EQ(l.details[0], "Service conditions weak axis");
    EXPECT_EQ(l.details[3], "  Effective Stiffness E.theta.I            :  2.85E13 N*mm2");
    EXPECT_EQ(l.details[5], "  Critical Load N.cr                       :  3.125E4 kN   ");
    EXPECT_EQ(l.details[13], "  Web");
    EXPECT_EQ(l.details.lines().back(), " ");
}

TEST(ColdResistance, SlendernessLimitsDifferBetweenTheAxes)
{
    Member m;
    // L giving lambda a little above 2 about the weak axis
    Lists l;
    double ec = 0.8 * m.Ecd;
    m.weak(l, ec, m.call("F 0", 13.0));
    ASSERT_TRUE(l.hasErrors);
    EXPECT_EQ(l.errors[0], "Attention! The relative slenderness for the weak axis for designing at service condition is too high");
    EXPECT_EQ(l.errors[1].rfind("The relative slenderness is ", 0), 0u);
    EXPECT_EQ(l.errors[2], "The allowed max. relative slenderness is 2.0");
    EXPECT_EQ(l.errors[3], "");
    EXPECT_EQ(l.errors.count(), 4);   // no steel contribution check after a slenderness error

    Lists s;
    double ec2 = 0.8 * m.Ecd;
    m.strong(s, ec2, m.call("F 0", 20.0));
    ASSERT_TRUE(s.hasErrors);
    EXPECT_EQ(s.errors[0], "The relative slenderness for the strong axis for designing at service conditions is too high");
    EXPECT_EQ(s.errors[3], " ");

    // on a screen with a decimal comma the limit reads like the value above it
    Lists g;
    m.env.languageBase = kGerman;
    m.env.decimalSeparator = ",";
    double ec3 = 0.8 * m.Ecd;
    m.weak(g, ec3, m.call("F 0", 13.0));
    ASSERT_TRUE(g.hasErrors);
    EXPECT_NE(g.errors[1].find(","), std::string::npos);
    EXPECT_EQ(g.errors[2], "Der maximal zulässige bezogene Schlankheitsgrad beträgt 2,0");
}

TEST(ColdResistance, SteelContributionRatio)
{
    Member m;
    Lists l;
    double ec = 0.8 * m.Ecd;
    m.c.fF = m.c.fW = 10;   // almost no steel
    m.weak(l, ec, m.call("F 0", 3));
    ASSERT_TRUE(l.hasErrors);
    EXPECT_EQ(l.errors[0], "Attention! The steel contribution ratio for designing at service conditions is too low");
    EXPECT_EQ(l.errors[1].rfind("The steel contribution ratio is 0.", 0), 0u);
    EXPECT_EQ(l.errors[1].size(), std::string("The steel contribution ratio is 0.0000").size());

    Lists h;
    m.c.fF = m.c.fW = 5000;
    m.c.fC = 1;
    double ec2 = 0.8 * m.Ecd;
    m.weak(h, ec2, m.call("F 0", 3));
    ASSERT_TRUE(h.hasErrors);
    EXPECT_EQ(h.errors[0], "The steel contribution ratio for designing at service conditions is too high");
    EXPECT_EQ(h.errors[2], "The allowed max. steel contribution ratio is 0.9  (ENV 1994-1-1, 4.8.3.1)");

    // an error found by the input checks suppresses the ratio checks
    Lists pre;
    pre.hasErrors = true;
    double ec3 = 0.8 * m.Ecd;
    m.weak(pre, ec3, m.call("F 0", 3));
    EXPECT_TRUE(pre.errors.empty());
}

TEST(ColdResistance, QuietReferenceRunWritesNothing)
{
    Member m;
    Lists l;
    double ec = 0.8 * m.Ecd;
    m.weak(l, ec, m.call(" ", 13.0, 0, false));
    m.strong(l, ec, m.call(" ", 20.0, 0, false));
    EXPECT_TRUE(l.details.empty());
    EXPECT_TRUE(l.errors.empty());
    EXPECT_FALSE(l.hasErrors);
}

namespace {

// The value of a details line "  text : value unit".
double detailValue(const MessageList& details, const std::string& text)
{
    for (const std::string& line : details.lines())
        if (line.rfind("  " + text, 0) == 0)
            return std::stod(line.substr(line.find(':') + 1));
    ADD_FAILURE() << "no line " << text;
    return 0;
}

} // namespace

TEST(ColdResistance, LongTermModulusLowersTheSlenderAxisConsistently)
{
    Member m;
    const double ec0 = 0.8 * m.Ecd;
    for (const bool weakAxis : {true, false}) {
        SCOPED_TRACE(weakAxis ? "weak" : "strong");
        // lambda > 0.8 with L = 8 m; e = 50 mm < 2 D
        Lists l, q;
        double ec = ec0, e0 = ec0;
        MemberCall lowered = m.call("F 0", 8.0, 50);
        MemberCall none = lowered;
        none.pcp = 0;   // 0.8 (1 - 0) Ecd: the modulus stays
        const double n = weakAxis ? m.weak(l, ec, lowered) : m.strong(l, ec, lowered);
        const double n0 = weakAxis ? m.weak(q, e0, none) : m.strong(q, e0, none);
        EXPECT_DOUBLE_EQ(ec, 0.8 * (1 - 0.005 * 70) * m.Ecd);
        EXPECT_EQ(e0, ec0);
        EXPECT_LT(n, n0);   // the slenderness, chi and the ultimate load follow the modulus
        // the printed set holds together: lambda = sqrt(N.pl.R / N.cr), and the
        // concrete's modulus line shows the modulus the axis used
        const double nplR = detailValue(l.details, "Plastic load N.pl.R");
        const double nCr = detailValue(l.details, "Critical Load N.cr");
        const double lambda = detailValue(l.details, "equivalent slenderness ratio");
        EXPECT_NEAR(lambda, std::sqrt(nplR / nCr), 5e-4 * lambda);
        const auto& lines = l.details.lines();
        const auto concrete = std::find(lines.begin(), lines.end(), "  Concrete");
        ASSERT_NE(concrete, lines.end());
        EXPECT_NEAR(std::stod(concrete[2].substr(concrete[2].find('=') + 1)), ec, 5e-4 * ec);   // 4 digits
    }

    // a short column (lambda <= 0.8) keeps its modulus and its resistance
    Lists s;
    double ec = ec0;
    EXPECT_NEAR(m.weak(s, ec, m.call("F 0", 3.0, 50)), 5061.02, 0.005);
    EXPECT_EQ(ec, ec0);
}

TEST(ColdResistance, LongTermRuleNeverRaisesTheModulus)
{
    Member m;
    Lists l;
    // a fire secant modulus far below 0.8 (1 - 0.005 pcp) Ecd
    double ec = 5000;
    m.c.bcfi = 4;
    m.c.r = 0;
    m.strong(l, ec, m.call("R 30", 6.0, 0, false));
    EXPECT_EQ(ec, 5000);
}

TEST(ColdResistance, FireRunUsesTheEnteredDiameterAndCurveC)
{
    Member m;
    m.c.bcfi = 4;
    m.c.r = 0;
    Lists l;
    double ec = 5672.9, n = 0, d = 15;   // working diameter reduced by the room-temperature runs
    RebarLayout rows;
    LayoutRebarRows(rows, 4, 0, 310, 20, 60, 15.5);
    MemberCall k = m.call("R 30", 1.5, 0, false);
    ColdResistanceStrongAxis(m.env, ec, n, rows, m.s, m.c, d, k, l.lists);
    EXPECT_EQ(d, 20);
    EXPECT_EQ(l.details[0], "Fire class R 30  strong axis");
    EXPECT_EQ(l.details[7].substr(0, 24), "  Buckling coefficient B");
    EXPECT_EQ(l.details[9].substr(0, 24), "  Buckling coefficient C");
}

TEST(ColdResistance, ArithmeticFaultsPropagate)
{
    Member m;
    Lists l;
    double ec = 0.8 * m.Ecd;
    EXPECT_THROW(m.weak(l, ec, m.call("F 0", 0)), CalculationError);   // zero buckling length
    Member z;
    z.c.fF = z.c.fW = -1000;   // negative plastic load
    Lists q;
    double e2 = 0.8 * z.Ecd;
    EXPECT_THROW(z.weak(q, e2, z.call("F 0", 3)), CalculationError);
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
