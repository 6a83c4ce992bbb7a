// Yield point of thick rolled profiles: the guaranteed yield point falls with
// the element thickness (EN 10025 thickness classes).
#include "yield.h"

#include "numeric.h"

#include <array>
#include <cmath>

namespace qeln {

void ReduceYieldPoint(bool apply, double& fyOut, bool& gradeUnknown, double fy, double t)
{
    struct Grade {
        double fy;
        std::array<int, 7> amount;
    };
    static constexpr std::array<Grade, 5> table{{
        {235, {0, 10, 20, 20, 20, 40, 100}},
        {275, {0, 10, 20, 30, 40, 50, 100}},
        {355, {0, 10, 20, 30, 40, 60, 100}},
        {420, {0, 20, 30, 30, 30, 30, 100}},
        {460, {0, 20, 30, 30, 30, 30, 100}},
    }};

    gradeUnknown = false;
    if (!apply) {
        fyOut = fy;
        return;
    }
    const long long tr = roundHalfEven(t + 0.499);
    int column;
    if (tr <= 16) column = 0;
    else if (tr <= 40) column = 1;
    else if (tr <= 63) column = 2;
    else if (tr <= 80) column = 3;
    else if (tr <= 100) column = 4;
    else if (tr <= 150) column = 5;
    else column = 6;

    int amount = 0;
    bool found = false;
    for (const auto& g : table) {
        if (std::fabs(fy - g.fy) <= 1.0) {
            amount = g.amount[static_cast<std::size_t>(column)];
            found = true;
            break;
        }
    }
    gradeUnknown = !found;
    fyOut = fy - amount;
}

} // namespace qeln
