// The numbers behind the interaction diagrams and the resistance-versus-
// eccentricity curves: plain data, filled by shell/diagrams.h from the design
// run and drawn by present/plot.h. Every value here is finite; a value that
// could not be computed is left out, never stored as NaN or infinity.
#pragma once

#include "records.h"

#include <optional>
#include <vector>

namespace qeln {

// The interaction diagram of one axis at room temperature (service buckling
// lengths), as the design method builds it: its plastic resistance, the
// moment it allows and the moment that acts. Forces in kN, moments in kNm,
// eccentricities in mm. Curves run from their largest N down to 0.
struct InteractionDiagram {
    bool valid = false;          // false: nothing to draw (the design run could not give it)
    // the catalogue texts naming the three curves in the legend
    int plasticText = 1304, allowedText = 1305, actingText = 1306;
    double e = 0;                // the project's eccentricity about this axis (its size), mm
    double nplRd = 0;            // N.pl.Rd of the section, where the plastic curve starts
    double nRd = 0;              // N.Rd of the axis (buckling), where the allowed curve starts
    double nCr = 0;              // the critical load the amplification uses
    double Mk = 0;               // M(N.Rd) on the plastic curve
    std::vector<double> plasticN, plasticM;   // the plastic curve M(N), N from N.pl.Rd down to 0
    std::vector<double> allowedN, allowedM;   // 0.9 (M(N) - Mk N / N.Rd), N from N.Rd down to 0
    std::vector<double> actingN, actingM;     // N e k(N) with the amplification k(N), N from 0 up
    // The crossing of the acting and the allowed moment: the eccentric
    // resistance. resistanceN is the result table's cell of this axis's
    // eccentric resistance (service row), resistanceM the acting moment there.
    double resistanceN = 0, resistanceM = 0;
    // The design load point when a design load is given: on the acting
    // curve, (N.Ed, N.Ed e k(N.Ed)) with the amplification the method takes
    // (none where N.Ed lies beyond the critical load), and the first-order
    // point (N.Ed, N.Ed e) beside it.
    std::optional<double> loadN, loadM, loadFirstOrderM;
    // With e1 and e2 both given, the table's biaxial resistance: the diagram
    // of one axis alone does not show it, so the chart names it.
    std::optional<double> biaxialN;
};

// The diagrams of both axes.
struct InteractionDiagrams {
    InteractionDiagram weak, strong;
};

// One curve of the resistance-versus-eccentricity plot: the eccentric
// resistance of one row of the result table for each eccentricity.
struct ResistanceSeries {
    int row = rowService;        // LoadRow: rowService, rowR30 .. rowR120
    std::vector<double> N;       // kN, one per value of ResistanceCurves::e
    bool outside = false;        // the row lies outside the method's field (drawn dashed)
};

// The eccentric resistance of one axis as the eccentricity about that axis
// runs from 0 to the limit of the input checks (the other eccentricity as in
// the project).
struct ResistanceCurves {
    bool valid = false;          // false: nothing to draw
    double eLimit = 0;           // the checks' limit: b/2 (weak axis), h/2 (strong axis), mm
    std::vector<double> e;       // mm, rising; a step whose run failed is left out
    std::vector<ResistanceSeries> series;   // service, then R30, R60, R90, R120
    double eProject = 0;         // the project's eccentricity about this axis (its size), mm
    std::optional<double> nEd;   // design load at normal temperature, kN, when given
    std::optional<double> nFiEd; // design load in fire, kN, when given
    std::optional<FireClass> fireClass;   // the required class, when given
};

} // namespace qeln
