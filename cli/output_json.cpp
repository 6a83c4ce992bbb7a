#include "output_json.h"

#include "json.h"

namespace qeln::cli {

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

    w.endObject();
    return w.text() + "\n";
}

} // namespace qeln::cli
