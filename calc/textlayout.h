// Placing the texts of a recorded picture: each text takes the first of its
// candidate positions where it overlaps no text placed before, crosses no
// line and stays inside the frame. Deterministic: the same picture and
// candidates give the same places.
#pragma once

#include "picture.h"

#include <cstddef>
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

// True when the segment has a point inside the box or on its border.
bool crosses(const TextBox& box, const Segment& s);

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
