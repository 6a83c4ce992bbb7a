// Axial buckling resistance of a partially encased column about its weak and
// its strong axis (ENV 1994-1-1, 4.8.3), also used with the reduced component
// values of ENV 1994-1-2 Annex F for each fire class.
#include "member.h"

#include "numeric.h"
#include "sectionconstants.h"

#include <cmath>

namespace qeln {

namespace {

using namespace sectionconst;

double sq(double x) { return x * x; }

// Plastic loads, stiffness, critical load and slenderness (steps 3 to 7).
// I values in: flange, web, rebars, concrete (before the fillet transfer).
void computeStiffness(const CalcEnv& env, MemberResult& m, const ComponentValues& c, double Ifr,
                      const MemberCall& call, bool longTermCondition)
{
    if (!c.fire) {
        m.concrete.I -= Ifr;
        m.web.I += Ifr;
    }
    m.flange.Npl = m.flange.A * c.fF / units::kNPerkN;
    m.web.Npl = m.web.A * c.fW / units::kNPerkN;
    m.rebars.Npl = m.rebars.A * c.fS / units::kNPerkN;
    m.concrete.Npl = m.concrete.A * c.fC / units::kNPerkN;
    m.nplRd = m.web.Npl + m.flange.Npl + m.concrete.Npl + m.rebars.Npl;
    const SafetyFactors& g = env.gammas;
    const bool cold = atRoomTemperature(call.loadCase);
    const double gA = cold ? g.gammaA : g.gammaAfi;
    const double gC = cold ? g.gammaC : g.gammaCfi;
    const double gS = cold ? g.gammaS : g.gammaSfi;
    m.nplR = (m.web.Npl + m.flange.Npl) * gA + m.concrete.Npl * gC + m.rebars.Npl * gS;

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
        m.nCr = checkedDiv(sq(kPi) * m.EIeff, sq(call.L) * units::kBucklingLengthScale);
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

void LayoutRebarRows(RebarLayout& rows, int n1, int n2, double h, double d, double uf1, double tf)
{
    const double s = uf1 + d + MaxOf(d, 20);
    const double mid2 = h / 2 - tf - 2 * d;
    switch (n1) {
    case 4:
        rows.count = {n2 + 4, 0, 0, 0};
        rows.z = {uf1, uf1, uf1, uf1};
        break;
    case 8:
        rows.count = {n2 + 4, 4, 0, 0};
        if (h <= 400)
            rows.z = {uf1, s, s, s};
        else
            rows.z = {uf1, mid2, mid2, mid2};
        break;
    case 12:
        rows.count = {n2 + 4, 4, 4, 0};
        rows.z = {uf1, s, mid2, mid2};
        break;
    case 16:
        rows.count = {n2 + 4, 4, 4, 4};
        rows.z = {uf1, s, h / 2 - tf - 3 * d - MaxOf(d, 20), mid2};
        break;
    default:
        break;
    }
}

void AxialResistance(const CalcEnv& env, Axis axis, const SectionDims& s, const ComponentValues& c,
                     const MemberRebars& bars, const MemberCall& call, MemberResult& m)
{
    m = MemberResult{};
    m.axis = axis;
    m.call = call;
    const bool fire = c.fire;
    const bool weak = axis == Axis::Weak;
    const double d = call.d;
    const double h = s.h, b = s.b, tw = s.tw, tf = s.tf, r = c.r, bcfi = c.bcfi, hwfi = c.hwfi;
    const RebarLayout& rows = bars.rows;

    // 1. Areas and strengths.
    const int count = weak ? bars.n1 + bars.n2 : rows.count[0] + rows.count[1] + rows.count[2] + rows.count[3];
    m.web.A = fire ? (h - 2 * tf - 2 * hwfi) * tw : (h - 2 * tf) * tw + kFillets * r * r;
    m.flange.A = 2 * b * tf;
    m.rebars.A = d * d * count * kPi4;
    m.concrete.A = (h - 2 * bcfi - 2 * tf) * (b - tw - 2 * bcfi) - m.rebars.A - (fire ? 0.0 : kFillets * r * r);
    m.flange.f = c.fF;
    m.web.f = c.fW;
    m.rebars.f = c.fS;
    m.concrete.f = c.fC;

    // 2. Second moments of area about the axis.
    const double barOwn = kPi * d * d * d * d / 64;
    double Ifr = 0;
    if (weak) {
        const double a = MaxOf(d, 20);
        const double uc1 = bars.uc1;
        m.flange.I = b * b * b * tf / 6;
        Ifr = kFillet * r * r * sq(tw + kFilletArm * r) + kFilletI * r * r * r * r;
        m.rebars.I = bars.n1 * (barOwn + kPi4 * d * d * sq(b / 2 - uc1))
                     + bars.n2 * (barOwn + kPi4 * d * d * sq(b / 2 - uc1 - a - d));
        m.web.I = tw * tw * tw * (h - 2 * tf - 2 * hwfi) / 12;
        m.concrete.I = (std::pow(b - 2 * bcfi, 3) - tw * tw * tw) * (h - 2 * tf - 2 * bcfi) / 12 - m.rebars.I;
    } else {
        m.flange.I = (h * h * h - std::pow(h - 2 * tf, 3)) * b / 12;
        Ifr = kFillet * r * r * sq(h - 2 * tf - kFilletArm * r) + kFilletI * r * r * r * r;
        m.rebars.I = 0;
        for (std::size_t i = 0; i < 4; ++i)
            m.rebars.I += rows.count[i] * (barOwn + kPi4 * d * d * sq(h / 2 - tf - rows.z[i]));
        m.web.I = std::pow(h - 2 * tf - 2 * hwfi, 3) * tw / 12;
        m.concrete.I = std::pow(h - 2 * tf - 2 * bcfi, 3) * (b - tw - 2 * bcfi) / 12 - m.rebars.I;
    }

    // 3. to 7. Plastic loads, stiffness, slenderness; the long-term rule with
    // the depth in the plane of bending.
    computeStiffness(env, m, c, Ifr, call, call.e < 2 * (weak ? b : h));

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

} // namespace qeln
