// The design run: one call turns a project's input into its ultimate loads
// and every intermediate value behind them; calc/listing.cpp writes the
// listing sections, the result grid and the drawing from them.
#pragma once

#include "drawing.h"
#include "eccentric.h"
#include "env.h"
#include "findings.h"
#include "materials.h"
#include "member.h"
#include "records.h"

#include <optional>
#include <vector>

namespace qeln {

// Everything a design run found, filled step by step: after an arithmetic
// fault the steps reached so far stay.
struct DesignOutcome {
    double e1 = 0, e2 = 0;       // absolute eccentricities, mm
    double dCalc = 0;            // the working rebar diameter as the run left it
    std::optional<EccentricResult> service;     // room temperature, cold buckling lengths
    std::optional<EccentricResult> reference;   // room temperature, fire buckling lengths
    std::optional<RebarLayout> rows;            // the strong-axis rows of the service run
    double UC2 = 0;                             // axis distance of the second layer
    std::optional<SectionFigure> figure;        // the drawing's geometry
    std::vector<MemberResult> members;          // in the order of the calls
    std::vector<Finding> messages;              // the run's message boxes, in order
    double u = 0, AmV = 0;                      // fire geometry
    UltimateLoadTable table;
    std::optional<double> concreteVolume;
    bool tableComplete = false;                 // every row written
    std::optional<ComponentMasses> masses;

    // An error of the member limits (the input checks report their own).
    bool hasErrors() const;
};

// Design values of the materials: fcd = 0.85 fck / gammaC, fsd = fsk / gammaS,
// fyd = fyCalc / gammaA, Ea = Es, Ecm, Ecd and 0.8 Ecd.
struct DesignValues {
    double fcd, fsd, fyd, Ea, Es, Ecm, Ecd, Ec;
};
DesignValues designValues(const ColumnInput& in, double fyCalc);

// The eccentric resistance's input for a pair of buckling lengths (m) and
// the absolute eccentricities (mm).
EccentricInput eccentricInput(const ColumnInput& in, const DesignValues& v, double lWeak, double lStrong, double e1,
                              double e2, double rho);

// Runs the design into `out`. fyCalc and rho come from the input checks;
// `inputErrors` says whether they found errors (the run then stops after the
// weak axis at service conditions, as it does after an error of its own).
// Arithmetic faults leave as CalculationError; the steps reached stay in out.
// Without `drawing` the section figure is left out (the numbers-only run);
// every value is the same. `out` may be reused: its buffers are kept.
void DesignRun(const CalcEnv& env, const ColumnInput& in, double fyCalc, double rho, bool inputErrors,
               DesignOutcome& out, bool drawing = true);

// The drawing's input: the project's section and rebars, the rows as the
// service run laid them out and the working diameter.
SectionDrawing sectionDrawingOf(const ColumnInput& in, const RebarLayout& rows, double dCalc);

// Average axis distance of the rebars (ENV 1994-1-2 Annex F), mm.
double averageAxisDistance(double uc1, double uf1);

} // namespace qeln
