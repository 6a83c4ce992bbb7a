// Numeric helpers shared by the calculation routines, and checked arithmetic.
#pragma once

#include "messages.h"

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
void Interpolate(double& result, const std::vector<double>& xs, const std::vector<double>& ys, double x,
                 int count, int& cursor);

// Checked operations: they throw CalculationError where the arithmetic of the
// method has no value (the platform's floating-point exceptions).
double checkedDiv(double a, double b);
double checkedSqrt(double x);
double checkedFinite(double x);

// Nearest integer, halves to the even neighbour.
long long roundHalfEven(double x);

} // namespace qeln
