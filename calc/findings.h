// What a check or a calculation found, as a code and its values; the text a
// user reads is written from it by the formatting layer (calc/listing.cpp for
// the design run, shell/checkmessages.cpp for the input checks).
#pragma once

#include <algorithm>
#include <vector>

namespace qeln {

enum class Severity {
    Error,     // the run has no valid result
    Warning,   // shown before the results
    Message,   // shown at once in a message box during the run
};

// The code of a finding is the catalogue number of its first line where it
// has one.
enum class FindingCode : int {
    // The run's message boxes.
    BendingFailure = 1,          // the biaxial search met a moment resistance of zero ("error in bending")
    AxisDistanceBelowAnnexF = 1073,   // u below the smallest of Annex F: rebars not counted in fire

    // Input checks, in the order they run.
    ProfileHeight = 1025,
    ProfileWidth = 1026,
    SmallProfile = 1029,
    RebarDiameter = 1030,
    RebarCountProfileUpTo400 = 1031,
    RebarCountProfileAbove400 = 1032,
    SecondLayerCount = 1033,
    RatioLow = 1034,             // values: rho %
    RatioReducedDiameter = 1036, // values: rho %, the reduced diameter mm
    RatioHigh = 1040,            // values: rho %
    RebarSpacing = 1041,
    RebarHeight = 1047,
    RebarWidth = 1048,
    AggregateSizeRange = 1941,       // values: d.g, the smallest and the largest size taken (mm)
    BarSpacingBelowMinimum = 1940,   // warning (EN 1992-1-1, 8.2(2)); values: the clear spacing s, max(d, d.g + 5, 20) (mm)
    YieldPointRange = 1049,
    ConcreteStrengthRange = 1050,
    RebarStrengthRange = 1051,
    FlangeSlenderness = 1128,    // values: b / tf, 44 epsilon
    FireBucklingLength = 1042,   // values: 1 or 0 per class R30 to R120, the classes out of range
    EccentricityWeak = 1044,     // values: the limit 0.5 b mm
    EccentricityStrong = 1046,   // values: the limit 0.5 h mm
    // Values outside their meaning: the run is not started. Values: pairs of
    // the value's index in the order listed and the value.
    FactorsNotPositive = 1170,          // gammaA, gammaC, gammaS, gammaAfi, gammaCfi, gammaSfi
    AxisDistancesNotPositive = 1171,    // UC1, UF1
    BucklingLengthsNotPositive = 1172,  // weak and strong axis cold, weak and strong axis in fire
    PermanentLoadOutside = 1173,        // pcp (0..100 %)
    SteelGradeUnknown = 187,
    YieldPointNotReduced = 188,
    YieldPointNotReducedMovrix = 189,

    // Limits of the member calculation at service conditions.
    SlendernessWeak = 1120,      // values: lambda
    SteelRatioLow = 1123,        // values: delta
    SteelRatioHigh = 1126,       // values: delta
    SlendernessStrong = 1143,    // values: lambda

    // The EN 1994 method (calc/en1994/checks.h): the ranges of its own inputs
    // and the limits of EN 1994-1-1 it adds; values: the value, then the
    // limit or limits it breaks.
    EnCreepCoefficientRange = 1400,     // phi.t; 0, 6
    EnEndMomentRatioWeakRange = 1401,   // r about the weak axis; -1, 1
    EnEndMomentRatioStrongRange = 1402, // r about the strong axis; -1, 1
    EnSteelGradeAboveS460 = 1403,       // f_y as entered; 460 (EN 1994-1-1 3.3(2))
    EnConcreteStrengthRange = 1404,     // f_ck; 20, 60 (3.1(2))
    EnSteelContributionRange = 1405,    // delta; 0.2, 0.9 (6.7.1(4))
    EnSlendernessWeak = 1406,           // lambda-bar about the weak axis; 2.0 (6.7.3.1(1))
    EnSlendernessStrong = 1407,         // lambda-bar about the strong axis; 2.0 (6.7.3.1(1))
    EnDepthToWidthRange = 1408,         // h / b; 0.2, 5.0 (6.7.3.1(1))
    EnCreepNotConsidered = 1409,        // warning: phi.t = 0

    // The column as a member (calc/member.h), for every code.
    MomentsWithoutAxialForce = 1700,       // end moments given without N.Ed
    FireMomentsWithoutAxialForce = 1701,   // fire end moments without N.fi,Ed
    BucklingLengthBelowHalfMember = 1702,  // warning; values: the shortest length, 0.5 L, L (m)
    FireBucklingLengthBelowMember = 1703,  // warning; values: the shortest fire length, 0.5 L or 0.7 L, L (m)
    FireAboveNormalTemperature = 1704,     // warning; values: row, column of each fire cell above the service cell
};

struct Finding {
    FindingCode code;
    Severity severity = Severity::Error;
    std::vector<double> values;
};

inline bool anyError(const std::vector<Finding>& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

} // namespace qeln
