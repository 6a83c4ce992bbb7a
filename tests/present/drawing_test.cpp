// The section drawing: picture size, outline, rebars, dimension chains,
// captions, the canvas recording and the SVG writer.
#include "present/drawing.h"
#include "present/messages.h"
#include "present/picture.h"
#include "present/texts.h"

#include "picture_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace qeln {
namespace {

using Kind = Primitive::Kind;
using test::expectWellFormedSvg;
using test::ofKind;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// HE 320 A with four bars of 20 mm.
SectionDrawing he320a()
{
    SectionDrawing s;
    s.profileName = "HE 320 A";
    s.AN1 = 4;
    s.h = 310;
    s.b = 300;
    s.tw = 9;
    s.tf = 15.5;
    s.r = 27;
    s.uf1 = 40;
    s.uc1 = 60;
    s.UC2 = 0;
    s.dCalc = 20;
    s.d = 20;
    s.UF1 = 40;
    return s;
}

struct Drawn {
    RecordingSink sink;
    TextEnv env;
    Picture pic;
    explicit Drawn(const SectionDrawing& s, const std::string& sep = ".", Language language = Language::English)
    {
        env.sink = &sink;
        env.decimalSeparator = sep;
        env.language = language;
        DrawSection(env, pic, s);
    }
};

std::vector<std::string> texts(const Picture& pic)
{
    std::vector<std::string> out;
    for (const auto* p : ofKind(pic, Kind::Text)) out.push_back(p->text);
    return out;
}

std::vector<Point> pts(std::initializer_list<std::pair<int, int>> l)
{
    std::vector<Point> out;
    for (auto [x, y] : l) out.push_back({x, y});
    return out;
}

// ---------------------------------------------------------------------------
// Canvas

TEST(Canvas, LineToRunAfterMoveToIsOnePolyline)
{
    Picture pic;
    Canvas c(pic);
    c.moveTo(1, 2);
    c.lineTo(3, 4);
    c.lineTo(5, 6);
    c.lineTo(7, 8);
    ASSERT_EQ(pic.items.size(), 1u);
    EXPECT_EQ(pic.items[0].kind, Kind::Polyline);
    EXPECT_EQ(pic.items[0].points, pts({{1, 2}, {3, 4}, {5, 6}, {7, 8}}));
    c.moveTo(10, 10);
    c.lineTo(11, 11);
    ASSERT_EQ(pic.items.size(), 2u);
    EXPECT_EQ(pic.items[1].points, pts({{10, 10}, {11, 11}}));
}

TEST(Canvas, OtherPrimitivesEndThePolylineAndKeepThePosition)
{
    Picture pic;
    Canvas c(pic);
    c.moveTo(0, 0);
    c.lineTo(5, 0);
    c.arc(0, 0, 10, 10, 5, 10, 10, 5);
    c.lineTo(5, 5);
    ASSERT_EQ(pic.items.size(), 3u);
    EXPECT_EQ(pic.items[1].kind, Kind::Arc);
    EXPECT_EQ(pic.items[1].points, pts({{0, 0}, {10, 10}, {5, 10}, {10, 5}}));
    EXPECT_EQ(pic.items[2].points, pts({{5, 0}, {5, 5}}));
}

TEST(Canvas, StampsTheCurrentStyle)
{
    Picture pic;
    Canvas c(pic);
    c.rectangle(0, 0, 10, 10);
    c.pen.color = kRed;
    c.brush = Brush{kRed, false};
    c.font = Font{"Arial", 27, kBlack};
    c.halign = HAlign::Center;
    c.valign = VAlign::Top;
    c.textOut(5, 6, "x");
    c.moveTo(0, 0);
    c.lineTo(1, 1);
    c.pen.color = kBlack;
    c.lineTo(2, 2);   // a new pen starts a new polyline at the current position
    ASSERT_EQ(pic.items.size(), 4u);
    EXPECT_EQ(pic.items[0].pen.color, kBlack);
    EXPECT_EQ(pic.items[0].brush, (Brush{kWhite, true}));
    EXPECT_EQ(pic.items[1].font.height, 27);
    EXPECT_EQ(pic.items[1].halign, HAlign::Center);
    EXPECT_EQ(pic.items[1].points, pts({{5, 6}}));
    EXPECT_EQ(pic.items[2].pen.color, kRed);
    EXPECT_EQ(pic.items[3].points, pts({{1, 1}, {2, 2}}));
}

// ---------------------------------------------------------------------------
// The drawings checked by eye
//
// The geometry is held by two drawings whose SVG was checked against the
// section by eye: HE 320 A with a second layer and both eccentricities
// (decimal comma), and HE 320 A with four rows of bars. Every coordinate,
// colour and text of the picture is in the file; a change that moves any of
// them shows as a difference. After a deliberate change, look over the new file
// that the failure names and copy it over the old one.

SectionDrawing secondLayerEccentric()
{
    auto s = he320a();
    s.AN1 = 8;
    s.UC2 = 100;
    s.e1 = -50;
    s.e2 = 30;
    return s;
}

SectionDrawing fourRows()
{
    auto s = he320a();
    s.AN2 = 4;
    s.AN3 = 4;
    s.AN4 = 4;
    s.UF2 = 60;
    s.UF3 = 85;
    s.UF4 = 110;
    return s;
}

void expectCheckedSvg(const Picture& pic, const std::string& name)
{
    const std::string checked = std::string(QELN_SOURCE_DIR) + "/tests/data/" + name;
    std::ifstream in(checked, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string svg = pictureToSvg(pic);
    if (svg == expected) return;
    const std::string actual = testing::TempDir() + name;
    std::ofstream(actual, std::ios::binary) << svg;
    ADD_FAILURE() << "the drawing differs from " << checked << "; the new one is " << actual;
}

TEST(DrawSection, AsCheckedByEye)
{
    expectCheckedSvg(Drawn(secondLayerEccentric(), ",").pic, "drawing-he320a-8-e.svg");
    expectCheckedSvg(Drawn(fourRows()).pic, "drawing-he320a-4-rows.svg");
}

// ---------------------------------------------------------------------------
// Invariants over sections of every shape

struct Box {
    double left, top, right, bottom;
    double cx() const { return (left + right) / 2; }
    double cy() const { return (top + bottom) / 2; }
};

Box boxOf(const std::vector<Point>& p)
{
    Box b{1e300, 1e300, -1e300, -1e300};
    for (Point q : p) {
        b.left = std::min<double>(b.left, q.x);
        b.right = std::max<double>(b.right, q.x);
        b.top = std::min<double>(b.top, q.y);
        b.bottom = std::max<double>(b.bottom, q.y);
    }
    return b;
}

std::vector<SectionDrawing> variedSections()
{
    auto small = he320a();
    small.h = 100;
    small.b = 100;
    small.tf = 10;
    small.tw = 6;
    small.r = 12;
    small.uf1 = 20;
    small.uc1 = 30;
    small.UF1 = 20;
    small.dCalc = small.d = 12;
    auto deep = he320a();
    deep.h = 1000;
    auto wide = he320a();
    wide.b = 600;
    wide.AN2 = 4;
    wide.UF2 = 80;
    auto reduced = secondLayerEccentric();
    reduced.dCalc = 16;   // the 4 % rule: bars drawn at the working diameter
    return {small, he320a(), deep, wide, secondLayerEccentric(), fourRows(), reduced};
}

// The frame and the font heights are the same for every section (the section
// is scaled to fill it; its texts apart and clear are held over the catalogue).
// The concrete fills the section's box between the flanges, the steel is drawn
// over it; the bars lie in the concrete, mirror each other about both axes, are
// drawn at the working diameter, and the caption names the entered one.
TEST(DrawSection, FixedFrameAndBarsInTheConcreteSymmetricAtTheWorkingDiameter)
{
    for (const SectionDrawing& s : variedSections()) {
        Drawn d(s);
        SCOPED_TRACE(std::to_string(s.h) + " x " + std::to_string(s.b));
        EXPECT_EQ(d.pic.width, 1000);
        EXPECT_EQ(d.pic.height, 650);
        EXPECT_EQ(d.pic.items.at(0).points, pts({{0, 0}, {1000, 650}}));
        for (const Primitive* t : ofKind(d.pic, Kind::Text)) {
            const bool caption = t->text.rfind("Steel-Profile: ", 0) == 0 || t->text.rfind("Rebars: ", 0) == 0;
            const bool axis = t->text == "y" || t->text == "z";
            const bool load = t->text.rfind("e1 = ", 0) == 0 || t->text.rfind("e2 = ", 0) == 0;
            if (!load) {
                EXPECT_EQ(t->font.height, caption || axis ? 28 : 26) << t->text;
            }
        }
        EXPECT_TRUE(d.sink.messages.empty());

        const auto fills = ofKind(d.pic, Kind::Polygon);
        ASSERT_GE(fills.size(), 2u);
        const Box concrete = boxOf(fills[0]->points);
        const Box steel = boxOf(fills[1]->points);
        const double scale = (concrete.bottom - concrete.top) / s.b;
        EXPECT_NEAR(steel.right - steel.left, s.h * scale, 1.5);
        EXPECT_NEAR(concrete.right - concrete.left, (s.h - 2 * s.tf) * scale, 1.5);
        EXPECT_NEAR(concrete.cx(), steel.cx(), 1);
        EXPECT_NEAR(concrete.cy(), steel.cy(), 1);

        std::vector<Box> bars;
        for (const Primitive* e : ofKind(d.pic, Kind::Ellipse))
            if (e->brush == (Brush{kRed, true})) bars.push_back(boxOf(e->points));
        const int count = s.AN1 + s.AN2 + s.AN3 + s.AN4;
        ASSERT_EQ(static_cast<int>(bars.size()), count);
        for (const Box& b : bars) {
            EXPECT_NEAR(b.right - b.left, s.dCalc * scale, 1);
            EXPECT_NEAR(b.bottom - b.top, s.dCalc * scale, 1);
            EXPECT_GE(b.left, concrete.left);
            EXPECT_LE(b.right, concrete.right);
            EXPECT_GE(b.top, concrete.top);
            EXPECT_LE(b.bottom, concrete.bottom);
            const auto mirrored = [&](double x, double y) {
                return std::any_of(bars.begin(), bars.end(), [&](const Box& o) {
                    return std::abs(o.cx() - x) <= 1 && std::abs(o.cy() - y) <= 1;
                });
            };
            EXPECT_TRUE(mirrored(2 * concrete.cx() - b.cx(), b.cy()));
            EXPECT_TRUE(mirrored(b.cx(), 2 * concrete.cy() - b.cy()));
        }
        // the first bars at uf1 from the flange, uc1 from the flange tips
        ASSERT_FALSE(bars.empty());
        EXPECT_NEAR(bars[0].right, concrete.right - s.uf1 * scale + s.dCalc * scale / 2, 1.5);
        EXPECT_NEAR(bars[0].top, concrete.top + s.uc1 * scale - s.dCalc * scale / 2, 1.5);
        const auto t = texts(d.pic);
        EXPECT_EQ(std::count(t.begin(), t.end(), "Rebars: " + std::to_string(count) + " x d = " +
                                                     std::to_string(static_cast<int>(s.d)) + " mm"),
                  1);
    }
}

// The dimension values: the profile's height and width, and a chain along the
// bottom whose values add up to half the profile height.
TEST(DrawSection, DimensionChainsAddUpToTheSection)
{
    for (const SectionDrawing& s : variedSections()) {
        const SectionFigure fig = figureOf(s);
        std::vector<double> values;
        for (const FigureLabel& l : fig.labels)
            if (l.kind == FigureLabel::Kind::Dimension) values.push_back(l.value);
        ASSERT_GE(values.size(), 5u);
        EXPECT_EQ(values[0], s.h);
        EXPECT_NE(std::find(values.begin(), values.end(), s.b), values.end());
        double bottom = 0;
        for (std::size_t i = 1; i < values.size() && values[i] != s.b; ++i) bottom += values[i];
        EXPECT_NEAR(bottom, s.h / 2, 1e-9) << s.h;
        for (double v : values) EXPECT_GT(v, 0);
    }
}
// The captions take their words from the language; the rebar line keeps its ": " in every one,
// and a section without bars has none.
TEST(DrawSection, CaptionsInEachLanguage)
{
    const std::pair<Language, std::vector<std::string>> cases[] = {
        {Language::English, {"Steel-Profile: HE 320 A", "Rebars: 4 x d = 20 mm"}},
        {Language::French, {"Profilé en acier : HE 320 A", "Armatures: 4 x d = 20 mm"}},
        {Language::German, {"Stahlprofil: HE 320 A", "Bewehrung: 4 x d = 20 mm"}},
    };
    for (const auto& [base, captions] : cases) {
        const auto t = texts(Drawn(he320a(), ".", base).pic);
        ASSERT_GE(t.size(), 2u);
        EXPECT_EQ(std::vector<std::string>(t.end() - 2, t.end()), captions) << base;
    }
    auto bare = he320a();
    bare.AN1 = 0;
    EXPECT_EQ(texts(Drawn(bare).pic).back(), "Steel-Profile: HE 320 A");   // no rebar caption without bars
}

// ---------------------------------------------------------------------------
// Values that are not finite

TEST(SectionFigure, EveryTextIsALabelAndTheDimensionsAreTheValuesDrawn)
{
    SectionDrawing s = he320a();
    s.AN1 = 8;   // second layer: the right chain gets its UC2 step
    s.UC2 = 100;
    const SectionFigure fig = figureOf(s);
    std::size_t texts = 0;
    for (const Primitive& p : fig.picture.items)
        if (p.kind == Kind::Text) ++texts;
    ASSERT_EQ(fig.labels.size(), texts);
    for (const FigureLabel& l : fig.labels) {
        EXPECT_EQ(fig.picture.items.at(l.item).kind, Kind::Text);
        // the words come from the labelling, except the fixed axis names
        EXPECT_EQ(fig.picture.items.at(l.item).text.empty(), l.kind != FigureLabel::Kind::Fixed);
    }
    // (the dimension values: DrawSection.DimensionChainsAddUpToTheSection; every text
    // written and the geometry as drawn in each language: SectionDrawingLayout.LanguagesShareTheGeometry)
}

TEST(DrawSection, NonFiniteValueIsADrawingErrorAndKeepsThePicture)
{
    Drawn d(he320a());
    auto before = d.pic.items.size();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const auto with = [](auto change) {
        SectionDrawing s = he320a();
        change(s);
        return s;
    };
    const std::pair<const char*, SectionDrawing> refused[] = {
        {"h NaN", with([&](SectionDrawing& s) { s.h = nan; })},
        {"dCalc inf", with([&](SectionDrawing& s) { s.dCalc = inf; })},
        {"UF2 NaN", with([&](SectionDrawing& s) {
             s.AN2 = 4;
             s.UF2 = nan;
         })},
        {"e1 NaN", with([&](SectionDrawing& s) { s.e1 = nan; })},
        {"dCalc 1e300", with([](SectionDrawing& s) { s.dCalc = 1e300; })},   // bars no coordinate can hold
    };
    for (const auto& [what, s] : refused)
        EXPECT_THROW(DrawSection(d.env, d.pic, s), DrawingError) << what;
    EXPECT_EQ(d.pic.items.size(), before);
    EXPECT_EQ(d.pic.width, 1000);
    // a huge section is scaled into the frame like any other
    EXPECT_NO_THROW(DrawSection(d.env, d.pic, with([](SectionDrawing& s) { s.b = 1e300; })));
    // an unused value does not matter
    EXPECT_NO_THROW(DrawSection(d.env, d.pic, with([&](SectionDrawing& s) {
        s.UF3 = nan;
        s.UC2 = inf;
    })));
}

// ---------------------------------------------------------------------------
// SVG

std::size_t countOf(const std::string& hay, const std::string& needle)
{
    std::size_t n = 0;
    for (auto p = hay.find(needle); p != std::string::npos; p = hay.find(needle, p + 1)) ++n;
    return n;
}

// The drawings checked by eye as XML (their every element, the header and the text
// placement: DrawSection.AsCheckedByEye, byte for byte).
TEST(Svg, TheCheckedDrawingsAreWellFormed)
{
    for (const SectionDrawing& s : {secondLayerEccentric(), fourRows()})
        expectWellFormedSvg(pictureToSvg(Drawn(s).pic));
}

TEST(Svg, ArcsAreCounterClockwiseOnScreen)
{
    Picture pic;
    pic.width = pic.height = 100;
    Canvas c(pic);
    c.arc(0, 0, 100, 100, 50, 100, 100, 50);   // bottom to right: a quarter
    c.arc(0, 0, 100, 100, 100, 50, 50, 100);   // right to bottom: three quarters
    c.arc(0, 0, 100, 100, 90, 50, 60, 50);     // same ray: the whole ellipse
    c.arc(0, 0, 100, 60, 100, 0, 0, 0);        // rays through the box corners
    c.arc(0, 0, 0, 10, 0, 0, 0, 10);           // empty box: nothing
    std::string svg = pictureToSvg(pic);
    EXPECT_NE(svg.find("d=\"M50,100 A50,50 0 0,0 100,50\""), std::string::npos);
    EXPECT_NE(svg.find("d=\"M100,50 A50,50 0 1,0 50,100\""), std::string::npos);
    EXPECT_NE(svg.find("d=\"M100,50 A50,50 0 0,0 0,50 A50,50 0 0,0 100,50\""), std::string::npos);
    // the ray from the centre (50, 30) through (100, 0) meets the ellipse at t = 1 / sqrt(2)
    EXPECT_NE(svg.find("d=\"M85.355,8.787 A50,30 0 0,0 14.645,8.787\""), std::string::npos);
    EXPECT_EQ(countOf(svg, "<path "), 4u);
}

TEST(Svg, EscapesTextsAndClearBrush)
{
    Picture pic;
    pic.width = 200;
    pic.height = 100;
    Canvas c(pic);
    c.brush.solid = false;
    c.rectangle(10, 20, 0, 0);
    c.halign = HAlign::Right;
    c.valign = VAlign::Baseline;
    c.textOut(5, 5, "A<B & \"C\" 'D' >\x01\xff");
    std::string svg = pictureToSvg(pic);
    EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"10\" height=\"20\" fill=\"none\" stroke=\"#000000\""),
              std::string::npos);
    EXPECT_NE(svg.find(">A&lt;B &amp; &quot;C&quot; &apos;D&apos; &gt;\xEF\xBF\xBD\xEF\xBF\xBD</text>"),
              std::string::npos);
    EXPECT_NE(svg.find("text-anchor=\"end\""), std::string::npos);
    EXPECT_NE(svg.find("<text x=\"5\" y=\"5\" "), std::string::npos);   // baseline: unmoved
    expectWellFormedSvg(svg);
}

