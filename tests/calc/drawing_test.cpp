// The section drawing: picture size, outline, rebars, dimension chains,
// captions, the canvas recording and the SVG writer.
#include "calc/drawing.h"
#include "calc/messages.h"
#include "calc/picture.h"
#include "calc/texts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace qeln {
namespace {

using Kind = Primitive::Kind;

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
    explicit Drawn(const SectionDrawing& s, const std::string& sep = ".")
    {
        env.sink = &sink;
        env.decimalSeparator = sep;
        DrawSection(env, pic, s);
    }
};

std::vector<const Primitive*> ofKind(const Picture& pic, Kind k)
{
    std::vector<const Primitive*> out;
    for (const auto& p : pic.items)
        if (p.kind == k) out.push_back(&p);
    return out;
}

std::vector<std::string> texts(const Picture& pic)
{
    std::vector<std::string> out;
    for (const auto* p : ofKind(pic, Kind::Text)) out.push_back(p->text);
    return out;
}

const Primitive* textItem(const Picture& pic, const std::string& t)
{
    for (const auto& p : pic.items)
        if (p.kind == Kind::Text && p.text == t) return &p;
    return nullptr;
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
// Picture size

TEST(DrawSection, SmallProfileWidthFollowsFromTheFlangeWidth)
{
    auto s = he320a();
    s.h = 100;
    s.b = 100;
    s.tf = 10;
    s.tw = 6;
    s.r = 12;
    s.uc1 = 30;
    s.UF1 = 20;
    Drawn d(s);
    EXPECT_EQ(d.pic.width, 1077);
    EXPECT_EQ(d.pic.height, 700);
}

TEST(DrawSection, DefaultProfileSizeAndFontHeights)
{
    Drawn d(he320a());
    EXPECT_EQ(d.pic.width, 1385);
    EXPECT_EQ(d.pic.height, 900);
    EXPECT_EQ(textItem(d.pic, "310.0")->font.height, 27);
    EXPECT_EQ(textItem(d.pic, "Steel-Profile: HE 320 A")->font.height, 34);
    EXPECT_EQ(textItem(d.pic, "Rebars: 4 x d = 20 mm")->font.height, 34);
    EXPECT_TRUE(d.sink.messages.empty());
}

TEST(DrawSection, DeepProfileWidthFollowsFromTheHeight)
{
    auto s = he320a();
    s.h = 1000;
    s.b = 300;
    Drawn d(s);
    EXPECT_EQ(d.pic.width, 1500);
    EXPECT_EQ(d.pic.height, 975);
}

TEST(DrawSection, ReplacesThePreviousContent)
{
    Drawn d(he320a());
    auto first = d.pic.items.size();
    DrawSection(d.env, d.pic, he320a());
    EXPECT_EQ(d.pic.items.size(), first);
}

// ---------------------------------------------------------------------------
// Frame and outline

TEST(DrawSection, FrameWithCanvasDefaults)
{
    Drawn d(he320a());
    const auto& f = d.pic.items.at(0);
    EXPECT_EQ(f.kind, Kind::Rectangle);
    EXPECT_EQ(f.points, pts({{0, 0}, {1385, 900}}));
    EXPECT_EQ(f.pen.color, kBlack);
    EXPECT_EQ(f.brush, (Brush{kWhite, true}));
}

TEST(DrawSection, OutlineInStepOrderWithFilletsCounterClockwise)
{
    // origin (692, 450): 1385 * 0.5 = 692.5 rounds to the even 692.
    // xi = 139.5, s = 4.5, fillet centres (+-112.5, +-31.5), r = 27.
    Drawn d(he320a());
    const auto& it = d.pic.items;
    std::vector<Kind> kinds;
    for (std::size_t i = 1; i <= 10; ++i) kinds.push_back(it.at(i).kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Arc, Kind::Polyline, Kind::Arc, Kind::Polyline, Kind::Arc,
                                        Kind::Polyline, Kind::Arc, Kind::Polyline, Kind::Polyline, Kind::Polyline}));
    // upper right fillet: from below its centre to the right of it
    EXPECT_EQ(it[1].points, pts({{778, 392}, {832, 446}, {804, 446}, {832, 418}}));
    // right flange
    EXPECT_EQ(it[2].points, pts({{832, 418}, {832, 300}, {847, 300}, {847, 600}, {832, 600}, {832, 482}}));
    // lower right fillet: from the right of its centre to above it
    EXPECT_EQ(it[3].points, pts({{778, 454}, {832, 508}, {832, 482}, {804, 454}}));
    // lower web face
    EXPECT_EQ(it[4].points, pts({{804, 454}, {580, 454}}));
    // lower left fillet: from above its centre to the left of it
    EXPECT_EQ(it[5].points, pts({{552, 454}, {606, 508}, {580, 454}, {552, 482}}));
    // left flange
    EXPECT_EQ(it[6].points, pts({{552, 482}, {552, 600}, {537, 600}, {537, 300}, {552, 300}, {552, 418}}));
    // upper left fillet: from the left of its centre to below it
    EXPECT_EQ(it[7].points, pts({{552, 392}, {606, 446}, {552, 418}, {580, 446}}));
    // upper web face
    EXPECT_EQ(it[8].points, pts({{580, 446}, {804, 446}}));
    // concrete faces
    EXPECT_EQ(it[9].points, pts({{832, 300}, {552, 300}}));
    EXPECT_EQ(it[10].points, pts({{832, 600}, {552, 600}}));
    for (std::size_t i = 1; i <= 10; ++i) EXPECT_EQ(it[i].pen.color, kBlack);
}

