// The field of application of the simplified method of ENV 1994-1-2 Annex F.
#include "scope.h"

#include "calc/numeric.h"

namespace qeln::env1994 {

bool profileBelowFireLimits(double h, double b)
{
    return h < 300 || b < 300;
}

std::array<bool, 4> bucklingLengthsOutside(const ColumnInput& in)
{
    // Validity of the fire buckling lengths (ENV 1994-1-2 Annex F, F.6 (5)):
    // 13.5 b or 10 b by class and slenderness of the section.
    const double h = in.h, b = in.b;
    const double lFire = MaxOf(in.lWeakFire, in.lStrongFire);
    const double L13 = 13.5 * b / 1000;
    const double L10 = 10 * b / 1000;
    const bool slender = b > 0 && h / b > 3;
    const bool stocky = b > 0 && h / b <= 3;
    std::array<bool, 4> out{};
    out[0] = b >= 230 && h >= 230 && lFire > L13;
    out[1] = (lFire > L10 && ((b >= 230 && b < 300) || slender)) || (b >= 300 && stocky && lFire > L13);
    const bool high = (b >= 300 && h >= 300 && slender && lFire > L10) || (b >= 300 && h >= 300 && stocky && lFire > L13);
    out[2] = out[3] = high;
    return out;
}

RowScope rowScope(const ColumnInput& in)
{
    RowScope scope{true, true, true, true, true};
    const std::array<bool, 4> lengths = bucklingLengthsOutside(in);
    for (FireClass c : kFireClasses)
        if (lengths[static_cast<std::size_t>(c)])
            scope[static_cast<std::size_t>(c) + 1] = false;
    if (profileBelowFireLimits(in.h, in.b))
        scope[rowR90] = scope[rowR120] = false;
    return scope;
}

} // namespace qeln::env1994
