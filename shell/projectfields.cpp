// The project's fields by name (see projectfields.h).
#include "projectfields.h"
#include "text.h"

#include "present/checktext.h"
#include "present/format.h"
#include "present/utf8.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <type_traits>
#include <unordered_map>

namespace qeln {

const std::vector<ProjectField>& projectFields()
{
    using C = ColumnInput;
    static const std::vector<ProjectField> defs{
        {"projectCode", &C::projectCode, kShortTextMax},
        {"positionNumber", &C::positionNumber, kShortTextMax},
        {"projectName", &C::projectName, kLongTextMax},
        {"positionName", &C::positionName, kLongTextMax},
        {"office", &C::office, kLongTextMax},
        {"author", &C::author, kLongTextMax},
        {"comment", &C::comment},
        {"createdOn", &C::createdOn, 0, kFieldCreatedOn},
        {"lastUpdated", &C::lastUpdated, 0, kFieldLastUpdated},
        {"checker", &C::checker, kLongTextMax, kFieldApproval},
        {"checkDate", &C::checkDate, kShortTextMax, kFieldApproval},
        {"revision", &C::revision, kShortTextMax, kFieldApproval},
        {"profileName", &C::profileName, kShortTextMax},
        {"h", &C::h, 0, 0},
        {"b", &C::b, 0, 1},
        {"tw", &C::tw, 0, 2},
        {"tf", &C::tf, 0, 3},
        {"r", &C::r, 0, 4},
        {"movrixAvailable", &C::movrixAvailable, 0, 5},
        {"d", &C::d},
        {"n1", &C::n1},
        {"n2", &C::n2},
        {"uc1", &C::uc1},
        {"uf1", &C::uf1},
        {"fy", &C::fy},
        {"autoReduce", &C::autoReduce},
        {"fck", &C::fck},
        {"fsk", &C::fsk},
        {"gammaA", &C::gammaA},
        {"gammaC", &C::gammaC},
        {"gammaS", &C::gammaS},
        {"gammaAfi", &C::gammaAfi},
        {"gammaCfi", &C::gammaCfi},
        {"gammaSfi", &C::gammaSfi},
        {"lWeakCold", &C::lWeakCold},
        {"lStrongCold", &C::lStrongCold},
        {"lWeakFire", &C::lWeakFire},
        {"lStrongFire", &C::lStrongFire},
        {"e1", &C::e1},
        {"e2", &C::e2},
        {"pcp", &C::pcp},
        // design loads
        {"nEd", &C::nEd},
        {"nFiEd", &C::nFiEd},
        {"fireClass", &C::fireClass},
        // the design code and the inputs only the EN method reads
        {"code", &C::code},
        {"phiT", &C::phiT},
        {"rWeak", &C::rWeak},
        {"rStrong", &C::rStrong},
        // the member and its end moments
        {"length", &C::length},
        {"frame", &C::frame},
        {"storey", &C::storey},
        {"myTop", &C::myTop},
        {"myBottom", &C::myBottom},
        {"mzTop", &C::mzTop},
        {"mzBottom", &C::mzBottom},
        {"myFiTop", &C::myFiTop},
        {"myFiBottom", &C::myFiBottom},
        {"mzFiTop", &C::mzFiTop},
        {"mzFiBottom", &C::mzFiBottom},
        {"line", &C::line, kShortTextMax},
        // the concrete's maximum aggregate size (after the older fields: a
        // schedule's headings follow the order of the fields)
        {"dg", &C::dg},
    };
    return defs;
}

const ProjectField* findProjectField(std::string_view name)
{
    static const std::unordered_map<std::string_view, const ProjectField*> byName = [] {
        std::unordered_map<std::string_view, const ProjectField*> m;
        for (const ProjectField& f : projectFields())
            m.emplace(f.name, &f);
        return m;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

const std::string& projectFieldNames()
{
    static const std::string names = [] {
        std::string s;
        for (const ProjectField& f : projectFields()) {
            if (!s.empty())
                s += ", ";
            s += f.name;
        }
        return s;
    }();
    return names;
}

namespace {

// A finite decimal number, point or (with decimalComma) comma; an exponent
// is taken. No thousands separators.
std::optional<double> readNumber(std::string_view s, bool decimalComma)
{
    s = blankTrimmed(s);
    std::string buf;
    if (decimalComma) {
        if (s.find('.') != std::string_view::npos)
            return std::nullopt;
        buf.assign(s);
        for (char& c : buf)
            if (c == ',')
                c = '.';
        s = buf;
    } else if (s.find(',') != std::string_view::npos) {
        return std::nullopt;
    }
    return parsePlainNumber(s);
}

std::string shortestNumber(double v, bool decimalComma)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, res.ptr);
    if (decimalComma)
        for (char& c : s)
            if (c == '.')
                c = ',';
    return s;
}

} // namespace

std::optional<Failure> setProjectField(const ProjectField& f, std::string_view text, bool decimalComma,
                                       ColumnInput& in)
{
    std::string reason;
    const bool taken = std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(in.*member)>;
            if constexpr (std::is_same_v<T, double>) {
                const auto v = readNumber(text, decimalComma);
                if (!v) {
                    reason = quotedValue(text) + " is not a number";
                    return false;
                }
                if (member == &ColumnInput::nEd || member == &ColumnInput::nFiEd) {
                    const std::string problem = designLoadProblem(f.name, *v);
                    if (!problem.empty()) {
                        reason = problem;
                        return false;
                    }
                }
                in.*member = *v;
            } else if constexpr (std::is_same_v<T, int>) {
                const std::string_view t = blankTrimmed(text);
                const std::string_view digits = !t.empty() && t.front() == '+' ? t.substr(1) : t;
                long long v = 0;
                const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), v);
                if (digits.empty() || res.ec != std::errc() || res.ptr != digits.data() + digits.size() ||
                    v < INT_MIN || v > INT_MAX) {
                    reason = quotedValue(text) + " is not an integer";
                    return false;
                }
                in.*member = static_cast<int>(v);
            } else if constexpr (std::is_same_v<T, bool>) {
                const std::string_view t = blankTrimmed(text);
                if (t == "true" || t == "1" || t == "yes")
                    in.*member = true;
                else if (t == "false" || t == "0" || t == "no")
                    in.*member = false;
                else {
                    reason = quotedValue(text) + " is not true or false";
                    return false;
                }
            } else if constexpr (std::is_same_v<T, std::string>) {
                const std::string s(text);
                if (std::string_view(f.name) == "line") {
                    // a column line is written in the project file's ASCII blocks
                    const std::string_view t = blankTrimmed(text);
                    for (char c : t)
                        if (c < ' ' || c > '~') {
                            reason = quotedValue(text) + " is not a column line (letters, digits and signs of ASCII)";
                            return false;
                        }
                    in.*member = cutText(std::string(t), f.maxLength);
                    return true;
                }
                if (f.mark == kFieldApproval) {
                    // kept in a block of name=value lines: blanks around do not count
                    const std::string t(blankTrimmed(text));
                    reason = projectTextProblem(f, t);
                    if (!reason.empty())
                        return false;
                    in.*member = cutText(t, f.maxLength);
                    return true;
                }
                in.*member = f.maxLength > 0 ? cutText(s, f.maxLength) : s;
            } else if constexpr (std::is_same_v<T, std::optional<FireClass>>) {
                const std::string_view t = blankTrimmed(text);
                if (t.empty() || t == "none") {
                    (in.*member).reset();
                } else {
                    const auto c = fireClassFromCode(t);
                    if (!c) {
                        reason = quotedValue(text) + " is not a fire class (R30, R60, R90, R120 or empty)";
                        return false;
                    }
                    in.*member = c;
                }
            } else if constexpr (ChoiceField<T>) {
                const std::string_view t = blankTrimmed(text);
                const auto c = t.empty() ? std::optional<T>(Choice<T>::keys[0].first) : choiceOf<T>(t);
                if (!c) {
                    reason = quotedValue(text) + " is not " + Choice<T>::what;
                    return false;
                }
                in.*member = *c;
            } else {
                static_assert(std::is_void_v<T>, "a member of a type the reader does not know");
            }
            return true;
        },
        f.member);
    if (taken)
        return std::nullopt;
    return Failure(0, -1, f.name, std::move(reason));
}

