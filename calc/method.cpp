// The registry of the design methods.
#include "method.h"

#include "en1994/method.h"
#include "env1994/method.h"

namespace qeln {

const DesignMethod& methodOf(DesignCode code)
{
    switch (code) {
    case DesignCode::ENV1994: return env1994::method();
    case DesignCode::EN1994: return en1994::method();
    }
    return env1994::method();
}

void useDesignCode(ColumnInput& in, DesignCode code)
{
    if (in.code == code)
        return;
    in.code = code;
    setPartialFactors(in, methodOf(code).recommendedFactors());
}

} // namespace qeln
