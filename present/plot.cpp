// Charts as recorded pictures (see plot.h).
#include "plot.h"

#include "checktext.h"
#include "format.h"
#include "textlayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <tuple>
#include <utility>

namespace qeln {

// ---------------------------------------------------------------- ticks

namespace {

double powerOfTen(int exponent)
{
    double p = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        p *= 10;
    return exponent < 0 ? 1 / p : p;
}

// A tick value is (index) x mantissa x 10^exponent; with a negative exponent
// it is computed as a division by the power of ten, so that 3 x 0.1 reads 0.3
// and not 0.30000000000000004.
struct TickStep {
    int mantissa = 1;
    int exponent = 0;
};

TickStep stepOf(double step)
{
    TickStep s;
    s.exponent = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    const double m = step / powerOfTen(s.exponent);
    s.mantissa = m < 1.5 ? 1 : m < 3.5 ? 2 : m < 7.5 ? 5 : 10;
    if (s.mantissa == 10) {
        s.mantissa = 1;
        ++s.exponent;
    }
    return s;
}

double tickValue(long long index, const TickStep& s)
{
    const double units = static_cast<double>(index) * s.mantissa;
    return s.exponent < 0 ? units / powerOfTen(-s.exponent) : units * powerOfTen(s.exponent);
}

} // namespace

double Ticks::at(int i) const
{
    const TickStep s = stepOf(step);
    const long long first = std::llround(this->first / step);
    return tickValue(first + i, s);
}

int Ticks::decimals() const { return std::max(0, -stepOf(step).exponent); }

Ticks roundTicks(double lo, double hi, int maxTicks)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || std::fabs(lo) > 1e15 || std::fabs(hi) > 1e15) {
        lo = 0;
        hi = 1;
    }
    if (lo > hi)
        std::swap(lo, hi);
    if (hi - lo < 1e-9 * std::max(1.0, std::max(std::fabs(lo), std::fabs(hi)))) {
        const double pad = std::max(1.0, 0.1 * std::fabs(lo));
        lo -= pad;
        hi += pad;
    }
    maxTicks = std::max(maxTicks, 3);
    // the smallest 1-2-5 step that covers [lo, hi] with at most maxTicks ticks
    const double raw = (hi - lo) / (maxTicks - 1);
    int exponent = static_cast<int>(std::floor(std::log10(raw))) - 1;
    static constexpr std::array<int, 3> kMantissas{1, 2, 5};
    for (int guard = 0; guard < 40; ++guard, ++exponent) {
        for (const int m : kMantissas) {
            const TickStep s{m, exponent};
            const double step = tickValue(1, s);
            long long i0 = static_cast<long long>(std::floor(lo / step));
            long long i1 = static_cast<long long>(std::ceil(hi / step));
            while (tickValue(i0, s) > lo)
                --i0;
            while (tickValue(i1, s) < hi)
                ++i1;
            if (i1 - i0 + 1 <= maxTicks) {
                Ticks t;
                t.step = step;
                t.first = tickValue(i0, s);
                t.count = static_cast<int>(i1 - i0 + 1);
                return t;
            }
        }
    }
    return Ticks{};
}

std::string tickLabel(double v, int decimals, const std::string& decimalSeparator)
{
    if (!std::isfinite(v))
        v = 0;
    std::string s = formatFixed(v, decimals, decimalSeparator);
    // no "-0" or "-0.0"
    if (!s.empty() && s[0] == '-' && s.find_first_not_of("-0.,") == std::string::npos)
        s.erase(0, 1);
    return s;
}

// ---------------------------------------------------------------- layout

