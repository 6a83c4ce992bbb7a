// The rebar location, results and components sections of the calculation
// listing, and the result grid.
#include "listing.h"

#include "format.h"
#include "numeric.h"

#include <cmath>

namespace qeln {

void writeRebarLocation(const CalcEnv& env, MessageList& out, const ColumnInput& in, const RebarLayout& rows,
                        double UC2)
{
    const std::string& sep = env.decimalSeparator;
    auto count = [&](const char* fmt, int n) { out.add(Printf(fmt, {static_cast<long long>(n)}, sep)); };
    auto dist = [&](const char* fmt, double v) { out.add(Printf(fmt, {v}, sep)); };
    const int AN1 = rows.count[0], AN2 = rows.count[1], AN3 = rows.count[2], AN4 = rows.count[3];
    const double UF2 = rows.z[1], UF3 = rows.z[2], UF4 = rows.z[3];

    out.add(env.text(1072));
    count("  AN1: %8d", AN1);
    dist("  UC1: %8.2f mm", in.uc1);
    dist("  UF1: %8.2f mm", in.uf1);

    const int n1 = in.n1, n2 = in.n2;
    if (in.h <= 400) {
        if (n1 == 8 && n2 == 0) {
            count("  AN2: %8d", AN2);
            dist("  UF2: %8.2f mm", UF2);
        } else if (n1 == 4 && n2 == 4) {
            dist("  UC2: %8.2f mm", UC2);
        } else if (n1 == 8 && n2 == 4) {
            count("  AN2: %8d", AN2);
            dist("  UC2: %8.2f mm", UC2);
            dist("  UF2: %8.2f mm", UF2);
        }
    } else {
        if (n1 == 8 && n2 == 0) {
            count("  AN2: %8d", AN2);
            dist("  UF2: %8.2f mm", UF2);
        } else if (n1 == 12 && n2 == 0) {
            count("  AN2: %8d", AN2);
            dist("  UF2: %8.2f mm", UF2);
            count("  AN4: %8d", AN3);
            dist("  UF4: %8.2f mm", UF4);
        } else if (n1 == 16 && n2 == 0) {
            count("  AN2: %8d  ", AN2);
            dist("  UF2: %8.2f mm", UF2);
            count("  AN3: %8d  ", AN3);
            dist("  UF3: %8.2f mm  ", UF3);
            count("  AN4: %8d  ", AN4);
            dist("  UF4: %8.2f mm  ", UF4);
        } else if (n1 == 4 && n2 == 4) {
            dist("  UC2: %8.2f mm  ", UC2);
        } else if (n1 == 8 && n2 == 4) {
            dist("  UC2: %8.2f mm  ", UC2);
            count("  AN4: %8d  ", AN2);
            dist("  UF2: %8.2f mm  ", UF4);
        } else if (n1 == 12 && n2 == 4) {
            dist("  UC2: %8.2f mm  ", UC2);
            count("  AN2: %8d  ", AN2);
            dist("  UF2: %8.2f mm  ", UF2);
            count("  AN4: %8d  ", AN3);
            dist("  UF4: %8.2f mm  ", UF4);
        } else if (n1 == 16 && n2 == 4) {
            dist("  UC2:  %8.2f mm ", UC2);
            count("  AN2:  %8d ", AN2);
            dist("  UF2:  %8.2f mm ", UF2);
            count("  AN3:  %8d ", AN3);
            dist("  UF3:  %8.2f mm ", UF3);
            count("  AN4:  %8d ", AN4);
            dist("  UF4:  %8.2f mm ", UF4);
        }
    }
    out.add(" ");
}

void writeResults(const CalcEnv& env, MessageList& out, const UltimateLoadTable& t, double e1, double e2)
{
    const std::string& sep = env.decimalSeparator;
    auto v = [&](int row, int col) { return t.at(row, col).value_or(0.0); };
    out.add(env.text(208));
    out.add("----------------------------------------");
    out.add("");
    out.add(Printf("                               %-15s             %-15s", {env.text(1074), env.text(1075)}, sep));
    out.add(Printf("                     %-12s %-12s %-12s %-12s %-12s",
                   {env.text(1076), env.text(1077), env.text(1076), env.text(1077), env.text(1078)}, sep));
    out.add(Printf("%-16s        %-10s             %6.0f mm    %6.0f mm %10s",
                   {env.text(1086), std::string(), std::fabs(e1), std::fabs(e2), std::string()}, sep));
    const char* rowFmt[5] = {
        "%-17s: %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN",
        "R 30             : %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN",
        "R 60             : %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN",
        "R 90             : %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN",
        "R 120            : %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN  %8.0f kN",
    };
    for (int row = 0; row < 5; ++row) {
        std::vector<FormatArg> args;
        if (row == 0)
            args.push_back(env.text(1087));
        for (int col = 0; col < 5; ++col)
            args.push_back(v(row, col));
        out.add(Printf(rowFmt[row], args, sep));
    }
    out.add("");
}

double writeComponents(const CalcEnv& env, MessageList& out, const ColumnInput& in)
{
    const std::string& sep = env.decimalSeparator;
    const double pi = 3.141592653589;
    const double Aa = (in.h - 2 * in.tf) * in.tw + 0.8584 * in.r * in.r + 2 * in.b * in.tf;
    const double As = (in.n1 + in.n2) * pi * in.d * in.d * 0.25;
    const double Ac = (in.h - 2 * in.tf) * (in.b - in.tw) - As - 0.8584 * in.r * in.r;
    const double steel = 0.00785 * Aa;
    const double concrete = 0.0024 * Ac;
    const double rebars = 0.00785 * As;
    const double volume = 0.000001 * Ac;
    const double total = checkedFinite(steel + concrete + rebars);
    checkedFinite(volume);

    out.add(Printf("%-40s", {env.text(1079)}, sep));
    out.add("----------------------------------------");
    out.add("");
    out.add(Printf("  %-40s : %8.2f kg/m", {env.text(1080), steel}, sep));
    out.add(Printf("  %-40s : %8.2f kg/m", {env.text(1081), concrete}, sep));
    out.add(Printf("  %-40s : %8.2f m3/m", {env.text(1082), volume}, sep));
    out.add(Printf("  %-40s", {env.text(1083)}, sep));
    out.add(Printf("  %-40s : %8.2f kg/m", {env.text(1084), rebars}, sep));
    out.add(Printf("  %-40s : %8.2f kg/m", {env.text(1085), total}, sep));
    out.add("");
    return volume;
}

void fillResultGrid(const CalcEnv& env, ResultGrid& grid, const UltimateLoadTable& t, double e1, double e2)
{
    const std::string& sep = env.decimalSeparator;
    grid.columnWidth = {160, 80, 80, 80, 80, 80};
    grid.cell[0] = {"", env.text(1074), env.text(1074), env.text(1075), env.text(1075), env.text(1075)};
    grid.cell[1] = {"", env.text(1076), env.text(1077), env.text(1076), env.text(1077), env.text(1078)};
    grid.cell[2] = {env.text(1086), "", "", formatFixed(std::fabs(e1), 2, sep), formatFixed(std::fabs(e2), 2, sep), ""};
    const char* labels[5] = {nullptr, "R 30", "R 60", "R 90", "R 120"};
    for (int row = 0; row < 5; ++row) {
        auto& line = grid.cell[static_cast<std::size_t>(row + 3)];
        line[0] = row == 0 ? env.text(1087) : labels[row];
        for (int col = 0; col < 5; ++col) {
            const auto v = t.at(row, col);
            line[static_cast<std::size_t>(col + 1)] = v ? formatFixed(*v, 0, sep) : std::string();
        }
    }
    grid.filled = true;
}

} // namespace qeln
