// The registry of the design methods.
#include "method.h"

#include "env1994/method.h"

namespace qeln {

const DesignMethod& methodOf(DesignCode code)
{
    switch (code) {
    case DesignCode::ENV1994: break;
    case DesignCode::EN1994: break;   // its method follows
    }
    return env1994::method();
}

} // namespace qeln
