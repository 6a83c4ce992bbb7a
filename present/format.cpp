#include "format.h"

#include "messages.h"
#include "utf8.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qeln {

std::optional<double> parsePlainNumber(std::string_view s)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return std::nullopt;
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

namespace {

std::string replaceSeparator(std::string s, const std::string& sep)
{
    if (sep == ".")
        return s;
    const auto pos = s.find('.');
    if (pos != std::string::npos)
        s.replace(pos, 1, sep);
    return s;
}

std::string notFinite(double v)
{
    // Never expected in a listing: the calculation throws before. Written
    // visibly rather than as "nan" or "inf".
    (void)v;
    return "***";
}

} // namespace

std::string padRight(const std::string& s, int width)
{
    const auto len = static_cast<int>(utf8Length(s));
    if (len >= width)
        return s;
    return s + std::string(static_cast<std::size_t>(width - len), ' ');
}

std::string formatFixed(double v, int decimals, const std::string& sep)
{
    if (!std::isfinite(v))
        return notFinite(v);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return replaceSeparator(buf, sep);
}

std::string formatGeneral(double v, int precision, const std::string& sep)
{
    if (!std::isfinite(v))
        return notFinite(v);
    if (precision < 1)
        precision = 1;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*g", precision, v);
    std::string s = buf;
    const auto e = s.find('e');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e);
        std::string exp = s.substr(e + 1);
        bool neg = false;
        if (!exp.empty() && (exp[0] == '+' || exp[0] == '-')) {
            neg = exp[0] == '-';
            exp.erase(0, 1);
        }
        while (exp.size() > 1 && exp[0] == '0')
            exp.erase(0, 1);
        s = mant + "E" + (neg ? "-" : "") + exp;
    }
    return replaceSeparator(s, sep);
}

std::string Printf(const std::string& fmt, const std::vector<FormatArg>& args, const std::string& sep)
{
    std::string out;
    std::size_t argi = 0;
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        const char c = fmt[i];
        if (c != '%') {
            out += c;
            continue;
        }
        ++i;
        if (i >= fmt.size())
            throw CalculationError(FaultKind::Invalid, "format ends after %");
        if (fmt[i] == '%') {
            out += '%';
            continue;
        }
        bool left = false;
        if (fmt[i] == '-') {
            left = true;
            ++i;
        }
        int width = 0;
        while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9')
            width = width * 10 + (fmt[i++] - '0');
        int precision = -1;
        if (i < fmt.size() && fmt[i] == '.') {
            ++i;
            precision = 0;
            while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9')
                precision = precision * 10 + (fmt[i++] - '0');
        }
        if (i >= fmt.size())
            throw CalculationError(FaultKind::Invalid, "incomplete format");
        const char conv = fmt[i];
        if (argi >= args.size())
            throw CalculationError(FaultKind::Invalid, "too few format arguments");
        const FormatArg& a = args[argi++];
        std::string field;
        auto number = [&]() -> double {
            if (a.kind == FormatArg::Kind::Real)
                return a.real;
            if (a.kind == FormatArg::Kind::Integer)
                return static_cast<double>(a.integer);
            throw CalculationError(FaultKind::Invalid, "number expected for format");
        };
        switch (conv) {
        case 's': {
            if (a.kind != FormatArg::Kind::Text)
                throw CalculationError(FaultKind::Invalid, "text expected for %s");
            field = precision >= 0 ? utf8Prefix(a.text, static_cast<std::size_t>(precision)) : a.text;
            break;
        }
        case 'd': {
            if (a.kind == FormatArg::Kind::Integer)
                field = std::to_string(a.integer);
            else
                field = std::to_string(static_cast<long long>(std::nearbyint(number())));
            break;
        }
        case 'f':
            field = formatFixed(number(), precision < 0 ? 6 : precision, sep);
            break;
        case 'g':
            field = formatGeneral(number(), precision < 0 ? 15 : precision, sep);
            break;
        default:
            throw CalculationError(FaultKind::Invalid, std::string("unknown format conversion ") + conv);
        }
        const auto len = static_cast<int>(utf8Length(field));
        if (len < width) {
            const std::string pad(static_cast<std::size_t>(width - len), ' ');
            field = left ? field + pad : pad + field;
        }
        out += field;
    }
    return out;
}

std::string withDecimalSeparator(const std::string& text, const std::string& sep)
{
    if (sep == ".")
        return text;
    auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!digit(i)) {
            out += text[i++];
            continue;
        }
        // a run of digits and points starting here
        std::size_t end = i, points = 0, at = 0;
        while (digit(end) || (text[end] == '.' && digit(end + 1))) {
            if (text[end] == '.') {
                ++points;
                at = end;
            }
            ++end;
        }
        const bool afterPoint = i > 0 && text[i - 1] == '.';
        if (points == 1 && !afterPoint)
            out += text.substr(i, at - i) + sep + text.substr(at + 1, end - at - 1);
        else
            out += text.substr(i, end - i);
        i = end;
    }
    return out;
}

std::string withArguments(const std::string& text, const std::vector<std::string>& args)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(text[i + 1] - '1');
            if (k < args.size()) {
                out += args[k];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace qeln
