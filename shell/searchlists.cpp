// The search's family, diameter and layout lists as a user types them (see search.h);
// apart from the search itself so that the project file's readers need no more.
#include "search.h"
#include "text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace qeln {

bool usableDiameter(double d) { return std::isfinite(d) && d > 0 && d <= 100; }
bool usableLayout(const RebarChoice& l) { return l.n1 >= 0 && l.n2 >= 0 && l.n1 + l.n2 > 0 && l.n1 <= 100 && l.n2 <= 100; }

namespace {

std::vector<std::string_view> listItems(std::string_view text)
{
    std::vector<std::string_view> items;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ',' || text[i] == ';' || text[i] == ' ' || text[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !(text[i] == ',' || text[i] == ';' || text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i > start)
            items.push_back(text.substr(start, i - start));
    }
    return items;
}

bool wholeNumber(std::string_view s, double& v)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool count(std::string_view s, int& v)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::string shortNumber(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

// The list's result: false, with the item at fault, when one is no value.
bool refused(std::string* bad, std::string_view item)
{
    if (bad)
        *bad = item;
    return false;
}

} // namespace

bool parseDiameterList(std::string_view text, std::vector<double>& out, std::string* bad)
{
    out.clear();
    for (const std::string_view item : listItems(text)) {
        double d = 0;
        if (!wholeNumber(item, d) || !usableDiameter(d))
            return refused(bad, item);
        out.push_back(d);
    }
    return (!out.empty() && out.size() <= kMaxSearchListItems) || refused(bad, "");
}

bool parseLayoutList(std::string_view text, std::vector<RebarChoice>& out, std::string* bad)
{
    out.clear();
    for (const std::string_view item : listItems(text)) {
        const std::size_t plus = item.find('+');
        RebarChoice l{-1, -1};
        if (plus == std::string_view::npos || !count(item.substr(0, plus), l.n1) ||
            !count(item.substr(plus + 1), l.n2) || !usableLayout(l))
            return refused(bad, item);
        out.push_back(l);
    }
    return (!out.empty() && out.size() <= kMaxSearchListItems) || refused(bad, "");
}

bool parseFamilyList(std::string_view text, std::vector<std::string>& out, std::string* bad)
{
    out.clear();
    const auto& known = profileFamilies();
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string_view f = blankTrimmed(text.substr(at, comma - at));
        if (std::find(known.begin(), known.end(), f) == known.end())
            return refused(bad, f);
        out.emplace_back(f);
        at = comma + 1;
    }
    return true;
}

std::string diameterListText(const std::vector<double>& d)
{
    std::string s;
    for (const double v : d)
        s += (s.empty() ? "" : ", ") + shortNumber(v);
    return s;
}

std::string layoutListText(const std::vector<RebarChoice>& l)
{
    std::string s;
    for (const RebarChoice& c : l)
        s += (s.empty() ? "" : ", ") + std::to_string(c.n1) + "+" + std::to_string(c.n2);
    return s;
}

} // namespace qeln
