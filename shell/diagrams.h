// The interaction diagrams and the resistance-versus-eccentricity curves of a
// project, for the Diagrams window, the report and qeln-cli --plots/--curves.
// Plain C++, no Qt.
#pragma once

#include "calc/diagramdata.h"
#include "calc/records.h"

namespace qeln {

struct Diagrams {
    // ok: everything filled. inputErrors: the input checks or the member
    // limits give an error for the project itself, so it cannot be designed
    // and nothing is filled (every `valid` false). calculationError: an
    // arithmetic failure (text 219) ended the project's run; nothing filled.
    // With ok a single step of the eccentricity curves whose run fails is
    // left out of them (never a NaN or infinity).
    enum class Status { ok, inputErrors, calculationError };
    Status status = Status::inputErrors;
    InteractionDiagram weak, strong;          // room temperature
    ResistanceCurves weakCurves, strongCurves;

    bool ok() const { return status == Status::ok; }
};

// Number of steps of the eccentricity curves: e = limit i / kEccentricitySteps.
inline constexpr int kEccentricitySteps = 30;

// Computes both axes' diagrams and curves of `in` by its design method.
Diagrams computeDiagrams(const ColumnInput& in);

} // namespace qeln
