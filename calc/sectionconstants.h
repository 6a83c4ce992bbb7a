// Constants of the section properties, as the member and the eccentric
// resistance use them (the fillet values are those of a quarter circle).
#pragma once

namespace qeln::sectionconst {

inline constexpr double kPi = 3.141592653589;
inline constexpr double kPi4 = 0.78539816339725;   // pi / 4
inline constexpr double kFillets = 0.8584;         // 4 - pi: area of the four root fillets per r^2
inline constexpr double kFillet = 0.2146;          // 1 - pi/4: area of one fillet per r^2
inline constexpr double kFilletArm = 0.4468;       // twice the centroid distance of a fillet per r
inline constexpr double kFilletI = 0.03;           // own second moment of the four fillets per r^4

} // namespace qeln::sectionconst
