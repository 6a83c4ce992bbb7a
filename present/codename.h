// The design code of a project as the windows and the printed report name it.
#pragma once

#include "calc/records.h"

#include <string>

namespace qeln {

// "ENV 1994-1-1 / ENV 1994-1-2" or "EN 1994-1-1:2004 / EN 1994-1-2:2005"
// (texts 1651, 1652) in the language of languageBase.
std::string designCodeName(DesignCode code, int languageBase);

// The line of the report's page header that names the code the project is
// designed to: text 4 for an ENV project (its header as it always was),
// text 1653 for an EN project.
std::string designCodeStandardLine(DesignCode code, int languageBase);

} // namespace qeln