// ---------------------------------------------------------------------------
// Rebars

TEST(DrawSection, FourBarsOnly)
{
    Drawn d(he320a());
    auto bars = ofKind(d.pic, Kind::Ellipse);
    ASSERT_EQ(bars.size(), 4u);
    // x = 139.5 - 40 = 99.5, y = 150 - 60 = 90, radius 10;
    // order (+x, +y), (+x, -y), (-x, -y), (-x, +y)
    EXPECT_EQ(bars[0]->points, pts({{782, 350}, {802, 370}}));
    EXPECT_EQ(bars[1]->points, pts({{782, 530}, {802, 550}}));
    EXPECT_EQ(bars[2]->points, pts({{582, 530}, {602, 550}}));
    EXPECT_EQ(bars[3]->points, pts({{582, 350}, {602, 370}}));
    for (const auto* b : bars) {
        EXPECT_EQ(b->pen.color, kRed);
        EXPECT_EQ(b->brush, (Brush{kRed, true}));
    }
}

TEST(DrawSection, SecondLayerGivesEightBarsAtTheSameDistanceFromTheFlange)
{
    auto s = he320a();
    s.AN1 = 8;
    s.UC2 = 100;
    Drawn d(s);
    auto bars = ofKind(d.pic, Kind::Ellipse);
    ASSERT_EQ(bars.size(), 8u);
    // second layer: y = 150 - 100 = 50
    EXPECT_EQ(bars[4]->points, pts({{782, 390}, {802, 410}}));
    EXPECT_EQ(bars[5]->points, pts({{782, 490}, {802, 510}}));
    EXPECT_EQ(bars[6]->points, pts({{582, 490}, {602, 510}}));
    EXPECT_EQ(bars[7]->points, pts({{582, 390}, {602, 410}}));
}

TEST(DrawSection, RowsInOrder)
{
    auto s = he320a();
    s.AN2 = 4;
    s.AN3 = 4;
    s.UF2 = 70;
    s.UF3 = 100;
    Drawn d(s);
    auto bars = ofKind(d.pic, Kind::Ellipse);
    ASSERT_EQ(bars.size(), 12u);
    // row 2: x = 139.5 - 70 = 69.5 -> 761.5 rounds to 762
    EXPECT_EQ(bars[4]->points, pts({{752, 350}, {772, 370}}));
    // row 3: x = 39.5
    EXPECT_EQ(bars[8]->points, pts({{722, 350}, {742, 370}}));
    EXPECT_EQ(textItem(d.pic, "Rebars: 12 x d = 20 mm")->points, pts({{30, 849}}));
}

