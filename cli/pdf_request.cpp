#include "pdf_request.h"

#include "input_json.h"
#include "json.h"

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

bool decodePdfRequest(const std::string& bytes, PdfRequest& r, std::string& error)
{
    const json::Value doc = json::fromCbor(bytes);
    if (!doc.is_object() || !doc.contains("project") || !doc.contains("languageBase") || !doc.contains("condensed") ||
        !doc.contains("printedAt") || !doc.contains("path")) {
        error = "the request to the PDF writer is incomplete";
        return false;
    }
    JsonInput given;
    if (!inputFromJson(doc["project"], given, error))
        return false;
    r.input = given.input;
    try {
        const std::optional<Language> language = languageOfNumber(doc["languageBase"].get<int>());
        if (!language) {
            error = "the request to the PDF writer names no language";
            return false;
        }
        r.language = *language;
        r.condensed = doc["condensed"].get<bool>();
        r.printedAt = doc["printedAt"].get<std::string>();
        r.path = doc["path"].get<std::string>();
    } catch (const json::Value::exception& e) {
        error = e.what();
        return false;
    }
    return true;
}

} // namespace qeln::cli
