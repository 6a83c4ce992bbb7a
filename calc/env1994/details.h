// The intermediate values of an ENV design run, behind its listing.
#pragma once

#include "annexf.h"
#include "eccentric.h"
#include "fire.h"
#include "materials.h"
#include "member.h"

#include <array>
#include <optional>
#include <vector>

namespace qeln::env1994 {

// The values of one fire class behind its member calls (ENV 1994-1-2 Annex F).
struct FireClassDetails {
    FireClass fireClass = FireClass::R30;
    FireClassParameters p{};       // theta.o,t, k.t, H.t, b.c,fi, the phi multipliers
    bool barsCounted = true;       // false: u below the tables, the bars count for nothing
    RebarFactors k;                // k.y,t and k.E,t (zero when not counted)
    FireComponentResult f;         // temperatures, reduction factors, strengths and moduli
};

// The ratios eccentric / axial that the table's eccentric and biaxial cells
// take, after the rules for a zero eccentricity, and the axis whose axial
// value the biaxial cell starts from.
struct CellRatios {
    double weak = 1, strong = 1, biaxial = 1;
    bool weakGoverns = true;
};

struct Details {
    DesignValues values{};                      // the materials at room temperature
    std::optional<EccentricResult> service;     // room temperature, cold buckling lengths
    std::optional<EccentricResult> reference;   // room temperature, fire buckling lengths
    std::vector<MemberResult> members;          // in the order of the calls
    double u = 0, AmV = 0;                      // fire geometry
    CellRatios serviceRatios, fireRatios;       // room temperature; fire (from the reference calculation)
    std::array<FireClassDetails, 4> fire{};     // the classes reached, in order
    int fireClasses = 0;

    // An error of the member limits.
    bool hasErrors() const;
};

} // namespace qeln::env1994
