// The list of recently opened projects shown in the File menu: most recent
// first, each path once, at most kMax entries. Kept in the settings file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qeln {

class RecentFiles {
public:
    static constexpr std::size_t kMax = 8;

    RecentFiles() = default;
    // Empty paths and repeats are dropped, the rest cut to kMax.
    explicit RecentFiles(const std::vector<std::string>& paths);

    // An opened or saved project goes to the front; an older entry of the same path goes.
    void add(const std::string& path);
    // A project that can no longer be opened leaves the list.
    void remove(const std::string& path);

    const std::vector<std::string>& paths() const { return paths_; }
    bool empty() const { return paths_.empty(); }
    bool operator==(const RecentFiles&) const = default;

private:
    std::vector<std::string> paths_;
};

// The menu entry of the n-th project (n from 1): "&n " and the path, with
// every '&' of the path doubled so that it shows as itself; entries past the
// ninth have no accelerator.
std::string recentMenuText(std::size_t n, const std::string& path);

} // namespace qeln
