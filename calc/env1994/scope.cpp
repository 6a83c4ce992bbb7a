// The field of application of the simplified method of ENV 1994-1-2 Annex F.
#include "scope.h"

#include "calc/scope.h"

namespace qeln::env1994 {

bool profileBelowFireLimits(double h, double b)
{
    return h < 300 || b < 300;
}

std::array<bool, 4> bucklingLengthsOutside(const ColumnInput& in)
{
    ScopeConditions c;
    fireRowConditions(in, c);
    std::array<bool, 4> out{};
    for (const ScopeCondition& k : c)
        if (k.rule == ScopeRule::FireBucklingLength && !k.met && k.row >= rowR30 && k.row <= rowR120)
            out[static_cast<std::size_t>(k.row - rowR30)] = true;
    return out;
}

RowScope rowScope(const ColumnInput& in)
{
    ScopeConditions c;
    fireRowConditions(in, c);
    return rowScopeOf(c);
}

} // namespace qeln::env1994
