// The grade names of the materials, by their characteristic strengths: the
// names an engineer reads beside the values (S355, C30/37, B500). A strength
// that is no standard grade has no name (empty).
#pragma once

#include <string>

namespace qeln {

// Structural steel by its yield strength f.y (EN 10025: S235 to S460).
std::string steelGrade(double fy);
// Concrete by its cylinder strength f.ck (C12/15 to C90/105).
std::string concreteClass(double fck);
// Reinforcing steel by its yield strength f.sk (B400 to B600).
std::string rebarGrade(double fsk);

} // namespace qeln
