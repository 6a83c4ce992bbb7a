#include "radio.h"

#include <cmath>

namespace qeln {

namespace {
void checkCount(const RadioChoiceGroup& group, const std::vector<double>& values)
{
    if (group.itemCount() < 1 || static_cast<std::size_t>(group.itemCount() - 1) != values.size())
        throw ENumberofArgumentsInvalid();
}
} // namespace

bool SetRadioChoices(RadioChoiceGroup& group, RadioValueField& field, double value,
                     const std::vector<double>& values, double tolerance)
{
    checkCount(group, values);
    field.setFieldValue(value);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (std::fabs(value - values[i]) <= tolerance) {
            group.setItemIndex(static_cast<int>(i));
            field.setFieldEnabled(false);
            return true;
        }
    }
    group.setItemIndex(group.itemCount() - 1);
    field.setFieldEnabled(true);
    return false;
}

double RadioChoiceValue(const RadioChoiceGroup& group, const std::vector<double>& values)
{
    checkCount(group, values);
    const int i = group.itemIndex();
    if (i >= 0 && static_cast<std::size_t>(i) < values.size())
        return values[static_cast<std::size_t>(i)];
    return kNoRadioChoice;
}

} // namespace qeln
