// The section drawing: picture size, outline, rebars, dimension chains,
// captions, the canvas recording and the SVG writer.
#include "present/drawing.h"
#include "present/messages.h"
#include "present/picture.h"
#include "present/texts.h"

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

// The mapping of the HE 320 A drawing: the frame is 1000 x 650, of which 660
// across and 320 down are left to the section (the rest holds dimensions and
// captions); the 300 mm flange width governs: 320 / 300 units per mm, centre
// (500, 115 + 160). Coordinates round halves to even.
struct Map {
    double x0 = 500, y0 = 275, s = 320.0 / 300;
    int X(double x) const { return static_cast<int>(std::nearbyint(x0 + s * x)); }
    int Y(double y) const { return static_cast<int>(std::nearbyint(y0 - s * y)); }
    Point P(double x, double y) const { return {X(x), Y(y)}; }
    // an arc of radius r round (cx, cy) from (sx, sy) to (ex, ey)
    std::vector<Point> arc(double cx, double cy, double r, double sx, double sy, double ex, double ey) const
    {
        return {P(cx - r, cy + r), P(cx + r, cy - r), P(sx, sy), P(ex, ey)};
    }
};
const Map kHe320a;

std::size_t indexOf(const Picture& pic, const Primitive* p) { return static_cast<std::size_t>(p - pic.items.data()); }

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

// The frame is the same for every section (the section is scaled to fill it),
// and so are the font heights.
TEST(DrawSection, FixedFrameAndFontHeights)
{
    auto small = he320a();
    small.h = 100;
    small.b = 100;
    small.tf = 10;
    small.tw = 6;
    small.r = 12;
    small.uc1 = 30;
    small.UF1 = 20;
    auto deep = he320a();
    deep.h = 1000;
    for (const SectionDrawing& s : {small, he320a(), deep}) {
        Drawn d(s);
        EXPECT_EQ(d.pic.width, 1000);
        EXPECT_EQ(d.pic.height, 650);
        for (const Primitive* t : ofKind(d.pic, Kind::Text)) {
            const bool caption = t->text.rfind("Steel-Profile: ", 0) == 0 || t->text.rfind("Rebars: ", 0) == 0;
            const bool axis = t->text == "y" || t->text == "z";
            EXPECT_EQ(t->font.height, caption || axis ? 28 : 26) << t->text;
        }
        EXPECT_NE(textItem(d.pic, "Rebars: 4 x d = 20 mm"), nullptr);
        EXPECT_TRUE(d.sink.messages.empty());
    }
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
    EXPECT_EQ(f.points, pts({{0, 0}, {1000, 650}}));
    EXPECT_EQ(f.pen.color, kBlack);
    EXPECT_EQ(f.brush, (Brush{kWhite, true}));
}

TEST(DrawSection, FillsUnderTheOutline)
{
    // xi = 139.5: the concrete between the inner faces of the flanges, light;
    // the steel over it, dark, its outline with the root fillets as chords
    Drawn d(he320a());
    const auto& m = kHe320a;
    const auto& concrete = d.pic.items.at(1);
    ASSERT_EQ(concrete.kind, Kind::Polygon);
    EXPECT_EQ(concrete.points, (std::vector<Point>{m.P(-139.5, 150), m.P(139.5, 150), m.P(139.5, -150),
                                                   m.P(-139.5, -150)}));
    const auto& steel = d.pic.items.at(2);
    ASSERT_EQ(steel.kind, Kind::Polygon);
    EXPECT_TRUE(concrete.brush.solid && steel.brush.solid);
    EXPECT_EQ(concrete.pen.color, concrete.brush.color);   // no outline of their own
    EXPECT_EQ(steel.pen.color, steel.brush.color);
    EXPECT_GT(concrete.brush.color.r + concrete.brush.color.g + concrete.brush.color.b, 600);
    EXPECT_LT(steel.brush.color.r + steel.brush.color.g + steel.brush.color.b, 350);
    // the flange corners, then the lower right fillet from the flange to the web
    ASSERT_GE(steel.points.size(), 8u);
    EXPECT_EQ(steel.points[0], m.P(155, 150));
    EXPECT_EQ(steel.points[1], m.P(155, -150));
    EXPECT_EQ(steel.points[2], m.P(139.5, -150));
    EXPECT_EQ(steel.points[3], m.P(139.5, -31.5));
    EXPECT_EQ(steel.points.back(), m.P(139.5, 150));
    // every corner lies on the profile: inside its bounding box
    for (Point p : steel.points) {
        EXPECT_GE(p.x, m.X(-155));
        EXPECT_LE(p.x, m.X(155));
        EXPECT_GE(p.y, m.Y(150));
        EXPECT_LE(p.y, m.Y(-150));
    }
}

