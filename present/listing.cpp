// The rebar location, results and components sections of the calculation
// listing, and the result grid.
#include "listing.h"

#include "checktext.h"
#include "drawing.h"
#include "format.h"

#include "calc/numeric.h"

#include <cmath>
#include <utility>

namespace qeln {

void writeRebarLocation(const TextEnv& env, MessageList& out, const ColumnInput& in, const RebarLayout& rows,
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

void writeResults(const TextEnv& env, MessageList& out, const UltimateLoadTable& t, double e1, double e2,
                  const RowScope& scope)
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
    bool anyOutside = false;
    for (int row = 0; row < 5; ++row) {
        std::vector<FormatArg> args;
        if (row == 0)
            args.push_back(env.text(1087));
        for (int col = 0; col < 5; ++col)
            args.push_back(v(row, col));
        // a row outside the field of application: its marker, printed grey
        const bool outside = !scope[static_cast<std::size_t>(row)];
        std::string line = Printf(rowFmt[row], args, sep);
        if (outside)
            line.append(" ").append(kOutsideMarker);
        out.add(std::move(line), outside);
        anyOutside = anyOutside || outside;
    }
    if (anyOutside)
        out.add(outsideFootnote(env));
    out.add("");
}

void writeComponents(const TextEnv& env, MessageList& out, const ComponentMasses& m)
{
    const std::string& sep = env.decimalSeparator;
    out.add(Printf("%-40s", {env.text(1079)}, sep));
    out.add("----------------------------------------");
    out.add("");
    out.add(Printf("  %-40s : %8.2f kg/m", {env.text(1080), m.steel}, sep));
    out.add(Printf("  %-40s : %8.2f kg/m", {env.text(1081), m.concrete}, sep));
    out.add(Printf("  %-40s : %8.2f m3/m", {env.text(1082), m.volume}, sep));
    out.add(Printf("  %-40s", {env.text(1083)}, sep));
    out.add(Printf("  %-40s : %8.2f kg/m", {env.text(1084), m.rebars}, sep));
    out.add(Printf("  %-40s : %8.2f kg/m", {env.text(1085), m.total}, sep));
    out.add("");
}

void fillResultGrid(const TextEnv& env, ResultGrid& grid, const UltimateLoadTable& t, double e1, double e2,
                    const RowScope& scope)
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
        // a row outside the field of application: the marker after its label, greyed
        if (!scope[static_cast<std::size_t>(row)]) {
            line[0] += std::string(" ") + kOutsideMarker;
            grid.greyed[static_cast<std::size_t>(row + 3)] = true;
            grid.footnote = outsideFootnote(env);
        }
    }
    grid.filled = true;
}

namespace {

void detailLine(const TextEnv& env, MessageList& out, const char* fmt, int text, double v)
{
    out.add(Printf(fmt, {env.text(text), v}, env.decimalSeparator));
}

constexpr double kNmmPerKNm2 = 1e9;   // N*mm2 in one kNm2

constexpr const char* kAreaFmt = "  A   = %8.4g mm2      fy  = %8.4g N/mm2    I = %8.4g mm4";
constexpr const char* kStiffFmt = "  E*I = %8.4g N*mm2    psi*E*I = %8.4g N*mm2";

void writeComponent(const TextEnv& env, MessageList& out, int text, const env1994::ComponentPart& k, const char* areaFmt,
                    const char* stiffFmt)
{
    out.add("  " + env.text(text));
    out.add(Printf(areaFmt, {k.A, k.f, k.I}, env.decimalSeparator));
    out.add(Printf("  EY  = %8.4g N/mm2    Npl     = %8.4g kN", {k.E, k.Npl}, env.decimalSeparator));
    const double EI = k.E * k.I;
    out.add(Printf(stiffFmt, {EI, EI * k.phi}, env.decimalSeparator));
}

} // namespace

void writeMemberDetails(const TextEnv& env, MessageList& out, const env1994::MemberResult& m)
{
    if (m.call.loadCase == env1994::LoadCase::FireReference)
        return;
    const bool strong = m.axis == Axis::Strong;
    // appended piece by piece: a text put in front of a temporary string
    // (" " + s) makes GCC 12 at -O3 warn of overlapping copies (-Wrestrict)
    std::string head = env.text(m.call.loadCase == env1994::LoadCase::Service ? 1130 : 1131);
    if (m.call.loadCase != env1994::LoadCase::Service)
        head.append(" ").append(fireClassLabel(m.call.fireClass));
    head.append(strong ? "  " : " ").append(env.text(strong ? 1077 : 1076));
    out.add(head);
    detailLine(env, out, "  %-40s : %8.4g kN   ", 1132, m.nplR);
    detailLine(env, out, "  %-40s : %8.4g kN   ", 1150, m.nplRd);
    // at 20 °C the stiffness is the effective one of the code, (EI).eff; in fire
    // E.theta.I. In kNm2 like the kN and m of the block (the components below keep
    // E*I in N*mm2, the product of their E and I): the same digits, 1e9 smaller.
    detailLine(env, out, "  %-40s : %8.4g kNm2 ", env1994::atRoomTemperature(m.call.loadCase) ? 1970 : 1133,
               m.EIeff / kNmmPerKNm2);
    detailLine(env, out, "  %-40s : %8.4g m    ", 1134, m.call.L);
    detailLine(env, out, "  %-40s : %8.4g kN   ", 1135, m.nCr);
    detailLine(env, out, "  %-40s : %8.4g      ", 1136, m.lambda);
    if (!strong) {
        detailLine(env, out, "  %-40s : %8.4g      ", 1137, m.chi);
        detailLine(env, out, "  %-40s : %8.4g kN   ", 1138, m.nRd);
        writeComponent(env, out, 1139, m.flange, kAreaFmt, kStiffFmt);
        writeComponent(env, out, 1140, m.web, kAreaFmt, kStiffFmt);
    } else {
        if (env1994::atRoomTemperature(m.call.loadCase)) {
            detailLine(env, out, "  %-40s : %8.4g      ", 1137, m.chiB);
            detailLine(env, out, "  %-40s : %8.4g kN   ", 1138, m.nRd);
        } else {
            detailLine(env, out, "  %-40s : %8.4g      ", 1144, m.chiB);
            detailLine(env, out, "  %-40s : %8.4g kN   ", 1145, m.nRdB);
            detailLine(env, out, "  %-40s : %8.4g      ", 1146, m.chiC);
            detailLine(env, out, "  %-40s : %8.4g kN   ", 1147, m.nRdC);
        }
        writeComponent(env, out, 1139, m.flange, "  A   = %8.4g mm2      fy  = %8.4g N/mm2    I = %8.4g mm4 ",
                       kStiffFmt);
        writeComponent(env, out, 1140, m.web, kAreaFmt, "  E*I = %8.4g N*mm2   psi*E*I = %8.4g N*mm2");
    }
    writeComponent(env, out, 1141, m.rebars, kAreaFmt, kStiffFmt);
    writeComponent(env, out, 1142, m.concrete, kAreaFmt, kStiffFmt);
    out.add(" ");
}

