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

// A value within the tolerance of an item (the border included, the first
// of overlapping ones) selects it and disables the field; any other selects
// the free last item and enables the field. The field shows the value.
TEST(Radio, SetChoicesSelectsTheMatchingOrElseTheFreeItem)
{
    const std::vector<double> grades{235, 275, 355, 420, 460};
    const struct {
        double value;
        std::vector<double> values;
        double tolerance;
        int items, selected;
        bool match;
    } cases[] = {
        {20.04, kDiameters, 0.05, 7, 3, true}, {21, kDiameters, 0.05, 7, 6, false},
        {10.5, {10, 11}, 1.0, 3, 0, true},     {355.5, grades, 0.5, 6, 2, true},
        {355.6, grades, 0.5, 6, 5, false},
    };
    for (const auto& c : cases) {
        Group g;
        g.n = c.items;
        Field f;
        f.enabled = c.match;
        EXPECT_EQ(SetRadioChoices(g, f, c.value, c.values, c.tolerance), c.match) << c.value;
        EXPECT_EQ(g.sel, c.selected) << c.value;
        EXPECT_EQ(f.enabled, !c.match) << c.value;
        EXPECT_DOUBLE_EQ(f.v, c.value);
    }
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
