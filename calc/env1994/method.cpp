// The ENV method behind the DesignMethod interface.
#include "method.h"

#include "checks.h"
#include "design.h"
#include "interaction.h"
#include "scope.h"

namespace qeln::env1994 {

namespace {

class Env1994 final : public DesignMethod {
public:
    DesignCode code() const override { return DesignCode::ENV1994; }
    // ENV 1994-1-1 2.3.3.1 and ENV 1994-1-2 2.3 (boxed values)
    PartialFactors recommendedFactors() const override { return {1.1, 1.5, 1.15, 1.0, 1.0, 1.0}; }
    CheckOutcome check(const ColumnInput& in) const override { return checkInput(in); }
    void design(const ColumnInput& in, const CheckOutcome& checks, DesignOutcome& out) const override
    {
        DesignRun(in, checks, out);
    }
    RowScope scope(const ColumnInput& in) const override { return rowScope(in); }
    InteractionDiagrams interaction(const ColumnInput& in, const CheckOutcome& checks,
                                    const UltimateLoadTable& t) const override
    {
        return interactionDiagrams(in, checks, t);
    }
};

} // namespace

const DesignMethod& method()
{
    static const Env1994 m;
    return m;
}

} // namespace qeln::env1994
