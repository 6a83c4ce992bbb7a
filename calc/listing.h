// The listing sections written by the design run, and the result grid.
#pragma once

#include "env.h"
#include "records.h"

namespace qeln {

void writeRebarLocation(const CalcEnv& env, MessageList& out, const ColumnInput& in, const RebarLayout& rows,
                        double UC2);
void writeResults(const CalcEnv& env, MessageList& out, const UltimateLoadTable& t, double e1, double e2);
// Returns the concrete volume (m3/m) it computed.
double writeComponents(const CalcEnv& env, MessageList& out, const ColumnInput& in);
void fillResultGrid(const CalcEnv& env, ResultGrid& grid, const UltimateLoadTable& t, double e1, double e2);

} // namespace qeln
