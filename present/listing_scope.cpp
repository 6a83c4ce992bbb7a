#include "listing_scope.h"

#include "checktext.h"
#include "format.h"

#include <cmath>
#include <string>

namespace qeln {

namespace {

// Texts of the catalogue
constexpr int kHeading = 1775, kMet = 1776, kNotMet = 1777, kEveryFireClass = 1778, kFlangeSlenderness = 1779,
              kReinforcement = 1780, kDepth = 1781, kWidth = 1782, kFireLength = 1783, kNormalTemperature = 1562,
              kSteelContribution = 1790, kSlenderness = 1569, kAxisDistanceShort = 1791, kFourPercentCounted = 1038,
              kBarsLeftOut = 1594;

const char* kUnderline = "----------------------------------------";

std::string label(const TextEnv& env, const ScopeCondition& c)
{
    switch (c.rule) {
    case ScopeRule::SteelContribution: return env.text(kSteelContribution);
    case ScopeRule::SlendernessWeak: return withArguments(env.text(kSlenderness), {"λ.z"});
    case ScopeRule::SlendernessStrong: return withArguments(env.text(kSlenderness), {"λ.y"});
    case ScopeRule::FlangeSlenderness: return env.text(kFlangeSlenderness);
    case ScopeRule::ReinforcementCold:
    case ScopeRule::ReinforcementFire: return env.text(kReinforcement);
    case ScopeRule::ProfileHeight:
    case ScopeRule::ProfileDepthHigh: return env.text(kDepth);
    case ScopeRule::ProfileWidth:
    case ScopeRule::ProfileWidthHigh: return env.text(kWidth);
    case ScopeRule::AxisDistance: return env.text(kAxisDistanceShort);
    case ScopeRule::FireBucklingLength:
        return withArguments(env.text(kFireLength), {formatGeneral(c.factor, 4, env.decimalSeparator)});
    }
    return {};
}

const char* unit(ScopeRule r)
{
    switch (r) {
    case ScopeRule::ReinforcementCold:
    case ScopeRule::ReinforcementFire: return "%";
    case ScopeRule::ProfileHeight:
    case ScopeRule::ProfileWidth:
    case ScopeRule::AxisDistance:
    case ScopeRule::ProfileDepthHigh:
    case ScopeRule::ProfileWidthHigh: return "mm";
    case ScopeRule::FireBucklingLength: return "m";
    default: return "";
    }
}

std::string number(const TextEnv& env, double v)
{
    return std::isfinite(v) ? Printf("%.4g", {v}, env.decimalSeparator) : std::string();
}

std::string rowHeading(const TextEnv& env, int row)
{
    if (row == rowService)
        return env.text(kNormalTemperature);
    if (row == kEveryFireRow)
        return env.text(kEveryFireClass);
    return fireClassLabel(static_cast<FireClass>(row - 1));
}

} // namespace

const char* scopeClause(ScopeRule rule, DesignCode code)
{
    const bool env = code == DesignCode::ENV1994;
    switch (rule) {
    case ScopeRule::SteelContribution: return env ? "ENV 1994-1-1, 4.8.3.1" : "EN 1994-1-1, 6.7.1(4)";
    case ScopeRule::SlendernessWeak:
    case ScopeRule::SlendernessStrong: return env ? "ENV 1994-1-1, 4.8.3.1" : "EN 1994-1-1, 6.7.3.1(1)";
    case ScopeRule::FlangeSlenderness: return env ? "ENV 1994-1-1, 4.8" : "EN 1994-1-1, 6.7.1(9)";
    case ScopeRule::ReinforcementCold: return "ENV 1994-1-1, 4.8.3.1";
    case ScopeRule::ProfileHeight:
    case ScopeRule::ProfileWidth: return env ? "ENV 1994-1-2, 4.3.6.2" : "EN 1994-1-2, Annex G";
    case ScopeRule::ReinforcementFire: return env ? "ENV 1994-1-2, 4.3.6.2(2)" : "EN 1994-1-2, Annex G";
    case ScopeRule::AxisDistance: return env ? "ENV 1994-1-2, F.5" : "EN 1994-1-2, G.5";
    case ScopeRule::FireBucklingLength: return env ? "ENV 1994-1-2, F.6(5)" : "EN 1994-1-2, Annex G";
    case ScopeRule::ProfileDepthHigh:
    case ScopeRule::ProfileWidthHigh: return env ? "ENV 1994-1-2, 4.3.6.2(3)" : "EN 1994-1-2, Annex G";
    }
    return "";
}

void writeFieldOfApplication(const TextEnv& env, MessageList& out, const ScopeConditions& conditions,
                             DesignCode code)
{
    if (conditions.count == 0)
        return;
    out.add(env.text(kHeading));
    out.add(kUnderline);
    out.add("");
    // normal temperature, every fire class, then each class
    for (const int row : {static_cast<int>(rowService), kEveryFireRow, static_cast<int>(rowR30), static_cast<int>(rowR60),
                          static_cast<int>(rowR90), static_cast<int>(rowR120)}) {
        bool headed = false;
        for (const ScopeCondition& c : conditions) {
            if (c.row != row)
                continue;
            if (!headed) {
                out.add(rowHeading(env, row));
                headed = true;
            }
            // label, value and unit, bound and limit, verdict, clause: within the
            // report's width (about 90 characters)
            const char* u = unit(c.rule);
            std::string line = Printf("  %-30s %7s %-2s  %2s %6s  %-7s",
                                      {label(env, c), number(env, c.value), u,
                                       c.bound == ScopeBound::AtMost ? "<=" : ">=", number(env, c.limit),
                                       env.text(c.met ? kMet : kNotMet)},
                                      env.decimalSeparator);
            line.append("  ").append(scopeClause(c.rule, code));
            // a condition that is not met is shown grey, like a row outside
            out.add(std::move(line), !c.met);
            // what the method does instead when a notice's condition is not met
            if (c.kind == ScopeKind::Notice && !c.met) {
                std::string note = "    ";
                note.append(env.text(c.rule == ScopeRule::ReinforcementCold ? kFourPercentCounted : kBarsLeftOut));
                out.add(std::move(note), true);
            }
        }
    }
    out.add("");
}

} // namespace qeln
