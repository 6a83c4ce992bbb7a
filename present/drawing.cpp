#include "drawing.h"

#include "format.h"
#include "messages.h"

#include "calc/numeric.h"
#include "calc/section.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <utility>

namespace qeln {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kConcrete{226, 224, 216};   // light: the concrete between the flanges
constexpr Rgb kSteel{86, 94, 108};        // dark: the steel profile
constexpr Rgb kAxis{0, 80, 200};          // the axes y-y and z-z
constexpr Rgb kLoad{205, 95, 0};          // the load point and its eccentricities

// The picture is a fixed frame; the section is scaled to fill it. All sizes
// below are picture units (the renderers scale the frame to their area).
constexpr int kWidth = 1000;
constexpr int kHeight = 650;
constexpr int kDimensionFont = 26;
constexpr int kCaptionFont = 28;
constexpr int kAxisFont = 28;
constexpr int kLoadFont = 20;   // the eccentricities, inside the section
// Mark size of the dimension lines (ticks and arrows).
constexpr int kMark = 10;
// Distance of the dimension lines from the section.
constexpr int kDimensionOffset = 60;
// Gap between a dimension line and its text: clear of the ticks.
constexpr int kTextGap = kMark + 5;
// How far the axes reach beyond the section.
constexpr int kAxisOverhang = 15;
// Room around the section: dimension lines and their texts left and right;
// above, the top dimension and its text; below, the bottom chain with two
// text rows and the two caption lines.
constexpr int kSideRoom = 170;
constexpr int kTopRoom = 115;
constexpr int kBottomRoom = 215;
// Texts keep this far from lines and the frame, and further from each other.
constexpr double kClearance = 3;
constexpr double kTextSpacing = 6;

// Picture coordinates stay well inside int; anything beyond is a fault of
// the values handed in, as is a value that is not finite.
constexpr double kMaxCoordinate = 1e9;

double finite(double v, const char* what)
{
    if (!std::isfinite(v)) throw DrawingError(std::string("Section drawing: ") + what + " is not finite");
    return v;
}

int toInt(double v, const char* what)
{
    finite(v, what);
    if (std::fabs(v) > kMaxCoordinate) throw DrawingError(std::string("Section drawing: ") + what + " is out of range");
    return static_cast<int>(roundHalfEven(v));
}

// Height of a line of text, and the offset from a text's top to its middle.
int lineStep(int font) { return toInt(font * 1.2, "a text line"); }
int halfText(int font) { return toInt(font * 0.5585, "a text line"); }

// Model (x, y) in mm, origin at the centre of the section and y pointing up,
// to picture (x0 + s x, y0 - s y), rounded to whole units.
struct Mapping {
    double x0 = 0, y0 = 0, s = 1;
    int X(double x) const { return toInt(x0 + s * x, "a picture coordinate"); }
    int Y(double y) const { return toInt(y0 - s * y, "a picture coordinate"); }
    Point P(double x, double y) const { return {X(x), Y(y)}; }
};

void polyline(Canvas& c, std::initializer_list<Point> pts)
{
    bool first = true;
    for (Point p : pts) {
        if (first) c.moveTo(p.x, p.y);
        else c.lineTo(p.x, p.y);
        first = false;
    }
}

// A dimension from (X1, Y) to (X2, Y), picture units: ticks, arrows, line.
void horizontalDimension(Canvas& c, int X1, int X2, int Y, int k)
{
    polyline(c, {{X1, Y - k}, {X1, Y + k}, {X1, Y - k}});
    polyline(c, {{X1 + k, Y - k}, {X1, Y}, {X1 + k, Y + k}, {X1, Y}});
    polyline(c, {{X1, Y}, {X2, Y}});
    polyline(c, {{X2 - k, Y - k}, {X2, Y}, {X2 - k, Y + k}, {X2, Y}});
    polyline(c, {{X2, Y - k}, {X2, Y + k}, {X2, Y - k}});
}

// A dimension from (X, Y1) to (X, Y2), picture units.
void verticalDimension(Canvas& c, int X, int Y1, int Y2, int k)
{
    polyline(c, {{X + k, Y1}, {X - k, Y1}, {X + k, Y1}});
    polyline(c, {{X - k, Y1 + k}, {X, Y1}, {X + k, Y1 + k}, {X, Y1}});
    polyline(c, {{X, Y1}, {X, Y2}});
    polyline(c, {{X - k, Y2 - k}, {X, Y2}, {X + k, Y2 - k}, {X, Y2}});
    polyline(c, {{X - k, Y2}, {X + k, Y2}, {X - k, Y2}});
}

// Places for the text of a horizontal dimension, `out` = +1 when the outside
// of the drawing is below the line, -1 above: centred rows going outwards,
// beside the ends, and last the inside of the line.
std::vector<TextAnchor> horizontalCandidates(int X1, int X2, int Y, int out, int font, double textW,
                                             bool endsOnAxis)
{
    const int xm = (X1 + X2) / 2, left = std::min(X1, X2), right = std::max(X1, X2);
    // rows one text box and the spacing between texts apart
    const int step = static_cast<int>(std::ceil(font * 1.117 + kTextSpacing));
    const VAlign away = out > 0 ? VAlign::Top : VAlign::Bottom;
    auto row = [&](int level) { return Y + out * (kTextGap + level * step); };
    auto beside = [&](int level) { return level == 0 ? Y - halfText(font) : row(level) - (out > 0 ? 0 : step); };
    std::vector<TextAnchor> c;
    // a text wider than its dimension goes beside it first, as drawn by hand
    const bool narrow = textW + 2 * kClearance >= right - left;
    if (!narrow) c.push_back({{xm, row(0)}, HAlign::Center, away});
    c.push_back({{left - kMark - 4, beside(0)}, HAlign::Right, VAlign::Top});
    // (not beyond an end on the y axis: its name goes there)
    if (!endsOnAxis) c.push_back({{right + kMark + 4, beside(0)}, HAlign::Left, VAlign::Top});
    if (narrow) c.push_back({{xm, row(0)}, HAlign::Center, away});
    c.push_back({{xm, row(1)}, HAlign::Center, away});
    c.push_back({{xm, row(2)}, HAlign::Center, away});
    for (int level = 1; level <= 2; ++level) {
        c.push_back({{left - 2, beside(level)}, HAlign::Right, VAlign::Top});
        c.push_back({{right + 2, beside(level)}, HAlign::Left, VAlign::Top});
    }
    c.push_back({{xm, row(3)}, HAlign::Center, away});
    const VAlign toward = out > 0 ? VAlign::Bottom : VAlign::Top;
    c.push_back({{xm, Y - out * kTextGap}, HAlign::Center, toward});
    c.push_back({{xm, Y - out * (kTextGap + step)}, HAlign::Center, toward});
    return c;
}

// Places for the text of a vertical dimension, `out` = +1 when the outside
// is right of the line, -1 left: beside its middle, then moved up and down
// in half lines, then the inside.
std::vector<TextAnchor> verticalCandidates(int X, int Y1, int Y2, int out, int font)
{
    const int ym = (Y1 + Y2) / 2 - halfText(font);
    const int half = lineStep(font) / 2;
    std::vector<TextAnchor> c;
    for (int side : {out, -out}) {
        const TextAnchor base{{X + side * (kMark + 4), ym}, side > 0 ? HAlign::Left : HAlign::Right, VAlign::Top};
        c.push_back(base);
        for (int shift = 1; shift <= 4; ++shift)
            for (int dir : {-1, 1}) {
                TextAnchor a = base;
                a.at.y += dir * shift * half;
                c.push_back(a);
            }
    }
    return c;
}

// Places for a short text at the end (X, Y) of a line going in direction
// (dx, dy) (unit steps in picture axes): straight beyond the end, then to
// either side of it.
std::vector<TextAnchor> endCandidates(int X, int Y, int dx, int dy, int font)
{
    const int g = 6, mid = Y - halfText(font);
    std::vector<TextAnchor> c;
    if (dy < 0) c.push_back({{X, Y - g}, HAlign::Center, VAlign::Bottom});
    if (dy > 0) c.push_back({{X, Y + g}, HAlign::Center, VAlign::Top});
    if (dx < 0) c.push_back({{X - g - 1, mid}, HAlign::Right, VAlign::Top});
    if (dx > 0) c.push_back({{X + g + 1, mid}, HAlign::Left, VAlign::Top});
    for (int k = 0; k <= 4; ++k) {
        const int d = g + 2 + 8 * k;
        if (dx == 0) {
            c.push_back({{X + d, dy < 0 ? Y - font : Y}, HAlign::Left, VAlign::Top});
            c.push_back({{X - d, dy < 0 ? Y - font : Y}, HAlign::Right, VAlign::Top});
        } else {
            c.push_back({{X, Y - d}, HAlign::Center, VAlign::Bottom});
            c.push_back({{X, Y + d}, HAlign::Center, VAlign::Top});
        }
    }
    return c;
}

// A dash-dot centre line from a to b (picture units, horizontal or vertical).
void centreLine(Canvas& c, Point a, Point b)
{
    constexpr int kDash = 18, kGap = 4, kDot = 3;
    const int len = std::abs(b.x - a.x) + std::abs(b.y - a.y);
    const int dx = b.x > a.x ? 1 : b.x < a.x ? -1 : 0, dy = b.y > a.y ? 1 : b.y < a.y ? -1 : 0;
    auto at = [&](int t) { return Point{a.x + dx * t, a.y + dy * t}; };
    int t = 0;
    bool dash = true;
    while (t < len) {
        const int e = std::min(len, t + (dash ? kDash : kDot));
        const Point p = at(t), q = at(e);
        c.moveTo(p.x, p.y);
        c.lineTo(q.x, q.y);
        t = e + kGap;
        dash = !dash;
    }
}

// An arrow from a to b with a filled head at b (picture units).
void arrow(Canvas& c, Point a, Point b)
{
    constexpr double kHead = 16, kHalfWidth = 6;
    const double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    if (len < 1) return;
    const double ux = dx / len, uy = dy / len;
    const double bx = b.x - ux * std::min(kHead, len), by = b.y - uy * std::min(kHead, len);
    c.moveTo(a.x, a.y);
    c.lineTo(toInt(bx, "an arrow"), toInt(by, "an arrow"));
    c.polygon({b, {toInt(bx - uy * kHalfWidth, "an arrow"), toInt(by + ux * kHalfWidth, "an arrow")},
               {toInt(bx + uy * kHalfWidth, "an arrow"), toInt(by - ux * kHalfWidth, "an arrow")}});
}

// Corners of the steel profile's outline with its root fillets as chords,
// counter-clockwise in the model.
std::vector<Point> profileOutline(const Mapping& m, double h, double b, double tw, double tf, double r)
{
    const double xi = h / 2 - tf, sw = tw / 2;
    std::vector<Point> pts;
    auto add = [&](double x, double y) {
        const Point p = m.P(x, y);
        if (pts.empty() || !(pts.back() == p)) pts.push_back(p);
    };
    auto fillet = [&](double cx, double cy, double fromDeg) {
        constexpr int kSteps = 6;
        for (int i = 0; i <= kSteps; ++i) {
            const double t = (fromDeg + 90.0 * i / kSteps) * std::numbers::pi / 180.0;
            add(cx + r * std::cos(t), cy + r * std::sin(t));
        }
    };
    add(h / 2, b / 2);
    add(h / 2, -b / 2);
    add(xi, -b / 2);
    fillet(xi - r, -(sw + r), 0);
    fillet(-(xi - r), -(sw + r), 90);
    add(-xi, -b / 2);
    add(-h / 2, -b / 2);
    add(-h / 2, b / 2);
    add(-xi, b / 2);
    fillet(-(xi - r), sw + r, 180);
    fillet(xi - r, sw + r, 270);
    add(xi, b / 2);
    return pts;
}

TextBox boxOf(Point a, Point b)
{
    return {double(std::min(a.x, b.x)), double(std::min(a.y, b.y)), double(std::max(a.x, b.x)),
            double(std::max(a.y, b.y))};
}

std::string eccentricityText(double e, const std::string& sep)
{
    const bool whole = std::fabs(e - std::round(e)) < 1e-9;
    return formatFixed(e, whole ? 0 : 1, sep) + " mm";
}

} // namespace

