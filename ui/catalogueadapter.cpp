#include "catalogueadapter.h"

#include <algorithm>

namespace qeln::ui {

namespace {
ProfileRow toRow(const SteelProfile& p) { return {p.profileName, p.h, p.b, p.tw, p.tf, p.r, p.movrix, p.did}; }
SteelProfile toProfile(const ProfileRow& r) { return {r.profil, r.h, r.b, r.s, r.t, r.r, r.movrix, r.did}; }
} // namespace

CatalogueTable::CatalogueTable(ProfileCatalogue catalogue) : cat_(std::move(catalogue))
{
    cat_.first();
    refresh();
}

std::unique_ptr<ProfileTable> CatalogueTable::open(const std::string& folder, std::string& error)
{
    const std::string dir = folder.empty() ? std::string() : folder + "/";
    try {
        return std::make_unique<CatalogueTable>(
            ProfileCatalogue::open(dir + kProfileTableFile, dir + kProfileIndexFile));
    } catch (const std::exception& e) {
        error = e.what();
        return nullptr;
    }
}

std::vector<ProfileRow> CatalogueTable::allRows() const
{
    std::vector<ProfileRow> out;
    for (const int rec : cat_.order())
        if (!cat_.isDeleted(rec))
            out.push_back(toRow(cat_.row(rec)));
    return out;
}

ProfileRow CatalogueTable::visibleRow(int index) const
{
    return toRow(cat_.row(visible_.at(static_cast<std::size_t>(index))));
}

int CatalogueTable::currentIndex() const
{
    const auto rec = cat_.currentRecord();
    if (!rec)
        return -1;
    const auto it = std::find(visible_.begin(), visible_.end(), *rec);
    return it == visible_.end() ? -1 : int(it - visible_.begin());
}

void CatalogueTable::setCurrentIndex(int index)
{
    if (index >= 0 && index < int(visible_.size()))
        cat_.goTo(visible_[static_cast<std::size_t>(index)]);
}

void CatalogueTable::setFilter(const std::string& prefix)
{
    const auto before = cat_.currentRecord();
    cat_.setFilter(prefix);
    refresh();
    // setting a filter does not move the row while it stays visible
    if (before && std::find(visible_.begin(), visible_.end(), *before) != visible_.end())
        cat_.goTo(*before);
}

void CatalogueTable::clearFilter()
{
    cat_.filterloeschen();
    refresh();
}

bool CatalogueTable::updateCurrent(const ProfileRow& row)
{
    const auto rec = cat_.currentRecord();
    if (!rec)
        return false;
    try {
        cat_.updateRow(*rec, toProfile(row));
    } catch (const std::exception&) {
        return false;
    }
    refresh();
    return true;
}

bool CatalogueTable::append(const ProfileRow& row)
{
    try {
        cat_.appendRow(toProfile(row));
    } catch (const std::exception&) {
        return false;
    }
    refresh();
    return true;
}

bool CatalogueTable::deleteCurrentAndPack()
{
    std::string error;
    bool ok = false;
    try {
        ok = cat_.deleteCurrent(error);
    } catch (const std::exception&) {
        ok = false;
    }
    refresh();
    return ok;
}

} // namespace qeln::ui
