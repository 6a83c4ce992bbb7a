// Axial buckling resistance about the weak and the strong axis
// (ENV 1994-1-1 4.8.3, with the component values of ENV 1994-1-2 Annex F in fire).
// The routines return values and findings only; calc/listing.cpp writes them.
#pragma once

#include "materials.h"

#include "calc/findings.h"
#include "calc/records.h"
#include "calc/section.h"

#include <vector>

namespace qeln::env1994 {

// Which calculation a member call belongs to: the service calculation, the
// room-temperature reference calculation with the fire buckling lengths, or
// one fire class.
enum class LoadCase { Service, FireReference, Fire };

// Room temperature (service and reference) takes the cold partial factors
// and, about the strong axis, buckling curve b.
inline bool atRoomTemperature(LoadCase c) { return c != LoadCase::Fire; }

// Design strengths, moduli and stiffness multipliers of the four components.
struct ComponentValues {
    bool fire = false;  // reduced values of a fire class: no fillets, reduced borders
    double bcfi = 0;    // concrete border reduction per face (fire)
    double hwfi = 0;    // web height reduction at each end (fire)
    double fF = 0, fW = 0, fC = 0, fS = 0;
    double EF = kSteelModulus, EW = kSteelModulus, ES = kSteelModulus;
    double phiF = 1, phiW = 1, phiC = 1, phiS = 1;
};

// The rebars as the two axes see them: bar counts and the corner distance
// about the weak axis, the rows about the strong axis.
struct MemberRebars {
    int n1 = 4, n2 = 0;
    double uc1 = 0;
    RebarLayout rows;
};

// What a call is about.
struct MemberCall {
    LoadCase loadCase = LoadCase::Service;
    FireClass fireClass = FireClass::R30;   // with LoadCase::Fire
    double L = 0;        // buckling length, m
    double e = 0;        // eccentricity about the axis, mm
    double Ecd = 0;      // design modulus of the concrete, N/mm2
    double pcp = 0;      // permanent share of the load, %
    double d = 0;        // rebar diameter in effect, mm
    double Ec = 0;       // concrete modulus the axis starts from, N/mm2
    // the partial factors of the load case (the plastic load N.pl.R is
    // N.pl.Rd with each component's factor taken out again)
    double gammaA = 1, gammaC = 1, gammaS = 1;
    bool checks = false;        // the limits of the service calculation apply
    bool errorsBefore = false;  // an earlier error suppresses the steel contribution limits
};

struct Areas {
    double Aa = 0, Ac = 0, As = 0;
};

// Values of one component that the details block reports.
struct ComponentPart {
    double A = 0, f = 0, I = 0, E = 0, Npl = 0, phi = 1;
};

struct MemberResult {
    Axis axis = Axis::Weak;
    MemberCall call;
    ComponentPart flange, web, rebars, concrete;
    double nplR = 0, nplRd = 0, EIeff = 0, nCr = 0, lambda = 0;
    double Ec = 0;        // concrete modulus used (after the long-term rule)
    double chiB = 0;      // buckling coefficient, curve b (strong axis only)
    double chiC = 0;      // buckling coefficient, curve c
    double nRdB = 0;      // chiB N.pl.Rd (strong axis only)
    double nRdC = 0;      // chiC N.pl.Rd (strong axis only)
    double chi = 0;       // the coefficient that gives nRd
    double nRd = 0;       // ultimate load, kN
    double delta = 0;     // steel contribution ratio (weak axis with checks)
    Areas areas;
    std::vector<Finding> findings;   // limits of the service calculation
    bool complete = false;           // false: an arithmetic fault ended the call after the findings so far
};

// One axis, one load case, into `out` (replaced). The root fillets of `s`
// count at room temperature only. Arithmetic faults leave as
// CalculationError; `out` then keeps the findings made before the fault.
void AxialResistance(Axis axis, const Section& s, const ComponentValues& c, const MemberRebars& bars,
                     const MemberCall& call, MemberResult& out);

// Buckling coefficient for an imperfection factor alpha.
double bucklingCoefficient(double lambda, double alpha);

} // namespace qeln::env1994
