// Numeric helpers shared by the calculation routines, and checked arithmetic.
#pragma once

#include "error.h"

#include <cmath>
#include <vector>

namespace qeln {

// x to the power y, computed in extended precision. Power(0, 0) and a negative
// x with a non-whole y are invalid operations (CalculationError).
double Power(double x, double y);

// b when b >= a, otherwise a.
double MaxOf(double a, double b);

// Linear interpolation in a table indexed from 1 whose xs decrease with the
// index (index 0 of the vectors is unused). Starting at i = 2, i advances while
// x < xs[i]; result = ys[i] + (ys[i] - ys[i-1]) (x - xs[i]) / (xs[i] - xs[i-1]).
// If that arithmetic fails, or x lies below every entry, result = 1e100.
void Interpolate(double& result, const std::vector<double>& xs, const std::vector<double>& ys, double x,
                 int count);

// The same, for a sequence of falling x: `cursor` remembers where the last
// search stopped (every entry from index 2 up to it is known to be > x, so the
// result is identical to a search from index 2). Start with cursor = 2.
// Inline: it runs at every step of the eccentric searches.
inline void Interpolate(double& result, const std::vector<double>& xs, const std::vector<double>& ys, double x,
                        int count, int& cursor);

// Checked operations: they throw CalculationError where the arithmetic of the
// method has no value (the platform's floating-point exceptions). Inline, as
// they run at every step of the searches; the throws are out of line.
inline double checkedDiv(double a, double b);
double checkedSqrt(double x);
inline double checkedFinite(double x);

namespace detail {
[[noreturn]] void throwDivision(double a);
[[noreturn]] void throwOverflow();
} // namespace detail

inline double checkedFinite(double x)
{
    if (!std::isfinite(x)) [[unlikely]]
        detail::throwOverflow();
    return x;
}

inline double checkedDiv(double a, double b)
{
    if (b == 0) [[unlikely]]
        detail::throwDivision(a);
    return checkedFinite(a / b);
}

inline void Interpolate(double& result, const std::vector<double>& xs, const std::vector<double>& ys, double x,
                        int count, int& cursor)
{
    // The search starts at index 2; the table must go on until an entry <= x.
    int i = cursor > 2 ? cursor : 2;
    const int size = static_cast<int>(xs.size() < ys.size() ? xs.size() : ys.size()) - 1;
    const int last = count < size ? count : size;
    // x < xs[i] is the sign of x - xs[i] in extended precision: rounding
    // never changes the sign of a difference, and NaN compares false in both
    while (i <= last && x < xs[i])
        ++i;
    cursor = i;
    if (i > last) {
        result = 1e100;
        return;
    }
    const long double den = static_cast<long double>(xs[i]) - xs[i - 1];
    if (den == 0 || !std::isfinite(x)) {
        result = 1e100;
        return;
    }
    const long double r =
        ys[i] + (static_cast<long double>(ys[i]) - ys[i - 1]) * (x - static_cast<long double>(xs[i])) / den;
    result = std::isfinite(r) ? static_cast<double>(r) : 1e100;
}

// Nearest integer, halves to the even neighbour.
long long roundHalfEven(double x);

} // namespace qeln
