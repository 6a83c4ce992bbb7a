// The EN 1994 design run, numbers only: EN 1994-1-1:2004 6.7.3 at room
// temperature and EN 1994-1-2:2005 Annex G in fire. One call turns a
// project's input into its table of ultimate loads and every value behind
// it; the listing, the windows and the diagrams are written from the outcome.
#pragma once

#include "fire.h"
#include "interaction.h"
#include "member.h"
#include "section.h"

#include "calc/records.h"

#include <array>
#include <cstddef>

namespace qeln::en1994 {

// The ratios of the reference calculation that carry the axial fire cells to
// the eccentric and biaxial ones: eccentric / axial reference cell per axis,
// and the biaxial reference cell over the axial reference cell of the axis
// that governs (the one with the smaller eccentric reference cell, the weak
// axis on a tie).
struct FireRatios {
    double weak = 1, strong = 1, biaxial = 1;
    Axis governs = Axis::Weak;
};

// The steps of the run in their order; the outcome's `reached` names the
// last one whose values are all set (an arithmetic fault stops the run
// between two steps).
enum class Stage { none, section, service, reference, geometry, fire };

struct Outcome {
    Stage reached = Stage::none;
    std::size_t fireClasses = 0;       // fire classes done, R30 first
    DesignValues values;
    SectionValues section;
    // M_pl,N,Rd of each axis: the same curve serves the service and the
    // reference calculation (the room-temperature design values of both)
    std::array<InteractionCurve, 2> curves;
    RoomTemperatureResult service;     // cold buckling lengths
    RoomTemperatureResult reference;   // fire buckling lengths, room temperature
    FireRatios ratios;
    FireGeometry geometry;
    bool barsBelowTables = false;      // u < 40 mm: the bars are not counted in fire
    std::array<FireClassResult, 4> fire;   // R30 to R120
    UltimateLoadTable table;           // every cell written
};

// fyCalc is the yield point after the program's thickness reduction
// (ReduceYieldPoint, as the input checks compute it); alpha_M reads the
// entered in.fy. Arithmetic faults leave as CalculationError. The outcome
// holds no allocated memory.
Outcome design(const ColumnInput& in, double fyCalc);
// The same run written into `out` step by step: after an arithmetic fault
// (CalculationError) `out` holds the steps reached.
void design(const ColumnInput& in, double fyCalc, Outcome& out);

} // namespace qeln::en1994
