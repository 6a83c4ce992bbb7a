// The run pipeline (see numbersrun.h).
#include "numbersrun.h"

#include "calc/member.h"

#include <algorithm>
#include "calc/method.h"
#include "calc/numeric.h"

namespace qeln {

namespace {

// With end moments of the fire situation that give other eccentricities than
// those of normal temperature, the fire rows come from a run with the fire
// eccentricities (the reference calculation and the fire cells of every code
// read e1, e2 and r).
void fireRowsOfFireMoments(const DesignMethod& method, const ColumnInput& in, const CheckOutcome& checks,
                           DesignOutcome& design)
{
    if (!fireMomentsGiven(in) || !(in.nFiEd > 0))
        return;
    const Eccentricities e = fireEccentricities(in);
    if (e.e1 == in.e1 && e.e2 == in.e2 && e.rWeak == in.rWeak && e.rStrong == in.rStrong)
        return;
    ColumnInput fire = in;
    fire.e1 = e.e1;
    fire.e2 = e.e2;
    fire.rWeak = e.rWeak;
    fire.rStrong = e.rStrong;
    DesignOutcome fd;
    method.design(fire, checks, fd);
    for (int row = rowR30; row <= rowR120; ++row)
        for (int col = 0; col < 5; ++col)
            design.table.cell[row][col] = fd.table.cell[row][col];
}

void runInput(const ColumnInput& entered, const ColumnInput& in, NumbersRun& out, RunOptions options);

} // namespace

void runNumbers(const ColumnInput& entered, NumbersRun& out, RunOptions options)
{
    // end moments from the frame analysis become the eccentricities the
    // methods read (a copy only then: the search runs this for every candidate)
    if (momentsGiven(entered) && entered.nEd > 0)
        runInput(entered, withMomentEccentricities(entered), out, options);
    else
        runInput(entered, entered, out, options);
}

namespace {

void runInput(const ColumnInput& entered, const ColumnInput& in, NumbersRun& out, RunOptions options)
{
    const DesignMethod& method = methodOf(in.code);
    out.calcError = false;
    out.calcErrorWhat.clear();
    out.valid = false;
    out.check.reset();
    out.scope = method.scope(in);
    out.fireLoadAboveLoad = false;
    out.derived = method.check(in);
    for (Finding& f : memberChecks(entered))
        out.derived.findings.push_back(std::move(f));
    if (out.derived.undefined) {
        // an arithmetic failure of the checks, after their findings and before
        // the warnings of the design loads
        out.design = DesignOutcome{};
        out.calcError = true;
        out.calcErrorKind = out.derived.undefined->kind();
        out.calcErrorWhat = out.derived.undefined->what();
        return;
    }
    out.fireLoadAboveLoad = fireLoadAboveLoad(in);
    if (out.derived.unusable || (options.stopAtInputErrors && out.derived.hasErrors())) {
        out.design = DesignOutcome{};
        return;
    }
    try {
        method.design(in, out.derived, out.design);
        fireRowsOfFireMoments(method, in, out.derived, out.design);
    } catch (const CalculationError& e) {
        out.derived.dCalc = out.design.dCalc;
        out.calcError = true;
        out.calcErrorKind = e.kind();
        out.calcErrorWhat = e.what();
        return;
    }
    out.derived.dCalc = out.design.dCalc;
    for (Finding& f : tableChecks(out.design.table))
        out.derived.findings.push_back(std::move(f));
    out.valid = !out.derived.hasErrors() && !out.design.hasErrors();
    if (out.valid)
        out.check = evaluateDesignCheck(
            in, out.design.table, out.scope,
            std::any_of(out.design.messages.begin(), out.design.messages.end(),
                        [](const Finding& f) { return f.code == FindingCode::AxisDistanceBelowAnnexF; }));
}

} // namespace

} // namespace qeln
