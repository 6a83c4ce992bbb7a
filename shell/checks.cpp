// The input checks of the project's design method with their messages.
#include "checks.h"

#include "calc/method.h"

namespace qeln {

CheckOutcome RunInputChecks(const TextEnv& env, const ColumnInput& in, ColumnResults& res)
{
    res.errors.clear();
    res.warnings.clear();
    res.hasErrors = false;
    res.hasWarnings = false;
    CheckOutcome out = methodOf(in.code).check(in);
    writeCheckMessages(env, out.findings, res, in.code);
    if (out.undefined)
        throw *out.undefined;
    return out;
}

} // namespace qeln