TEST(DrawSection, OutlineInStepOrderWithFilletsCounterClockwise)
{
    // xi = 139.5, s = 4.5, fillet centres (+-112.5, +-31.5), r = 27.
    Drawn d(he320a());
    const auto& m = kHe320a;
    const auto& it = d.pic.items;
    std::vector<Kind> kinds;
    for (std::size_t i = 3; i <= 12; ++i) kinds.push_back(it.at(i).kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Arc, Kind::Polyline, Kind::Arc, Kind::Polyline, Kind::Arc,
                                        Kind::Polyline, Kind::Arc, Kind::Polyline, Kind::Polyline, Kind::Polyline}));
    // upper right fillet: from below its centre to the right of it
    EXPECT_EQ(it[3].points, m.arc(112.5, 31.5, 27, 112.5, 4.5, 139.5, 31.5));
    // right flange
    EXPECT_EQ(it[4].points, (std::vector<Point>{m.P(139.5, 31.5), m.P(139.5, 150), m.P(155, 150), m.P(155, -150),
                                                m.P(139.5, -150), m.P(139.5, -31.5)}));
    // lower right fillet: from the right of its centre to above it
    EXPECT_EQ(it[5].points, m.arc(112.5, -31.5, 27, 139.5, -31.5, 112.5, -4.5));
    // lower web face
    EXPECT_EQ(it[6].points, (std::vector<Point>{m.P(112.5, -4.5), m.P(-112.5, -4.5)}));
    // lower left fillet: from above its centre to the left of it
    EXPECT_EQ(it[7].points, m.arc(-112.5, -31.5, 27, -112.5, -4.5, -139.5, -31.5));
    // left flange
    EXPECT_EQ(it[8].points, (std::vector<Point>{m.P(-139.5, -31.5), m.P(-139.5, -150), m.P(-155, -150),
                                                m.P(-155, 150), m.P(-139.5, 150), m.P(-139.5, 31.5)}));
    // upper left fillet: from the left of its centre to below it
    EXPECT_EQ(it[9].points, m.arc(-112.5, 31.5, 27, -139.5, 31.5, -112.5, 4.5));
    // upper web face
    EXPECT_EQ(it[10].points, (std::vector<Point>{m.P(-112.5, 4.5), m.P(112.5, 4.5)}));
    // concrete faces
    EXPECT_EQ(it[11].points, (std::vector<Point>{m.P(139.5, 150), m.P(-139.5, 150)}));
    EXPECT_EQ(it[12].points, (std::vector<Point>{m.P(139.5, -150), m.P(-139.5, -150)}));
    for (std::size_t i = 3; i <= 12; ++i) EXPECT_EQ(it[i].pen.color, kBlack);
}

