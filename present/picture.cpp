#include "picture.h"

#include "utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string_view>

namespace qeln {

// ---------------------------------------------------------------------------
// Canvas

Primitive Canvas::stamp(Primitive::Kind k) const
{
    Primitive p;
    p.kind = k;
    p.halign = halign;
    p.valign = valign;
    p.pen = pen;
    p.brush = brush;
    p.font = font;
    return p;
}

void Canvas::moveTo(int x, int y)
{
    pos_ = {x, y};
    pathOpen_ = false;
}

void Canvas::lineTo(int x, int y)
{
    // A run of lineTo calls after one moveTo is one polyline, as long as
    // nothing else was recorded in between and the pen stayed the same.
    bool extend = pathOpen_ && !pic_.items.empty() && pic_.items.back().kind == Primitive::Kind::Polyline &&
                  pic_.items.back().pen == pen;
    if (!extend) {
        Primitive p = stamp(Primitive::Kind::Polyline);
        p.points.push_back(pos_);
        pic_.items.push_back(std::move(p));
    }
    pic_.items.back().points.push_back({x, y});
    pos_ = {x, y};
    pathOpen_ = true;
}

void Canvas::arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    // Like the line drawing of most canvases an arc leaves the current
    // position alone; it ends the running polyline.
    Primitive p = stamp(Primitive::Kind::Arc);
    p.points = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
    pic_.items.push_back(std::move(p));
    pathOpen_ = false;
}

void Canvas::ellipse(int x1, int y1, int x2, int y2)
{
    Primitive p = stamp(Primitive::Kind::Ellipse);
    p.points = {{x1, y1}, {x2, y2}};
    pic_.items.push_back(std::move(p));
    pathOpen_ = false;
}

void Canvas::rectangle(int x1, int y1, int x2, int y2)
{
    Primitive p = stamp(Primitive::Kind::Rectangle);
    p.points = {{x1, y1}, {x2, y2}};
    pic_.items.push_back(std::move(p));
    pathOpen_ = false;
}

void Canvas::textOut(int x, int y, const std::string& text)
{
    Primitive p = stamp(Primitive::Kind::Text);
    p.points = {{x, y}};
    p.text = text;
    pic_.items.push_back(std::move(p));
    pathOpen_ = false;
}

void Canvas::polygon(std::vector<Point> corners)
{
    Primitive p = stamp(Primitive::Kind::Polygon);
    p.points = std::move(corners);
    pic_.items.push_back(std::move(p));
    pathOpen_ = false;
}

// ---------------------------------------------------------------------------
// Text extents

namespace {
// Advance widths of the printable ASCII characters (32 to 126) in 1/1000 em.
constexpr std::array<short, 95> kAdvance{
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,   // space to /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                                 // 0 to 9
    278, 278, 584, 584, 584, 556, 1015,                                               // : to @
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                  // A to M
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                  // N to Z
    278, 278, 278, 469, 556, 333,                                                     // [ to `
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                  // a to m
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                  // n to z
    334, 260, 334, 584};                                                              // { to ~
constexpr double kTextAscent = 0.905, kTextDescent = 0.212;
} // namespace

double textWidth(const Font& font, std::string_view text)
{
    double units = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        std::size_t len = nextCodePoint(text, i, cp);
        if (len == 0) len = 1, cp = 0xFFFD;
        i += len;
        if (cp >= 32 && cp <= 126)
            units += kAdvance[cp - 32];
        else if (cp >= 0x300 && cp < 0x370)
            continue;   // combining marks take no room of their own
        else
            units += 722;
    }
    return units / 1000.0 * font.height;
}

TextBox textBox(const Primitive& t)
{
    TextBox b;
    if (t.points.empty()) return b;
    const double w = textWidth(t.font, t.text), h = t.font.height;
    const double x = t.points[0].x, y = t.points[0].y;
    b.left = t.halign == HAlign::Left ? x : t.halign == HAlign::Center ? x - w / 2 : x - w;
    b.right = b.left + w;
    const double base = t.valign == VAlign::Top ? y + kTextAscent * h : t.valign == VAlign::Bottom ? y - kTextDescent * h : y;
    b.top = base - kTextAscent * h;
    b.bottom = base + kTextDescent * h;
    return b;
}

