// --pdf: the printed report of a run written as a PDF file. Built with the
// desktop program's report renderer when the Qt parts are built; otherwise
// the option reports that it is not available.
#pragma once

#include "calc/records.h"

#include <string>

namespace qeln {
struct RunState;
}

namespace qeln::cli {

// False when this build has no report renderer (built without the Qt parts).
bool pdfReportAvailable();

// Writes the report of the run (complete or condensed listing) in the language
// of languageBase; printedAt is the header's date and time. False with the
// reason when the file could not be written.
bool writePdfReport(const RunState& st, const ColumnInput& in, int languageBase, bool condensed,
                    const std::string& printedAt, const std::string& path, std::string& reason);

} // namespace qeln::cli
