// The section drawing over a spread of catalogue sections: its texts apart
// and clear of every line, every element and caption present, the section
// filling its frame; and the text layout helpers it is built on.
#include "calc/env1994/design.h"
#include "present/drawing.h"
#include "present/format.h"
#include "calc/env1994/member.h"
#include "present/picture.h"
#include "present/textlayout.h"
#include "present/texts.h"

#include "picture_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace qeln {

using namespace env1994;
namespace {

using Kind = Primitive::Kind;
using test::expectInsidePage;
using test::ofKind;

struct Case {
    const char* name;   // test name suffix
    const char* profile;
    double h, b, tw, tf, r;
    int n1, n2;
    double d, uc1, uf1;
    double e1, e2;
    Language language;
    const char* sep;
};

std::ostream& operator<<(std::ostream& o, const Case& c) { return o << c.profile; }

// The drawing's input as the design run hands it over (rows by LayoutRebarRows).
SectionDrawing drawingOf(const Case& c)
{
    ColumnInput in;
    in.profileName = c.profile;
    in.h = c.h;
    in.b = c.b;
    in.tw = c.tw;
    in.tf = c.tf;
    in.r = c.r;
    in.n1 = c.n1;
    in.n2 = c.n2;
    in.d = c.d;
    in.uc1 = c.uc1;
    in.uf1 = c.uf1;
    in.e1 = c.e1;
    in.e2 = c.e2;
    RebarLayout rows;
    LayoutRebarRows(rows, c.n1, c.n2, c.h, c.d, c.uf1, c.tf);
    return sectionDrawingOf(in, rows, c.d);
}

Picture draw(const Case& c)
{
    TextEnv env;
    env.language = c.language;
    env.decimalSeparator = c.sep;
    Picture pic;
    DrawSection(env, pic, drawingOf(c));
    return pic;
}

int countText(const Picture& pic, const std::string& t)
{
    return static_cast<int>(std::count_if(pic.items.begin(), pic.items.end(),
                                          [&](const Primitive& p) { return p.kind == Kind::Text && p.text == t; }));
}

std::string describe(const Picture& pic, std::size_t i)
{
    const Primitive& p = pic.items.at(i);
    std::string s = "item " + std::to_string(i);
    if (p.kind == Kind::Text) s += " '" + p.text + "'";
    if (!p.points.empty()) s += " at " + std::to_string(p.points[0].x) + "," + std::to_string(p.points[0].y);
    return s;
}

// Every text apart from the others and clear of every line; a failure names both items.
void expectTextsClear(const Picture& pic, const std::string& which = "")
{
    for (auto [i, j] : overlappingTexts(pic))
        ADD_FAILURE() << which << describe(pic, i) << " overlaps " << describe(pic, j);
    for (auto [t, l] : textsCrossingLines(pic))
        ADD_FAILURE() << which << describe(pic, t) << " is crossed by " << describe(pic, l);
}

class SectionDrawingLayout : public testing::TestWithParam<Case> {};

const Case kCases[] = {
    // name          profile                 h     b    tw    tf    r  n1 n2   d  uc1  uf1   e1   e2  language sep
    {"IPE240", "IPE 240", 240, 120, 6.2, 9.8, 15, 4, 0, 12, 30, 30, 0, 0, Language::English, "."},
    {"IPE240Ecc", "IPE 240", 240, 120, 6.2, 9.8, 15, 8, 0, 12, 30, 30, 20, -40, Language::German, ","},
    {"IPE600", "IPE 600", 600, 220, 12, 19, 24, 12, 0, 20, 50, 50, 50, 0, Language::French, ","},
    {"HE100A", "HE 100 A", 96, 100, 5, 8, 12, 4, 0, 12, 25, 25, 0, 30, Language::English, "."},
    {"HE320A", "HE 320 A", 310, 300, 9, 15.5, 27, 4, 0, 20, 60, 60, 0, 0, Language::English, "."},
    {"HE320ASecondLayer", "HE 320 A", 310, 300, 9, 15.5, 27, 8, 4, 20, 60, 40, 50, 30, Language::German, ","},
    {"HE500B", "HE 500 B", 500, 300, 14.5, 28, 27, 8, 4, 25, 50, 50, -50, 100, Language::French, ","},
    {"HE600M", "HE 600 M", 620, 305, 21, 40, 27, 16, 0, 20, 50, 50, 0, 0, Language::German, ","},
    {"HE1000M", "HE 1000 M", 1008, 302, 21, 40, 30, 16, 4, 25, 50, 50, 100, 200, Language::English, "."},
    {"HD400", "HD 400 x 187", 368, 391, 15, 24, 15, 12, 4, 32, 60, 60, 150, 0, Language::German, ","},
    {"HL1100A", "HL 1100 A", 1090, 400, 18, 31, 20, 12, 0, 25, 60, 60, 0, 500, Language::French, ","},
    {"W1100", "W 1100 x 400 x 433", 1108, 402, 22, 40, 20, 16, 4, 32, 70, 70, -200, -540, Language::German, ","},
    {"W1100Axial", "W 1100 x 400 x 433", 1108, 402, 22, 40, 20, 4, 0, 16, 50, 50, 0, 0, Language::English, "."},
};

// Texts apart, clear of every line and inside the frame; every element and
// caption; the steel filling the room the frame leaves it, in one direction
// or the other.
TEST_P(SectionDrawingLayout, TextsApartEveryElementAndTheSectionFillingItsFrame)
{
    const Case& c = GetParam();
    const SectionDrawing s = drawingOf(c);
    const Picture pic = draw(c);
    TextEnv env;
    env.language = c.language;
    env.decimalSeparator = c.sep;
    auto mm1 = [&](double v) { return formatFixed(v, 1, c.sep); };

    // frame, the two fills under the outline, four fillets, the bars (and the load point)
    ASSERT_FALSE(pic.items.empty());
    EXPECT_EQ(pic.items[0].kind, Kind::Rectangle);
    const auto fills = ofKind(pic, Kind::Polygon);
    ASSERT_GE(fills.size(), 2u);
    EXPECT_TRUE(fills[0]->brush.solid && fills[1]->brush.solid);
    auto lightness = [](Rgb k) { return k.r + k.g + k.b; };
    EXPECT_GT(lightness(fills[0]->brush.color), 600);   // concrete: light
    EXPECT_LT(lightness(fills[1]->brush.color), 350);   // steel: dark
    EXPECT_GT(fills[1]->points.size(), 12u);            // the outline with its root fillets
    EXPECT_EQ(ofKind(pic, Kind::Arc).size(), 4u);
    const bool eccentric = c.e1 != 0 || c.e2 != 0;
    const int bars = s.AN1 + s.AN2 + s.AN3 + s.AN4;
    EXPECT_EQ(static_cast<int>(ofKind(pic, Kind::Ellipse).size()), bars + (eccentric ? 1 : 0));
    // arrow heads: one per eccentricity that is not zero
    EXPECT_EQ(fills.size(), 2u + (c.e1 != 0) + (c.e2 != 0));

    // the axes by their names at both ends
    EXPECT_EQ(countText(pic, "y"), 2);
    EXPECT_EQ(countText(pic, "z"), 2);

    // dimensions and captions
    for (double v : {s.h, s.b, s.tf, s.uc1, s.tw, s.UF1})
        EXPECT_GE(countText(pic, mm1(v)), 1) << mm1(v);
    EXPECT_EQ(countText(pic, env.text(134) + " " + c.profile), 1);
    EXPECT_EQ(countText(pic, env.text(144) + ": " + std::to_string(bars) + " x d = " + formatFixed(c.d, 0, c.sep) +
                                 " mm"),
              1);
    EXPECT_EQ(countText(pic, "e1 = " + formatFixed(c.e1, 0, c.sep) + " mm"), c.e1 != 0 ? 1 : 0);
    EXPECT_EQ(countText(pic, "e2 = " + formatFixed(c.e2, 0, c.sep) + " mm"), c.e2 != 0 ? 1 : 0);

    // texts apart and clear, everything inside the frame
    expectTextsClear(pic);
    expectInsidePage(pic);

    // the steel fills its frame, centred across
    int left = pic.width, right = 0, top = pic.height, bottom = 0;
    for (Point p : fills[1]->points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const double wide = double(right - left) / pic.width, high = double(bottom - top) / pic.height;
    EXPECT_TRUE(std::fabs(wide - 0.66) < 0.005 || std::fabs(high - 320.0 / 650) < 0.005) << wide << " " << high;
    EXPECT_GE(std::max(wide, high), 0.45);
    EXPECT_NEAR((left + right) / 2.0, pic.width / 2.0, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SectionDrawingLayout, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

// Every section of the catalogue with four or eight bars, with and without a
// second layer, alternately with and without eccentricities, in English and
// German: texts apart and clear.
TEST(SectionDrawingLayout, WholeCatalogue)
{
    std::ifstream f(std::string(QELN_SOURCE_DIR) + "/data/profiles.csv");
    ASSERT_TRUE(f) << "data/profiles.csv";
    std::string line;
    std::getline(f, line);   // the header
    int drawn = 0;
    while (std::getline(f, line)) {
        std::vector<std::string> field;
        std::size_t start = 0;
        for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
            field.push_back(line.substr(start, comma - start));
        ASSERT_GE(field.size(), 6u) << line;
        Case c{"", field[0].c_str(), std::stod(field[1]), std::stod(field[2]), std::stod(field[3]),
               std::stod(field[4]), std::stod(field[5]), 4, 0, 20, 50, 50, 0, 0, Language::English, "."};
        if (c.b < 150) c.d = 12, c.uc1 = c.uf1 = 30;
        for (int n1 : {4, 8, 0, 1}) {
            // 0 and 1: four and eight bars with a second layer, where it lies between the flange tip and the web
            c.n2 = n1 < 4 ? 4 : 0;
            c.n1 = n1 < 4 ? 4 * (n1 + 1) : n1;
            const double UC2 = c.d > 20 ? c.uc1 + 2 * c.d : c.uc1 + c.d + 20;
            if (c.n2 > 0 && UC2 + c.d / 2 >= c.b / 2 - c.tw / 2) continue;
            const bool odd = drawn % 2 != 0;
            c.e1 = odd ? 50 : 0;
            c.e2 = odd ? -30 : 0;
            c.language = odd ? Language::German : Language::English;
            c.sep = odd ? "," : ".";
            const Picture pic = draw(c);
            ++drawn;
            expectTextsClear(pic, std::string(c.profile) + " n1 " + std::to_string(c.n1) + " n2 " +
                                      std::to_string(c.n2) + ": ");
        }
    }
    EXPECT_GT(drawn, 1500);
}

// The same figure labelled in each language keeps its geometry as drawn and
// writes every text; only the texts move.
TEST(SectionDrawingLayout, LanguagesShareTheGeometry)
{
    const SectionFigure fig = figureOf(drawingOf(kCases[5]));
    for (Language base : kLanguages) {
        TextEnv env;
        env.language = base;
        const Picture p = labelled(env, fig);
        ASSERT_EQ(p.items.size(), fig.picture.items.size());
        for (std::size_t i = 0; i < p.items.size(); ++i)
            if (p.items[i].kind == Kind::Text) {
                EXPECT_FALSE(p.items[i].text.empty()) << i;
            } else {
                EXPECT_EQ(p.items[i].points, fig.picture.items[i].points) << i;
            }
        expectTextsClear(p);
    }
}

// A large eccentricity is drawn to just beyond the section and keeps its value.
TEST(SectionDrawingLayout, EccentricityBeyondTheSectionStopsAtItsEdge)
{
    Case c = kCases[4];
    c.e2 = 1000;
    c.e1 = -1000;
    const Picture pic = draw(c);
    EXPECT_EQ(countText(pic, "e2 = 1000 mm"), 1);
    EXPECT_EQ(countText(pic, "e1 = -1000 mm"), 1);
    expectInsidePage(pic);
    // the load point: right (e2 > 0) and below (e1 < 0) the centre
    const auto dots = ofKind(pic, Kind::Ellipse);
    const Primitive* load = dots.back();
    EXPECT_GT(load->points[0].x, pic.width / 2);
    EXPECT_GT(load->points[0].y, pic.items[1].points[0].y);
}

// ---------------------------------------------------------------------------
// Layout helpers

Segment seg(double x1, double y1, double x2, double y2) { return {x1, y1, x2, y2, 0}; }

TEST(TextLayout, SegmentCrossingABox)
{
    const TextBox b{10, 10, 20, 20};
    struct Row {
        Segment s;
        bool crosses;
    };
    const Row rows[] = {
        {seg(0, 15, 30, 15), true},     // straight through
        {seg(12, 12, 14, 14), true},    // wholly inside
        {seg(0, 0, 30, 30), true},      // the diagonal
        {seg(0, 25, 30, 25), false},    // below
        {seg(21, 0, 21, 30), false},    // right of it
        {seg(0, 0, 9, 30), false},      // slanted past the left side
        {seg(0, 29, 29, 0), true},      // cuts the lower right corner region
        {seg(0, 41, 41, 0), false},     // passes the corner outside
        {seg(15, 15, 15, 15), true},    // a point inside
        {seg(20, 0, 20, 9), false},     // ends short of the top
        {seg(20, 0, 20, 10), true},     // touches the corner
    };
    for (const Row& r : rows)
        EXPECT_EQ(crosses(b, r.s), r.crosses) << r.s.x1 << "," << r.s.y1 << " " << r.s.x2 << "," << r.s.y2;
}

TEST(TextLayout, LinesOfEveryKindOfPrimitive)
{
    Picture pic;
    pic.width = pic.height = 200;
    Canvas c(pic);
    c.rectangle(0, 0, 200, 200);                       // 4 edges
    c.moveTo(10, 10);
    c.lineTo(50, 10);
    c.lineTo(50, 50);                                  // 2
    c.polygon({{60, 60}, {80, 60}, {70, 80}});         // 3, closed
    c.ellipse(100, 100, 120, 120);                     // chords
    c.arc(100, 0, 140, 40, 120, 40, 140, 20);          // a quarter, counter-clockwise
    c.textOut(5, 5, "no lines");
    const auto segs = lineSegments(pic);
    auto of = [&](std::size_t item) {
        return std::count_if(segs.begin(), segs.end(), [&](const Segment& s) { return s.item == item; });
    };
    EXPECT_EQ(of(0), 4);
    EXPECT_EQ(of(1), 2);
    EXPECT_EQ(of(2), 3);
    EXPECT_GE(of(3), 8);
    EXPECT_GE(of(4), 2);
    EXPECT_EQ(of(5), 0);
    // the arc runs from the bottom (120, 40) counter-clockwise to the right (140, 20): its chords stay in that quarter
    for (const Segment& s : segs)
        if (s.item == 4) {
            EXPECT_GE(std::min(s.x1, s.x2), 119.9);
            EXPECT_GE(std::min(s.y1, s.y2), 19.9);
        }
}

TEST(TextLayout, PlacerTakesTheFirstFreePlaceAndElseTheLeastCrowded)
{
    Picture pic;
    pic.width = 400;
    pic.height = 200;
    Canvas c(pic);
    c.moveTo(0, 100);
    c.lineTo(400, 100);   // a line across the middle
    c.font.height = 20;
    c.textOut(0, 0, "12.5");
    c.textOut(0, 0, "12.5");
    TextPlacer placer(pic, TextBox{0, 0, 400, 200}, 2);
    placer.keepOut(TextBox{0, 0, 100, 60});
    const std::vector<TextAnchor> where{
        {{200, 95}, HAlign::Center, VAlign::Top},      // crosses the line
        {{50, 10}, HAlign::Center, VAlign::Top},       // kept out
        {{390, 10}, HAlign::Left, VAlign::Top},        // outside the frame
        {{200, 60}, HAlign::Center, VAlign::Top},      // free
        {{200, 130}, HAlign::Center, VAlign::Top},
    };
    EXPECT_EQ(placer.place(pic.items[1], where), 3u);
    EXPECT_EQ(pic.items[1].points[0], (Point{200, 60}));
    // the same places again: the free one is taken now, the next is free
    EXPECT_EQ(placer.place(pic.items[2], where), 4u);
    EXPECT_TRUE(overlappingTexts(pic).empty());
    EXPECT_TRUE(textsCrossingLines(pic).empty());
    // nothing free: the least crowded place (the frame counts most)
    Primitive t = pic.items[2];
    EXPECT_EQ(placer.place(t, {where[2], where[0]}), 1u);
}

} // namespace
} // namespace qeln
