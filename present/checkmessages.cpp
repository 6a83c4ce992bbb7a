// The messages of the input checks, in the chosen language and decimal
// separator: the lines of each finding, then its separator line.
#include "checkmessages.h"

#include "checktext.h"
#include "format.h"

#include "calc/designcheck.h"

#include <algorithm>
#include <array>

namespace qeln {

namespace {

std::array<bool, 4> classFlags(const std::vector<double>& values)
{
    std::array<bool, 4> out{};
    for (std::size_t i = 0; i < out.size() && i < values.size(); ++i)
        out[i] = values[i] != 0;
    return out;
}

// One line naming a value outside its meaning.
std::string outOfMeaningLine(const TextEnv& env, FindingCode code, int k, double v)
{
    auto T = [&](int id) { return env.text(id); };
    const std::string value = formatFixed(v, 2, env.decimalSeparator);
    switch (code) {
    case FindingCode::FactorsNotPositive: return "  " + T(276 + k % 3) + ", " + T(k < 3 ? 273 : 274) + " = " + value;
    case FindingCode::AxisDistancesNotPositive: return std::string(k == 0 ? "  UC1 = " : "  UF1 = ") + value + " mm";
    case FindingCode::BucklingLengthsNotPositive:
        return "  " + T(k % 2 ? 179 : 178) + ", " + T(k < 2 ? 177 : 274) + " = " + value + " m";
    default: return "  " + T(195) + " = " + value + " %";
    }
}

} // namespace

std::string bucklingLengthClassList(const std::array<bool, 4>& outside)
{
    std::string s;
    if (outside[0])
        s += "R30 ";
    if (outside[1])
        s += "R60 ";
    if (outside[2] || outside[3])
        s += "R90 R120 ";
    return s;
}

namespace {

// The ENV checks that stay under EN 1994 cite the EN's clauses: the same
// message with its EN clause (the field of application of Annex G).
int textOfCode(int id, DesignCode code)
{
    if (code != DesignCode::EN1994)
        return id;
    switch (id) {
    case 1025: return 1745;
    case 1026: return 1746;
    case 1029: return 1747;
    case 1031: return 1748;
    case 1035: return 1749;
    case 1043: return 1750;
    default: return id;
    }
}

} // namespace

void writeCheckMessages(const TextEnv& env, const std::vector<Finding>& findings, ColumnResults& res, DesignCode code)
{
    auto T = [&](int id) { return env.text(textOfCode(id, code)); };
    auto fmt2 = [&](double v) { return formatFixed(v, 2, env.decimalSeparator); };
    for (const Finding& f : findings) {
        const bool error = f.severity == Severity::Error;
        MessageList& out = error ? res.errors : res.warnings;
        (error ? res.hasErrors : res.hasWarnings) = true;
        auto value = [&](std::size_t i) { return i < f.values.size() ? f.values[i] : 0.0; };
        const char* separator = " ";
        switch (f.code) {
        case FindingCode::RatioLow:
        case FindingCode::RatioHigh:
            out.add(T(static_cast<int>(f.code)) + fmt2(value(0)) + " %");
            out.add(T(1035));
            break;
        case FindingCode::RatioReducedDiameter:
            out.add(T(1036) + fmt2(value(0)) + " %");
            out.add(withDecimalSeparator(T(1037), env.decimalSeparator));
            out.add(T(1038));
            out.add(T(1039) + fmt2(value(1)) + " mm");
            break;
        case FindingCode::FlangeSlenderness:
            out.add(T(1128));
            out.add(T(1129) + fmt2(value(0)) + " > " + fmt2(value(1)));
            separator = "";
            break;
        case FindingCode::FireBucklingLength:
            out.add(T(1042) + " " + bucklingLengthClassList(classFlags(f.values)) + " ");
            out.add(T(1043));
            break;
        case FindingCode::EccentricityWeak:
        case FindingCode::EccentricityStrong:
            out.add(T(static_cast<int>(f.code)));
            out.add(T(1045) + fmt2(value(0)) + " mm !");
            break;
        case FindingCode::FactorsNotPositive:
        case FindingCode::AxisDistancesNotPositive:
        case FindingCode::BucklingLengthsNotPositive:
        case FindingCode::PermanentLoadOutside:
            out.add(T(static_cast<int>(f.code)));
            for (std::size_t i = 0; i + 1 < f.values.size(); i += 2)
                out.add(outOfMeaningLine(env, f.code, static_cast<int>(f.values[i]), f.values[i + 1]));
            break;
        case FindingCode::RebarHeight:
        case FindingCode::RebarWidth:
        case FindingCode::YieldPointRange:
        case FindingCode::ConcreteStrengthRange:
        case FindingCode::RebarStrengthRange:
        case FindingCode::SteelGradeUnknown:
        case FindingCode::YieldPointNotReduced:
        case FindingCode::YieldPointNotReducedMovrix:
            out.add(T(static_cast<int>(f.code)));
            separator = "";
            break;
        case FindingCode::EnCreepCoefficientRange:
        case FindingCode::EnEndMomentRatioWeakRange:
        case FindingCode::EnEndMomentRatioStrongRange:
        case FindingCode::EnSteelGradeAboveS460:
        case FindingCode::EnConcreteStrengthRange:
        case FindingCode::EnSteelContributionRange:
        case FindingCode::EnSlendernessWeak:
        case FindingCode::EnSlendernessStrong:
        case FindingCode::EnDepthToWidthRange:
        case FindingCode::EnCreepNotConsidered: {
            // the EN method's own checks: the value, then its limits
            std::vector<std::string> args;
            for (double v : f.values)
                args.push_back(formatGeneral(v, 4, env.decimalSeparator));
            out.add(withArguments(T(static_cast<int>(f.code)), args));
            break;
        }
        case FindingCode::BucklingLengthBelowHalfMember:
        case FindingCode::FireBucklingLengthBelowMember:
        case FindingCode::AggregateSizeRange:
        case FindingCode::BarSpacingBelowMinimum: {
            std::vector<std::string> args;
            for (double v : f.values)
                args.push_back(formatGeneral(v, 4, env.decimalSeparator));
            out.add(withArguments(T(static_cast<int>(f.code)), args));
            break;
        }
        case FindingCode::FireAboveNormalTemperature: {
            // the cells: "R 30 axial weak axis, ..." (columns as the result table names them)
            std::string cells;
            for (std::size_t i = 0; i + 1 < f.values.size(); i += 2) {
                const int row = static_cast<int>(f.values[i]), col = static_cast<int>(f.values[i + 1]);
                if (!cells.empty())
                    cells += ", ";
                cells += fireClassLabel(kFireClasses[static_cast<std::size_t>(std::clamp(row - 1, 0, 3))]);
                cells += ' ';
                cells += tableColumnText(env, col);
            }
            out.add(withArguments(T(1704), {cells}));
            break;
        }
        default:
            out.add(T(static_cast<int>(f.code)));
            break;
        }
        out.add(separator);
    }
}

} // namespace qeln
