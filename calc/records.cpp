#include "records.h"

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
    int chars = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if ((c & 0xC0) != 0x80) {
            if (chars == n)
                return s.substr(0, i);
            ++chars;
        }
    }
    return s;
}

} // namespace qeln
