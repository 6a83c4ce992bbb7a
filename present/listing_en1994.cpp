// The details block of an EN 1994 run: EN 1994-1-1 6.7.3 at normal
// temperature (the service calculation, compression and bending, biaxial
// bending), the reference calculation behind the eccentric fire cells and
// EN 1994-1-2 Annex G per fire class, each value beside its clause.
#include "listing.h"

#include "checktext.h"
#include "detailwriter.h"
#include "format.h"
#include "grades.h"

#include "calc/en1994/design.h"

#include <cmath>
#include <limits>
#include <utility>

namespace qeln {

namespace {

constexpr const char* kPart1 = "EN 1994-1-1";
constexpr const char* kPart2 = "EN 1994-1-2";
constexpr const char* kSteel = "EN 1993-1-1";
constexpr const char* kConcreteCode = "EN 1992-1-1";

// Texts of the catalogue
constexpr int kNormalTemperature = 1562, kPlastic = 1563, kDelta = 1564, kSecant = 1565, kEffectiveModulus = 1566,
              kStiffness = 1567, kCritical = 1568, kSlenderness = 1569, kCurve = 1570, kImperfectionFactor = 1571,
              kReduction = 1572, kBuckling = 1573, kUniaxial = 1574, kEccentricity = 1575, kMemberImperfection = 1576,
              kEndMomentRatio = 1577, kBeta = 1578, kAlphaM = 1579, kPoint = 1580, kWithBending = 1581,
              kAtResistance = 1582, kAmplification = 1583, kDesignMoment = 1584, kMuD = 1585, kMplN = 1586,
              kBiaxialBending = 1587, kVariant = 1588, kGoverningVariant = 1589, kEquality = 1590, kFireHeading = 1591,
              kAxisDistance = 1592, kSectionFactor = 1593, kBarsBelowTables = 1594, kTemperature = 1595,
              kStrength = 1596, kModulus = 1597, kStiffnessCoefficient = 1598, kWebHeight = 1599,
              kConcreteLayer = 1600, kStrain = 1601, kOutsideAnnexG = 1602, kReference = 1603, kRatio = 1604,
              kGoverningAxis = 1605, kBiaxialResistance = 1607, kMaterials = 1764, kSteelGrade = 1765,
              kConcreteClass = 1766, kRebarGrade = 1767;
// ENV texts that name the same things
constexpr int kFireClass = 1131, kWeakAxis = 1076, kStrongAxis = 1077, kBiaxial = 1078, kBucklingLength = 1134,
              kUltimateLoad = 1138, kFlanges = 1139, kWeb = 1140, kRebars = 1141, kConcreteText = 1142;

// the stiffnesses in kNm2, the unit of the member's kN and m
constexpr double kNmmPerKNm2 = 1e9;   // N*mm2 in one kNm2

// a cell the run did not write: left blank
constexpr double kNotReached = std::numeric_limits<double>::quiet_NaN();

const char* axisSymbol(Axis a) { return a == Axis::Weak ? "z-z" : "y-y"; }

using Writer = DetailWriter;

std::string axisHeading(const Writer& w, std::string head, Axis a)
{
    head.append(" ").append(w.text(a == Axis::Weak ? kWeakAxis : kStrongAxis));
    head.append(" ").append(axisSymbol(a));
    return head;
}

const char* curveName(en1994::BucklingCurve c) { return c == en1994::BucklingCurve::b ? "b" : "c"; }

const char* conditionFormula(en1994::BiaxialCondition c)
{
    switch (c) {
    case en1994::BiaxialCondition::momentWeak: return "M.z,Ed = α.M M.pl,N,z,Rd";
    case en1994::BiaxialCondition::momentStrong: return "M.y,Ed = α.M M.pl,N,y,Rd";
    case en1994::BiaxialCondition::interaction: break;
    }
    return "M.z,Ed / M.pl,N,z,Rd + M.y,Ed / M.pl,N,y,Rd = 1";
}

// EN 1994-1-1 6.7.3.2 to 6.7.3.5: the axial resistance of one axis.
void writeAxial(Writer& w, const en1994::AxialResult& a, const en1994::DesignValues& v)
{
    const std::string c6732 = Writer::clause(kPart1, "6.7.3.2(1)");
    const std::string c6733 = Writer::clause(kPart1, "6.7.3.3(2)");
    w.value(w.text(kPlastic, "N.pl,Rd"), a.NplRd, "kN", c6732);
    w.value(w.text(kPlastic, "N.pl,Rk"), a.NplRk, "kN", c6733);
    w.value(w.text(kDelta), a.delta, "", Writer::clause(kPart1, "6.7.1(4)"));
    w.value(w.text(kSecant, "E.cm"), v.Ecm, "N/mm2", w.table(kConcreteCode, "3.1"));
    w.value(w.text(kEffectiveModulus, "E.c,eff"), v.Eceff, "N/mm2", Writer::clause(kPart1, "6.7.3.3(4)"));
    w.value(w.text(kStiffness, "(EI).eff"), a.EIeff / kNmmPerKNm2, "kNm2", Writer::clause(kPart1, "6.7.3.3(3)"));
    w.value(w.text(kBucklingLength), a.l, "m", c6733);
    w.value(w.text(kCritical, "N.cr"), a.Ncr, "kN", c6733);
    w.value(w.text(kSlenderness, "λ"), a.lambda, "", c6733);
    w.word(w.text(kCurve), curveName(a.curve), w.table(kPart1, "6.5"));
    w.value(w.text(kImperfectionFactor), a.alpha, "", w.table(kSteel, "6.1"));
    w.value(w.text(kReduction, "χ"), a.chi, "", Writer::clause(kSteel, "6.3.1.2"));
    w.value(w.text(kBuckling, "N.b,Rd"), a.NbRd, "kN", Writer::clause(kPart1, "6.7.3.5(2)"));
}

// EN 1994-1-1 6.7.3.4 and 6.7.3.6: compression and bending about one axis.
void writeEccentric(Writer& w, const en1994::EccentricResult& e, double cell)
{
    const std::string c6734 = Writer::clause(kPart1, "6.7.3.4(5)");
    const std::string c6736 = Writer::clause(kPart1, "6.7.3.6(1)");
    const std::string c6732 = Writer::clause(kPart1, "6.7.3.2(5)");
    w.sub(w.text(kUniaxial));
    w.value(w.text(kStiffness, "(EI).eff,II"), e.so.EIeffII / kNmmPerKNm2, "kNm2",
            Writer::clause(kPart1, "6.7.3.4(2)"));
    w.value(w.text(kCritical, "N.cr,eff"), e.so.NcrEff, "kN", c6734);
    w.value(w.text(kEccentricity), e.so.e, "mm", w.table(kPart1, "6.4"));
    w.value(w.text(kMemberImperfection), e.so.e0, "mm", w.table(kPart1, "6.5"));
    w.value(w.text(kEndMomentRatio), e.so.r, "", w.table(kPart1, "6.4"));
    w.value(w.text(kBeta), e.so.beta, "", w.table(kPart1, "6.4"));
    w.value(w.text(kAlphaM), e.alphaM, "", c6736);
    const en1994::InteractionPoints& p = e.points;
    w.point(w.text(kPoint, "A"), p.NplRd, 0, c6732);
    w.point(w.text(kPoint, "B"), 0, p.MplRd, c6732);
    w.point(w.text(kPoint, "C"), p.NpmRd, p.MplRd, c6732);
    w.point(w.text(kPoint, "D"), p.NpmRd / 2, p.MmaxRd, c6732);
    w.value(w.text(kWithBending, "N.Rd,e"), e.NRde, "kN", c6736);
    w.sub(w.text(kAtResistance));
    w.value(w.text(kAmplification, "k.1"), e.k1, "", c6734);
    w.value(w.text(kAmplification, "k.2"), e.k2, "", c6734);
    w.value(w.text(kDesignMoment), e.MEd, "kNm", c6734);
    w.value(w.text(kMuD), e.muD, "", c6736);
    w.value(w.text(kMplN), e.MplNRd, "kNm", c6736);
    w.value(w.text(kUltimateLoad), cell, "kN", c6736);
}

// EN 1994-1-1 6.7.3.7: the variant that governs and the condition that stops it.
void writeBiaxial(Writer& w, const en1994::BiaxialResult& b, double cell)
{
    const std::string c67371 = Writer::clause(kPart1, "6.7.3.7(1)");
    const std::string c67372 = Writer::clause(kPart1, "6.7.3.7(2)");
    w.sub(w.text(kBiaxialBending));
    w.value(w.text(kVariant, "z-z"), b.variants[0].NRd, "kN", c67371);
    w.value(w.text(kVariant, "y-y"), b.variants[1].NRd, "kN", c67371);
    w.word(w.text(kGoverningVariant), b.governs == en1994::BiaxialVariant::z ? "z-z" : "y-y", c67371);
    w.formula(w.text(kEquality), conditionFormula(b.bound), c67372);
    w.value(w.text(kBiaxialResistance, "N.Rd"), cell, "kN", c67372);
}

// The materials by grade and their design values (EN 1994-1-1 2.4.1.2).
void writeMaterials(Writer& w, const ColumnInput& in, const en1994::DesignValues& v)
{
    const std::string c2412 = Writer::clause(kPart1, "2.4.1.2");
    auto grade = [&](int label, const std::string& name, const char* clause) {
        if (!name.empty())
            w.word(w.text(label), name, Writer::clause(kPart1, clause));
    };
    w.line(w.text(kMaterials));
    grade(kSteelGrade, steelGrade(in.fy), "3.3");
    w.value(w.text(kStrength, "f.yd = f.y / γ.M"), v.fyd, "N/mm2", c2412);
    grade(kConcreteClass, concreteClass(in.fck), "3.1");
    w.value(w.text(kStrength, "f.cd = f.ck / γ.C"), v.fcd, "N/mm2", c2412);
    grade(kRebarGrade, rebarGrade(in.fsk), "3.2");
    w.value(w.text(kStrength, "f.sd = f.sk / γ.S"), v.fsd, "N/mm2", c2412);
    w.value(w.text(kModulus, "E.a = E.s"), v.Ea, "N/mm2", Writer::clause(kPart1, "3.3(2)"));
    w.end();
}

void writeService(Writer& w, const en1994::Outcome& o)
{
    for (const Axis a : en1994::kAxes) {
        const en1994::AxisResult& r = o.service.axis[en1994::at(a)];
        w.line(axisHeading(w, w.text(kNormalTemperature), a));
        writeAxial(w, r.axial, o.values);
        if (r.eccentric)
            writeEccentric(w, *r.eccentric, r.cell);
        w.end();
    }
    if (o.service.biaxial) {
        std::string head = w.text(kNormalTemperature);
        head.append(" ").append(w.text(kBiaxial));
        w.line(std::move(head));
        writeBiaxial(w, *o.service.biaxial, o.service.biaxialCell);
        w.end();
    }
}

// The reference calculation (EN 1994-1-1 at normal temperature with the fire
// buckling lengths) and its ratios N.Rd,δ / N.Rd (EN 1994-1-2 G.7).
void writeReference(Writer& w, const en1994::Outcome& o)
{
    const std::string g7 = Writer::clause(kPart2, "G.7");
    w.line(w.text(kReference));
    for (const Axis a : en1994::kAxes) {
        const en1994::AxisResult& r = o.reference.axis[en1994::at(a)];
        std::string head = w.text(a == Axis::Weak ? kWeakAxis : kStrongAxis);
        head.append(" ").append(axisSymbol(a));
        w.sub(head);
        w.value(w.text(kBucklingLength), r.axial.l, "m", Writer::clause(kPart1, "6.7.3.3(2)"));
        w.value(w.text(kBuckling, "N.Rd"), r.axial.NbRd, "kN", Writer::clause(kPart1, "6.7.3.5(2)"));
        if (r.eccentric) {
            w.value(w.text(kWithBending, "N.Rd,δ"), r.cell, "kN", Writer::clause(kPart1, "6.7.3.6(1)"));
            w.value(w.text(kRatio, "N.Rd,δ / N.Rd"), a == Axis::Weak ? o.ratios.weak : o.ratios.strong, "", g7);
        }
    }
    if (o.reference.biaxial) {
        w.sub(w.text(kBiaxial));
        w.value(w.text(kBiaxialResistance, "N.Rd"), o.reference.biaxialCell, "kN",
                Writer::clause(kPart1, "6.7.3.7(2)"));
        w.word(w.text(kGoverningAxis), axisSymbol(o.ratios.governs), g7);
        w.value(w.text(kRatio, "N.Rd,biax / N.Rd"), o.ratios.biaxial, "", g7);
    }
    w.end();
}

// The material values of one class: flanges, web, concrete and bars.
void writeFireClass(Writer& w, const en1994::FireClassResult& f)
{
    const std::string g2 = Writer::clause(kPart2, "G.2"), g3 = Writer::clause(kPart2, "G.3"),
                      g4 = Writer::clause(kPart2, "G.4"), g5 = Writer::clause(kPart2, "G.5");
    const std::string g7 = w.table(kPart2, "G.7"), t33 = w.table(kPart2, "3.3");
    std::string head = w.text(kFireClass);
    head.append(" ").append(fireClassLabel(f.fireClass));
    w.line(std::move(head));
    w.sub(w.text(kFlanges));
    w.value(w.text(kTemperature, "θ.f,t"), f.thetaF, "°C", g2);
    w.value(w.text(kReduction, "k.y,θ"), f.kyTheta, "", g2);
    w.value(w.text(kReduction, "k.E,θ"), f.kETheta, "", g2);
    w.value(w.text(kStrength, "f.ay,f,t / γ.M,fi,a"), f.fayF, "N/mm2", g2);
    w.value(w.text(kModulus, "E.a,f,t"), f.EaF, "N/mm2", g2);
    w.value(w.text(kStiffnessCoefficient, "φ.f,θ"), f.phiF, "", g7);
    w.sub(w.text(kWeb));
    w.value(w.text(kWebHeight), f.hwfi, "mm", g3);
    w.value(w.text(kStrength, "f.ay,w,t / γ.M,fi,a"), f.fayW, "N/mm2", g3);
    w.value(w.text(kStiffnessCoefficient, "φ.w,θ"), f.phiW, "", g7);
    w.sub(w.text(kConcreteText));
    w.value(w.text(kConcreteLayer), f.bcfi, "mm", g4);
    w.value(w.text(kTemperature, "θ.c,t"), f.thetaC, "°C", g4);
    w.value(w.text(kReduction, "k.c,θ"), f.kcTheta, "", t33);
    w.value(w.text(kStrain, "ε.cu,θ"), f.epsCuTheta, "‰", t33);
    w.value(w.text(kStrength, "f.c,θ / γ.M,fi,c"), f.fcTheta, "N/mm2", g4);
    w.value(w.text(kSecant, "E.c,sec,θ"), f.EcSecTheta, "N/mm2", g4);
    w.value(w.text(kStiffnessCoefficient, "φ.c,θ"), f.phiC, "", g7);
    w.sub(w.text(kRebars));
    w.value(w.text(kReduction, "k.y,t"), f.kyt, "", g5);
    w.value(w.text(kReduction, "k.E,t"), f.kEt, "", g5);
    w.value(w.text(kStrength, "f.s,t / γ.M,fi,s"), f.fsT, "N/mm2", g5);
    w.value(w.text(kModulus, "E.s,t"), f.EsT, "N/mm2", g5);
    w.value(w.text(kStiffnessCoefficient, "φ.s,θ"), f.phiS, "", g7);
    w.end();
}

// One axis of one class: the buckling load of G.6 and, with an eccentricity,
// the eccentric cell of G.7.
void writeFireAxis(Writer& w, const en1994::Outcome& o, std::size_t k, Axis a)
{
    const en1994::FireClassResult& f = o.fire[k];
    const en1994::FireAxisResult& r = f.axis[en1994::at(a)];
    const std::string g6 = Writer::clause(kPart2, "G.6");
    std::string head = w.text(kFireClass);
    head.append(" ").append(fireClassLabel(f.fireClass));
    w.line(axisHeading(w, std::move(head), a));
    if (a == Axis::Strong)
        w.sub(w.text(kOutsideAnnexG));
    w.value(w.text(kPlastic, "N.fi,pl,Rd"), r.NfiPlRd, "kN", g6);
    w.value(w.text(kPlastic, "N.fi,pl,R"), r.NfiPlR, "kN", g6);
    w.value(w.text(kStiffness, "(EI).fi,eff"), r.EIfiEff / kNmmPerKNm2, "kNm2", g6);
    w.value(w.text(kBucklingLength), r.l, "m", g6);
    w.value(w.text(kCritical, "N.fi,cr"), r.NfiCr, "kN", g6);
    w.value(w.text(kSlenderness, "λ.θ"), r.lambda, "", g6);
    w.word(w.text(kCurve), "c", g6);
    w.value(w.text(kReduction, "χ"), r.chi, "", g6);
    w.value(w.text(kBuckling, "N.fi,Rd"), r.NfiRd, "kN", g6);
    if (o.reference.axis[en1994::at(a)].eccentric) {
        const auto cell = o.table.at(static_cast<int>(k) + 1, a == Axis::Weak ? eccentricWeak : eccentricStrong);
        w.value(w.text(kWithBending, "N.fi,Rd,δ"), cell.value_or(kNotReached), "kN", Writer::clause(kPart2, "G.7"));
    }
    w.end();
}

void writeFire(Writer& w, const en1994::Outcome& o)
{
    w.line(w.text(kFireHeading));
    w.value(w.text(kAxisDistance), o.geometry.u, "mm", Writer::clause(kPart2, "G.5"));
    w.value(w.text(kSectionFactor), o.geometry.AmV, "1/m", Writer::clause(kPart2, "G.2"));
    if (o.barsBelowTables)
        w.sub(w.text(kBarsBelowTables));
    w.end();
    for (std::size_t k = 0; k < o.fireClasses && k < o.fire.size(); ++k) {
        writeFireClass(w, o.fire[k]);
        for (const Axis a : en1994::kAxes)
            writeFireAxis(w, o, k, a);
        if (o.reference.biaxial) {
            std::string head = w.text(kFireClass);
            head.append(" ").append(fireClassLabel(o.fire[k].fireClass)).append(" ").append(w.text(kBiaxial));
            w.line(std::move(head));
            const auto cell = o.table.at(static_cast<int>(k) + 1, biaxial);
            w.value(w.text(kBiaxialResistance, "N.fi,Rd"), cell.value_or(kNotReached), "kN", Writer::clause(kPart2, "G.7"));
            w.end();
        }
    }
}

} // namespace

void writeEnDetails(const TextEnv& env, MessageList& out, const ColumnInput& in, const en1994::Outcome& o)
{
    Writer w(env, out);
    using en1994::Stage;
    if (o.reached >= Stage::service) {
        writeMaterials(w, in, o.values);
        writeService(w, o);
    }
    if (o.reached >= Stage::reference)
        writeReference(w, o);
    if (o.reached >= Stage::geometry)
        writeFire(w, o);
}

} // namespace qeln
