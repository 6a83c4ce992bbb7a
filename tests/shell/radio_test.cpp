// The radio-group helpers with a group and field that record their state.
#include "shell/radio.h"

#include <gtest/gtest.h>

namespace qeln {
namespace {

struct Group : RadioChoiceGroup {
    int n = 7, sel = -1;
    int itemCount() const override { return n; }
    int itemIndex() const override { return sel; }
    void setItemIndex(int i) override { sel = i; }
};
struct Field : RadioValueField {
    double v = -1;
    bool enabled = true;
    void setFieldValue(double x) override { v = x; }
    void setFieldEnabled(bool on) override { enabled = on; }
};

const std::vector<double> kDiameters{12, 14, 16, 20, 25, 28};

TEST(Radio, ValueWithinToleranceSelectsItemAndDisablesField)
{
    Group g;
    Field f;
    EXPECT_TRUE(SetRadioChoices(g, f, 20.04, kDiameters, 0.05));
    EXPECT_EQ(g.sel, 3);
    EXPECT_FALSE(f.enabled);
    EXPECT_DOUBLE_EQ(f.v, 20.04);
}

TEST(Radio, OtherValueSelectsFreeItemAndEnablesField)
{
    Group g;
    Field f;
    f.enabled = false;
    EXPECT_FALSE(SetRadioChoices(g, f, 21, kDiameters, 0.05));
    EXPECT_EQ(g.sel, 6);
    EXPECT_TRUE(f.enabled);
    EXPECT_DOUBLE_EQ(f.v, 21);
}

TEST(Radio, FirstMatchWinsWhenTolerancesOverlap)
{
    Group g;
    g.n = 3;
    Field f;
    EXPECT_TRUE(SetRadioChoices(g, f, 10.5, {10, 11}, 1.0));
    EXPECT_EQ(g.sel, 0);
}

TEST(Radio, ToleranceBoundaryIsInclusive)
{
    Group g;
    g.n = 6;
    Field f;
    EXPECT_TRUE(SetRadioChoices(g, f, 355.5, {235, 275, 355, 420, 460}, 0.5));
    EXPECT_EQ(g.sel, 2);
    EXPECT_FALSE(SetRadioChoices(g, f, 355.6, {235, 275, 355, 420, 460}, 0.5));
    EXPECT_EQ(g.sel, 5);
}

TEST(Radio, ChoiceValueOfFreeItemOrNoneIs9E299)
{
    Group g;
    g.sel = 6;
    EXPECT_EQ(RadioChoiceValue(g, kDiameters), 9E299);
    g.sel = -1;
    EXPECT_EQ(RadioChoiceValue(g, kDiameters), kNoRadioChoice);
    g.sel = 4;
    EXPECT_EQ(RadioChoiceValue(g, kDiameters), 25);
}

TEST(Radio, WrongNumberOfValuesRaises)
{
    Group g;
    Field f;
    EXPECT_THROW(SetRadioChoices(g, f, 20, {12, 14}, 0.05), ENumberofArgumentsInvalid);
    EXPECT_THROW(RadioChoiceValue(g, std::vector<double>(7, 1.0)), ENumberofArgumentsInvalid);
    try {
        RadioChoiceValue(g, {});
    } catch (const ENumberofArgumentsInvalid& e) {
        EXPECT_STREQ(e.what(), "Number of arguments incorrect for setrdg");
    }
    EXPECT_DOUBLE_EQ(f.v, -1);   // nothing touched before the check
}

} // namespace
} // namespace qeln