SectionFigure figureOf(const SectionDrawing& s)
{
    const double h = finite(s.h, "h"), b = finite(s.b, "b"), tw = finite(s.tw, "tw"), tf = finite(s.tf, "tf"),
                 r = finite(s.r, "r");
    const double uc1 = finite(s.uc1, "uc1"), dCalc = finite(s.dCalc, "dCalc"), d = finite(s.d, "d");
    const double UF1 = finite(s.UF1, "UF1");
    const double UF2 = s.AN2 > 0 ? finite(s.UF2, "UF2") : s.UF2;
    const double UF3 = s.AN3 > 0 ? finite(s.UF3, "UF3") : s.UF3;
    const double UF4 = s.AN4 > 0 ? finite(s.UF4, "UF4") : s.UF4;
    const bool secondLayer = s.AN1 > 4;
    const double UC2 = secondLayer ? finite(s.UC2, "UC2") : s.UC2;
    const double e1 = finite(s.e1, "e1"), e2 = finite(s.e2, "e2");

    SectionFigure fig;
    Picture& out = fig.picture;
    // A text whose words the labelling writes: the last item recorded.
    auto label = [&](FigureLabel::Kind kind, double value, std::vector<TextAnchor> where) {
        fig.labels.push_back({out.items.size() - 1, kind, value, std::string(), std::move(where)});
    };

    // 1. fixed frame; the section's scale fills the room left for it
    const int W = kWidth, H = kHeight;
    out.width = W;
    out.height = H;
    const double roomX = W - 2.0 * kSideRoom, roomY = double(H - kTopRoom - kBottomRoom);
    const double scale = std::min(roomX / std::max(h, 1.0), roomY / std::max(b, 1.0));
    const Mapping m{W * 0.5, kTopRoom + roomY / 2, scale};

    Canvas c(out);

    // 2. frame, canvas defaults: black pen, white solid fill
    c.rectangle(0, 0, W, H);

    const double xi = h / 2 - tf;   // inner face of the flange
    const double sw = tw / 2;       // web face

    // 3. fills: the concrete between the flanges, the steel over it
    c.pen.color = kConcrete;
    c.brush = Brush{kConcrete, true};
    c.polygon({m.P(-xi, b / 2), m.P(xi, b / 2), m.P(xi, -b / 2), m.P(-xi, -b / 2)});
    c.pen.color = kSteel;
    c.brush = Brush{kSteel, true};
    c.polygon(profileOutline(m, h, b, tw, tf, r));
    fig.keepOut.push_back(boxOf(m.P(-h / 2, b / 2), m.P(-xi, -b / 2)));
    fig.keepOut.push_back(boxOf(m.P(xi, b / 2), m.P(h / 2, -b / 2)));
    fig.keepOut.push_back(boxOf(m.P(-xi, sw), m.P(xi, -sw)));
    c.brush = Brush{};

    // 4. profile outline
    c.pen.color = kBlack;
    auto fillet = [&](double cx, double cy, double sx, double sy, double ex, double ey) {
        c.arc(m.X(cx - r), m.Y(cy + r), m.X(cx + r), m.Y(cy - r), m.X(sx), m.Y(sy), m.X(ex), m.Y(ey));
    };
    auto line = [&](std::initializer_list<std::pair<double, double>> pts) {
        bool first = true;
        for (auto [x, y] : pts) {
            if (first) c.moveTo(m.X(x), m.Y(y));
            else c.lineTo(m.X(x), m.Y(y));
            first = false;
        }
    };
    fillet(xi - r, sw + r, xi - r, sw, xi, sw + r);
    line({{xi, sw + r}, {xi, b / 2}, {h / 2, b / 2}, {h / 2, -b / 2}, {xi, -b / 2}, {xi, -(sw + r)}});
    fillet(xi - r, -(sw + r), xi, -(sw + r), xi - r, -sw);
    line({{xi - r, -sw}, {-(xi - r), -sw}});
    fillet(-(xi - r), -(sw + r), -(xi - r), -sw, -xi, -(sw + r));
    line({{-xi, -(sw + r)}, {-xi, -b / 2}, {-h / 2, -b / 2}, {-h / 2, b / 2}, {-xi, b / 2}, {-xi, sw + r}});
    fillet(-(xi - r), sw + r, -xi, sw + r, -(xi - r), sw);
    line({{-(xi - r), sw}, {xi - r, sw}});

    // 5. concrete faces between the flange tips
    line({{xi, b / 2}, {-xi, b / 2}});
    line({{xi, -b / 2}, {-xi, -b / 2}});

    // 6. rebars, groups of four
    c.pen.color = kRed;
    c.brush = Brush{kRed, true};
    auto group = [&](double x, double y) {
        const double rad = dCalc / 2;
        for (auto [sx, sy] : {std::pair{1, 1}, {1, -1}, {-1, -1}, {-1, 1}}) {
            const Point p = m.P(sx * x - rad, sy * y + rad), q = m.P(sx * x + rad, sy * y - rad);
            c.ellipse(p.x, p.y, q.x, q.y);
            fig.keepOut.push_back(boxOf(p, q));
        }
    };
    group(xi - UF1, b / 2 - uc1);
    if (s.AN2 > 0) group(xi - UF2, b / 2 - uc1);
    if (s.AN3 > 0) group(xi - UF3, b / 2 - uc1);
    if (s.AN4 > 0) group(xi - UF4, b / 2 - uc1);
    if (secondLayer) group(xi - UF1, b / 2 - UC2);

    // 7. axes: y-y (strong) across the flanges through the centre, z-z (weak)
    //    along the web, each named at both ends
    const Point top = m.P(0, b / 2), bottom = m.P(0, -b / 2), left = m.P(-h / 2, 0), right = m.P(h / 2, 0);
    const Point yTop{top.x, top.y - kAxisOverhang}, yBottom{bottom.x, bottom.y + kAxisOverhang};
    const Point zLeft{left.x - kAxisOverhang, left.y}, zRight{right.x + kAxisOverhang, right.y};
    c.brush = Brush{};
    c.brush.solid = false;
    c.pen.color = kAxis;
    centreLine(c, yTop, yBottom);
    centreLine(c, zLeft, zRight);
    c.font = Font{"Arial", kAxisFont, kAxis};
    auto axisName = [&](const char* name, Point end, int dx, int dy) {
        c.textOut(end.x, end.y, name);
        label(FigureLabel::Kind::Fixed, 0, endCandidates(end.x, end.y, dx, dy, kAxisFont));
    };
    axisName("y", yTop, 0, -1);
    axisName("y", yBottom, 0, 1);
    axisName("z", zLeft, -1, 0);
    axisName("z", zRight, 1, 0);

    // 8. the load point and its eccentricities: e2 along the height (about
    //    the strong axis y-y), e1 along the flange width (about the weak axis
    //    z-z); an arrow longer than the section stops just beyond it
    if (e1 != 0 || e2 != 0) {
        const double reachX = h / 2 + kAxisOverhang / scale, reachY = b / 2 + kAxisOverhang / scale;
        const double ex = std::clamp(e2, -reachX, reachX), ey = std::clamp(e1, -reachY, reachY);
        const Point o = m.P(0, 0), load = m.P(ex, ey);
        c.font = Font{"Arial", kLoadFont, kLoad};
        c.pen = Pen{kLoad, 3, false};
        c.brush = Brush{kLoad, true};
        // the eccentricities are written inside the section where they fit
        const TextBox section = boxOf(m.P(-h / 2, b / 2), m.P(h / 2, -b / 2));
        auto eLabel = [&](const char* name, double value, std::vector<TextAnchor> where) {
            Primitive trial;
            trial.kind = Primitive::Kind::Text;
            trial.font = c.font;
            trial.text = std::string(name) + " = " + eccentricityText(value, ".");
            // places inside the section first, those reaching out of it last
            std::stable_partition(where.begin(), where.end(), [&](const TextAnchor& a) {
                trial.points = {a.at};
                trial.halign = a.halign;
                trial.valign = a.valign;
                const TextBox t = textBox(trial);
                return t.left >= section.left && t.right <= section.right && t.top >= section.top &&
                       t.bottom <= section.bottom;
            });
            c.brush.solid = false;
            c.textOut(where.front().at.x, where.front().at.y, std::string());
            label(FigureLabel::Kind::Eccentricity, value, std::move(where));
            fig.labels.back().name = name;
        };
        constexpr int step = 5;   // fine steps: the inside of a section is crowded
        if (e2 != 0) {
            const Point tip{load.x, o.y};
            c.brush.solid = true;
            arrow(c, o, tip);
            std::vector<TextAnchor> where;
            const int xm = (o.x + tip.x) / 2;
            // in rows above and below the arrow: centred on it, or starting
            // clear of the y axis on either side; then further from the axis
            const int side = tip.x > o.x ? 1 : -1;
            for (int far = 0; far <= 1; ++far)
                for (int level = 0; level <= 40; ++level)
                    for (int dir : {-1, 1}) {
                        const int y = o.y + dir * (6 + level * step);
                        const VAlign v = dir < 0 ? VAlign::Bottom : VAlign::Top;
                        if (!far) where.push_back({{xm, y}, HAlign::Center, v});
                        for (int k = far; k <= (far ? 8 : 0); ++k)
                            for (int sd : {side, -side})
                                where.push_back(
                                    {{o.x + sd * (4 + k * 15), y}, sd > 0 ? HAlign::Left : HAlign::Right, v});
                    }
            eLabel("e2", e2, std::move(where));
        }
        if (e1 != 0) {
            const Point tip{o.x, load.y};
            c.brush.solid = true;
            arrow(c, o, tip);
            std::vector<TextAnchor> where;
            const int ym = (o.y + tip.y) / 2 - halfText(kLoadFont);
            // beside the arrow's middle, moved along it; then further from it
            for (int far = 0; far <= 1; ++far)
                for (int shift = 0; shift <= 40; ++shift)
                    for (int dir : {-1, 1}) {
                        if (shift == 0 && dir > 0) continue;
                        const int y = ym + dir * shift * step;
                        for (int k = far; k <= (far ? 8 : 0); ++k) {
                            where.push_back({{o.x + 10 + k * 15, y}, HAlign::Left, VAlign::Top});
                            where.push_back({{o.x - 10 - k * 15, y}, HAlign::Right, VAlign::Top});
                        }
                    }
            eLabel("e1", e1, std::move(where));
        }
        c.pen = Pen{kLoad, 1, false};
        c.brush.solid = true;
        c.ellipse(load.x - 6, load.y - 6, load.x + 6, load.y + 6);
    }

    // 9. dimension style
    c.brush = Brush{};
    c.brush.solid = false;
    c.pen = Pen{kRed, 1, false};
    c.font = Font{"Arial", kDimensionFont, kBlack};
    const int k = kMark;
    auto hDim = [&](double v, double x1, double x2, int Y, int outside, bool endsOnAxis = false) {
        finite(v, "a dimension");
        const int X1 = m.X(x1), X2 = m.X(x2);
        horizontalDimension(c, X1, X2, Y, k);
        const double textW = textWidth(c.font, formatFixed(v, 1));   // the separator's width is a full stop's
        auto where = horizontalCandidates(X1, X2, Y, outside, kDimensionFont, textW, endsOnAxis);
        c.textOut(where.front().at.x, where.front().at.y, std::string());
        label(FigureLabel::Kind::Dimension, v, std::move(where));
    };
    auto vDim = [&](double v, int X, double y1, double y2, int outside) {
        finite(v, "a dimension");
        const int Y1 = m.Y(y1), Y2 = m.Y(y2);
        verticalDimension(c, X, Y1, Y2, k);
        auto where = verticalCandidates(X, Y1, Y2, outside, kDimensionFont);
        c.textOut(where.front().at.x, where.front().at.y, std::string());
        label(FigureLabel::Kind::Dimension, v, std::move(where));
    };

    // 10. top dimension
    hDim(h, -h / 2, h / 2, top.y - kDimensionOffset, -1);

    // 11. bottom chain from the left flange's outer face to the web axis
    {
        const int Y = bottom.y + kDimensionOffset;
        hDim(tf, -h / 2, -h / 2 + tf, Y, 1);
        hDim(UF1, -h / 2 + tf, -h / 2 + tf + UF1, Y, 1);
        double a = tf + UF1;
        auto step = [&](double from, double to) {
            hDim(to - from, -h / 2 + tf + from, -h / 2 + tf + to, Y, 1);
            a = tf + to;
        };
        if (s.AN2 > 0) step(UF1, UF2);
        if (s.AN3 > 0) step(UF2, UF3);
        if (s.AN4 > 0) step(UF3, UF4);
        hDim(h / 2 - a, -(h / 2 - a), 0, Y, 1, true);
    }

    // 12. left dimension
    vDim(b, left.x - kDimensionOffset, b / 2, -b / 2, -1);

    // 13. right chain from the top flange tip down to the web
    {
        const int X = right.x + kDimensionOffset;
        vDim(uc1, X, b / 2, b / 2 - uc1, 1);
        double cc = uc1;
        if (secondLayer) {
            vDim(UC2 - uc1, X, b / 2 - uc1, b / 2 - UC2, 1);
            cc = UC2;
        }
        vDim(b / 2 - cc - tw / 2, X, b / 2 - cc, tw / 2, 1);
        vDim(tw, X, tw / 2, -tw / 2, 1);
    }

    // 14. captions at the bottom left, where they stay
    c.font.height = kCaptionFont;
    c.halign = HAlign::Left;
    c.valign = VAlign::Top;
    const int L2 = toInt(2 * kCaptionFont * 1.2, "the caption spacing");
    c.textOut(30, H - 5 - L2, std::string());
    label(FigureLabel::Kind::ProfileCaption, 0, {});
    fig.profileName = s.profileName;
    if (s.AN1 + s.AN2 > 0) {
        const int L1 = toInt(kCaptionFont * 1.2, "the caption spacing");
        c.textOut(30, H - 5 - L1, std::string());
        label(FigureLabel::Kind::RebarCaption, d, {});
        fig.bars = s.AN1 + s.AN2 + s.AN3 + s.AN4;
    }
    return fig;
}

