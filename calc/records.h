// The input of one project and everything a design run produces.
#pragma once


#include <array>
#include <optional>
#include <string>

namespace qeln {

enum class FireClass { R30 = 0, R60 = 1, R90 = 2, R120 = 3 };
inline constexpr std::array<FireClass, 4> kFireClasses{FireClass::R30, FireClass::R60, FireClass::R90, FireClass::R120};

// The design code a project is designed to: ENV 1994-1-1 with ENV 1994-1-2
// Annex F, or EN 1994-1-1:2004 with EN 1994-1-2:2005 Annex G.
enum class DesignCode { ENV1994, EN1994 };

// The frame the column stands in and its storey (EN 1994-1-2 4.3.5.1(10):
// the fire buckling lengths of a braced frame with one fire compartment per
// storey).
enum class FrameType { braced, sway };
enum class StoreyPosition { intermediate, top };

// Maximum lengths of the project texts (characters).
inline constexpr int kShortTextMax = 20;   // projectCode, positionNumber, profileName, revision
inline constexpr int kLongTextMax = 60;    // projectName, positionName, office, author, checker

// Every input of the open project. Section values are those of "HE 320 A";
// a new project looks the profile up in the catalogue all the same.
struct ColumnInput {
    // project data
    std::string projectCode = "000";
    std::string positionNumber = "000";
    std::string projectName;
    std::string positionName;
    std::string office;
    std::string author;
    std::string comment;
    double createdOn = 0;    // date-time number: days since 1899-12-30, time as fraction
    double lastUpdated = 0;
    // the approval of the calculation: who checked it and when (a calendar
    // date written YYYY-MM-DD), and its revision; empty until given
    std::string checker;
    std::string checkDate;
    std::string revision;

    // steel section
    std::string profileName = "HE 320 A";
    double h = 310;
    double b = 300;
    double tw = 9;
    double tf = 15.5;
    double r = 27;
    bool movrixAvailable = false;

    // rebars
    double d = 20;
    int n1 = 4;
    int n2 = 0;
    double uc1 = 60;
    double uf1 = 60;

    // materials
    double fy = 355;
    bool autoReduce = true;
    double fck = 30;
    double fsk = 500;
    double dg = 16;          // maximum aggregate size of the concrete, mm

    // partial safety factors
    double gammaA = 1.1;
    double gammaC = 1.5;
    double gammaS = 1.15;
    double gammaAfi = 1.0;
    double gammaCfi = 1.0;
    double gammaSfi = 1.0;

    // buckling lengths, m
    double lWeakCold = 3.0;
    double lStrongCold = 3.0;
    double lWeakFire = 1.5;
    double lStrongFire = 1.5;

    // loading
    double e1 = 0;
    double e2 = 0;
    double pcp = 70;

    // design code; the EN method's creep coefficient phi.t and the ratios r
    // of the end eccentricities about the weak and the strong axis (the
    // smaller over the larger, signed: 1 constant, -1 double curvature)
    DesignCode code = DesignCode::ENV1994;
    double phiT = 2.5;
    double rWeak = 1.0;
    double rStrong = 1.0;

    // design loads (0 / no class: not given)
    double nEd = 0;                        // design axial force at normal temperature, kN
    double nFiEd = 0;                      // design axial force in fire, kN
    std::optional<FireClass> fireClass;    // required fire resistance

    // the member: its length L (m; 0: not given), frame and storey
    double length = 0;
    FrameType frame = FrameType::braced;
    StoreyPosition storey = StoreyPosition::intermediate;
    // end moments from the frame analysis, kNm, with their signs (all 0: none,
    // the eccentricities e1, e2 apply): about the strong axis y-y (My) and
    // the weak axis z-z (Mz) at the top and the bottom of the column, at
    // normal temperature and in the fire situation (all four 0: the
    // eccentricities of normal temperature)
    double myTop = 0, myBottom = 0, mzTop = 0, mzBottom = 0;
    double myFiTop = 0, myFiBottom = 0, mzFiTop = 0, mzFiBottom = 0;
    // the column line the position belongs to (schedules: one section per line)
    std::string line;

    bool operator==(const ColumnInput&) const = default;
};

// The partial factors of a project: gamma.a (gamma.M0), gamma.c, gamma.s at
// normal temperature and gamma.M,fi,a, gamma.M,fi,c, gamma.M,fi,s in fire.
struct PartialFactors {
    double gammaA = 1, gammaC = 1, gammaS = 1, gammaAfi = 1, gammaCfi = 1, gammaSfi = 1;
};
PartialFactors partialFactorsOf(const ColumnInput& in);
void setPartialFactors(ColumnInput& in, const PartialFactors& f);

// The steel section of a project, as the catalogue gives it (mm).
struct Section {
    double h = 0, b = 0, tw = 0, tf = 0, r = 0;
    bool movrixAvailable = false;
};

// The section fields of a project, read and set together.
Section sectionOf(const ColumnInput& in);
void setSection(ColumnInput& in, const Section& s);

// Rebar rows for the strong axis (Annex F layout): counts AN1..AN4 and axis
// distances UF1..UF4 from the inner face of the flange.
struct RebarLayout {
    std::array<int, 4> count{0, 0, 0, 0};
    std::array<double, 4> z{0, 0, 0, 0};
};

enum LoadColumn { axialWeak = 0, axialStrong = 1, eccentricWeak = 2, eccentricStrong = 3, biaxial = 4 };
enum LoadRow { rowService = 0, rowR30 = 1, rowR60 = 2, rowR90 = 3, rowR120 = 4 };

// Ultimate loads in kN; a cell the run did not reach stays empty.
struct UltimateLoadTable {
    std::array<std::array<std::optional<double>, 5>, 5> cell{};
    std::optional<double> at(int row, int col) const { return cell.at(row).at(col); }
};

// Per row of the result table (Service, R30, R60, R90, R120): true when the
// row lies inside the field of application of the method.
using RowScope = std::array<bool, 5>;

} // namespace qeln
