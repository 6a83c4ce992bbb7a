#include "checks.h"

#include "member.h"
#include "section.h"

#include "calc/error.h"

namespace qeln::en1994 {

namespace {

// Inside [lo, hi]; a value that is not a number is outside.
bool within(double x, double lo, double hi) { return x >= lo && x <= hi; }

} // namespace

std::vector<Finding> check(const ColumnInput& in, double fyCalc)
{
    std::vector<Finding> out;
    using C = FindingCode;
    auto error = [&](C code, std::vector<double> values) {
        out.push_back({code, Severity::Error, std::move(values)});
    };

    // The inputs of the method.
    if (!within(in.phiT, 0, 6))
        error(C::EnCreepCoefficientRange, {in.phiT, 0, 6});
    if (!within(in.rWeak, -1, 1))
        error(C::EnEndMomentRatioWeakRange, {in.rWeak, -1, 1});
    if (!within(in.rStrong, -1, 1))
        error(C::EnEndMomentRatioStrongRange, {in.rStrong, -1, 1});

    // The field of application of EN 1994-1-1, with the entered grade.
    if (!(in.fy <= 460))
        error(C::EnSteelGradeAboveS460, {in.fy, 460});
    if (!within(in.fck, 20, 60))
        error(C::EnConcreteStrengthRange, {in.fck, 20, 60});
    try {
        const DesignValues v = designValues(in, fyCalc);
        const SectionValues s = sectionValues(in);
        const AxialResult z = axialResistance(s, in, v, Axis::Weak, in.lWeakCold);
        const AxialResult y = axialResistance(s, in, v, Axis::Strong, in.lStrongCold);
        if (!within(z.delta, 0.2, 0.9))
            error(C::EnSteelContributionRange, {z.delta, 0.2, 0.9});
        if (!(z.lambda <= 2.0))
            error(C::EnSlendernessWeak, {z.lambda, 2.0});
        if (!(y.lambda <= 2.0))
            error(C::EnSlendernessStrong, {y.lambda, 2.0});
    } catch (const CalculationError&) {
        // the design run meets the same fault and reports it
    }
    if (in.b != 0 && !within(in.h / in.b, 0.2, 5.0))
        error(C::EnDepthToWidthRange, {in.h / in.b, 0.2, 5.0});

    if (in.phiT == 0)
        out.push_back({C::EnCreepNotConsidered, Severity::Warning, {}});
    return out;
}

} // namespace qeln::en1994
