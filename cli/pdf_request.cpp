#include "pdf_request.h"

#include "input_json.h"
#include "json.h"

#include <utility>
#include <vector>

namespace qeln::cli {

std::string encodePdfRequest(const PdfRequest& r)
{
    json::Value doc = {{"project", projectToJson(r.input)},
                       {"languageBase", languageNumber(r.language)},
                       {"condensed", r.condensed},
                       {"printedAt", r.printedAt},
                       {"path", r.path}};
    const std::vector<std::uint8_t> bytes = json::Value::to_cbor(doc);
    return std::string(bytes.begin(), bytes.end());
}

Result<PdfRequest> decodePdfRequest(const std::string& bytes)
{
    const json::Value doc = json::fromCbor(bytes);
    if (!doc.is_object() || !doc.contains("project") || !doc.contains("languageBase") || !doc.contains("condensed") ||
        !doc.contains("printedAt") || !doc.contains("path"))
        return Failure::because("the request to the PDF writer is incomplete");
    const Result<JsonInput> given = inputFromJson(doc["project"]);
    if (!given)
        return given.failure();
    PdfRequest r;
    r.input = given->input;
    try {
        const std::optional<Language> language = languageOfNumber(doc["languageBase"].get<int>());
        if (!language)
            return Failure::because("the request to the PDF writer names no language");
        r.language = *language;
        r.condensed = doc["condensed"].get<bool>();
        r.printedAt = doc["printedAt"].get<std::string>();
        r.path = doc["path"].get<std::string>();
    } catch (const json::Value::exception& e) {
        return Failure::because(e.what());
    }
    return r;
}

} // namespace qeln::cli