bool isIsoDate(std::string_view t)
{
    if (t.size() != 10 || t[4] != '-' || t[7] != '-')
        return false;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (t[i] < '0' || t[i] > '9')
            return false;
    auto number = [&](std::size_t at, std::size_t n) {
        int v = 0;
        for (std::size_t i = at; i < at + n; ++i)
            v = v * 10 + (t[i] - '0');
        return v;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 1000 || month < 1 || month > 12 || day < 1)
        return false;
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string projectTextProblem(const ProjectField& f, std::string_view text)
{
    if (std::string_view(f.name) != "checkDate" || text.empty() || isIsoDate(text))
        return "";
    std::string reason = quotedValue(text);
    reason += " is not a date written YYYY-MM-DD (for example 2026-11-03; empty: not checked yet)";
    return reason;
}

std::optional<int> choiceIndex(std::string_view text, const char* const* keys, std::size_t count)
{
    std::string t;
    for (char c : blankTrimmed(text))
        if (c != ' ')
            t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::size_t i = 0; i < count; ++i) {
        std::string k;
        for (const char* p = keys[i]; *p; ++p)
            k += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        if (t == k)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

Result<bool> decimalCommaOf(std::string_view text)
{
    const std::string_view t = blankTrimmed(text);
    const std::size_t e = t.find_first_of("eE");
    const std::string_view mantissa = t.substr(0, e);
    const std::size_t points = static_cast<std::size_t>(std::count(mantissa.begin(), mantissa.end(), '.'));
    const std::size_t commas = static_cast<std::size_t>(std::count(mantissa.begin(), mantissa.end(), ','));
    const bool comma = commas > 0;
    if (points + commas == 0)
        return comma;
    if (points + commas > 1)
        return Failure::because(quotedValue(text) + " is not a number: write it without thousands separators");
    // One mark with three digits after it and one to three before, the
    // first not 0, and no exponent: a decimal or a group of thousands.
    const std::size_t mark = mantissa.find_first_of(".,");
    std::string_view whole = mantissa.substr(0, mark);
    if (!whole.empty() && (whole.front() == '-' || whole.front() == '+'))
        whole.remove_prefix(1);
    const std::string_view decimals = mantissa.substr(mark + 1);
    auto digits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (e == std::string_view::npos && decimals.size() == 3 && digits(decimals) && !whole.empty() &&
        whole.size() <= 3 && digits(whole) && whole.front() != '0') {
        // the two readings in the cell's own separator
        std::string asDecimal(mantissa), asThousands(mantissa);
        asThousands.erase(mark, 1);
        while (asDecimal.back() == '0')
            asDecimal.pop_back();
        if (asDecimal.size() == mark + 1)
            asDecimal.pop_back();
        const std::string decimal = asDecimal.size() == mantissa.size() ? asDecimal + "0" : asDecimal;
        return Failure::because(quotedValue(text) + " reads as " + asDecimal + " or as " + asThousands +
                       " (a thousands separator?): write " + asThousands + " or " + decimal);
    }
    return comma;
}

std::string projectFieldText(const ProjectField& f, const ColumnInput& in, bool decimalComma)
{
    return std::visit(
        [&](auto member) -> std::string {
            using T = std::remove_cvref_t<decltype(in.*member)>;
            if constexpr (std::is_same_v<T, double>)
                return shortestNumber(in.*member, decimalComma);
            else if constexpr (std::is_same_v<T, int>)
                return std::to_string(in.*member);
            else if constexpr (std::is_same_v<T, bool>)
                return in.*member ? "true" : "false";
            else if constexpr (std::is_same_v<T, std::string>)
                return in.*member;
            else if constexpr (ChoiceField<T>)
                return choiceKey(in.*member);
            else
                return in.*member ? fireClassCode(*(in.*member)) : "";
        },
        f.member);
}

} // namespace qeln
