#include "failure.h"

namespace qeln {

std::string Failure::describe() const
{
    std::string s = file;
    const auto part = [&s](const std::string& p) {
        if (!s.empty())
            s += ", ";
        s += p;
    };
    if (line > 0)
        part("line " + std::to_string(line));
    else if (row >= 0)
        part("row " + std::to_string(row + 1));
    if (!field.empty()) {
        std::string f = "field \"";
        f += field;
        f += '"';
        part(f);
    }
    if (s.empty())
        return detail;
    if (!detail.empty()) {
        s += ": ";
        s += detail;
    }
    return s;
}

} // namespace qeln
