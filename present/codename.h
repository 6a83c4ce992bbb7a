// The design code of a project as the windows and the printed report name it.
#pragma once

#include "calc/records.h"
#include "languages.h"

#include <string>

namespace qeln {

// "ENV 1994-1-1 / ENV 1994-1-2" or "EN 1994-1-1:2004 / EN 1994-1-2:2005"
// (texts 1651, 1652) in the language.
std::string designCodeName(DesignCode code, Language language);

// The line of the report's page header that names the method and the code
// editions the project is designed to (text 1864): "Eurocode 4: ENV 1994-1-1 /
// ENV 1994-1-2 - method 4.8.3 / Annex F" or "Eurocode 4: EN 1994-1-1:2004 /
// EN 1994-1-2:2005 - method 6.7.3 / Annex G".
std::string designCodeStandardLine(DesignCode code, Language language);

} // namespace qeln
