// The EN method behind the DesignMethod interface.
#include "method.h"

#include "checks.h"

#include "calc/env1994/checks.h"
#include "calc/env1994/scope.h"
#include "calc/numeric.h"
#include "calc/section.h"

#include <algorithm>
#include <cmath>

namespace qeln::en1994 {

namespace {

// Points of the plastic and the acting curve.
constexpr int kCurvePoints = 200;

// The catalogue texts of the curves' legend.
constexpr int kPlasticText = 1543, kAllowedText = 1544, kActingText = 1545;

InteractionDiagram diagramOf(const ColumnInput& in, const Outcome& o, Axis axis, double cell)
{
    InteractionDiagram d;
    d.plasticText = kPlasticText;
    d.allowedText = kAllowedText;
    d.actingText = kActingText;
    const InteractionCurve& curve = o.curves[at(axis)];
    const AxisResult& a = o.service.axis[at(axis)];
    const bool weak = axis == Axis::Weak;
    const double e = std::fabs(weak ? in.e1 : in.e2);
    const double l = weak ? in.lWeakCold : in.lStrongCold;
    const SecondOrder so = secondOrder(o.section, o.values, axis, l, e, weak ? in.rWeak : in.rStrong);
    const double alphaM = o.values.alphaM;
    d.e = e;
    d.nplRd = curve.points().NplRd;
    d.nRd = a.axial.NbRd;
    d.nCr = so.NcrEff;
    d.Mk = 0;
    // without an eccentricity the cell is the buckling resistance and no
    // moment acts from the load
    auto acting = [&](double N) { return e > 0 ? so.moment(N) : 0.0; };
    for (int i = 0; i <= kCurvePoints; ++i) {
        const double N = d.nplRd * (kCurvePoints - i) / kCurvePoints;
        const double m = curve.moment(N);
        d.plasticN.push_back(N);
        d.plasticM.push_back(m);
        d.allowedN.push_back(N);
        d.allowedM.push_back(alphaM * m);
    }
    double mTop = 0;
    for (double m : d.plasticM)
        mTop = std::max(mTop, m);
    const double nEnd = std::min(std::max(d.nRd, in.nEd), d.nplRd);
    for (int i = 0; i <= kCurvePoints; ++i) {
        const double N = nEnd * i / kCurvePoints;
        if (!so.defined(N))
            break;
        const double m = acting(N);
        if (!std::isfinite(m))
            break;
        d.actingN.push_back(N);
        d.actingM.push_back(m);
        if (m > 1.25 * mTop && mTop > 0)
            break;
    }
    if (in.nEd > 0) {
        d.loadN = in.nEd;
        d.loadFirstOrderM = in.nEd * e * units::kkNmPerkNmm;
        if (so.defined(in.nEd) && std::isfinite(acting(in.nEd)))
            d.loadM = acting(in.nEd);
    }
    d.resistanceN = cell;
    d.resistanceM = so.defined(cell) ? acting(cell) : 0;
    d.valid = std::isfinite(d.nplRd) && std::isfinite(d.nRd) && std::isfinite(d.nCr) && std::isfinite(d.resistanceN) &&
              std::isfinite(d.resistanceM) && !d.plasticN.empty();
    return d;
}

class En1994 final : public DesignMethod {
public:
    DesignCode code() const override { return DesignCode::EN1994; }
    // EN 1993-1-1 6.1 (gamma.M0), EN 1992-1-1 2.4.2.4 (gamma.c, gamma.s), EN 1994-1-2 2.3
    PartialFactors recommendedFactors() const override { return {1.0, 1.5, 1.15, 1.0, 1.0, 1.0}; }

    // The input checks of the ENV method stay (EN 1994-1-2 Annex G takes the
    // same field of application) but for its 4 % rule: the bars keep the
    // entered diameter; then the EN method's own checks.
    CheckOutcome check(const ColumnInput& in) const override
    {
        CheckOutcome out = env1994::checkInput(in);
        std::erase_if(out.findings,
                      [](const Finding& f) { return f.code == FindingCode::RatioReducedDiameter; });
        if (!out.undefined) {
            const std::vector<Finding> own = en1994::check(in, out.fyCalc);
            out.findings.insert(out.findings.end(), own.begin(), own.end());
        }
        return out;
    }

    void design(const ColumnInput& in, const CheckOutcome& checks, DesignOutcome& out) const override
    {
        std::vector<Finding> messages = std::move(out.messages);
        messages.clear();
        out = DesignOutcome{};
        out.messages = std::move(messages);
        out.e1 = std::fabs(in.e1);
        out.e2 = std::fabs(in.e2);
        out.dCalc = out.dService = in.d;
        out.rows = sectionBarsOf(in).rows;
        out.UC2 = secondLayerDistance(in);
        // an error of the checks leaves the run without results
        if (checks.hasErrors())
            return;
        // written in place: after an arithmetic fault the steps reached stay
        Outcome& o = out.details.emplace<Outcome>();
        en1994::design(in, checks.fyCalc, o);
        if (o.barsBelowTables)
            for (std::size_t k = 0; k < kFireClasses.size(); ++k)
                out.messages.push_back({FindingCode::AxisDistanceBelowAnnexF, Severity::Message, {o.geometry.u}});
        out.table = o.table;
        out.tableComplete = true;
        out.concreteVolume = units::kM2PerMm2 * o.section.Ac;
        out.masses = componentMasses(in);
    }

    RowScope scope(const ColumnInput& in) const override { return env1994::rowScope(in); }

    InteractionDiagrams interaction(const ColumnInput& in, const CheckOutcome& checks,
                                    const UltimateLoadTable& t) const override
    {
        return interactionDiagrams(in, en1994::design(in, checks.fyCalc), t);
    }
};

} // namespace

InteractionDiagrams interactionDiagrams(const ColumnInput& in, const Outcome& o, const UltimateLoadTable& t)
{
    InteractionDiagrams d;
    d.weak = diagramOf(in, o, Axis::Weak, t.at(rowService, eccentricWeak).value_or(0));
    d.strong = diagramOf(in, o, Axis::Strong, t.at(rowService, eccentricStrong).value_or(0));
    return d;
}

const DesignMethod& method()
{
    static const En1994 m;
    return m;
}

} // namespace qeln::en1994
