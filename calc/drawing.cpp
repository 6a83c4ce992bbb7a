#include "drawing.h"

#include "format.h"
#include "messages.h"
#include "numeric.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

namespace qeln {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

// Mark size of the dimension lines (ticks and arrows), model mm.
constexpr double kMark = 10;
// Gap between a horizontal dimension line and its text, model mm.
constexpr double kTextGap = 10;
// Distances of the dimension lines from the section, model mm.
constexpr double kHorizontalOffset = 150;
constexpr double kVerticalOffset = 125;

// Picture coordinates stay well inside int; anything beyond is a fault of
// the values handed in, as is a value that is not finite.
constexpr double kMaxCoordinate = 1e9;

double finite(double v, const char* what)
{
    if (!std::isfinite(v)) throw CalculationError(std::string("Section drawing: ") + what + " is not finite");
    return v;
}

int toInt(double v, const char* what)
{
    finite(v, what);
    if (std::fabs(v) > kMaxCoordinate) throw CalculationError(std::string("Section drawing: ") + what + " is out of range");
    return static_cast<int>(roundHalfEven(v));
}

// Font size in points of a font that is `height` picture units high. The
// picture is drawn at one unit per point, so the size equals the height; the
// caption line spacing is derived from it.
int fontPoints(int height) { return height; }

// Model (x, y), origin at the centre of the section and y pointing up, to
// picture (x0 + x, y0 - y), rounded to whole units.
struct Mapping {
    int x0 = 0, y0 = 0;
    int X(double x) const { return toInt(x0 + x, "a picture coordinate"); }
    int Y(double y) const { return toInt(y0 - y, "a picture coordinate"); }
};

// A dimension from (x1, y) to (x2, y) with its text centred below the line;
// with `stagger` the text goes one text line further down so that short
// neighbouring dimensions do not print over each other.
void horizontalDimension(Canvas& c, const Mapping& m, const std::string& text, bool stagger, double x1, double x2,
                         double y, double k)
{
    // tick at x1
    c.moveTo(m.X(x1), m.Y(y + k));
    c.lineTo(m.X(x1), m.Y(y - k));
    c.lineTo(m.X(x1), m.Y(y + k));
    // arrow at x1
    c.moveTo(m.X(x1 + k), m.Y(y + k));
    c.lineTo(m.X(x1), m.Y(y));
    c.lineTo(m.X(x1 + k), m.Y(y - k));
    c.lineTo(m.X(x1), m.Y(y));
    // the line
    c.moveTo(m.X(x1), m.Y(y));
    c.lineTo(m.X(x2), m.Y(y));
    // arrow at x2
    c.moveTo(m.X(x2 - k), m.Y(y + k));
    c.lineTo(m.X(x2), m.Y(y));
    c.lineTo(m.X(x2 - k), m.Y(y - k));
    c.lineTo(m.X(x2), m.Y(y));
    // tick at x2
    c.moveTo(m.X(x2), m.Y(y + k));
    c.lineTo(m.X(x2), m.Y(y - k));
    c.lineTo(m.X(x2), m.Y(y + k));

    c.halign = HAlign::Center;
    c.valign = VAlign::Top;
    double ty = stagger ? y - c.font.height : y - kTextGap;
    c.textOut(m.X((x1 + x2) / 2), m.Y(ty), text);
}

// A dimension from (x, y1) to (x, y2) with its text to the right of the line,
// centred on it.
void verticalDimension(Canvas& c, const Mapping& m, const std::string& text, double x, double y1, double y2, double k)
{
    // tick at y1
    c.moveTo(m.X(x + k), m.Y(y1));
    c.lineTo(m.X(x - k), m.Y(y1));
    c.lineTo(m.X(x + k), m.Y(y1));
    // arrow at y1
    c.moveTo(m.X(x - k), m.Y(y1 - k));
    c.lineTo(m.X(x), m.Y(y1));
    c.lineTo(m.X(x + k), m.Y(y1 - k));
    c.lineTo(m.X(x), m.Y(y1));
    // the line
    c.moveTo(m.X(x), m.Y(y1));
    c.lineTo(m.X(x), m.Y(y2));
    // arrow at y2
    c.moveTo(m.X(x - k), m.Y(y2 + k));
    c.lineTo(m.X(x), m.Y(y2));
    c.lineTo(m.X(x + k), m.Y(y2 + k));
    c.lineTo(m.X(x), m.Y(y2));
    // tick at y2
    c.moveTo(m.X(x - k), m.Y(y2));
    c.lineTo(m.X(x + k), m.Y(y2));
    c.lineTo(m.X(x - k), m.Y(y2));

    c.halign = HAlign::Left;
    c.valign = VAlign::Top;
    c.textOut(m.X(x + k), m.Y((y1 + y2) / 2) - c.font.height / 2, text);
}

// Arc of the circle centred at (cx, cy) with radius r, counter-clockwise as
// seen in the picture from (sx, sy) to (ex, ey); all in model coordinates.
void fillet(Canvas& c, const Mapping& m, double cx, double cy, double r, double sx, double sy, double ex, double ey)
{
    c.arc(m.X(cx - r), m.Y(cy + r), m.X(cx + r), m.Y(cy - r), m.X(sx), m.Y(sy), m.X(ex), m.Y(ey));
}

void line(Canvas& c, const Mapping& m, std::initializer_list<std::pair<double, double>> pts)
{
    bool first = true;
    for (auto [x, y] : pts) {
        if (first) c.moveTo(m.X(x), m.Y(y));
        else c.lineTo(m.X(x), m.Y(y));
        first = false;
    }
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

    SectionFigure fig;
    Picture& out = fig.picture;
    // A text whose words the labelling writes: the last item recorded.
    auto label = [&](FigureLabel::Kind kind, double value) {
        fig.labels.push_back({out.items.size() - 1, kind, value});
    };

    // 1. size and origin
    double wide = std::max({700.0, h + 500, (b + 600) / 0.65});
    const int W = toInt(wide, "the picture width");
    const int H = toInt(W * 0.65, "the picture height");
    out.width = W;
    out.height = H;
    const Mapping m{toInt(W * 0.5, "the origin"), toInt(H * 0.5, "the origin")};

    Canvas c(out);

    // 2. frame, canvas defaults: black pen, white solid fill
    c.rectangle(0, 0, W, H);

    // 3. profile outline
    c.pen.color = kBlack;
    const double xi = h / 2 - tf;   // inner face of the flange
    const double sw = tw / 2;       // web face
    fillet(c, m, xi - r, sw + r, r, xi - r, sw, xi, sw + r);
    line(c, m, {{xi, sw + r}, {xi, b / 2}, {h / 2, b / 2}, {h / 2, -b / 2}, {xi, -b / 2}, {xi, -(sw + r)}});
    fillet(c, m, xi - r, -(sw + r), r, xi, -(sw + r), xi - r, -sw);
    line(c, m, {{xi - r, -sw}, {-(xi - r), -sw}});
    fillet(c, m, -(xi - r), -(sw + r), r, -(xi - r), -sw, -xi, -(sw + r));
    line(c, m, {{-xi, -(sw + r)}, {-xi, -b / 2}, {-h / 2, -b / 2}, {-h / 2, b / 2}, {-xi, b / 2}, {-xi, sw + r}});
    fillet(c, m, -(xi - r), sw + r, r, -xi, sw + r, -(xi - r), sw);
    line(c, m, {{-(xi - r), sw}, {xi - r, sw}});

    // 4. concrete faces between the flange tips
    line(c, m, {{xi, b / 2}, {-xi, b / 2}});
    line(c, m, {{xi, -b / 2}, {-xi, -b / 2}});

    // 5. rebars, groups of four
    c.pen.color = kRed;
    c.brush = Brush{kRed, true};
    auto group = [&](double x, double y) {
        const double rad = dCalc / 2;
        for (auto [sx, sy] : {std::pair{1, 1}, {1, -1}, {-1, -1}, {-1, 1}})
            c.ellipse(m.X(sx * x - rad), m.Y(sy * y + rad), m.X(sx * x + rad), m.Y(sy * y - rad));
    };
    group(xi - UF1, b / 2 - uc1);
    if (s.AN2 > 0) group(xi - UF2, b / 2 - uc1);
    if (s.AN3 > 0) group(xi - UF3, b / 2 - uc1);
    if (s.AN4 > 0) group(xi - UF4, b / 2 - uc1);
    if (secondLayer) group(xi - UF1, b / 2 - UC2);

    // 6. dimension style
    c.brush.solid = false;
    c.pen.color = kRed;
    c.font = Font{"Arial", W / 50, kBlack};
    const double k = kMark;
    auto hDim = [&](double v, bool stagger, double x1, double x2, double y) {
        finite(v, "a dimension");
        horizontalDimension(c, m, std::string(), stagger, x1, x2, y, k);
        label(FigureLabel::Kind::Dimension, v);
    };
    auto vDim = [&](double v, double x, double y1, double y2) {
        finite(v, "a dimension");
        verticalDimension(c, m, std::string(), x, y1, y2, k);
        label(FigureLabel::Kind::Dimension, v);
    };

    // 7. top dimension
    hDim(h, false, -h / 2, h / 2, b / 2 + kHorizontalOffset);

    // 8. bottom chain from the left flange's outer face to the web axis
    {
        const double y = -b / 2 - kHorizontalOffset;
        double p = -h / 2;
        hDim(tf, false, p, p + tf, y);
        p = -h / 2 + tf;
        hDim(UF1, true, p, p + UF1, y);
        double a = tf + UF1;
        bool g = false;
        auto step = [&](double from, double to) {
            hDim(to - from, g, -h / 2 + tf + from, -h / 2 + tf + to, y);
            a = tf + to;
            g = !g;
        };
        if (s.AN2 > 0) step(UF1, UF2);
        if (s.AN3 > 0) step(UF2, UF3);
        if (s.AN4 > 0) step(UF3, UF4);
        hDim(h / 2 - a, g, -(h / 2 - a), 0, y);
    }

    // 9. left dimension
    vDim(b, -h / 2 - kVerticalOffset, b / 2, -b / 2);

    // 10. right chain from the top flange tip down to the web
    {
        const double x = h / 2 + kVerticalOffset;
        vDim(uc1, x, b / 2, b / 2 - uc1);
        double cc = uc1;
        if (secondLayer) {
            vDim(UC2 - uc1, x, b / 2 - uc1, b / 2 - UC2);
            cc = UC2;
        }
        vDim(b / 2 - cc - tw / 2, x, b / 2 - cc, tw / 2);
        vDim(tw, x, tw / 2, -tw / 2);
    }

    // 11. captions
    c.font.height = W / 40;
    c.halign = HAlign::Left;
    c.valign = VAlign::Top;
    const int S = fontPoints(c.font.height);
    const int L2 = toInt(2 * S * 1.2, "the caption spacing");
    c.textOut(30, H - 10 - L2, std::string());
    label(FigureLabel::Kind::ProfileCaption, 0);
    fig.profileName = s.profileName;
    if (s.AN1 + s.AN2 > 0) {
        const int L1 = toInt(S * 1.2, "the caption spacing");
        c.textOut(30, H - 10 - L1, std::string());
        label(FigureLabel::Kind::RebarCaption, d);
        fig.bars = s.AN1 + s.AN2 + s.AN3 + s.AN4;
    }

    // 12. complete, size W x H
    out.width = W;
    out.height = H;
    return fig;
}

Picture labelled(const TextEnv& env, SectionFigure fig)
{
    for (const FigureLabel& l : fig.labels) {
        std::string& text = fig.picture.items.at(l.item).text;
        switch (l.kind) {
        case FigureLabel::Kind::Dimension: text = formatFixed(l.value, 1, env.decimalSeparator); break;
        case FigureLabel::Kind::ProfileCaption: text = env.text(134) + " " + fig.profileName; break;
        case FigureLabel::Kind::RebarCaption:
            text = env.text(144) + ": " + std::to_string(fig.bars) + " x d = "
                   + formatFixed(l.value, 0, env.decimalSeparator) + " mm";
            break;
        }
    }
    return std::move(fig.picture);
}

void DrawSection(const TextEnv& env, Picture& pic, const SectionDrawing& s)
{
    // The drawing is built aside and replaces the picture only when complete,
    // so a fault leaves the previous drawing in place.
    pic = labelled(env, figureOf(s));
}

} // namespace qeln
