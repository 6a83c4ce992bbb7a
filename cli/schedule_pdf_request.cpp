#include "schedule_pdf_request.h"

#include "input_json.h"
#include "json.h"

#include <utility>
#include <vector>

namespace qeln::cli {

namespace {

json::Value optionalNumber(const std::optional<double>& v) { return v ? json::Value(*v) : json::Value(nullptr); }

std::optional<double> numberOrNone(const json::Value& v)
{
    if (v.is_null())
        return std::nullopt;
    return v.get<double>();
}

json::Value rowToJson(const ScheduleRowResult& r)
{
    return {{"name", r.name},
            {"inputOk", r.inputOk},
            {"failure", r.inputOk ? std::string() : r.failure.describe()},
            {"input", projectToJson(r.input)},
            {"searched", r.searched},
            {"searchFound", r.searchFound},
            {"searchProblem", r.searchProblem},
            {"profileName", r.profileName},
            {"d", r.d},
            {"n1", r.n1},
            {"n2", r.n2},
            {"valid", r.valid},
            {"calcError", r.calcError},
            {"errors", r.errors},
            {"warnings", r.warnings},
            {"nRd", optionalNumber(r.nRd)},
            {"nFiRd", optionalNumber(r.nFiRd)},
            {"utilisation", optionalNumber(r.utilisation)},
            {"fireUtilisation", optionalNumber(r.fireUtilisation)},
            {"achievedApplies", r.achievedApplies},
            {"achievedClass", r.achievedClass ? json::Value(static_cast<int>(*r.achievedClass)) : json::Value(nullptr)},
            {"steelPerMetre", r.steelPerMetre},
            {"rebarPerMetre", r.rebarPerMetre},
            {"concretePerMetre", r.concretePerMetre},
            {"passes", r.passes},
            // the position and the section group: the verdict and the reason of a row read them
            {"positionPasses", r.positionPasses},
            {"positionUtilisation", optionalNumber(r.positionUtilisation)},
            {"positionFireUtilisation", optionalNumber(r.positionFireUtilisation)},
            {"positionRows", r.positionRows},
            {"sectionGroup", r.sectionGroup},
            {"groupSearchFailed", r.groupSearchFailed}};
}

std::optional<Failure> rowFromJson(const json::Value& v, ScheduleRowResult& r)
{
    const Result<JsonInput> given = inputFromJson(v.at("input"));
    if (!given)
        return given.failure();
    r.input = given->input;
    r.name = v.at("name").get<std::string>();
    r.inputOk = v.at("inputOk").get<bool>();
    r.failure.detail = v.at("failure").get<std::string>();
    r.searched = v.at("searched").get<bool>();
    r.searchFound = v.at("searchFound").get<bool>();
    r.searchProblem = v.at("searchProblem").get<std::string>();
    r.profileName = v.at("profileName").get<std::string>();
    r.d = v.at("d").get<double>();
    r.n1 = v.at("n1").get<int>();
    r.n2 = v.at("n2").get<int>();
    r.valid = v.at("valid").get<bool>();
    r.calcError = v.at("calcError").get<bool>();
    r.errors = v.at("errors").get<int>();
    r.warnings = v.at("warnings").get<int>();
    r.nRd = numberOrNone(v.at("nRd"));
    r.nFiRd = numberOrNone(v.at("nFiRd"));
    r.utilisation = numberOrNone(v.at("utilisation"));
    r.fireUtilisation = numberOrNone(v.at("fireUtilisation"));
    r.achievedApplies = v.at("achievedApplies").get<bool>();
    const json::Value& cls = v.at("achievedClass");
    if (!cls.is_null()) {
        const int c = cls.get<int>();
        if (c < 0 || c > 3)
            return Failure::because("a fire class of the request is out of range");
        r.achievedClass = static_cast<FireClass>(c);
    }
    r.steelPerMetre = v.at("steelPerMetre").get<double>();
    r.rebarPerMetre = v.at("rebarPerMetre").get<double>();
    r.concretePerMetre = v.at("concretePerMetre").get<double>();
    r.passes = v.at("passes").get<bool>();
    r.positionPasses = v.at("positionPasses").get<bool>();
    r.positionUtilisation = numberOrNone(v.at("positionUtilisation"));
    r.positionFireUtilisation = numberOrNone(v.at("positionFireUtilisation"));
    r.positionRows = v.at("positionRows").get<std::size_t>();
    r.sectionGroup = v.at("sectionGroup").get<std::string>();
    r.groupSearchFailed = v.at("groupSearchFailed").get<bool>();
    return std::nullopt;
}

} // namespace

std::string encodeSchedulePdfRequest(const SchedulePdfRequest& r)
{
    json::Value rows = json::Value::array();
    for (const ScheduleRow& row : r.schedule.rows)
        rows.push_back({{"name", row.name}, {"cells", row.cells}, {"search", row.search}});
    json::Value results = json::Value::array();
    for (const ScheduleRowResult& row : r.outcome.rows)
        results.push_back(rowToJson(row));
    const ScheduleSummary& s = r.outcome.summary;
    json::Value doc = {{"schedule", {{"columns", r.schedule.columns}, {"rows", rows}}},
                       {"base", projectToJson(r.base)},
                       {"results", results},
                       {"summary",
                        {{"rows", s.rows},
                         {"passing", s.passing},
                         {"failing", s.failing},
                         {"steelMass", s.steelMass},
                         {"rebarMass", s.rebarMass},
                         {"concreteVolume", s.concreteVolume},
                         {"rowsWithoutLength", s.rowsWithoutLength}}},
                       {"languageBase", languageNumber(r.language)},
                       {"printedAt", r.printedAt},
                       {"path", r.path}};
    const std::vector<std::uint8_t> bytes = json::Value::to_cbor(doc);
    return std::string(bytes.begin(), bytes.end());
}

bool isSchedulePdfRequest(const std::string& bytes)
{
    const json::Value doc = json::fromCbor(bytes);
    return doc.is_object() && doc.contains("schedule");
}

Result<SchedulePdfRequest> decodeSchedulePdfRequest(const std::string& bytes)
{
    const json::Value doc = json::fromCbor(bytes);
    if (!doc.is_object() || !doc.contains("schedule") || !doc.contains("base") || !doc.contains("results"))
        return Failure::because("the request to the PDF writer is incomplete");
    SchedulePdfRequest r;
    try {
        const Result<JsonInput> base = inputFromJson(doc.at("base"));
        if (!base)
            return base.failure();
        r.base = base->input;
        const json::Value& s = doc.at("schedule");
        r.schedule.columns = s.at("columns").get<std::vector<std::string>>();
        for (const json::Value& row : s.at("rows"))
            r.schedule.rows.push_back(
                {row.at("name").get<std::string>(), row.at("cells").get<std::vector<std::string>>(),
                 row.at("search").get<bool>()});
        for (const json::Value& row : doc.at("results")) {
            ScheduleRowResult res;
            if (const auto failed = rowFromJson(row, res))
                return *failed;
            r.outcome.rows.push_back(std::move(res));
        }
        const json::Value& sum = doc.at("summary");
        r.outcome.summary.rows = sum.at("rows").get<std::size_t>();
        r.outcome.summary.passing = sum.at("passing").get<std::size_t>();
        r.outcome.summary.failing = sum.at("failing").get<std::size_t>();
        r.outcome.summary.steelMass = sum.at("steelMass").get<double>();
        r.outcome.summary.rebarMass = sum.at("rebarMass").get<double>();
        r.outcome.summary.concreteVolume = sum.at("concreteVolume").get<double>();
        r.outcome.summary.rowsWithoutLength = sum.at("rowsWithoutLength").get<std::size_t>();
        const std::optional<Language> language = languageOfNumber(doc.at("languageBase").get<int>());
        if (!language)
            return Failure::because("the request to the PDF writer names no language");
        r.language = *language;
        r.printedAt = doc.at("printedAt").get<std::string>();
        r.path = doc.at("path").get<std::string>();
    } catch (const json::Value::exception& e) {
        return Failure::because(e.what());
    }
    return r;
}

} // namespace qeln::cli
