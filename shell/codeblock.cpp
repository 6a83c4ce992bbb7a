#include "codeblock.h"
#include "text.h"

#include "projectfields.h"

#include "present/utf8.h"

#include <array>
#include <span>

namespace qeln {

namespace {

// A block of fields by their JSON names, one name=value per line.
struct FieldBlock {
    std::string_view heading;
    std::span<const std::string_view> fields;
};

constexpr std::array<std::string_view, 4> kCodeFields{"code", "phiT", "rWeak", "rStrong"};
constexpr std::array<std::string_view, 12> kMemberFields{
    "length",   "frame",   "storey",     "myTop",   "myBottom",   "mzTop",
    "mzBottom", "myFiTop", "myFiBottom", "mzFiTop", "mzFiBottom", "line"};
constexpr std::array<std::string_view, 3> kApprovalFields{"checker", "checkDate", "revision"};
constexpr std::array<std::string_view, 1> kMaterialsFields{"dg"};
constexpr FieldBlock kCodeBlock{"[code]", kCodeFields};
constexpr FieldBlock kApprovalBlock{"[approval]", kApprovalFields};
constexpr FieldBlock kMemberBlock{"[member]", kMemberFields};
constexpr FieldBlock kMaterialsBlock{"[materials]", kMaterialsFields};

// Written only when a value differs from its default.
std::string blockContent(const FieldBlock& b, const ColumnInput& in)
{
    const ColumnInput defaults;
    bool differs = false;
    for (const std::string_view name : b.fields) {
        const ProjectField& f = *findProjectField(name);
        differs = differs || projectFieldText(f, in, false) != projectFieldText(f, defaults, false);
    }
    if (!differs)
        return "";
    std::string s(b.heading);
    s += "\r\n";
    for (const std::string_view name : b.fields)
        s.append(name).append("=").append(projectFieldText(*findProjectField(name), in, false)).append("\r\n");
    return s;
}

// "code=, phiT=, rWeak= or rStrong="
std::string fieldList(const FieldBlock& b)
{
    std::string s;
    for (std::size_t i = 0; i < b.fields.size(); ++i) {
        if (i > 0)
            s += i + 1 == b.fields.size() ? " or " : ", ";
        s.append(b.fields[i]).append("=");
    }
    return s;
}

bool parseBlock(const FieldBlock& b, const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                Failure& failure)
{
    ColumnInput read = in;
    std::vector<bool> seen(b.fields.size(), false);
    std::string where = " (";
    where += b.heading;
    where += " block)";
    auto fail = [&](std::size_t at, std::string detail) {
        failure.line = firstLine + static_cast<int>(at);
        failure.detail = std::move(detail);
        return false;
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view l = blankTrimmed(lines[i]);
        if (l.empty())
            continue;
        const auto eq = l.find('=');
        const std::string_view key = eq == std::string_view::npos ? l : blankTrimmed(l.substr(0, eq));
        std::size_t k = b.fields.size();
        for (std::size_t j = 0; j < b.fields.size() && eq != std::string_view::npos; ++j)
            if (key == b.fields[j])
                k = j;
        if (k == b.fields.size()) {
            // appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "x" + std::string
            std::string detail = "\"";
            detail += utf8Prefix(l, 40);
            detail += "\" is not ";
            detail += fieldList(b);
            detail += where;
            return fail(i, std::move(detail));
        }
        if (seen[k])
            return fail(i, std::string(key) + " is given twice in the " + std::string(b.heading) + " block");
        seen[k] = true;
        if (const auto refused = setProjectField(*findProjectField(key), blankTrimmed(l.substr(eq + 1)), false, read))
            return fail(i, std::string(key) + ": " + refused->detail + where);
    }
    in = read;
    return true;
}

} // namespace

std::string CodeBlockContent(const ColumnInput& in) { return blockContent(kCodeBlock, in); }

bool ParseCodeBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                    Failure& failure)
{
    return parseBlock(kCodeBlock, lines, firstLine, in, failure);
}

std::string MemberBlockContent(const ColumnInput& in) { return blockContent(kMemberBlock, in); }

bool ParseMemberBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                      Failure& failure)
{
    return parseBlock(kMemberBlock, lines, firstLine, in, failure);
}

bool ParseApprovalBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                        Failure& failure)
{
    return parseBlock(kApprovalBlock, lines, firstLine, in, failure);
}

std::string MaterialsBlockContent(const ColumnInput& in) { return blockContent(kMaterialsBlock, in); }

bool ParseMaterialsBlock(const std::vector<std::string_view>& lines, int firstLine, ColumnInput& in,
                         Failure& failure)
{
    return parseBlock(kMaterialsBlock, lines, firstLine, in, failure);
}

} // namespace qeln
