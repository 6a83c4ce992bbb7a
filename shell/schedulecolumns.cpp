// The schedule's result columns (see schedulecolumns.h) and the results CSV.
#include "schedulecolumns.h"

#include "language.h"
#include "scheduleedit.h"

#include "present/checktext.h"
#include "present/format.h"
#include "present/texts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace qeln {

namespace {

const char* const kDash = "\xE2\x80\x94";

std::string text(int id, Language language) { return LoadText(id, language, nullptr); }

ResultCell words(std::string t) { return ResultCell{true, std::move(t), std::nullopt}; }
ResultCell value(std::optional<double> v) { return ResultCell{false, {}, v}; }
ResultCell none() { return ResultCell{}; }

// The workbook leaves the cells of a row whose input was not taken empty texts.
bool noInputInSheet(const ScheduleRowResult& r, ResultReader reader)
{
    return !r.inputOk && reader == ResultReader::sheet;
}

// A section value as run: none without an input.
ResultCell sectionValue(const ScheduleRowResult& r, ResultReader reader, double v)
{
    if (noInputInSheet(r, reader))
        return words("");
    return r.inputOk ? value(v) : none();
}

// A result of the run; the window and the report show only those of a valid run.
ResultCell runValue(const ScheduleRowResult& r, ResultReader reader, const std::optional<double>& v)
{
    if (noInputInSheet(r, reader))
        return words("");
    if (reader == ResultReader::shown && !r.valid)
        return none();
    return value(v);
}

// A mass per metre: only of a valid run.
ResultCell massValue(const ScheduleRowResult& r, ResultReader reader, double v)
{
    if (noInputInSheet(r, reader))
        return words("");
    return r.valid ? value(v) : none();
}

std::string yesNo(bool b) { return b ? "yes" : "no"; }

std::string shortNumber(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

using R = ResultReader;
using F = ResultFormat;
using C = ResultColumn;
using Row = const ScheduleRowResult&;

constexpr ScheduleResultColumn kColumns[] = {
    {C::position, F::freeText, "name", 1373, 1331, "", 0, 0, "position", "", -16, 0,
     [](Row r, R, Language) { return words(r.name); }},
    {C::searched, F::text, "searched", 0, 1344, "", 0, 0, "", "", 0, 0,
     [](Row r, R reader, Language lang) {
         if (!r.searched)
             return words("");
         if (reader == R::sheet)
             return words(r.searchFound ? "x" : text(1345, lang));
         return words(r.searchFound ? "yes" : "none found");
     }},
    {C::profile, F::freeText, "usedProfileName", 0, 1332, "", 0, 0, "profile", "", -18, 2,
     [](Row r, R reader, Language lang) {
         if (!r.inputOk)
             return words(reader == R::sheet ? text(1350, lang) + ": " + r.failure.describe() : "");
         std::string p = r.profileName;
         if (reader == R::listing && r.searched && !r.searchFound)
             p += r.searchProblem.empty() ? " (no better)" : " (no search)";
         return words(std::move(p));
     }},
    {C::d, F::number, "usedD", 0, 0, "d [mm]", 1, -1, "", "", 0, 0,
     [](Row r, R reader, Language) { return sectionValue(r, reader, r.d); }},
    {C::n1, F::count, "usedN1", 0, 0, "n1", 0, -1, "", "", 0, 0,
     [](Row r, R reader, Language) { return sectionValue(r, reader, r.n1); }},
    {C::n2, F::count, "usedN2", 0, 0, "n2", 0, -1, "", "", 0, 0,
     [](Row r, R reader, Language) { return sectionValue(r, reader, r.n2); }},
    {C::rebars, F::text, "", 0, 0, "", 0, 0, "rebars", "n1+n2 x d mm", -14, 2,
     [](Row r, R, Language) {
         std::string t = std::to_string(r.n1);
         t += '+';
         t += std::to_string(r.n2);
         t += " x ";
         t += shortNumber(r.d);
         return words(std::move(t));
     }},
    {C::nRd, F::number, "nRd", 1275, 0, "N.Rd [kN]", 0, 1, "N.Rd", "kN", 9, 1,
     [](Row r, R reader, Language) { return runValue(r, reader, r.nRd); }},
    {C::utilisation, F::number, "utilisation", 1276, 1347, "", 3, 3, "util.", "", 7, 1,
     [](Row r, R reader, Language) { return runValue(r, reader, r.utilisation); }},
    {C::nFiRd, F::number, "nFiRd", 1277, 0, "N.fi,Rd [kN]", 0, 1, "N.fi,Rd", "kN", 9, 1,
     [](Row r, R reader, Language) { return runValue(r, reader, r.nFiRd); }},
    {C::fireUtilisation, F::number, "fireUtilisation", 1278, 1348, "", 3, 3, "fire", "util.", 7, 1,
     [](Row r, R reader, Language) { return runValue(r, reader, r.fireUtilisation); }},
    {C::achievedClass, F::text, "achievedClass", 1279, 1346, "", 0, 0, "achieved", "class", -8, 2,
     [](Row r, R reader, Language lang) {
         if (noInputInSheet(r, reader))
             return words("");
         if (reader == R::shown && (!r.valid || !r.achievedApplies))
             return none();
         if (!r.achievedApplies)
             return words(reader == R::listing ? "-" : "");
         if (!r.achievedClass)
             return words(reader == R::sheet || reader == R::shown ? text(1214, lang) : "none");
         return words(reader == R::file ? fireClassCode(*r.achievedClass) : fireClassLabel(*r.achievedClass));
     }},
    {C::passes, F::text, "passes", 0, 1333, "", 0, 0, "result", "", -6, 1,
     [](Row r, R reader, Language lang) {
         if (reader == R::sheet)
             return words(text(r.passes ? 1222 : 1223, lang));
         return words(reader == R::listing ? (r.passes ? "passes" : "FAILS") : yesNo(r.passes));
     }},
    {C::verdict, F::text, "", 1375, 0, "", 0, 0, "", "", 0, 0,
     [](Row r, R, Language lang) {
         std::string v = text(r.passes ? 1378 : 1379, lang);
         const std::string problem = scheduleRowProblem(r, lang);
         if (!r.passes && !problem.empty())
             v += labelColon(lang) + problem;
         else if (r.passes && !r.positionPasses)   // another combination of the position fails
             v += labelColon(lang) + text(1752, lang);
         return words(std::move(v));
     }},
    {C::errors, F::count, "errors", 0, 1334, "", 0, -1, "err.", "", 4, 1,
     [](Row r, R, Language) { return value(r.errors); }},
    {C::warnings, F::count, "warnings", 1376, 1335, "", 0, -1, "warn", "", 4, 1,
     [](Row r, R, Language) { return value(r.warnings); }},
    {C::steelPerMetre, F::number, "steelPerMetre", 0, 1336, "", 1, 1, "", "", 0, 0,
     [](Row r, R reader, Language) { return massValue(r, reader, r.steelPerMetre); }},
    {C::rebarPerMetre, F::number, "rebarPerMetre", 0, 1337, "", 1, 1, "", "", 0, 0,
     [](Row r, R reader, Language) { return massValue(r, reader, r.rebarPerMetre); }},
    {C::concretePerMetre, F::number, "concretePerMetre", 0, 0, "", 3, 3, "", "", 0, 0,
     [](Row r, R reader, Language) { return massValue(r, reader, r.concretePerMetre); }},
    {C::positionPasses, F::text, "positionPasses", 0, 0, "", 0, 0, "", "", 0, 0,
     [](Row r, R, Language) { return words(yesNo(r.positionPasses)); }},
    {C::positionUtilisation, F::number, "positionUtilisation", 0, 0, "", 3, 3, "", "", 0, 0,
     [](Row r, R, Language) { return value(r.positionUtilisation); }},
    {C::positionFireUtilisation, F::number, "positionFireUtilisation", 0, 0, "", 3, 3, "", "", 0, 0,
     [](Row r, R, Language) { return value(r.positionFireUtilisation); }},
    {C::sectionGroup, F::freeText, "sectionGroup", 0, 0, "", 0, 0, "", "", 0, 0,
     [](Row r, R, Language) { return words(r.sectionGroup); }},
    {C::section, F::text, "", 1377, 0, "", 0, 0, "", "", 0, 0,
     [](Row r, R, Language) { return words(scheduleSectionText(r) + (r.searched && r.searchFound ? " *" : "")); }},
};

constexpr bool inIdOrder()
{
    for (std::size_t i = 0; i < std::size(kColumns); ++i)
        if (kColumns[i].id != static_cast<ResultColumn>(i))
            return false;
    return true;
}
static_assert(inIdOrder(), "the table is indexed by ResultColumn");

constexpr ResultColumn kFileColumns[] = {
    C::searched, C::profile, C::d, C::n1, C::n2, C::nRd, C::utilisation, C::nFiRd, C::fireUtilisation,
    C::achievedClass, C::passes, C::errors, C::warnings, C::steelPerMetre, C::rebarPerMetre, C::concretePerMetre,
    C::positionPasses, C::positionUtilisation, C::positionFireUtilisation, C::sectionGroup};
constexpr ResultColumn kSheetColumns[] = {
    C::searched, C::profile, C::d, C::n1, C::n2, C::nRd, C::utilisation, C::nFiRd, C::fireUtilisation,
    C::achievedClass, C::passes, C::errors, C::warnings, C::steelPerMetre, C::rebarPerMetre};
constexpr ResultColumn kShownColumns[] = {C::nRd, C::utilisation, C::nFiRd, C::fireUtilisation, C::achievedClass,
                                          C::verdict, C::warnings, C::section};
constexpr ResultColumn kListingColumns[] = {C::position, C::profile, C::rebars, C::nRd, C::utilisation, C::nFiRd,
                                            C::fireUtilisation, C::achievedClass, C::passes, C::errors, C::warnings};


} // namespace

std::string replaceArg(std::string s, int n, const std::string& by)
{
    const std::string key = std::string("%").append(std::to_string(n));
    const auto at = s.find(key);
    if (at != std::string::npos)
        s.replace(at, key.size(), by);
    return s;
}

std::span<const ScheduleResultColumn> scheduleResultColumns() { return kColumns; }

const ScheduleResultColumn& scheduleResultColumn(ResultColumn id) { return kColumns[static_cast<std::size_t>(id)]; }

std::span<const ResultColumn> resultColumnsOf(ResultReader reader)
{
    switch (reader) {
    case ResultReader::file: return kFileColumns;
    case ResultReader::sheet: return kSheetColumns;
    case ResultReader::shown: return kShownColumns;
    case ResultReader::listing: return kListingColumns;
    }
    return {};
}

std::string resultCellText(const ScheduleResultColumn& c, const ScheduleRowResult& r, ResultReader reader,
                           Language language, const std::string& sep)
{
    const ResultCell cell = c.value(r, reader, language);
    if (cell.isText)
        return cell.text;
    const bool shown = reader == ResultReader::shown;
    const char* empty = shown ? kDash : reader == ResultReader::listing ? "-" : "";
    if (!cell.number || (reader != ResultReader::listing && !std::isfinite(*cell.number)))
        return empty;
    if (c.format == ResultFormat::count)
        return std::to_string(static_cast<long long>(*cell.number));
    if (shown)
        return formatFixed(*cell.number, c.decimals, sep);
    char buf[64];
    if (reader == ResultReader::listing) {
        std::snprintf(buf, sizeof buf, "%.*f", c.decimals, *cell.number);
        return buf;
    }
    const auto res = std::to_chars(buf, buf + sizeof buf, *cell.number);
    std::string t(buf, res.ptr);
    std::replace(t.begin(), t.end(), '.', sep.empty() ? '.' : sep.front());
    return t;
}

std::string scheduleRowProblem(const ScheduleRowResult& r, Language language)
{
    auto t = [language](int id) { return text(id, language); };
    if (!r.inputOk) {
        // the field in words; the reason itself, in English, stays in the window's tool tip
        std::string s = t(1350);
        if (!r.failure.field.empty())
            s += labelColon(language) + scheduleFieldHeading(r.failure.field, language);
        return s;
    }
    if (r.searched && !r.searchFound) {
        if (r.groupSearchFailed)
            return replaceArg(t(1751), 1, r.sectionGroup.substr(r.sectionGroup.find(' ') + 1));
        for (SearchProblem p : {SearchProblem::noLoads, SearchProblem::noDiameters, SearchProblem::noLayouts})
            if (r.searchProblem == searchProblemText(p))
                return t(searchProblemTextId(p));
        return t(1345);
    }
    if (r.calcError)
        return t(1487);
    if (!r.valid)
        return replaceArg(t(1486), 1, std::to_string(r.errors));
    return {};
}

std::string scheduleSectionText(const ScheduleRowResult& r)
{
    if (!r.inputOk)
        return kDash;
    const double d = std::isfinite(r.d) ? r.d : 0;
    return r.profileName + " " + std::to_string(r.n1) + "+" + std::to_string(r.n2) + " x " +
           formatFixed(d, d == std::floor(d) ? 0 : 1, ".");
}

std::string scheduleResultsCsv(const Schedule& s, const ScheduleOutcome& o, CsvDialect dialect)
{
    const std::string sep = dialect == CsvDialect::semicolonComma ? "," : ".";
    std::vector<std::string> lines = scheduleCsvLines(s, dialect);
    lines.resize(std::min(lines.size(), o.rows.size() + 1));
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string l = std::move(lines[i]);
        for (const ResultColumn id : resultColumnsOf(ResultReader::file)) {
            const ScheduleResultColumn& c = scheduleResultColumn(id);
            if (i == 0)
                appendCsvCell(l, c.fileName, dialect, false);
            else
                appendCsvCell(l, resultCellText(c, o.rows[i - 1], ResultReader::file, Language::English, sep), dialect,
                              c.format == ResultFormat::freeText);
        }
        out += l;
        out += "\r\n";
    }
    return out;
}

} // namespace qeln
