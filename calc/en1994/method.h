// EN 1994-1-1:2004 at room temperature and EN 1994-1-2:2005 Annex G in fire,
// as a design method.
#pragma once

#include "design.h"

#include "calc/method.h"

namespace qeln::en1994 {

const DesignMethod& method();

// The interaction diagrams of both axes at room temperature (service
// buckling lengths) from an outcome: M_pl,N,Rd(N), alpha_M M_pl,N,Rd(N) and
// the acting second-order moment M_Ed(N); their crossing is the eccentric
// resistance. t: the run's table (the cells marked).
InteractionDiagrams interactionDiagrams(const ColumnInput& in, const Outcome& o, const UltimateLoadTable& t);

} // namespace qeln::en1994
