#include "outcome.h"

namespace qeln {

bool DesignOutcome::hasErrors() const
{
    // the EN method's limits are input checks: its run has none of its own
    if (const env1994::Details* d = std::get_if<env1994::Details>(&details))
        return d->hasErrors();
    return false;
}

} // namespace qeln
