// The messages of the input checks, in the chosen language and decimal
// separator: the lines of each finding, then its separator line.
#include "checks.h"

#include "calc/format.h"

namespace qeln {

namespace {

std::string fireClasses(const std::vector<double>& classes)
{
    std::string s;
    for (double c : classes)
        s += c == 90 ? "R90 R120 " : "R" + std::to_string(static_cast<int>(c)) + " ";
    return s;
}

} // namespace

void writeCheckMessages(const TextEnv& env, const std::vector<Finding>& findings, ColumnResults& res)
{
    auto T = [&](int id) { return env.text(id); };
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
            out.add(T(1037));
            out.add(T(1038));
            out.add(T(1039) + fmt2(value(1)) + " mm");
            break;
        case FindingCode::FlangeSlenderness:
            out.add(T(1128));
            out.add(T(1129) + fmt2(value(0)) + " > " + fmt2(value(1)));
            separator = "";
            break;
        case FindingCode::FireBucklingLength:
            out.add(T(1042) + " " + fireClasses(f.values) + " ");
            out.add(T(1043));
            break;
        case FindingCode::EccentricityWeak:
        case FindingCode::EccentricityStrong:
            out.add(T(static_cast<int>(f.code)));
            out.add(T(1045) + fmt2(value(0)) + " mm !");
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
        default:
            out.add(T(static_cast<int>(f.code)));
            break;
        }
        out.add(separator);
    }
}

} // namespace qeln
