// The column as a member of a building (see member.h).
#include "member.h"

#include <cmath>

namespace qeln {

namespace {

// The ratio of two end moments: the smaller over the larger with their signs.
double ratioOf(double a, double b)
{
    const double large = std::fabs(a) >= std::fabs(b) ? a : b;
    const double small = std::fabs(a) >= std::fabs(b) ? b : a;
    return large == 0 ? 1.0 : small / large;
}

} // namespace

BucklingProposal proposeBucklingLengths(double length, FrameType frame, StoreyPosition storey)
{
    BucklingProposal p;
    if (!(length > 0) || !std::isfinite(length))
        return p;
    p.cold = length;
    if (frame == FrameType::braced)
        p.fire = fireLengthShare(frame, storey) * length;
    return p;
}

double fireLengthShare(FrameType frame, StoreyPosition storey)
{
    return frame == FrameType::braced && storey == StoreyPosition::top ? 0.7 : 0.5;
}

bool momentsGiven(const ColumnInput& in)
{
    return in.myTop != 0 || in.myBottom != 0 || in.mzTop != 0 || in.mzBottom != 0;
}

bool fireMomentsGiven(const ColumnInput& in)
{
    return in.myFiTop != 0 || in.myFiBottom != 0 || in.mzFiTop != 0 || in.mzFiBottom != 0;
}

Eccentricities eccentricitiesOf(double myTop, double myBottom, double mzTop, double mzBottom, double n)
{
    Eccentricities e;
    e.e1 = std::max(std::fabs(mzTop), std::fabs(mzBottom)) / n * 1000;   // kNm / kN in mm
    e.e2 = std::max(std::fabs(myTop), std::fabs(myBottom)) / n * 1000;
    e.rWeak = ratioOf(mzTop, mzBottom);
    e.rStrong = ratioOf(myTop, myBottom);
    return e;
}

ColumnInput withMomentEccentricities(const ColumnInput& in)
{
    if (!momentsGiven(in) || !(in.nEd > 0))
        return in;
    ColumnInput out = in;
    const Eccentricities e = eccentricitiesOf(in.myTop, in.myBottom, in.mzTop, in.mzBottom, in.nEd);
    out.e1 = e.e1;
    out.e2 = e.e2;
    out.rWeak = e.rWeak;
    out.rStrong = e.rStrong;
    return out;
}

Eccentricities fireEccentricities(const ColumnInput& in)
{
    if (fireMomentsGiven(in) && in.nFiEd > 0)
        return eccentricitiesOf(in.myFiTop, in.myFiBottom, in.mzFiTop, in.mzFiBottom, in.nFiEd);
    return {in.e1, in.e2, in.rWeak, in.rStrong};
}

std::vector<Finding> memberChecks(const ColumnInput& in)
{
    std::vector<Finding> out;
    using C = FindingCode;
    if (momentsGiven(in) && !(in.nEd > 0))
        out.push_back({C::MomentsWithoutAxialForce, Severity::Error, {}});
    if (fireMomentsGiven(in) && !(in.nFiEd > 0))
        out.push_back({C::FireMomentsWithoutAxialForce, Severity::Error, {}});
    const double L = in.length;
    if (L > 0 && std::isfinite(L)) {
        // EN 1994-1-2 4.3.5.1(10): in a braced frame with one fire compartment
        // per storey, l.theta = 0.5 L in an intermediate storey, 0.7 L in the top one
        const double fireShare = fireLengthShare(in.frame, in.storey);
        // a relative margin keeps 0.7 * 3.6 = 2.5199999999999996 from warning at 2.52
        const double margin = 1 - 1e-12;
        const double shortest = std::min(in.lWeakCold, in.lStrongCold);
        if (shortest < 0.5 * L * margin)
            out.push_back({C::BucklingLengthBelowHalfMember, Severity::Warning, {shortest, 0.5 * L, L}});
        const double fire = std::min(in.lWeakFire, in.lStrongFire);
        if (fire < fireShare * L * margin)
            out.push_back({C::FireBucklingLengthBelowMember, Severity::Warning, {fire, fireShare * L, L}});
    }
    return out;
}

std::vector<Finding> tableChecks(const UltimateLoadTable& t)
{
    std::vector<double> cells;
    for (int row = rowR30; row <= rowR120; ++row)
        for (int col = 0; col < 5; ++col) {
            const auto fire = t.at(row, col), cold = t.at(rowService, col);
            if (fire && cold && *fire > *cold) {
                cells.push_back(row);
                cells.push_back(col);
            }
        }
    if (cells.empty())
        return {};
    return {{FindingCode::FireAboveNormalTemperature, Severity::Warning, cells}};
}

} // namespace qeln
