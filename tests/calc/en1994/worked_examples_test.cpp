// The worked examples of the EN 1994 method, E1 to E4, to their last printed
// digit (1e-9 relative): the design values, both axes' tables, the eccentric
// values and the points of the curves, the reference calculation and its
// ratios, the R 90 details and all 25 cells, as tests/data/en1994-worked-examples.txt
// lists them; and the three inputs that give errors. The input checks that
// stay from the ENV method run beside them.
#include "en_inputs.h"

#include "calc/en1994/checks.h"
#include "calc/en1994/design.h"
#include "calc/env1994/checks.h"
#include "shell/checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace qeln;
using namespace qeln::en1994;
using namespace qeln::en1994::test;

namespace {

// One example: its input here, its values from tests/data/en1994-worked-examples.txt.
struct Example {
    const char* name = "";
    ColumnInput input = enDefault();
    std::vector<FindingCode> envWarnings;   // what the ENV checks that stay warn of
};

// HE 300 M, the heavy profile of E4 and of the first input that gives errors.
ColumnInput heavyProfile()
{
    ColumnInput in = enProfile(340, 310, 21, 39, 27);
    in.profileName = "HE 300 M";
    return in;
}

// E2 is E1 with both eccentricities.
Example example2()
{
    Example x{"E2", enDefault(), {}};
    x.input.e1 = 50;
    x.input.e2 = 30;
    return x;
}

Example example3()
{
    Example x{"E3", enProfile(260, 260, 10, 17.5, 24), {FindingCode::SmallProfile, FindingCode::FireBucklingLength}};
    ColumnInput& in = x.input;
    in.profileName = "HE 260 B";
    in.lWeakCold = in.lStrongCold = 7.5;
    in.lWeakFire = in.lStrongFire = 3.75;
    in.e1 = 40;
    in.rWeak = -1;
    in.phiT = 2;
    in.pcp = 60;
    in.fck = 25;
    in.uc1 = in.uf1 = 50;
    return x;
}

Example example4()
{
    Example x{"E4", heavyProfile(), {}};
    ColumnInput& in = x.input;
    in.fy = 460;
    in.autoReduce = true;
    in.movrixAvailable = true;
    in.e2 = 80;
    in.rStrong = 0;
    in.fck = 40;
    in.d = 25;
    in.uc1 = in.uf1 = 60;
    in.lWeakCold = in.lStrongCold = 4;
    in.lWeakFire = in.lStrongFire = 2;
    return x;
}

std::ostream& operator<<(std::ostream& os, const Example& x) { return os << x.name; }

// The lines of one example in the file, each split at its blanks.
using Row = std::vector<std::string>;
std::vector<Row> rowsOf(const std::string& name)
{
    std::ifstream file(std::string(QELN_SOURCE_DIR) + "/tests/data/en1994-worked-examples.txt");
    EXPECT_TRUE(file) << "no file of the worked examples";
    std::vector<Row> rows;
    bool inside = false;
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        Row row;
        for (std::string w; words >> w;)
            row.push_back(w);
        if (row.empty() || row[0][0] == '#')
            continue;
        if (row[0] == "example")
            inside = row.size() == 2 && row[1] == name;
        else if (inside)
            rows.push_back(row);
    }
    EXPECT_FALSE(rows.empty()) << "no values of " << name;
    return rows;
}

// A number of the file; "-" for none.
std::optional<double> valueOf(const std::string& word)
{
    if (word == "-")
        return std::nullopt;
    std::size_t used = 0;
    const double v = std::stod(word, &used);
    EXPECT_EQ(used, word.size()) << word;
    return v;
}

// The value of the key, a failure where there is none.
double lookup(const std::map<std::string, double>& values, const std::string& key)
{
    const auto it = values.find(key);
    if (it != values.end())
        return it->second;
    ADD_FAILURE() << "no value " << key;
    return 0;
}

