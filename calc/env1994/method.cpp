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
