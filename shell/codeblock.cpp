#include "codeblock.h"

#include "projectfields.h"

#include "present/utf8.h"

#include <array>

namespace qeln {

namespace {

constexpr std::string_view kHeading = "[code]";
constexpr std::array<std::string_view, 4> kFields{"code", "phiT", "rWeak", "rStrong"};

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string CodeBlockContent(const ColumnInput& in)
{
    const ColumnInput defaults;
    if (in.code == defaults.code && in.phiT == defaults.phiT && in.rWeak == defaults.rWeak &&
        in.rStrong == defaults.rStrong)
        return "";
    std::string s(kHeading);
    s += "\r\n";
    for (const std::string_view name : kFields)
        s.append(name).append("=").append(projectFieldText(*findProjectField(name), in, false)).append("\r\n");
    return s;
}

bool ParseCodeBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                    LoadsBlockFailure& failure)
{
    ColumnInput read = in;
    std::array<bool, kFields.size()> seen{};
    auto fail = [&](std::size_t at, std::string detail) {
        failure.line = firstLine + static_cast<int>(at);
        failure.detail = std::move(detail);
        return false;
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view l = trimmed(lines[i]);
        if (l.empty())
            continue;
        const auto eq = l.find('=');
        const std::string_view key = eq == std::string_view::npos ? l : trimmed(l.substr(0, eq));
        std::size_t k = kFields.size();
        for (std::size_t j = 0; j < kFields.size() && eq != std::string_view::npos; ++j)
            if (key == kFields[j])
                k = j;
        if (k == kFields.size()) {
            // appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "x" + std::string
            std::string detail = "\"";
            detail += utf8Prefix(l, 40);
            detail += "\" is not code=, phiT=, rWeak= or rStrong= ([code] block)";
            return fail(i, std::move(detail));
        }
        if (seen[k])
            return fail(i, std::string(key) + " is given twice in the [code] block");
        seen[k] = true;
        std::string reason;
        if (!setProjectField(*findProjectField(key), trimmed(l.substr(eq + 1)), false, read, reason))
            return fail(i, std::string(key) + ": " + reason + " ([code] block)");
    }
    in = read;
    return true;
}

} // namespace qeln
