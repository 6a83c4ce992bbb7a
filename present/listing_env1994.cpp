// The details block of an ENV 1994 run: the materials and their design
// values, each member call (ENV 1994-1-1 4.8.3 at room temperature,
// ENV 1994-1-2 Annex F in fire), the eccentric searches at the forces they
// found, the reference calculation behind the eccentric fire cells and the
// values of each fire class, each value beside its clause.
#include "listing.h"

#include "checktext.h"
#include "clauses.h"
#include "detailwriter.h"
#include "format.h"
#include "grades.h"

#include <cmath>
#include <utility>

namespace qeln {

namespace {

using clauses::Env;

// Texts of the catalogue
constexpr int kServiceHeading = 1130, kFireClass = 1131, kWeakAxis = 1076, kStrongAxis = 1077, kBiaxial = 1078,
              kBucklingLength = 1134, kFlanges = 1139, kWeb = 1140, kRebars = 1141, kConcreteText = 1142,
              kSecant = 1565, kEffectiveModulus = 1566, kCritical = 1568, kUniaxial = 1574, kBiaxialBending = 1587,
              kWithBending = 1581, kAmplification = 1583, kAxisDistance = 1592, kSectionFactor = 1593,
              kBarsBelowTables = 1594, kTemperature = 1595, kStrength = 1596, kModulus = 1597,
              kStiffnessCoefficient = 1598, kWebHeight = 1599, kConcreteLayer = 1600, kStrain = 1601,
              kReference = 1603, kRatio = 1604, kGoverningAxis = 1605, kBuckling = 1573, kReduction = 1572,
              kBiaxialResistance = 1607;
constexpr int kFireHeading = 1763, kMaterials = 1764, kSteelGrade = 1765, kConcreteClass = 1766,
              kRebarGrade = 1767, kDesignModulus = 1768, kLongTermModulus = 1769, kMomentAtResistance = 1770,
              kActingMoment = 1771, kPlasticMoment = 1772, kMomentResistance = 1773, kFireCells = 1774;

std::string where(Env e) { return clauses::of(e); }

void detailLine(const TextEnv& env, MessageList& out, const char* fmt, int text, double v, Env clause)
{
    std::string line = Printf(fmt, {env.text(text), v}, env.decimalSeparator);
    line.append("  ").append(clauses::of(clause));
    out.add(std::move(line));
}

constexpr double kNmmPerKNm2 = 1e9;   // N*mm2 in one kNm2

constexpr const char* kAreaFmt = "  A   = %8.4g mm2      fy  = %8.4g N/mm2    I = %8.4g mm4";
constexpr const char* kStiffFmt = "  E*I = %8.4g N*mm2    psi*E*I = %8.4g N*mm2";

void writeComponent(const TextEnv& env, MessageList& out, int text, const env1994::ComponentPart& k, const char* areaFmt,
                    const char* stiffFmt)
{
    out.add("  " + env.text(text));
    out.add(Printf(areaFmt, {k.A, k.f, k.I}, env.decimalSeparator));
    out.add(Printf("  EY  = %8.4g N/mm2    Npl     = %8.4g kN", {k.E, k.Npl}, env.decimalSeparator));
    const double EI = k.E * k.I;
    out.add(Printf(stiffFmt, {EI, EI * k.phi}, env.decimalSeparator));
}

// A grade line, when the strength is a standard grade.
void grade(DetailWriter& w, int label, const std::string& name, Env clause)
{
    if (!name.empty())
        w.word(w.text(label), name, where(clause));
}

void writeMaterials(DetailWriter& w, const ColumnInput& in, const env1994::DesignValues& v)
{
    const std::string c4832 = where(Env::PlasticResistance);
    w.line(w.text(kMaterials));
    grade(w, kSteelGrade, steelGrade(in.fy), Env::StructuralSteel);
    w.value(w.text(kStrength, "f.yd"), v.fyd, "N/mm2", c4832);
    w.formula("f.yd", "f.y / γ.a");
    grade(w, kConcreteClass, concreteClass(in.fck), Env::Concrete);
    w.value(w.text(kStrength, "f.cd"), v.fcd, "N/mm2", c4832);
    w.formula("f.cd", "0.85 f.ck / γ.c");
    grade(w, kRebarGrade, rebarGrade(in.fsk), Env::ReinforcingSteel);
    w.value(w.text(kStrength, "f.sd"), v.fsd, "N/mm2", c4832);
    w.formula("f.sd", "f.sk / γ.s");
    w.value(w.text(kModulus, "E.a = E.s"), v.Ea, "N/mm2", where(Env::SteelModulus));
    w.value(w.text(kSecant, "E.cm"), v.Ecm, "N/mm2", where(Env::SecantModulus));
    w.value(w.text(kDesignModulus, "E.cd"), v.Ecd, "N/mm2", where(Env::DesignModulus));
    w.formula("E.cd", "E.cm / 1.35");
    w.value(w.text(kEffectiveModulus, "E.c"), v.Ec, "N/mm2", where(Env::Stiffness));
    w.formula("E.c", "0.8 E.cd");
    w.end();
}

// One member call (nothing for the reference calculation, whose values are
// in its own block).
void writeMember(const TextEnv& env, MessageList& out, const env1994::MemberResult& m, const env1994::Details* d)
{
    if (m.call.loadCase == env1994::LoadCase::FireReference)
        return;
    const bool strong = m.axis == Axis::Strong;
    const bool cold = env1994::atRoomTemperature(m.call.loadCase);
    // appended piece by piece: a text put in front of a temporary string
    // (" " + s) makes GCC 12 at -O3 warn of overlapping copies (-Wrestrict)
    std::string head = env.text(m.call.loadCase == env1994::LoadCase::Service ? kServiceHeading : kFireClass);
    if (m.call.loadCase != env1994::LoadCase::Service)
        head.append(" ").append(fireClassLabel(m.call.fireClass));
    head.append(strong ? "  " : " ").append(env.text(strong ? kStrongAxis : kWeakAxis));
    out.add(head);
    const Env plastic = cold ? Env::PlasticResistance : Env::FireMember;
    const Env stiffness = cold ? Env::Stiffness : Env::FireMember;
    const Env buckling = cold ? Env::Buckling : Env::FireMember;
    detailLine(env, out, "  %-40s : %8.4g kN   ", 1132, m.nplR, plastic);
    detailLine(env, out, "  %-40s : %8.4g kN   ", 1150, m.nplRd, plastic);
    // at 20 °C the stiffness is the effective one of the code, (EI).eff; in fire
    // E.theta.I. In kNm2 like the kN and m of the block (the components below keep
    // E*I in N*mm2, the product of their E and I): the same digits, 1e9 smaller.
    detailLine(env, out, "  %-40s : %8.4g kNm2 ", cold ? 1970 : 1133, m.EIeff / kNmmPerKNm2, stiffness);
    detailLine(env, out, "  %-40s : %8.4g m    ", kBucklingLength, m.call.L, stiffness);
    detailLine(env, out, "  %-40s : %8.4g kN   ", 1135, m.nCr, stiffness);
    detailLine(env, out, "  %-40s : %8.4g      ", 1136, m.lambda, stiffness);
    if (!strong) {
        detailLine(env, out, "  %-40s : %8.4g      ", 1137, m.chi, buckling);
        detailLine(env, out, "  %-40s : %8.4g kN   ", 1138, m.nRd, buckling);
        writeComponent(env, out, kFlanges, m.flange, kAreaFmt, kStiffFmt);
        writeComponent(env, out, kWeb, m.web, kAreaFmt, kStiffFmt);
    } else {
        if (cold) {
            detailLine(env, out, "  %-40s : %8.4g      ", 1137, m.chiB, buckling);
            detailLine(env, out, "  %-40s : %8.4g kN   ", 1138, m.nRd, buckling);
        } else {
            // curve b is the one of ENV 1994-1-1 for the strong axis; Annex F gives curve c
            detailLine(env, out, "  %-40s : %8.4g      ", 1144, m.chiB, Env::Buckling);
            detailLine(env, out, "  %-40s : %8.4g kN   ", 1145, m.nRdB, Env::Buckling);
            detailLine(env, out, "  %-40s : %8.4g      ", 1146, m.chiC, Env::FireMember);
            detailLine(env, out, "  %-40s : %8.4g kN   ", 1147, m.nRdC, Env::FireMember);
        }
        writeComponent(env, out, kFlanges, m.flange,
                       "  A   = %8.4g mm2      fy  = %8.4g N/mm2    I = %8.4g mm4 ", kStiffFmt);
        writeComponent(env, out, kWeb, m.web, kAreaFmt, "  E*I = %8.4g N*mm2   psi*E*I = %8.4g N*mm2");
    }
    writeComponent(env, out, kRebars, m.rebars, kAreaFmt, kStiffFmt);
    writeComponent(env, out, kConcreteText, m.concrete, kAreaFmt, kStiffFmt);
    // the long-term rule lowered the concrete modulus of this axis
    if (d && cold && m.Ec != d->values.Ec) {
        DetailWriter w(env, out);
        w.value(w.text(kLongTermModulus, "E.c"), m.Ec, "N/mm2", where(Env::DesignModulus));
    }
    out.add(" ");
}

std::string axisName(const DetailWriter& w, Axis a) { return w.text(a == Axis::Weak ? kWeakAxis : kStrongAxis); }

// One axis of the eccentric search: the acting moment N e k against the
// moment allowed at the force found.
void writeEccentricAxis(DetailWriter& w, Axis a, const env1994::EccentricAxisValues& v)
{
    const std::string c = where(Env::Eccentric);
    w.sub(axisName(w, a));
    w.value(w.text(1575), v.e, "mm", c);
    w.value(w.text(kBuckling, "N.Rd"), v.nRd, "kN", where(Env::Buckling));
    w.value(w.text(kCritical, "N.cr"), v.nCr, "kN", where(Env::Stiffness));
    w.value(w.text(kMomentAtResistance, "M.k"), v.Mk, "kNm", c);
    if (v.n <= 0)
        return;
    w.value(w.text(kWithBending, "N"), v.n, "kN", c);
    w.value(w.text(kRatio, "N / N.Rd"), v.ratio, "", c);
    w.value(w.text(kAmplification, "k"), v.k, "", c);
    w.formula("k", "max(1.1 / (1 - N / N.cr), 1)");
    w.value(w.text(kActingMoment, "M.Sd"), v.MSd, "kNm", c);
    w.formula("M.Sd", "N e k");
    w.value(w.text(kPlasticMoment, "M(N)"), v.MN, "kNm", c);
    w.value(w.text(kMomentResistance, "M.Rd"), v.MRd, "kNm", c);
    w.formula("M.Rd", "0.9 (M(N) - M.k N / N.Rd) >= M.Sd");
}

void writeEccentric(DetailWriter& w, const env1994::EccentricResult& r, double e1, double e2)
{
    if (e1 <= 0 && e2 <= 0)
        return;
    std::string head = w.text(kServiceHeading);
    head.append(": ").append(w.text(kUniaxial));
    w.line(std::move(head));
    if (e1 > 0)
        writeEccentricAxis(w, Axis::Weak, r.weak);
    if (e2 > 0)
        writeEccentricAxis(w, Axis::Strong, r.strong);
    w.end();
    if (e1 > 0 && e2 > 0 && r.biaxial.n > 0) {
        const std::string c = where(Env::Biaxial);
        std::string bi = w.text(kServiceHeading);
        bi.append(": ").append(w.text(kBiaxialBending));
        w.line(std::move(bi));
        const env1994::BiaxialValues& b = r.biaxial;
        w.word(w.text(kGoverningAxis), b.strongGoverns ? "y-y" : "z-z", c);
        w.value(w.text(kBiaxialResistance, "N"), b.n, "kN", c);
        w.value(w.text(kActingMoment, "M.z,Sd"), b.MSdWeak, "kNm", c);
        w.value(w.text(kMomentResistance, "M.z,Rd"), b.MRdWeak, "kNm", c);
        w.value(w.text(kActingMoment, "M.y,Sd"), b.MSdStrong, "kNm", c);
        w.value(w.text(kMomentResistance, "M.y,Rd"), b.MRdStrong, "kNm", c);
        w.value(w.text(kRatio, "M.z,Sd / M.z,Rd"), b.ratioWeak, "", c);
        w.value(w.text(kRatio, "M.y,Sd / M.y,Rd"), b.ratioStrong, "", c);
        w.formula("M.y,Sd / M.y,Rd", "+ M.z,Sd / M.z,Rd <= 1; each <= 0.9");
        w.end();
    }
}

// The reference calculation (room temperature with the fire buckling
// lengths) and the ratios the eccentric fire cells take (F.7).
void writeReference(DetailWriter& w, const env1994::Details& d, double e1, double e2)
{
    if (e1 <= 0 && e2 <= 0)
        return;
    const std::string f7 = where(Env::FireEccentric);
    w.line(w.text(kReference));
    for (const env1994::MemberResult& m : d.members) {
        if (m.call.loadCase != env1994::LoadCase::FireReference || !m.complete)
            continue;
        const bool weak = m.axis == Axis::Weak;
        if ((weak ? e1 : e2) <= 0)
            continue;
        w.sub(axisName(w, m.axis));
        w.value(w.text(kBucklingLength), m.call.L, "m", where(Env::Stiffness));
        w.value(w.text(kBuckling, "N.Rd"), m.nRd, "kN", where(Env::Buckling));
        w.value(w.text(kRatio, "N.Rd,e / N.Rd"), weak ? d.fireRatios.weak : d.fireRatios.strong, "", f7);
    }
    if (e1 > 0 && e2 > 0) {
        w.sub(w.text(kBiaxial));
        w.word(w.text(kGoverningAxis), d.fireRatios.weakGoverns ? "z-z" : "y-y", f7);
        w.value(w.text(kRatio, "N.Rd,biax / N.Rd"), d.fireRatios.biaxial, "", f7);
    }
    w.sub(w.text(kFireCells));
    w.end();
}

void writeFireHeading(DetailWriter& w, const env1994::Details& d)
{
    w.line(w.text(kFireHeading));
    w.value(w.text(kAxisDistance), d.u, "mm", where(Env::FireRebars));
    w.value(w.text(kSectionFactor), d.AmV, "1/m", where(Env::FireFlanges));
    for (int k = 0; k < d.fireClasses; ++k)
        if (!d.fire[static_cast<std::size_t>(k)].barsCounted) {
            w.sub(w.text(kBarsBelowTables));
            break;
        }
    w.end();
}

// The values of one class behind its member calls.
void writeFireClass(DetailWriter& w, const env1994::FireClassDetails& c)
{
    const std::string f2 = where(Env::FireFlanges), f3 = where(Env::FireWeb), f4 = where(Env::FireConcrete),
                      f5 = where(Env::FireRebars), f6 = where(Env::FireMember), law = where(Env::ConcreteLaw);
    const std::string t31 = w.table(clauses::kEnv2, clauses::kSteelInFireTable);
    const env1994::FireComponentResult& f = c.f;
    std::string head = w.text(kFireClass);
    head.append(" ").append(fireClassLabel(c.fireClass));
    w.line(std::move(head));
    w.sub(w.text(kFlanges));
    w.value(w.text(kTemperature, "θ.f,t"), f.thetaF, "°C", f2);
    w.formula("θ.f,t", "θ.o,t + k.t A.m/V");
    w.value(w.text(kReduction, "k.y,θ"), f.kyTheta, "", t31);
    w.value(w.text(kReduction, "k.E,θ"), f.kETheta, "", t31);
    w.value(w.text(kStrength, "f.ay,f,t / γ.M,fi,a"), f.flangeStrength, "N/mm2", f2);
    w.value(w.text(kModulus, "E.a,f,t"), f.flangeModulus, "N/mm2", f2);
    w.value(w.text(kStiffnessCoefficient, "φ.f,θ"), c.p.phiF, "", f6);
    w.sub(w.text(kWeb));
    w.value(w.text(kWebHeight), f.hwfi, "mm", f3);
    w.value(w.text(kStrength, "f.ay,w,t / γ.M,fi,a"), f.webStrength, "N/mm2", f3);
    w.value(w.text(kStiffnessCoefficient, "φ.w,θ"), c.p.phiW, "", f6);
    w.sub(w.text(kConcreteText));
    w.value(w.text(kConcreteLayer), c.p.bcfi, "mm", f4);
    w.value(w.text(kTemperature, "θ.c,t"), f.thetaC, "°C", f4);
    w.value(w.text(kReduction, "k.c,θ"), f.kcTheta, "", law);
    w.value(w.text(kStrain, "ε.cu,θ"), f.epsCuTheta, "‰", law);
    w.value(w.text(kStrength, "f.c,θ / γ.M,fi,c"), f.concreteStrength, "N/mm2", f4);
    w.formula("f.c,θ / γ.M,fi,c", "0.86 k.c,θ f.ck / γ.M,fi,c");
    w.value(w.text(kSecant, "E.c,sec,θ"), f.concreteSecantModulus, "N/mm2", f4);
    w.formula("E.c,sec,θ", "k.c,θ f.ck / ε.cu,θ");
    w.value(w.text(kStiffnessCoefficient, "φ.c,θ"), c.p.phiC, "", f6);
    w.sub(w.text(kRebars));
    w.value(w.text(kReduction, "k.y,t"), c.k.kyt, "", f5);
    w.value(w.text(kReduction, "k.E,t"), c.k.kEt, "", f5);
    w.value(w.text(kStrength, "f.s,t / γ.M,fi,s"), f.rebarStrength, "N/mm2", f5);
    w.value(w.text(kModulus, "E.s,t"), f.rebarModulus, "N/mm2", f5);
    w.value(w.text(kStiffnessCoefficient, "φ.s,θ"), c.p.phiS, "", f6);
    w.end();
}

const env1994::FireClassDetails* fireClassOf(const env1994::Details& d, FireClass fc)
{
    for (int k = 0; k < d.fireClasses; ++k)
        if (d.fire[static_cast<std::size_t>(k)].fireClass == fc)
            return &d.fire[static_cast<std::size_t>(k)];
    return nullptr;
}

} // namespace

void writeMemberDetails(const TextEnv& env, MessageList& out, const env1994::MemberResult& m)
{
    writeMember(env, out, m, nullptr);
}

void writeEnvDetails(const TextEnv& env, MessageList& out, const ColumnInput& in, const env1994::Details& d, double e1,
                     double e2)
{
    DetailWriter w(env, out);
    bool materials = false, fire = false;
    for (const env1994::MemberResult& m : d.members) {
        if (!m.complete)
            continue;
        if (!materials) {
            writeMaterials(w, in, d.values);
            materials = true;
        }
        const bool inFire = m.call.loadCase == env1994::LoadCase::Fire;
        if (inFire && !fire) {
            writeFireHeading(w, d);
            fire = true;
        }
        if (inFire && m.axis == Axis::Weak)
            if (const env1994::FireClassDetails* c = fireClassOf(d, m.call.fireClass))
                writeFireClass(w, *c);
        writeMember(env, out, m, &d);
        if (m.call.loadCase == env1994::LoadCase::Service && m.axis == Axis::Strong && d.service)
            writeEccentric(w, *d.service, e1, e2);   // the searches at room temperature
        if (m.call.loadCase == env1994::LoadCase::FireReference && m.axis == Axis::Strong)
            writeReference(w, d, e1, e2);            // the ratios the eccentric fire cells take
    }
}

} // namespace qeln
