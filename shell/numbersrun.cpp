// The numbers-only design run (see numbersrun.h).
#include "numbersrun.h"

#include "calc/numeric.h"

namespace qeln {

void runNumbers(const CalcEnv& env, const ColumnInput& in, NumbersRun& out, bool stopAtInputErrors)
{
    out.calcError = false;
    out.valid = false;
    out.check.reset();
    out.scope = rowScope(in);
    out.fireLoadAboveLoad = false;
    out.derived = checkInput(in);
    if (!out.derived.undefined.empty()) {
        // the calculate command throws here, after the checks' messages and
        // before the warnings of the design loads
        out.design = DesignOutcome{};
        out.calcError = true;
        return;
    }
    out.fireLoadAboveLoad = fireLoadAboveLoad(in);
    if (out.derived.unusable || (stopAtInputErrors && out.derived.hasErrors())) {
        out.design = DesignOutcome{};
        return;
    }
    try {
        DesignRun(env, in, out.derived.fyCalc, out.derived.rho, out.derived.hasErrors(), out.design, false);
    } catch (const CalculationError&) {
        out.calcError = true;
        return;
    }
    out.derived.dCalc = out.design.dCalc;
    out.valid = !out.derived.hasErrors() && !out.design.hasErrors();
    if (out.valid)
        out.check = evaluateDesignCheck(in, out.design.table, out.scope);
}

} // namespace qeln
