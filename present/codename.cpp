#include "codename.h"

#include "texts.h"

namespace qeln {

namespace {
constexpr int kEnvName = 1651;
constexpr int kEnName = 1652;
constexpr int kEnvStandardLine = 4;
constexpr int kEnStandardLine = 1653;
} // namespace

std::string designCodeName(DesignCode code, int languageBase)
{
    return LoadText(code == DesignCode::EN1994 ? kEnName : kEnvName, languageBase, nullptr);
}

std::string designCodeStandardLine(DesignCode code, int languageBase)
{
    return LoadText(code == DesignCode::EN1994 ? kEnStandardLine : kEnvStandardLine, languageBase, nullptr);
}

} // namespace qeln
