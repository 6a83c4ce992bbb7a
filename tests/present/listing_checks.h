// What the listing tests ask of a block of lines: a text of the catalogue,
// where a line stands, and no value that is not finite.
#pragma once

#include "present/format.h"
#include "present/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace qeln::test {

inline std::string text(int id, Language base = Language::English) { return LoadText(id, base, nullptr); }
inline std::string text(int id, const std::string& arg, Language base = Language::English)
{
    return withArguments(LoadText(id, base, nullptr), {arg});
}

// The index of the line at or after `from`, -1 when it is not there.
inline int indexOf(const std::vector<std::string>& lines, const std::string& line, int from = 0)
{
    const auto it = std::find(lines.begin() + from, lines.end(), line);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

inline void expectNoNonFinite(const std::vector<std::string>& lines)
{
    // "nan", "inf" as a printed value ("déterminante" and "inférieur" are fine)
    const std::regex nonFinite(R"((^|[\s:(=])[-+]?(nan|inf|infinity)($|[\s)]))", std::regex::icase);
    for (const std::string& l : lines) {
        EXPECT_FALSE(std::regex_search(l, nonFinite)) << l;
        EXPECT_EQ(l.find("***"), std::string::npos) << l;   // a text missing from the catalogue
    }
}

} // namespace qeln::test
