#include "numeric.h"

#include <algorithm>
#include <cmath>

namespace qeln {

double Power(double x, double y)
{
    const long double lx = x;
    const long double ly = y;
    if (x > 0)
        return checkedFinite(static_cast<double>(std::exp(ly * std::log(lx))));
    if (x == 0) {
        if (y == 0)
            throw CalculationError(FaultKind::Power, "invalid floating point operation: 0 to the power 0");
        return 0.0;
    }
    if (std::isnan(x) || std::isnan(y))
        throw CalculationError(FaultKind::Invalid, "invalid floating point operation");
    const long double half = ly / 2;
    if (half == std::floor(half))
        return checkedFinite(static_cast<double>(std::exp(ly * std::log(std::fabs(lx)))));
    const long double oddHalf = (ly - 1) / 2;
    if (oddHalf == std::floor(oddHalf))
        return checkedFinite(static_cast<double>(-std::exp(ly * std::log(std::fabs(lx)))));
    throw CalculationError(FaultKind::Power,
                           "invalid floating point operation: negative base with a fractional power");
}

double MaxOf(double a, double b)
{
    return b >= a ? b : a;
}

void Interpolate(double& result, const std::vector<double>& xs, const std::vector<double>& ys, double x, int count)
{
    int cursor = 2;
    Interpolate(result, xs, ys, x, count, cursor);
}

namespace detail {

void throwDivision(double a)
{
    throw CalculationError(FaultKind::Division,
                           a == 0 ? "invalid floating point operation: 0 / 0" : "floating point division by zero");
}

void throwOverflow()
{
    throw CalculationError(FaultKind::Overflow, "floating point overflow");
}

} // namespace detail

double checkedSqrt(double x)
{
    if (x < 0 || std::isnan(x))
        throw CalculationError(FaultKind::SquareRoot,
                               "invalid floating point operation: square root of a negative number");
    return checkedFinite(std::sqrt(x));
}


long long roundHalfEven(double x)
{
    checkedFinite(x);
    if (std::fabs(x) > 9.0e18)
        throw CalculationError(FaultKind::Overflow, "floating point overflow");
    return static_cast<long long>(std::nearbyint(x));  // default rounding mode: to nearest, ties to even
}

} // namespace qeln
