// The run pipeline (see numbersrun.h).
#include "numbersrun.h"

#include "calc/method.h"
#include "calc/numeric.h"

namespace qeln {

void runNumbers(const ColumnInput& in, NumbersRun& out, RunOptions options)
{
    const DesignMethod& method = methodOf(in.code);
    out.calcError = false;
    out.calcErrorWhat.clear();
    out.valid = false;
    out.check.reset();
    out.scope = method.scope(in);
    out.fireLoadAboveLoad = false;
    out.derived = method.check(in);
    if (!out.derived.undefined.empty()) {
        // an arithmetic failure of the checks, after their findings and before
        // the warnings of the design loads
        out.design = DesignOutcome{};
        out.calcError = true;
        out.calcErrorWhat = out.derived.undefined;
        return;
    }
    out.fireLoadAboveLoad = fireLoadAboveLoad(in);
    if (out.derived.unusable || (options.stopAtInputErrors && out.derived.hasErrors())) {
        out.design = DesignOutcome{};
        return;
    }
    try {
        method.design(in, out.derived, out.design);
    } catch (const CalculationError& e) {
        out.derived.dCalc = out.design.dCalc;
        out.calcError = true;
        out.calcErrorWhat = e.what();
        return;
    }
    out.derived.dCalc = out.design.dCalc;
    out.valid = !out.derived.hasErrors() && !out.design.hasErrors();
    if (out.valid)
        out.check = evaluateDesignCheck(in, out.design.table, out.scope);
}

} // namespace qeln
