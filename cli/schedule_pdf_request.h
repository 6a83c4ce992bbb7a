// What qeln-cli schedule --pdf hands qeln-cli-pdf: the base project, the
// schedule's table and every row's results as the command's run found them
// (each row's input exact, so that the writer's run of a row for its
// condensed report is the run the command made), in CBOR.
#pragma once

#include "calc/records.h"
#include "present/languages.h"
#include "shell/schedule.h"

#include <string>

namespace qeln::cli {

struct SchedulePdfRequest {
    ColumnInput base;
    Schedule schedule;
    ScheduleOutcome outcome;   // a row's failure travels as its description
    Language language = Language::English;
    std::string printedAt;
    std::string path;
};

std::string encodeSchedulePdfRequest(const SchedulePdfRequest& r);
// True when the bytes are a schedule request (and not the single project's).
bool isSchedulePdfRequest(const std::string& bytes);
// The request, or the failure (malformed, with the reason) when the bytes
// are not a schedule request.
Result<SchedulePdfRequest> decodeSchedulePdfRequest(const std::string& bytes);

} // namespace qeln::cli
