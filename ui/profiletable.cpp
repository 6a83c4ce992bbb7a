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

std::vector<ProfileRow> MemoryProfileTable::allRows() const
{
    std::vector<ProfileRow> out;
    for (int i : order_)
        out.push_back(rows_.at(static_cast<std::size_t>(i)));
    return out;
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

} // namespace qeln::ui
