// The diagrams of a project (see diagrams.h).
#include "diagrams.h"

#include "numbersrun.h"

namespace qeln {

Diagrams computeDiagrams(const CalcEnv& env, const ColumnInput& in)
{
    Diagrams d;
    NumbersRun run;
    runNumbers(env, in, run);
    d.status = run.calcError ? Diagrams::Status::calculationError
               : run.valid   ? Diagrams::Status::ok
                             : Diagrams::Status::inputErrors;
    return d;
}

} // namespace qeln