namespace {

constexpr int kTitleHeight = 18;
constexpr int kTextHeight = 13;
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrid{222, 222, 222};
constexpr Rgb kFrame{90, 90, 90};

struct Rect {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool intersects(const Rect& o, double gap = 0) const
    {
        return left < o.right + gap && o.left < right + gap && top < o.bottom + gap && o.top < bottom + gap;
    }
    bool inside(const Rect& o) const { return left >= o.left && right <= o.right && top >= o.top && bottom <= o.bottom; }
};

Rect rectOf(const TextBox& b) { return {b.left, b.top, b.right, b.bottom}; }

struct PixelPoint {
    double x = 0, y = 0;
};

TextBox boxOf(const Rect& r) { return TextBox{r.left, r.top, r.right, r.bottom}; }

// Whether the segment a-b crosses or touches the rectangle.
bool segmentHits(PixelPoint a, PixelPoint b, const Rect& r)
{
    return clipSegment(a.x, a.y, b.x, b.y, boxOf(r)).has_value();
}

// The part of segment a-b inside the rectangle, if any.
std::optional<std::pair<PixelPoint, PixelPoint>> clipToRect(PixelPoint a, PixelPoint b, const Rect& r)
{
    const auto t = clipSegment(a.x, a.y, b.x, b.y, boxOf(r));
    if (!t)
        return std::nullopt;
    const double dx = b.x - a.x, dy = b.y - a.y;
    return std::make_pair(PixelPoint{a.x + t->first * dx, a.y + t->first * dy},
                          PixelPoint{a.x + t->second * dx, a.y + t->second * dy});
}

int px(double v) { return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6))); }

Font fontOf(int height, Rgb color = kBlack)
{
    Font f;
    f.height = height;
    f.color = color;
    return f;
}

// A text to place: its box for the given reference point and alignment.
Rect boxAt(const std::string& text, const Font& font, double x, double y, HAlign h, VAlign v)
{
    Primitive p;
    p.kind = Primitive::Kind::Text;
    p.points = {{px(x), px(y)}};
    p.text = text;
    p.font = font;
    p.halign = h;
    p.valign = v;
    return rectOf(textBox(p));
}

struct PlacedText {
    int x, y;
    std::string text;
    Font font;
    HAlign h;
    VAlign v;
    bool halo = false;   // on a white ground: it lies over a curve
};

struct Candidate {
    double x, y;
    HAlign h;
    VAlign v;
};

struct Legend {
    struct Entry {
        std::string label;
        Rgb color;
        int width = 2;
        bool dashed = false;
        bool marker = false;   // a marker's disc or square instead of a line
        bool square = false;
    };
    std::vector<Entry> entries;
    double width = 0, height = 0;
    static constexpr double kSample = 34, kPad = 8, kRow = 19;

    void measure()
    {
        double w = 0;
        for (const Entry& e : entries)
            w = std::max(w, textWidth(fontOf(kTextHeight), e.label));
        width = entries.empty() ? 0 : kPad + kSample + 8 + w + kPad;
        height = entries.empty() ? 0 : 2 * kPad + kRow * static_cast<double>(entries.size()) - 4;
    }
};

class ChartLayout {
public:
    ChartLayout(const Chart& chart, const std::string& sep, int width, int height)
        : chart_(chart), sep_(sep), W_(std::max(width, kPlotMinWidth)), H_(std::max(height, kPlotMinHeight))
    {
    }

    Picture draw();

private:
    void ranges();
    enum class LegendAt { inside, right, below };
    void frame(LegendAt legend);
    PixelPoint map(double x, double y) const
    {
        return {area_.left + (x - xt_.first) / (xt_.last() - xt_.first) * (area_.right - area_.left),
                area_.bottom - (y - yt_.first) / (yt_.last() - yt_.first) * (area_.bottom - area_.top)};
    }
    std::vector<std::vector<PixelPoint>> pixelCurve(const ChartCurve& c) const;
    bool crossesCurves(const Rect& r) const;
    int curveCrossings(const Rect& r) const;
    bool hitsText(const Rect& r, double gap) const;
    bool hitsMarkers(const Rect& r) const;
    std::optional<Rect> placeLegend();
    void placeText(const std::string& text, const Font& font, const std::vector<Candidate>& candidates,
                   bool mustStayInside);

    const Chart& chart_;
    const std::string& sep_;
    int W_, H_;                                  // the picture's size
    double x0_ = 0, x1_ = 1, y0_ = 0, y1_ = 1;   // data ranges
    Ticks xt_, yt_;
    Rect area_;                                  // the plot area in picture units
    std::vector<std::vector<PixelPoint>> paths_; // every drawn curve and line, in pixels
    std::vector<Rect> markerBoxes_;
    std::vector<std::pair<std::vector<PixelPoint>, Rgb>> leaders_;   // marker to its far label
    std::vector<Rect> obstacles_;                // boxes no text may touch (the legend)
    std::vector<PlacedText> texts_;
    std::vector<Rect> textBoxes_;
    Legend legend_;
    Rect legendBox_;
};

