#include "outcome.h"

namespace qeln {

bool DesignOutcome::hasErrors() const
{
    return std::visit([](const auto& d) { return d.hasErrors(); }, details);
}

} // namespace qeln
