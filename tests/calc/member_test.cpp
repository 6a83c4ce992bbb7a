// The column as a member: buckling lengths proposed from its length, the
// eccentricities of end moments, and the warnings on implausible lengths.
#include "calc/member.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qeln;

namespace {

bool has(const std::vector<Finding>& f, FindingCode c)
{
    for (const Finding& x : f)
        if (x.code == c)
            return true;
    return false;
}

ColumnInput member(double L, double cold, double fire, StoreyPosition storey = StoreyPosition::intermediate)
{
    ColumnInput in;
    in.length = L;
    in.storey = storey;
    in.lWeakCold = in.lStrongCold = cold;
    in.lWeakFire = in.lStrongFire = fire;
    return in;
}

} // namespace

TEST(MemberLengths, ProposalsOfTheThreeCasesAndTheSwayFrame)
{
    const BucklingProposal mid = proposeBucklingLengths(3.6, FrameType::braced, StoreyPosition::intermediate);
    EXPECT_DOUBLE_EQ(*mid.cold, 3.6);
    EXPECT_DOUBLE_EQ(*mid.fire, 1.8);
    const BucklingProposal top = proposeBucklingLengths(3.6, FrameType::braced, StoreyPosition::top);
    EXPECT_DOUBLE_EQ(*top.cold, 3.6);
    EXPECT_DOUBLE_EQ(*top.fire, 0.7 * 3.6);
    // sway: no fire length is proposed, whatever the storey
    for (StoreyPosition s : {StoreyPosition::intermediate, StoreyPosition::top}) {
        const BucklingProposal sway = proposeBucklingLengths(3.6, FrameType::sway, s);
        EXPECT_DOUBLE_EQ(*sway.cold, 3.6);
        EXPECT_FALSE(sway.fire);
    }
    // without a length nothing is proposed
    for (double L : {0.0, -3.0, std::nan("")}) {
        const BucklingProposal none = proposeBucklingLengths(L, FrameType::braced, StoreyPosition::intermediate);
        EXPECT_FALSE(none.cold);
        EXPECT_FALSE(none.fire);
    }
}

TEST(MemberLengths, EachWarningAtItsBorder)
{
    // 8 m at normal temperature, the 1.5 m default in fire
    EXPECT_TRUE(has(memberChecks(member(8, 8, 1.5)), FindingCode::FireBucklingLengthBelowMember));
    // fire 0.5 L in an intermediate storey: at the border no warning, below it one
    EXPECT_FALSE(has(memberChecks(member(3.6, 3.6, 1.8)), FindingCode::FireBucklingLengthBelowMember));
    EXPECT_TRUE(has(memberChecks(member(3.6, 3.6, 1.799)), FindingCode::FireBucklingLengthBelowMember));
    // the top storey asks 0.7 L; 2.52 is 0.7 x 3.6 as typed
    EXPECT_FALSE(has(memberChecks(member(3.6, 3.6, 2.52, StoreyPosition::top)),
                     FindingCode::FireBucklingLengthBelowMember));
    EXPECT_TRUE(has(memberChecks(member(3.6, 3.6, 2.5, StoreyPosition::top)),
                    FindingCode::FireBucklingLengthBelowMember));
    // normal temperature below 0.5 L, either axis
    EXPECT_FALSE(has(memberChecks(member(4, 2, 2)), FindingCode::BucklingLengthBelowHalfMember));
    ColumnInput one = member(4, 4, 2);
    one.lStrongCold = 1.99;
    const auto f = memberChecks(one);
    ASSERT_TRUE(has(f, FindingCode::BucklingLengthBelowHalfMember));
    EXPECT_EQ(f.front().severity, Severity::Warning);
    EXPECT_EQ(f.front().values, (std::vector<double>{1.99, 2, 4}));
    // without a member length there is nothing to compare with
    EXPECT_TRUE(memberChecks(member(0, 8, 0.5)).empty());
}