Picture labelled(const TextEnv& env, SectionFigure fig)
{
    Picture& pic = fig.picture;
    for (const FigureLabel& l : fig.labels) {
        std::string& text = pic.items.at(l.item).text;
        switch (l.kind) {
        case FigureLabel::Kind::Dimension: text = formatFixed(l.value, 1, env.decimalSeparator); break;
        case FigureLabel::Kind::ProfileCaption: text = env.text(134) + " " + fig.profileName; break;
        case FigureLabel::Kind::RebarCaption:
            text = env.text(144) + ": " + std::to_string(fig.bars) + " x d = "
                   + formatFixed(l.value, 0, env.decimalSeparator) + " mm";
            break;
        case FigureLabel::Kind::Eccentricity:
            text = l.name + " = " + eccentricityText(l.value, env.decimalSeparator);
            break;
        case FigureLabel::Kind::Fixed: break;
        }
    }
    // Texts that stay where they are first, then the dimensions in the order
    // drawn, the axis names at the axes' ends and last the eccentricities
    // (which have many places), each at its first free place.
    TextPlacer placer(pic, TextBox{kClearance, kClearance, pic.width - kClearance, pic.height - kClearance},
                      kClearance, kTextSpacing);
    for (const TextBox& b : fig.keepOut) placer.keepOut(b);
    for (const FigureLabel& l : fig.labels)
        if (l.candidates.empty()) placer.fixed(pic.items.at(l.item));
    for (FigureLabel::Kind kind :
         {FigureLabel::Kind::Dimension, FigureLabel::Kind::Fixed, FigureLabel::Kind::Eccentricity})
        for (const FigureLabel& l : fig.labels)
            if (l.kind == kind && !l.candidates.empty()) placer.place(pic.items.at(l.item), l.candidates);
    return std::move(fig.picture);
}

void DrawSection(const TextEnv& env, Picture& pic, const SectionDrawing& s)
{
    // The drawing is built aside and replaces the picture only when complete,
    // so a fault leaves the previous drawing in place.
    pic = labelled(env, figureOf(s));
}

SectionDrawing sectionDrawingOf(const ColumnInput& in, const RebarLayout& rows, double dCalc)
{
    SectionDrawing draw;
    draw.profileName = in.profileName;
    draw.AN1 = rows.count[0];
    draw.AN2 = rows.count[1];
    draw.AN3 = rows.count[2];
    draw.AN4 = rows.count[3];
    draw.h = in.h;
    draw.b = in.b;
    draw.tw = in.tw;
    draw.tf = in.tf;
    draw.r = in.r;
    draw.uf1 = in.uf1;
    draw.uc1 = in.uc1;
    draw.UC2 = secondLayerDistance(in);
    draw.dCalc = dCalc;
    draw.d = in.d;
    draw.UF1 = rows.z[0];
    draw.UF2 = rows.z[1];
    draw.UF3 = rows.z[2];
    draw.UF4 = rows.z[3];
    draw.e1 = in.e1;
    draw.e2 = in.e2;
    return draw;
}

} // namespace qeln
