#include "profiletable.h"

#include <algorithm>
#include <numeric>

namespace qeln::ui {

MemoryProfileTable::MemoryProfileTable(std::vector<ProfileRow> rows) : rows_(std::move(rows))
{
    order_.resize(rows_.size());
    std::iota(order_.begin(), order_.end(), 0);
    std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) {
        return rows_[static_cast<std::size_t>(a)].did < rows_[static_cast<std::size_t>(b)].did;
    });
    rebuild();
    current_ = visible_.empty() ? -1 : visible_.front();
}

void MemoryProfileTable::rebuild()
{
    visible_.clear();
    for (int i : order_) {
        const std::string& p = rows_[static_cast<std::size_t>(i)].profil;
        if (!filtered_ || p.compare(0, filter_.size(), filter_) == 0)
            visible_.push_back(i);
    }
    if (std::find(visible_.begin(), visible_.end(), current_) == visible_.end())
        current_ = visible_.empty() ? -1 : visible_.front();
}

ProfileRow MemoryProfileTable::visibleRow(int index) const
{
    return rows_.at(static_cast<std::size_t>(visible_.at(static_cast<std::size_t>(index))));
}

int MemoryProfileTable::currentIndex() const
{
    const auto it = std::find(visible_.begin(), visible_.end(), current_);
    return it == visible_.end() ? -1 : int(it - visible_.begin());
}

void MemoryProfileTable::setCurrentIndex(int index)
{
    if (index >= 0 && index < int(visible_.size()))
        current_ = visible_[static_cast<std::size_t>(index)];
}

void MemoryProfileTable::setFilter(const std::string& prefix)
{
    filter_ = prefix;
    filtered_ = true;
    rebuild();
}

void MemoryProfileTable::clearFilter()
{
    filtered_ = false;
    rebuild();
}

bool MemoryProfileTable::updateCurrent(const ProfileRow& row)
{
    if (current_ < 0)
        return false;
    rows_[static_cast<std::size_t>(current_)] = row;
    return true;
}

bool MemoryProfileTable::append(const ProfileRow& row)
{
    rows_.push_back(row);
    order_.push_back(int(rows_.size()) - 1);
    current_ = int(rows_.size()) - 1;
    rebuild();
    return true;
}

bool MemoryProfileTable::deleteCurrentAndPack()
{
    if (current_ < 0)
        return false;
    rows_.erase(rows_.begin() + current_);
    order_.resize(rows_.size());
    std::iota(order_.begin(), order_.end(), 0);   // stored order after the pack
    current_ = rows_.empty() ? -1 : std::min(current_, int(rows_.size()) - 1);
    rebuild();
    return true;
}

bool findProfile(ProfileTable& table, const std::string& name)
{
    table.clearFilter();
    for (int i = 0; i < table.visibleCount(); ++i) {
        if (table.visibleRow(i).profil == name) {
            table.setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

std::vector<ProfileRow> sampleProfiles()
{
    // name, h, b, s, t, r, MOVRIX, DID
    return {
        {"IPE 300", 300, 150, 7.1, 10.7, 15, false, 10},
        {"IPE 400", 400, 180, 8.6, 13.5, 21, false, 11},
        {"HE 200 A", 190, 200, 6.5, 10, 18, true, 20},
        {"HE 300 A", 290, 300, 8.5, 14, 27, true, 21},
        {"HE 320 A", 310, 300, 9, 15.5, 27, true, 22},
        {"HE 300 B", 300, 300, 11, 19, 27, true, 30},
        {"HE 320 B", 320, 300, 11.5, 20.5, 27, true, 31},
        {"HE 400 B", 400, 300, 13.5, 24, 27, true, 32},
        {"HE 300 M", 340, 310, 21, 39, 27, false, 40},
        {"HL 920 X 342", 912, 418, 19.3, 32, 24, false, 50},
        {"HD 400 X 187", 368, 391, 15, 24, 15, true, 60},
        {"HP 305 X 110", 308, 310.7, 15.4, 15.4, 15.2, false, 70},
        {"W 360 X 410 X 196", 372, 374, 16.4, 26.2, 15, false, 80},
    };
}

} // namespace qeln::ui
