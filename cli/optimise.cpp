// qeln-cli optimise (see optimise.h).
#include "optimise.h"

#include "cells.h"
#include "json.h"

#include "present/checktext.h"
#include "present/format.h"


#include <algorithm>
#include <cmath>
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

// "(failing: 120 input checks, 30 field of application, 400 resistance, 2 target)"
std::string rejections(const SearchRejections& r)
{
    std::string out;
    auto add = [&](std::size_t n, const char* what) {
        if (n == 0)
            return;
        out.append(out.empty() ? " (failing: " : ", ").append(std::to_string(n)).append(" ").append(what);
    };
    add(r.input, "input checks");
    add(r.scope, "field of application");
    add(r.resistance, "resistance");
    add(r.target, "above the target utilisation");
    if (!out.empty())
        out += ")";
    return out;
}

std::string joined(const std::vector<std::string>& names)
{
    std::string out;
    for (const std::string& n : names)
        out.append(out.empty() ? "" : ", ").append(n);
    return out;
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
    c.maxUtilisation = o.maxUtilisation;
    c.rank = o.rankByCost ? SearchRank::cost : SearchRank::mass;
    c.prices = UnitPrices{o.priceSteel, o.priceRebars, o.priceConcrete};
    if (!o.layouts.empty()) {
        c.layouts.clear();
        for (const auto& [n1, n2] : o.layouts)
            c.layouts.push_back({n1, n2});
    }
    return c;
}

std::string optimiseTable(const SearchOutcome& s, int top, const SearchConstraints& c)
{
    const double target = c.maxUtilisation;
    const bool byCost = c.rank == SearchRank::cost;
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
        if (byCost) {
            out.pop_back();
            char cost[64];
            std::snprintf(cost, sizeof cost, "  cost %.2f/m\n", k.cost);
            out += cost;
        }
        if (!k.alsoNamed.empty()) {
            // the same section under another name: one candidate
            out.pop_back();
            out.append(" (= ").append(joined(k.alsoNamed)).append(")\n");
        }
    }
    out += std::to_string(s.passing) + " of " + std::to_string(s.evaluated) + " candidates pass";
    if (target != 1.0)
        out.append(" at a utilisation of at most ").append(shortNumber(target));
    out += rejections(s.rejected);
    out += "\n";
    if (byCost) {
        out.append("ranked by cost per metre at unit prices: steel ").append(shortNumber(c.prices.steel));
        out.append("/kg, rebars ").append(shortNumber(c.prices.rebars));
        out.append("/kg, concrete ").append(shortNumber(c.prices.concrete)).append("/m3\n");
    }
    if (s.fireLengthNeedsWidth) {
        char note[160];
        std::snprintf(note, sizeof note,
                      "the fire buckling length needs b >= %.0f mm within the field of application\n",
                      std::ceil(*s.fireLengthNeedsWidth));
        out += note;
    }
    return out;
}

std::string optimiseJson(const SearchOutcome& s, int top, const SearchConstraints& sc)
{
    const double target = sc.maxUtilisation;
    auto opt = [](const std::optional<double>& v) { return v ? json::number(*v) : json::Ordered(nullptr); };
    json::Ordered root = json::Ordered::object();
    root["evaluated"] = s.evaluated;
    root["passing"] = s.passing;
    root["maxUtilisation"] = json::number(target);
    root["rank"] = searchRankText(sc.rank);
    json::Ordered prices = json::Ordered::object();
    prices["steel"] = json::number(sc.prices.steel);
    prices["rebars"] = json::number(sc.prices.rebars);
    prices["concrete"] = json::number(sc.prices.concrete);
    root["prices"] = std::move(prices);
    json::Ordered failing = json::Ordered::object();
    failing["inputChecks"] = s.rejected.input;
    failing["fieldOfApplication"] = s.rejected.scope;
    failing["resistance"] = s.rejected.resistance;
    failing["aboveTarget"] = s.rejected.target;
    root["failing"] = std::move(failing);
    root["fireLengthNeedsWidth"] =
        s.fireLengthNeedsWidth ? json::number(std::ceil(*s.fireLengthNeedsWidth)) : json::Ordered(nullptr);
    json::Ordered list = json::Ordered::array();
    for (std::size_t i = 0; i < shown(s, top); ++i) {
        const SearchCandidate& k = s.candidates[i];
        json::Ordered c = json::Ordered::object();
        c["profileName"] = k.profileName;
        c["d"] = json::number(k.d);
        c["n1"] = k.n1;
        c["n2"] = k.n2;
        c["steelMass"] = json::number(k.steelMass);
        c["cost"] = json::number(k.cost);
        c["rebarArea"] = json::number(k.rebarArea);
        c["nRd"] = opt(k.check.nRd);
        c["utilisation"] = opt(k.check.utilisation);
        c["nFiRd"] = opt(k.check.nFiRd);
        c["fireUtilisation"] = opt(k.check.fireUtilisation);
        if (!k.check.achievedApplies)
            c["achievedClass"] = nullptr;
        else
            c["achievedClass"] = k.check.achievedClass ? fireClassCode(*k.check.achievedClass) : "none";
        json::Ordered names = json::Ordered::array();
        for (const std::string& n : k.alsoNamed)
            names.push_back(n);
        c["alsoNamed"] = std::move(names);
        list.push_back(std::move(c));
    }
    root["candidates"] = std::move(list);
    return json::dump(root) + "\n";
}

Result<OptimiseRun> runOptimise(const OptimiseOptions& o, const ColumnInput& in,
                                const std::vector<SearchProfile>& profiles)
{
    const SearchConstraints c = constraintsOf(o);
    const SearchProblem problem = searchProblem(in, c);
    if (problem != SearchProblem::none)
        return Failure::because(searchProblemText(problem));
    SearchControl control;
    control.threads = 0;   // every core
    // only those are shown; twice as many kept, for the profiles of the same
    // dimensions that become one candidate
    control.keep = 2 * static_cast<std::size_t>(std::max(o.top, 1));
    const SearchOutcome s = searchSections(in, profiles, c, control);
    OptimiseRun run;
    run.out = o.input.json ? optimiseJson(s, o.top, c) : optimiseTable(s, o.top, c);
    run.status = s.passing > 0 ? kExitValid : kExitCheckFails;
    return run;
}

} // namespace qeln::cli