TEST(DrawSection, BarsUseTheWorkingDiameterCaptionTheEnteredOne)
{
    auto s = he320a();
    s.AN1 = 8;
    s.UC2 = 100;
    s.dCalc = 16;
    s.d = 20;
    Drawn d(s);
    auto bars = ofKind(d.pic, Kind::Ellipse);
    ASSERT_EQ(bars.size(), 8u);
    for (const auto* b : bars) {
        EXPECT_EQ(b->points[1].x - b->points[0].x, 16);
        EXPECT_EQ(b->points[1].y - b->points[0].y, 16);
    }
    EXPECT_NE(textItem(d.pic, "Rebars: 8 x d = 20 mm"), nullptr);
}

// ---------------------------------------------------------------------------
// Dimensions

TEST(DrawSection, DimensionStyle)
{
    Drawn d(he320a());
    const auto* t = textItem(d.pic, "310.0");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->font, (Font{"Arial", 27, kBlack}));
    EXPECT_EQ(t->pen.color, kRed);
    EXPECT_FALSE(t->brush.solid);
}

TEST(DrawSection, TopDimensionGeometry)
{
    Drawn d(he320a());
    // after frame, 8 outline pieces, 2 concrete faces and 4 bars
    const auto& it = d.pic.items;
    std::size_t i = 15;
    // y = 150 + 150 = 300 -> 150; x1 = -155 -> 537, x2 = 155 -> 847
    EXPECT_EQ(it.at(i).points, pts({{537, 140}, {537, 160}, {537, 140}}));
    EXPECT_EQ(it.at(i + 1).points, pts({{547, 140}, {537, 150}, {547, 160}, {537, 150}}));
    EXPECT_EQ(it.at(i + 2).points, pts({{537, 150}, {847, 150}}));
    EXPECT_EQ(it.at(i + 3).points, pts({{837, 140}, {847, 150}, {837, 160}, {847, 150}}));
    EXPECT_EQ(it.at(i + 4).points, pts({{847, 140}, {847, 160}, {847, 140}}));
    const auto& t = it.at(i + 5);
    EXPECT_EQ(t.kind, Kind::Text);
    EXPECT_EQ(t.text, "310.0");
    EXPECT_EQ(t.points, pts({{692, 160}}));
    EXPECT_EQ(t.halign, HAlign::Center);
    EXPECT_EQ(t.valign, VAlign::Top);
    for (std::size_t j = i; j < i + 5; ++j) EXPECT_EQ(it[j].pen.color, kRed);
}

TEST(DrawSection, LeftDimensionGeometry)
{
    Drawn d(he320a());
    const auto* t = textItem(d.pic, "300.0");
    ASSERT_NE(t, nullptr);
    auto idx = static_cast<std::size_t>(t - d.pic.items.data());
    const auto& it = d.pic.items;
    // x = -280 -> 412, y1 = 150 -> 300, y2 = -150 -> 600
    EXPECT_EQ(it[idx - 5].points, pts({{422, 300}, {402, 300}, {422, 300}}));
    EXPECT_EQ(it[idx - 4].points, pts({{402, 310}, {412, 300}, {422, 310}, {412, 300}}));
    EXPECT_EQ(it[idx - 3].points, pts({{412, 300}, {412, 600}}));
    EXPECT_EQ(it[idx - 2].points, pts({{402, 590}, {412, 600}, {422, 590}, {412, 600}}));
    EXPECT_EQ(it[idx - 1].points, pts({{402, 600}, {422, 600}, {402, 600}}));
    // right of the line, centred: 450 - 27 / 2 (13)
    EXPECT_EQ(t->points, pts({{422, 437}}));
    EXPECT_EQ(t->halign, HAlign::Left);
    EXPECT_EQ(t->valign, VAlign::Top);
}

TEST(DrawSection, FourBarsBottomChainRestWithStaggerOff)
{
    Drawn d(he320a());
    // y = -300: flag off -> Y(-310) = 760, flag on -> Y(-300 - 27) = 777
    const auto* tf = textItem(d.pic, "15.5");
    const auto* uf1 = textItem(d.pic, "40.0");
    const auto* rest = textItem(d.pic, "99.5");
    ASSERT_TRUE(tf && uf1 && rest);
    EXPECT_EQ(tf->points, pts({{545, 760}}));     // (-155 + -139.5) / 2 = -147.25
    EXPECT_EQ(uf1->points, pts({{572, 777}}));    // -119.5
    EXPECT_EQ(rest->points, pts({{642, 760}}));   // -49.75
    EXPECT_EQ(texts(d.pic), (std::vector<std::string>{"310.0", "15.5", "40.0", "99.5", "300.0", "60.0", "85.5", "9.0",
                                                      "Steel-Profile: HE 320 A", "Rebars: 4 x d = 20 mm"}));
}

