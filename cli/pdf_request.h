// What qeln-cli hands its PDF writer qeln-cli-pdf on standard input: the
// project (every field, exact), the language, the listing and the header's
// date, in CBOR so that texts and numbers pass byte for byte.
#pragma once

#include "calc/records.h"
#include "platform/failure.h"
#include "present/languages.h"

#include <string>

namespace qeln::cli {

struct PdfRequest {
    ColumnInput input;
    Language language = Language::English;
    bool condensed = false;
    std::string printedAt;
    std::string path;
};

std::string encodePdfRequest(const PdfRequest& r);
// The request, or the failure (malformed, with the reason) when the bytes
// are not one.
Result<PdfRequest> decodePdfRequest(const std::string& bytes);

} // namespace qeln::cli
