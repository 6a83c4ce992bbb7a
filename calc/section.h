// The geometry both design codes share: the rebar layout and its detailing
// rules, and the areas and second moments of area of the section's parts.
// Units: mm, mm2, mm4.
#pragma once

#include "records.h"

#include <numbers>
#include <optional>

namespace qeln {

enum class Axis { Weak, Strong };

// ---------------------------------------------------------------- detailing

// Axis distance of the next bar row or layer behind one at `distance`: one
// bar diameter and a clear spacing of max(d, 20 mm) further.
double nextBarDistance(double distance, double d);

// Axis distance of the second rebar layer to the concrete surface (0 without one).
double secondLayerDistance(const ColumnInput& in);

// Places the rebars in rows for the strong axis. n1 outside 4, 8, 12, 16 leaves
// the layout untouched.
void LayoutRebarRows(RebarLayout& rows, int n1, int n2, double h, double d, double uf1, double tf);

// The clear spacing of the bars (EN 1992-1-1, 8.2(2), with k1 = 1 and
// k2 = 5 mm): at least max(d, dg + 5, 20) mm between two adjacent bars of
// diameter d in a concrete of maximum aggregate size dg (mm).
double requiredBarSpacing(double d, double dg);

// The maximum aggregate sizes the program takes, mm.
inline constexpr double kMinAggregateSize = 4;
inline constexpr double kMaxAggregateSize = 63;
bool usableAggregateSize(double dg);

// The smallest clear spacing (mm) between two adjacent bars of the
// project's layout, the bars where LayoutRebarRows and secondLayerDistance
// put them (as the drawing shows them), with the entered diameter: along the
// height between the rows of one side of the web (the rows at both flanges,
// so also across the middle), along the width between the two layers of the
// first row. The web stands between the two sides, so bars on either side of
// it are not adjacent. Negative where two bars overlap; none for counts that
// are no layout (n1 other than 4, 8, 12, 16 or n2 other than 0, 4), which
// the input checks refuse.
std::optional<double> smallestBarSpacing(const ColumnInput& in);

// Whether the layout keeps the clear spacing requiredBarSpacing(d, dg):
// true for counts that are no layout, false for an aggregate size outside
// the program's range.
bool barSpacingFits(const ColumnInput& in);

// Average axis distance u of the rebars to the concrete surface in fire
// (ENV 1994-1-2 Annex F and EN 1994-1-2 Annex G): sqrt(uc1 uf1), or, where
// the two differ by more than 10 mm, sqrt(u (u + 10)) of the smaller one.
double averageAxisDistance(double uc1, double uf1);

// Section factor A.m/V of the section in fire, 2 (h + b) / (h b), in 1/m.
double sectionFactor(double h, double b);

// ---------------------------------------------------------------- section values

// The rebars as the section values see them: n1 bars in the first layer and
// n2 in the second about the weak axis (the first at uc1 from the concrete
// surface), the rows of LayoutRebarRows about the strong axis.
struct SectionBars {
    int n1 = 4, n2 = 0;
    double d = 0;
    double uc1 = 0;
    RebarLayout rows;
};

// How the values are evaluated: the constants and the order of the
// operations. kExactSection is the plain evaluation with std::numbers::pi.
// The other variants give, to the last bit, the numbers the results of the
// ENV method have always been computed with (its reviewed listings depend on
// them): a pi of 13 digits in the design run, another pi / 4 and 4 - pi in
// the reinforcement ratio of the input checks, and the eccentric
// resistance's own second moments.
struct SectionEvaluation {
    double pi;          // in a bar's own second moment pi d^4 / 64
    double piQuarter;   // pi / 4 in a bar's area
    double fillets;     // 4 - pi: the area of the four root fillets per r^2
    double fillet;      // 1 - pi / 4: the area of one fillet per r^2
    double barSide;     // sqrt(pi) / 2: the side of the square of a bar's area per d
    // a bar area n pi d^2 / 4 as ((d d) n) pi/4, as ((pi/4 d) d) n, or as ((n pi) d d) / 4
    enum class BarArea { diameterFirst, factorFirst, countFirst } barArea = BarArea::diameterFirst;
    bool filletsBeforeBars = false;   // the concrete area as A - fillets - bars rather than A - bars - fillets
    // the second layer's lever arm about the weak axis as b/2 - uc1 - max(d, 20) - d
    // (false) or as b/2 - (uc1 + d + max(d, 20)) (true)
    bool secondLayerByDistance = false;
    // about the strong axis the rows after the first as squares of side
    // barSide d (their own second moment a^4 / 12 from the third row on)
    bool squareInnerRows = false;
    bool cubeByProduct = false;       // b^3 as b b b rather than pow(b, 3) in the weak axis's concrete
};

inline constexpr SectionEvaluation kExactSection{std::numbers::pi,
                                                 std::numbers::pi / 4,
                                                 4 - std::numbers::pi,
                                                 1 - std::numbers::pi / 4,
                                                 0.886226925452758,   // sqrt(pi) / 2
                                                 SectionEvaluation::BarArea::countFirst};
// The design run of the ENV method (its member resistance).
inline constexpr SectionEvaluation kEnvMemberSection{3.141592653589, 0.78539816339725, 0.8584, 0.2146, 0.886227};
// The ENV method's eccentric resistance: the member's constants, its own lever
// arm of the second layer, the square bars of the inner rows and b b b.
inline constexpr SectionEvaluation kEnvEccentricSection{3.141592653589,
                                                        0.78539816339725,
                                                        0.8584,
                                                        0.2146,
                                                        0.886227,
                                                        SectionEvaluation::BarArea::diameterFirst,
                                                        false,
                                                        true,
                                                        true,
                                                        true};
// The reinforcement ratio of the ENV method's input checks.
inline constexpr SectionEvaluation kEnvChecksSection{3.141592653589, 0.78539825, 0.858407, 0.2146, 0.886227,
                                                     SectionEvaluation::BarArea::factorFirst, true};
// The weights per metre of the listing's components block.
inline constexpr SectionEvaluation kMassSection{3.141592653589, 0.78539816339725, 0.8584, 0.2146, 0.886227,
                                                SectionEvaluation::BarArea::countFirst};

// The reductions of a fire class: the concrete border bcfi on each face, the
// web's height hwfi at each end; no fillets.
struct FireReduction {
    double bcfi = 0, hwfi = 0;
};

// Areas (the same about both axes but for the bars counted: n1 + n2 about
// the weak axis, the rows about the strong axis) and second moments about
// the axis: flanges, web (without the fillets), the fillets, the bars, the
// concrete (net of bars and fillets).
struct SectionValues {
    double Af = 0, Aw = 0, As = 0, Ac = 0;   // the web area Aw includes the fillets
    double If = 0, Iw = 0, Ifr = 0, Is = 0, Ic = 0;
    double Aa() const { return Af + Aw; }
};

SectionValues sectionValues(const Section& s, const SectionBars& bars, Axis axis, const SectionEvaluation& e,
                            const FireReduction* fire = nullptr);

// The bars of a project as entered (the rows laid out with the entered diameter).
SectionBars sectionBarsOf(const ColumnInput& in);

// Weights of profile, concrete and rebars and the concrete volume, per metre of column.
struct ComponentMasses {
    double steel = 0, concrete = 0, rebars = 0, volume = 0, total = 0;   // kg/m, m3/m
};
ComponentMasses componentMasses(const ColumnInput& in);

} // namespace qeln
