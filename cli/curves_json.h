// The diagrams' data as JSON (qeln-cli design --json --curves).
#pragma once

#include "json.h"

#include "shell/diagrams.h"

namespace qeln::cli {

// {status, weak, strong}: status "ok", "inputErrors" or "calculationError";
// weak and strong null unless ok, else the interaction diagram and the
// resistance-versus-eccentricity series of that axis (see helpText()).
json::Ordered curvesJson(const Diagrams& d);

} // namespace qeln::cli
