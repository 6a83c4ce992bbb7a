// The calculate command without its windows: checks, input listing, design
// run and presentation of the results.
#pragma once

#include "present/checktext.h"
#include "calc/outcome.h"
#include "calc/records.h"
#include "calc/scope.h"
#include "present/textenv.h"
#include "checks.h"
#include "datetime.h"
#include "numbersrun.h"

#include <functional>
#include <string>

namespace qeln {

// The twelve listing blocks of the main window (the details block is the
// heading; the member routines' lines are in results.memberDetailLines).
struct ListingBlocks {
    MessageList project, section, rebar, materials, buckling, eccentricity, notes, details;
    MessageList spare;   // always empty, kept in the listing order
    void clear();
};

// Everything the main window keeps of the last run: the numbers of the run
// pipeline (checks, design, scope, check) and their presentation.
struct RunState : NumbersRun {
    ColumnResults results;
    ListingBlocks blocks;
    MessageList completeListing;
    MessageList condensedListing;
    // after a valid run with loads: the design check's listing block and the
    // result window's and the report's block
    MessageList designCheckLines;
    std::vector<CheckLine> checkSummary;
    // after a valid run: the field of application, each condition with its
    // value and limit, and its listing block
    ScopeConditions conditions;
    MessageList scopeLines;
};

// The windows `calculate` talks to. The desktop program shows them; tests
// and the batch command line record what would have been shown.
class RunPresenter {
public:
    virtual ~RunPresenter() = default;
    virtual void setBusy(bool busy) { (void)busy; }
    // The warnings-and-errors window, shown modally.
    virtual void showWarningsAndErrors(const ColumnResults& res) { (void)res; }
    // Fill the result, details and graphic windows after a valid run.
    virtual void showResults(const RunState& st) { (void)st; }
};

// How listing dates are written (the desktop: the locale's short date and long
// time; the batch command line: ISO).
using DateTimeFormatter = std::function<std::string(double dateTimeNumber)>;

// The lines the warnings-and-errors window shows under "Errors" for an
// arithmetic failure: text 219, its cause in the current language and the
// technical description.
std::vector<std::string> calculationErrorLines(const TextEnv& env, FaultKind kind, const std::string& what);

// Fills the input listing blocks.
void buildInputListing(const TextEnv& env, const ColumnInput& in, const CheckOutcome& derived, ListingBlocks& blk,
                       const DateTimeFormatter& fmtDate);
// Joins the blocks into the complete and the condensed listing.
void assembleListings(const TextEnv& env, RunState& st);

// The calculate command: the run pipeline of numbersrun.h, then its
// presentation in the language of `env`. Returns true when the run produced
// valid results.
bool calculate(const TextEnv& env, const ColumnInput& in, RunState& st, RunPresenter& presenter,
               const DateTimeFormatter& fmtDate = isoDateTime);

} // namespace qeln
