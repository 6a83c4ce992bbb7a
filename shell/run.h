// The calculate command without its windows: checks, input listing, design
// run and presentation of the results.
#pragma once

#include "calc/design.h"
#include "calc/designcheck.h"
#include "calc/env.h"
#include "calc/records.h"
#include "calc/textenv.h"
#include "checks.h"

#include <functional>
#include <string>

namespace qeln {

// What the calculate command needs: the calculation's factors and the
// formatting layer's language, sink and decimal separator.
struct RunEnv : CalcEnv, TextEnv {};

// The twelve listing blocks of the main window (the details block is the
// heading; the member routines' lines are in results.memberDetailLines).
struct ListingBlocks {
    MessageList project, section, rebar, materials, buckling, eccentricity, notes, details;
    MessageList spare;   // always empty, kept in the listing order
    void clear();
};

// Everything the main window keeps of the last run.
struct RunState {
    ColumnResults results;
    ListingBlocks blocks;
    CheckOutcome derived;
    DesignOutcome design;     // the design run's values behind the listing
    MessageList completeListing;
    MessageList condensedListing;
    bool calcError = false;   // the run ended in an arithmetic failure (text 219)
    std::string calcErrorWhat;   // the failure's own (technical) description
    // design loads: the scope of each result row (from the input alone) and,
    // after a valid run with loads, the design check and its listing block
    RowScope scope{true, true, true, true, true};
    std::optional<DesignCheck> check;
    MessageList designCheckLines;             // the listing block
    std::vector<CheckLine> checkSummary;      // the result window's and the report's block
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
std::string isoDateTime(double dateTimeNumber);

// The lines the warnings-and-errors window shows under "Errors" for an
// arithmetic failure: text 219, its cause in the current language and the
// technical description.
std::vector<std::string> calculationErrorLines(const TextEnv& env, const std::string& what);

// Fills the input listing blocks.
void buildInputListing(const TextEnv& env, const ColumnInput& in, const CheckOutcome& derived, ListingBlocks& blk,
                       const DateTimeFormatter& fmtDate);
// Joins the blocks into the complete and the condensed listing.
void assembleListings(const TextEnv& env, RunState& st);

// The calculate command: returns true when the run produced valid results.
bool calculate(const RunEnv& env, const ColumnInput& in, RunState& st, RunPresenter& presenter,
               const DateTimeFormatter& fmtDate = isoDateTime);

} // namespace qeln