TEST(DrawSection, BottomChainStaggersAlternately)
{
    auto s = he320a();
    s.AN2 = 4;
    s.AN3 = 4;
    s.AN4 = 4;
    s.UF2 = 60;
    s.UF3 = 85;
    s.UF4 = 110;
    Drawn d(s);
    auto t = texts(d.pic);
    ASSERT_EQ(t.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(t.begin() + 1, t.begin() + 7),
              (std::vector<std::string>{"15.5", "40.0", "20.0", "25.0", "25.0", "29.5"}));
    auto items = ofKind(d.pic, Kind::Text);
    // tf off, UF1 on, then off, on, off, and the rest on
    std::vector<int> ys;
    for (int i = 1; i <= 6; ++i) ys.push_back(items[static_cast<std::size_t>(i)]->points[0].y);
    EXPECT_EQ(ys, (std::vector<int>{760, 777, 760, 777, 760, 777}));
    // UF2 - UF1 spans from -155 + 15.5 + 40 to -155 + 15.5 + 60
    auto idx = static_cast<std::size_t>(items[3] - d.pic.items.data());
    EXPECT_EQ(d.pic.items[idx - 3].points, pts({{592, 750}, {612, 750}}));  // x rounded from 592.5 and 612.5, y = -300
}

TEST(DrawSection, SecondLayerRightChain)
{
    auto s = he320a();
    s.AN1 = 8;
    s.UC2 = 100;
    Drawn d(s);
    EXPECT_EQ(texts(d.pic), (std::vector<std::string>{"310.0", "15.5", "40.0", "99.5", "300.0", "60.0", "40.0", "45.5",
                                                      "9.0", "Steel-Profile: HE 320 A", "Rebars: 8 x d = 20 mm"}));
    auto items = ofKind(d.pic, Kind::Text);
    // x = 155 + 125 = 280 -> text at X(290) = 982; centres 120, 70, 27.25, 0
    EXPECT_EQ(items[5]->points, pts({{982, 330 - 13}}));
    EXPECT_EQ(items[6]->points, pts({{982, 380 - 13}}));
    EXPECT_EQ(items[7]->points, pts({{982, 423 - 13}}));   // 422.75 rounds to 423
    EXPECT_EQ(items[8]->points, pts({{982, 450 - 13}}));
    // the tw dimension runs from the upper to the lower web face
    auto idx = static_cast<std::size_t>(items[8] - d.pic.items.data());
    EXPECT_EQ(d.pic.items[idx - 3].points, pts({{972, 446}, {972, 454}}));
}

TEST(DrawSection, DimensionValuesUseTheDecimalSeparator)
{
    Drawn d(he320a(), ",");
    EXPECT_NE(textItem(d.pic, "15,5"), nullptr);
    EXPECT_NE(textItem(d.pic, "310,0"), nullptr);
}

// ---------------------------------------------------------------------------
// Captions

TEST(DrawSection, Captions)
{
    auto s = he320a();
    s.AN1 = 8;
    s.UC2 = 100;
    Drawn d(s);
    auto items = ofKind(d.pic, Kind::Text);
    ASSERT_GE(items.size(), 2u);
    const auto* c1 = items[items.size() - 2];
    const auto* c2 = items[items.size() - 1];
    EXPECT_EQ(c1->text, "Steel-Profile: HE 320 A");
    EXPECT_EQ(c2->text, "Rebars: 8 x d = 20 mm");
    // font height 34 units = 34 points; lines 2 * 34 * 1.2 = 81.6 -> 82 and 40.8 -> 41 above the bottom
    EXPECT_EQ(c1->points, pts({{30, 900 - 10 - 82}}));
    EXPECT_EQ(c2->points, pts({{30, 900 - 10 - 41}}));
    for (const auto* c : {c1, c2}) {
        EXPECT_EQ(c->font, (Font{"Arial", 34, kBlack}));
        EXPECT_EQ(c->halign, HAlign::Left);
        EXPECT_EQ(c->valign, VAlign::Top);
    }
}