void ChartLayout::ranges()
{
    bool any = false;
    auto take = [&](double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        if (!any) {
            x0_ = x1_ = x;
            y0_ = y1_ = y;
            any = true;
        }
        x0_ = std::min(x0_, x);
        x1_ = std::max(x1_, x);
        y0_ = std::min(y0_, y);
        y1_ = std::max(y1_, y);
    };
    take(chart_.xMin, chart_.yMin);
    take(chart_.xMax, chart_.yMax);
    for (const ChartCurve& c : chart_.curves)
        for (std::size_t i = 0; i < std::min(c.x.size(), c.y.size()); ++i)
            take(c.x[i], c.y[i]);
    for (const ChartMarker& m : chart_.markers)
        take(m.x, m.y);
    for (const ChartLine& l : chart_.lines)
        if (std::isfinite(l.at)) {
            if (l.vertical)
                take(l.at, y0_);
            else
                take(x0_, l.at);
        }
}

void ChartLayout::frame(LegendAt legend)
{
    // y ticks first: their labels decide the left margin
    const int plotTop = chart_.note.empty() ? 72 : 90;
    const int plotBottom = H_ - 62 - (legend == LegendAt::below ? static_cast<int>(legend_.height) + 8 : 0);
    yt_ = roundTicks(y0_, y1_, std::clamp((plotBottom - plotTop) / 45, 4, 9));
    double labelWidth = 0;
    for (int i = 0; i < yt_.count; ++i)
        labelWidth = std::max(labelWidth, textWidth(fontOf(kTextHeight), tickLabel(yt_.at(i), yt_.decimals(), sep_)));
    const double left = std::max(60.0, 18 + labelWidth + 10);
    const double right = W_ - 24 - (legend == LegendAt::right ? legend_.width + 16 : 0);
    area_ = {left, static_cast<double>(plotTop), right, static_cast<double>(plotBottom)};
    // x ticks: as many as fit with their labels apart
    for (int maxTicks = 11; maxTicks >= 3; --maxTicks) {
        xt_ = roundTicks(x0_, x1_, maxTicks);
        double widest = 0;
        for (int i = 0; i < xt_.count; ++i)
            widest = std::max(widest, textWidth(fontOf(kTextHeight), tickLabel(xt_.at(i), xt_.decimals(), sep_)));
        const double spacing = (area_.right - area_.left) / std::max(1, xt_.count - 1);
        if (widest + 12 <= spacing)
            break;
    }
    paths_.clear();
    for (const ChartCurve& c : chart_.curves)
        for (auto& piece : pixelCurve(c))
            paths_.push_back(std::move(piece));
    for (const ChartLine& l : chart_.lines) {
        if (!std::isfinite(l.at))
            continue;
        if (l.vertical) {
            const double x = map(l.at, 0).x;
            paths_.push_back({{x, area_.top}, {x, area_.bottom}});
        } else {
            const double y = map(0, l.at).y;
            paths_.push_back({{area_.left, y}, {area_.right, y}});
        }
    }
    markerBoxes_.clear();
    for (const ChartMarker& m : chart_.markers) {
        if (!std::isfinite(m.x) || !std::isfinite(m.y))
            continue;
        const PixelPoint p = map(m.x, m.y);
        markerBoxes_.push_back({p.x - 6, p.y - 6, p.x + 6, p.y + 6});
    }
}

std::vector<std::vector<PixelPoint>> ChartLayout::pixelCurve(const ChartCurve& c) const
{
    std::vector<std::vector<PixelPoint>> pieces(1);
    const std::size_t n = std::min(c.x.size(), c.y.size());
    // The previous finite point, when there is one (a flag rather than an
    // optional: GCC 12 at -O3 takes the optional's value for uninitialised).
    PixelPoint last;
    bool haveLast = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(c.x[i]) || !std::isfinite(c.y[i])) {
            haveLast = false;
            if (!pieces.back().empty())
                pieces.emplace_back();
            continue;
        }
        const PixelPoint p = map(c.x[i], c.y[i]);
        if (haveLast) {
            if (const auto seg = clipToRect(last, p, area_)) {
                auto& piece = pieces.back();
                const bool joins = !piece.empty() && std::fabs(piece.back().x - seg->first.x) < 1e-6 &&
                                   std::fabs(piece.back().y - seg->first.y) < 1e-6;
                if (!joins) {
                    if (!piece.empty())
                        pieces.emplace_back();
                    pieces.back().push_back(seg->first);
                }
                pieces.back().push_back(seg->second);
            } else if (!pieces.back().empty()) {
                pieces.emplace_back();
            }
        } else if (n == 1) {
            pieces.back().push_back(p);
        }
        last = p;
        haveLast = true;
    }
    if (pieces.back().empty())
        pieces.pop_back();
    return pieces;
}