// y-y, the strong axis, across the flanges through the centre (vertical);
// z-z, the weak axis, along the web; dash-dot, each named at both ends.
TEST(DrawSection, AxesThroughTheCentreNamedAtTheirEnds)
{
    Drawn d(he320a());
    const auto& m = kHe320a;
    int vertical = 0, horizontal = 0, top = d.pic.height, bottom = 0, left = d.pic.width, right = 0;
    const Rgb axis = textItem(d.pic, "y")->font.color;
    for (const Primitive& p : d.pic.items) {
        if (p.kind != Kind::Polyline || p.pen.color != axis) continue;
        ASSERT_EQ(p.points.size(), 2u);
        if (p.points[0].x == p.points[1].x) {
            EXPECT_EQ(p.points[0].x, m.X(0));
            ++vertical;
            top = std::min({top, p.points[0].y, p.points[1].y});
            bottom = std::max({bottom, p.points[0].y, p.points[1].y});
        } else {
            EXPECT_EQ(p.points[0].y, m.Y(0));
            ++horizontal;
            left = std::min({left, p.points[0].x, p.points[1].x});
            right = std::max({right, p.points[0].x, p.points[1].x});
        }
    }
    EXPECT_GT(vertical, 10);     // dashes and dots
    EXPECT_GT(horizontal, 10);
    // beyond the section by 15 units at each end
    EXPECT_EQ(top, m.Y(150) - 15);
    EXPECT_EQ(bottom, m.Y(-150) + 15);
    EXPECT_EQ(left, m.X(-155) - 15);
    EXPECT_GE(right, m.X(155) + 15 - 4);   // the last gap may fall at the end
    std::vector<const Primitive*> ys, zs;
    for (const Primitive* t : ofKind(d.pic, Kind::Text)) {
        if (t->text == "y") ys.push_back(t);
        if (t->text == "z") zs.push_back(t);
    }
    ASSERT_EQ(ys.size(), 2u);
    ASSERT_EQ(zs.size(), 2u);
    EXPECT_LT(textBox(*ys[0]).bottom, top);      // above the upper end
    EXPECT_GE(textBox(*ys[1]).top, bottom);      // below the lower end, or beside it (the chain ends there)
    EXPECT_LT(textBox(*zs[0]).right, left);      // left of the left end
    EXPECT_GT(textBox(*zs[1]).left, right);      // right of the right end
}

// e2 (about the strong axis) moves the load along the height, e1 (about the
// weak axis) along the flange width; each arrow from the centre to the load
// point, with its value; none without eccentricity.
TEST(DrawSection, EccentricityArrowsAlongTheirAxes)
{
    {
        Drawn d(he320a());
        EXPECT_EQ(ofKind(d.pic, Kind::Polygon).size(), 2u);   // the fills only
        for (const Primitive* t : ofKind(d.pic, Kind::Text)) EXPECT_EQ(t->text.find("e1"), std::string::npos);
    }
    auto s = he320a();
    s.e1 = -50;
    s.e2 = 30;
    Drawn d(s, ",");
    const auto& m = kHe320a;
    const auto heads = ofKind(d.pic, Kind::Polygon);
    ASSERT_EQ(heads.size(), 4u);
    // arrow heads point at (e2, 0) and (0, e1)
    EXPECT_EQ(heads[2]->points[0], m.P(30, 0));
    EXPECT_EQ(heads[3]->points[0], m.P(0, -50));
    const auto* e2 = textItem(d.pic, "e2 = 30 mm");
    const auto* e1 = textItem(d.pic, "e1 = -50 mm");
    ASSERT_TRUE(e1 && e2);
    EXPECT_EQ(e1->font.color, heads[3]->brush.color);
    // the load point: a dot at (e2, e1)
    const auto dot = ofKind(d.pic, Kind::Ellipse).back();
    EXPECT_EQ(dot->points, pts({{m.X(30) - 6, m.Y(-50) - 6}, {m.X(30) + 6, m.Y(-50) + 6}}));
    s.e1 = 12.5;
    Drawn half(s, ",");
    EXPECT_NE(textItem(half.pic, "e1 = 12,5 mm"), nullptr);
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
    const auto& m = kHe320a;
    EXPECT_EQ(bars[0]->points, (std::vector<Point>{m.P(89.5, 100), m.P(109.5, 80)}));
    EXPECT_EQ(bars[1]->points, (std::vector<Point>{m.P(89.5, -80), m.P(109.5, -100)}));
    EXPECT_EQ(bars[2]->points, (std::vector<Point>{m.P(-109.5, -80), m.P(-89.5, -100)}));
    EXPECT_EQ(bars[3]->points, (std::vector<Point>{m.P(-109.5, 100), m.P(-89.5, 80)}));
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
    const auto& m = kHe320a;
    EXPECT_EQ(bars[4]->points, (std::vector<Point>{m.P(89.5, 60), m.P(109.5, 40)}));
    EXPECT_EQ(bars[5]->points, (std::vector<Point>{m.P(89.5, -40), m.P(109.5, -60)}));
    EXPECT_EQ(bars[6]->points, (std::vector<Point>{m.P(-109.5, -40), m.P(-89.5, -60)}));
    EXPECT_EQ(bars[7]->points, (std::vector<Point>{m.P(-109.5, 60), m.P(-89.5, 40)}));
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
    // row 2: x = 139.5 - 70 = 69.5; row 3: x = 39.5
    const auto& m = kHe320a;
    EXPECT_EQ(bars[4]->points, (std::vector<Point>{m.P(59.5, 100), m.P(79.5, 80)}));
    EXPECT_EQ(bars[8]->points, (std::vector<Point>{m.P(29.5, 100), m.P(49.5, 80)}));
    EXPECT_EQ(textItem(d.pic, "Rebars: 12 x d = 20 mm")->points, pts({{30, 611}}));
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
        EXPECT_NEAR(b->points[1].x - b->points[0].x, 16 * kHe320a.s, 1);
        EXPECT_NEAR(b->points[1].y - b->points[0].y, 16 * kHe320a.s, 1);
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
    EXPECT_EQ(t->font, (Font{"Arial", 26, kBlack}));
    EXPECT_EQ(t->pen.color, kRed);
    EXPECT_FALSE(t->brush.solid);
}

