// The member at room temperature by EN 1994-1-1: axial buckling resistance
// (6.7.3.2(1), 6.7.3.3, 6.7.3.5), compression and uniaxial bending with
// second-order effects and member imperfections (6.7.3.4, 6.7.3.6) and
// biaxial bending (6.7.3.7).
#pragma once

#include "interaction.h"
#include "section.h"

#include <array>
#include <optional>

namespace qeln::en1994 {

enum class BucklingCurve { b, c };

// Reduction factor chi for buckling (EN 1993-1-1 6.3.1.2): 1 for lambda <= 0.2.
double reductionFactor(double lambda, double alpha);

struct AxialResult {
    double NplRd = 0, NplRk = 0;   // kN
    double delta = 0;              // steel contribution ratio, 6.7.1(4)
    double EIeff = 0;              // N mm2, with K_e = 0.6
    double l = 0;                  // buckling length, m
    double Ncr = 0;                // kN
    double lambda = 0;
    BucklingCurve curve = BucklingCurve::c;
    double alpha = 0;
    double chi = 0;
    double NbRd = 0;               // kN
};
AxialResult axialResistance(const SectionValues& s, const ColumnInput& in, const DesignValues& v, Axis axis, double l);

// The second-order moment about one axis with an eccentricity e > 0 of the
// axial force: M_Ed(N) = 0.001 N (k_1 e + k_2 e_0) for 0 < N < N_cr,eff.
struct SecondOrder {
    double EIeffII = 0;   // 0.9 (E_a I_a + E_s I_s + 0.5 E_c,eff I_c), N mm2
    double NcrEff = 0;    // kN
    double e = 0;         // mm
    double e0 = 0;        // member imperfection, mm: L/200 (y-y, curve b) or L/150 (z-z, curve c)
    double r = 1;         // ratio of the end moments
    double beta = 1;      // equivalent moment factor, max(0.44, 0.66 + 0.44 r)

    // The moment is defined for 0 <= N < N_cr,eff.
    bool defined(double N) const { return N >= 0 && N < NcrEff; }
    double k2(double N) const { return 1 / (1 - N / NcrEff); }
    double k1(double N) const
    {
        const double k = beta * k2(N);
        return k > 1 ? k : 1;
    }
    // The moment with or without the member imperfection (kNm).
    double moment(double N, bool imperfection = true) const
    {
        const double f = k2(N);
        const double k = beta * f > 1 ? beta * f : 1;
        return 0.001 * N * (k * e + (imperfection ? f * e0 : 0));
    }
};
SecondOrder secondOrder(const SectionValues& s, const DesignValues& v, Axis axis, double l, double e, double r);

// The resistance to compression and bending about one axis: the largest N
// with M_Ed(N) <= alpha_M M_pl,N,Rd(N), and the values at that force.
struct EccentricResult {
    SecondOrder so;
    double alphaM = 0;
    InteractionPoints points;
    double NRde = 0;        // kN
    double k1 = 0, k2 = 0;
    double MEd = 0;         // kNm
    double muD = 0;         // M_pl,N,Rd / M_pl,Rd
    double MplNRd = 0;      // kNm
};
EccentricResult eccentricResistance(const InteractionCurve& curve, const SecondOrder& so, double alphaM);

// Biaxial bending: the member imperfection about one axis only, the weak (z)
// or the strong (y); the conditions are M_z <= alpha_M M_pl,N,z,
// M_y <= alpha_M M_pl,N,y and M_z / M_pl,N,z + M_y / M_pl,N,y <= 1.
enum class BiaxialVariant { z, y };
enum class BiaxialCondition { momentWeak, momentStrong, interaction };
struct BiaxialVariantResult {
    double NRd = 0;                                       // kN
    BiaxialCondition bound = BiaxialCondition::interaction;   // the condition that stops the force
};
struct BiaxialResult {
    std::array<BiaxialVariantResult, 2> variants;   // z, y
    BiaxialVariant governs = BiaxialVariant::z;     // the smaller force, z on a tie
    double NRd = 0;                                 // the governing variant's force before capping
    BiaxialCondition bound = BiaxialCondition::interaction;
};
BiaxialResult biaxialResistance(const std::array<InteractionCurve, 2>& curves, const SecondOrder& weak,
                                const SecondOrder& strong, double alphaM);

// One axis of a room-temperature calculation; `eccentric` only with e > 0.
struct AxisResult {
    AxialResult axial;
    std::optional<EccentricResult> eccentric;
    double cell = 0;   // the eccentric cell: min(N_Rd,e, N_b,Rd), or N_b,Rd with e = 0
};

// A room-temperature calculation for a pair of buckling lengths: the service
// calculation (cold lengths) or the reference calculation of the fire rows
// (fire lengths).
struct RoomTemperatureResult {
    std::array<AxisResult, 2> axis;
    std::optional<BiaxialResult> biaxial;   // only with e1 > 0 and e2 > 0
    double biaxialCell = 0;
};
RoomTemperatureResult roomTemperature(const ColumnInput& in, const SectionValues& s, const DesignValues& v,
                                      const std::array<InteractionCurve, 2>& curves, double lWeak, double lStrong);

} // namespace qeln::en1994
