// Design values of the materials and the section values at room temperature
// of a partially encased column by EN 1994-1-1 6.7.3.
// Units: mm, mm2, mm4, N/mm2.
#pragma once

#include "calc/records.h"
#include "calc/section.h"
#include "calc/units.h"

#include <array>
#include <cstddef>

namespace qeln::en1994 {

// The two axes of bending and buckling: z-z (weak, in the plane of the web,
// lever arms along b) and y-y (strong, lever arms along h).
static_assert(static_cast<int>(Axis::Weak) == 0 && static_cast<int>(Axis::Strong) == 1);
inline constexpr std::array<Axis, 2> kAxes{Axis::Weak, Axis::Strong};
inline constexpr std::size_t at(Axis a) { return static_cast<std::size_t>(a); }


struct DesignValues {
    double fy = 0;         // yield point of the calculation (after the thickness reduction)
    double fyd = 0, fcd = 0, fsd = 0;
    double Ea = kSteelModulus, Es = kSteelModulus;
    double Ecm = 0;        // EN 1992-1-1 Table 3.1
    double Eceff = 0;      // E_cm / (1 + (N_G,Ed / N_Ed) phi_t), 6.7.3.3(4)
    double alphaM = 0;     // 0.9 up to S355, 0.8 for S420 and S460 (6.7.3.6(1)), by the entered grade
};
// fyCalc is the yield point after the program's thickness reduction; alpha_M
// reads the entered in.fy.
DesignValues designValues(const ColumnInput& in, double fyCalc);

// Second moments of area about one axis (mm4): flanges, web, root fillets,
// the whole profile I_a = I_f + I_w + I_f,r, bars and concrete.
struct AxisSection {
    double If = 0, Iw = 0, Ifr = 0, Ia = 0, Is = 0, Ic = 0;
};

struct SectionValues {
    double Af = 0, Aw = 0, Aa = 0, As = 0, Ac = 0;   // mm2; the fillets belong to the web
    RebarLayout rows;                                 // the strong axis's rows of bars
    double l1 = 0, l2 = 0;                           // weak-axis lever arms of the two layers
    std::array<AxisSection, 2> axis;
};
SectionValues sectionValues(const ColumnInput& in);

// Plastic resistance to compression, kN (6.7.3.2(1)): design N_pl,Rd with
// f_yd, 0.85 f_cd, f_sd, and characteristic N_pl,Rk with f_y, 0.85 f_ck, f_sk.
double plasticResistanceRd(const SectionValues& s, const DesignValues& v);
double plasticResistanceRk(const SectionValues& s, const ColumnInput& in, const DesignValues& v);

} // namespace qeln::en1994