bool ChartLayout::crossesCurves(const Rect& r) const
{
    for (const auto& path : paths_)
        for (std::size_t i = 1; i < path.size(); ++i)
            if (segmentHits(path[i - 1], path[i], r))
                return true;
    return false;
}

int ChartLayout::curveCrossings(const Rect& r) const
{
    int n = 0;
    for (const auto& path : paths_)
        for (std::size_t i = 1; i < path.size(); ++i)
            n += segmentHits(path[i - 1], path[i], r) ? 1 : 0;
    return n;
}

bool ChartLayout::hitsText(const Rect& r, double gap) const
{
    for (const Rect& b : textBoxes_)
        if (r.intersects(b, gap))
            return true;
    for (const Rect& b : obstacles_)
        if (r.intersects(b, gap))
            return true;
    return false;
}

bool ChartLayout::hitsMarkers(const Rect& r) const
{
    for (const Rect& b : markerBoxes_)
        if (r.intersects(b))
            return true;
    return false;
}

std::optional<Rect> ChartLayout::placeLegend()
{
    const double w = legend_.width, h = legend_.height, m = 10;
    const Rect& a = area_;
    const double midX = (a.left + a.right - w) / 2, midY = (a.top + a.bottom - h) / 2;
    const std::array<PixelPoint, 8> corners{{{a.right - m - w, a.top + m},
                                             {a.left + m, a.top + m},
                                             {a.right - m - w, a.bottom - m - h},
                                             {a.left + m, a.bottom - m - h},
                                             {midX, a.top + m},
                                             {a.right - m - w, midY},
                                             {midX, a.bottom - m - h},
                                             {a.left + m, midY}}};
    for (const PixelPoint& c : corners) {
        const Rect r{c.x, c.y, c.x + w, c.y + h};
        if (r.left < a.left || r.top < a.top)
            continue;
        if (!crossesCurves(r) && !hitsMarkers(r))
            return r;
    }
    return std::nullopt;
}

void ChartLayout::placeText(const std::string& text, const Font& font, const std::vector<Candidate>& candidates,
                            bool mustStayInside)
{
    if (text.empty())
        return;
    const Rect page{2, 2, W_ - 2.0, H_ - 2.0};
    const Rect& bounds = mustStayInside ? area_ : page;
    auto take = [&](const Candidate& c, bool halo) {
        texts_.push_back({px(c.x), px(c.y), text, font, c.h, c.v, halo});
        textBoxes_.push_back(boxAt(text, font, px(c.x), px(c.y), c.h, c.v));
    };
    // first a place clear of texts, curves and markers
    const auto clear = chooseCandidate(candidates.size(), [&](std::size_t i) -> std::optional<int> {
        const Candidate& c = candidates[i];
        const Rect r = boxAt(text, font, c.x, c.y, c.h, c.v);
        if (r.inside(bounds) && !hitsText(r, 3) && !crossesCurves(r) && !hitsMarkers(r))
            return 0;
        return std::nullopt;
    });
    if (clear) {
        take(candidates[*clear], false);
        return;
    }
    // then the one clear of texts that crosses the fewest curve pieces (on a
    // white ground), a marker counting as many
    for (const Rect& area : {bounds, page}) {
        const auto fewest = chooseCandidate(candidates.size(), [&](std::size_t i) -> std::optional<int> {
            const Candidate& c = candidates[i];
            const Rect r = boxAt(text, font, c.x, c.y, c.h, c.v);
            if (!r.inside(area) || hitsText(r, 3))
                return std::nullopt;
            return curveCrossings(r) + (hitsMarkers(r) ? 1000 : 0);
        });
        if (fewest) {
            take(candidates[*fewest], true);
            return;
        }
    }
    // last resort: scan the page in rows for a free place
    for (double y = page.top + 4; y < page.bottom - font.height; y += 6)
        for (double x = page.left + 4; x < page.right - 20; x += 12) {
            const Rect r = boxAt(text, font, x, y, HAlign::Left, VAlign::Top);
            if (r.inside(page) && !hitsText(r, 3)) {
                texts_.push_back({px(x), px(y), text, font, HAlign::Left, VAlign::Top, true});
                textBoxes_.push_back(boxAt(text, font, px(x), px(y), HAlign::Left, VAlign::Top));
                return;
            }
        }
}

