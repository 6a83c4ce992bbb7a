// Axial buckling resistance about the weak and the strong axis
// (ENV 1994-1-1 4.8.3, with the component values of ENV 1994-1-2 Annex F in fire).
#pragma once

#include "env.h"
#include "records.h"

#include <string>

namespace qeln {

struct SectionDims {
    double h = 0, b = 0, tw = 0, tf = 0;
};

// Design strengths, moduli and stiffness multipliers of the four components.
struct ComponentValues {
    double r = 0;     // root radius (0 in fire runs)
    double bcfi = 0;  // concrete border reduction per face (fire)
    double hwfi = 0;  // web height reduction at each end (fire)
    double fF = 0, fW = 0, fC = 0, fS = 0;
    double EF = 210000, EW = 210000, ES = 210000;
    double phiF = 1, phiW = 1, phiC = 1, phiS = 1;
};

// What a call is about: label " ", "F 0" or a fire class, buckling length (m),
// eccentricity about the axis (mm), Ecd, pcp, the diameter as entered, checks on/off.
struct MemberCall {
    std::string label;
    double L = 0;
    double e = 0;
    double Ecd = 0;
    double pcp = 0;
    double dInput = 0;
    bool checkFlag = false;
};

// The run's lists the routines append to.
struct RunLists {
    MessageList& errors;
    MessageList& warnings;
    bool& hasErrors;
    bool& hasWarnings;
    MessageList& details;   // memberDetailLines
};

struct Areas {
    double Aa = 0, Ac = 0, As = 0;
};

// Places the rebars in rows for the strong axis. n1 outside 4, 8, 12, 16 leaves
// the layout untouched.
void LayoutRebarRows(RebarLayout& rows, int n1, int n2, double h, double d, double uf1, double tf);

void ColdResistanceWeakAxis(const CalcEnv& env, double& ecRef, double& nRd, int n1, int n2,
                            const SectionDims& s, const ComponentValues& c, double& dRef, double uc1,
                            Areas& areas, const MemberCall& call, RunLists& lists);

void ColdResistanceStrongAxis(const CalcEnv& env, double& ecRef, double& nRd, const RebarLayout& rows,
                              const SectionDims& s, const ComponentValues& c, double& dRef,
                              const MemberCall& call, RunLists& lists);

// Buckling coefficient for an imperfection factor alpha.
double bucklingCoefficient(double lambda, double alpha);

} // namespace qeln
