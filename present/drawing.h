// The dimensioned drawing of the section.
#pragma once

#include "picture.h"
#include "textenv.h"
#include "textlayout.h"

#include "calc/records.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace qeln {

struct SectionDrawing {
    std::string profileName;
    int AN1 = 4, AN2 = 0, AN3 = 0, AN4 = 0;
    double h = 0, b = 0, tw = 0, tf = 0, r = 0;
    double uf1 = 0, uc1 = 0, UC2 = 0;
    double dCalc = 0, d = 0;
    double UF1 = 0, UF2 = 0, UF3 = 0, UF4 = 0;
    // Load eccentricities as entered (signed, mm): e1 about the weak axis
    // z-z (the load moves along the flange width), e2 about the strong axis
    // y-y (the load moves along the profile height). Zero draws no arrow.
    double e1 = 0, e2 = 0;
};

// A text of the drawing: a dimension (its value, one decimal), the profile
// caption, the rebar caption (the diameter, no decimals), an eccentricity
// ("e1 = 50 mm"), or a fixed text written with the geometry (an axis name).
// The labelling writes the words in the language and separator asked for and
// then moves each text to the first of its candidate places that is free.
struct FigureLabel {
    enum class Kind { Dimension, ProfileCaption, RebarCaption, Eccentricity, Fixed };
    std::size_t item = 0;   // index of the text in the picture's items
    Kind kind = Kind::Dimension;
    double value = 0;
    std::string name;                    // Eccentricity: "e1" or "e2"
    std::vector<TextAnchor> candidates;  // in order of preference; empty: stays
};

// The drawing's geometry, with its texts still empty.
struct SectionFigure {
    Picture picture;
    std::vector<FigureLabel> labels;
    std::string profileName;
    int bars = 0;
    std::vector<TextBox> keepOut;   // filled steel and bars: no text over them
};

// A section that cannot be drawn: a value that is not finite or a
// coordinate out of range. An error of the drawing, never of the calculation.
class DrawingError : public std::runtime_error {
public:
    explicit DrawingError(const std::string& what) : std::runtime_error(what) {}
};

// The geometry of the drawing. Throws DrawingError for a value that is not
// finite or a coordinate out of range.
SectionFigure figureOf(const SectionDrawing& s);

// The figure with its texts written in the language and separator of env and
// placed so that no two overlap and none crosses a line.
Picture labelled(const TextEnv& env, SectionFigure fig);

// Replaces the picture's content and size with the drawing of the section
// (figureOf, then labelled); a fault leaves the picture as it was.
void DrawSection(const TextEnv& env, Picture& pic, const SectionDrawing& s);

// The drawing's input: the project's section and rebars, the rows as the
// service run laid them out and the working diameter.
SectionDrawing sectionDrawingOf(const ColumnInput& in, const RebarLayout& rows, double dCalc);

} // namespace qeln
