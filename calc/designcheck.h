// Design loads against the ultimate loads of a run: whether the column
// carries the design loads, with the rows of the result table that lie
// inside the field of application of the method (calc/method.h, scope).
//
// Everything here is a pure function of the input and the result table, so
// the desktop program, the report and qeln-cli show the same verdicts.
#pragma once

#include "textenv.h"
#include "records.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qeln {

// Largest design load accepted by the inputs, kN (anything above is a typing
// error: no partially encased column carries 1000 MN).
inline constexpr double kMaxDesignLoad = 1.0e6;

// The class as it is written in files and JSON: "R30", "R60", "R90", "R120".
const char* fireClassCode(FireClass c);
// Reads "R30" .. "R120" (also "R 30", any case); nullopt for anything else.
std::optional<FireClass> fireClassFromCode(std::string_view code);

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

    bool serviceGiven() const { return servicePasses.has_value(); }
    bool fireGiven() const { return firePasses.has_value(); }
};

// The smallest filled cell of a row; none when the row is empty.
std::optional<double> smallestCell(const UltimateLoadTable& t, int row);

// The check for the input's loads; none when neither nEd nor nFiEd is given.
// Call it for valid runs only.
std::optional<DesignCheck> evaluateDesignCheck(const ColumnInput& in, const UltimateLoadTable& t,
                                               const RowScope& scope);

// ---------------------------------------------------------------- inputs

// Why a design load cannot be taken (English, for file and command-line
// messages, naming the value `name`); empty when it is fine: 0 (not given)
// up to kMaxDesignLoad.
std::string designLoadProblem(const char* name, double v);

// eta.fi of EN 1994-1-2, 2.4.2 when nothing else is known.
inline constexpr double kDefaultEtaFi = 0.65;
// The fire load eta.fi x N.Ed, to the nearest 0.001 kN (no binary noise such
// as 1950.0000000000002 in the field).
double fireLoadFromEtaFi(double nEd, double etaFi);

// The condition of warning 1227: a fire load above the load at normal temperature.
bool fireLoadAboveLoad(const ColumnInput& in);
// Its text (1227), appended after the input checks.
void addDesignLoadWarnings(const TextEnv& env, const ColumnInput& in, ColumnResults& res);

// ---------------------------------------------------------------- presentation

// Marker of a row outside the field of application, and its footnote line.
inline constexpr const char* kOutsideMarker = "*";
std::string outsideFootnote(const TextEnv& env);

// A utilisation as shown: three decimals, or "—" when it cannot be computed.
std::string utilisationText(const std::optional<double>& u, const std::string& sep);
// "R 90", or text 1214 "none".
std::string achievedClassText(const TextEnv& env, const DesignCheck& c);

// One line of the "Design check" block of the result window and the report.
struct CheckLine {
    std::string label;
    std::string value;
    std::optional<bool> passes;   // the verdict in colour; none: no verdict
    std::string verdict;          // the verdict in words (text 1222 or 1223)
};
std::vector<CheckLine> designCheckLines(const TextEnv& env, const DesignCheck& c);

// The "Design check" block of the listing (complete and condensed).
void writeDesignCheck(const TextEnv& env, MessageList& out, const DesignCheck& c);

} // namespace qeln
