// The design run's outcome as values, and the listing written from it.
#include "calc/env1994/design.h"
#include "present/listing.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace qeln::env1994;

using namespace qeln;

namespace {

// The values of the input checks the run takes, with an error among the findings when `errors`.
CheckOutcome checked(double fyCalc, double rho, bool errors)
{
    CheckOutcome c;
    c.fyCalc = fyCalc;
    c.rho = rho;
    if (errors)
        c.findings.push_back({FindingCode::ProfileHeight, Severity::Error, {}});
    return c;
}

const std::vector<MemberResult>& members(const DesignOutcome& out) { return std::get<Details>(out.details).members; }

std::vector<LoadCase> loadCases(const DesignOutcome& out)
{
    std::vector<LoadCase> v;
    for (const MemberResult& m : members(out))
        v.push_back(m.call.loadCase);
    return v;
}

} // namespace

TEST(DesignOutcome, EveryMemberCallInOrder)
{
    const ColumnInput in;
    DesignOutcome out;
    DesignRun(in, checked(355, 1.5598, false), out);
    using L = LoadCase;
    EXPECT_EQ(loadCases(out), (std::vector<L>{L::Service, L::Service, L::FireReference, L::FireReference, L::Fire,
                                              L::Fire, L::Fire, L::Fire, L::Fire, L::Fire, L::Fire, L::Fire}));
    for (std::size_t i = 0; i < members(out).size(); ++i) {
        const MemberResult& m = members(out)[i];
        EXPECT_TRUE(m.complete);
        EXPECT_EQ(m.axis, i % 2 == 0 ? Axis::Weak : Axis::Strong);
        if (m.call.loadCase == L::Fire) {
            EXPECT_EQ(m.call.fireClass, kFireClasses[(i - 4) / 2]);
        }
    }
    EXPECT_EQ(*out.table.at(rowService, axialWeak), members(out)[0].nRd);
    EXPECT_EQ(*out.table.at(rowR120, axialStrong), members(out)[11].nRd);
    EXPECT_TRUE(out.tableComplete);
    ASSERT_TRUE(out.masses.has_value());
    EXPECT_TRUE(out.messages.empty());
    EXPECT_FALSE(out.hasErrors());
}

// The fire classes take the rebars as entered where normal temperature
// reduces the diameter: WorkedExamples.ReferenceTables (HE 500 B).

TEST(DesignOutcome, InputErrorsStopAfterTheWeakAxis)
{
    const ColumnInput in;
    DesignOutcome out;
    DesignRun(in, checked(355, 1.5598, true), out);
    ASSERT_EQ(members(out).size(), 1u);
    EXPECT_TRUE(out.rows.has_value());
    EXPECT_EQ(out.dService, 20);
    EXPECT_FALSE(out.table.at(rowService, axialWeak).has_value());
}

TEST(DesignOutcome, MessagesBeforeAFaultStay)
{
    ColumnInput in;
    in.uc1 = 30;   // u below Annex F: one message per class
    in.uf1 = 30;
    in.gammaAfi = 0;   // the first fire class divides by it
    DesignOutcome out;
    EXPECT_THROW(DesignRun(in, checked(355, 1.5598, false), out), CalculationError);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].code, FindingCode::AxisDistanceBelowAnnexF);
    EXPECT_EQ(members(out).size(), 4u);
    EXPECT_TRUE(out.table.at(rowService, biaxial).has_value());
    EXPECT_FALSE(out.tableComplete);

    RecordingSink sink;
    TextEnv text;
    text.sink = &sink;
    ColumnResults res;
    writeDesign(text, in, out, RowScope{true, true, true, true, true}, res);
    EXPECT_EQ(sink.messages, std::vector<std::string>{"Error in calculation: u is too small"});
    EXPECT_TRUE(res.resultsLines.empty());
    EXPECT_FALSE(res.grid.filled);
    EXPECT_FALSE(res.memberDetailLines.empty());
}

TEST(DesignOutcome, OneRunWrittenInTwoLanguages)
{
    ColumnInput in;
    in.e1 = 50;
    in.e2 = 30;
    DesignOutcome out;
    DesignRun(in, checked(355, 1.5598, false), out);
    DesignOutcome copy = out;
    ColumnResults en, de;
    writeDesign(TextEnv{}, in, out, RowScope{true, true, true, true, true}, en);
    writeDesign(TextEnv{Language::German, nullptr, ","}, in, copy, RowScope{true, true, true, true, true}, de);
    EXPECT_EQ(en.table.cell, de.table.cell);
    EXPECT_EQ(en.memberDetailLines.count(), de.memberDetailLines.count());
    EXPECT_EQ(en.memberDetailLines[0], "Materials and design values");
    EXPECT_NE(de.memberDetailLines[0], en.memberDetailLines[0]);
    EXPECT_EQ(en.memberDetailLines[17], "Normal temperature weak axis");
    EXPECT_EQ(en.grid.cell[2][3], "50.00");
    EXPECT_EQ(de.grid.cell[2][3], "50,00");
    EXPECT_EQ(en.sectionPicture.items.size(), de.sectionPicture.items.size());
}

TEST(DesignOutcome, RunMessagesKeepTheirTexts)
{
    EXPECT_EQ(runMessage(TextEnv{}, {FindingCode::BendingFailure, Severity::Message, {}}), "error in bending");
    EXPECT_EQ(runMessage(TextEnv{Language::French, nullptr, ","}, {FindingCode::AxisDistanceBelowAnnexF, Severity::Message, {}}),
              "Erreur de calcul : u est trop petit");
}
