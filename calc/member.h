// The column as a member of a building, the same for every design code: its
// load eccentricities from the end moments of the frame analysis, and the
// plausibility of its buckling lengths against the member length.
#pragma once

#include "findings.h"
#include "records.h"

#include <optional>
#include <vector>

namespace qeln {

// The load eccentricities of one design situation: the sizes e1 (about the
// weak axis z-z) and e2 (about the strong axis y-y), mm, and the ratios r of
// the end moments about each axis (the smaller over the larger, signed: 1
// constant, -1 double curvature).
struct Eccentricities {
    double e1 = 0, e2 = 0, rWeak = 1, rStrong = 1;
};

// The buckling lengths a member length proposes (m): at normal temperature
// the member length L about both axes; in fire, for a braced frame with one
// fire compartment per storey (EN 1994-1-2 4.3.5.1(10)), 0.5 L in an
// intermediate storey and 0.7 L in the top storey. A sway frame gets no fire
// length (the rule does not apply: the lengths come from the frame's own
// analysis). Nothing is proposed without a length L > 0.
struct BucklingProposal {
    std::optional<double> cold, fire;
};
BucklingProposal proposeBucklingLengths(double length, FrameType frame, StoreyPosition storey);

// The share of L below which a fire buckling length is implausible: 0.7 in
// the top storey of a braced frame, 0.5 otherwise (the proposal's own share).
double fireLengthShare(FrameType frame, StoreyPosition storey);

// Whether end moments are given at normal temperature, and in fire.
bool momentsGiven(const ColumnInput& in);
bool fireMomentsGiven(const ColumnInput& in);

// The eccentricities of end moments (kNm) under the axial force n (kN > 0):
// e = |M|max / N, r = M at the end of the smaller moment / M at the other
// end (1 when both are 0). Same signs at both ends bend the column in single
// curvature.
Eccentricities eccentricitiesOf(double myTop, double myBottom, double mzTop, double mzBottom, double n);

// The input a design method runs: with end moments given (and N.Ed > 0),
// e1, e2, rWeak and rStrong are those of the moments; otherwise the input as
// entered.
ColumnInput withMomentEccentricities(const ColumnInput& in);

// The eccentricities of the fire situation: those of the fire moments under
// N.fi,Ed when fire moments are given (and N.fi,Ed > 0), else the input's own
// (normal temperature).
Eccentricities fireEccentricities(const ColumnInput& in);

// The member checks, for every code: end moments without an axial force
// (errors); with a member length, buckling lengths below 0.5 L at normal
// temperature, and in fire below 0.5 L (0.7 L in the top storey) (warnings).
std::vector<Finding> memberChecks(const ColumnInput& in);

// After a run: a fire cell of the table above the normal-temperature cell of
// the same column (a warning; values: row, column of each such cell).
std::vector<Finding> tableChecks(const UltimateLoadTable& t);

} // namespace qeln
