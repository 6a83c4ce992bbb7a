// The design run: one call turns a project's input into its ultimate loads,
// listing sections, result grid and section drawing.
#pragma once

#include "env.h"
#include "records.h"

namespace qeln {

// Runs the design. `res` carries the errors and warnings of the input checks
// in and everything the run produces out; fyCalc and rho come from the checks,
// dCalc is the working diameter (in: d as entered; out: as the run left it).
// Arithmetic faults leave as CalculationError; the cells written before stay.
void DesignRun(const CalcEnv& env, const ColumnInput& in, double fyCalc, double rho, double& dCalc,
               ColumnResults& res);

// Design modulus of the concrete, 9.5 (fck + 8)^(1/3) / 1.35 * 1000.
double designConcreteModulus(double fck);

// Average axis distance of the rebars (ENV 1994-1-2 Annex F), mm.
double averageAxisDistance(double uc1, double uf1);

} // namespace qeln
