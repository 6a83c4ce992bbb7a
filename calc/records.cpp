#include "records.h"

#include "utf8.h"

namespace qeln {

const char* fireClassLabel(FireClass c)
{
    switch (c) {
    case FireClass::R30: return "R 30";
    case FireClass::R60: return "R 60";
    case FireClass::R90: return "R 90";
    case FireClass::R120: return "R 120";
    }
    return "R 120";
}

std::string cutText(const std::string& s, int n)
{
    return utf8Prefix(s, n < 0 ? 0 : static_cast<std::size_t>(n));
}

} // namespace qeln