TEST(MemberMoments, EccentricitiesAndRatiosOfEndMoments)
{
    // single curvature: both ends the same sign; e = max |M| / N
    Eccentricities e = eccentricitiesOf(100, 50, 0, 0, 2000);
    EXPECT_DOUBLE_EQ(e.e2, 50);
    EXPECT_DOUBLE_EQ(e.rStrong, 0.5);
    EXPECT_DOUBLE_EQ(e.e1, 0);
    EXPECT_DOUBLE_EQ(e.rWeak, 1);   // no moment: constant
    // double curvature, the larger moment at the bottom
    e = eccentricitiesOf(0, 0, -30, 60, 1500);
    EXPECT_DOUBLE_EQ(e.e1, 40);
    EXPECT_DOUBLE_EQ(e.rWeak, -0.5);
    // the sign of the pair does not matter, only the relative one
    e = eccentricitiesOf(-100, -50, 0, 0, 2000);
    EXPECT_DOUBLE_EQ(e.e2, 50);
    EXPECT_DOUBLE_EQ(e.rStrong, 0.5);
    // a moment at one end only
    e = eccentricitiesOf(0, 80, 0, 0, 1000);
    EXPECT_DOUBLE_EQ(e.e2, 80);
    EXPECT_DOUBLE_EQ(e.rStrong, 0);
}

TEST(MemberMoments, TheRunReadsTheMomentsAndRefusesThemWithoutAForce)
{
    ColumnInput in;
    in.e1 = 50;
    in.e2 = 30;
    in.nEd = 2000;
    // no moments: the entered eccentricities stay
    EXPECT_EQ(withMomentEccentricities(in), in);
    in.myTop = 120;
    in.myBottom = -60;
    const ColumnInput m = withMomentEccentricities(in);
    EXPECT_DOUBLE_EQ(m.e2, 60);
    EXPECT_DOUBLE_EQ(m.rStrong, -0.5);
    EXPECT_DOUBLE_EQ(m.e1, 0);   // the moments replace both eccentricities
    EXPECT_TRUE(memberChecks(in).empty());
    // no axial force: an error, and the entered eccentricities are kept
    in.nEd = 0;
    EXPECT_TRUE(has(memberChecks(in), FindingCode::MomentsWithoutAxialForce));
    EXPECT_EQ(memberChecks(in).front().severity, Severity::Error);
    EXPECT_EQ(withMomentEccentricities(in).e2, 30);
    // fire moments need N.fi,Ed
    in.nEd = 2000;
    in.mzFiTop = 10;
    EXPECT_TRUE(has(memberChecks(in), FindingCode::FireMomentsWithoutAxialForce));
    in.nFiEd = 500;
    EXPECT_TRUE(memberChecks(in).empty());
    const Eccentricities fire = fireEccentricities(in);
    EXPECT_DOUBLE_EQ(fire.e1, 20);
    EXPECT_DOUBLE_EQ(fire.e2, 0);
    EXPECT_DOUBLE_EQ(fire.rWeak, 0);
}

TEST(MemberTable, FireCellsAboveTheServiceCellAreNamed)
{
    UltimateLoadTable t;
    for (int c = 0; c < 5; ++c) {
        t.cell[rowService][c] = 1000;
        for (int r = rowR30; r <= rowR120; ++r)
            t.cell[r][c] = 900 - 100 * r;
    }
    EXPECT_TRUE(tableChecks(t).empty());
    t.cell[rowR30][eccentricStrong] = 1000;   // equal: not above
    EXPECT_TRUE(tableChecks(t).empty());
    t.cell[rowR30][eccentricStrong] = 1000.5;
    t.cell[rowR60][axialWeak] = 1200;
    const auto f = tableChecks(t);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].severity, Severity::Warning);
    EXPECT_EQ(f[0].values, (std::vector<double>{rowR30, eccentricStrong, rowR60, axialWeak}));
    // empty cells compare with nothing
    t.cell[rowService][axialWeak].reset();
    t.cell[rowService][eccentricStrong].reset();
    EXPECT_TRUE(tableChecks(t).empty());
}
