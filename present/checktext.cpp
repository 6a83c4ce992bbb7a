// The texts of the design loads and the design check (see checktext.h).
#include "checktext.h"

#include "format.h"

#include <cctype>
#include <cmath>

namespace qeln {

namespace {

const char* const kUnderline = "----------------------------------------";

} // namespace

const char* fireClassLabel(FireClass c)
{
    switch (c) {
    case FireClass::R30: return "R 30";
    case FireClass::R60: return "R 60";
    case FireClass::R90: return "R 90";
    case FireClass::R120: return "R 120";
    }
    return "R 120";
}

const char* designCodeKey(DesignCode c)
{
    return c == DesignCode::EN1994 ? "EN1994" : "ENV1994";
}

std::optional<DesignCode> designCodeFromKey(std::string_view key)
{
    std::string s;
    for (char c : key)
        if (c != ' ')
            s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (DesignCode c : {DesignCode::ENV1994, DesignCode::EN1994})
        if (s == designCodeKey(c))
            return c;
    return std::nullopt;
}

const char* fireClassCode(FireClass c)
{
    switch (c) {
    case FireClass::R30: return "R30";
    case FireClass::R60: return "R60";
    case FireClass::R90: return "R90";
    case FireClass::R120: return "R120";
    }
    return "";
}

std::optional<FireClass> fireClassFromCode(std::string_view code)
{
    std::string s;
    for (char c : code)
        if (c != ' ')
            s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (FireClass c : kFireClasses)
        if (s == fireClassCode(c))
            return c;
    return std::nullopt;
}

std::string designLoadProblem(const char* name, double v)
{
    if (!std::isfinite(v))
        return std::string(name) + " is not a number";
    if (v < 0)
        return std::string(name) + " must not be negative (0: not given)";
    if (v > kMaxDesignLoad)
        return std::string(name) + " above " + formatGeneral(kMaxDesignLoad, 7) + " kN is not realistic";
    return "";
}

void addDesignLoadWarnings(const TextEnv& env, const ColumnInput& in, ColumnResults& res)
{
    if (fireLoadAboveLoad(in)) {
        res.warnings.add(env.text(1227));
        res.warnings.add(" ");
        res.hasWarnings = true;
    }
}

std::string outsideFootnote(const TextEnv& env)
{
    return std::string(kOutsideMarker) + " " + env.text(1226);
}

std::string utilisationText(const std::optional<double>& u, const std::string& sep)
{
    return u ? formatFixed(*u, 3, sep) : std::string("\xE2\x80\x94");
}

std::string achievedClassText(const TextEnv& env, const DesignCheck& c)
{
    return c.achievedClass ? fireClassLabel(*c.achievedClass) : env.text(1214);
}

std::string tableColumnText(const TextEnv& env, int col)
{
    if (col == biaxial)
        return env.text(1078);
    return env.text(col <= axialStrong ? 1074 : 1075) + " " +
           env.text(col == axialWeak || col == eccentricWeak ? 1076 : 1077);
}

std::string governingCellText(const TextEnv& env, const DesignCheck& c)
{
    const bool fire = c.governing == Governing::fire;
    const std::optional<int> col = c.governingColumn();
    if (!col || (fire && !c.fireClass))
        return "";
    return (fire ? std::string(fireClassLabel(*c.fireClass)) : env.text(1087)) + ", " + tableColumnText(env, *col);
}

// The verdict in words: passes, fails, or not verified by this method (a
// fire check that would pass on a value the method does not verify).
std::string verdictText(const TextEnv& env, const DesignCheck& c, const std::optional<bool>& passes, bool fire)
{
    const bool unverified = c.fireGiven() && !c.fireVerified && c.fireUtilisation && *c.fireUtilisation <= 1.0 &&
                            c.fireWithinScope.value_or(true) && (fire || c.servicePasses.value_or(true));
    if (!passes.value_or(false) && unverified)
        return env.text(1753);
    // N.fi,Ed without a class: the pass is one of normal temperature only
    if (!fire && passes.value_or(false) && c.noFireCheck)
        return env.text(1762);
    return env.text(passes.value_or(false) ? 1222 : 1223);
}

std::vector<CheckLine> designCheckLines(const TextEnv& env, const DesignCheck& c)
{
    const std::string& sep = env.decimalSeparator;
    auto line = [&](std::string label, std::string value, std::optional<bool> passes) {
        std::string verdict = passes ? env.text(*passes ? 1222 : 1223) : std::string();
        return CheckLine{std::move(label), std::move(value), passes, std::move(verdict)};
    };
    std::vector<CheckLine> out;
    if (c.serviceGiven())
        out.push_back(line(env.text(1219), utilisationText(c.utilisation, sep), c.servicePasses));
    if (c.fireGiven()) {
        std::string label = env.text(1221) + " (" + fireClassLabel(*c.fireClass) + ")";
        if (!c.fireWithinScope.value_or(true))
            label += std::string(" ") + kOutsideMarker;
        out.push_back(line(label, utilisationText(c.fireUtilisation, sep), c.firePasses));
        out.back().verdict = verdictText(env, c, c.firePasses, true);
    }
    if (c.noFireCheck)
        out.push_back(line(env.text(1221), env.text(1754), std::nullopt));
    if (c.achievedApplies)
        out.push_back(line(env.text(1224), achievedClassText(env, c), std::nullopt));
    if (const std::string cell = governingCellText(env, c); !cell.empty())
        out.push_back(line(env.text(1755), cell, std::nullopt));
    if (c.serviceGiven() || c.fireGiven()) {
        out.push_back(line(env.text(1225), "", c.passes));
        out.back().verdict = verdictText(env, c, c.passes, false);
    }
    return out;
}

void writeDesignCheck(const TextEnv& env, MessageList& out, const DesignCheck& c)
{
    const std::string& sep = env.decimalSeparator;
    auto T = [&](int id) { return env.text(id); };
    auto verdict = [&](const std::optional<bool>& p) { return p.value_or(false) ? T(1222) : T(1223); };
    auto load = [&](int label, const std::optional<double>& v) {
        if (v)
            out.add(Printf("  %-52s : %10.1f kN", {T(label), *v}, sep));
        else
            out.add(Printf("  %-52s : %10s kN", {T(label), utilisationText(std::nullopt, sep)}, sep));
    };
    auto quotient = [&](const std::string& label, const std::optional<double>& u, const std::optional<bool>& p,
                        const std::string& note) {
        out.add(Printf("  %-52s : %10s    %s%s", {label, utilisationText(u, sep), verdict(p), note}, sep));
    };

    out.add(T(1217));
    out.add(kUnderline);
    out.add("");
    if (c.serviceGiven()) {
        load(1211, c.nEd);
        load(1218, c.nRd);
        quotient(T(1219), c.utilisation, c.servicePasses, "");
    }
    if (c.fireClass)
        out.add(Printf("  %-52s : %10s", {T(1213), fireClassLabel(*c.fireClass)}, sep));
    if (c.nFiEd)
        load(1212, c.nFiEd);
    if (c.fireGiven()) {
        load(1220, c.nFiRd);
        const bool inside = c.fireWithinScope.value_or(true);
        out.add(Printf("  %-52s : %10s    %s%s", {T(1221), utilisationText(c.fireUtilisation, sep),
                                                  verdictText(env, c, c.firePasses, true),
                                                  inside ? "" : std::string(" ") + kOutsideMarker}, sep));
        if (!inside)
            out.add("  " + outsideFootnote(env));
        if (c.fireOnStrongAxis)
            out.add("  " + T(1756));
        if (c.barsLeftOutInFire)
            out.add("  " + T(1757));
    }
    if (c.noFireCheck)
        out.add(Printf("  %-52s : %s", {T(1221), T(1754)}, sep));
    if (c.achievedApplies)
        out.add(Printf("  %-52s : %10s", {T(1224), achievedClassText(env, c)}, sep));
    if (c.serviceGiven() || c.fireGiven()) {
        const std::string gov = c.governing == Governing::fire
                                    ? std::string(fireClassLabel(*c.fireClass))
                                    : T(1087);
        out.add(Printf("  %-52s : %10s", {T(1228), gov}, sep));
        if (const std::string cell = governingCellText(env, c); !cell.empty())
            out.add(Printf("  %-52s : %s", {T(1755), cell}, sep));
        out.add(Printf("  %-52s : %10s    %s", {T(1225), "", verdictText(env, c, c.passes, false)}, sep));
    }
    out.add("");
}

} // namespace qeln
