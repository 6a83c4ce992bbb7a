// A design method: what one design code owns. The input checks and their
// findings, the design run (the table, its rows, its findings and the
// intermediate values behind the listing), the field of application per
// row of the table, and the interaction diagrams. Every caller reaches the
// code of a project through methodOf(in.code); a new code is a folder of its
// own (calc/env1994/, ...), one value of DesignCode and one entry in
// methodOf.
#pragma once

#include "diagramdata.h"
#include "outcome.h"
#include "records.h"

namespace qeln {

class DesignMethod {
public:
    virtual ~DesignMethod() = default;

    virtual DesignCode code() const = 0;

    // The partial factors the code recommends (a National Annex may set others).
    virtual PartialFactors recommendedFactors() const = 0;

    // The input checks, in the order the user sees their findings. Never
    // throws: a check whose arithmetic has no value says so in `undefined`.
    virtual CheckOutcome check(const ColumnInput& in) const = 0;

    // The design run after the checks (also after checks with errors: the
    // method goes as far as it can and stops there). Every partial factor is
    // the input's. Arithmetic faults leave as CalculationError, the steps
    // reached staying in `out`; `out` may be reused (its buffers are kept).
    virtual void design(const ColumnInput& in, const CheckOutcome& checks, DesignOutcome& out) const = 0;

    // Per row of the result table: inside the method's field of application.
    virtual RowScope scope(const ColumnInput& in) const = 0;

    // The interaction diagrams of both axes at room temperature, for a valid
    // run whose table is `t`. Arithmetic faults leave as CalculationError.
    virtual InteractionDiagrams interaction(const ColumnInput& in, const CheckOutcome& checks,
                                            const UltimateLoadTable& t) const = 0;
};

// The method of a design code.
const DesignMethod& methodOf(DesignCode code);

// Puts the project under `code`; when that changes its code, the partial
// factors become the recommended ones of the new code.
void useDesignCode(ColumnInput& in, DesignCode code);

} // namespace qeln
