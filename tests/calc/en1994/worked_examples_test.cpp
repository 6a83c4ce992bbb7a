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
#include <functional>
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

Example example1()
{
    Example x;
    x.name = "E1";
    return x;
}

// E1 with both eccentricities.
Example example2()
{
    Example x;
    x.name = "E2";
    x.input.e1 = 50;
    x.input.e2 = 30;
    return x;
}

Example example3()
{
    Example x;
    x.name = "E3";
    ColumnInput& in = x.input;
    in.profileName = "HE 260 B";
    in.h = 260;
    in.b = 260;
    in.tw = 10;
    in.tf = 17.5;
    in.r = 24;
    in.lWeakCold = in.lStrongCold = 7.5;
    in.lWeakFire = in.lStrongFire = 3.75;
    in.e1 = 40;
    in.rWeak = -1;
    in.phiT = 2;
    in.pcp = 60;
    in.fck = 25;
    in.uc1 = in.uf1 = 50;
    x.envWarnings = {FindingCode::SmallProfile, FindingCode::FireBucklingLength};
    return x;
}

Example example4()
{
    Example x;
    x.name = "E4";
    ColumnInput& in = x.input;
    in.profileName = "HE 300 M";
    in.h = 340;
    in.b = 310;
    in.tw = 21;
    in.tf = 39;
    in.r = 27;
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

// The printed values of one axis by the names of the tables.
std::optional<double> axisValue(const Outcome& o, Axis axis, const std::string& key)
{
    const AxisResult& a = o.service.axis[at(axis)];
    const AxialResult& m = a.axial;
    const AxisSection& s = o.section.axis[at(axis)];
    const std::map<std::string, std::function<double()>> axial{
        {"NplRd", [&] { return m.NplRd; }},   {"NplRk", [&] { return m.NplRk; }},
        {"delta", [&] { return m.delta; }},   {"Ecm", [&] { return o.values.Ecm; }},
        {"Eceff", [&] { return o.values.Eceff; }}, {"Aa", [&] { return o.section.Aa; }},
        {"Ac", [&] { return o.section.Ac; }}, {"As", [&] { return o.section.As; }},
        {"Ia", [&] { return s.Ia; }},         {"Is", [&] { return s.Is; }},
        {"Ic", [&] { return s.Ic; }},         {"EIeff", [&] { return m.EIeff; }},
        {"Ncr", [&] { return m.Ncr; }},       {"lambda", [&] { return m.lambda; }},
        {"alpha", [&] { return m.alpha; }},   {"chi", [&] { return m.chi; }},
        {"NbRd", [&] { return m.NbRd; }},
    };
    if (auto it = axial.find(key); it != axial.end())
        return it->second();
    if (!a.eccentric)
        return std::nullopt;
    const EccentricResult& e = *a.eccentric;
    const InteractionPoints& p = e.points;
    const std::map<std::string, std::function<double()>> eccentric{
        {"EIeffII", [&] { return e.so.EIeffII; }}, {"NcrEff", [&] { return e.so.NcrEff; }},
        {"e", [&] { return e.so.e; }},             {"e0", [&] { return e.so.e0; }},
        {"r", [&] { return e.so.r; }},             {"beta", [&] { return e.so.beta; }},
        {"alphaM", [&] { return e.alphaM; }},      {"NpmRd", [&] { return p.NpmRd; }},
        {"MplRd", [&] { return p.MplRd; }},        {"MmaxRd", [&] { return p.MmaxRd; }},
        {"NRde", [&] { return e.NRde; }},          {"k1", [&] { return e.k1; }},
        {"k2", [&] { return e.k2; }},              {"MEd", [&] { return e.MEd; }},
        {"MplNRd", [&] { return e.MplNRd; }},      {"muD", [&] { return e.muD; }},
        {"AN", [&] { return p.NplRd; }},           {"AM", [] { return 0.0; }},
        {"BN", [] { return 0.0; }},                {"BM", [&] { return p.MplRd; }},
        {"CN", [&] { return p.NpmRd; }},           {"CM", [&] { return p.MplRd; }},
        {"DN", [&] { return p.NpmRd / 2; }},       {"DM", [&] { return p.MmaxRd; }},
    };
    if (auto it = eccentric.find(key); it != eccentric.end())
        return it->second();
    ADD_FAILURE() << "no value " << key;
    return std::nullopt;
}

double r90Value(const FireClassResult& f, const std::string& key)
{
    const std::map<std::string, double> v{
        {"thetaF", f.thetaF},   {"kyTheta", f.kyTheta}, {"kETheta", f.kETheta},       {"hwfi", f.hwfi},
        {"fayW", f.fayW},       {"bcfi", f.bcfi},       {"thetaC", f.thetaC},         {"kcTheta", f.kcTheta},
        {"epsCuTheta", f.epsCuTheta}, {"fcTheta", f.fcTheta}, {"EcSecTheta", f.EcSecTheta},
        {"kyt", f.kyt},         {"kEt", f.kEt},
    };
    auto it = v.find(key);
    if (it == v.end()) {
        ADD_FAILURE() << "no value " << key;
        return 0;
    }
    return it->second;
}

double fireAxisValue(const FireAxisResult& a, const std::string& key)
{
    const std::map<std::string, double> v{
        {"NfiPlRd", a.NfiPlRd}, {"NfiPlR", a.NfiPlR}, {"EIfiEff", a.EIfiEff}, {"NfiCr", a.NfiCr},
        {"lambda", a.lambda},   {"chi", a.chi},       {"NfiRd", a.NfiRd},
    };
    auto it = v.find(key);
    if (it == v.end()) {
        ADD_FAILURE() << "no value " << key;
        return 0;
    }
    return it->second;
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
            ASSERT_TRUE(v.count(r[1])) << what;
            expect(v.at(r[1]), r[2], what);
        } else if (kind == "axis" || kind == "fire") {
            ASSERT_EQ(r.size(), 4u) << what;
            for (Axis axis : {Axis::Weak, Axis::Strong}) {
                const std::optional<double> actual =
                    kind == "axis" ? axisValue(o, axis, r[1]) : fireAxisValue(f.axis[at(axis)], r[1]);
                expect(actual, r[axis == Axis::Weak ? 2 : 3], what + (axis == Axis::Weak ? " weak" : " strong"));
            }
        } else if (kind == "r90") {
            ASSERT_EQ(r.size(), 3u) << what;
            expect(r90Value(f, r[1]), r[2], what);
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

INSTANTIATE_TEST_SUITE_P(En1994, WorkedExample, ::testing::Values(example1(), example2(), example3(), example4()),
                         [](const auto& info) { return std::string(info.param.name); });

// The three inputs that give errors and no results.
struct ErrorCase {
    const char* name;
    std::function<void(ColumnInput&)> change;
    std::vector<FindingCode> errors;
};

ColumnInput heavyProfile(ColumnInput in)
{
    in.profileName = "HE 300 M";
    in.h = 340;
    in.b = 310;
    in.tw = 21;
    in.tf = 39;
    in.r = 27;
    return in;
}

TEST(WorkedExampleErrors, EachGivesItsErrors)
{
    const std::vector<ErrorCase> cases{
        {"fy 470",
         [](ColumnInput& in) {
             in = heavyProfile(in);
             in.fy = 470;
             in.autoReduce = true;
             in.movrixAvailable = true;
             in.d = 25;
             in.fck = 40;
         },
         {FindingCode::EnSteelGradeAboveS460}},
        {"phi.t 7, r weak 1.5",
         [](ColumnInput& in) {
             in.phiT = 7;
             in.rWeak = 1.5;
         },
         {FindingCode::EnCreepCoefficientRange, FindingCode::EnEndMomentRatioWeakRange}},
        {"HE 260 A, 10 m",
         [](ColumnInput& in) {
             in.profileName = "HE 260 A";
             in.h = 250;
             in.b = 260;
             in.tw = 7.5;
             in.tf = 12.5;
             in.r = 24;
             in.lWeakCold = in.lStrongCold = 10;
             in.lWeakFire = in.lStrongFire = 5;
         },
         {FindingCode::EnSlendernessWeak}},
    };
    for (const ErrorCase& c : cases) {
        ColumnInput in = enDefault();
        c.change(in);
        const CheckOutcome checked = env1994::checkInput(in);
        EXPECT_FALSE(checked.hasErrors()) << c.name;   // the ENV checks that stay find none
        const std::vector<Finding> found = check(in, checked.fyCalc);
        std::vector<FindingCode> codes;
        for (const Finding& f : found) {
            EXPECT_EQ(f.severity, Severity::Error) << c.name;
            codes.push_back(f.code);
        }
        EXPECT_EQ(codes, c.errors) << c.name;
    }
    // the values the messages name
    ColumnInput in = enDefault();
    in.phiT = 7;
    in.rWeak = 1.5;
    const std::vector<Finding> f = check(in, fyCalc(in));
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].values, (std::vector<double>{7, 0, 6}));
    EXPECT_EQ(f[1].values, (std::vector<double>{1.5, -1, 1}));
    in = enProfile(250, 260, 7.5, 12.5, 24);
    in.lWeakCold = in.lStrongCold = 10;
    const std::vector<Finding> slender = check(in, fyCalc(in));
    ASSERT_EQ(slender.size(), 1u);
    EXPECT_NEAR(slender[0].values.at(0), 2.14, 0.005);
    EXPECT_EQ(slender[0].values.at(1), 2.0);
}

} // namespace
