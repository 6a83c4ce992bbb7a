#include "textlayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qeln {

namespace {

constexpr int kArcChords = 8;
constexpr int kEllipseChords = 16;

void addChain(std::vector<Segment>& out, const std::vector<Point>& pts, std::size_t item, bool closed)
{
    for (std::size_t i = 1; i < pts.size(); ++i)
        out.push_back({double(pts[i - 1].x), double(pts[i - 1].y), double(pts[i].x), double(pts[i].y), item});
    if (closed && pts.size() > 2)
        out.push_back({double(pts.back().x), double(pts.back().y), double(pts.front().x), double(pts.front().y), item});
}

// Points of the ellipse in the box (a, b) from angle t0 over span (radians,
// counter-clockwise as seen, y pointing down), in n chords.
void addEllipseChords(std::vector<Segment>& out, Point a, Point b, double t0, double span, int n, std::size_t item)
{
    const double cx = (a.x + b.x) / 2.0, cy = (a.y + b.y) / 2.0;
    const double rx = std::fabs(b.x - a.x) / 2.0, ry = std::fabs(b.y - a.y) / 2.0;
    double px = cx + rx * std::cos(t0), py = cy - ry * std::sin(t0);
    for (int i = 1; i <= n; ++i) {
        const double t = t0 + span * i / n;
        const double qx = cx + rx * std::cos(t), qy = cy - ry * std::sin(t);
        out.push_back({px, py, qx, qy, item});
        px = qx;
        py = qy;
    }
}

double angleOn(Point a, Point b, Point p)
{
    const double cx = (a.x + b.x) / 2.0, cy = (a.y + b.y) / 2.0;
    const double rx = std::fabs(b.x - a.x) / 2.0, ry = std::fabs(b.y - a.y) / 2.0;
    const double dx = rx > 0 ? (p.x - cx) / rx : 0, dy = ry > 0 ? (cy - p.y) / ry : 0;
    return std::atan2(dy, dx);
}

TextBox grown(const TextBox& b, double by) { return {b.left - by, b.top - by, b.right + by, b.bottom + by}; }

} // namespace

std::vector<Segment> lineSegments(const Picture& pic)
{
    std::vector<Segment> out;
    for (std::size_t i = 0; i < pic.items.size(); ++i) {
        const Primitive& p = pic.items[i];
        switch (p.kind) {
        case Primitive::Kind::Polyline: addChain(out, p.points, i, false); break;
        case Primitive::Kind::Polygon: addChain(out, p.points, i, true); break;
        case Primitive::Kind::Rectangle:
            if (p.points.size() >= 2) {
                const Point a = p.points[0], b = p.points[1];
                addChain(out, {a, {b.x, a.y}, b, {a.x, b.y}}, i, true);
            }
            break;
        case Primitive::Kind::Ellipse:
            if (p.points.size() >= 2)
                addEllipseChords(out, p.points[0], p.points[1], 0, 2 * std::numbers::pi, kEllipseChords, i);
            break;
        case Primitive::Kind::Arc:
            if (p.points.size() >= 4) {
                const double t0 = angleOn(p.points[0], p.points[1], p.points[2]);
                double span = angleOn(p.points[0], p.points[1], p.points[3]) - t0;
                while (span <= 0) span += 2 * std::numbers::pi;
                addEllipseChords(out, p.points[0], p.points[1], t0, span, kArcChords, i);
            }
            break;
        case Primitive::Kind::Text: break;
        }
    }
    return out;
}

std::optional<std::pair<double, double>> clipSegment(double x1, double y1, double x2, double y2, const TextBox& box)
{
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - box.left, box.right - x1, y1 - box.top, box.bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return std::make_pair(t0, t1);
}

bool crosses(const TextBox& box, const Segment& s) { return clipSegment(s.x1, s.y1, s.x2, s.y2, box).has_value(); }

std::vector<std::pair<std::size_t, std::size_t>> textsCrossingLines(const Picture& pic, double gap)
{
    std::vector<std::pair<std::size_t, std::size_t>> out;
    const std::vector<Segment> lines = lineSegments(pic);
    for (std::size_t i = 0; i < pic.items.size(); ++i) {
        const Primitive& t = pic.items[i];
        if (t.kind != Primitive::Kind::Text || t.text.empty()) continue;
        const TextBox b = grown(textBox(t), gap);
        std::size_t last = pic.items.size();
        for (const Segment& s : lines)
            if (s.item != last && crosses(b, s)) {
                out.emplace_back(i, s.item);
                last = s.item;
            }
    }
    return out;
}

TextPlacer::TextPlacer(const Picture& pic, const TextBox& frame, double gap, double textGap)
    : lines_(lineSegments(pic)), frame_(frame), gap_(gap), textGap_(textGap < 0 ? gap : textGap)
{
}

void TextPlacer::fixed(const Primitive& text) { placed_.push_back(textBox(text)); }

int TextPlacer::conflicts(const TextBox& b) const
{
    int n = 0;
    if (b.left < frame_.left || b.right > frame_.right || b.top < frame_.top || b.bottom > frame_.bottom) n += 4;
    const TextBox g = grown(b, gap_);
    for (const TextBox& o : placed_)
        if (b.intersects(o, textGap_)) n += 2;
    for (const TextBox& o : keepOut_)
        if (g.intersects(o)) ++n;
    for (const Segment& s : lines_)
        if (crosses(g, s)) ++n;
    return n;
}

std::size_t TextPlacer::place(Primitive& text, const std::vector<TextAnchor>& candidates)
{
    if (candidates.empty()) return 0;
    Primitive trial = text;
    const std::size_t best = *chooseCandidate(candidates.size(), [&](std::size_t i) -> std::optional<int> {
        trial.points = {candidates[i].at};
        trial.halign = candidates[i].halign;
        trial.valign = candidates[i].valign;
        return conflicts(textBox(trial));
    });
    text.points = {candidates[best].at};
    text.halign = candidates[best].halign;
    text.valign = candidates[best].valign;
    placed_.push_back(textBox(text));
    return best;
}

} // namespace qeln
