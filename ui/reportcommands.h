// The main window's report commands: Print, Printer Setup and Export PDF.
#pragma once

namespace qeln::ui {

class frmmain;

// Print: asks for the print method, recalculates when the results are stale
// and prints the report directly on the chosen printer (no preview, no
// progress window). With no printer installed it says so and prints nothing.
void reportPrint(frmmain& w);

// Printer Setup: the printer and its settings for the following prints.
void reportPrintSetup(frmmain& w);

// Export PDF: asks for the print method and a file name, recalculates when
// the results are stale and writes the same report as a PDF file.
void reportExportPdf(frmmain& w);

} // namespace qeln::ui
