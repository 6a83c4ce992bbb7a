// The listing: the sections the design run's values are written into, the
// result grid and the drawing, in the chosen language and decimal separator.
// Nothing here calculates; everything shown comes from calc/design.h.
#pragma once

#include "results.h"
#include "textenv.h"

#include "calc/en1994/design.h"
#include "calc/env1994/details.h"
#include "calc/env1994/member.h"
#include "calc/findings.h"
#include "calc/outcome.h"
#include "calc/records.h"

#include <string>
#include <vector>

namespace qeln {

// Writes a design run's outcome into the results: the run's message boxes
// (through the sink, in order), rebar location, drawing, the member limits'
// errors, the details, results and components sections, and the grid.
// Only the steps the run reached are written. The section is drawn from the
// rows of the run into res.sectionPicture; a section that cannot be drawn
// is a warning (text 1550), never a failure of the run.
void writeDesign(const TextEnv& env, const ColumnInput& in, const DesignOutcome& run, const RowScope& scope,
                 ColumnResults& res);

void writeRebarLocation(const TextEnv& env, MessageList& out, const ColumnInput& in, const RebarLayout& rows,
                        double UC2);
// The rows outside the field of application (scope) carry the marker, are
// grey and have the footnote after the table.
void writeResults(const TextEnv& env, MessageList& out, const UltimateLoadTable& t, double e1, double e2,
                  const RowScope& scope);
void writeComponents(const TextEnv& env, MessageList& out, const ComponentMasses& m);
void fillResultGrid(const TextEnv& env, ResultGrid& grid, const UltimateLoadTable& t, double e1, double e2,
                    const RowScope& scope);

// The details block of one member call (nothing for the reference calculation).
void writeMemberDetails(const TextEnv& env, MessageList& out, const env1994::MemberResult& m);
// The details block of an ENV 1994 run: the materials, the member calls
// reached, the eccentric searches, the reference calculation and the values
// of each fire class, each value beside its clause; e1 and e2 are the run's
// absolute eccentricities.
void writeEnvDetails(const TextEnv& env, MessageList& out, const ColumnInput& in, const env1994::Details& d, double e1,
                     double e2);
// The details block of an EN 1994 run: the steps it reached, each value
// beside its clause, the materials by grade first; a value that is not
// finite is left blank.
void writeEnDetails(const TextEnv& env, MessageList& out, const ColumnInput& in, const en1994::Outcome& o);
// The error lines of the member limits.
void writeMemberErrors(const TextEnv& env, MessageList& errors, const std::vector<Finding>& findings);
// The text of one of the run's message boxes.
std::string runMessage(const TextEnv& env, const Finding& f);

} // namespace qeln