std::vector<std::pair<std::size_t, std::size_t>> overlappingTexts(const Picture& pic, double gap)
{
    std::vector<std::pair<std::size_t, std::size_t>> out;
    for (std::size_t i = 0; i < pic.items.size(); ++i) {
        if (pic.items[i].kind != Primitive::Kind::Text || pic.items[i].text.empty()) continue;
        const TextBox a = textBox(pic.items[i]);
        for (std::size_t j = i + 1; j < pic.items.size(); ++j) {
            if (pic.items[j].kind != Primitive::Kind::Text || pic.items[j].text.empty()) continue;
            if (a.intersects(textBox(pic.items[j]), gap)) out.emplace_back(i, j);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// SVG

namespace {

// Arial's ascent and descent as fractions of the em height: a text aligned at
// its top has its baseline one ascent below the reference point, one aligned
// at its bottom one descent above it.
constexpr double kAscent = 0.905;
constexpr double kDescent = 0.212;

// Numbers always with a full stop, whatever the locale: at most three
// decimals, trailing zeros dropped.
std::string num(double v)
{
    if (!std::isfinite(v)) v = 0;
    if (std::fabs(v) < 0.0005) v = 0;   // no "-0"
    std::array<char, 64> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, 3);
    std::string s(buf.data(), res.ptr);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s;
}

std::string num(int v) { return std::to_string(v); }

std::string color(Rgb c)
{
    static const char* hex = "0123456789abcdef";
    std::string s = "#";
    for (std::uint8_t v : {c.r, c.g, c.b}) {
        s += hex[v >> 4];
        s += hex[v & 15];
    }
    return s;
}

// Escapes a text for element content and attribute values. Bytes that are not
// valid UTF-8 and characters XML does not allow become U+FFFD, so that any
// profile name still gives a well-formed document.
std::string xmlText(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        char32_t cp = 0xFFFD;
        std::size_t len = nextCodePoint(s, i, cp);
        if (len == 0) {
            cp = 0xFFFD;
            len = 1;
        }
        i += len;
        bool allowed = cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
                       (cp >= 0xE000 && cp <= 0xFFFD) || cp >= 0x10000;
        if (!allowed) cp = 0xFFFD;
        switch (cp) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default: appendUtf8(out, cp);
        }
    }
    return out;
}

std::string strokeAttrs(const Pen& pen)
{
    std::string s = " stroke=\"";
    s.append(color(pen.color)).append("\" stroke-width=\"").append(num(pen.width < 1 ? 1 : pen.width)).append("\"");
    if (pen.dashed) {
        const int w = pen.width < 1 ? 1 : pen.width;
        s.append(" stroke-dasharray=\"").append(num(4 * w)).append(",").append(num(3 * w)).append("\"");
    }
    return s;
}


std::string fillAttr(const Brush& brush)
{
    return brush.solid ? " fill=\"" + color(brush.color) + "\"" : std::string(" fill=\"none\"");
}

void writePolygon(std::string& out, const Primitive& p)
{
    if (p.points.size() < 3) return;
    out += "<polygon points=\"";
    for (std::size_t i = 0; i < p.points.size(); ++i) {
        if (i) out += ' ';
        out.append(num(p.points[i].x)).append(",").append(num(p.points[i].y));
    }
    out.append("\"").append(fillAttr(p.brush)).append(strokeAttrs(p.pen)).append(" stroke-linejoin=\"miter\"/>\n");
}

void writePolyline(std::string& out, const Primitive& p)
{
    if (p.points.size() < 2) return;
    out += "<polyline points=\"";
    for (std::size_t i = 0; i < p.points.size(); ++i) {
        if (i) out += ' ';
        out += num(p.points[i].x) + ',' + num(p.points[i].y);
    }
    out += "\" fill=\"none\"" + strokeAttrs(p.pen) + " stroke-linejoin=\"miter\"/>\n";
}

void writeRectangle(std::string& out, const Primitive& p)
{
    if (p.points.size() < 2) return;
    int x = std::min(p.points[0].x, p.points[1].x), y = std::min(p.points[0].y, p.points[1].y);
    int w = std::abs(p.points[1].x - p.points[0].x), h = std::abs(p.points[1].y - p.points[0].y);
    out += "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"" + num(w) + "\" height=\"" + num(h) + "\"" +
           fillAttr(p.brush) + strokeAttrs(p.pen) + "/>\n";
}

void writeEllipse(std::string& out, const Primitive& p)
{
    if (p.points.size() < 2) return;
    double cx = (p.points[0].x + p.points[1].x) / 2.0, cy = (p.points[0].y + p.points[1].y) / 2.0;
    double rx = std::abs(p.points[1].x - p.points[0].x) / 2.0, ry = std::abs(p.points[1].y - p.points[0].y) / 2.0;
    out += "<ellipse cx=\"" + num(cx) + "\" cy=\"" + num(cy) + "\" rx=\"" + num(rx) + "\" ry=\"" + num(ry) + "\"" +
           fillAttr(p.brush) + strokeAttrs(p.pen) + "/>\n";
}

// The arc of the ellipse inscribed in the bounding box, from where the ray
// from the centre through the start point meets the ellipse, counter-clockwise
// on screen, to where the ray through the end point meets it. Equal rays give
// the whole ellipse.
void writeArc(std::string& out, const Primitive& p)
{
    if (p.points.size() < 4) return;
    const Point a = p.points[0], b = p.points[1], s = p.points[2], e = p.points[3];
    double cx = (a.x + b.x) / 2.0, cy = (a.y + b.y) / 2.0;
    double rx = std::abs(b.x - a.x) / 2.0, ry = std::abs(b.y - a.y) / 2.0;
    if (rx <= 0 || ry <= 0) return;   // nothing to draw on an empty box

    struct OnEllipse {
        double x, y, angle;   // angle measured counter-clockwise on screen
    };
    auto onEllipse = [&](Point q) {
        double dx = q.x - cx, dy = q.y - cy;
        if (dx == 0 && dy == 0) dx = 1;   // a point at the centre: take the ray to the right
        double t = 1.0 / std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry));
        return OnEllipse{cx + t * dx, cy + t * dy, std::atan2(-dy, dx)};
    };
    OnEllipse p0 = onEllipse(s), p1 = onEllipse(e);
    constexpr double twoPi = 2 * std::numbers::pi;
    double sweep = std::fmod(p1.angle - p0.angle, twoPi);
    if (sweep < 0) sweep += twoPi;

    // Appended piece by piece: a literal put in front of a temporary string
    // ("M" + s) makes GCC 12 at -O3 warn of overlapping copies (-Wrestrict).
    std::string d = "M";
    d.append(num(p0.x)).append(",").append(num(p0.y));
    // Sweep flag 0: counter-clockwise on screen, y pointing down.
    auto arcTo = [&](double x, double y, bool large) {
        d.append(" A").append(num(rx)).append(",").append(num(ry)).append(large ? " 0 1,0 " : " 0 0,0 ");
        d.append(num(x)).append(",").append(num(y));
    };
    if (sweep < 1e-9) {
        // The whole ellipse: two halves through the opposite point.
        arcTo(2 * cx - p0.x, 2 * cy - p0.y, false);
        arcTo(p0.x, p0.y, false);
    } else {
        arcTo(p1.x, p1.y, sweep > std::numbers::pi);
    }
    out += "<path d=\"" + d + "\" fill=\"none\"" + strokeAttrs(p.pen) + "/>\n";
}

