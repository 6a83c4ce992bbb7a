// The four charts of a design run as pictures, in the order the Diagrams
// window and the report page show them: per axis (weak, then strong) the
// interaction diagram and the resistance-versus-eccentricity plot.
#pragma once

#include "calc/section.h"
#include "present/picture.h"
#include "present/plot.h"
#include "present/textenv.h"
#include "diagrams.h"
#include "run.h"

#include <array>

namespace qeln {

struct DiagramPictures {
    // false: no diagrams (no valid run, or the diagrams could not be computed)
    bool valid = false;
    std::array<Picture, 2> interaction;    // index: the axis (0 weak, 1 strong)
    std::array<Picture, 2> eccentricity;

    // The four in reading order: weak interaction, weak eccentricity, strong
    // interaction, strong eccentricity.
    std::array<const Picture*, 4> inOrder() const
    {
        return {&interaction[0], &eccentricity[0], &interaction[1], &eccentricity[1]};
    }
};

inline std::size_t axisIndex(Axis a) { return a == Axis::Weak ? 0 : 1; }

// The size of a chart picture in picture units (see present/plot.h).
struct PlotSize {
    int width = kPlotWidth;
    int height = kPlotHeight;
};

// The size of the charts in the Diagrams window and the printed report, two
// of which stand side by side: smaller than a chart file's, so that their
// texts keep a readable size (about 5 pt in print, 10 pixels in a window of
// 1100), and still wide enough to keep a long legend (French, German) inside
// the plot area.
inline constexpr PlotSize kCompactPlotSize{720, 480};

// Draws computed diagrams in the language and with the decimal separator of
// env, each chart of `size`. Not valid (and nothing drawn) unless the
// diagrams are ok.
DiagramPictures drawDiagrams(const TextEnv& env, const Diagrams& d, PlotSize size = {});

// Computes and draws the diagrams of `in` with the safety factors, language
// and decimal separator of env (a few milliseconds).
DiagramPictures diagramPicturesOf(const TextEnv& env, const ColumnInput& in, PlotSize size = {});

} // namespace qeln
