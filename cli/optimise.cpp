// qeln-cli optimise (see optimise.h).
#include "optimise.h"

#include "cells.h"
#include "json.h"

#include "present/checktext.h"
#include "present/format.h"


#include <algorithm>
#include <cstdio>

namespace qeln::cli {

namespace {

std::string achieved(const DesignCheck& c)
{
    if (!c.achievedApplies)
        return "-";
    return c.achievedClass ? fireClassLabel(*c.achievedClass) : "none";
}

std::size_t shown(const SearchOutcome& s, int top)
{
    return std::min(s.candidates.size(), static_cast<std::size_t>(std::max(top, 0)));
}

} // namespace

SearchConstraints constraintsOf(const OptimiseOptions& o)
{
    SearchConstraints c;
    c.families = o.families;
    c.maxH = o.maxH;
    c.maxB = o.maxB;
    if (!o.diameters.empty())
        c.diameters = o.diameters;
    if (!o.layouts.empty()) {
        c.layouts.clear();
        for (const auto& [n1, n2] : o.layouts)
            c.layouts.push_back({n1, n2});
    }
    return c;
}

std::string optimiseTable(const SearchOutcome& s, int top)
{
    std::string out;
    char line[256];
    std::snprintf(line, sizeof line, "%-20s  %-14s %9s %9s %7s %9s %7s  %s\n", "profile", "rebars", "steel", "N.Rd",
                  "util.", "N.fi.Rd", "fire", "achieved");
    out += line;
    std::snprintf(line, sizeof line, "%-20s  %-14s %9s %9s %7s %9s %7s  %s\n", "", "n1+n2 x d mm", "kg/m", "kN", "",
                  "kN", "util.", "class");
    out += line;
    for (std::size_t i = 0; i < shown(s, top); ++i) {
        const SearchCandidate& k = s.candidates[i];
        const std::string rebars = std::to_string(k.n1) + "+" + std::to_string(k.n2) + " x " + shortNumber(k.d);
        std::snprintf(line, sizeof line, "%-20s  %-14s %9.1f %9s %7s %9s %7s  %s\n", k.profileName.c_str(),
                      rebars.c_str(), k.steelMass, fixed(k.check.nRd, 0).c_str(),
                      fixed(k.check.utilisation, 3).c_str(), fixed(k.check.nFiRd, 0).c_str(),
                      fixed(k.check.fireUtilisation, 3).c_str(), achieved(k.check).c_str());
        out += line;
    }
    out += std::to_string(s.passing) + " of " + std::to_string(s.evaluated) + " candidates pass\n";
    return out;
}

std::string optimiseJson(const SearchOutcome& s, int top)
{
    auto opt = [](const std::optional<double>& v) { return v ? json::number(*v) : json::Ordered(nullptr); };
    json::Ordered root = json::Ordered::object();
    root["evaluated"] = s.evaluated;
    root["passing"] = s.passing;
    json::Ordered list = json::Ordered::array();
    for (std::size_t i = 0; i < shown(s, top); ++i) {
        const SearchCandidate& k = s.candidates[i];
        json::Ordered c = json::Ordered::object();
        c["profileName"] = k.profileName;
        c["d"] = json::number(k.d);
        c["n1"] = k.n1;
        c["n2"] = k.n2;
        c["steelMass"] = json::number(k.steelMass);
        c["rebarArea"] = json::number(k.rebarArea);
        c["nRd"] = opt(k.check.nRd);
        c["utilisation"] = opt(k.check.utilisation);
        c["nFiRd"] = opt(k.check.nFiRd);
        c["fireUtilisation"] = opt(k.check.fireUtilisation);
        if (!k.check.achievedApplies)
            c["achievedClass"] = nullptr;
        else
            c["achievedClass"] = k.check.achievedClass ? fireClassCode(*k.check.achievedClass) : "none";
        list.push_back(std::move(c));
    }
    root["candidates"] = std::move(list);
    return json::dump(root) + "\n";
}

int runOptimise(const OptimiseOptions& o, const ColumnInput& in, const std::vector<SearchProfile>& profiles,
                std::string& out, std::string& error)
{
    const SearchConstraints c = constraintsOf(o);
    const SearchProblem problem = searchProblem(in, c);
    if (problem != SearchProblem::none) {
        error = searchProblemText(problem);
        return kExitUsage;
    }
    SearchControl control;
    control.threads = 0;   // every core
    control.keep = static_cast<std::size_t>(std::max(o.top, 1));   // only those are shown
    const SearchOutcome s = searchSections(in, profiles, c, control);
    out = o.input.json ? optimiseJson(s, o.top) : optimiseTable(s, o.top);
    return s.passing > 0 ? kExitValid : kExitCheckFails;
}

} // namespace qeln::cli
