// The details block of an ENV 1994 run against a hand check of the default
// project (HE 320 A, 4 Ø20, u = 60 mm, C30/37, S355, B500): the materials
// with their grades, the fire values of each class, the eccentric search at
// the force it found; every value line names its clause in the three
// languages; blocks only where the run has them; never "nan" or "inf".
#include "present/format.h"
#include "present/grades.h"
#include "present/listing.h"
#include "present/texts.h"
#include "present/utf8.h"

#include "calc/env1994/details.h"
#include "calc/method.h"

#include "listing_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

using namespace qeln;

namespace {

using test::expectNoNonFinite;
using test::indexOf;
using test::text;

struct EnvRun {
    ColumnInput in;
    DesignOutcome out;
};

EnvRun runOf(double e1, double e2, double u = 60)
{
    EnvRun r;
    r.in.e1 = e1;
    r.in.e2 = e2;
    r.in.uc1 = r.in.uf1 = u;
    const DesignMethod& m = methodOf(DesignCode::ENV1994);
    m.design(r.in, m.check(r.in), r.out);
    return r;
}

std::vector<std::string> details(const EnvRun& r, Language language = Language::English)
{
    TextEnv env;
    env.language = language;
    MessageList out;
    writeEnvDetails(env, out, r.in, std::get<env1994::Details>(r.out.details), r.out.e1, r.out.e2);
    return out.lines();
}

// The value of the first line of a label at or after line `from`.
double valueOf(const std::vector<std::string>& lines, const std::string& label, int from = 0)
{
    std::string start = "  ";
    start.append(label).append(" ");
    for (std::size_t i = static_cast<std::size_t>(std::max(from, 0)); i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const std::size_t colon = l.find(" : ");
        if (l.rfind(start, 0) == 0 && colon != std::string::npos)
            return std::strtod(l.c_str() + colon + 3, nullptr);
    }
    ADD_FAILURE() << "no line " << label;
    return std::nan("");
}

} // namespace