void pen(Canvas& c, Rgb color, int width, bool dashed = false)
{
    c.pen.color = color;
    c.pen.width = width;
    c.pen.dashed = dashed;
}

void polyline(Canvas& c, const std::vector<PixelPoint>& path)
{
    if (path.size() < 2)
        return;
    c.moveTo(px(path[0].x), px(path[0].y));
    for (std::size_t i = 1; i < path.size(); ++i)
        c.lineTo(px(path[i].x), px(path[i].y));
}

void markerShape(Canvas& c, double x, double y, Rgb color, bool square, double r)
{
    pen(c, color, 1);
    c.brush.color = color;
    c.brush.solid = true;
    if (square)
        c.rectangle(px(x - r), px(y - r), px(x + r), px(y + r));
    else
        c.ellipse(px(x - r), px(y - r), px(x + r), px(y + r));
}

Picture ChartLayout::draw()
{
    if (chart_.curves.empty() && chart_.markers.empty() && chart_.lines.empty()) {
        // nothing to plot: the title and the note alone, no empty axes
        Picture pic;
        pic.width = W_;
        pic.height = H_;
        Canvas c(pic);
        c.brush.solid = false;
        c.halign = HAlign::Center;
        c.font = fontOf(kTitleHeight);
        c.textOut(W_ / 2, 12, chart_.title);
        c.font = fontOf(kTextHeight);
        if (!chart_.note.empty())
            c.textOut(W_ / 2, 40, chart_.note);
        return pic;
    }
    ranges();
    for (const ChartCurve& c : chart_.curves)
        if (!c.label.empty())
            legend_.entries.push_back({c.label, c.color, c.width, c.dashed, false, false});
    legend_.measure();

    frame(LegendAt::inside);
    std::optional<Rect> legendAt = legend_.entries.empty() ? std::optional<Rect>(Rect{}) : placeLegend();
    if (!legendAt) {
        // no free place inside: below the x axis's label when the plot keeps
        // a useful height there, else beside the plot area
        const double heightBelow = (area_.bottom - area_.top) - legend_.height - 8;
        const double widthBeside = (area_.right - area_.left) - legend_.width - 16;
        if (heightBelow >= 160 || heightBelow >= widthBeside) {
            frame(LegendAt::below);
            const double y = area_.bottom + 52;
            legendAt = Rect{area_.left, y, area_.left + legend_.width, y + legend_.height};
        } else {
            frame(LegendAt::right);
            const double x = area_.right + 16;
            legendAt = Rect{x, area_.top, x + legend_.width, area_.top + legend_.height};
        }
    }
    legendBox_ = *legendAt;
    if (!legend_.entries.empty())
        obstacles_.push_back(legendBox_);

    // fixed texts: title, note, axis labels, tick labels
    const Font title = fontOf(kTitleHeight);
    const Font small = fontOf(kTextHeight);
    const Font grey = fontOf(kTextHeight, {70, 70, 70});
    texts_.push_back({W_ / 2, 12, chart_.title, title, HAlign::Center, VAlign::Top});
    if (!chart_.note.empty())
        texts_.push_back({W_ / 2, 40, chart_.note, small, HAlign::Center, VAlign::Top});
    texts_.push_back({px(area_.left - 8), px(area_.top - 16), chart_.yLabel, small, HAlign::Left, VAlign::Bottom});
    texts_.push_back({px(area_.right), px(area_.bottom + 30), chart_.xLabel, small, HAlign::Right, VAlign::Top});
    for (int i = 0; i < xt_.count; ++i) {
        const double x = map(xt_.at(i), 0).x;
        texts_.push_back({px(x), px(area_.bottom + 9), tickLabel(xt_.at(i), xt_.decimals(), sep_), grey,
                          HAlign::Center, VAlign::Top});
    }
    for (int i = 0; i < yt_.count; ++i) {
        const double y = map(0, yt_.at(i)).y;
        texts_.push_back({px(area_.left - 7), px(y + 0.35 * kTextHeight), tickLabel(yt_.at(i), yt_.decimals(), sep_),
                          grey, HAlign::Right, VAlign::Baseline});
    }
    for (PlacedText& t : texts_)
        textBoxes_.push_back(boxAt(t.text, t.font, t.x, t.y, t.h, t.v));

    // the reference lines' labels, then the markers' labels
    for (const ChartLine& l : chart_.lines) {
        if (!std::isfinite(l.at))
            continue;
        const Font f = fontOf(kTextHeight, l.color);
        if (l.vertical) {
            const double x = map(l.at, 0).x;
            placeText(l.label, f,
                      {{x + 5, area_.top + 4, HAlign::Left, VAlign::Top},
                       {x - 5, area_.top + 4, HAlign::Right, VAlign::Top},
                       {x + 5, area_.bottom - 4, HAlign::Left, VAlign::Bottom},
                       {x - 5, area_.bottom - 4, HAlign::Right, VAlign::Bottom},
                       {x + 5, (area_.top + area_.bottom) / 2, HAlign::Left, VAlign::Top},
                       {x - 5, (area_.top + area_.bottom) / 2, HAlign::Right, VAlign::Top}},
                      true);
        } else {
            const double y = map(0, l.at).y;
            std::vector<Candidate> cands;
            for (const double fx : {0.98, 0.02, 0.5, 0.75, 0.25, 0.9, 0.1, 0.6, 0.4, 0.8, 0.2, 0.7, 0.3})
                for (const bool above : {true, false}) {
                    const double x = area_.left + fx * (area_.right - area_.left);
                    const HAlign h = fx > 0.9 ? HAlign::Right : fx < 0.1 ? HAlign::Left : HAlign::Center;
                    cands.push_back({x, above ? y - 3 : y + 3, h, above ? VAlign::Bottom : VAlign::Top});
                }
            placeText(l.label, f, cands, true);
        }
    }
    for (const ChartMarker& m : chart_.markers) {
        if (!std::isfinite(m.x) || !std::isfinite(m.y))
            continue;
        const PixelPoint p = map(m.x, m.y);
        std::vector<Candidate> cands;
        for (const double d : {9.0, 18.0, 32.0, 52.0, 80.0, 120.0, 170.0})
            for (const auto& [dx, dy, h, v] :
                 {std::tuple{1.0, -1.0, HAlign::Left, VAlign::Bottom}, std::tuple{1.0, 1.0, HAlign::Left, VAlign::Top},
                  std::tuple{-1.0, -1.0, HAlign::Right, VAlign::Bottom},
                  std::tuple{-1.0, 1.0, HAlign::Right, VAlign::Top}, std::tuple{0.0, -1.0, HAlign::Center, VAlign::Bottom},
                  std::tuple{0.0, 1.0, HAlign::Center, VAlign::Top}, std::tuple{1.4, 0.0, HAlign::Left, VAlign::Bottom},
                  std::tuple{-1.4, 0.0, HAlign::Right, VAlign::Bottom}})
                cands.push_back({p.x + dx * d, p.y + dy * d, h, v});
        const std::size_t before = texts_.size();
        placeText(m.label, fontOf(kTextHeight, m.color), cands, true);
        if (texts_.size() > before) {
            // a label placed away from its marker gets a leader line to it
            const Rect& box = textBoxes_.back();
            const double cx = std::clamp(p.x, box.left, box.right), cy = std::clamp(p.y, box.top, box.bottom);
            if (std::hypot(cx - p.x, cy - p.y) > 24) {
                leaders_.push_back({{{p.x, p.y}, {cx, cy}}, m.color});
                paths_.push_back(leaders_.back().first);
            }
        }
    }

    // record: grid, frame, curves, lines, markers, legend, texts
    Picture pic;
    pic.width = W_;
    pic.height = H_;
    Canvas c(pic);
    c.brush.solid = false;
    pen(c, kGrid, 1);
    for (int i = 0; i < xt_.count; ++i) {
        const int x = px(map(xt_.at(i), 0).x);
        c.moveTo(x, px(area_.top));
        c.lineTo(x, px(area_.bottom));
    }
    for (int i = 0; i < yt_.count; ++i) {
        const int y = px(map(0, yt_.at(i)).y);
        c.moveTo(px(area_.left), y);
        c.lineTo(px(area_.right), y);
    }
    pen(c, kFrame, 1);
    c.brush.solid = false;
    c.rectangle(px(area_.left), px(area_.top), px(area_.right), px(area_.bottom));
    for (const ChartCurve& cv : chart_.curves) {
        pen(c, cv.color, cv.width, cv.dashed);
        for (const auto& piece : pixelCurve(cv))
            polyline(c, piece);
    }
    for (const ChartLine& l : chart_.lines) {
        if (!std::isfinite(l.at))
            continue;
        pen(c, l.color, 1, l.dashed);
        if (l.vertical) {
            const int x = px(map(l.at, 0).x);
            c.moveTo(x, px(area_.top));
            c.lineTo(x, px(area_.bottom));
        } else {
            const int y = px(map(0, l.at).y);
            c.moveTo(px(area_.left), y);
            c.lineTo(px(area_.right), y);
        }
    }
    for (const auto& [path, color] : leaders_) {
        pen(c, color, 1);
        polyline(c, path);
    }
    for (const ChartMarker& m : chart_.markers) {
        if (!std::isfinite(m.x) || !std::isfinite(m.y))
            continue;
        const PixelPoint p = map(m.x, m.y);
        markerShape(c, p.x, p.y, m.color, m.square, 5);
    }
    if (!legend_.entries.empty()) {
        pen(c, kFrame, 1);
        c.brush.color = {255, 255, 255};
        c.brush.solid = true;
        c.rectangle(px(legendBox_.left), px(legendBox_.top), px(legendBox_.right), px(legendBox_.bottom));
        c.brush.solid = false;
        double y = legendBox_.top + Legend::kPad + kTextHeight * 0.5;
        const double x = legendBox_.left + Legend::kPad;
        for (const Legend::Entry& e : legend_.entries) {
            if (e.marker) {
                markerShape(c, x + Legend::kSample / 2, y, e.color, e.square, 5);
                c.brush.solid = false;
            } else {
                pen(c, e.color, e.width, e.dashed);
                c.moveTo(px(x), px(y));
                c.lineTo(px(x + Legend::kSample), px(y));
            }
            texts_.push_back({px(x + Legend::kSample + 8), px(y + 0.35 * kTextHeight), e.label, small, HAlign::Left,
                              VAlign::Baseline});
            y += Legend::kRow;
        }
    }
    for (const PlacedText& t : texts_) {
        if (!t.halo)
            continue;
        const Rect b = boxAt(t.text, t.font, t.x, t.y, t.h, t.v);
        pen(c, {255, 255, 255}, 1);
        c.brush.color = {255, 255, 255};
        c.brush.solid = true;
        c.rectangle(px(b.left - 2), px(b.top - 1), px(b.right + 2), px(b.bottom + 1));
    }
    c.brush.solid = false;
    for (const PlacedText& t : texts_) {
        if (t.text.empty())
            continue;
        c.font = t.font;
        c.halign = t.h;
        c.valign = t.v;
        c.textOut(t.x, t.y, t.text);
    }
    return pic;
}

} // namespace

