// The schedule report of qeln-cli schedule --pdf, drawn by qeln-cli-pdf with
// the desktop program's renderer, as design --pdf is.
#include "schedule_pdf.h"

#include "report_pdf.h"
#include "schedule_pdf_request.h"

namespace qeln::cli {

bool schedulePdfAvailable() { return pdfReportAvailable(); }

std::optional<Failure> writeSchedulePdf(const SchedulePdfJob& job)
{
    if (!schedulePdfAvailable())
        return Failure(FailureCode::writeFailed, 516, job.path, "this build has no PDF writer");
    SchedulePdfRequest r;
    r.base = job.base;
    r.schedule = job.schedule;
    r.outcome = job.outcome;
    r.language = job.language;
    r.printedAt = job.printedAt;
    r.path = job.path;
    return runPdfWriter(encodeSchedulePdfRequest(r), r.path);
}

} // namespace qeln::cli
