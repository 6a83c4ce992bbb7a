// The field of application as the listing shows it: per row of the result
// table, each condition with its value, its limit, "met" or "not met" and
// its clause in the code of the run.
#pragma once

#include "results.h"
#include "textenv.h"

#include "calc/records.h"
#include "calc/scope.h"

namespace qeln {

void writeFieldOfApplication(const TextEnv& env, MessageList& out, const ScopeConditions& conditions,
                             DesignCode code);

// The clause of a condition in a code ("ENV 1994-1-2, F.6(5)").
const char* scopeClause(ScopeRule rule, DesignCode code);

} // namespace qeln
