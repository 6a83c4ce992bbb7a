// Charts: round ticks that cover the data, tick labels in the language's
// notation, curves that stay inside the plot area and skip values that are not
// finite, texts that never overlap, and SVG an XML parser reads.
#include "present/plot.h"
#include "present/texts.h"

#include "picture_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <string>

using namespace qeln;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The step is 1, 2 or 5 times a power of ten.
bool roundStep(double step)
{
    const double e = std::floor(std::log10(step) + 1e-12);
    const double m = step / std::pow(10.0, e);
    for (double r : {1.0, 2.0, 5.0, 10.0})
        if (std::fabs(m - r) < 1e-9 * r)
            return true;
    return false;
}

// The 1-2-5 step just below `step`.
double smallerStep(double step)
{
    const double e = std::floor(std::log10(step) + 1e-12);
    const double m = std::round(step / std::pow(10.0, e));
    return m == 1 ? 0.5 * step : m == 2 ? 0.5 * step : 0.4 * step;
}

struct TickCase {
    double lo, hi;
    int maxTicks;
    friend void PrintTo(const TickCase& c, std::ostream* os) { *os << c.lo << ".." << c.hi << " max " << c.maxTicks; }
};

class RoundTicks : public testing::TestWithParam<TickCase> {};

TEST_P(RoundTicks, RoundCoveringAndAsFewAsAllowed)
{
    const TickCase c = GetParam();
    const Ticks t = roundTicks(c.lo, c.hi, c.maxTicks);
    EXPECT_TRUE(roundStep(t.step)) << t.step;
    EXPECT_LE(t.count, c.maxTicks);
    EXPECT_GE(t.count, 2);
    EXPECT_LE(t.at(0), c.lo);
    EXPECT_GE(t.at(t.count - 1), c.hi);
    // every tick a whole multiple of the step, and its label exact
    for (int i = 0; i < t.count; ++i) {
        const double k = t.at(i) / t.step;
        EXPECT_NEAR(k, std::round(k), 1e-9) << i;
        const std::string label = tickLabel(t.at(i), t.decimals(), ".");
        EXPECT_NEAR(std::strtod(label.c_str(), nullptr), t.at(i), 1e-9 * std::max(1.0, std::fabs(t.at(i)))) << label;
    }
    // the next smaller round step would need more ticks than allowed
    const double s = smallerStep(t.step);
    const double need = std::ceil(c.hi / s - 1e-9) - std::floor(c.lo / s + 1e-9) + 1;
    EXPECT_GT(need, c.maxTicks) << "step " << t.step << " could be " << s;
}