// The printed values of one axis by the names of the tables; none of the
// eccentric ones where the axis has no eccentricity.
std::optional<double> axisValue(const Outcome& o, Axis axis, const std::string& key)
{
    const AxisResult& a = o.service.axis[at(axis)];
    const AxialResult& m = a.axial;
    const AxisSection& s = o.section.axis[at(axis)];
    std::map<std::string, double> v{
        {"NplRd", m.NplRd}, {"NplRk", m.NplRk},   {"delta", m.delta},   {"Ecm", o.values.Ecm},
        {"Eceff", o.values.Eceff}, {"Aa", o.section.Aa}, {"Ac", o.section.Ac}, {"As", o.section.As},
        {"Ia", s.Ia},       {"Is", s.Is},         {"Ic", s.Ic},         {"EIeff", m.EIeff},
        {"Ncr", m.Ncr},     {"lambda", m.lambda}, {"alpha", m.alpha},   {"chi", m.chi},
        {"NbRd", m.NbRd},
    };
    if (!a.eccentric)
        return v.count(key) ? std::optional<double>(v.at(key)) : std::nullopt;
    const EccentricResult& e = *a.eccentric;
    const InteractionPoints& p = e.points;
    v.insert({
        {"EIeffII", e.so.EIeffII}, {"NcrEff", e.so.NcrEff}, {"e", e.so.e},       {"e0", e.so.e0},
        {"r", e.so.r},             {"beta", e.so.beta},     {"alphaM", e.alphaM}, {"NpmRd", p.NpmRd},
        {"MplRd", p.MplRd},        {"MmaxRd", p.MmaxRd},    {"NRde", e.NRde},     {"k1", e.k1},
        {"k2", e.k2},              {"MEd", e.MEd},          {"MplNRd", e.MplNRd}, {"muD", e.muD},
        {"AN", p.NplRd},           {"AM", 0.0},             {"BN", 0.0},          {"BM", p.MplRd},
        {"CN", p.NpmRd},           {"CM", p.MplRd},         {"DN", p.NpmRd / 2},  {"DM", p.MmaxRd},
    });
    return lookup(v, key);
}

std::map<std::string, double> r90Values(const FireClassResult& f)
{
    return {
        {"thetaF", f.thetaF},         {"kyTheta", f.kyTheta}, {"kETheta", f.kETheta},       {"hwfi", f.hwfi},
        {"fayW", f.fayW},             {"bcfi", f.bcfi},       {"thetaC", f.thetaC},         {"kcTheta", f.kcTheta},
        {"epsCuTheta", f.epsCuTheta}, {"fcTheta", f.fcTheta}, {"EcSecTheta", f.EcSecTheta}, {"kyt", f.kyt},
        {"kEt", f.kEt},
    };
}

std::map<std::string, double> fireAxisValues(const FireAxisResult& a)
{
    return {
        {"NfiPlRd", a.NfiPlRd}, {"NfiPlR", a.NfiPlR}, {"EIfiEff", a.EIfiEff}, {"NfiCr", a.NfiCr},
        {"lambda", a.lambda},   {"chi", a.chi},       {"NfiRd", a.NfiRd},
    };
}

class WorkedExample : public ::testing::TestWithParam<Example> {};

// Each line of the example's values against the design, by its kind.
TEST_P(WorkedExample, EveryPrintedValue)
{
    const Example& x = GetParam();
    const CheckOutcome checked = env1994::checkInput(x.input);
    const Outcome o = design(x.input, checked.fyCalc);
    const FireClassResult& f = o.fire[static_cast<std::size_t>(FireClass::R90)];
    EXPECT_EQ(f.fireClass, FireClass::R90);
    const auto expect = [](std::optional<double> actual, const std::string& word, const std::string& what) {
        const std::optional<double> expected = valueOf(word);
        ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
        if (expected) {
            EXPECT_PRED3(closeTo, *actual, *expected, 1e-9) << what;
        }
    };

    int tableRow = 0;
    bool biaxial = false;
    for (const Row& r : rowsOf(x.name)) {
        const std::string& kind = r[0];
        const std::string what = std::string(x.name) + " " + kind + " " + (r.size() > 1 ? r[1] : "");
        if (kind == "design") {
            ASSERT_EQ(r.size(), 3u) << what;
            const std::map<std::string, double> v{
                {"fy", o.values.fy},   {"fyd", o.values.fyd},     {"fcd", o.values.fcd},     {"fsd", o.values.fsd},
                {"Ecm", o.values.Ecm}, {"Eceff", o.values.Eceff}, {"rho", checked.rho},      {"alphaM", o.values.alphaM},
            };
            expect(lookup(v, r[1]), r[2], what);
        } else if (kind == "axis" || kind == "fire") {
            ASSERT_EQ(r.size(), 4u) << what;
            for (Axis axis : {Axis::Weak, Axis::Strong}) {
                const std::optional<double> actual =
                    kind == "axis" ? axisValue(o, axis, r[1]) : lookup(fireAxisValues(f.axis[at(axis)]), r[1]);
                expect(actual, r[axis == Axis::Weak ? 2 : 3], what + (axis == Axis::Weak ? " weak" : " strong"));
            }
        } else if (kind == "r90") {
            ASSERT_EQ(r.size(), 3u) << what;
            expect(lookup(r90Values(f), r[1]), r[2], what);
        } else if (kind == "reference") {
            // the reference calculation and its ratios
            ASSERT_EQ(r.size(), 10u) << what;
            const RoomTemperatureResult& ref = o.reference;
            const double actual[8] = {ref.axis[0].axial.NbRd, ref.axis[1].axial.NbRd, ref.axis[0].cell,
                                      ref.axis[1].cell,       ref.biaxialCell,        o.ratios.weak,
                                      o.ratios.strong,        o.ratios.biaxial};
            for (std::size_t i = 0; i < 8; ++i)
                expect(actual[i], r[i + 1], what + " value " + std::to_string(i + 1));
            EXPECT_EQ(o.ratios.governs, r[9] == "weak" ? Axis::Weak : Axis::Strong) << what;
        } else if (kind == "biaxial") {
            // both variants where both eccentricities are given
            ASSERT_EQ(r.size(), 5u) << what;
            ASSERT_TRUE(o.service.biaxial.has_value()) << what;
            biaxial = true;
            const BiaxialResult& b = *o.service.biaxial;
            expect(b.variants[0].NRd, r[1], what + " z");
            expect(b.variants[1].NRd, r[2], what + " y");
            EXPECT_EQ(b.governs, r[3] == "z" ? BiaxialVariant::z : BiaxialVariant::y) << what;
            const std::map<std::string, BiaxialCondition> bounds{{"momentWeak", BiaxialCondition::momentWeak},
                                                                 {"momentStrong", BiaxialCondition::momentStrong},
                                                                 {"interaction", BiaxialCondition::interaction}};
            ASSERT_TRUE(bounds.count(r[4])) << what;
            EXPECT_EQ(b.bound, bounds.at(r[4])) << what;
            EXPECT_EQ(b.NRd, b.variants[static_cast<std::size_t>(b.governs)].NRd);
        } else if (kind == "table") {
            // the 25 cells, a row a line
            ASSERT_EQ(r.size(), 6u) << what;
            ASSERT_LT(tableRow, 5) << what;
            for (int col = 0; col < 5; ++col)
                expect(o.table.at(tableRow, col), r[static_cast<std::size_t>(col) + 1],
                       what + " row " + std::to_string(tableRow) + " column " + std::to_string(col));
            ++tableRow;
        } else {
            ADD_FAILURE() << "unknown line " << what;
        }
    }
    EXPECT_EQ(tableRow, 5) << "the table has five rows";
    EXPECT_EQ(o.service.biaxial.has_value(), biaxial);
    EXPECT_FALSE(o.barsBelowTables);

    // no EN finding; the ENV checks that stay give only the expected warnings
    EXPECT_TRUE(check(x.input, checked.fyCalc).empty());
    std::vector<FindingCode> env;
    for (const Finding& g : checked.findings)
        env.push_back(g.code);
    EXPECT_FALSE(checked.hasErrors());
    EXPECT_EQ(env, x.envWarnings);
}

