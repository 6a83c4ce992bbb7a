// The state a calculation reads besides its arguments: the partial safety
// factors of the current input, the language offset, the message sink and
// the decimal separator of screen output.
#pragma once

#include "records.h"
#include "texts.h"

#include <string>

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
    int languageBase = 0;
    MessageSink* sink = nullptr;
    std::string decimalSeparator = ".";

    std::string text(int id) const { return LoadText(id, languageBase, sink); }
    void message(const std::string& s) const;
};

} // namespace qeln
