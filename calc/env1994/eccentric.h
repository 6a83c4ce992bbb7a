// Resistance to eccentric loading by plastic interaction curves.
#pragma once

#include "calc/findings.h"
#include "calc/records.h"
#include "calc/units.h"

#include <vector>

namespace qeln::env1994 {

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
    double gammaA = 1, gammaC = 1, gammaS = 1;   // partial factors (N.pl.R from N.pl.Rd)
};

// One axis of the eccentric search at the force it found, for the details:
// the acting moment N e k against the moment allowed,
// 0.9 (M(N) - M.k N / N.Rd) (ENV 1994-1-1 4.8.3.13). All zero when the axis
// has no eccentricity or no force carries it.
struct EccentricAxisValues {
    double e = 0;        // eccentricity, mm
    double nRd = 0;      // axial resistance of the search, kN
    double nCr = 0;      // critical load, kN
    double Mk = 0;       // M(N.Rd), kNm
    double n = 0;        // axial force found, kN
    double ratio = 0;    // N / N.Rd
    double k = 0;        // second-order amplification max(1.1 / (1 - N / N.cr), 1)
    double MSd = 0;      // acting moment N e k, kNm
    double MN = 0;       // plastic moment resistance at N, M(N), kNm
    double MRd = 0;      // moment allowed, 0.9 (M(N) - M.k N / N.Rd), kNm
};

// The biaxial search at the force it found: the moments of both axes and
// their ratios (each at most 0.9, their sum at most 1).
struct BiaxialValues {
    double n = 0;                        // axial force found, kN
    double MSdWeak = 0, MRdWeak = 0;     // kNm
    double MSdStrong = 0, MRdStrong = 0; // kNm
    double ratioWeak = 0, ratioStrong = 0;   // M.Sd / M.Rd of each axis
    bool strongGoverns = false;          // the axis whose moment carries the M.k term
};

struct EccentricResult {
    double dCalc = 0;        // the rebar diameter in effect
    RebarLayout rows;
    double ratioWeak = 0, ratioStrong = 0, ratioBiaxial = 0;
    // intermediate values, for tests
    double nRdWeak = 0, nRdStrong = 0, nCrWeak = 0, nCrStrong = 0;
    int weakPoints = 0, strongPoints = 0;
    EccentricAxisValues weak, strong;   // the searches at the forces they found
    BiaxialValues biaxial;
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
EccentricResult EccentricResistance(const EccentricInput& in, EccentricCurves* curves = nullptr);

// One axis of the eccentric resistance as its search sees it, for the
// interaction diagrams: the curve, the axis's loads, Mk = M(N.Rd) and the
// axial force at which the search stopped. The numbers are those of
// EccentricResistance for the same input, bit for bit.
struct EccentricAxis {
    InteractionCurve curve;
    double nplRd = 0;     // N.pl.Rd, the curve's first point
    double nRd = 0, nCr = 0, Mk = 0;
    double e = 0;         // the eccentricity searched with, mm
    double nFound = 0;    // the search's axial force (0 when none carries)
};
struct EccentricAxes {
    EccentricResult result;
    EccentricAxis weak, strong;
};
EccentricAxes eccentricAxes(const EccentricInput& in);

// The second-order amplification k(N) = max(1.1 / (1 - N / N.cr), 1) the
// searches use; false when N is at or above N.cr (no such force is carried).
bool secondOrderAmplification(double n, double nCr, double& k);
// The curve's moment at axial force n, interpolated as the searches do.
double interactionMoment(const InteractionCurve& c, double n);

// The interaction curves, exposed for tests.
InteractionCurve strongAxisCurve(const EccentricInput& in, double d, const RebarLayout& rows);
InteractionCurve weakAxisCurve(const EccentricInput& in, double d);

} // namespace qeln::env1994