void writeText(std::string& out, const Primitive& p)
{
    if (p.points.empty()) return;
    const char* anchor = p.halign == HAlign::Left ? "start" : p.halign == HAlign::Center ? "middle" : "end";
    double size = p.font.height;
    // The reference point is the top, the baseline or the bottom of the text;
    // SVG places the baseline, so y is moved there. (Written into y rather
    // than as dy or dominant-baseline, which some renderers get wrong.)
    double dy = p.valign == VAlign::Top ? kAscent * size : p.valign == VAlign::Bottom ? -kDescent * size : 0.0;
    out += "<text x=\"" + num(p.points[0].x) + "\" y=\"" + num(p.points[0].y + dy) + "\"";
    out += " text-anchor=\"" + std::string(anchor) + "\" font-family=\"" + xmlText(p.font.name) +
           "\" font-size=\"" + num(size) + "\" fill=\"" + color(p.font.color) + "\" xml:space=\"preserve\">" +
           xmlText(p.text) + "</text>\n";
}

} // namespace

std::string pictureToSvg(const Picture& pic)
{
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + num(pic.width) + "\" height=\"" +
           num(pic.height) + "\" viewBox=\"0 0 " + num(pic.width) + " " + num(pic.height) + "\">\n";
    for (const Primitive& p : pic.items) {
        switch (p.kind) {
        case Primitive::Kind::Polyline: writePolyline(out, p); break;
        case Primitive::Kind::Arc: writeArc(out, p); break;
        case Primitive::Kind::Ellipse: writeEllipse(out, p); break;
        case Primitive::Kind::Rectangle: writeRectangle(out, p); break;
        case Primitive::Kind::Text: writeText(out, p); break;
        case Primitive::Kind::Polygon: writePolygon(out, p); break;
        }
    }
    out += "</svg>\n";
    return out;
}

} // namespace qeln
