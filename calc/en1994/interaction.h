// The exact plastic interaction curve of one axis (EN 1994-1-1 6.7.3.2(2) to
// (5)): rectangular stress blocks on the whole section, the root fillets
// included; f_yd in the profile, f_sd in the bars, 0.85 f_cd in the concrete
// in compression and nothing in tension. Each bar is a square of its own
// area centred on the bar.
//
// A cut at depth x from one face puts [0, x] in tension and the rest in
// compression; N(x) and M(x) are integrals of the resistance density
// w(y) = 2 f_yd (steel width) + 2 f_sd (bar width) + 0.85 f_cd (concrete width)
// over [0, x], in closed form: w is constant between band edges except in the
// fillet zones.
#pragma once

#include "section.h"

#include <array>

namespace qeln::en1994 {

// The points of the curve the listing names (kN, kNm).
struct InteractionPoints {
    double NplRd = 0;    // A: (N_pl,Rd, 0)
    double MplRd = 0;    // B: (0, M_pl,Rd); C: (N_pm,Rd, M_pl,Rd)
    double NpmRd = 0;    // 0.85 f_cd A_c / 1000
    double MmaxRd = 0;   // D: (N_pm,Rd / 2, M_max,Rd)
};

class InteractionCurve {
public:
    InteractionCurve() = default;
    InteractionCurve(Axis axis, const ColumnInput& in, const SectionValues& s, const DesignValues& v);

    struct Cut {
        double N = 0, M = 0;   // kN, kNm
    };
    // N(x) and M(x) for a cut at depth x in [0, D] (mm).
    Cut cut(double x) const;

    // M_pl,N,Rd(N) (kNm) for 0 <= N <= N_pl,Rd: the moment of the unique cut
    // with N(x) = N; 0 at and above N_pl,Rd.
    double moment(double N) const;

    Axis axis() const { return axis_; }
    double depth() const { return D_; }               // D, the depth in the plane of bending
    const InteractionPoints& points() const { return points_; }

private:
    struct Segment {
        double lo = 0, hi = 0;   // depth range within [0, D/2]
        double c = 0;            // w without the fillets, N/mm
        bool fillet = false;     // the fillet zone: w = c + kf (r - sqrt(r^2 - t^2))
        double I0 = 0, I1 = 0;   // integrals of w and w (D/2 - y) from 0 to lo
        double N = 0;            // N(lo)
        double Flo = 0, Glo = 0; // fillet primitives at lo
    };
    // Integrals of w and w (D/2 - y) over [seg.lo, x].
    void integrate(const Segment& seg, double x, double& I0, double& I1) const;
    double filletT(double y) const { return sign_ * (y - y0_); }
    double momentOfCut(double target) const;

    Axis axis_ = Axis::Weak;
    double D_ = 0, half_ = 0;
    double Npl_ = 0, Nhalf_ = 0, Mhalf_ = 0;
    double r_ = 0, kf_ = 0, sign_ = 1, y0_ = 0;
    std::array<Segment, 16> seg_{};
    int count_ = 0;
    InteractionPoints points_;
};

} // namespace qeln::en1994
