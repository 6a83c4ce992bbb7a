// A value shown either as one of a few standard values (radio items) or as a
// free value typed into the numeric field beside the group (the last item).
#pragma once

#include "calc/numeric.h"   // roundHalfEven

#include <stdexcept>
#include <vector>

namespace qeln {

// Raised when a value list does not hold exactly one value fewer than the
// group has items: a programming error of the caller, not a user error.
class ENumberofArgumentsInvalid : public std::logic_error {
public:
    ENumberofArgumentsInvalid() : std::logic_error("Number of arguments incorrect for setrdg") {}
};

// What the helpers need of a radio group.
class RadioChoiceGroup {
public:
    virtual ~RadioChoiceGroup() = default;
    virtual int itemCount() const = 0;
    virtual int itemIndex() const = 0;   // -1: nothing selected
    virtual void setItemIndex(int index) = 0;
};

// What the helpers need of the numeric field beside it.
class RadioValueField {
public:
    virtual ~RadioValueField() = default;
    virtual void setFieldValue(double value) = 0;
    virtual void setFieldEnabled(bool enabled) = 0;
};

// Returned by RadioChoiceValue when no standard item is selected.
inline constexpr double kNoRadioChoice = 9E299;

// Puts value into the field, then selects the first item whose listed value
// lies within tolerance (field disabled, true) or else the last item (field
// enabled, false).
bool SetRadioChoices(RadioChoiceGroup& group, RadioValueField& field, double value,
                     const std::vector<double>& values, double tolerance);

// The listed value of the selected item; kNoRadioChoice for the free-value
// item or when nothing is selected.
double RadioChoiceValue(const RadioChoiceGroup& group, const std::vector<double>& values);

} // namespace qeln
