// printf-like formatting for listings and messages.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qeln {

// A finite number written with a decimal point (an exponent allowed, a
// leading '+' passed over) and nothing else around it; nullopt otherwise.
std::optional<double> parsePlainNumber(std::string_view s);

// Fixed notation with n decimals ("%.nf"); sep is the decimal separator.
std::string formatFixed(double v, int decimals, const std::string& sep = ".");

// General format with precision p: p significant digits, fixed notation when
// 0.0001 <= |value| < 10^p after rounding, else one digit, separator, the
// remaining digits, "E", a minus for a negative exponent, the exponent without
// leading zeros. Trailing zeros dropped. (1.235E13, 0.00012, 1200)
std::string formatGeneral(double v, int precision, const std::string& sep = ".");

// A catalogue text with the decimal point of its plain numbers ("2.0",
// "0.3 %", "1.00") written as sep, so that a limit reads like the value
// printed beside it. Clause references with more than one point ("4.8.3.1")
// keep theirs.
std::string withDecimalSeparator(const std::string& text, const std::string& sep);

// One argument of Printf: a text, a whole number or a real.
struct FormatArg {
    enum class Kind { Text, Integer, Real };
    FormatArg(std::string s) : kind(Kind::Text), text(std::move(s)) {}
    FormatArg(const char* s) : kind(Kind::Text), text(s) {}
    FormatArg(long long n) : kind(Kind::Integer), integer(n) {}
    FormatArg(int n) : kind(Kind::Integer), integer(n) {}
    FormatArg(double v) : kind(Kind::Real), real(v) {}
    Kind kind;
    std::string text;
    long long integer = 0;
    double real = 0;
};

// A small printf: %s %d %f %g and %%, with '-' for left alignment, a width
// and a precision (for %s: the maximum length, counted in characters).
// A format that does not fit its arguments is a fault of the program; it
// leaves as CalculationError like every fault inside calc/.
std::string Printf(const std::string& fmt, const std::vector<FormatArg>& args, const std::string& sep = ".");

// Pads or cuts a UTF-8 text to a number of characters.
std::string padRight(const std::string& s, int width);

// The text with %1 .. %9 replaced by the arguments (a placeholder without an
// argument stays as it is).
std::string withArguments(const std::string& text, const std::vector<std::string>& args);

} // namespace qeln