TEST(DrawSection, TopDimensionGeometry)
{
    Drawn d(he320a());
    const auto* t = textItem(d.pic, "310.0");
    ASSERT_NE(t, nullptr);
    const auto i = indexOf(d.pic, t) - 5;
    const auto& it = d.pic.items;
    // 60 units above the flange tips (Y(150) = 115): 55; x1 = -155 -> 335, x2 = 155 -> 665
    EXPECT_EQ(it.at(i).points, pts({{335, 45}, {335, 65}, {335, 45}}));
    EXPECT_EQ(it.at(i + 1).points, pts({{345, 45}, {335, 55}, {345, 65}, {335, 55}}));
    EXPECT_EQ(it.at(i + 2).points, pts({{335, 55}, {665, 55}}));
    EXPECT_EQ(it.at(i + 3).points, pts({{655, 45}, {665, 55}, {655, 65}, {665, 55}}));
    EXPECT_EQ(it.at(i + 4).points, pts({{665, 45}, {665, 65}, {665, 45}}));
    // the text above the line, centred, clear of the ticks
    EXPECT_EQ(t->points, pts({{500, 55 - 15}}));
    EXPECT_EQ(t->halign, HAlign::Center);
    EXPECT_EQ(t->valign, VAlign::Bottom);
    for (std::size_t j = i; j < i + 5; ++j) EXPECT_EQ(it[j].pen.color, kRed);
}

TEST(DrawSection, LeftDimensionGeometry)
{
    Drawn d(he320a());
    const auto* t = textItem(d.pic, "300.0");
    ASSERT_NE(t, nullptr);
    auto idx = indexOf(d.pic, t);
    const auto& it = d.pic.items;
    // x = X(-155) - 60 = 275, y1 = 150 -> 115, y2 = -150 -> 435
    EXPECT_EQ(it[idx - 5].points, pts({{285, 115}, {265, 115}, {285, 115}}));
    EXPECT_EQ(it[idx - 4].points, pts({{265, 125}, {275, 115}, {285, 125}, {275, 115}}));
    EXPECT_EQ(it[idx - 3].points, pts({{275, 115}, {275, 435}}));
    EXPECT_EQ(it[idx - 2].points, pts({{265, 425}, {275, 435}, {285, 425}, {275, 435}}));
    EXPECT_EQ(it[idx - 1].points, pts({{265, 435}, {285, 435}, {265, 435}}));
    // left of the line (outside), centred on it: 275 - 26 * 0.5585 (15)
    EXPECT_EQ(t->points, pts({{275 - 14, 260}}));
    EXPECT_EQ(t->halign, HAlign::Right);
    EXPECT_EQ(t->valign, VAlign::Top);
}

