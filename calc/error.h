// The calculation's one failure: an arithmetic fault inside a run.
#pragma once

#include <stdexcept>
#include <string>

namespace qeln {

// An arithmetic fault inside a run (division by zero, square root of a
// negative number, invalid power, a value that is not finite). The caller of
// the design run catches it and shows catalogue text 219.
class CalculationError : public std::runtime_error {
public:
    explicit CalculationError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace qeln
