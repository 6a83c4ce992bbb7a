// The design run: design values, rebar layout and eccentricity ratios, the
// service calculation, the reference calculation with the fire buckling
// lengths, and the fire classes R30 to R120 by ENV 1994-1-2 Annex F.
#include "design.h"

#include "annexf.h"
#include "fire.h"

#include "calc/numeric.h"

#include <array>
#include <cmath>

namespace qeln::env1994 {

namespace {

struct Ratios {
    double weak = 1, strong = 1, biaxial = 1;
};

struct AxialPair {
    double NW = 0, NS = 0;
};

// Adjusts the ratios to the eccentricities; returns whether the strong axis's
// eccentric value is at least the weak axis's (the weak axis then governs).
bool adjustRatios(Ratios& r, double e1, double e2, const AxialPair& n)
{
    if (e2 == 0 && e1 != 0)
        r.strong = 1;
    else if (e1 == 0 && e2 != 0)
        r.weak = 1;
    else if (e1 == 0 && e2 == 0)
        r = Ratios{1, 1, 1};
    const double NWe = n.NW * r.weak;
    const double NSe = n.NS * r.strong;
    if (e2 == 0 && e1 != 0)
        r.biaxial = NSe <= NWe ? 1.0 : r.weak;
    else if (e1 == 0 && e2 != 0)
        r.biaxial = NSe <= NWe ? r.strong : 1.0;
    return NSe >= NWe;
}

ComponentValues roomTemperatureComponents(const DesignValues& v)
{
    ComponentValues c;
    c.fire = false;
    c.bcfi = 0;
    c.hwfi = 0;
    c.fF = c.fW = v.fyd;
    c.fC = v.fcd;
    c.fS = v.fsd;
    c.EF = c.EW = v.Ea;
    c.ES = v.Es;
    return c;
}

// A member call about the weak axis (the strong axis changes L and e).
MemberCall weakAxisCall(const ColumnInput& in, LoadCase loadCase, double L, double e, const DesignValues& v, double d,
                        double Ec)
{
    MemberCall call;
    call.loadCase = loadCase;
    const bool cold = atRoomTemperature(loadCase);
    call.gammaA = cold ? in.gammaA : in.gammaAfi;
    call.gammaC = cold ? in.gammaC : in.gammaCfi;
    call.gammaS = cold ? in.gammaS : in.gammaSfi;
    call.L = L;
    call.e = e;
    call.Ecd = v.Ecd;
    call.pcp = in.pcp;
    call.d = d;
    call.Ec = Ec;
    return call;
}

// One member call whose result (or the findings made before a fault) joins
// the outcome's list.
const MemberResult& member(Details& out, Axis axis, const Section& s, const ComponentValues& c,
                           const MemberRebars& bars, const MemberCall& call)
{
    out.members.emplace_back();
    AxialResistance(axis, s, c, bars, call, out.members.back());
    return out.members.back();
}

} // namespace

DesignValues designValues(const ColumnInput& in, double fyCalc)
{
    DesignValues v{};
    v.fcd = checkedDiv(0.85 * in.fck, in.gammaC);
    v.fsd = checkedDiv(in.fsk, in.gammaS);
    v.fyd = checkedDiv(fyCalc, in.gammaA);
    v.Ea = v.Es = kSteelModulus;
    v.Ecm = concreteSecantModulus(in.fck);
    v.Ecd = v.Ecm * kInvGammaE;
    v.Ec = effectiveConcreteModulus(v.Ecd);
    return v;
}

EccentricInput eccentricInput(const ColumnInput& in, const DesignValues& v, double lWeak, double lStrong, double e1,
                              double e2, double rho)
{
    EccentricInput e;
    e.n1 = in.n1;
    e.n2 = in.n2;
    e.h = in.h;
    e.b = in.b;
    e.tw = in.tw;
    e.tf = in.tf;
    e.r = in.r;
    e.uf1 = in.uf1;
    e.uc1 = in.uc1;
    e.fyd = v.fyd;
    e.fsd = v.fsd;
    e.fcd = v.fcd;
    e.lWeak = lWeak;
    e.lStrong = lStrong;
    e.Ea = v.Ea;
    e.Ec = v.Ec;
    e.Es = v.Es;
    e.e1 = e1;
    e.e2 = e2;
    e.pcp = in.pcp;
    e.fck = in.fck;
    e.rho = rho;
    e.dInput = in.d;
    e.gammaA = in.gammaA;
    e.gammaC = in.gammaC;
    e.gammaS = in.gammaS;
    return e;
}

bool Details::hasErrors() const
{
    for (const MemberResult& m : members)
        if (anyError(m.findings))
            return true;
    return false;
}

void DesignRun(const ColumnInput& in, const CheckOutcome& checks, DesignOutcome& out)
{
    const double fyCalc = checks.fyCalc, rho = checks.rho;
    const bool inputErrors = checks.hasErrors();
    {
        // a fresh outcome that keeps the capacity of the last one's lists
        Details* last = std::get_if<Details>(&out.details);
        std::vector<MemberResult> members = last ? std::move(last->members) : std::vector<MemberResult>{};
        std::vector<Finding> messages = std::move(out.messages);
        members.clear();
        messages.clear();
        out = DesignOutcome{};
        out.details = Details{};
        std::get<Details>(out.details).members = std::move(members);
        out.messages = std::move(messages);
    }
    Details& det = std::get<Details>(out.details);
    det.members.reserve(12);   // 2 service, 2 reference, 2 per fire class
    const double e1 = std::fabs(in.e1);
    const double e2 = std::fabs(in.e2);
    out.e1 = e1;
    out.e2 = e2;
    out.dCalc = in.d;
    const Section sec = sectionOf(in);
    auto keepMessages = [&](const EccentricResult& r) {
        out.messages.insert(out.messages.end(), r.findings.begin(), r.findings.end());
    };

    // 1. Design values.
    DesignValues v = designValues(in, fyCalc);
    det.values = v;

    // 2. Layout and service ratios.
    EccentricCurves curves;   // built here, taken again by the reference calculation
    det.service = EccentricResistance(eccentricInput(in, v, in.lWeakCold, in.lStrongCold, e1, e2, rho), &curves);
    const EccentricResult& service = *det.service;
    keepMessages(service);
    out.dCalc = service.dCalc;
    out.dService = service.dCalc;
    const RebarLayout& rows = service.rows;
    out.rows = rows;
    Ratios ratios{service.ratioWeak, service.ratioStrong, service.ratioBiaxial};

    // 3. Axis distance of the second layer to the concrete surface.
    const double UC2 = secondLayerDistance(in);
    out.UC2 = UC2;

    // 5. Service calculation.
    // Each axis starts from the pair's modulus: a long-term lowering about one
    // axis says nothing about the other.
    const MemberRebars bars{in.n1, in.n2, in.uc1, rows};
    AxialPair cold;
    MemberCall call = weakAxisCall(in, LoadCase::Service, in.lWeakCold, e1, v, out.dCalc, v.Ec);
    call.checks = true;
    call.errorsBefore = inputErrors;
    const MemberResult& weakService =
        member(det, Axis::Weak, sec, roomTemperatureComponents(v), bars, call);
    cold.NW = weakService.nRd;
    const Areas areas = weakService.areas;
    if (inputErrors || det.hasErrors())
        return;
    call.L = in.lStrongCold;
    call.e = e2;
    cold.NS = member(det, Axis::Strong, sec, roomTemperatureComponents(v), bars, call).nRd;
    if (det.hasErrors())
        return;

    // 6.-8. Ratios and the service row.
    const bool serviceWeakGoverns = adjustRatios(ratios, e1, e2, cold);
    det.serviceRatios = CellRatios{ratios.weak, ratios.strong, ratios.biaxial, serviceWeakGoverns};
    auto& row0 = out.table.cell[rowService];
    row0[axialWeak] = cold.NW;
    row0[axialStrong] = cold.NS;
    row0[eccentricWeak] = cold.NW * ratios.weak;
    row0[eccentricStrong] = cold.NS * ratios.strong;
    row0[biaxial] = serviceWeakGoverns ? cold.NW * ratios.biaxial : cold.NS * ratios.biaxial;
    out.concreteVolume = units::kM2PerMm2 * areas.Ac;

    // 9. Reference calculation for fire: room temperature, fire buckling lengths.
    v = designValues(in, fyCalc);
    det.reference = EccentricResistance(eccentricInput(in, v, in.lWeakFire, in.lStrongFire, e1, e2, rho), &curves);
    const EccentricResult& reference = *det.reference;
    keepMessages(reference);
    out.dCalc = reference.dCalc;
    Ratios fireRatios{reference.ratioWeak, reference.ratioStrong, reference.ratioBiaxial};
    AxialPair ref;
    MemberCall refCall = weakAxisCall(in, LoadCase::FireReference, in.lWeakFire, e1, v, out.dCalc, v.Ec);
    const MemberRebars refBars{in.n1, in.n2, in.uc1, reference.rows};
    ref.NW = member(det, Axis::Weak, sec, roomTemperatureComponents(v), refBars, refCall).nRd;
    refCall.L = in.lStrongFire;
    refCall.e = e2;
    ref.NS = member(det, Axis::Strong, sec, roomTemperatureComponents(v), refBars, refCall).nRd;
    const bool fireWeakGoverns = adjustRatios(fireRatios, e1, e2, ref);
    det.fireRatios = CellRatios{fireRatios.weak, fireRatios.strong, fireRatios.biaxial, fireWeakGoverns};

    // 10. Fire geometry.
    const double u = averageAxisDistance(in.uc1, in.uf1);
    det.u = u;
    const double AmV = sectionFactor(in.h, in.b);
    det.AmV = AmV;

    // 11. Fire classes.
    std::array<AxialPair, 4> fire{};
    for (const FireClass fc : kFireClasses) {
        const FireClassParameters p = fireClassParameters(fc, AmV);
        const std::optional<RebarFactors> k = rebarReductionFactors(fc, u);
        // Below the smallest axis distance of Annex F the rebars are not
        // counted in fire: no strength, no stiffness.
        if (!k)
            out.messages.push_back({FindingCode::AxisDistanceBelowAnnexF, Severity::Message, {u}});
        const double kyt = k ? k->kyt : 0, kEt = k ? k->kEt : 0;
        FireClassInput fi;
        fi.thetaO = p.thetaO;
        fi.kt = p.kt;
        fi.Ht = p.Ht;
        fi.h = in.h;
        fi.tf = in.tf;
        fi.AmV = AmV;
        fi.kyt = kyt;
        fi.kEt = kEt;
        fi.fck = in.fck;
        fi.Ea = v.Ea;
        fi.fyCalc = fyCalc;
        fi.fsk = in.fsk;
        fi.gammaAfi = in.gammaAfi;
        fi.gammaCfi = in.gammaCfi;
        fi.gammaSfi = in.gammaSfi;
        fi.fireClass = fc;
        const FireComponentResult f = FireComponentValues(fi);
        FireClassDetails& kept = det.fire[static_cast<std::size_t>(det.fireClasses++)];
        kept.fireClass = fc;
        kept.p = p;
        kept.barsCounted = k.has_value();
        kept.k = RebarFactors{kyt, kEt};
        kept.f = f;

        ComponentValues c;
        c.fire = true;
        c.bcfi = p.bcfi;
        c.hwfi = f.hwfi;
        c.fF = f.flangeStrength;
        c.fW = f.webStrength;
        c.fC = f.concreteStrength;
        c.fS = f.rebarStrength;
        c.EF = f.flangeModulus;
        c.EW = v.Ea;
        c.ES = f.rebarModulus;
        c.phiF = p.phiF;
        c.phiW = p.phiW;
        c.phiC = p.phiC;
        c.phiS = p.phiS;
        // Fire runs use the rebars as entered (no reduction for rho > 4 %).
        out.dCalc = in.d;
        MemberCall fireCall = weakAxisCall(in, LoadCase::Fire, in.lWeakFire, e1, v, in.d, f.concreteSecantModulus);
        fireCall.fireClass = fc;
        AxialPair& n = fire[static_cast<std::size_t>(fc)];
        n.NW = member(det, Axis::Weak, sec, c, bars, fireCall).nRd;
        fireCall.L = in.lStrongFire;
        fireCall.e = e2;
        n.NS = member(det, Axis::Strong, sec, c, bars, fireCall).nRd;
    }

    // 12. Fire rows, with the ratios and the governing axis of the reference calculation.
    for (const FireClass fc : kFireClasses) {
        const AxialPair& n = fire[static_cast<std::size_t>(fc)];
        auto& row = out.table.cell[static_cast<std::size_t>(fc) + 1];
        row[axialWeak] = n.NW;
        row[axialStrong] = n.NS;
        row[eccentricWeak] = n.NW * fireRatios.weak;
        row[eccentricStrong] = n.NS * fireRatios.strong;
        row[biaxial] = fireWeakGoverns ? n.NW * fireRatios.biaxial : n.NS * fireRatios.biaxial;
    }
    out.tableComplete = true;

    // 13. Weights and volume.
    out.masses = componentMasses(in);
}

} // namespace qeln::env1994
