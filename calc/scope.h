// The field of application as a list of conditions: each with the value the
// project has, its limit and whether it is met, so that a checker sees the
// conditions that hold as well as the ones that fail. The same rules decide
// which rows of the result table lie inside (RowScope).
#pragma once

#include "outcome.h"
#include "records.h"

#include <array>
#include <optional>

namespace qeln {

enum class ScopeRule {
    SteelContribution,   // 0.2 <= δ <= 0.9
    SlendernessWeak,     // relative slenderness about z-z at most 2.0
    SlendernessStrong,   // relative slenderness about y-y at most 2.0
    FlangeSlenderness,   // b / t.f <= 44 ε, ε = sqrt(235 / f.y)
    ReinforcementCold,   // ρ at most 4 % counted at normal temperature (ENV)
    ProfileHeight,       // 230 <= h <= 1100 mm in fire
    ProfileWidth,        // 230 <= b <= 500 mm in fire
    ReinforcementFire,   // 1 % <= ρ <= 6 % in fire
    AxisDistance,        // u >= 40 mm, the smallest axis distance of the tables
    FireBucklingLength,  // l.θ <= 13.5 b or 10 b by class and h / b
    ProfileDepthHigh,    // h >= 300 mm for R 90 and R 120
    ProfileWidthHigh,    // b >= 300 mm for R 90 and R 120
};

enum class ScopeBound { AtLeast, AtMost };

// What a condition that is not met means.
enum class ScopeKind {
    Limit,   // the row lies outside the field of application (its marker in the table)
    Input,   // an input error: the run gives no results
    Notice,  // the run goes on as the method says (4 % counted, bars left out in fire)
};

// The rows a condition belongs to: the row of the table (0 normal
// temperature, 1 to 4 R30 to R120) or every fire class.
inline constexpr int kEveryFireRow = 5;

struct ScopeCondition {
    int row = 0;
    ScopeRule rule = ScopeRule::SteelContribution;
    ScopeKind kind = ScopeKind::Limit;
    ScopeBound bound = ScopeBound::AtMost;
    double value = 0, limit = 0;
    double factor = 0;   // the multiple of b in a buckling length's limit (13.5 or 10)
    bool met = true;
};

// A fixed list (no allocation: the search asks for the scope of every candidate).
struct ScopeConditions {
    std::array<ScopeCondition, 24> items{};
    int count = 0;

    void add(const ScopeCondition& c)
    {
        if (count < static_cast<int>(items.size()))
            items[static_cast<std::size_t>(count++)] = c;
    }
    const ScopeCondition* begin() const { return items.data(); }
    const ScopeCondition* end() const { return items.data() + count; }
};

// The conditions of the fire rows that decide the rows' scope: the fire
// buckling lengths by class (Annex F / Annex G, F.6 (5)) and the profile size
// for R 90 and R 120. Met when the value keeps to the limit; a value that is
// not a number fails no condition, as the rules have always read.
void fireRowConditions(const ColumnInput& in, ScopeConditions& out);

// Every condition of a run, the rows' limits first within each row: the
// normal temperature row (δ and the slendernesses from the run when it got
// there, b / t.f, and for ENV the 4 % rule), the fire rows' common
// conditions (profile size, ρ, u) and the limits of each class.
ScopeConditions scopeConditions(const ColumnInput& in, const CheckOutcome& checks, const DesignOutcome& run);

// Per row: inside when every Limit condition of the row is met.
RowScope rowScopeOf(const ScopeConditions& c);

// The smallest profile width b (mm) within whose field of application the
// fire buckling length of `in` lies in class `c`: l.θ <= 13.5 b for a section
// with h / b <= 3, where that asks for more than the class's smallest
// profile (230 mm, and 300 mm from R 90 on). None when the length sets no
// such bound or is no number.
std::optional<double> widthNeededByFireLength(const ColumnInput& in, FireClass c);

} // namespace qeln
