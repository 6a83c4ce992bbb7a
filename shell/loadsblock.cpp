#include "loadsblock.h"
#include "text.h"

#include "present/checktext.h"
#include "present/format.h"
#include "present/utf8.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace qeln {

namespace {

constexpr std::string_view kHeading = "[loads]";

// The shortest plain decimal that reads back as the same number.
std::string numberText(double v)
{
    char buf[512];   // the smallest denormal needs 326 characters
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (res.ec != std::errc())
        res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}


} // namespace

std::string LoadsBlockContent(const ColumnInput& in)
{
    if (!(in.nEd > 0) && !(in.nFiEd > 0) && !in.fireClass)
        return "";
    std::string s;
    s += std::string(kHeading) + "\r\n";
    s += "NEd=" + numberText(in.nEd) + "\r\n";
    s += "NfiEd=" + numberText(in.nFiEd) + "\r\n";
    s += std::string("fireClass=") + (in.fireClass ? fireClassCode(*in.fireClass) : "") + "\r\n";
    return s;
}

// The first 40 characters of a value in quotes, for a message. Built by
// appending: a literal put in front of a temporary string makes GCC 12 at -O3
// warn of overlapping copies (-Wrestrict).
bool ParseLoadsBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                     Failure& failure)
{
    std::size_t i = 0;
    while (i < lines.size() && blankTrimmed(lines[i]).empty())
        ++i;
    if (i == lines.size() || blankTrimmed(lines[i]) != kHeading)
        return true;

    double nEd = 0, nFiEd = 0;
    std::optional<FireClass> fireClass;
    bool seen[3] = {false, false, false};
    auto fail = [&](std::size_t at, std::string detail) {
        failure.line = firstLine + static_cast<int>(at);
        failure.detail = std::move(detail);
        return false;
    };
    for (++i; i < lines.size(); ++i) {
        const std::string_view l = blankTrimmed(lines[i]);
        if (l.empty())
            continue;
        const auto eq = l.find('=');
        const std::string_view key = eq == std::string_view::npos ? l : blankTrimmed(l.substr(0, eq));
        const std::string_view value = eq == std::string_view::npos ? std::string_view() : blankTrimmed(l.substr(eq + 1));
        int k = -1;
        if (eq != std::string_view::npos)
            k = key == "NEd" ? 0 : key == "NfiEd" ? 1 : key == "fireClass" ? 2 : -1;
        if (k < 0)
            return fail(i, quotedValue(l) + " is not NEd=, NfiEd= or fireClass= ([loads] block)");
        if (seen[k])
            return fail(i, std::string(key) + " is given twice in the [loads] block");
        seen[k] = true;
        if (k == 2) {
            if (!value.empty()) {
                fireClass = fireClassFromCode(value);
                if (!fireClass)
                    return fail(i, quotedValue(value) + " is not a fire class (R30, R60, R90, R120 or empty)");
            }
            continue;
        }
        const auto v = parsePlainNumber(value);
        if (!v)
            return fail(i, quotedValue(value) + " is not a valid number (" +
                               std::string(key) + ")");
        const std::string problem = designLoadProblem(k == 0 ? "NEd" : "NfiEd", *v);
        if (!problem.empty())
            return fail(i, problem);
        (k == 0 ? nEd : nFiEd) = *v;
    }
    in.nEd = nEd;
    in.nFiEd = nFiEd;
    in.fireClass = fireClass;
    return true;
}

} // namespace qeln
