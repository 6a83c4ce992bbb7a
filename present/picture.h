// A recorded vector picture: the section drawing as a list of primitives in
// picture units (a fixed frame the section is scaled to fill), y pointing
// down, origin at the top left corner. Renderers (SVG here, QPainter in the
// desktop program) replay it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qeln {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Pen {
    Rgb color{};
    int width = 1;
    bool dashed = false;   // a dashed line (curves outside the method's field)
    bool operator==(const Pen&) const = default;
};

struct Brush {
    Rgb color{255, 255, 255};
    bool solid = true;   // false: clear (nothing filled, texts without background)
    bool operator==(const Brush&) const = default;
};

// A font's height is its em size in picture units; the section drawing uses
// one unit per point. A text aligned at its top has its baseline one ascent
// (Arial: 0.905 of the height) below the reference point.
struct Font {
    std::string name = "Arial";
    int height = 12;     // character height in picture units
    Rgb color{};
    bool operator==(const Font&) const = default;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Baseline, Bottom };

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Primitive {
    enum class Kind { Polyline, Arc, Ellipse, Rectangle, Text, Polygon };
    Kind kind = Kind::Polyline;
    std::vector<Point> points;   // Polyline: the points in order;
                                 // Arc: bounding box corners (0,1), start (2) and end (3) points,
                                 //      drawn counter-clockwise as seen in the picture;
                                 // Ellipse, Rectangle: bounding box corners (0,1);
                                 // Polygon: the corners of a closed outline, filled with the brush;
                                 // Text: the reference point (0)
    std::string text;            // Text only (UTF-8)
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Top;
    Pen pen;
    Brush brush;
    Font font;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Primitive> items;

    bool empty() const { return items.empty(); }
    void clear() { items.clear(); width = height = 0; }
};

// A drawing canvas on a picture: the current pen, brush, font and text
// alignment are stamped on every primitive recorded.
class Canvas {
public:
    explicit Canvas(Picture& pic) : pic_(pic) {}
    Pen pen;
    Brush brush;
    Font font;
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Top;

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void ellipse(int x1, int y1, int x2, int y2);
    void rectangle(int x1, int y1, int x2, int y2);
    void textOut(int x, int y, const std::string& text);
    void polygon(std::vector<Point> corners);

private:
    Primitive stamp(Primitive::Kind k) const;
    Picture& pic_;
    Point pos_{};
    bool pathOpen_ = false;
};

// The box a text primitive covers, in picture units, estimated from Arial's
// advance widths (Helvetica's metrics, which Arial and Liberation Sans share)
// and its ascent and descent: for layout and for tests that no two texts of
// a picture overlap. Characters outside ASCII count as wide letters.
struct TextBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool intersects(const TextBox& o, double gap = 0) const
    {
        return left < o.right + gap && o.left < right + gap && top < o.bottom + gap && o.top < bottom + gap;
    }
};
double textWidth(const Font& font, std::string_view text);
TextBox textBox(const Primitive& text);

// The pairs of text primitives (indices into items) whose boxes overlap.
std::vector<std::pair<std::size_t, std::size_t>> overlappingTexts(const Picture& pic, double gap = 0);

// Writes the picture as an SVG document (a real vector file).
std::string pictureToSvg(const Picture& pic);

} // namespace qeln
