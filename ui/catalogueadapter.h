// The profile browser's view of the open catalogue table (PROFKVL2.DBF).
#pragma once

#include "catalogue/profiles.h"
#include "profiletable.h"

namespace qeln::ui {

class CatalogueTable : public ProfileTable {
public:
    explicit CatalogueTable(ProfileCatalogue catalogue);
    // Opens "PROFKVL2.DBF" and writes its index "profkvl2.ntx" in the folder;
    // nullptr with the reason in error when it cannot.
    static std::unique_ptr<ProfileTable> open(const std::string& folder, std::string& error);

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

    ProfileCatalogue& catalogue() { return cat_; }

private:
    void refresh() { visible_ = cat_.visibleRecords(); }
    ProfileCatalogue cat_;
    std::vector<int> visible_;
};

} // namespace qeln::ui
