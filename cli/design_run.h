// The design run of the batch command line, shared by qeln-cli and its PDF
// writer qeln-cli-pdf, so that both work from the same numbers.
#pragma once

#include "calc/records.h"
#include "present/languages.h"
#include "shell/run.h"

#include <string>
#include <vector>

namespace qeln::cli {

// Runs checks and design of `in` without windows ('.' as decimal separator,
// ISO dates); the message-box texts go to `messageBoxes`. True when the
// results are valid.
bool designRun(const ColumnInput& in, Language language, RunState& st, std::vector<std::string>& messageBoxes);

} // namespace qeln::cli
