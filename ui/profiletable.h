// What the profile browser and the main window need of the open profile
// catalogue table: rows in the current order, a name-prefix filter, a current
// row, and the editing operations of the hidden panel.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace qeln::ui {

struct ProfileRow {
    std::string profil;   // PROFIL
    double h = 0, b = 0, s = 0, t = 0, r = 0;
    bool movrix = false;
    double did = 0;       // display order
    bool operator==(const ProfileRow&) const = default;
};

class ProfileTable {
public:
    virtual ~ProfileTable() = default;
    // Rows visible under the current filter, in the current order.
    virtual int visibleCount() const = 0;
    // Every row in display order, whatever the filter (the section search).
    virtual std::vector<ProfileRow> allRows() const = 0;
    virtual ProfileRow visibleRow(int index) const = 0;
    // The current row among the visible ones; -1 when there is none.
    virtual int currentIndex() const = 0;
    virtual void setCurrentIndex(int index) = 0;
    // Rows whose PROFIL begins with prefix (non-exact comparison); the current
    // row stays when it is still visible, else the first visible row.
    virtual void setFilter(const std::string& prefix) = 0;
    virtual void clearFilter() = 0;
    // Editing: the current row changes in place; append makes the new row current.
    virtual bool updateCurrent(const ProfileRow& row) = 0;
    virtual bool append(const ProfileRow& row) = 0;
    // Deletes the current row and packs the file; the rows are then in stored order.
    virtual bool deleteCurrentAndPack() = 0;
};

// A table held in memory (display order by DID, stable).
class MemoryProfileTable : public ProfileTable {
public:
    explicit MemoryProfileTable(std::vector<ProfileRow> rows);
    int visibleCount() const override { return int(visible_.size()); }
    std::vector<ProfileRow> allRows() const override;
    ProfileRow visibleRow(int index) const override;
    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    void setFilter(const std::string& prefix) override;
    void clearFilter() override;
    bool updateCurrent(const ProfileRow& row) override;
    bool append(const ProfileRow& row) override;
    bool deleteCurrentAndPack() override;
    const std::vector<ProfileRow>& rows() const { return rows_; }

private:
    void rebuild();
    std::vector<ProfileRow> rows_;
    std::vector<int> order_;     // indexes into rows_ in display order
    std::vector<int> visible_;   // indexes into rows_
    std::string filter_;
    bool filtered_ = false;
    int current_ = -1;           // index into rows_
};

// Finds the row whose PROFIL equals name exactly: clears the filter and goes
// through the rows in order. True with the table standing on that row.
bool findProfile(ProfileTable& table, const std::string& name);

} // namespace qeln::ui
