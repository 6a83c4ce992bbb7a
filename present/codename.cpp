#include "codename.h"

#include "format.h"
#include "texts.h"

namespace qeln {

namespace {
constexpr int kEnvName = 1651;
constexpr int kEnName = 1652;
constexpr int kStandardLine = 1864;
// the clauses of each method: the simplified method at normal temperature and the fire annex
constexpr int kEnvClauses = 1865;
constexpr int kEnClauses = 1871;
} // namespace

std::string designCodeName(DesignCode code, Language language)
{
    return LoadText(code == DesignCode::EN1994 ? kEnName : kEnvName, language, nullptr);
}

std::string designCodeStandardLine(DesignCode code, Language language)
{
    const bool en = code == DesignCode::EN1994;
    return withArguments(LoadText(kStandardLine, language, nullptr),
                         {designCodeName(code, language), LoadText(en ? kEnClauses : kEnvClauses, language, nullptr)});
}

} // namespace qeln