// The engineer's hand check of the default project, value by value.
TEST(EnvDetails, TheHandCheckOfTheDefaultProjectCanBeFollowed)
{
    const EnvRun r = runOf(50, 0);
    const std::vector<std::string> lines = details(r);
    ASSERT_EQ(lines.front(), text(1764));
    EXPECT_NEAR(valueOf(lines, text(1596, "f.yd")), 322.7, 0.05);
    EXPECT_NEAR(valueOf(lines, text(1596, "f.cd")), 17, 1e-9);
    EXPECT_NEAR(valueOf(lines, text(1596, "f.sd")), 434.8, 0.05);
    EXPECT_NEAR(valueOf(lines, text(1565, "E.cm")), 31940, 5);
    EXPECT_NEAR(valueOf(lines, text(1768, "E.cd")), 23660, 5);
    EXPECT_NEAR(valueOf(lines, text(1566, "E.c")), 18930, 5);

    // R 90: flanges, web, concrete (with the 0.86), the section factor
    EXPECT_NEAR(valueOf(lines, text(1593)), 13.12, 0.005);
    const int r90 = indexOf(lines, text(1131) + " R 90");
    ASSERT_GT(r90, 0);
    EXPECT_NEAR(valueOf(lines, text(1595, "θ.f,t"), r90), 885.7, 0.05);
    EXPECT_NEAR(valueOf(lines, text(1572, "k.y,θ"), r90), 0.0672, 0.00005);
    EXPECT_NEAR(valueOf(lines, text(1596, "f.ay,f,t / γ.M,fi,a"), r90), 23.84, 0.005);
    EXPECT_NEAR(valueOf(lines, text(1597, "E.a,f,t"), r90), 14850, 5);
    EXPECT_NEAR(valueOf(lines, text(1599), r90), 47.8, 0.05);
    EXPECT_NEAR(valueOf(lines, text(1596, "f.ay,w,t / γ.M,fi,a"), r90), 0.6575 * 355, 0.1);
    EXPECT_NEAR(valueOf(lines, text(1600), r90), 29.06, 0.005);
    EXPECT_NEAR(valueOf(lines, text(1595, "θ.c,t"), r90), 401.2, 0.05);
    EXPECT_NEAR(valueOf(lines, text(1572, "k.c,θ"), r90), 0.748, 0.0005);
    EXPECT_NEAR(valueOf(lines, text(1601, "ε.cu,θ"), r90), 7.52, 0.005);
    EXPECT_NEAR(valueOf(lines, text(1596, "f.c,θ / γ.M,fi,c"), r90), 19.30, 0.005);
    EXPECT_NEAR(valueOf(lines, text(1565, "E.c,sec,θ"), r90), 2983, 1);
    EXPECT_EQ(valueOf(lines, text(1598, "φ.f,θ"), r90), 0.8);
    EXPECT_EQ(valueOf(lines, text(1572, "k.y,t"), r90), 0.822);   // u >= 60 mm
    // the class block comes before the class's member calls
    EXPECT_GT(indexOf(lines, text(1131) + " R 90 " + text(1076), r90), r90);

    // e1 = 50 mm: N.Rd = 3132.8 kN, k = 1.2226, N e k = 191.5 kNm against
    // 0.9 (M(N) - M.k N / N.Rd) = 191.9 kNm by a strip integration
    const int ecc = indexOf(lines, text(1130) + ": " + text(1574));
    ASSERT_GT(ecc, 0);
    EXPECT_NEAR(valueOf(lines, text(1581, "N"), ecc), 3132.8, 1);
    EXPECT_NEAR(valueOf(lines, text(1583, "k"), ecc), 1.2226, 0.0005);
    const double acting = valueOf(lines, text(1771, "M.Sd"), ecc);
    const double allowed = valueOf(lines, text(1773, "M.Rd"), ecc);
    EXPECT_NEAR(acting, 191.5, 0.1);
    EXPECT_GE(allowed, acting);
    EXPECT_NEAR(allowed, 191.9, 1);
    EXPECT_NEAR(valueOf(lines, text(1770, "M.k"), ecc), 112.6, 1);
    EXPECT_NEAR(valueOf(lines, text(1772, "M(N)"), ecc), 282.9, 1.5);
    // the fire cells take the ratio of the reference calculation
    const env1994::Details& d = std::get<env1994::Details>(r.out.details);
    EXPECT_NEAR(valueOf(lines, text(1604, "N.Rd,e / N.Rd")), d.fireRatios.weak, 0.0001);
    EXPECT_NEAR(d.fireRatios.weak * *r.out.table.at(3, axialWeak), *r.out.table.at(3, eccentricWeak), 1e-6);
    expectNoNonFinite(lines);
}

// Every value line: the label in 40 characters and a clause of ENV 1994 (or
// ENV 1992 for E.cm) at its end; only the grade lines name none.
TEST(EnvDetails, EveryValueBesideItsClauseInEachLanguage)
{
    const EnvRun r = runOf(50, 30);
    for (const Language base : kLanguages) {
        const std::vector<std::string> lines = details(r, base);
        int values = 0, grades = 0;
        for (const std::string& l : lines) {
            const std::size_t colon = l.find(" : ");
            if (colon == std::string::npos || l.rfind("  ", 0) != 0)
                continue;
            ++values;
            EXPECT_EQ(utf8Length(l.substr(0, colon)), 42u) << base << ": " << l;
            if (l.find("S355") != std::string::npos || l.find("C30/37") != std::string::npos ||
                l.find("B500") != std::string::npos) {
                ++grades;
                continue;
            }
            const bool clause = std::regex_search(l, std::regex("  ENV 199[24]-1-[12], [^ ]"));
            // a formula line shares the clause of the value line above it, whose symbol it names
            const std::string symbol = l.substr(2, l.find_last_not_of(' ', colon) - 1);
            const bool formula = !clause && &l != &lines.front() && (&l - 1)->find(symbol + " ") != std::string::npos;
            EXPECT_TRUE(clause || formula) << base << ": " << l;
            // within the report's width
            EXPECT_LE(utf8Length(l), 90u) << l;
        }
        EXPECT_EQ(grades, 3) << base;
        EXPECT_GT(values, 200) << base;
        expectNoNonFinite(lines);
    }
    // (the English block of this project, each value and clause in its place, is the
    // reviewed listing default-e50-e30.listing.txt byte for byte: CliListing.DefaultEccentric)
}