Picture drawChart(const Chart& chart, const std::string& decimalSeparator, int width, int height)
{
    ChartLayout layout(chart, decimalSeparator, width, height);
    return layout.draw();
}

// ---------------------------------------------------------------- the two plots

namespace {

constexpr Rgb kPlastic{30, 30, 30};
constexpr Rgb kAllowed{0, 90, 190};
constexpr Rgb kActing{200, 90, 0};
constexpr Rgb kResistance{200, 0, 0};
constexpr Rgb kLoad{0, 130, 60};
constexpr Rgb kLoadFirstOrder{140, 200, 160};   // kLoad, lighter
constexpr std::array<Rgb, 5> kRowColors{{{20, 20, 20}, {0, 120, 200}, {230, 140, 0}, {200, 30, 30}, {120, 40, 160}}};

std::string axisName(const TextEnv& env, Axis axis) { return env.text(axis == Axis::Weak ? 1302 : 1303); }

// Forces as the result table shows them: whole kN.
std::string kN(double v, const std::string& sep) { return tickLabel(v, 0, sep) + " kN"; }

// An eccentricity in mm with up to two decimals, no trailing zeros.
std::string mm(double e, const std::string& sep)
{
    std::string s = tickLabel(e, 2, sep);
    const std::size_t at = s.rfind(sep);
    if (at != std::string::npos) {
        while (s.size() > at + sep.size() && s.back() == '0')
            s.pop_back();
        if (s.size() == at + sep.size())
            s.erase(at);
    }
    return s + " mm";
}

std::string rowLabel(const TextEnv& env, int row)
{
    if (row == rowService)
        return env.text(1087);
    return fireClassLabel(kFireClasses[static_cast<std::size_t>(row - 1)]);
}

// A chart's title (the axis's name after it) and axis labels; without data
// to draw, the note that there is no diagram.
Chart chartOf(const TextEnv& env, int titleId, Axis axis, int xLabelId, int yLabelId, bool valid)
{
    Chart chart;
    chart.title = env.text(titleId) + " - " + axisName(env, axis);
    chart.xLabel = env.text(xLabelId);
    chart.yLabel = env.text(yLabelId);
    if (!valid)
        chart.note = env.text(1314);
    return chart;
}

} // namespace