// The captions take their words from the language; the rebar line keeps its ": " in every one.
TEST(DrawSection, CaptionsInEachLanguage)
{
    const std::pair<int, std::vector<std::string>> cases[] = {
        {kEnglish, {"Steel-Profile: HE 320 A", "Rebars: 4 x d = 20 mm"}},
        {kFrench, {"Profilé en acier : HE 320 A", "Armatures: 4 x d = 20 mm"}},
        {kGerman, {"Stahlprofil: HE 320 A", "Bewehrung: 4 x d = 20 mm"}},
    };
    for (const auto& [base, captions] : cases) {
        RecordingSink sink;
        TextEnv env;
        env.sink = &sink;
        env.languageBase = base;
        Picture pic;
        DrawSection(env, pic, he320a());
        const auto t = texts(pic);
        ASSERT_GE(t.size(), 2u);
        EXPECT_EQ(std::vector<std::string>(t.end() - 2, t.end()), captions) << base;
    }
}

TEST(DrawSection, NoRebarCaptionWithoutBars)
{
    auto s = he320a();
    s.AN1 = 0;
    Drawn d(s);
    auto t = texts(d.pic);
    EXPECT_EQ(t.back(), "Steel-Profile: HE 320 A");
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
        if (p.kind == Kind::Text) {
            ++texts;
            EXPECT_TRUE(p.text.empty());   // the words come from the labelling only
        }
    ASSERT_EQ(fig.labels.size(), texts);
    for (const FigureLabel& l : fig.labels)
        EXPECT_EQ(fig.picture.items.at(l.item).kind, Kind::Text);
    // the first dimension is the profile height, the left one its width
    EXPECT_EQ(fig.labels.front().value, s.h);
    const auto widths = std::count_if(fig.labels.begin(), fig.labels.end(),
                                      [&](const FigureLabel& l) { return l.value == s.b; });
    EXPECT_GE(widths, 1);
    // labelling writes every text, and the geometry stays as drawn
    const Picture pic = labelled(TextEnv{}, fig);
    for (std::size_t i = 0; i < pic.items.size(); ++i) {
        EXPECT_EQ(pic.items[i].points, fig.picture.items[i].points);
        if (pic.items[i].kind == Kind::Text) {
            EXPECT_FALSE(pic.items[i].text.empty());
        }
    }
}

TEST(DrawSection, NonFiniteValueIsACalculationErrorAndKeepsThePicture)
{
    Drawn d(he320a());
    auto before = d.pic.items.size();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    auto s = he320a();
    s.h = nan;
    EXPECT_THROW(DrawSection(d.env, d.pic, s), CalculationError);
    s = he320a();
    s.dCalc = inf;
    EXPECT_THROW(DrawSection(d.env, d.pic, s), CalculationError);
    s = he320a();
    s.AN2 = 4;
    s.UF2 = nan;
    EXPECT_THROW(DrawSection(d.env, d.pic, s), CalculationError);
    s = he320a();
    s.b = 1e300;   // a picture no coordinate can hold
    EXPECT_THROW(DrawSection(d.env, d.pic, s), CalculationError);
    EXPECT_EQ(d.pic.items.size(), before);
    EXPECT_EQ(d.pic.width, 1385);

    // an unused value does not matter
    s = he320a();
    s.UF3 = nan;
    s.UC2 = inf;
    EXPECT_NO_THROW(DrawSection(d.env, d.pic, s));
}

// ---------------------------------------------------------------------------
// SVG

std::size_t countOf(const std::string& hay, const std::string& needle)
{
    std::size_t n = 0;
    for (auto p = hay.find(needle); p != std::string::npos; p = hay.find(needle, p + 1)) ++n;
    return n;
}