void writeMemberErrors(const TextEnv& env, MessageList& errors, const std::vector<Finding>& findings)
{
    const std::string& sep = env.decimalSeparator;
    for (const Finding& f : findings) {
        const double v = f.values.empty() ? 0.0 : f.values[0];
        switch (f.code) {
        case FindingCode::SlendernessWeak:
        case FindingCode::SlendernessStrong:
            errors.add(env.text(static_cast<int>(f.code)));
            errors.add(env.text(1121) + formatFixed(v, 2, sep));
            errors.add(withDecimalSeparator(env.text(1122), sep));
            errors.add(f.code == FindingCode::SlendernessWeak ? "" : " ");
            break;
        case FindingCode::SteelRatioLow:
            errors.add(env.text(1123));
            errors.add(env.text(1124) + formatFixed(v, 4, sep));
            errors.add(withDecimalSeparator(env.text(1125), sep));
            errors.add("");
            break;
        case FindingCode::SteelRatioHigh:
            errors.add(env.text(1126));
            errors.add(env.text(1124) + formatFixed(v, 2, sep));
            errors.add(withDecimalSeparator(env.text(1127), sep));
            errors.add("");
            break;
        default:
            break;
        }
    }
}

std::string runMessage(const TextEnv& env, const Finding& f)
{
    switch (f.code) {
    case FindingCode::BendingFailure: return "error in bending";
    case FindingCode::AxisDistanceBelowAnnexF: return env.text(1073);
    default: return env.text(static_cast<int>(f.code));
    }
}

void writeDesign(const TextEnv& env, const ColumnInput& in, const DesignOutcome& run, const RowScope& scope,
                 ColumnResults& res)
{
    bool barsNoticed = false;   // the method says it per fire class: the listing once
    for (const Finding& f : run.messages) {
        env.message(runMessage(env, f));
        if (f.code == FindingCode::AxisDistanceBelowAnnexF && !barsNoticed) {
            barsNoticed = true;
            // not in a message box only: the listing, the report and JSON keep it
            res.warnings.add(withArguments(env.text(1758), {formatGeneral(f.values.empty() ? 0 : f.values[0], 4,
                                                                          env.decimalSeparator)}));
            res.warnings.add(" ");
            res.hasWarnings = true;
        }
    }
    if (run.rows)
        writeRebarLocation(env, res.rebarLocationLines, in, *run.rows, run.UC2);
    if (run.rows) {
        // the section as the service run laid out its bars; a section that
        // cannot be drawn leaves the picture empty and says so, the numbers stay
        try {
            res.sectionPicture = labelled(env, figureOf(sectionDrawingOf(in, *run.rows, run.dService)));
        } catch (const DrawingError& e) {
            res.warnings.add(env.text(1550));
            res.warnings.add(env.text(1197) + " " + e.what());
            res.warnings.add(" ");
            res.hasWarnings = true;
        }
    }
    if (const env1994::Details* det = std::get_if<env1994::Details>(&run.details)) {
        for (const env1994::MemberResult& m : det->members) {
            if (!m.findings.empty()) {
                writeMemberErrors(env, res.errors, m.findings);
                res.hasErrors = res.hasErrors || anyError(m.findings);
            }
            if (m.complete)
                writeMemberDetails(env, res.memberDetailLines, m);
        }
    } else if (const en1994::Outcome* o = std::get_if<en1994::Outcome>(&run.details)) {
        writeEnDetails(env, res.memberDetailLines, *o);
    }
    res.table = run.table;
    res.concreteVolume = run.concreteVolume;
    if (run.tableComplete)
        writeResults(env, res.resultsLines, res.table, run.e1, run.e2, scope);
    if (run.masses) {
        writeComponents(env, res.componentsLines, *run.masses);
        fillResultGrid(env, res.grid, res.table, run.e1, run.e2, scope);
    }
}

} // namespace qeln
