// Everything the presentation of a run gives the windows, the listing and
// the report: the result table, the message lists, the listing blocks, the
// drawing and the result grid.
#pragma once

#include "messages.h"
#include "picture.h"

#include "calc/records.h"

#include <array>
#include <optional>
#include <string>

namespace qeln {

// The result grid of the result window as data: 8 rows x 6 columns of text.
struct ResultGrid {
    // empty strings by their own constructor; a "{}" initializer here crashes clang 14
    std::array<std::array<std::string, 6>, 8> cell;
    std::array<int, 6> columnWidth{64, 64, 64, 64, 64, 64};
    bool filled = false;
    // rows outside the field of application of the simplified method: shown
    // greyed, with the footnote under the grid
    std::array<bool, 8> greyed{};
    std::string footnote;
};

struct ColumnResults {
    UltimateLoadTable table;
    MessageList warnings;
    MessageList errors;
    bool hasWarnings = false;
    bool hasErrors = false;
    MessageList rebarLocationLines;
    MessageList memberDetailLines;
    MessageList resultsLines;
    MessageList componentsLines;
    Picture sectionPicture;
    std::optional<double> concreteVolume;
    ResultGrid grid;
};

} // namespace qeln
