// Design loads against the ultimate loads of a run: whether the column
// carries the design loads, with the rows of the result table that lie
// inside the field of application of the method (calc/method.h, scope).
//
// Everything here is a pure function of the input and the result table, so
// the desktop program, the report and qeln-cli show the same verdicts.
#pragma once

#include "records.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qeln {

// Largest design load accepted by the inputs, kN (anything above is a typing
// error: no partially encased column carries 1000 MN).
inline constexpr double kMaxDesignLoad = 1.0e6;
// Largest end moment accepted, kNm.
inline constexpr double kMaxDesignMoment = 1.0e5;

// ---------------------------------------------------------------- design check

enum class Governing { none, service, fire };

// The design check of a valid run. An optional without value is a key that
// does not apply (JSON null).
struct DesignCheck {
    std::optional<double> nEd;               // given design load, kN
    std::optional<FireClass> fireClass;      // required class
    std::optional<double> nFiEd;             // given design load in fire, kN
    // service check, when nEd is given
    std::optional<double> nRd;               // smallest cell of the service row
    std::optional<double> utilisation;       // nEd / nRd; none when nRd <= 0
    std::optional<bool> servicePasses;
    // fire check, when fireClass and nFiEd are given
    std::optional<double> nFiRd;             // smallest cell of the class row
    std::optional<double> fireUtilisation;   // nFiEd / nFiRd; none when nFiRd <= 0
    std::optional<bool> fireWithinScope;
    std::optional<bool> firePasses;
    // when nFiEd is given: the highest class inside the field of application
    // whose smallest cell carries nFiEd; achievedClass empty means "none"
    bool achievedApplies = false;
    std::optional<FireClass> achievedClass;
    Governing governing = Governing::none;   // the given check with the larger utilisation
    bool passes = true;                      // every given check passes
    // the column of the cell each check rests on (the smallest of its row)
    std::optional<int> serviceColumn, fireColumn;
    // The fire check rests on what the method verifies: not when its cell is
    // one of the strong axis (outside Annex F of ENV 1994-1-2 and Annex G of
    // EN 1994-1-2: a predesign value) or the bars were left out in fire
    // (u below the tables). It then does not pass: "not verified by this method".
    bool fireOnStrongAxis = false;
    bool barsLeftOutInFire = false;
    bool fireVerified = true;
    // N.fi,Ed without a required class: there is no fire check
    bool noFireCheck = false;

    // the column of the cell the governing check rests on
    std::optional<int> governingColumn() const
    {
        return governing == Governing::fire ? fireColumn : governing == Governing::service ? serviceColumn : std::nullopt;
    }

    bool serviceGiven() const { return servicePasses.has_value(); }
    bool fireGiven() const { return firePasses.has_value(); }
};

// The smallest filled cell of a row; none when the row is empty.
std::optional<double> smallestCell(const UltimateLoadTable& t, int row);

// The check for the input's loads; none when neither nEd nor nFiEd is given.
// Call it for valid runs only.
// barsLeftOutInFire: the run did not count the bars in fire (u below the tables).
std::optional<DesignCheck> evaluateDesignCheck(const ColumnInput& in, const UltimateLoadTable& t,
                                               const RowScope& scope, bool barsLeftOutInFire = false);

// The column of the smallest filled cell of a row; none when the row is empty.
std::optional<int> smallestCellColumn(const UltimateLoadTable& t, int row);

// ---------------------------------------------------------------- inputs

// eta.fi of EN 1994-1-2, 2.4.2 when nothing else is known.
inline constexpr double kDefaultEtaFi = 0.65;
// The fire load eta.fi x N.Ed, to the nearest 0.001 kN (no binary noise such
// as 1950.0000000000002 in the field).
double fireLoadFromEtaFi(double nEd, double etaFi);

// The condition of warning 1227: a fire load above the load at normal temperature.
bool fireLoadAboveLoad(const ColumnInput& in);
} // namespace qeln
