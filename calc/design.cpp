// The design run: design values, rebar layout and eccentricity ratios, the
// service calculation, the reference calculation with the fire buckling
// lengths, and the fire classes R30 to R120 by ENV 1994-1-2 Annex F.
#include "design.h"

#include "drawing.h"
#include "eccentric.h"
#include "fire.h"
#include "listing.h"
#include "member.h"
#include "numeric.h"

#include <array>
#include <cmath>

namespace qeln {

namespace {

struct FireClassParameters {
    double thetaO, kt, Ht;
    double bcfi;     // R90 and R120 depend on AmV: computed below
    double phiF, phiW, phiC, phiS;
};

FireClassParameters fireClassParameters(FireClass c, double AmV)
{
    switch (c) {
    case FireClass::R30: return {550, 9.65, 350, 4.0, 1.0, 1.0, 0.8, 1.0};
    case FireClass::R60: return {680, 9.55, 770, 15.0, 0.9, 1.0, 0.8, 0.9};
    case FireClass::R90: return {805, 6.15, 1100, 0.5 * AmV + 22.5, 0.8, 1.0, 0.8, 0.8};
    case FireClass::R120: return {900, 4.65, 1250, 2.0 * AmV + 24.0, 1.0, 1.0, 0.8, 1.0};
    }
    return {900, 4.65, 1250, 2.0 * AmV + 24.0, 1.0, 1.0, 0.8, 1.0};
}

// Reduction factors of the rebars (kyt, kEt) by fire class and average axis distance u.
bool rebarFactors(FireClass c, double u, double& kyt, double& kEt)
{
    static constexpr double table[5][4][2] = {
        {{1.0, 0.830}, {0.789, 0.604}, {0.314, 0.193}, {0.170, 0.110}},
        {{1.0, 0.865}, {0.883, 0.647}, {0.434, 0.283}, {0.223, 0.128}},
        {{1.0, 0.888}, {0.976, 0.689}, {0.572, 0.406}, {0.288, 0.173}},
        {{1.0, 0.914}, {1.0, 0.729}, {0.696, 0.522}, {0.367, 0.233}},
        {{1.0, 0.935}, {1.0, 0.763}, {0.822, 0.619}, {0.436, 0.285}},
    };
    int band;
    if (u < 40) return false;
    if (u < 45) band = 0;
    else if (u < 50) band = 1;
    else if (u < 55) band = 2;
    else if (u < 60) band = 3;
    else band = 4;
    const int col = static_cast<int>(c);
    kyt = table[band][col][0];
    kEt = table[band][col][1];
    return true;
}

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

struct DesignValues {
    double fcd, fsd, fyd, Ea, Es, Ecm, Ecd, Ec;
};

DesignValues designValues(const ColumnInput& in, double fyCalc)
{
    DesignValues v{};
    v.fcd = checkedDiv(0.85 * in.fck, in.gammaC);
    v.fsd = checkedDiv(in.fsk, in.gammaS);
    v.fyd = checkedDiv(fyCalc, in.gammaA);
    v.Ea = v.Es = 210000;
    v.Ecm = 9.5 * Power(in.fck + 8, 1.0 / 3.0) * 1000;
    v.Ecd = v.Ecm * 0.7407407407407407;
    v.Ec = 0.8 * v.Ecd;
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
    return e;
}

ComponentValues roomTemperatureComponents(double r, const DesignValues& v)
{
    ComponentValues c;
    c.r = r;
    c.bcfi = 0;
    c.hwfi = 0;
    c.fF = c.fW = v.fyd;
    c.fC = v.fcd;
    c.fS = v.fsd;
    c.EF = c.EW = v.Ea;
    c.ES = v.Es;
    return c;
}

} // namespace

double designConcreteModulus(double fck)
{
    return 9.5 * Power(fck + 8, 1.0 / 3.0) * 1000 * 0.7407407407407407;
}

double averageAxisDistance(double uc1, double uf1)
{
    if (std::fabs(uc1 - uf1) <= 10)
        return checkedSqrt(uc1 * uf1);
    const double m = std::min(uc1, uf1);
    return checkedSqrt(m * (m + 10));
}

void DesignRun(const CalcEnv& env, const ColumnInput& in, double fyCalc, double rho, double& dCalc,
               ColumnResults& res)
{
    const double e1 = std::fabs(in.e1);
    const double e2 = std::fabs(in.e2);
    const SectionDims sec{in.h, in.b, in.tw, in.tf};
    RunLists lists{res.errors, res.warnings, res.hasErrors, res.hasWarnings, res.memberDetailLines};

    // 1. Design values.
    DesignValues v = designValues(in, fyCalc);

    // 2. Layout and service ratios.
    const EccentricResult service =
        EccentricResistance(env, eccentricInput(in, v, in.lWeakCold, in.lStrongCold, e1, e2, rho));
    dCalc = service.dCalc;
    const RebarLayout& rows = service.rows;
    Ratios ratios{service.ratioWeak, service.ratioStrong, service.ratioBiaxial};

    // 3. Axis distance of the second layer to the concrete surface.
    double UC2 = 0;
    if (in.n2 != 0)
        UC2 = in.d > 20 ? in.uc1 + 2 * in.d : in.uc1 + in.d + 20;

    // 4. Rebar location and drawing.
    writeRebarLocation(env, res.rebarLocationLines, in, rows, UC2);
    SectionDrawing draw;
    draw.profileName = in.profileName;
    draw.AN1 = rows.count[0];
    draw.AN2 = rows.count[1];
    draw.AN3 = rows.count[2];
    draw.AN4 = rows.count[3];
    draw.h = in.h;
    draw.b = in.b;
    draw.tw = in.tw;
    draw.tf = in.tf;
    draw.r = in.r;
    draw.uf1 = in.uf1;
    draw.uc1 = in.uc1;
    draw.UC2 = UC2;
    draw.dCalc = dCalc;
    draw.d = in.d;
    draw.UF1 = rows.z[0];
    draw.UF2 = rows.z[1];
    draw.UF3 = rows.z[2];
    draw.UF4 = rows.z[3];
    DrawSection(env, res.sectionPicture, draw);

    // 5. Service calculation.
    // Each axis starts from the pair's modulus: a long-term lowering about one
    // axis says nothing about the other.
    double ec = v.Ec;
    AxialPair cold;
    Areas areas;
    MemberCall call{"F 0", in.lWeakCold, e1, v.Ecd, in.pcp, in.d, true};
    ColdResistanceWeakAxis(env, ec, cold.NW, in.n1, in.n2, sec, roomTemperatureComponents(in.r, v), dCalc, in.uc1,
                           areas, call, lists);
    if (res.hasErrors)
        return;
    call.L = in.lStrongCold;
    call.e = e2;
    ec = v.Ec;
    ColdResistanceStrongAxis(env, ec, cold.NS, rows, sec, roomTemperatureComponents(in.r, v), dCalc, call, lists);
    if (res.hasErrors)
        return;

    // 6.-8. Ratios and the service row.
    const bool serviceWeakGoverns = adjustRatios(ratios, e1, e2, cold);
    auto& row0 = res.table.cell[rowService];
    row0[axialWeak] = cold.NW;
    row0[axialStrong] = cold.NS;
    row0[eccentricWeak] = cold.NW * ratios.weak;
    row0[eccentricStrong] = cold.NS * ratios.strong;
    row0[biaxial] = serviceWeakGoverns ? cold.NW * ratios.biaxial : cold.NS * ratios.biaxial;
    res.concreteVolume = 0.000001 * areas.Ac;

    // 9. Reference calculation for fire: room temperature, fire buckling lengths.
    v = designValues(in, fyCalc);
    ec = v.Ec;
    const EccentricResult reference =
        EccentricResistance(env, eccentricInput(in, v, in.lWeakFire, in.lStrongFire, e1, e2, rho));
    dCalc = reference.dCalc;
    Ratios fireRatios{reference.ratioWeak, reference.ratioStrong, reference.ratioBiaxial};
    AxialPair ref;
    Areas refAreas;
    MemberCall refCall{" ", in.lWeakFire, e1, v.Ecd, in.pcp, in.d, false};
    ColdResistanceWeakAxis(env, ec, ref.NW, in.n1, in.n2, sec, roomTemperatureComponents(in.r, v), dCalc, in.uc1,
                           refAreas, refCall, lists);
    refCall.L = in.lStrongFire;
    refCall.e = e2;
    ec = v.Ec;
    ColdResistanceStrongAxis(env, ec, ref.NS, reference.rows, sec, roomTemperatureComponents(in.r, v), dCalc,
                             refCall, lists);
    const bool fireWeakGoverns = adjustRatios(fireRatios, e1, e2, ref);

    // 10. Fire geometry.
    const double u = averageAxisDistance(in.uc1, in.uf1);
    const double AmV = checkedDiv(2 * (in.b + in.h), in.b * in.h) * 1000;

    // 11. Fire classes.
    std::array<AxialPair, 4> fire{};
    double kyt = 0, kEt = 0;
    for (const FireClass fc : kFireClasses) {
        const FireClassParameters p = fireClassParameters(fc, AmV);
        if (!rebarFactors(fc, u, kyt, kEt)) {
            // Below the smallest axis distance of Annex F the rebars are not
            // counted in fire: no strength, no stiffness.
            env.message(env.text(1073));
            kyt = 0;
            kEt = 0;
        }
        const std::string label = fireClassLabel(fc);
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
        fi.label = label;
        const FireComponentResult f = FireComponentValues(fi);

        ComponentValues c;
        c.r = 0;
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
        double ecFire = f.concreteSecantModulus;
        MemberCall fireCall{label, in.lWeakFire, e1, v.Ecd, in.pcp, in.d, false};
        Areas fireAreas;
        AxialPair& n = fire[static_cast<std::size_t>(fc)];
        ColdResistanceWeakAxis(env, ecFire, n.NW, in.n1, in.n2, sec, c, dCalc, in.uc1, fireAreas, fireCall, lists);
        fireCall.L = in.lStrongFire;
        fireCall.e = e2;
        ecFire = f.concreteSecantModulus;
        ColdResistanceStrongAxis(env, ecFire, n.NS, rows, sec, c, dCalc, fireCall, lists);
    }

    // 12. Fire rows, with the ratios and the governing axis of the reference calculation.
    for (const FireClass fc : kFireClasses) {
        const AxialPair& n = fire[static_cast<std::size_t>(fc)];
        auto& row = res.table.cell[static_cast<std::size_t>(fc) + 1];
        row[axialWeak] = n.NW;
        row[axialStrong] = n.NS;
        row[eccentricWeak] = n.NW * fireRatios.weak;
        row[eccentricStrong] = n.NS * fireRatios.strong;
        row[biaxial] = fireWeakGoverns ? n.NW * fireRatios.biaxial : n.NS * fireRatios.biaxial;
    }

    // 13. Results and components sections, result grid.
    writeResults(env, res.resultsLines, res.table, e1, e2);
    writeComponents(env, res.componentsLines, in);
    fillResultGrid(env, res.grid, res.table, e1, e2);
}

} // namespace qeln
