// ENV 1994-1-1 at room temperature and ENV 1994-1-2 Annex F in fire, as a
// design method.
#pragma once

#include "calc/method.h"

namespace qeln::env1994 {

const DesignMethod& method();

} // namespace qeln::env1994
