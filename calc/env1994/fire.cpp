// Reduced strengths and stiffnesses of flanges, web, concrete and rebars for
// one fire class, by the simplified method of ENV 1994-1-2 Annex F.
#include "fire.h"

#include "annexf.h"

#include "calc/numeric.h"
#include "calc/steelfire.h"

namespace qeln::env1994 {

FireComponentResult FireComponentValues(const FireClassInput& in)
{
    FireComponentResult r;
    r.thetaF = in.thetaO + in.kt * in.AmV;
    r.kyTheta = steelStrengthFactor(r.thetaF);
    r.kETheta = steelStiffnessFactor(r.thetaF);
    r.flangeStrength = checkedDiv(in.fyCalc * r.kyTheta, in.gammaAfi);
    r.flangeModulus = in.Ea * r.kETheta;

    const double w = checkedSqrt(1 - checkedDiv(0.16 * in.Ht, in.h));
    r.hwfi = 0.5 * (in.h - 2 * in.tf) * (1 - w);
    r.webStrength = checkedDiv(in.fyCalc * w, in.gammaAfi);

    r.thetaC = concreteTemperature(in.AmV, in.fireClass);
    r.epsCuTheta = concreteStrainAtPeak(r.thetaC);
    r.kcTheta = concreteStrengthFactor(r.thetaC);
    r.concreteStrength = checkedDiv(0.86 * r.kcTheta * in.fck, in.gammaCfi);
    r.concreteSecantModulus = checkedDiv(r.kcTheta * in.fck, 0.001 * r.epsCuTheta);

    r.rebarStrength = checkedDiv(in.kyt * in.fsk, in.gammaSfi);
    r.rebarModulus = in.kEt * in.Ea;
    return r;
}

} // namespace qeln::env1994