// The bottom chain's texts lie below its line, in the order drawn, apart.
TEST(DrawSection, FourBarsBottomChainRest)
{
    Drawn d(he320a());
    EXPECT_EQ(texts(d.pic), (std::vector<std::string>{"y", "y", "z", "z", "310.0", "15.5", "40.0", "99.5", "300.0",
                                                      "60.0", "85.5", "9.0", "Steel-Profile: HE 320 A",
                                                      "Rebars: 4 x d = 20 mm"}));
    const int line = kHe320a.Y(-150) + 60;
    for (const char* v : {"15.5", "40.0", "99.5"}) {
        const auto* t = textItem(d.pic, v);
        ASSERT_NE(t, nullptr);
        EXPECT_GT(textBox(*t).top, kHe320a.Y(-150) + 15) << v;   // below the section and the axis' end
        EXPECT_EQ(d.pic.items.at(indexOf(d.pic, t) - 3).points.at(0).y, line) << v;
    }
    // the rest, long enough, centred under its dimension
    EXPECT_EQ(textItem(d.pic, "99.5")->points, pts({{(kHe320a.X(-99.5) + kHe320a.X(0)) / 2, line + 15}}));
    // tf, wider than its dimension, beside the chain's start, centred on the
    // line; the next under its own dimension
    const auto* tf = textItem(d.pic, "15.5");
    EXPECT_EQ(tf->points, pts({{kHe320a.X(-155) - 14, line - 15}}));
    EXPECT_EQ(tf->halign, HAlign::Right);
    EXPECT_EQ(textItem(d.pic, "40.0")->points, pts({{(kHe320a.X(-139.5) + kHe320a.X(-99.5)) / 2, line + 15}}));
    EXPECT_TRUE(overlappingTexts(d.pic).empty());
}

TEST(DrawSection, BottomChainOfFourRows)
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
    ASSERT_EQ(t.size(), 17u);
    EXPECT_EQ(std::vector<std::string>(t.begin() + 5, t.begin() + 11),
              (std::vector<std::string>{"15.5", "40.0", "20.0", "25.0", "25.0", "29.5"}));
    // UF2 - UF1 spans from -155 + 15.5 + 40 to -155 + 15.5 + 60
    auto items = ofKind(d.pic, Kind::Text);
    auto idx = indexOf(d.pic, items[7]);
    const int line = kHe320a.Y(-150) + 60;
    EXPECT_EQ(d.pic.items[idx - 3].points, pts({{kHe320a.X(-99.5), line}, {kHe320a.X(-79.5), line}}));
    EXPECT_TRUE(overlappingTexts(d.pic).empty());
}

