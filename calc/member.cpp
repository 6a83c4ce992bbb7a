// Axial buckling resistance of a partially encased column about its weak and
// its strong axis (ENV 1994-1-1, 4.8.3), also used with the reduced component
// values of ENV 1994-1-2 Annex F for each fire class.
#include "member.h"

#include "format.h"
#include "numeric.h"
#include "sectionconstants.h"

#include <cmath>

namespace qeln {

namespace {

using namespace sectionconst;

bool isServiceLabel(const std::string& label)
{
    return label == " " || label == "F 0";
}

// Values of one member calculation that the details block reports.
struct Component {
    double A = 0, f = 0, I = 0, E = 0, Npl = 0, phi = 1;
};

struct MemberState {
    Component flange, web, rebars, concrete;
    double nplR = 0, nplRd = 0, EIeff = 0, nCr = 0, lambda = 0;
};

double sq(double x) { return x * x; }

// Areas, plastic loads, stiffness, critical load and slenderness (steps 2 to 7).
// I values in: flange, web, rebars, concrete (before the fillet transfer).
void computeStiffness(const CalcEnv& env, MemberState& m, double& ecRef, const ComponentValues& c, double Ifr,
                      const MemberCall& call, bool fire, bool longTermCondition)
{
    if (!fire) {
        m.concrete.I -= Ifr;
        m.web.I += Ifr;
    }
    m.flange.Npl = m.flange.A * c.fF / 1000;
    m.web.Npl = m.web.A * c.fW / 1000;
    m.rebars.Npl = m.rebars.A * c.fS / 1000;
    m.concrete.Npl = m.concrete.A * c.fC / 1000;
    m.nplRd = m.web.Npl + m.flange.Npl + m.concrete.Npl + m.rebars.Npl;
    const SafetyFactors& g = env.gammas;
    const bool service = isServiceLabel(call.label);
    const double gA = service ? g.gammaA : g.gammaAfi;
    const double gC = service ? g.gammaC : g.gammaCfi;
    const double gS = service ? g.gammaS : g.gammaSfi;
    m.nplR = (m.web.Npl + m.flange.Npl) * gA + m.concrete.Npl * gC + m.rebars.Npl * gS;

    m.flange.E = c.EF;
    m.web.E = c.EW;
    m.rebars.E = c.ES;
    m.flange.phi = c.phiF;
    m.web.phi = c.phiW;
    m.rebars.phi = c.phiS;
    m.concrete.phi = c.phiC;

    auto stiffness = [&]() {
        m.concrete.E = ecRef;
        m.EIeff = c.phiF * (c.EF * m.flange.I) + c.phiW * (c.EW * m.web.I) + c.phiC * (ecRef * m.concrete.I)
                  + c.phiS * (c.ES * m.rebars.I);
        m.nCr = checkedDiv(sq(kPi) * m.EIeff, sq(call.L) * 1e9);
    };
    stiffness();
    m.lambda = checkedSqrt(checkedDiv(m.nplR, m.nCr));

    // Long-term loading (ENV 1994-1-1, 4.8.3): a slender column with e/d < 2
    // (d the depth in the plane of bending) takes 0.8 (1 - 0.005 pcp) Ecd as
    // its concrete modulus; stiffness, critical load and slenderness follow,
    // and with them the buckling coefficient. The modulus is only ever
    // lowered, so a fire secant modulus below it stays as it is.
    if (m.lambda > 0.8 && longTermCondition) {
        ecRef = std::min(ecRef, 0.8 * (1 - 0.005 * call.pcp) * call.Ecd);
        stiffness();
        m.lambda = checkedSqrt(checkedDiv(m.nplR, m.nCr));
    }
}

void detailLine(const CalcEnv& env, MessageList& out, const char* fmt, int text, double v)
{
    out.add(Printf(fmt, {env.text(text), v}, env.decimalSeparator));
}

void writeComponent(const CalcEnv& env, MessageList& out, int text, const Component& k, const char* areaFmt,
                    const char* stiffFmt)
{
    out.add("  " + env.text(text));
    out.add(Printf(areaFmt, {k.A, k.f, k.I}, env.decimalSeparator));
    out.add(Printf("  EY  = %8.4g N/mm2    Npl     = %8.4g kN", {k.E, k.Npl}, env.decimalSeparator));
    const double EI = k.E * k.I;
    out.add(Printf(stiffFmt, {EI, EI * k.phi}, env.decimalSeparator));
}

constexpr const char* kAreaFmt = "  A   = %8.4g mm2      fy  = %8.4g N/mm2    I = %8.4g mm4";
constexpr const char* kStiffFmt = "  E*I = %8.4g N*mm2    psi*E*I = %8.4g N*mm2";

void writeHeadAndTotals(const CalcEnv& env, MessageList& out, const MemberState& m, const MemberCall& call,
                        bool strong)
{
    // appended piece by piece: a text put in front of a temporary string
    // (" " + s) makes GCC 12 at -O3 warn of overlapping copies (-Wrestrict)
    std::string head = env.text(call.label == "F 0" ? 1130 : 1131);
    if (call.label != "F 0")
        head.append(" ").append(call.label);
    head.append(strong ? "  " : " ").append(env.text(strong ? 1077 : 1076));
    out.add(head);
    detailLine(env, out, "  %-40s : %8.4g kN   ", 1132, m.nplR);
    detailLine(env, out, "  %-40s : %8.4g kN   ", 1150, m.nplRd);
    detailLine(env, out, "  %-40s : %8.4g N*mm2", 1133, m.EIeff);
    detailLine(env, out, "  %-40s : %8.4g m    ", 1134, call.L);
    detailLine(env, out, "  %-40s : %8.4g kN   ", 1135, m.nCr);
    detailLine(env, out, "  %-40s : %8.4g      ", 1136, m.lambda);
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

void ColdResistanceWeakAxis(const CalcEnv& env, double& ecRef, double& nRd, int n1, int n2, const SectionDims& s,
                            const ComponentValues& c, double& dRef, double uc1, Areas& areas,
                            const MemberCall& call, RunLists& lists)
{
    const bool fire = std::fabs(c.bcfi) > 1e-6;
    if (fire)
        dRef = call.dInput;
    const double d = dRef;
    const double h = s.h, b = s.b, tw = s.tw, tf = s.tf, r = c.r, bcfi = c.bcfi, hwfi = c.hwfi;

    MemberState m;
    m.web.A = fire ? (h - 2 * tf - 2 * hwfi) * tw : (h - 2 * tf) * tw + kFillets * r * r;
    m.flange.A = 2 * b * tf;
    m.rebars.A = d * d * (n1 + n2) * kPi4;
    m.concrete.A = (h - 2 * bcfi - 2 * tf) * (b - tw - 2 * bcfi) - m.rebars.A - (fire ? 0.0 : kFillets * r * r);
    m.flange.f = c.fF;
    m.web.f = c.fW;
    m.rebars.f = c.fS;
    m.concrete.f = c.fC;

    const double a = MaxOf(d, 20);
    m.flange.I = b * b * b * tf / 6;
    const double Ifr = kFillet * r * r * sq(tw + kFilletArm * r) + kFilletI * r * r * r * r;
    const double barOwn = kPi * d * d * d * d / 64;
    m.rebars.I = n1 * (barOwn + kPi4 * d * d * sq(b / 2 - uc1)) + n2 * (barOwn + kPi4 * d * d * sq(b / 2 - uc1 - a - d));
    m.web.I = tw * tw * tw * (h - 2 * tf - 2 * hwfi) / 12;
    m.concrete.I = (std::pow(b - 2 * bcfi, 3) - tw * tw * tw) * (h - 2 * tf - 2 * bcfi) / 12 - m.rebars.I;

    computeStiffness(env, m, ecRef, c, Ifr, call, fire, call.e < 2 * b);

    const double chi = bucklingCoefficient(m.lambda, 0.49);
    nRd = checkedFinite(chi * m.nplRd);
    areas.Aa = m.flange.A + m.web.A;
    areas.Ac = m.concrete.A;
    areas.As = m.rebars.A;

    if (call.checkFlag) {
        const std::string& sep = env.decimalSeparator;
        if (m.lambda >= 2.0) {
            lists.errors.add(env.text(1120));
            lists.errors.add(env.text(1121) + formatFixed(m.lambda, 2, sep));
            lists.errors.add(withDecimalSeparator(env.text(1122), env.decimalSeparator));
            lists.errors.add("");
            lists.hasErrors = true;
        }
        const double delta = checkedDiv(m.web.Npl + m.flange.Npl, m.nplRd);
        if (!lists.hasErrors && delta < 0.2) {
            lists.errors.add(env.text(1123));
            lists.errors.add(env.text(1124) + formatFixed(delta, 4, sep));
            lists.errors.add(withDecimalSeparator(env.text(1125), sep));
            lists.errors.add("");
            lists.hasErrors = true;
        }
        if (!lists.hasErrors && delta > 0.9) {
            lists.errors.add(env.text(1126));
            lists.errors.add(env.text(1124) + formatFixed(delta, 2, sep));
            lists.errors.add(withDecimalSeparator(env.text(1127), sep));
            lists.errors.add("");
            lists.hasErrors = true;
        }
    }

    if (call.label != " ") {
        MessageList& out = lists.details;
        writeHeadAndTotals(env, out, m, call, false);
        detailLine(env, out, "  %-40s : %8.4g      ", 1137, chi);
        detailLine(env, out, "  %-40s : %8.4g kN   ", 1138, nRd);
        writeComponent(env, out, 1139, m.flange, kAreaFmt, kStiffFmt);
        writeComponent(env, out, 1140, m.web, kAreaFmt, kStiffFmt);
        writeComponent(env, out, 1141, m.rebars, kAreaFmt, kStiffFmt);
        writeComponent(env, out, 1142, m.concrete, kAreaFmt, kStiffFmt);
        out.add(" ");
    }
}

void ColdResistanceStrongAxis(const CalcEnv& env, double& ecRef, double& nRd, const RebarLayout& rows,
                              const SectionDims& s, const ComponentValues& c, double& dRef,
                              const MemberCall& call, RunLists& lists)
{
    const bool fire = std::fabs(c.bcfi) > 1e-6;
    if (fire)
        dRef = call.dInput;
    const double d = dRef;
    const double h = s.h, b = s.b, tw = s.tw, tf = s.tf, r = c.r, bcfi = c.bcfi, hwfi = c.hwfi;
    const int bars = rows.count[0] + rows.count[1] + rows.count[2] + rows.count[3];

    MemberState m;
    m.web.A = fire ? (h - 2 * tf - 2 * hwfi) * tw : (h - 2 * tf) * tw + kFillets * r * r;
    m.flange.A = 2 * b * tf;
    m.rebars.A = d * d * bars * kPi4;
    m.concrete.A = (h - 2 * bcfi - 2 * tf) * (b - tw - 2 * bcfi) - m.rebars.A - (fire ? 0.0 : kFillets * r * r);
    m.flange.f = c.fF;
    m.web.f = c.fW;
    m.rebars.f = c.fS;
    m.concrete.f = c.fC;

    m.flange.I = (h * h * h - std::pow(h - 2 * tf, 3)) * b / 12;
    const double Ifr = kFillet * r * r * sq(h - 2 * tf - kFilletArm * r) + kFilletI * r * r * r * r;
    const double barOwn = kPi * d * d * d * d / 64;
    m.rebars.I = 0;
    for (std::size_t i = 0; i < 4; ++i)
        m.rebars.I += rows.count[i] * (barOwn + kPi4 * d * d * sq(h / 2 - tf - rows.z[i]));
    m.web.I = std::pow(h - 2 * tf - 2 * hwfi, 3) * tw / 12;
    m.concrete.I = std::pow(h - 2 * tf - 2 * bcfi, 3) * (b - tw - 2 * bcfi) / 12 - m.rebars.I;

    computeStiffness(env, m, ecRef, c, Ifr, call, fire, call.e < 2 * h);

    const double chiB = bucklingCoefficient(m.lambda, 0.34);
    const double chiC = bucklingCoefficient(m.lambda, 0.49);
    const bool service = isServiceLabel(call.label);
    nRd = checkedFinite((service ? chiB : chiC) * m.nplRd);

    if (call.checkFlag && m.lambda > 2.0) {
        lists.errors.add(env.text(1143));
        lists.errors.add(env.text(1121) + formatFixed(m.lambda, 2, env.decimalSeparator));
        lists.errors.add(withDecimalSeparator(env.text(1122), env.decimalSeparator));
        lists.errors.add(" ");
        lists.hasErrors = true;
    }

    if (call.label != " ") {
        MessageList& out = lists.details;
        writeHeadAndTotals(env, out, m, call, true);
        if (service) {
            detailLine(env, out, "  %-40s : %8.4g      ", 1137, chiB);
            detailLine(env, out, "  %-40s : %8.4g kN   ", 1138, nRd);
        } else {
            detailLine(env, out, "  %-40s : %8.4g      ", 1144, chiB);
            detailLine(env, out, "  %-40s : %8.4g kN   ", 1145, chiB * m.nplRd);
            detailLine(env, out, "  %-40s : %8.4g      ", 1146, chiC);
            detailLine(env, out, "  %-40s : %8.4g kN   ", 1147, chiC * m.nplRd);
        }
        writeComponent(env, out, 1139, m.flange, "  A   = %8.4g mm2      fy  = %8.4g N/mm2    I = %8.4g mm4 ",
                       kStiffFmt);
        writeComponent(env, out, 1140, m.web, kAreaFmt, "  E*I = %8.4g N*mm2   psi*E*I = %8.4g N*mm2");
        writeComponent(env, out, 1141, m.rebars, kAreaFmt, kStiffFmt);
        writeComponent(env, out, 1142, m.concrete, kAreaFmt, kStiffFmt);
        out.add(" ");
    }
}

} // namespace qeln
