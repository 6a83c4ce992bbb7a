// The schedule report's hook, not yet connected to a renderer: replace this
// file (or its functions) when the schedule report is drawn.
#include "schedule_pdf.h"

namespace qeln::cli {

bool schedulePdfAvailable() { return false; }

bool writeSchedulePdf(const SchedulePdfJob& job, std::string& reason)
{
    (void)job;
    reason = "the schedule report is not yet available";
    return false;
}

} // namespace qeln::cli
