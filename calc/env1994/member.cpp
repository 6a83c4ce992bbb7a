// Axial buckling resistance of a partially encased column about its weak and
// its strong axis (ENV 1994-1-1, 4.8.3), also used with the reduced component
// values of ENV 1994-1-2 Annex F for each fire class.
#include "member.h"

#include "calc/numeric.h"

#include <cmath>

namespace qeln::env1994 {

namespace {


double sq(double x) { return x * x; }

// Plastic loads, stiffness, critical load and slenderness (steps 3 to 7).
void computeStiffness(MemberResult& m, const ComponentValues& c, const MemberCall& call, bool longTermCondition)
{
    m.flange.Npl = m.flange.A * c.fF / units::kNPerkN;
    m.web.Npl = m.web.A * c.fW / units::kNPerkN;
    m.rebars.Npl = m.rebars.A * c.fS / units::kNPerkN;
    m.concrete.Npl = m.concrete.A * c.fC / units::kNPerkN;
    m.nplRd = m.web.Npl + m.flange.Npl + m.concrete.Npl + m.rebars.Npl;
    m.nplR = (m.web.Npl + m.flange.Npl) * call.gammaA + m.concrete.Npl * call.gammaC + m.rebars.Npl * call.gammaS;

    m.flange.E = c.EF;
    m.web.E = c.EW;
    m.rebars.E = c.ES;
    m.flange.phi = c.phiF;
    m.web.phi = c.phiW;
    m.rebars.phi = c.phiS;
    m.concrete.phi = c.phiC;

    m.Ec = call.Ec;
    auto stiffness = [&]() {
        m.concrete.E = m.Ec;
        m.EIeff = c.phiF * (c.EF * m.flange.I) + c.phiW * (c.EW * m.web.I) + c.phiC * (m.Ec * m.concrete.I)
                  + c.phiS * (c.ES * m.rebars.I);
        m.nCr = checkedDiv(sq(kEnvMemberSection.pi) * m.EIeff, sq(call.L) * units::kBucklingLengthScale);
    };
    stiffness();
    m.lambda = checkedSqrt(checkedDiv(m.nplR, m.nCr));

    // Long-term loading (ENV 1994-1-1, 4.8.3): a slender column with e/d < 2
    // (d the depth in the plane of bending) takes 0.8 (1 - 0.005 pcp) Ecd as
    // its concrete modulus; stiffness, critical load and slenderness follow,
    // and with them the buckling coefficient. The modulus is only ever
    // lowered, so a fire secant modulus below it stays as it is.
    if (m.lambda > 0.8 && longTermCondition) {
        m.Ec = std::min(m.Ec, 0.8 * (1 - 0.005 * call.pcp) * call.Ecd);
        stiffness();
        m.lambda = checkedSqrt(checkedDiv(m.nplR, m.nCr));
    }
}

// The limits of the service calculation, weak axis: slenderness, then the
// steel contribution ratio unless an error was found before.
void weakAxisLimits(MemberResult& m, const MemberCall& call)
{
    bool failed = call.errorsBefore;
    if (m.lambda >= 2.0) {
        m.findings.push_back({FindingCode::SlendernessWeak, Severity::Error, {m.lambda}});
        failed = true;
    }
    m.delta = checkedDiv(m.web.Npl + m.flange.Npl, m.nplRd);
    if (!failed && m.delta < 0.2) {
        m.findings.push_back({FindingCode::SteelRatioLow, Severity::Error, {m.delta}});
        failed = true;
    }
    if (!failed && m.delta > 0.9)
        m.findings.push_back({FindingCode::SteelRatioHigh, Severity::Error, {m.delta}});
}

} // namespace

double bucklingCoefficient(double lambda, double alpha)
{
    if (lambda <= 0.2)
        return 1.0;
    const double p = 1 + alpha * (lambda - 0.2) + lambda * lambda;
    return checkedDiv(p - checkedSqrt(p * p - 4 * lambda * lambda), 2 * lambda * lambda);
}

void AxialResistance(Axis axis, const Section& s, const ComponentValues& c, const MemberRebars& bars,
                     const MemberCall& call, MemberResult& m)
{
    m = MemberResult{};
    m.axis = axis;
    m.call = call;
    const bool fire = c.fire;
    const bool weak = axis == Axis::Weak;
    const double d = call.d;

    // 1. and 2. Areas, strengths and second moments of area about the axis.
    const SectionBars sb{bars.n1, bars.n2, d, bars.uc1, bars.rows};
    const FireReduction reduction{c.bcfi, c.hwfi};
    const SectionValues v = sectionValues(s, sb, axis, kEnvMemberSection, fire ? &reduction : nullptr);
    m.web.A = v.Aw;
    m.flange.A = v.Af;
    m.rebars.A = v.As;
    m.concrete.A = v.Ac;
    m.flange.f = c.fF;
    m.web.f = c.fW;
    m.rebars.f = c.fS;
    m.concrete.f = c.fC;
    m.flange.I = v.If;
    m.web.I = v.Iw + v.Ifr;   // the fillets belong to the web's stiffness
    m.rebars.I = v.Is;
    m.concrete.I = v.Ic;

    // 3. to 7. Plastic loads, stiffness, slenderness; the long-term rule with
    // the depth in the plane of bending.
    computeStiffness(m, c, call, call.e < 2 * (weak ? s.b : s.h));

    // 8. Buckling coefficient and ultimate load: curve c about the weak axis;
    // about the strong axis curve b at room temperature and curve c in fire.
    if (weak) {
        m.chiC = bucklingCoefficient(m.lambda, 0.49);
        m.chi = m.chiC;
        m.nRd = checkedFinite(m.chi * m.nplRd);
        m.areas.Aa = m.flange.A + m.web.A;
        m.areas.Ac = m.concrete.A;
        m.areas.As = m.rebars.A;
        if (call.checks)
            weakAxisLimits(m, call);
    } else {
        m.chiB = bucklingCoefficient(m.lambda, 0.34);
        m.chiC = bucklingCoefficient(m.lambda, 0.49);
        m.chi = atRoomTemperature(call.loadCase) ? m.chiB : m.chiC;
        m.nRd = checkedFinite(m.chi * m.nplRd);
        m.nRdB = m.chiB * m.nplRd;
        m.nRdC = m.chiC * m.nplRd;
        if (call.checks && m.lambda > 2.0)
            m.findings.push_back({FindingCode::SlendernessStrong, Severity::Error, {m.lambda}});
    }
    m.complete = true;
}

} // namespace qeln::env1994
