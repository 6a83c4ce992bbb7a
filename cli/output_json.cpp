#include "output_json.h"

#include "json.h"

namespace qeln::cli {

namespace {

// scope: five booleans; check: the design check of a valid run, or null.
void writeDesignLoads(json::Writer& w, const RunState& st)
{
    w.key("scope");
    w.beginArray();
    for (bool inside : st.scope)
        w.boolean(inside);
    w.endArray();

    w.key("check");
    if (!st.check) {
        w.null();
        return;
    }
    const DesignCheck& c = *st.check;
    auto optionalBool = [&](const std::optional<bool>& b) {
        if (b)
            w.boolean(*b);
        else
            w.null();
    };
    auto optionalClass = [&](const std::optional<FireClass>& fc) {
        if (fc)
            w.string(fireClassCode(*fc));
        else
            w.null();
    };
    w.beginObject();
    w.key("nEd");
    w.optionalNumber(c.nEd);
    w.key("fireClass");
    optionalClass(c.fireClass);
    w.key("nFiEd");
    w.optionalNumber(c.nFiEd);
    w.key("nRd");
    w.optionalNumber(c.nRd);
    w.key("utilisation");
    w.optionalNumber(c.utilisation);
    w.key("servicePasses");
    optionalBool(c.servicePasses);
    w.key("nFiRd");
    w.optionalNumber(c.nFiRd);
    w.key("fireUtilisation");
    w.optionalNumber(c.fireUtilisation);
    w.key("fireWithinScope");
    optionalBool(c.fireWithinScope);
    w.key("firePasses");
    optionalBool(c.firePasses);
    w.key("achievedClass");
    if (!c.achievedApplies)
        w.null();
    else if (c.achievedClass)
        w.string(fireClassCode(*c.achievedClass));
    else
        w.string("none");
    w.key("governing");
    switch (c.governing) {
    case Governing::service: w.string("service"); break;
    case Governing::fire: w.string("fire"); break;
    case Governing::none: w.null(); break;
    }
    w.key("passes");
    w.boolean(c.passes);
    w.endObject();
}

} // namespace

std::string runToJson(const RunState& st, const std::vector<std::string>& messageBoxes)
{
    const ColumnResults& r = st.results;
    json::Writer w;
    w.beginObject();

    w.key("table");
    w.beginArray();
    for (int row = 0; row < 5; ++row) {
        w.beginArray();
        for (int col = 0; col < 5; ++col)
            w.optionalNumber(r.table.at(row, col));
        w.endArray();
    }
    w.endArray();

    w.key("errors");
    w.stringArray(r.errors.lines());
    w.key("warnings");
    w.stringArray(r.warnings.lines());
    w.key("hasErrors");
    w.boolean(r.hasErrors);
    w.key("hasWarnings");
    w.boolean(r.hasWarnings);
    w.key("calcError");
    w.boolean(st.calcError);
    w.key("messageBoxes");
    w.stringArray(messageBoxes);
    w.key("rho");
    w.number(st.derived.rho);
    w.key("fyCalc");
    w.number(st.derived.fyCalc);
    w.key("dCalc");
    w.number(st.derived.dCalc);
    w.key("concreteVolume");
    w.optionalNumber(r.concreteVolume);
    w.key("rebarLocationLines");
    w.stringArray(r.rebarLocationLines.lines());
    w.key("memberDetailLines");
    w.stringArray(r.memberDetailLines.lines());
    w.key("resultsLines");
    w.stringArray(r.resultsLines.lines());
    w.key("componentsLines");
    w.stringArray(r.componentsLines.lines());
    w.key("listing");
    w.stringArray(st.completeListing.lines());

    w.key("grid");
    w.beginArray();
    for (const auto& row : r.grid.cell) {
        w.beginArray();
        for (const std::string& c : row)
            w.string(c);
        w.endArray();
    }
    w.endArray();

    writeDesignLoads(w, st);

    w.endObject();
    return w.text() + "\n";
}

} // namespace qeln::cli
