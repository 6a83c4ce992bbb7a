// Cells of the command line's text tables.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace qeln::cli {

// The value with a fixed number of decimals, "-" when there is none.
inline std::string fixed(const std::optional<double>& v, int decimals)
{
    if (!v)
        return "-";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, *v);
    return buf;
}

// The value as printf's %g writes it (12, 2.5, 0.001).
inline std::string shortNumber(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

} // namespace qeln::cli
