#include "records.h"

namespace qeln {

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
