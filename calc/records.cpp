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

Section sectionOf(const ColumnInput& in)
{
    return {in.h, in.b, in.tw, in.tf, in.r, in.movrixAvailable};
}

void setSection(ColumnInput& in, const Section& s)
{
    in.h = s.h;
    in.b = s.b;
    in.tw = s.tw;
    in.tf = s.tf;
    in.r = s.r;
    in.movrixAvailable = s.movrixAvailable;
}

} // namespace qeln
