// Placing the texts of a recorded picture: each text takes the first of its
// candidate positions where it overlaps no text placed before, crosses no
// line and stays inside the frame. Deterministic: the same picture and
// candidates give the same places.
#pragma once

#include "picture.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace qeln {

// A straight piece of a drawn line, in picture units; `item` is the index of
// the primitive it belongs to.
struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::size_t item = 0;
};

// Every drawn line of the picture as straight pieces: polylines, the edges of
// polygons and rectangles, arcs and ellipses as short chords. Texts have none.
std::vector<Segment> lineSegments(const Picture& pic);

// The part of the segment (x1, y1)-(x2, y2) inside the box or on its border,
// as the interval [t0, t1] of the parameter t along it (t = 0 at the start,
// 1 at the end; Liang-Barsky); none when no point of it is inside.
std::optional<std::pair<double, double>> clipSegment(double x1, double y1, double x2, double y2, const TextBox& box);

// True when the segment has a point inside the box or on its border.
bool crosses(const TextBox& box, const Segment& s);

// The choice of a text's place among `count` candidates: the first whose
// score is 0, else the one with the lowest score (the earliest of equals). A
// candidate scored none cannot be taken; none when no candidate can.
template <typename Score>
std::optional<std::size_t> chooseCandidate(std::size_t count, Score score)
{
    std::optional<std::size_t> best;
    int fewest = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<int> n = score(i);
        if (!n)
            continue;
        if (!best || *n < fewest) {
            best = i;
            fewest = *n;
        }
        if (*n == 0)
            break;
    }
    return best;
}

// The pairs (text item, line item) where a non-empty text's box, grown by
// `gap` on every side, is crossed by a drawn line.
std::vector<std::pair<std::size_t, std::size_t>> textsCrossingLines(const Picture& pic, double gap = 0);

// One place a text may take: its reference point and alignment.
struct TextAnchor {
    Point at;
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Top;
};

class TextPlacer {
public:
    // The lines of `pic` are the obstacles; a text must keep `gap` from them
    // (and `textGap`, when given, from other texts) and stay inside `frame`.
    TextPlacer(const Picture& pic, const TextBox& frame, double gap, double textGap = -1);

    // An area no text may cover (a filled shape without lines across it).
    void keepOut(const TextBox& box) { keepOut_.push_back(box); }
    // A text that is already where it must be.
    void fixed(const Primitive& text);

    // Moves the text to the first free candidate, or, when none is free, to
    // the one with the fewest conflicts (the earliest of equals). Returns the
    // index of the candidate taken; no candidates leaves the text as it is.
    std::size_t place(Primitive& text, const std::vector<TextAnchor>& candidates);

private:
    int conflicts(const TextBox& b) const;
    std::vector<Segment> lines_;
    std::vector<TextBox> keepOut_;
    std::vector<TextBox> placed_;
    TextBox frame_;
    double gap_;
    double textGap_;
};

} // namespace qeln
