// Reduced component values of the section for one fire class
// (ENV 1994-1-2, Annex F).
#pragma once

#include "calc/records.h"
#include "calc/units.h"

namespace qeln::env1994 {

struct FireComponentResult {
    double flangeStrength = 0;
    double flangeModulus = 0;
    double webStrength = 0;
    double concreteStrength = 0;
    double concreteSecantModulus = 0;
    double rebarStrength = 0;
    double rebarModulus = 0;
    double hwfi = 0;
    // intermediate values, for tests and the details
    double thetaF = 0, kyTheta = 0, kETheta = 0, thetaC = 0, epsCuTheta = 0, kcTheta = 0;
};

struct FireClassInput {
    double thetaO = 0, kt = 0, Ht = 0;
    double h = 0, tf = 0, AmV = 0;
    double kyt = 0, kEt = 0;
    double fck = 0, Ea = kSteelModulus, fyCalc = 0, fsk = 0;
    double gammaAfi = 1, gammaCfi = 1, gammaSfi = 1;
    FireClass fireClass = FireClass::R30;
};

FireComponentResult FireComponentValues(const FireClassInput& in);

} // namespace qeln::env1994
