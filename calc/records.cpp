#include "records.h"

namespace qeln {

PartialFactors partialFactorsOf(const ColumnInput& in)
{
    return {in.gammaA, in.gammaC, in.gammaS, in.gammaAfi, in.gammaCfi, in.gammaSfi};
}

void setPartialFactors(ColumnInput& in, const PartialFactors& f)
{
    in.gammaA = f.gammaA;
    in.gammaC = f.gammaC;
    in.gammaS = f.gammaS;
    in.gammaAfi = f.gammaAfi;
    in.gammaCfi = f.gammaCfi;
    in.gammaSfi = f.gammaSfi;
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
