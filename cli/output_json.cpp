#include "output_json.h"

#include "json.h"

#include "present/checktext.h"

#include <optional>

namespace qeln::cli {

namespace {

json::Ordered optionalNumber(const std::optional<double>& v) { return v ? json::number(*v) : json::Ordered(); }

json::Ordered strings(const std::vector<std::string>& lines) { return json::Ordered(lines); }

json::Ordered optionalBool(const std::optional<bool>& b) { return b ? json::Ordered(*b) : json::Ordered(); }

json::Ordered optionalClass(const std::optional<FireClass>& fc)
{
    return fc ? json::Ordered(fireClassCode(*fc)) : json::Ordered();
}

} // namespace

json::Ordered designCheckJson(const std::optional<DesignCheck>& check)
{
    if (!check)
        return json::Ordered();
    const DesignCheck& c = *check;
    json::Ordered o = json::Ordered::object();
    o["nEd"] = optionalNumber(c.nEd);
    o["fireClass"] = optionalClass(c.fireClass);
    o["nFiEd"] = optionalNumber(c.nFiEd);
    o["nRd"] = optionalNumber(c.nRd);
    o["utilisation"] = optionalNumber(c.utilisation);
    o["servicePasses"] = optionalBool(c.servicePasses);
    o["nFiRd"] = optionalNumber(c.nFiRd);
    o["fireUtilisation"] = optionalNumber(c.fireUtilisation);
    o["fireWithinScope"] = optionalBool(c.fireWithinScope);
    o["firePasses"] = optionalBool(c.firePasses);
    if (!c.achievedApplies)
        o["achievedClass"] = json::Ordered();
    else
        o["achievedClass"] = c.achievedClass ? fireClassCode(*c.achievedClass) : "none";
    switch (c.governing) {
    case Governing::service: o["governing"] = "service"; break;
    case Governing::fire: o["governing"] = "fire"; break;
    case Governing::none: o["governing"] = json::Ordered(); break;
    }
    o["passes"] = c.passes;
    return o;
}

json::Ordered tableJson(const UltimateLoadTable& t)
{
    json::Ordered table = json::Ordered::array();
    for (int row = 0; row < 5; ++row) {
        json::Ordered cells = json::Ordered::array();
        for (int col = 0; col < 5; ++col)
            cells.push_back(optionalNumber(t.at(row, col)));
        table.push_back(std::move(cells));
    }
    return table;
}

json::Ordered scopeJson(const RowScope& scope)
{
    json::Ordered a = json::Ordered::array();
    for (bool inside : scope)
        a.push_back(inside);
    return a;
}

std::string runToJson(const RunState& st, const std::vector<std::string>& messageBoxes, const json::Ordered* curves)
{
    const ColumnResults& r = st.results;
    json::Ordered doc = json::Ordered::object();

    doc["table"] = tableJson(r.table);
    doc["errors"] = strings(r.errors.lines());
    doc["warnings"] = strings(r.warnings.lines());
    doc["hasErrors"] = r.hasErrors;
    doc["hasWarnings"] = r.hasWarnings;
    doc["calcError"] = st.calcError;
    doc["messageBoxes"] = strings(messageBoxes);
    doc["rho"] = json::number(st.derived.rho);
    doc["fyCalc"] = json::number(st.derived.fyCalc);
    doc["dCalc"] = json::number(st.derived.dCalc);
    doc["concreteVolume"] = optionalNumber(r.concreteVolume);
    doc["rebarLocationLines"] = strings(r.rebarLocationLines.lines());
    doc["memberDetailLines"] = strings(r.memberDetailLines.lines());
    doc["resultsLines"] = strings(r.resultsLines.lines());
    doc["componentsLines"] = strings(r.componentsLines.lines());
    doc["listing"] = strings(st.completeListing.lines());

    json::Ordered& grid = doc["grid"] = json::Ordered::array();
    for (const auto& row : r.grid.cell) {
        json::Ordered cells = json::Ordered::array();
        for (const std::string& c : row)
            cells.push_back(c);
        grid.push_back(std::move(cells));
    }
    // scope: five booleans; check: the design check of a valid run, or null
    doc["scope"] = scopeJson(st.scope);
    doc["check"] = designCheckJson(st.check);
    if (curves)
        doc["curves"] = *curves;
    return json::dump(doc) + "\n";
}

} // namespace qeln::cli
