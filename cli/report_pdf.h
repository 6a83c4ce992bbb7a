// --pdf: the printed report of a run written as a PDF file. The report is
// drawn with the desktop program's renderer (Qt) by a small program of its
// own, qeln-cli-pdf, started only for --pdf, so that every other run of
// qeln-cli starts without loading Qt.
#pragma once

#include "pdf_request.h"

#include "platform/failure.h"

#include <optional>
#include <string>

namespace qeln::cli {

// False when this build has no report renderer (built without the Qt parts).
bool pdfReportAvailable();

// Where qeln-cli-pdf is looked for: beside qeln-cli, then in the installed
// layout's ../libexec/qeln/.
std::string findPdfWriter(const std::string& programDir);

// Has qeln-cli-pdf run the design of the request's project again and write
// its report. The failure (as runPdfWriter's) when the file could not be
// written.
std::optional<Failure> writePdfReport(const PdfRequest& request);

// Starts qeln-cli-pdf with an encoded request on its standard input, for
// the file `output`. The failure (writeFailed, text 516, `output`, and the
// reason: the writer's own words) when it did not succeed, when it showed
// no progress (no word, `output` not growing) for two minutes
// (QELN_PDF_WRITER_IDLE_SECONDS), or when `output` does not end as a whole
// PDF file does.
std::optional<Failure> runPdfWriter(const std::string& request, const std::string& output);

} // namespace qeln::cli
