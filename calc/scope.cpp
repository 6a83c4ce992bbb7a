// The field of application as a list of conditions (scope.h).
#include "scope.h"

#include "numeric.h"
#include "section.h"

#include "calc/en1994/design.h"
#include "calc/env1994/details.h"

#include <cmath>

namespace qeln {

namespace {

ScopeCondition condition(int row, ScopeRule rule, ScopeKind kind, ScopeBound bound, double value, double limit,
                         bool met)
{
    ScopeCondition c;
    c.row = row;
    c.rule = rule;
    c.kind = kind;
    c.bound = bound;
    c.value = value;
    c.limit = limit;
    c.met = met;
    return c;
}

// A buckling length's limit, n b (b in mm, the limit in m), met unless the
// length exceeds it.
ScopeCondition lengthCondition(int row, double lFire, double factor, double b)
{
    const double limit = factor * b / 1000;
    ScopeCondition c = condition(row, ScopeRule::FireBucklingLength, ScopeKind::Limit, ScopeBound::AtMost, lFire,
                                 limit, !(lFire > limit));
    c.factor = factor;
    return c;
}

// δ and the slendernesses of the normal temperature calculation, when the
// run got there.
struct ColdValues {
    bool have = false;
    double delta = 0, lambdaWeak = 0, lambdaStrong = 0;
};

ColdValues coldValues(const DesignOutcome& run)
{
    ColdValues v;
    if (const auto* d = std::get_if<env1994::Details>(&run.details)) {
        bool weak = false, strong = false;
        for (const env1994::MemberResult& m : d->members) {
            if (m.call.loadCase != env1994::LoadCase::Service || !m.complete)
                continue;
            if (m.axis == Axis::Weak) {
                v.delta = m.delta;
                v.lambdaWeak = m.lambda;
                weak = true;
            } else {
                v.lambdaStrong = m.lambda;
                strong = true;
            }
        }
        v.have = weak && strong;
    } else if (const auto* o = std::get_if<en1994::Outcome>(&run.details)) {
        if (o->reached >= en1994::Stage::service) {
            const en1994::AxialResult& z = o->service.axis[en1994::at(Axis::Weak)].axial;
            const en1994::AxialResult& y = o->service.axis[en1994::at(Axis::Strong)].axial;
            v.delta = z.delta;
            v.lambdaWeak = z.lambda;
            v.lambdaStrong = y.lambda;
            v.have = true;
        }
    }
    return v;
}

} // namespace

void fireRowConditions(const ColumnInput& in, ScopeConditions& out)
{
    // Validity of the fire buckling lengths (Annex F of ENV 1994-1-2, F.6 (5);
    // the same in Annex G of EN 1994-1-2): 13.5 b or 10 b by class and h / b.
    const double h = in.h, b = in.b;
    const double lFire = MaxOf(in.lWeakFire, in.lStrongFire);
    const bool slender = b > 0 && h / b > 3;
    const bool stocky = b > 0 && h / b <= 3;
    if (b >= 230 && h >= 230)
        out.add(lengthCondition(rowR30, lFire, 13.5, b));
    if ((b >= 230 && b < 300) || slender)
        out.add(lengthCondition(rowR60, lFire, 10, b));
    else if (b >= 300 && stocky)
        out.add(lengthCondition(rowR60, lFire, 13.5, b));
    for (const int row : {rowR90, rowR120}) {
        if (b >= 300 && h >= 300 && slender)
            out.add(lengthCondition(row, lFire, 10, b));
        else if (b >= 300 && h >= 300 && stocky)
            out.add(lengthCondition(row, lFire, 13.5, b));
        // the smallest profile of the higher classes
        out.add(condition(row, ScopeRule::ProfileDepthHigh, ScopeKind::Limit, ScopeBound::AtLeast, h, 300, !(h < 300)));
        out.add(condition(row, ScopeRule::ProfileWidthHigh, ScopeKind::Limit, ScopeBound::AtLeast, b, 300, !(b < 300)));
    }
}

ScopeConditions scopeConditions(const ColumnInput& in, const CheckOutcome& checks, const DesignOutcome& run)
{
    ScopeConditions out;
    using K = ScopeKind;
    using B = ScopeBound;
    using R = ScopeRule;
    const bool env = in.code == DesignCode::ENV1994;

    // normal temperature
    const ColdValues cold = coldValues(run);
    if (cold.have) {
        out.add(condition(rowService, R::SteelContribution, K::Input, B::AtLeast, cold.delta, 0.2, !(cold.delta < 0.2)));
        out.add(condition(rowService, R::SteelContribution, K::Input, B::AtMost, cold.delta, 0.9, !(cold.delta > 0.9)));
        out.add(condition(rowService, R::SlendernessWeak, K::Input, B::AtMost, cold.lambdaWeak, 2.0,
                          !(cold.lambdaWeak > 2.0)));
        out.add(condition(rowService, R::SlendernessStrong, K::Input, B::AtMost, cold.lambdaStrong, 2.0,
                          !(cold.lambdaStrong > 2.0)));
    }
    if (in.tf > 0 && in.fy > 0) {
        const double ratio = in.b / in.tf, limit = 44 * std::sqrt(235 / in.fy);
        out.add(condition(rowService, R::FlangeSlenderness, K::Input, B::AtMost, ratio, limit, !(ratio > limit)));
    }
    if (env)
        out.add(condition(rowService, R::ReinforcementCold, K::Notice, B::AtMost, checks.rho, 4, !(checks.rho > 4)));

    // every fire class
    const int all = kEveryFireRow;
    out.add(condition(all, R::ProfileHeight, K::Input, B::AtLeast, in.h, 230, !(in.h < 230)));
    out.add(condition(all, R::ProfileHeight, K::Input, B::AtMost, in.h, 1100, !(in.h > 1100)));
    out.add(condition(all, R::ProfileWidth, K::Input, B::AtLeast, in.b, 230, !(in.b < 230)));
    out.add(condition(all, R::ProfileWidth, K::Input, B::AtMost, in.b, 500, !(in.b > 500)));
    out.add(condition(all, R::ReinforcementFire, K::Input, B::AtLeast, checks.rho, 1, !(checks.rho < 1)));
    out.add(condition(all, R::ReinforcementFire, K::Input, B::AtMost, checks.rho, 6, !(checks.rho > 6)));
    const double u = averageAxisDistance(in.uc1, in.uf1);
    out.add(condition(all, R::AxisDistance, K::Notice, B::AtLeast, u, 40, !(u < 40)));

    // each class
    fireRowConditions(in, out);
    return out;
}

std::optional<double> widthNeededByFireLength(const ColumnInput& in, FireClass c)
{
    const double lFire = MaxOf(in.lWeakFire, in.lStrongFire);
    const double b = lFire * 1000 / 13.5;
    const double smallest = c == FireClass::R90 || c == FireClass::R120 ? 300 : 230;
    if (!std::isfinite(b) || !(b > smallest))
        return std::nullopt;
    return b;
}

RowScope rowScopeOf(const ScopeConditions& c)
{
    RowScope scope{true, true, true, true, true};
    for (const ScopeCondition& k : c)
        if (k.kind == ScopeKind::Limit && !k.met && k.row >= 0 && k.row < static_cast<int>(scope.size()))
            scope[static_cast<std::size_t>(k.row)] = false;
    return scope;
}

} // namespace qeln