Picture interactionPlot(const TextEnv& env, const InteractionDiagram& d, Axis axis, int width, int height)
{
    const std::string& sep = env.decimalSeparator;
    Chart chart = chartOf(env, 1300, axis, 1309, 1310, d.valid);
    if (!d.valid)
        return drawChart(chart, sep, width, height);
    chart.note = "e = " + mm(d.e, sep);
    if (d.biaxialN)
        chart.note.append(";  ").append(env.text(1321)).append(" ").append(kN(*d.biaxialN, sep));
    chart.curves.push_back({d.plasticM, d.plasticN, kPlastic, 2, false, env.text(d.plasticText)});
    chart.curves.push_back({d.allowedM, d.allowedN, kAllowed, 2, false, withDecimalSeparator(env.text(d.allowedText), sep)});
    chart.curves.push_back({d.actingM, d.actingN, kActing, 2, true, env.text(d.actingText)});
    chart.markers.push_back({d.resistanceM, d.resistanceN, kResistance,
                             env.text(1307) + " " + kN(d.resistanceN, sep), false});
    // the load at the moment that acts on it (second order), the first-order
    // point lighter beside it; the margin to the axis's eccentric resistance
    if (d.loadN && d.loadFirstOrderM && (!d.loadM || *d.loadM != *d.loadFirstOrderM))   // not where they coincide (e = 0)
        chart.markers.push_back({*d.loadFirstOrderM, *d.loadN, kLoadFirstOrder, env.text(1759), true});
    if (d.loadN && d.loadM)
        chart.markers.push_back({*d.loadM, *d.loadN, kLoad, env.text(1308) + " N.Ed = " + kN(*d.loadN, sep), true});
    if (d.loadN && d.resistanceN > 0) {
        const double margin = 1 - *d.loadN / d.resistanceN;
        if (std::isfinite(margin))
            chart.note.append(";  ").append(env.text(1760)).append(" ").append(formatFixed(100 * margin, 0, sep)).append(" %");
    }
    return drawChart(chart, sep, width, height);
}

