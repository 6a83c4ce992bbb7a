// The calculation's one failure: an arithmetic fault inside a run.
#pragma once

#include <stdexcept>
#include <string>

namespace qeln {

// What kind of arithmetic has no value; each has its cause text for the user.
enum class FaultKind {
    Invalid,      // an invalid floating-point operation of any other kind
    Division,     // a division by zero (also 0 / 0, a section without area, a flange without thickness)
    SquareRoot,   // the square root of a negative number
    Overflow,     // a value too large to be represented
    Power,        // 0 to the power 0, a negative base with a fractional exponent
    NotANumber,   // an input value that is not a number
};

// An arithmetic fault inside a run (division by zero, square root of a
// negative number, invalid power, a value that is not finite). The caller of
// the design run catches it and shows catalogue text 219 and the cause of its
// kind; what() is the technical description.
class CalculationError : public std::runtime_error {
public:
    CalculationError(FaultKind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    FaultKind kind() const { return kind_; }

private:
    FaultKind kind_;
};

} // namespace qeln