INSTANTIATE_TEST_SUITE_P(En1994, WorkedExample,
                         ::testing::Values(Example{"E1", enDefault(), {}}, example2(), example3(), example4()),
                         [](const auto& info) { return std::string(info.param.name); });

// The three inputs that give errors and no results, and the values their messages name.
struct ErrorCase {
    const char* name;
    ColumnInput input;
    std::vector<FindingCode> errors;
    std::vector<std::vector<double>> values;   // of each message, to two decimals; none where not given
};

TEST(WorkedExampleErrors, EachGivesItsErrors)
{
    ErrorCase grade{"fy 470", heavyProfile(), {FindingCode::EnSteelGradeAboveS460}, {}};
    grade.input.fy = 470;
    grade.input.autoReduce = true;
    grade.input.movrixAvailable = true;
    grade.input.d = 25;
    grade.input.fck = 40;
    ErrorCase ranges{"phi.t 7, r weak 1.5", enDefault(),
                     {FindingCode::EnCreepCoefficientRange, FindingCode::EnEndMomentRatioWeakRange},
                     {{7, 0, 6}, {1.5, -1, 1}}};
    ranges.input.phiT = 7;
    ranges.input.rWeak = 1.5;
    ErrorCase slender{"HE 260 A, 10 m", enProfile(250, 260, 7.5, 12.5, 24), {FindingCode::EnSlendernessWeak},
                      {{2.14, 2}}};
    slender.input.profileName = "HE 260 A";
    slender.input.lWeakCold = slender.input.lStrongCold = 10;
    slender.input.lWeakFire = slender.input.lStrongFire = 5;
    for (const ErrorCase& c : {grade, ranges, slender}) {
        const CheckOutcome checked = env1994::checkInput(c.input);
        EXPECT_FALSE(checked.hasErrors()) << c.name;   // the ENV checks that stay find none
        const std::vector<Finding> found = check(c.input, checked.fyCalc);
        std::vector<FindingCode> codes;
        for (const Finding& f : found) {
            EXPECT_EQ(f.severity, Severity::Error) << c.name;
            codes.push_back(f.code);
        }
        ASSERT_EQ(codes, c.errors) << c.name;
        for (std::size_t k = 0; k < c.values.size(); ++k) {
            ASSERT_EQ(found[k].values.size(), c.values[k].size()) << c.name;
            for (std::size_t i = 0; i < c.values[k].size(); ++i)
                EXPECT_NEAR(found[k].values[i], c.values[k][i], 0.005) << c.name << " value " << i;
        }
    }
}

} // namespace
