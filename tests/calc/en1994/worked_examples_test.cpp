// The worked examples of the EN 1994 method, E1 to E4, to their last printed
// digit (1e-9 relative): the design values, both axes' tables, the eccentric
// values and the points of the curves, the reference calculation and its
// ratios, the R 90 details and all 25 cells; and the three inputs that give
// errors. The input checks that stay from the ENV method run beside them.
#include "en_inputs.h"

#include "calc/en1994/checks.h"
#include "calc/en1994/design.h"
#include "calc/env1994/checks.h"
#include "shell/checks.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace qeln;
using namespace qeln::en1994;
using namespace qeln::en1994::test;

namespace {

struct Named {
    const char* key;
    double value;
};
struct AxisRow {
    const char* key;
    std::optional<double> weak, strong;   // no value: the listing shows "-"
};
struct ReferenceExpect {
    double NbWeak, NbStrong, cellWeak, cellStrong, biaxial, ratioWeak, ratioStrong, ratioBiaxial;
    Axis governs;
};
struct BiaxialExpect {
    double z, y;
    BiaxialVariant governs;
    BiaxialCondition bound;
};

struct Example {
    const char* name = "";
    ColumnInput input = enDefault();
    std::vector<Named> design;
    std::vector<AxisRow> axes;
    ReferenceExpect reference{};
    std::vector<Named> r90;
    std::vector<AxisRow> fireAxes;
    std::vector<std::array<double, 5>> table;
    std::optional<BiaxialExpect> biaxial;
    std::vector<FindingCode> envWarnings;
};

Example example1()
{
    Example x;
    x.name = "E1";
    x.design = {{"fy", 355}, {"fyd", 355}, {"fcd", 20}, {"fsd", 434.7826087}, {"Ecm", 32836.56803}, {"Eceff", 11940.57019}, {"rho", 1.559814987}, {"alphaM", 0.9}};
    x.axes = {{"NplRd", 6309.632397, 6309.632397},
                  {"NplRk", 7065.692951, 7065.692951},
                  {"delta", 0.699732766, 0.699732766},
                  {"Ecm", 32836.56803, 32836.56803},
                  {"Eceff", 11940.57019, 11940.57019},
                  {"Aa", 12436.77896, 12436.77896},
                  {"Ac", 79306.58398, 79306.58398},
                  {"As", 1256.637061, 1256.637061},
                  {"Ia", 69852303.14, 229285673.9},
                  {"Is", 10210176.12, 7973676.314},
                  {"Ic", 617437520.7, 507515649.8},
                  {"EIeff", 2.123665428e+13, 5.346047928e+13},
                  {"Ncr", 23288.59739, 58625.97573},
                  {"lambda", 0.5508149432, 0.3471621253},
                  {"alpha", 0.49, 0.34},
                  {"chi", 0.8141410513, 0.9465411891},
                  {"NbRd", 5136.930753, 5972.326952}};
    x.reference = {6067.789105, 6309.632397, 6067.789105, 6309.632397, 6067.789105, 1, 1, 1, Axis::Weak};
    x.r90 = {{"thetaF", 885.6774194}, {"kyTheta", 0.06716129032}, {"kETheta", 0.07072258065}, {"hwfi", 47.78386183}, {"fayW", 233.3994914}, {"bcfi", 29.05913978}, {"thetaC", 401.1827957}, {"kcTheta", 0.7482258065}, {"epsCuTheta", 10.05913978}, {"fcTheta", 19.30422581}, {"EcSecTheta", 2231.480492}, {"kyt", 0.822}, {"kEt", 0.619}};
    x.fireAxes = {{"NfiPlRd", 2092.26558, 2092.26558}, {"NfiPlR", 2092.26558, 2092.26558}, {"EIfiEff", 2.339612036e+12, 4.558476919e+12}, {"NfiCr", 10262.68678, 19995.71727}, {"lambda", 0.4515209108, 0.3234743967}, {"chi", 0.8697108412, 0.9371366833}, {"NfiRd", 1819.666058, 1960.738826}};
    x.table = {{5136.930753, 5972.326952, 5136.930753, 5972.326952, 5136.930753},
                  {3755.226573, 3983.854598, 3755.226573, 3983.854598, 3755.226573},
                  {2529.796631, 2705.938066, 2529.796631, 2705.938066, 2529.796631},
                  {1819.666058, 1960.738826, 1819.666058, 1960.738826, 1819.666058},
                  {1146.661882, 1250.816415, 1146.661882, 1250.816415, 1146.661882}};
    return x;
}

// E1 with both eccentricities: the same design values, axial values and R 90
// values, and the eccentric values of each axis.
Example example2()
{
    Example x = example1();
    x.name = "E2";
    ColumnInput& in = x.input;
    in.e1 = 50;
    in.e2 = 30;
    x.axes.insert(x.axes.end(), {
                  {"EIeffII", 1.844945881e+13, 4.756902899e+13},
                  {"NcrEff", 20232.09554, 52165.27754},
                  {"e", 50, 30},
                  {"e0", 20, 15},
                  {"r", 1, 1},
                  {"beta", 1.1, 1.1},
                  {"alphaM", 0.9, 0.9},
                  {"NpmRd", 1348.211928, 1348.211928},
                  {"MplRd", 352.3914626, 647.9420753},
                  {"MmaxRd", 353.4237635, 667.9834818},
                  {"NRde", 3163.116304, 4548.194003},
                  {"k1", 1.303845109, 1.205067615},
                  {"k2", 1.185313736, 1.095516014},
                  {"MEd", 281.1963902, 239.1657294},
                  {"MplNRd", 312.4404336, 265.7396994},
                  {"muD", 0.8866288396, 0.4101287901},
                  {"AN", 6309.632397, 6309.632397},
                  {"AM", 0, 0},
                  {"BN", 0, 0},
                  {"BM", 352.3914626, 647.9420753},
                  {"CN", 1348.211928, 1348.211928},
                  {"CM", 352.3914626, 647.9420753},
                  {"DN", 674.1059639, 674.1059639},
                  {"DM", 353.4237635, 667.9834818}});
    x.reference = {6067.789105, 6309.632397, 3692.684025, 4838.725163, 3334.08659, 0.6085715836, 0.7668790919, 0.5494730507, Axis::Weak};
    x.table = {{5136.930753, 5972.326952, 3163.116304, 4548.194003, 2929.802615},
                  {3755.226573, 3983.854598, 2285.324182, 3055.134796, 2063.395801},
                  {2529.796631, 2705.938066, 1539.562342, 2075.127327, 1390.055072},
                  {1819.666058, 1960.738826, 1107.397054, 1503.649611, 999.85746},
                  {1146.661882, 1250.816415, 697.8258373, 959.2249563, 630.0598023}};
    x.biaxial = BiaxialExpect{2929.802615, 3149.286057, BiaxialVariant::z, BiaxialCondition::interaction};
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
    x.design = {{"fy", 345}, {"fyd", 345}, {"fcd", 16.66666667}, {"fsd", 434.7826087}, {"Ecm", 31475.80621}, {"Eceff", 14307.18464}, {"rho", 2.253833079}, {"alphaM", 0.9}};
    x.axes = {{"NplRd", 5404.764685, 5404.764685},
                  {"NplRk", 5872.753295, 5872.753295},
                  {"delta", 0.7560611693, 0.7560611693},
                  {"Ecm", 31475.80621, 31475.80621},
                  {"Eceff", 14307.18464, 14307.18464},
                  {"Aa", 11844.44263, 11844.44263},
                  {"Ac", 54498.92031, 54498.92031},
                  {"As", 1256.637061, 1256.637061},
                  {"Ia", 51345121.34, 149194126.5},
                  {"Is", 8073893.12, 4940154.448},
                  {"Ic", 321394318.9, 226679052.4},
                  {"EIeff", 1.523694175e+13, 3.431408243e+13},
                  {"Ncr", 2673.46822, 6020.736337},
                  {"lambda", 1.482119993, 0.9876340951},
                  {"alpha", 0.49, 0.34},
                  {"chi", 0.3203995129, 0.6048893839},
                  {"NbRd", 1731.683972, 3269.284781},
                  {"EIeffII", 1.329940527e+13, std::nullopt},
                  {"NcrEff", 2333.508778, std::nullopt},
                  {"e", 40, std::nullopt},
                  {"e0", 50, std::nullopt},
                  {"r", -1, std::nullopt},
                  {"beta", 0.44, std::nullopt},
                  {"alphaM", 0.9, std::nullopt},
                  {"NpmRd", 772.0680377, std::nullopt},
                  {"MplRd", 277.2154337, std::nullopt},
                  {"MmaxRd", 277.6307689, std::nullopt},
                  {"NRde", 1424.139435, std::nullopt},
                  {"k1", 1.129072439, std::nullopt},
                  {"k2", 2.566073725, std::nullopt},
                  {"MEd", 247.0406026, std::nullopt},
                  {"MplNRd", 274.4895585, std::nullopt},
                  {"muD", 0.9901669429, std::nullopt},
                  {"AN", 5404.764685, std::nullopt},
                  {"AM", 0, std::nullopt},
                  {"BN", 0, std::nullopt},
                  {"BM", 277.2154337, std::nullopt},
                  {"CN", 772.0680377, std::nullopt},
                  {"CM", 277.2154337, std::nullopt},
                  {"DN", 386.0340188, std::nullopt},
                  {"DM", 277.6307689, std::nullopt}};
    x.reference = {3778.636734, 4793.722553, 2787.291631, 4793.722553, 2787.291631, 0.7376447719, 1, 0.7376447719, Axis::Weak};
    x.r90 = {{"thetaF", 899.6153846}, {"kyTheta", 0.06019230769}, {"kETheta", 0.06758653846}, {"hwfi", 48.55516199}, {"fayW", 196.0975032}, {"bcfi", 30.19230769}, {"thetaC", 423.8461538}, {"kcTheta", 0.7142307692}, {"epsCuTheta", 11.19230769}, {"fcTheta", 15.35596154}, {"EcSecTheta", 1595.360825}, {"kyt", 0.572}, {"kEt", 0.406}};
    x.fireAxes = {{"NfiPlRd", 1259.178527, 1259.178527}, {"NfiPlR", 1259.178527, 1259.178527}, {"EIfiEff", 1.263949523e+12, 2.308362109e+12}, {"NfiCr", 887.0884815, 1620.097481}, {"lambda", 1.191407102, 0.8816030441}, {"chi", 0.4378904043, 0.6111765762}, {"NfiRd", 551.3821943, 769.5804211}};
    x.table = {{1731.683972, 3269.284781, 1424.139435, 3269.284781, 1424.139435},
                  {1511.457406, 1975.716608, 1114.918654, 1975.716608, 1114.918654},
                  {940.3588307, 1251.095554, 693.6507751, 1251.095554, 693.6507751},
                  {551.3821943, 769.5804211, 406.7241929, 769.5804211, 406.7241929},
                  {350.4592101, 494.1858108, 258.5144041, 494.1858108, 258.5144041}};
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
    x.design = {{"fy", 440}, {"fyd", 440}, {"fcd", 26.66666667}, {"fsd", 434.7826087}, {"Ecm", 35220.46229}, {"Eceff", 12807.44083}, {"rho", 2.614778989}, {"alphaM", 0.8}};
    x.axes = {{"NplRd", 15846.70084, 15846.70084},
                  {"NplRk", 16803.54712, 16803.54712},
                  {"delta", 0.8415267551, 0.8415267551},
                  {"Ecm", 35220.46229, 35220.46229},
                  {"Eceff", 12807.44083, 12807.44083},
                  {"Aa", 30307.77896, 30307.77896},
                  {"Ac", 73128.72564, 73128.72564},
                  {"As", 1963.495408, 1963.495408},
                  {"Ia", 194030667.4, 592009899.1},
                  {"Is", 17797245.1, 9974679.394},
                  {"Ic", 632250420.9, 413368754.8},
                  {"EIeff", 4.934236753e+13, 1.29593279e+14},
                  {"Ncr", 30436.85299, 79939.6498},
                  {"lambda", 0.7430201828, 0.4584789104},
                  {"alpha", 0.49, 0.34},
                  {"chi", 0.6979047205, 0.9021617151},
                  {"NbRd", 11059.48732, 14296.28681},
                  {"EIeffII", std::nullopt, 1.161574735e+14},
                  {"NcrEff", std::nullopt, 71651.76947},
                  {"e", std::nullopt, 80},
                  {"e0", std::nullopt, 20},
                  {"r", std::nullopt, 0},
                  {"beta", std::nullopt, 0.66},
                  {"alphaM", std::nullopt, 0.8},
                  {"NpmRd", std::nullopt, 1657.584448},
                  {"MplRd", std::nullopt, 1894.80945},
                  {"MmaxRd", std::nullopt, 1908.53055},
                  {"NRde", std::nullopt, 8713.638562},
                  {"k1", std::nullopt, 1},
                  {"k2", std::nullopt, 1.138447686},
                  {"MEd", std::nullopt, 895.491518},
                  {"MplNRd", std::nullopt, 1119.364398},
                  {"muD", std::nullopt, 0.5907530161},
                  {"AN", std::nullopt, 15846.70084},
                  {"AM", std::nullopt, 0},
                  {"BN", std::nullopt, 0},
                  {"BM", std::nullopt, 1894.80945},
                  {"CN", std::nullopt, 1657.584448},
                  {"CM", std::nullopt, 1894.80945},
                  {"DN", std::nullopt, 828.7922239},
                  {"DM", std::nullopt, 1908.53055}};
    x.reference = {14456.74227, 15682.24454, 14456.74227, 9239.191723, 9239.191723, 1, 0.5891498312, 0.5891498312, Axis::Strong};
    x.r90 = {{"thetaF", 880.8538899}, {"kyTheta", 0.06957305503}, {"kETheta", 0.07180787476}, {"hwfi", 40.01835996}, {"fayW", 305.5871879}, {"bcfi", 28.66698292}, {"thetaC", 390.4852263}, {"kcTheta", 0.7595147737}, {"epsCuTheta", 9.71455679}, {"fcTheta", 26.12730821}, {"EcSecTheta", 3127.326506}, {"kyt", 0.822}, {"kEt", 0.619}};
    x.fireAxes = {{"NfiPlRd", 3902.420591, 3902.420591}, {"NfiPlR", 3902.420591, 3902.420591}, {"EIfiEff", 4.859662491e+12, 1.028463675e+13}, {"NfiCr", 11990.73658, 25376.32403}, {"lambda", 0.5704848377, 0.3921504175}, {"chi", 0.802737508, 0.901463885}, {"NfiRd", 3132.619381, 3517.891227}};
    x.table = {{11059.48732, 14296.28681, 11059.48732, 8713.638562, 8713.638562},
                  {7187.86598, 7903.063498, 7187.86598, 4656.088526, 4656.088526},
                  {4384.463422, 4875.747397, 4384.463422, 2872.545756, 2872.545756},
                  {3132.619381, 3517.891227, 3132.619381, 2072.565023, 2072.565023},
                  {2144.342228, 2434.291785, 2144.342228, 1434.162594, 1434.162594}};
    return x;
}

std::ostream& operator<<(std::ostream& os, const Example& x) { return os << x.name; }

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

void expectOptional(std::optional<double> actual, std::optional<double> expected, const std::string& what)
{
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
    if (expected) {
        EXPECT_PRED3(closeTo, *actual, *expected, 1e-9) << what;
    }
}

class WorkedExample : public ::testing::TestWithParam<Example> {};

TEST_P(WorkedExample, EveryPrintedValue)
{
    const Example& x = GetParam();
    const CheckOutcome checked = env1994::checkInput(x.input);
    const Outcome o = design(x.input, checked.fyCalc);

    for (const Named& n : x.design) {
        const std::map<std::string, double> v{
            {"fy", o.values.fy},   {"fyd", o.values.fyd},     {"fcd", o.values.fcd},     {"fsd", o.values.fsd},
            {"Ecm", o.values.Ecm}, {"Eceff", o.values.Eceff}, {"rho", checked.rho},      {"alphaM", o.values.alphaM},
        };
        EXPECT_PRED3(closeTo, v.at(n.key), n.value, 1e-9) << n.key;
    }
    for (const AxisRow& row : x.axes) {
        expectOptional(axisValue(o, Axis::Weak, row.key), row.weak, std::string(row.key) + " weak");
        expectOptional(axisValue(o, Axis::Strong, row.key), row.strong, std::string(row.key) + " strong");
    }

    // the reference calculation and its ratios
    const ReferenceExpect& r = x.reference;
    const RoomTemperatureResult& ref = o.reference;
    EXPECT_PRED3(closeTo, ref.axis[0].axial.NbRd, r.NbWeak, 1e-9);
    EXPECT_PRED3(closeTo, ref.axis[1].axial.NbRd, r.NbStrong, 1e-9);
    EXPECT_PRED3(closeTo, ref.axis[0].cell, r.cellWeak, 1e-9);
    EXPECT_PRED3(closeTo, ref.axis[1].cell, r.cellStrong, 1e-9);
    EXPECT_PRED3(closeTo, ref.biaxialCell, r.biaxial, 1e-9);
    EXPECT_PRED3(closeTo, o.ratios.weak, r.ratioWeak, 1e-9);
    EXPECT_PRED3(closeTo, o.ratios.strong, r.ratioStrong, 1e-9);
    EXPECT_PRED3(closeTo, o.ratios.biaxial, r.ratioBiaxial, 1e-9);
    EXPECT_EQ(o.ratios.governs, r.governs);

    // R 90
    const FireClassResult& f = o.fire[static_cast<std::size_t>(FireClass::R90)];
    EXPECT_EQ(f.fireClass, FireClass::R90);
    for (const Named& n : x.r90) {
        EXPECT_PRED3(closeTo, r90Value(f, n.key), n.value, 1e-9) << n.key;
    }
    for (const AxisRow& row : x.fireAxes) {
        EXPECT_PRED3(closeTo, fireAxisValue(f.axis[0], row.key), *row.weak, 1e-9) << row.key << " weak";
        EXPECT_PRED3(closeTo, fireAxisValue(f.axis[1], row.key), *row.strong, 1e-9) << row.key << " strong";
    }
    EXPECT_FALSE(o.barsBelowTables);

    // the biaxial variants where both eccentricities are given
    ASSERT_EQ(o.service.biaxial.has_value(), x.biaxial.has_value());
    if (x.biaxial) {
        const BiaxialResult& b = *o.service.biaxial;
        EXPECT_PRED3(closeTo, b.variants[0].NRd, x.biaxial->z, 1e-9);
        EXPECT_PRED3(closeTo, b.variants[1].NRd, x.biaxial->y, 1e-9);
        EXPECT_EQ(b.governs, x.biaxial->governs);
        EXPECT_EQ(b.bound, x.biaxial->bound);
        EXPECT_EQ(b.NRd, b.variants[static_cast<std::size_t>(b.governs)].NRd);
    }

    // all 25 cells
    ASSERT_EQ(x.table.size(), 5u);
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 5; ++col) {
            const std::optional<double> cell = o.table.at(row, col);
            ASSERT_TRUE(cell.has_value()) << row << " " << col;
            EXPECT_PRED3(closeTo, *cell, x.table[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)], 1e-9)
                << "row " << row << " column " << col;
        }

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
