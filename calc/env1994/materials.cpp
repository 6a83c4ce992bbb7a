#include "materials.h"

#include "calc/numeric.h"

namespace qeln::env1994 {

double concreteSecantModulus(double fck)
{
    return 9.5 * Power(fck + 8, 1.0 / 3.0) * 1000;
}

double designConcreteModulus(double fck)
{
    return concreteSecantModulus(fck) * kInvGammaE;
}

double designConcreteModulusKiloLast(double fck)
{
    return 9.5 * Power(fck + 8, 1.0 / 3.0) * kInvGammaE * 1000;
}



} // namespace qeln::env1994