INSTANTIATE_TEST_SUITE_P(Ranges, RoundTicks,
                         testing::Values(TickCase{0, 5061.02, 9}, TickCase{0, 331.7, 11}, TickCase{0, 150, 11},
                                         TickCase{0, 0.37, 6}, TickCase{-3, 7, 6}, TickCase{-1234, -17, 8},
                                         TickCase{1e-5, 3.3e-5, 5}, TickCase{123456, 123457, 8},
                                         TickCase{0, 1e6, 9}, TickCase{0.1, 0.3, 3}, TickCase{0, 559.5, 9},
                                         TickCase{0, 20000, 4}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(RoundTicks, DegenerateRanges)
{
    for (const auto& [lo, hi] : {std::pair{5.0, 5.0}, {0.0, 0.0}, {7.0, 3.0}, {kNaN, 1.0}, {0.0, kInf}, {-kInf, kNaN}}) {
        const Ticks t = roundTicks(lo, hi, 8);
        EXPECT_TRUE(std::isfinite(t.first) && std::isfinite(t.step) && t.step > 0) << lo << " " << hi;
        EXPECT_GE(t.count, 2);
        EXPECT_LE(t.count, 8);
        if (std::isfinite(lo) && std::isfinite(hi)) {
            EXPECT_LE(t.at(0), std::min(lo, hi));
            EXPECT_GE(t.last(), std::max(lo, hi));
        }
    }
}

TEST(TickLabel, SeparatorAndSign)
{
    EXPECT_EQ(tickLabel(0.3, 1, ","), "0,3");
    EXPECT_EQ(tickLabel(1500, 0, ","), "1500");
    EXPECT_EQ(tickLabel(-2.5, 1, "."), "-2.5");
    EXPECT_EQ(tickLabel(-0.0001, 1, ","), "0,0");
    EXPECT_EQ(tickLabel(-0.0, 0, "."), "0");
    EXPECT_EQ(tickLabel(kNaN, 0, "."), "0");
}

// ---------------------------------------------------------------- charts

using test::expectInsidePage;
using test::expectWellFormedSvg;

std::vector<const Primitive*> texts(const Picture& pic) { return test::ofKind(pic, Primitive::Kind::Text); }

// A text that is `s`, or with `prefix` one that begins with it.
bool hasText(const Picture& pic, const std::string& s, bool prefix = false)
{
    for (const Primitive* p : texts(pic))
        if (prefix ? p->text.rfind(s, 0) == 0 : p->text == s)
            return true;
    return false;
}

TEST(DrawChart, NonFiniteValuesAreSkippedAndCurvesStayInTheArea)
{
    Chart c;
    c.title = "T";
    c.xLabel = "x [mm]";
    c.yLabel = "y [kN]";
    c.curves.push_back({{0, 1, kNaN, 3, 4, kInf}, {0, 10, 20, kNaN, 40, 50}, {0, 0, 0}, 2, false, "a"});
    c.markers.push_back({kNaN, 3, {255, 0, 0}, "never", false});
    c.markers.push_back({2, 20, {255, 0, 0}, "marked", false});
    c.lines.push_back({true, kInf, {0, 0, 0}, true, "never either"});
    c.lines.push_back({false, 30, {0, 0, 0}, true, "line"});
    const Picture pic = drawChart(c, ",");
    const std::string svg = pictureToSvg(pic);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    EXPECT_FALSE(hasText(pic, "never"));
    EXPECT_FALSE(hasText(pic, "never either"));
    EXPECT_TRUE(hasText(pic, "marked"));
    EXPECT_TRUE(hasText(pic, "line"));
    EXPECT_TRUE(overlappingTexts(pic).empty());
    expectInsidePage(pic);
}

TEST(DrawChart, ManyLabelsOnOnePointStillApart)
{
    Chart c;
    c.title = "Crowded";
    c.xLabel = "M [kNm]";
    c.yLabel = "N [kN]";
    c.curves.push_back({{0, 100}, {0, 100}, {0, 0, 0}, 2, false, "diagonal"});
    for (int i = 0; i < 12; ++i)
        c.markers.push_back({50, 50, {200, 0, 0}, "label number " + std::to_string(i), i % 2 == 0});
    for (int i = 0; i < 4; ++i)
        c.lines.push_back({i % 2 == 0, 50.0, {0, 0, 0}, true, "reference " + std::to_string(i)});
    const Picture pic = drawChart(c, ".");
    EXPECT_TRUE(overlappingTexts(pic).empty());
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(hasText(pic, "label number " + std::to_string(i))) << i;
    expectInsidePage(pic);
}

TEST(DrawChart, TickLabelsTakeTheDecimalSeparator)
{
    Chart c;
    c.curves.push_back({{0, 0.35}, {0, 0.8}, {0, 0, 0}, 2, false, ""});
    const Picture pic = drawChart(c, ",");
    EXPECT_TRUE(hasText(pic, "0,2"));
    EXPECT_FALSE(hasText(pic, "0.2"));
}

// A legend that finds no free corner goes beside the plot area.
TEST(DrawChart, LegendNeverCoversACurve)
{
    Chart c;
    c.title = "Legend";
    // a zigzag through the whole area
    ChartCurve z{{}, {}, {0, 0, 0}, 2, false, "zigzag with a long legend entry"};
    for (int i = 0; i <= 40; ++i) {
        z.x.push_back(i);
        z.y.push_back(i % 2 == 0 ? 0 : 10);
    }
    c.curves.push_back(z);
    for (int k = 0; k <= 10; ++k)
        c.curves.push_back({{0, 40}, {k * 1.0, k * 1.0}, {0, 0, 200}, 1, true, k == 0 ? "flat" : ""});
    const Picture pic = drawChart(c, ".");
    // the legend's frame: the white filled rectangle
    const Primitive* frame = nullptr;
    for (const Primitive& p : pic.items)
        if (p.kind == Primitive::Kind::Rectangle && p.brush.solid && p.brush.color == Rgb{255, 255, 255} &&
            p.pen.color == Rgb{90, 90, 90})
            frame = &p;
    ASSERT_NE(frame, nullptr);
    const double l = frame->points[0].x, t = frame->points[0].y, r = frame->points[1].x, b = frame->points[1].y;
    auto inside = [&](double x, double y) { return x > l && x < r && y > t && y < b; };
    int crossings = 0;
    for (const Primitive& p : pic.items) {
        if (p.kind != Primitive::Kind::Polyline || p.points.size() < 2)
            continue;
        bool sample = true;   // the legend's own line samples lie wholly inside it
        for (const Point& q : p.points)
            sample = sample && inside(q.x, q.y);
        if (sample)
            continue;
        for (std::size_t i = 1; i < p.points.size(); ++i)
            for (int k = 0; k <= 100; ++k) {
                const double f = k / 100.0;
                crossings += inside(p.points[i - 1].x + f * (p.points[i].x - p.points[i - 1].x),
                                    p.points[i - 1].y + f * (p.points[i].y - p.points[i - 1].y));
            }
    }
    EXPECT_EQ(crossings, 0);
    EXPECT_TRUE(overlappingTexts(pic).empty());
    expectInsidePage(pic);
}

// ---------------------------------------------------------------- the two plots

InteractionDiagram sampleDiagram(double e, bool load)
{
    InteractionDiagram d;
    d.valid = true;
    d.e = e;
    d.nplRd = 5900;
    d.nRd = 5061;
    d.nCr = 20000;
    d.Mk = 120;
    for (int i = 0; i <= 100; ++i) {
        const double n = d.nplRd * (1 - i / 100.0);
        d.plasticN.push_back(n);
        d.plasticM.push_back(330 * std::sqrt(1 - (n / d.nplRd) * (n / d.nplRd)));
        if (n <= d.nRd) {
            d.allowedN.push_back(n);
            d.allowedM.push_back(0.9 * (d.plasticM.back() - d.Mk * n / d.nRd));
        }
    }
    for (int i = 0; i <= 50; ++i) {
        const double n = d.nRd * i / 50.0;
        d.actingN.push_back(n);
        d.actingM.push_back(n * e * 0.001 * std::max(1.0, 1.1 / (1 - n / d.nCr)));
    }
    d.resistanceN = 3132.77;
    d.resistanceM = 191.5;
    if (load) {
        d.loadN = 3000;
        d.loadM = 3000 * e * 0.001;
    }
    return d;
}

ResistanceCurves sampleCurves(bool outside, bool loads, double eProject)
{
    ResistanceCurves c;
    c.valid = true;
    c.eLimit = 150;
    c.eProject = eProject;
    for (int i = 0; i <= 30; ++i)
        c.e.push_back(150.0 * i / 30);
    for (int row = 0; row < 5; ++row) {
        ResistanceSeries s;
        s.row = row;
        s.outside = outside && row >= 3;
        for (double e : c.e)
            s.N.push_back((5000 - 900 * row) / (1 + e / 60));
        c.series.push_back(s);
    }
    if (loads) {
        c.nEd = 3000;
        c.nFiEd = 1500;
        c.fireClass = FireClass::R60;
    }
    return c;
}

struct PlotCase {
    Language language;
    std::string sep;
    double e;
    bool extras;   // loads, outside classes
    friend void PrintTo(const PlotCase& c, std::ostream* os)
    {
        *os << "language " << languageCode(c.language) << " sep " << c.sep << " e " << c.e << (c.extras ? " with loads" : "");
    }
};

class Plots : public testing::TestWithParam<PlotCase> {};

TEST_P(Plots, TextsApartInsideThePageAndInTheLanguage)
{
    const PlotCase pc = GetParam();
    TextEnv env;
    env.language = pc.language;
    env.decimalSeparator = pc.sep;
    for (const Axis axis : {Axis::Weak, Axis::Strong}) {
        const Picture nm = interactionPlot(env, sampleDiagram(pc.e, pc.extras), axis);
        const Picture ne = eccentricityPlot(env, sampleCurves(pc.extras, pc.extras, pc.e), axis);
        for (const Picture* pic : {&nm, &ne}) {
            EXPECT_TRUE(overlappingTexts(*pic).empty());
            expectInsidePage(*pic);
            for (const Primitive* t : texts(*pic))
                EXPECT_EQ(t->text.find("***"), std::string::npos) << "a text missing from the catalogue";
        }
        EXPECT_TRUE(hasText(nm, env.text(1307) + " 3133 kN")) << "the resistance is labelled as the table shows it";
        EXPECT_EQ(texts(nm)[0]->text, env.text(1300) + " - " + env.text(axis == Axis::Weak ? 1302 : 1303));
        EXPECT_EQ(texts(ne)[0]->text, env.text(1301) + " - " + env.text(axis == Axis::Weak ? 1302 : 1303));
        const std::string e = pc.e == 37.5 ? "37" + pc.sep + "5" : std::to_string(static_cast<int>(pc.e));
        EXPECT_TRUE(hasText(ne, "e = " + e + " mm")) << e;
        // under the title: the eccentricity, and with a load the margin to the resistance
        EXPECT_TRUE(hasText(nm, "e = " + e + " mm", true)) << e;
        if (pc.extras) {
            bool margin = false;
            for (const Primitive* t : texts(nm))
                margin = margin || t->text.find(env.text(1760)) != std::string::npos;
            EXPECT_TRUE(margin);
            EXPECT_TRUE(hasText(ne, "N.Ed = 3000 kN"));
            EXPECT_TRUE(hasText(ne, "N.fi,Ed = 1500 kN (R 60)"));
            EXPECT_TRUE(hasText(ne, "R 90 - " + env.text(1313)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, Plots,
                         testing::Values(PlotCase{Language::English, ".", 50, true}, PlotCase{Language::French, ",", 0, false},
                                         PlotCase{Language::German, ",", 37.5, true}, PlotCase{Language::German, ".", 150, false},
                                         PlotCase{Language::English, ".", 0, true}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// Smaller pictures (a report page with four plots) and larger ones keep
// their texts apart and inside, and their SVG is XML; a size below the
// smallest is raised to it.
TEST(Plots, EverySize)
{
    TextEnv env;
    env.language = Language::French;
    env.decimalSeparator = ",";
    for (const auto& [w, h] : {std::pair{480, 320}, {640, 440}, {720, 480}, {1200, 800}, {100, 50}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const Picture nm = interactionPlot(env, sampleDiagram(50, true), Axis::Strong, w, h);
        const Picture ne = eccentricityPlot(env, sampleCurves(true, true, 50), Axis::Weak, w, h);
        for (const Picture* pic : {&nm, &ne}) {
            EXPECT_EQ(pic->width, std::max(w, kPlotMinWidth));
            EXPECT_EQ(pic->height, std::max(h, kPlotMinHeight));
            EXPECT_TRUE(overlappingTexts(*pic).empty());
            expectInsidePage(*pic);
            expectWellFormedSvg(pictureToSvg(*pic));
        }
    }
}

TEST(Plots, OutsideClassesDashedServiceSolid)
{
    const Picture pic = eccentricityPlot(TextEnv{}, sampleCurves(true, false, 0), Axis::Weak);
    int dashed = 0, solid = 0;
    for (const Primitive& p : pic.items)
        if (p.kind == Primitive::Kind::Polyline && p.points.size() > 20)
            (p.pen.dashed ? dashed : solid)++;
    EXPECT_EQ(dashed, 2);   // R 90 and R 120
    EXPECT_EQ(solid, 3);
}

TEST(Plots, InvalidDataGiveTheNoteOnly)
{
    const TextEnv env;
    const Picture nm = interactionPlot(env, InteractionDiagram{}, Axis::Weak);
    const Picture ne = eccentricityPlot(env, ResistanceCurves{}, Axis::Strong);
    EXPECT_TRUE(hasText(nm, env.text(1314)));
    EXPECT_TRUE(hasText(ne, env.text(1314)));
    EXPECT_TRUE(overlappingTexts(nm).empty());
}

} // namespace
