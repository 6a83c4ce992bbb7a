// Partially encased columns in the standard fire by EN 1994-1-2 Annex G: the
// reduced strengths and stiffnesses of flanges, web, concrete and bars of one
// fire resistance class and the axial buckling load about each axis
// (balanced summation model, buckling curve c, no long-term rule).
#pragma once

#include "section.h"
#include "tables.h"

#include <array>

namespace qeln::en1994 {

// Fire geometry: the average axis distance u of the bars and the section
// factor A_m/V.
struct FireGeometry {
    double u = 0;      // mm
    double AmV = 0;    // 1/m
};
FireGeometry fireGeometry(const ColumnInput& in);

// One axis of one fire class.
struct FireAxisResult {
    double NfiPlRd = 0;    // kN, with the partial factors in fire
    double NfiPlR = 0;     // kN, with the partial factors in fire replaced by 1.0
    double EIfiEff = 0;    // N mm2
    double l = 0;          // buckling length in fire, m
    double NfiCr = 0;      // kN
    double lambda = 0;     // lambda-bar_theta
    double chi = 0;        // curve c
    double NfiRd = 0;      // kN
};

struct FireClassResult {
    FireClass fireClass = FireClass::R30;
    // flanges
    double thetaF = 0;     // degC
    double kyTheta = 0, kETheta = 0;
    double fayF = 0;       // f_ay,f,t / gamma_M,fi,a, N/mm2
    double EaF = 0;        // E_a,f,t, N/mm2
    // web
    double hwfi = 0;       // mm
    double fayW = 0;       // f_ay,w,t / gamma_M,fi,a, N/mm2
    // concrete
    double bcfi = 0;       // mm
    double thetaC = 0;     // degC
    double kcTheta = 0;
    double epsCuTheta = 0; // per mille
    double fcTheta = 0;    // 0.86 k_c,theta f_ck / gamma_M,fi,c, N/mm2
    double EcSecTheta = 0; // N/mm2
    // bars
    double kyt = 0, kEt = 0;
    double fsT = 0;        // k_y,t f_sk / gamma_M,fi,s, N/mm2
    double EsT = 0;        // k_E,t E_s, N/mm2
    double phiF = 1, phiW = 1, phiC = 1, phiS = 1;
    std::array<FireAxisResult, 2> axis;
};

// One fire class; `bars` holds the reduction factors of the bars (both 0
// where u lies below the tables: the bars are then not counted in fire).
// fy is the yield point of the calculation.
FireClassResult fireClass(const ColumnInput& in, double fy, FireClass c,
                          const FireGeometry& g, const RebarFactors& bars);

} // namespace qeln::en1994
