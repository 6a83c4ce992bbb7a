// The batch command line built without the Qt parts: no report renderer.
#include "cli/report_pdf.h"

namespace qeln::cli {

bool pdfReportAvailable() { return false; }

bool writePdfReport(const RunState&, const ColumnInput&, int, bool, const std::string&, const std::string&,
                    std::string& reason)
{
    reason = "this qeln-cli was built without the Qt parts (QELN_GUI=OFF) and cannot write PDF files";
    return false;
}

} // namespace qeln::cli
