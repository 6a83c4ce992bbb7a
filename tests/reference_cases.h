// The reference cases every area checks its numbers against: each is the
// design of an input by ENV 1994-1-1 and Annex F of ENV 1994-1-2, checked by
// hand and by the independent implementation, given to 0.01 kN.
//
// Rows: normal temperature, R 30, R 60, R 90, R 120. Columns: weak axis, strong
// axis, e1 about the weak axis, e2 about the strong axis, both together.
#pragma once

#include "calc/records.h"

namespace qeln::reference {

using Table = double[5][5];

// The default project: HE 320 A, S 355, C 30/37, 4 bars of 20 mm, 4 m.
inline constexpr Table kDefaultAxial = {
    {5061.02, 5632.19, 5061.02, 5632.19, 5061.02},
    {3706.70, 3914.93, 3706.70, 3914.93, 3706.70},
    {2549.13, 2711.82, 2549.13, 2711.82, 2549.13},
    {1835.37, 1965.26, 1835.37, 1965.26, 1835.37},
    {1153.08, 1252.14, 1153.08, 1252.14, 1153.08},
};

// The default project with e1 = 50 mm and e2 = 30 mm.
inline constexpr Table kDefaultE50E30 = {
    {5061.02, 5632.19, 3132.77, 4505.76, 2915.15},
    {3706.70, 3914.93, 2361.17, 3139.77, 2116.52},
    {2549.13, 2711.82, 1623.80, 2174.88, 1455.55},
    {1835.37, 1965.26, 1169.13, 1576.14, 1047.99},
    {1153.08, 1252.14, 734.51, 1004.22, 658.41},
};

// HE 500 B (h 500, b 300, tw 14.5, tf 28, r 27) with 8 + 4 bars of 25 mm:
// rho above 4 %, designed with the reduced diameter at normal temperature.
inline constexpr Table kHe500b8x4 = {
    {9918.72, 11688.03, 9918.72, 11688.03, 9918.72},
    {8803.83, 9587.58, 8803.83, 9587.58, 8803.83},
    {6661.21, 7537.47, 6661.21, 7537.47, 6661.21},
    {5169.02, 5977.97, 5169.02, 5977.97, 5169.02},
    {3487.97, 4069.15, 3487.97, 4069.15, 3487.97},
};

// The input of kHe500b8x4: the default project with that profile and those bars.
inline ColumnInput he500b8x4Input()
{
    ColumnInput in;
    in.h = 500;
    in.tw = 14.5;
    in.tf = 28;
    in.n1 = 8;
    in.n2 = 4;
    in.d = 25;
    return in;
}

} // namespace qeln::reference
