// Named unit conversions and the constants both design codes share.
// Units: mm inside the section, N/mm2 for strengths and moduli, kN, kNm,
// buckling lengths in m.
#pragma once

namespace qeln {

namespace units {
// A force from an area (mm2) and a stress (N/mm2): N / 1000 = kN.
inline constexpr double kNPerkN = 1000;
// A buckling length is entered in m: pi^2 EI (N mm2) / (L (m)^2 * 1e9) is
// the critical load in kN (1e6 mm2 per m2, 1000 N per kN), one factor. Both
// methods state their critical loads so.
inline constexpr double kBucklingLengthScale = 1e9;
// An area in mm2 as m2 (the volume in m3 per m of column).
inline constexpr double kM2PerMm2 = 1e-6;
// A moment from a force in kN and a lever arm in mm, in kNm.
inline constexpr double kkNmPerkNmm = 0.001;
} // namespace units

// Elastic modulus of structural and reinforcing steel, Ea = Es
// (ENV 1994-1-1 3.3.2 and 3.2.2; EN 1994-1-1 3.3 and 3.2).
inline constexpr double kSteelModulus = 210000;

} // namespace qeln
