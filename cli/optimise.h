// qeln-cli optimise: the section search over the catalogue, as a table or JSON.
#pragma once

#include "options.h"

#include "calc/records.h"
#include "shell/search.h"

#include <string>

namespace qeln::cli {

// The search's constraints from the options (the default lists where none was given).
SearchConstraints constraintsOf(const OptimiseOptions& o);

// The text table of the first `top` candidates, one line each after a header.
std::string optimiseTable(const SearchOutcome& s, int top, const SearchConstraints& c = {});
// One JSON object: evaluated, passing, candidates (the first `top`); ends with a line end.
std::string optimiseJson(const SearchOutcome& s, int top, const SearchConstraints& c = {});

// What a search printed and the exit status: 0 a candidate passes, 4 none does.
struct OptimiseRun {
    int status = 0;
    std::string out;   // the table or the JSON
};

// Runs the search of `in` over `profiles`. The failure (malformed, with the
// message; exit status 64) when the search cannot start.
Result<OptimiseRun> runOptimise(const OptimiseOptions& o, const ColumnInput& in,
                                const std::vector<SearchProfile>& profiles);

} // namespace qeln::cli