// The eccentric block per axis only with its eccentricity, the biaxial block
// and the reference ratios only where the cells take them.
TEST(EnvDetails, BlocksOnlyWhereTheRunHasThem)
{
    const std::string ecc = text(1130) + ": " + text(1574);
    const std::string bi = text(1130) + ": " + text(1587);
    {
        const std::vector<std::string> lines = details(runOf(0, 0));
        EXPECT_EQ(indexOf(lines, ecc), -1);
        EXPECT_EQ(indexOf(lines, bi), -1);
        EXPECT_EQ(indexOf(lines, text(1603)), -1);
        EXPECT_GT(indexOf(lines, text(1763)), 0);
        EXPECT_GT(indexOf(lines, text(1131) + " R 120"), 0);
    }
    {
        const std::vector<std::string> lines = details(runOf(0, 30));
        const int at = indexOf(lines, ecc);
        ASSERT_GT(at, 0);
        EXPECT_EQ(lines[static_cast<std::size_t>(at + 1)], "  " + text(1077));
        EXPECT_EQ(indexOf(lines, "  " + text(1076), at), -1);
        EXPECT_EQ(indexOf(lines, bi), -1);
        EXPECT_GT(indexOf(lines, text(1603)), at);
    }
    {
        const std::vector<std::string> lines = details(runOf(50, 30));
        const int at = indexOf(lines, bi);
        ASSERT_GT(at, 0);
        // both moment ratios within the rule at the force found
        const double n = valueOf(lines, text(1607, "N"), at);
        EXPECT_GT(n, 0);
        const double rw = valueOf(lines, text(1604, "M.z,Sd / M.z,Rd"), at);
        const double rs = valueOf(lines, text(1604, "M.y,Sd / M.y,Rd"), at);
        EXPECT_NEAR(rw, valueOf(lines, text(1771, "M.z,Sd"), at) / valueOf(lines, text(1773, "M.z,Rd"), at), 1e-3);
        EXPECT_LE(rw + rs, 1.0 + 1e-3);
        EXPECT_LE(rw, 0.9 + 1e-3);
        EXPECT_LE(rs, 0.9 + 1e-3);
    }
}

// u below 40 mm: the bars count for nothing in fire, and the details say so.
TEST(EnvDetails, BarsLeftOutInFireAreNamed)
{
    const std::vector<std::string> lines = details(runOf(0, 0, 30));
    const int fire = indexOf(lines, text(1763));
    ASSERT_GT(fire, 0);
    EXPECT_EQ(valueOf(lines, text(1592), fire), 30);
    EXPECT_GT(indexOf(lines, "  " + text(1594), fire), fire);
    EXPECT_EQ(valueOf(lines, text(1572, "k.y,t"), fire), 0);
    EXPECT_EQ(valueOf(lines, text(1596, "f.s,t / γ.M,fi,s"), fire), 0);
    expectNoNonFinite(lines);
}

TEST(MaterialGrades, NamesOnlyTheStandardGrades)
{
    EXPECT_EQ(steelGrade(355), "S355");
    EXPECT_EQ(steelGrade(235), "S235");
    EXPECT_EQ(steelGrade(345), "");
    EXPECT_EQ(steelGrade(355.5), "");
    EXPECT_EQ(concreteClass(30), "C30/37");
    EXPECT_EQ(concreteClass(90), "C90/105");
    EXPECT_EQ(concreteClass(32), "");
    EXPECT_EQ(rebarGrade(500), "B500");
    EXPECT_EQ(rebarGrade(std::nan("")), "");
    EXPECT_EQ(concreteClass(INFINITY), "");
}
