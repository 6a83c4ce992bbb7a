#include "output_json.h"

#include "present/listing_scope.h"

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

json::Ordered axisDetailsJson(const en1994::Outcome& o, const en1994::AxisResult& a)
{
    json::Ordered d = json::Ordered::object();
    const en1994::AxialResult& x = a.axial;
    d["NplRd"] = json::number(x.NplRd);
    d["NplRk"] = json::number(x.NplRk);
    d["delta"] = json::number(x.delta);
    d["Ecm"] = json::number(o.values.Ecm);
    d["EcEff"] = json::number(o.values.Eceff);
    d["EIeff"] = json::number(x.EIeff);
    d["Ncr"] = json::number(x.Ncr);
    d["lambda"] = json::number(x.lambda);
    d["chi"] = json::number(x.chi);
    d["NbRd"] = json::number(x.NbRd);
    if (a.eccentric) {
        const en1994::EccentricResult& e = *a.eccentric;
        d["EIeffII"] = json::number(e.so.EIeffII);
        d["NcrEff"] = json::number(e.so.NcrEff);
        d["e0"] = json::number(e.so.e0);
        d["beta"] = json::number(e.so.beta);
        d["alphaM"] = json::number(e.alphaM);
        d["NpmRd"] = json::number(e.points.NpmRd);
        d["MplRd"] = json::number(e.points.MplRd);
        d["MmaxRd"] = json::number(e.points.MmaxRd);
        d["NRde"] = json::number(e.NRde);
        d["k1"] = json::number(e.k1);
        d["k2"] = json::number(e.k2);
        d["MEd"] = json::number(e.MEd);
        d["muD"] = json::number(e.muD);
    }
    return d;
}

// The EN method's values of the room-temperature (service) calculation; null
// when the run did not reach its table.
json::Ordered enDetailsJson(const DesignOutcome& design)
{
    const auto* o = std::get_if<en1994::Outcome>(&design.details);
    if (!o || !design.tableComplete)
        return json::Ordered();
    json::Ordered d = json::Ordered::object();
    d["weak"] = axisDetailsJson(*o, o->service.axis[en1994::at(Axis::Weak)]);
    d["strong"] = axisDetailsJson(*o, o->service.axis[en1994::at(Axis::Strong)]);
    if (o->service.biaxial) {
        json::Ordered b = json::Ordered::object();
        b["variant"] = o->service.biaxial->governs == en1994::BiaxialVariant::z ? "z" : "y";
        b["NRd"] = json::number(o->service.biaxial->NRd);
        d["biaxial"] = std::move(b);
    }
    return d;
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
    // the cell the governing check rests on, and whether the method verifies the fire check
    const std::optional<int> col = c.governingColumn();
    o["governingRow"] = !col                               ? json::Ordered()
                        : c.governing == Governing::fire ? json::Ordered(fireClassCode(*c.fireClass))
                                                         : json::Ordered("service");
    o["governingColumn"] = col ? json::Ordered(*col) : json::Ordered();
    o["fireVerified"] = c.fireGiven() ? json::Ordered(c.fireVerified) : json::Ordered();
    o["fireOnStrongAxis"] = c.fireOnStrongAxis;
    o["barsLeftOutInFire"] = c.barsLeftOutInFire;
    o["noFireCheck"] = c.noFireCheck;
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

const char* ruleName(ScopeRule r)
{
    switch (r) {
    case ScopeRule::SteelContribution: return "steelContribution";
    case ScopeRule::SlendernessWeak: return "slendernessWeak";
    case ScopeRule::SlendernessStrong: return "slendernessStrong";
    case ScopeRule::FlangeSlenderness: return "flangeSlenderness";
    case ScopeRule::ReinforcementCold: return "reinforcementNormalTemperature";
    case ScopeRule::ProfileHeight: return "profileHeight";
    case ScopeRule::ProfileWidth: return "profileWidth";
    case ScopeRule::ReinforcementFire: return "reinforcementFire";
    case ScopeRule::AxisDistance: return "axisDistance";
    case ScopeRule::FireBucklingLength: return "fireBucklingLength";
    case ScopeRule::ProfileDepthHigh: return "profileHeightR90R120";
    case ScopeRule::ProfileWidthHigh: return "profileWidthR90R120";
    }
    return "";
}

// The field of application condition by condition: the row ("normal",
// "R30".."R120" or "fire" for every class), the rule, its value, bound and
// limit, whether it is met, what not meeting it means, and the clause.
json::Ordered conditionsJson(const ScopeConditions& c, DesignCode code)
{
    static const char* rows[] = {"normal", "R30", "R60", "R90", "R120", "fire"};
    json::Ordered a = json::Ordered::array();
    for (const ScopeCondition& k : c) {
        json::Ordered o = json::Ordered::object();
        o["row"] = k.row >= 0 && k.row <= kEveryFireRow ? rows[k.row] : "";
        o["rule"] = ruleName(k.rule);
        o["value"] = json::number(k.value);
        o["bound"] = k.bound == ScopeBound::AtMost ? "atMost" : "atLeast";
        o["limit"] = json::number(k.limit);
        o["met"] = k.met;
        o["kind"] = k.kind == ScopeKind::Limit ? "scope" : k.kind == ScopeKind::Input ? "input" : "notice";
        o["clause"] = scopeClause(k.rule, code);
        a.push_back(std::move(o));
    }
    return a;
}

std::string runToJson(const RunState& st, const ColumnInput& in, const std::vector<std::string>& messageBoxes,
                      const json::Ordered* curves)
{
    const DesignCode code = in.code;
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
    doc["fieldOfApplication"] = conditionsJson(st.conditions, code);
    doc["check"] = designCheckJson(st.check);
    // who checked the calculation, when, and its revision
    doc["checker"] = in.checker;
    doc["checkDate"] = in.checkDate;
    doc["revision"] = in.revision;
    // the EN method's intermediate values (ENV output keeps its keys as they were)
    if (code == DesignCode::EN1994)
        doc["details"] = enDetailsJson(st.design);
    if (curves)
        doc["curves"] = *curves;
    return json::dump(doc) + "\n";
}

} // namespace qeln::cli
