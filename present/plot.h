// Charts as recorded pictures: the interaction diagram and the resistance-
// versus-eccentricity plot of one axis, and the generic pieces they are made
// of (round ticks, axes, grid, legend, curves, markers). One picture for the
// screen, the report and the SVG file; every text from the catalogue.
#pragma once

#include "picture.h"
#include "textenv.h"

#include "calc/diagramdata.h"
#include "calc/section.h"

#include <string>
#include <vector>

namespace qeln {

// Size of a chart picture in picture units (the SVG's pixels). Texts keep
// their size (13 units, the title 18) whatever the picture's: a smaller
// picture, shown at the same width, has larger texts (a report page with
// several plots). Sizes below kPlotMinWidth x kPlotMinHeight are raised to it.
inline constexpr int kPlotWidth = 960;
inline constexpr int kPlotHeight = 640;
inline constexpr int kPlotMinWidth = 560;
inline constexpr int kPlotMinHeight = 380;

// The interaction diagram of `axis`: plastic curve, allowed curve, acting
// moment, the eccentric resistance marked and labelled, the design load.
// An invalid diagram gives a picture with its title and a short note.
Picture interactionPlot(const TextEnv& env, const InteractionDiagram& d, Axis axis, int width = kPlotWidth,
                        int height = kPlotHeight);

// The eccentric resistance against the eccentricity about `axis`: one curve
// per row (dashed outside the method's field), the design loads as
// horizontal lines, the project's eccentricity as a vertical line.
Picture eccentricityPlot(const TextEnv& env, const ResistanceCurves& c, Axis axis, int width = kPlotWidth,
                         int height = kPlotHeight);

// ---------------------------------------------------------------- chart pieces

// Ticks at round numbers (1, 2 or 5 times a power of ten) whose first is at
// or below lo and whose last is at or above hi, at most about maxTicks of
// them. lo == hi gives a range around the value; non-finite input gives 0..1.
struct Ticks {
    double first = 0, step = 1;
    int count = 2;              // first, first + step, ... (count values)
    double last() const { return first + (count - 1) * step; }
    double at(int i) const;     // the i-th value, rounded to the step's decimals
    int decimals() const;       // decimals a label needs for this step
};
Ticks roundTicks(double lo, double hi, int maxTicks = 8);

// A tick label: the value with `decimals` decimals and the language's
// decimal separator, "-" for negatives, no "-0".
std::string tickLabel(double v, int decimals, const std::string& decimalSeparator);

// One curve of a chart in data units.
struct ChartCurve {
    std::vector<double> x, y;
    Rgb color;
    int width = 2;
    bool dashed = false;
    std::string label;          // legend entry; empty: not in the legend
};

// A marked point with its value label.
struct ChartMarker {
    double x = 0, y = 0;
    Rgb color;
    std::string label;
    bool square = false;        // a square instead of a disc
};

// A full-width horizontal or full-height vertical reference line.
struct ChartLine {
    bool vertical = false;
    double at = 0;
    Rgb color;
    bool dashed = true;
    std::string label;          // written beside the line
};

struct Chart {
    std::string title;
    std::string xLabel, yLabel;       // with their units, e.g. "M [kNm]"
    std::vector<ChartCurve> curves;
    std::vector<ChartMarker> markers;
    std::vector<ChartLine> lines;
    std::string note;                 // a line under the title (e.g. why nothing is drawn)
    // the data range to cover at least (besides the curves, markers and lines)
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// Draws a chart into a picture of width x height: title, axes,
// ticks and grid, curves clipped to the plot area, markers with labels
// placed clear of each other, and the legend where no curve runs (or
// outside the plot area). Non-finite values are skipped, never drawn. A
// chart with nothing to plot is its title and note alone.
Picture drawChart(const Chart& chart, const std::string& decimalSeparator, int width = kPlotWidth,
                  int height = kPlotHeight);

} // namespace qeln