TEST(DrawSection, SecondLayerRightChain)
{
    auto s = he320a();
    s.AN1 = 8;
    s.UC2 = 100;
    Drawn d(s);
    EXPECT_EQ(texts(d.pic), (std::vector<std::string>{"y", "y", "z", "z", "310.0", "15.5", "40.0", "99.5", "300.0",
                                                      "60.0", "40.0", "45.5", "9.0", "Steel-Profile: HE 320 A",
                                                      "Rebars: 8 x d = 20 mm"}));
    auto items = ofKind(d.pic, Kind::Text);
    // x = X(155) + 60 = 725: the texts right of it, clear of the ticks
    for (std::size_t i = 9; i <= 12; ++i) {
        EXPECT_EQ(items[i]->points[0].x, 725 + 14) << items[i]->text;
        EXPECT_EQ(items[i]->halign, HAlign::Left);
    }
    // the first, uc1, centred on its dimension: (115 + 179) / 2 - 15
    EXPECT_EQ(items[9]->points[0].y, (kHe320a.Y(150) + kHe320a.Y(90)) / 2 - 15);
    // the tw dimension runs from the upper to the lower web face
    auto idx = indexOf(d.pic, items[12]);
    EXPECT_EQ(d.pic.items[idx - 3].points, pts({{725, kHe320a.Y(4.5)}, {725, kHe320a.Y(-4.5)}}));
    EXPECT_TRUE(overlappingTexts(d.pic).empty());
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
    // font height 28 units; lines 2 * 28 * 1.2 = 67.2 -> 67 and 33.6 -> 34 above the bottom
    EXPECT_EQ(c1->points, pts({{30, 650 - 5 - 67}}));
    EXPECT_EQ(c2->points, pts({{30, 650 - 5 - 34}}));
    for (const auto* c : {c1, c2}) {
        EXPECT_EQ(c->font, (Font{"Arial", 28, kBlack}));
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
        if (p.kind == Kind::Text) ++texts;
    ASSERT_EQ(fig.labels.size(), texts);
    for (const FigureLabel& l : fig.labels) {
        EXPECT_EQ(fig.picture.items.at(l.item).kind, Kind::Text);
        // the words come from the labelling, except the fixed axis names
        EXPECT_EQ(fig.picture.items.at(l.item).text.empty(), l.kind != FigureLabel::Kind::Fixed);
    }
    // the first dimension is the profile height, the left one its width
    const auto firstDimension = std::find_if(fig.labels.begin(), fig.labels.end(), [](const FigureLabel& l) {
        return l.kind == FigureLabel::Kind::Dimension;
    });
    ASSERT_NE(firstDimension, fig.labels.end());
    EXPECT_EQ(firstDimension->value, s.h);
    const auto widths = std::count_if(fig.labels.begin(), fig.labels.end(),
                                      [&](const FigureLabel& l) { return l.value == s.b; });
    EXPECT_GE(widths, 1);
    // labelling writes every text and places it; the geometry stays as drawn
    const Picture pic = labelled(TextEnv{}, fig);
    for (std::size_t i = 0; i < pic.items.size(); ++i) {
        if (pic.items[i].kind == Kind::Text) {
            EXPECT_FALSE(pic.items[i].text.empty());
        } else {
            EXPECT_EQ(pic.items[i].points, fig.picture.items[i].points);
        }
    }
}

TEST(DrawSection, NonFiniteValueIsADrawingErrorAndKeepsThePicture)
{
    Drawn d(he320a());
    auto before = d.pic.items.size();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    auto s = he320a();
    s.h = nan;
    EXPECT_THROW(DrawSection(d.env, d.pic, s), DrawingError);
    s = he320a();
    s.dCalc = inf;
    EXPECT_THROW(DrawSection(d.env, d.pic, s), DrawingError);
    s = he320a();
    s.AN2 = 4;
    s.UF2 = nan;
    EXPECT_THROW(DrawSection(d.env, d.pic, s), DrawingError);
    s = he320a();
    s.e1 = nan;
    EXPECT_THROW(DrawSection(d.env, d.pic, s), DrawingError);
    s = he320a();
    s.dCalc = 1e300;   // bars no coordinate can hold
    EXPECT_THROW(DrawSection(d.env, d.pic, s), DrawingError);
    EXPECT_EQ(d.pic.items.size(), before);
    EXPECT_EQ(d.pic.width, 1000);
    // a huge section is scaled into the frame like any other
    s = he320a();
    s.b = 1e300;
    EXPECT_NO_THROW(DrawSection(d.env, d.pic, s));

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
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"1000\" height=\"650\" "
                       "viewBox=\"0 0 1000 650\">"),
              std::string::npos);
    EXPECT_EQ(countOf(svg, "<rect "), 1u);
    EXPECT_EQ(countOf(svg, "<path "), 4u);
    EXPECT_EQ(countOf(svg, "<ellipse "), 8u);
    EXPECT_EQ(countOf(svg, "<text "), ofKind(d.pic, Kind::Text).size());
    EXPECT_EQ(countOf(svg, "<polyline "), ofKind(d.pic, Kind::Polyline).size());
    EXPECT_NE(svg.find("fill=\"#ff0000\" stroke=\"#ff0000\""), std::string::npos);
    EXPECT_NE(svg.find(">Rebars: 8 x d = 20 mm</text>"), std::string::npos);
    // bottom-aligned texts: baseline one descent above the reference point (500, 40)
    EXPECT_NE(svg.find("<text x=\"500\" y=\"34.488\" text-anchor=\"middle\" font-family=\"Arial\" font-size=\"26\" "
                       "fill=\"#000000\" xml:space=\"preserve\">310.0<"),
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
                      "sys.exit(0 if r.tag == n + 'svg' and r.get('viewBox') == '0 0 1000 650' "
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
