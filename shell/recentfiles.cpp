#include "recentfiles.h"

#include <algorithm>

namespace qeln {

RecentFiles::RecentFiles(const std::vector<std::string>& paths)
{
    for (const std::string& p : paths)
        if (!p.empty() && paths_.size() < kMax && std::find(paths_.begin(), paths_.end(), p) == paths_.end())
            paths_.push_back(p);
}

void RecentFiles::add(const std::string& path)
{
    if (path.empty())
        return;
    remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMax)
        paths_.resize(kMax);
}

void RecentFiles::remove(const std::string& path)
{
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

std::string recentMenuText(std::size_t n, const std::string& path)
{
    // appended, not "&" + temporary: GCC 12 at -O3 warns of overlapping copies (-Wrestrict)
    std::string out = n >= 1 && n <= 9 ? "&" : "";
    out.append(std::to_string(n)).append(" ");
    for (char c : path) {
        if (c == '&')
            out += '&';
        out += c;
    }
    return out;
}

} // namespace qeln
