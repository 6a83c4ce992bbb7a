// The intermediate values of an ENV design run, behind its listing.
#pragma once

#include "eccentric.h"
#include "member.h"

#include <optional>
#include <vector>

namespace qeln::env1994 {

struct Details {
    std::optional<EccentricResult> service;     // room temperature, cold buckling lengths
    std::optional<EccentricResult> reference;   // room temperature, fire buckling lengths
    std::vector<MemberResult> members;          // in the order of the calls
    double u = 0, AmV = 0;                      // fire geometry

    // An error of the member limits.
    bool hasErrors() const;
};

} // namespace qeln::env1994
