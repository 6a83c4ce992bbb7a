// Yield point of thick profiles by steel grade and thickness.
#pragma once

namespace qeln {

void ReduceYieldPoint(bool apply, double& fyOut, bool& gradeUnknown, double fy, double t);

} // namespace qeln
