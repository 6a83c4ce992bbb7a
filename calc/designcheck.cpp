// Scope of the result rows and the design check of the design loads.
#include "designcheck.h"

#include "numeric.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace qeln {

namespace {

// A quotient that is shown and compared: none when it cannot be computed.
std::optional<double> ratio(double load, const std::optional<double>& resistance)
{
    if (!resistance || !(*resistance > 0))
        return std::nullopt;
    const double u = load / *resistance;
    if (!std::isfinite(u))
        return std::nullopt;
    return u;
}

} // namespace

// ---------------------------------------------------------------- design check

std::optional<int> smallestCellColumn(const UltimateLoadTable& t, int row)
{
    std::optional<int> at;
    for (int col = 0; col < 5; ++col)
        if (const auto v = t.at(row, col); v && std::isfinite(*v) && (!at || *v < *t.at(row, *at)))
            at = col;
    return at;
}

std::optional<double> smallestCell(const UltimateLoadTable& t, int row)
{
    const std::optional<int> col = smallestCellColumn(t, row);
    return col ? t.at(row, *col) : std::nullopt;
}

std::optional<DesignCheck> evaluateDesignCheck(const ColumnInput& in, const UltimateLoadTable& t,
                                               const RowScope& scope, bool barsLeftOutInFire)
{
    const bool nEdGiven = std::isfinite(in.nEd) && in.nEd > 0;
    const bool nFiEdGiven = std::isfinite(in.nFiEd) && in.nFiEd > 0;
    if (!nEdGiven && !nFiEdGiven)
        return std::nullopt;

    DesignCheck c;
    c.fireClass = in.fireClass;
    if (nEdGiven) {
        c.nEd = in.nEd;
        c.nRd = smallestCell(t, rowService);
        c.utilisation = ratio(in.nEd, c.nRd);
        c.servicePasses = c.utilisation && *c.utilisation <= 1.0;
        c.serviceColumn = smallestCellColumn(t, rowService);
    }
    if (nFiEdGiven) {
        c.nFiEd = in.nFiEd;
        if (in.fireClass) {
            const int row = static_cast<int>(*in.fireClass) + 1;
            c.nFiRd = smallestCell(t, row);
            c.fireUtilisation = ratio(in.nFiEd, c.nFiRd);
            c.fireWithinScope = scope[static_cast<std::size_t>(row)];
            c.fireColumn = smallestCellColumn(t, row);
            c.fireOnStrongAxis = c.fireColumn && (*c.fireColumn == axialStrong || *c.fireColumn == eccentricStrong);
            c.barsLeftOutInFire = barsLeftOutInFire;
            c.fireVerified = !c.fireOnStrongAxis && !c.barsLeftOutInFire;
            c.firePasses =
                *c.fireWithinScope && c.fireVerified && c.fireUtilisation && *c.fireUtilisation <= 1.0;
        } else {
            c.noFireCheck = true;
        }
        c.achievedApplies = true;
        for (auto it = kFireClasses.rbegin(); it != kFireClasses.rend(); ++it) {
            const int row = static_cast<int>(*it) + 1;
            const auto least = smallestCell(t, row);
            if (scope[static_cast<std::size_t>(row)] && least && *least >= in.nFiEd) {
                c.achievedClass = *it;
                break;
            }
        }
    }

    // A utilisation that cannot be computed counts as the largest.
    const double inf = HUGE_VAL;
    if (c.serviceGiven() && c.fireGiven()) {
        const double us = c.utilisation.value_or(inf), uf = c.fireUtilisation.value_or(inf);
        c.governing = uf > us ? Governing::fire : Governing::service;
    } else if (c.serviceGiven()) {
        c.governing = Governing::service;
    } else if (c.fireGiven()) {
        c.governing = Governing::fire;
    }
    // nothing checked is no pass: N.fi,Ed alone without a class
    c.passes = (c.serviceGiven() || c.fireGiven()) && c.servicePasses.value_or(true) && c.firePasses.value_or(true);
    return c;
}

// ---------------------------------------------------------------- inputs

double fireLoadFromEtaFi(double nEd, double etaFi)
{
    const double v = nEd * etaFi;
    if (!std::isfinite(v) || v <= 0)
        return 0;
    return std::round(v * 1000) / 1000;
}

bool fireLoadAboveLoad(const ColumnInput& in)
{
    return in.nEd > 0 && in.nFiEd > in.nEd;
}

} // namespace qeln
