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
            throw CalculationError("invalid floating point operation: 0 to the power 0");
        return 0.0;
    }
    if (std::isnan(x) || std::isnan(y))
        throw CalculationError("invalid floating point operation");
    const long double half = ly / 2;
    if (half == std::floor(half))
        return checkedFinite(static_cast<double>(std::exp(ly * std::log(std::fabs(lx)))));
    const long double oddHalf = (ly - 1) / 2;
    if (oddHalf == std::floor(oddHalf))
        return checkedFinite(static_cast<double>(-std::exp(ly * std::log(std::fabs(lx)))));
    throw CalculationError("invalid floating point operation: negative base with a fractional power");
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

void Interpolate(double& result, const std::vector<double>& xs, const std::vector<double>& ys, double x, int count,
                 int& cursor)
{
    // The search starts at index 2; the table must go on until an entry <= x.
    int i = std::max(2, cursor);
    const int last = std::min<int>(count, static_cast<int>(std::min(xs.size(), ys.size())) - 1);
    while (i <= last && static_cast<long double>(x) - xs[i] < 0)
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
    const long double r = ys[i] + (static_cast<long double>(ys[i]) - ys[i - 1]) * (x - static_cast<long double>(xs[i])) / den;
    result = std::isfinite(r) ? static_cast<double>(r) : 1e100;
}

double checkedDiv(double a, double b)
{
    if (b == 0)
        throw CalculationError(a == 0 ? "invalid floating point operation: 0 / 0" : "floating point division by zero");
    return checkedFinite(a / b);
}

double checkedSqrt(double x)
{
    if (x < 0 || std::isnan(x))
        throw CalculationError("invalid floating point operation: square root of a negative number");
    return checkedFinite(std::sqrt(x));
}

double checkedFinite(double x)
{
    if (!std::isfinite(x))
        throw CalculationError("floating point overflow");
    return x;
}

long long roundHalfEven(double x)
{
    checkedFinite(x);
    if (std::fabs(x) > 9.0e18)
        throw CalculationError("floating point overflow");
    return static_cast<long long>(std::nearbyint(x));  // default rounding mode: to nearest, ties to even
}

} // namespace qeln
