// The diagrams of a project (see diagrams.h).
#include "diagrams.h"

#include "numbersrun.h"

#include "calc/member.h"
#include "calc/method.h"
#include "calc/numeric.h"

#include <algorithm>
#include <cmath>

namespace qeln {

namespace {

bool finite(double x) { return std::isfinite(x); }

ResistanceCurves resistanceCurves(const ColumnInput& in, Axis axis, const RowScope& scope)
{
    ResistanceCurves c;
    c.eLimit = axis == Axis::Weak ? 0.5 * in.b : 0.5 * in.h;
    c.eProject = std::fabs(axis == Axis::Weak ? in.e1 : in.e2);
    if (in.nEd > 0)
        c.nEd = in.nEd;
    if (in.nFiEd > 0)
        c.nFiEd = in.nFiEd;
    c.fireClass = in.fireClass;
    for (int row = rowService; row <= rowR120; ++row)
        c.series.push_back({row, {}, !scope[static_cast<std::size_t>(row)]});
    const int column = axis == Axis::Weak ? eccentricWeak : eccentricStrong;
    ColumnInput step = in;
    NumbersRun run;
    for (int i = 0; i <= kEccentricitySteps; ++i) {
        // the last step is the limit itself, not a product that may round past it
        const double e = i == kEccentricitySteps ? c.eLimit : c.eLimit * i / kEccentricitySteps;
        (axis == Axis::Weak ? step.e1 : step.e2) = e;
        runNumbers(step, run);
        if (!run.valid || !run.design.tableComplete)
            continue;
        bool complete = true;
        for (const ResistanceSeries& s : c.series) {
            const auto v = run.design.table.at(s.row, column);
            complete = complete && v && finite(*v);
        }
        if (!complete)
            continue;
        c.e.push_back(e);
        for (ResistanceSeries& s : c.series)
            s.N.push_back(*run.design.table.at(s.row, column));
    }
    c.valid = !c.e.empty();
    return c;
}

} // namespace

Diagrams computeDiagrams(const ColumnInput& entered)
{
    // end moments as the eccentricities they give (the curves vary e, so the
    // moments must not stand in for them again); the fire situation takes
    // the eccentricities of normal temperature
    ColumnInput in = withMomentEccentricities(entered);
    in.myTop = in.myBottom = in.mzTop = in.mzBottom = 0;
    in.myFiTop = in.myFiBottom = in.mzFiTop = in.mzFiBottom = 0;
    Diagrams d;
    NumbersRun run;
    runNumbers(in, run);
    if (run.calcError) {
        d.status = Diagrams::Status::calculationError;
        return d;
    }
    if (!run.valid || !run.design.tableComplete) {
        d.status = Diagrams::Status::inputErrors;
        return d;
    }
    const auto biaxialCell = run.design.table.at(rowService, biaxial);
    try {
        const InteractionDiagrams axes = methodOf(in.code).interaction(in, run.derived, run.design.table);
        d.weak = axes.weak;
        d.strong = axes.strong;
        if (in.e1 != 0 && in.e2 != 0 && biaxialCell && std::isfinite(*biaxialCell))
            d.weak.biaxialN = d.strong.biaxialN = *biaxialCell;
    } catch (const CalculationError&) {
        d.status = Diagrams::Status::calculationError;
        return d;
    }
    d.weakCurves = resistanceCurves(in, Axis::Weak, run.scope);
    d.strongCurves = resistanceCurves(in, Axis::Strong, run.scope);
    d.status = Diagrams::Status::ok;
    return d;
}

} // namespace qeln
