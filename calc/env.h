// The state a calculation reads besides its arguments: the partial safety
// factors of the current input. Language, message sink and decimal separator
// belong to the formatting layer (textenv.h), never to a calculation.
#pragma once

#include "records.h"

namespace qeln {

struct SafetyFactors {
    double gammaA = 1.1, gammaC = 1.5, gammaS = 1.15;
    double gammaAfi = 1.0, gammaCfi = 1.0, gammaSfi = 1.0;
    static SafetyFactors of(const ColumnInput& in)
    {
        return {in.gammaA, in.gammaC, in.gammaS, in.gammaAfi, in.gammaCfi, in.gammaSfi};
    }
};

struct CalcEnv {
    SafetyFactors gammas;
};

} // namespace qeln
