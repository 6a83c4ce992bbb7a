// The interaction diagrams of the ENV method: per axis at room temperature
// (service buckling lengths) the plastic curve M(N) of the eccentric
// resistance's tables, the allowed moment 0.9 (M(N) - Mk N / N.Rd) and the
// acting moment N e k(N) with the amplification k(N) = max(1.1 / (1 - N /
// N.cr), 1) of ENV 1994-1-1 4.8.3.13; their crossing is the eccentric
// resistance of the table.
#pragma once

#include "calc/diagramdata.h"
#include "calc/outcome.h"
#include "calc/records.h"

namespace qeln::env1994 {

// Both axes' diagrams of a valid run (t: its table). Arithmetic faults leave
// as CalculationError.
InteractionDiagrams interactionDiagrams(const ColumnInput& in, const CheckOutcome& checks, const UltimateLoadTable& t);

} // namespace qeln::env1994