Picture eccentricityPlot(const TextEnv& env, const ResistanceCurves& c, Axis axis, int width, int height)
{
    const std::string& sep = env.decimalSeparator;
    Chart chart = chartOf(env, 1301, axis, 1311, 1312, c.valid);
    if (!c.valid)
        return drawChart(chart, sep, width, height);
    chart.xMax = c.eLimit;
    for (const ResistanceSeries& s : c.series) {
        std::string label = rowLabel(env, s.row);
        if (s.outside)
            label += " - " + env.text(1313);
        chart.curves.push_back({c.e, s.N, kRowColors[static_cast<std::size_t>(std::clamp(s.row, 0, 4))],
                                s.row == rowService ? 3 : 2, s.outside, label});
    }
    if (c.nEd)
        chart.lines.push_back({false, *c.nEd, kLoad, true, "N.Ed = " + kN(*c.nEd, sep)});
    if (c.nFiEd) {
        std::string label = "N.fi,Ed = " + kN(*c.nFiEd, sep);
        if (c.fireClass)
            label += " (" + std::string(fireClassLabel(*c.fireClass)) + ")";
        chart.lines.push_back({false, *c.nFiEd, {160, 0, 0}, true, label});
    }
    chart.lines.push_back({true, c.eProject, {90, 90, 90}, true,
                           "e = " + mm(c.eProject, sep)});
    return drawChart(chart, sep, width, height);
}

} // namespace qeln
