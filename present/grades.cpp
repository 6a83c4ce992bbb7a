#include "grades.h"

#include <array>
#include <cmath>
#include <utility>

namespace qeln {

namespace {

template <std::size_t N>
std::string named(const std::array<std::pair<int, const char*>, N>& grades, double v)
{
    if (!std::isfinite(v))
        return {};
    for (const auto& [strength, name] : grades)
        if (v == strength)
            return name;
    return {};
}

} // namespace

std::string steelGrade(double fy)
{
    static constexpr std::array<std::pair<int, const char*>, 6> grades{
        {{235, "S235"}, {275, "S275"}, {355, "S355"}, {420, "S420"}, {450, "S450"}, {460, "S460"}}};
    return named(grades, fy);
}

std::string concreteClass(double fck)
{
    static constexpr std::array<std::pair<int, const char*>, 14> grades{
        {{12, "C12/15"}, {16, "C16/20"}, {20, "C20/25"}, {25, "C25/30"}, {30, "C30/37"}, {35, "C35/45"},
         {40, "C40/50"}, {45, "C45/55"}, {50, "C50/60"}, {55, "C55/67"}, {60, "C60/75"}, {70, "C70/85"},
         {80, "C80/95"}, {90, "C90/105"}}};
    return named(grades, fck);
}

std::string rebarGrade(double fsk)
{
    static constexpr std::array<std::pair<int, const char*>, 6> grades{
        {{400, "B400"}, {420, "B420"}, {450, "B450"}, {500, "B500"}, {550, "B550"}, {600, "B600"}}};
    return named(grades, fsk);
}

} // namespace qeln
