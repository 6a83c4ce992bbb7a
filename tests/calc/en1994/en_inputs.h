// Inputs shared by the tests of the EN 1994 method.
#pragma once

#include "calc/method.h"
#include "calc/en1994/section.h"
#include "calc/records.h"
#include "calc/yield.h"

#include <algorithm>
#include <cmath>

namespace qeln::en1994::test {

// The program's default project under EN 1994 with the recommended partial factors.
inline ColumnInput enDefault()
{
    ColumnInput in;
    useDesignCode(in, DesignCode::EN1994);
    return in;
}

// A profile of the catalogue with the default project's everything else.
inline ColumnInput enProfile(double h, double b, double tw, double tf, double r)
{
    ColumnInput in = enDefault();
    in.h = h;
    in.b = b;
    in.tw = tw;
    in.tf = tf;
    in.r = r;
    return in;
}

// The yield point the run takes, as the input checks reduce it.
inline double fyCalc(const ColumnInput& in)
{
    double fy = 0;
    bool unknown = false;
    ReduceYieldPoint(in.autoReduce, fy, unknown, in.fy, std::max(in.tw, in.tf));
    return fy;
}

// |a - b| <= tol |b|, exact for b = 0.
inline bool closeTo(double a, double b, double tol = 1e-9)
{
    return std::fabs(a - b) <= tol * std::fabs(b);
}

} // namespace qeln::en1994::test
