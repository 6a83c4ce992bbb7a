// The main window's report commands: Print, Printer Setup and Export PDF.
#pragma once

#include "reporthost.h"

namespace qeln::ui {

// Print: asks for the print method, recalculates when the results are stale
// and prints the report directly on the chosen printer (no preview, no
// progress window). With no printer installed it says so and prints nothing.
void reportPrint(ReportHost& host);

// Printer Setup: the printer and its settings for the following prints.
void reportPrintSetup(ReportHost& host);

// Export PDF: asks for the print method and a file name, recalculates when
// the results are stale and writes the same report as a PDF file.
void reportExportPdf(ReportHost& host);

} // namespace qeln::ui
