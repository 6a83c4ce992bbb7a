#include "output_json.h"

#include "json.h"

#include <optional>

namespace qeln::cli {

namespace {

json::Ordered optionalNumber(const std::optional<double>& v) { return v ? json::number(*v) : json::Ordered(); }

json::Ordered strings(const std::vector<std::string>& lines) { return json::Ordered(lines); }

} // namespace

std::string runToJson(const RunState& st, const std::vector<std::string>& messageBoxes)
{
    const ColumnResults& r = st.results;
    json::Ordered doc = json::Ordered::object();

    json::Ordered& table = doc["table"] = json::Ordered::array();
    for (int row = 0; row < 5; ++row) {
        json::Ordered cells = json::Ordered::array();
        for (int col = 0; col < 5; ++col)
            cells.push_back(optionalNumber(r.table.at(row, col)));
        table.push_back(std::move(cells));
    }
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
    return json::dump(doc) + "\n";
}

} // namespace qeln::cli
