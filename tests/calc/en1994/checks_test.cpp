// Every check of the EN method at its border: just inside gives nothing,
// just outside the finding with its values.
#include "en_inputs.h"

#include "calc/en1994/checks.h"
#include "calc/en1994/member.h"
#include "present/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <string>

using namespace qeln;
using namespace qeln::en1994;
using namespace qeln::en1994::test;

namespace {

// Puts a value into the input or into fyCalc.
using Setter = std::function<void(ColumnInput&, double& fyCalc, double value)>;

struct Border {
    const char* name;
    FindingCode code;
    Setter set;
    double inside, outside;
};

std::ostream& operator<<(std::ostream& os, const Border& b) { return os << b.name; }

// Sets one field of the input to the value.
Setter field(double ColumnInput::*member)
{
    return [member](ColumnInput& in, double&, double v) { in.*member = v; };
}

// Sets the depth at a fixed width.
Setter depthAtWidth(double b)
{
    return [b](ColumnInput& in, double&, double h) {
        in.h = h;
        in.b = b;
    };
}

const Finding* find(const std::vector<Finding>& fs, FindingCode code)
{
    auto it = std::find_if(fs.begin(), fs.end(), [&](const Finding& f) { return f.code == code; });
    return it == fs.end() ? nullptr : &*it;
}

// fyCalc giving delta = target for the default section.
double yieldForDelta(const ColumnInput& in, double target)
{
    const en1994::SectionValues s = sectionValues(in);
    const DesignValues v = designValues(in, 355);
    const double rest = 0.85 * s.Ac * v.fcd + s.As * v.fsd;
    return target / (1 - target) * rest / s.Aa * in.gammaA;
}

// A weak-axis length giving lambda-bar = target.
double lengthForSlenderness(const ColumnInput& in, Axis axis, double target)
{
    const AxialResult m = axialResistance(sectionValues(in), in, designValues(in, 355), axis, 1.0);
    return target / m.lambda;
}

void expectPlaceholders(const Finding& f)
{
    for (const Language base : kLanguages) {
        const std::string* text = TextCatalogue::builtin().find(static_cast<int>(f.code) + catalogueOffset(base));
        ASSERT_NE(text, nullptr) << static_cast<int>(f.code) + catalogueOffset(base);
        for (std::size_t k = 1; k <= 4; ++k)
            EXPECT_EQ(text->find("%" + std::to_string(k)) != std::string::npos, k <= f.values.size())
                << static_cast<int>(f.code) + catalogueOffset(base) << " %" << k;
    }
}

class CheckBorder : public ::testing::TestWithParam<Border> {};

TEST_P(CheckBorder, InsideAndOutside)
{
    const Border& b = GetParam();
    ColumnInput in = enDefault();
    double fy = 355;
    b.set(in, fy, b.inside);
    EXPECT_EQ(find(check(in, fy), b.code), nullptr) << "inside";
    in = enDefault();
    fy = 355;
    b.set(in, fy, b.outside);
    const std::vector<Finding> found = check(in, fy);
    const Finding* f = find(found, b.code);
    ASSERT_NE(f, nullptr) << "outside";
    EXPECT_EQ(f->severity, Severity::Error);
    EXPECT_GE(f->values.size(), 2u);
    // the message names every value of the finding, in every language
    expectPlaceholders(*f);
}

constexpr double up = 1 + 1e-9, down = 1 - 1e-9;

INSTANTIATE_TEST_SUITE_P(
    En1994, CheckBorder,
    ::testing::Values(
        Border{"phiT6", FindingCode::EnCreepCoefficientRange, field(&ColumnInput::phiT), 6, 6 * up},
        Border{"phiT0", FindingCode::EnCreepCoefficientRange, field(&ColumnInput::phiT), 0, -1e-12},
        Border{"phiTNaN", FindingCode::EnCreepCoefficientRange, field(&ColumnInput::phiT), 2.5,
               std::numeric_limits<double>::quiet_NaN()},
        Border{"rWeakLow", FindingCode::EnEndMomentRatioWeakRange, field(&ColumnInput::rWeak), -1, -up},
        Border{"rWeakHigh", FindingCode::EnEndMomentRatioWeakRange, field(&ColumnInput::rWeak), 1, up},
        Border{"rStrongLow", FindingCode::EnEndMomentRatioStrongRange, field(&ColumnInput::rStrong), -1, -up},
        Border{"rStrongHigh", FindingCode::EnEndMomentRatioStrongRange, field(&ColumnInput::rStrong), 1, up},
        // the entered grade, not the reduced yield point
        Border{"fy460", FindingCode::EnSteelGradeAboveS460,
               [](ColumnInput& in, double& fy, double v) {
                   in.fy = v;
                   fy = 440;
               },
               460, 460 * up},
        Border{"fck20", FindingCode::EnConcreteStrengthRange, field(&ColumnInput::fck), 20, 20 * down},
        Border{"fck60", FindingCode::EnConcreteStrengthRange, field(&ColumnInput::fck), 60, 60 * up},
        Border{"delta02", FindingCode::EnSteelContributionRange,
               [](ColumnInput& in, double& fy, double v) { fy = yieldForDelta(in, v); }, 0.2 * up, 0.2 * down},
        Border{"delta09", FindingCode::EnSteelContributionRange,
               [](ColumnInput& in, double& fy, double v) { fy = yieldForDelta(in, v); }, 0.9 * down, 0.9 * up},
        Border{"lambdaWeak", FindingCode::EnSlendernessWeak,
               [](ColumnInput& in, double&, double v) { in.lWeakCold = lengthForSlenderness(in, Axis::Weak, v); },
               2 * down, 2 * up},
        Border{"lambdaStrong", FindingCode::EnSlendernessStrong,
               [](ColumnInput& in, double&, double v) { in.lStrongCold = lengthForSlenderness(in, Axis::Strong, v); },
               2 * down, 2 * up},
        Border{"hb5", FindingCode::EnDepthToWidthRange, depthAtWidth(200), 1000, 1000 * up},
        Border{"hb02", FindingCode::EnDepthToWidthRange, depthAtWidth(500), 100, 100 * down}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Checks, CreepNotConsideredWarns)
{
    ColumnInput in = enDefault();
    in.phiT = 0;
    const std::vector<Finding> f = check(in, 355);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].code, FindingCode::EnCreepNotConsidered);
    EXPECT_EQ(f[0].severity, Severity::Warning);
    expectPlaceholders(f[0]);
    in.phiT = 1e-9;
    EXPECT_TRUE(check(in, 355).empty());
}

// A section whose arithmetic fails reports the ranges it can and leaves
// delta and lambda-bar to the run.
TEST(Checks, NeverThrow)
{
    ColumnInput in = enDefault();
    in.lWeakCold = 0;
    in.phiT = 9;
    std::vector<Finding> f;
    ASSERT_NO_THROW(f = check(in, 355));
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].code, FindingCode::EnCreepCoefficientRange);
}

} // namespace
