// Every table value of the EN 1994 fire method.
//
// NOT YET VERIFIED: the Annex G values below (theta_o,t, k_t, H_t, b_c,fi,
// theta_c, k_y,t, k_E,t, phi) are those of ENV 1994-1-2 Annex F, which no
// source at hand shows the EN edition to differ from. Each value must be
// checked against a copy of EN 1994-1-2:2005+AC:2008 (any national edition)
// before the method is called verified. The concrete values of Table 3.3 are
// confirmed by EN 1992-1-2 Table 3.1 (siliceous aggregate).
#include "tables.h"

#include <array>
#include <cstddef>

namespace qeln::en1994 {

namespace {

std::size_t index(FireClass c) { return static_cast<std::size_t>(c); }

// Piecewise linear through (xs[i], ys[i]), xs rising; constant outside.
template <std::size_t N>
double linear(const std::array<double, N>& xs, const std::array<double, N>& ys, double x)
{
    if (!(x > xs[0]))
        return ys[0];
    for (std::size_t i = 1; i < N; ++i)
        if (x <= xs[i])
            return ys[i - 1] + (ys[i] - ys[i - 1]) * (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
    return ys[N - 1];
}

struct TemperatureRow {
    int count;                     // points used, the first at A_m/V = 0
    std::array<double, 7> AmV, theta;
};

} // namespace

const FireClassTable& fireClassTable(FireClass c)
{
    //                                  theta_o,t  k_t   H_t  b_c,fi      phi_f phi_w phi_c phi_s
    static constexpr std::array<FireClassTable, 4> table{{
        {550, 9.65, 350, 4.0, 0.0, 1.0, 1.0, 0.8, 1.0},     // R30
        {680, 9.55, 770, 15.0, 0.0, 0.9, 1.0, 0.8, 0.9},    // R60
        {805, 6.15, 1100, 22.5, 0.5, 0.8, 1.0, 0.8, 0.8},   // R90: b_c,fi = 0.5 A_m/V + 22.5
        {900, 4.65, 1250, 24.0, 2.0, 1.0, 1.0, 0.8, 1.0},   // R120: b_c,fi = 2.0 A_m/V + 24.0
    }};
    return table[index(c)];
}

bool rebarFactors(FireClass c, double u, RebarFactors& out)
{
    // rows: u in [40, 45), [45, 50), [50, 55), [55, 60), >= 60 mm;
    // columns R30, R60, R90, R120; pairs k_y,t and k_E,t
    static constexpr double table[5][4][2] = {
        {{1.0, 0.830}, {0.789, 0.604}, {0.314, 0.193}, {0.170, 0.110}},
        {{1.0, 0.865}, {0.883, 0.647}, {0.434, 0.283}, {0.223, 0.128}},
        {{1.0, 0.888}, {0.976, 0.689}, {0.572, 0.406}, {0.288, 0.173}},
        {{1.0, 0.914}, {1.0, 0.729}, {0.696, 0.522}, {0.367, 0.233}},
        {{1.0, 0.935}, {1.0, 0.763}, {0.822, 0.619}, {0.436, 0.285}},
    };
    if (!(u >= 40))
        return false;
    const std::size_t band = u < 45 ? 0 : u < 50 ? 1 : u < 55 ? 2 : u < 60 ? 3 : 4;
    out.kyt = table[band][index(c)][0];
    out.kEt = table[band][index(c)][1];
    return true;
}

double concreteTemperature(FireClass c, double AmV)
{
    static constexpr std::array<TemperatureRow, 4> rows{{
        {4, {0, 4, 23, 46}, {0, 136, 300, 400}},                                // R30
        {5, {0, 4, 9, 21, 50}, {0, 214, 300, 400, 600}},                        // R60
        {6, {0, 4, 6, 13, 33, 54}, {0, 256, 300, 400, 600, 800}},               // R90
        {7, {0, 4, 5, 9, 38, 41, 43}, {0, 265, 300, 400, 800, 900, 1000}},      // R120
    }};
    const TemperatureRow& row = rows[index(c)];
    const auto n = static_cast<std::size_t>(row.count);
    if (!(AmV > 0))
        return 0;
    for (std::size_t i = 1; i < n; ++i)
        if (AmV <= row.AmV[i])
            return row.theta[i - 1]
                   + (row.theta[i] - row.theta[i - 1]) * (AmV - row.AmV[i - 1]) / (row.AmV[i] - row.AmV[i - 1]);
    return row.theta[n - 1];
}

namespace {
constexpr std::array<double, 13> kConcreteTheta{20, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100, 1200};
constexpr std::array<double, 13> kConcreteK{1.00, 1.00, 0.95, 0.85, 0.75, 0.60, 0.45,
                                            0.30, 0.15, 0.08, 0.04, 0.01, 0.0};
constexpr std::array<double, 13> kConcreteStrain{2.5, 4.0, 5.5, 7.0, 10.0, 15.0, 25.0,
                                                 25.0, 25.0, 25.0, 25.0, 25.0, 25.0};
} // namespace

double concreteStrengthFactor(double theta)
{
    return linear(kConcreteTheta, kConcreteK, theta);
}

double concreteStrainAtPeak(double theta)
{
    return linear(kConcreteTheta, kConcreteStrain, theta);
}

} // namespace qeln::en1994
