// Resistance to eccentric loading by plastic interaction curves.
#pragma once

#include "env.h"
#include "findings.h"
#include "materials.h"
#include "records.h"

namespace qeln {

struct EccentricInput {
    int n1 = 4, n2 = 0;
    double h = 0, b = 0, tw = 0, tf = 0, r = 0;
    double uf1 = 0, uc1 = 0;
    double fyd = 0, fsd = 0, fcd = 0;
    double lWeak = 0, lStrong = 0;
    double Ea = kSteelModulus, Ec = 0, Es = kSteelModulus;
    double e1 = 0, e2 = 0;   // absolute eccentricities, mm
    double pcp = 0, fck = 0, rho = 0;
    double dInput = 0;       // the diameter as entered
};

struct EccentricResult {
    double dCalc = 0;        // the rebar diameter in effect
    RebarLayout rows;
    double ratioWeak = 0, ratioStrong = 0, ratioBiaxial = 0;
    // intermediate values, for tests
    double nRdWeak = 0, nRdStrong = 0, nCrWeak = 0, nCrStrong = 0;
    int weakPoints = 0, strongPoints = 0;
    std::vector<Finding> findings;   // the message of a failed biaxial search
};

// One interaction curve: N (kN) and M (kNm), indexed from 1 (index 0 unused).
struct InteractionCurve {
    std::vector<double> N, M;
    int count = 0;
};

// The interaction curves of a call, for a later call that differs only in the
// buckling lengths and the eccentricities (the reference calculation after
// the service calculation): that call takes them instead of building them
// again. Same input, same curves, to the last bit.
struct EccentricCurves {
    bool filled = false;
    EccentricInput key;      // the input they were built for (lengths and eccentricities aside)
    InteractionCurve strong, weak;
};

// With `curves`, the curves are taken from there when they fit the input and
// are left there for the next call.
EccentricResult EccentricResistance(const CalcEnv& env, const EccentricInput& in, EccentricCurves* curves = nullptr);

// The interaction curves, exposed for tests.
InteractionCurve strongAxisCurve(const EccentricInput& in, double d, const RebarLayout& rows);
InteractionCurve weakAxisCurve(const EccentricInput& in, double d);

} // namespace qeln