// A small structural check: every element closed in order, attribute values
// quoted, no raw '<' or '&' in content.
bool balancedXml(const std::string& s)
{
    std::vector<std::string> open;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == '&') {
            auto semi = s.find(';', i);
            if (semi == std::string::npos || semi - i > 8) return false;
            i = semi + 1;
            continue;
        }
        if (s[i] != '<') {
            ++i;
            continue;
        }
        if (s.compare(i, 2, "<?") == 0) {
            auto e = s.find("?>", i);
            if (e == std::string::npos) return false;
            i = e + 2;
            continue;
        }
        bool closing = s[i + 1] == '/';
        std::size_t j = i + (closing ? 2 : 1);
        std::size_t nameEnd = s.find_first_of(" />\n", j);
        if (nameEnd == std::string::npos) return false;
        std::string name = s.substr(j, nameEnd - j);
        // scan to the end of the tag, skipping quoted values
        std::size_t k = nameEnd;
        bool selfClosing = false;
        while (k < s.size() && s[k] != '>') {
            if (s[k] == '"') {
                auto q = s.find('"', k + 1);
                if (q == std::string::npos) return false;
                if (s.substr(k + 1, q - k - 1).find('<') != std::string::npos) return false;
                k = q + 1;
                continue;
            }
            if (s[k] == '/') selfClosing = true;
            ++k;
        }
        if (k >= s.size()) return false;
        if (closing) {
            if (open.empty() || open.back() != name) return false;
            open.pop_back();
        } else if (!selfClosing) {
            open.push_back(name);
        }
        i = k + 1;
    }
    return open.empty();
}

TEST(Svg, DocumentOfTheDrawing)
{
    auto s = he320a();
    s.AN1 = 8;
    s.UC2 = 100;
    Drawn d(s);
    std::string svg = pictureToSvg(d.pic);
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"", 0), 0u);
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"1385\" height=\"900\" "
                       "viewBox=\"0 0 1385 900\">"),
              std::string::npos);
    EXPECT_EQ(countOf(svg, "<rect "), 1u);
    EXPECT_EQ(countOf(svg, "<path "), 4u);
    EXPECT_EQ(countOf(svg, "<ellipse "), 8u);
    EXPECT_EQ(countOf(svg, "<text "), ofKind(d.pic, Kind::Text).size());
    EXPECT_EQ(countOf(svg, "<polyline "), ofKind(d.pic, Kind::Polyline).size());
    EXPECT_NE(svg.find("fill=\"#ff0000\" stroke=\"#ff0000\""), std::string::npos);
    EXPECT_NE(svg.find(">Rebars: 8 x d = 20 mm</text>"), std::string::npos);
    // top-aligned texts: baseline one ascent below the reference point, '.' in numbers
    EXPECT_NE(svg.find("<text x=\"692\" y=\"184.435\" text-anchor=\"middle\" font-family=\"Arial\" font-size=\"27\" fill=\"#000000\""),
              std::string::npos);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    EXPECT_TRUE(balancedXml(svg));
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
    EXPECT_TRUE(balancedXml(svg));
}

TEST(Svg, WellFormedForAnXmlParser)
{
    if (std::system("python3 -c \"import xml.etree.ElementTree\" >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not available";
    auto s = he320a();
    s.profileName = "HE <300> & \"B\"";
    s.AN1 = 8;
    s.AN2 = 4;
    s.UF2 = 80;
    s.UC2 = 100;
    Drawn d(s);
    std::string path = testing::TempDir() + "qeln_section_drawing_" + std::to_string(getpid()) + ".svg";
    {
        std::ofstream f(path, std::ios::binary);
        f << pictureToSvg(d.pic);
    }
    std::string cmd = "python3 -c \"import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).getroot(); "
                      "n = '{http://www.w3.org/2000/svg}'; "
                      "t = [e.text for e in r.iter(n + 'text')]; "
                      "sys.exit(0 if r.tag == n + 'svg' and r.get('viewBox') == '0 0 1385 900' "
                      "and 'Steel-Profile: HE <300> & \\\"B\\\"' in t and len(list(r.iter(n + 'ellipse'))) == 12 "
                      "else 1)\" '" +
                      path + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    std::remove(path.c_str());
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
    EXPECT_TRUE(balancedXml(svg));
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