TEST(Svg, PolygonsAndDashedLines)
{
    Picture pic;
    pic.width = pic.height = 100;
    Canvas c(pic);
    c.brush.color = {200, 200, 200};
    c.pen.dashed = true;
    c.pen.width = 2;
    c.polygon({{0, 0}, {10, 0}, {10, 10}});
    c.polygon({{0, 0}, {10, 0}});   // too few corners: nothing written
    std::string svg = pictureToSvg(pic);
    EXPECT_NE(svg.find("<polygon points=\"0,0 10,0 10,10\" fill=\"#c8c8c8\" stroke=\"#000000\" stroke-width=\"2\" "
                       "stroke-dasharray=\"8,6\""),
              std::string::npos);
    EXPECT_EQ(svg.find("<polygon", svg.find("<polygon") + 1), std::string::npos);
    expectWellFormedSvg(svg);
}

TEST(TextExtents, WidthsAlignmentsAndOverlaps)
{
    Font f;
    f.height = 10;
    EXPECT_DOUBLE_EQ(textWidth(f, "0.5"), 13.9);             // 556 + 278 + 556 thousandths of 10
    EXPECT_DOUBLE_EQ(textWidth(f, "\xc3\xa4"), 7.22);        // a non-ASCII letter counts as wide
    Picture pic;
    pic.width = pic.height = 200;
    Canvas c(pic);
    c.font = f;
    c.halign = HAlign::Center;
    c.valign = VAlign::Top;
    c.textOut(100, 50, "0.5");
    TextBox b = textBox(pic.items[0]);
    EXPECT_DOUBLE_EQ(b.left, 100 - 6.95);
    EXPECT_DOUBLE_EQ(b.top, 50);
    EXPECT_NEAR(b.bottom, 50 + 11.17, 1e-9);
    c.halign = HAlign::Right;
    c.valign = VAlign::Bottom;
    c.textOut(100, 50, "12");   // ends where the first begins, above it: touches only at the corner
    EXPECT_TRUE(overlappingTexts(pic).empty());
    c.halign = HAlign::Left;
    c.valign = VAlign::Top;
    c.textOut(95, 55, "x");     // inside the first
    auto pairs = overlappingTexts(pic);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0], std::make_pair(std::size_t{0}, std::size_t{2}));
}

} // namespace
} // namespace qeln
