// qeln-cli schedule (see schedule_cli.h).
#include "schedule_cli.h"

#include "design_run.h"
#include "json.h"
#include "optimise.h"
#include "output_json.h"

#include "present/checktext.h"
#include "present/utf8.h"

#include "shell/schedulecolumns.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace qeln::cli {

namespace {

// A text cut or padded to `width` characters (UTF-8 aware).
std::string column(const std::string& s, std::size_t width)
{
    std::string t = visibleText(s);
    std::string cut = utf8Prefix(t, width);
    const std::size_t len = utf8Length(cut);
    if (len < width)
        cut.append(width - len, ' ');
    return cut;
}

} // namespace

ScheduleOptions scheduleOptionsOf(const ScheduleCliOptions& o, const SearchConstraints& own)
{
    ScheduleOptions s;
    s.searchAll = o.search;
    const SearchConstraints given = constraintsOf(o.constraints);
    s.constraints = own;
    if (!o.constraints.families.empty())
        s.constraints.families = given.families;
    if (o.constraints.maxH)
        s.constraints.maxH = given.maxH;
    if (o.constraints.maxB)
        s.constraints.maxB = given.maxB;
    if (!o.constraints.diameters.empty())
        s.constraints.diameters = given.diameters;
    if (!o.constraints.layouts.empty())
        s.constraints.layouts = given.layouts;
    s.constraints.maxUtilisation = given.maxUtilisation;
    s.constraints.rank = given.rank;
    s.constraints.prices = given.prices;
    s.threads = 0;   // every core
    return s;
}

std::string scheduleTable(const ScheduleOutcome& o)
{
    const std::span<const ResultColumn> columns = resultColumnsOf(ResultReader::listing);
    // a line of the table: a column's own text (a name) cut to its width
    auto tableLine = [&columns](const auto& cellOf) {
        std::string l;
        for (const ResultColumn id : columns) {
            const ScheduleResultColumn& c = scheduleResultColumn(id);
            l.append(static_cast<std::size_t>(c.listingGap), ' ');
            const std::string cell = cellOf(c);
            const auto width = static_cast<std::size_t>(std::abs(c.listingWidth));
            if (c.format == ResultFormat::freeText) {
                l += column(cell, width);
            } else {
                const std::size_t pad = cell.size() < width ? width - cell.size() : 0;
                if (c.listingWidth > 0)
                    l.append(pad, ' ');
                l += cell;
                if (c.listingWidth < 0)
                    l.append(pad, ' ');
            }
        }
        return l + "\n";
    };
    std::string out = tableLine([](const ScheduleResultColumn& c) { return std::string(c.listingHeading); });
    out += tableLine([](const ScheduleResultColumn& c) { return std::string(c.listingUnit); });
    for (const ScheduleRowResult& r : o.rows) {
        if (!r.inputOk) {
            out += column(r.name, 16) + "  input not taken: " + visibleText(r.failure.describe()) + "\n";
            continue;
        }
        out += tableLine([&r](const ScheduleResultColumn& c) { return resultCellText(c, r, ResultReader::listing, Language::English); });
        if (r.searched && !r.searchProblem.empty())   // why the row kept its own section
            out += column("", 16) + "  search not made: " + r.searchProblem + "\n";
    }
    char line[512];
    const ScheduleSummary& s = o.summary;
    std::snprintf(line, sizeof line,
                  "%zu rows: %zu pass, %zu fail; steel %.1f kg, rebars %.1f kg, concrete %.3f m3 (kg/m and m3/m "
                  "times the member length; %zu rows without a length count 0)\n",
                  s.rows, s.passing, s.failing, s.steelMass, s.rebarMass, s.concreteVolume, s.rowsWithoutLength);
    out += line;
    return out;
}

std::string scheduleJson(const ScheduleOutcome& o, Language language)
{
    json::Ordered root = json::Ordered::object();
    json::Ordered rows = json::Ordered::array();
    RunState st;
    std::vector<std::string> boxes;
    for (const ScheduleRowResult& r : o.rows) {
        json::Ordered row = json::Ordered::object();
        row["name"] = r.name;
        if (!r.inputOk) {
            row["profileName"] = nullptr;
            row["d"] = nullptr;
            row["n1"] = nullptr;
            row["n2"] = nullptr;
            row["table"] = nullptr;
            row["scope"] = nullptr;
            row["check"] = nullptr;
            row["errors"] = json::Ordered::array({r.failure.describe()});
            row["warnings"] = json::Ordered::array();
        } else {
            row["profileName"] = r.profileName;
            row["d"] = json::number(r.d);
            row["n1"] = r.n1;
            row["n2"] = r.n2;
            row["table"] = tableJson(r.table);
            row["scope"] = scopeJson(r.scope);
            row["check"] = designCheckJson(r.check);
            // the message lines of the design run of the same input
            designRun(r.input, language, st, boxes);
            json::Ordered errors(st.results.errors.lines());
            if (st.calcError)   // the arithmetic failure's lines (text 219) come as a message box
                for (const std::string& b : boxes)
                    errors.push_back(b);
            row["errors"] = std::move(errors);
            row["warnings"] = json::Ordered(st.results.warnings.lines());
        }
        row["calcError"] = r.calcError;
        row["passes"] = r.passes;
        row["searched"] = r.searched;
        if (r.searched)
            row["searchProblem"] = r.searchProblem.empty() ? json::Ordered(nullptr) : json::Ordered(r.searchProblem);
        // the position (rows of one name are its load combinations) and the
        // rows given one section with this one
        row["positionPasses"] = r.positionPasses;
        row["positionUtilisation"] = r.positionUtilisation ? json::number(*r.positionUtilisation) : json::Ordered();
        row["positionFireUtilisation"] =
            r.positionFireUtilisation ? json::number(*r.positionFireUtilisation) : json::Ordered();
        row["positionRows"] = r.positionRows;
        row["sectionGroup"] = r.sectionGroup.empty() ? json::Ordered() : json::Ordered(r.sectionGroup);
        rows.push_back(std::move(row));
    }
    root["rows"] = std::move(rows);
    json::Ordered sum = json::Ordered::object();
    sum["rows"] = o.summary.rows;
    sum["passing"] = o.summary.passing;
    sum["failing"] = o.summary.failing;
    sum["steelMass"] = json::number(o.summary.steelMass);
    sum["rebarMass"] = json::number(o.summary.rebarMass);
    sum["concreteVolume"] = json::number(o.summary.concreteVolume);
    sum["positions"] = o.summary.positions;
    sum["positionsPassing"] = o.summary.positionsPassing;
    sum["rowsWithoutLength"] = json::number(static_cast<double>(o.summary.rowsWithoutLength));
    sum["massBasis"] = "length";
    root["summary"] = std::move(sum);
    return json::dump(root) + "\n";
}

int scheduleExitStatus(const ScheduleOutcome& o)
{
    if (std::any_of(o.rows.begin(), o.rows.end(), [](const ScheduleRowResult& r) { return !r.inputOk; }))
        return kExitInputErrors;
    return o.summary.failing > 0 ? kExitCheckFails : kExitValid;
}

} // namespace qeln::cli
