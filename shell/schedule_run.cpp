// The design of every row of a column schedule (see schedule.h).
#include "schedule.h"

#include "calc/section.h"
#include "calc/numeric.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace qeln {

namespace {

int countOf(const std::vector<Finding>& findings, Severity sev)
{
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [sev](const Finding& f) { return f.severity == sev; }));
}

// The search's key: the input with everything the search sets or that does
// not enter the design (texts, dates) left out.
ColumnInput searchKey(const ColumnInput& in)
{
    ColumnInput k = in;
    const ColumnInput blank;
    k.projectCode = k.positionNumber = k.projectName = k.positionName = k.office = k.author = k.comment = "";
    k.createdOn = k.lastUpdated = 0;
    k.checker = k.checkDate = k.revision = "";
    k.line = "";
    k.profileName = blank.profileName;
    setSection(k, sectionOf(blank));
    k.d = blank.d;
    k.n1 = blank.n1;
    k.n2 = blank.n2;
    return k;
}

struct CachedSearch {
    ColumnInput key;
    SearchProblem problem = SearchProblem::none;
    std::optional<SearchCandidate> best;
};

// A row passes with a valid run whose design check, when it has loads, passes.
bool rowPasses(const NumbersRun& run) { return run.valid && (!run.check || run.check->passes); }

void fillFromRun(const ColumnInput& in, const NumbersRun& run, ScheduleRowResult& r)
{
    r.profileName = in.profileName;
    r.d = in.d;
    r.n1 = in.n1;
    r.n2 = in.n2;
    r.valid = run.valid;
    r.calcError = run.calcError;
    r.table = run.design.table;
    r.scope = run.scope;
    r.check = run.check;
    r.errors = countOf(run.derived.findings, Severity::Error) + countOf(run.design.messages, Severity::Error) +
               (run.calcError ? 1 : 0);
    r.warnings = countOf(run.derived.findings, Severity::Warning) + countOf(run.design.messages, Severity::Warning) +
                 (run.fireLoadAboveLoad ? 1 : 0);
    if (run.valid) {
        r.nRd = smallestCell(run.design.table, rowService);
        if (in.fireClass)
            r.nFiRd = smallestCell(run.design.table, rowR30 + static_cast<int>(*in.fireClass));
    }
    if (run.check) {
        r.utilisation = run.check->utilisation;
        r.fireUtilisation = run.check->fireUtilisation;
        r.achievedApplies = run.check->achievedApplies;
        r.achievedClass = run.check->achievedClass;
    }
    // masses only of an input the checks take (a negative bar count gives negative kilograms)
    if (run.valid) try {
        const ComponentMasses m = run.design.masses ? *run.design.masses : componentMasses(in);
        if (std::isfinite(m.steel) && std::isfinite(m.rebars)) {
            r.steelPerMetre = m.steel;
            r.rebarPerMetre = m.rebars;
        }
        if (run.design.concreteVolume && std::isfinite(*run.design.concreteVolume))
            r.concretePerMetre = *run.design.concreteVolume;
    } catch (const CalculationError&) {
        // no masses for an input without a section
    }
    r.passes = rowPasses(run);
}

// The rows that must share a section: the rows of one column line, else the
// load combinations of one position (the same name); "" for a row on its own.
std::string sectionGroupOf(const ScheduleRowResult& r)
{
    if (!r.inputOk)
        return "";
    if (!r.input.line.empty())
        return "line " + r.input.line;
    if (!r.name.empty())
        return "position " + r.name;
    return "";
}

// One section for the rows `group` of which at least one was searched: the
// first candidate, in the search's order, of the row that asks the heaviest
// section that carries every row of the group. Returns false when none of
// the candidates kept does (or the search was cancelled).
bool searchGroupSection(const std::vector<std::size_t>& group, std::vector<ScheduleRowResult>& rows,
                        const std::vector<ColumnInput>& entered, const ProfileIndex& profiles,
                        const ScheduleOptions& options, NumbersRun& run, std::size_t& searchesRun,
                        std::optional<SearchCandidate>& chosen)
{
    // the governing row: the heaviest best section of its own
    std::optional<std::size_t> governing;
    for (std::size_t i : group) {
        if (rows[i].searchFound && (!governing || rows[*governing].steelPerMetre < rows[i].steelPerMetre))
            governing = i;
    }
    if (!governing)
        return false;
    SearchControl control;
    control.threads = options.threads;
    control.cancel = options.cancel;
    control.keep = 200;
    const SearchOutcome found = searchSections(entered[*governing], profiles.profiles(), options.constraints, control);
    ++searchesRun;
    if (found.cancelled)
        return false;
    for (const SearchCandidate& c : found.candidates) {
        bool all = true;
        for (std::size_t i : group) {
            if (i == *governing)
                continue;
            runNumbers(c.applyTo(entered[i]), run);
            if (!rowPasses(run)) {
                all = false;
                break;
            }
        }
        if (all) {
            chosen = c;
            return true;
        }
    }
    return false;
}

// The rows of each name, in order (a row without a name alone): a map, so
// that a schedule of many rows stays linear.
std::vector<std::vector<std::size_t>> positionsOf(const std::vector<ScheduleRowResult>& rows)
{
    std::vector<std::vector<std::size_t>> out;
    std::unordered_map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name.empty()) {
            out.push_back({i});
            continue;
        }
        const auto [it, added] = byName.try_emplace(rows[i].name, out.size());
        if (added)
            out.emplace_back();
        out[it->second].push_back(i);
    }
    return out;
}

// The positions' verdicts: every combination passes, the largest utilisations.
void fillPositions(std::vector<ScheduleRowResult>& rows)
{
    auto larger = [](std::optional<double>& into, const std::optional<double>& v) {
        if (v && (!into || *v > *into))
            into = v;
    };
    for (const std::vector<std::size_t>& position : positionsOf(rows)) {
        bool passes = true;
        std::optional<double> u, uFire;
        for (std::size_t i : position) {
            passes = passes && rows[i].passes;
            larger(u, rows[i].utilisation);
            larger(uFire, rows[i].fireUtilisation);
        }
        for (std::size_t i : position) {
            rows[i].positionPasses = passes;
            rows[i].positionUtilisation = u;
            rows[i].positionFireUtilisation = uFire;
            rows[i].positionRows = position.size();
        }
    }
}

} // namespace

ScheduleSummary summarise(const std::vector<ScheduleRowResult>& rows)
{
    ScheduleSummary s;
    s.rows = rows.size();
    for (const ScheduleRowResult& r : rows)
        if (r.passes)
            ++s.passing;
    s.failing = s.rows - s.passing;
    // Masses by position: the rows of one name are load combinations of one
    // column, weighed once (the heaviest of its rows). Rows whose checks or
    // run failed have no masses worth adding (a negative bar count would
    // subtract). By the member length: a buckling length is not the length
    // of the member (columns braced otherwise weigh the same).
    for (const std::vector<std::size_t>& position : positionsOf(rows)) {
        double steel = 0, rebar = 0, concrete = 0;
        bool valid = false, withoutLength = false, passes = true;
        for (std::size_t j : position) {
            const ScheduleRowResult& r = rows[j];
            passes = passes && r.positionPasses;
            if (!r.inputOk || !r.valid)
                continue;
            valid = true;
            const double L = r.input.length;
            if (L > 0 && std::isfinite(L)) {
                steel = std::max(steel, r.steelPerMetre * L);
                rebar = std::max(rebar, r.rebarPerMetre * L);
                concrete = std::max(concrete, r.concretePerMetre * L);
            } else {
                withoutLength = true;
            }
        }
        ++s.positions;
        if (passes)
            ++s.positionsPassing;
        s.steelMass += steel;
        s.rebarMass += rebar;
        s.concreteVolume += concrete;
        if (valid && withoutLength)
            ++s.rowsWithoutLength;
    }
    if (!std::isfinite(s.steelMass) || !std::isfinite(s.rebarMass) || !std::isfinite(s.concreteVolume))
        s.steelMass = s.rebarMass = s.concreteVolume = 0;
    return s;
}

ScheduleOutcome runSchedule(const ColumnInput& base, const Schedule& s, const ProfileIndex& profiles,
                            const ScheduleOptions& options)
{
    ScheduleOutcome o;
    o.rows.reserve(s.rows.size());
    auto cancelled = [&] { return options.cancel && options.cancel->load(std::memory_order_relaxed); };
    std::vector<CachedSearch> searches;
    NumbersRun run;
    const std::size_t total = s.rows.size();
    std::vector<ColumnInput> entered;   // each row's input before its search
    entered.reserve(total);
    for (std::size_t i = 0; i < total; ++i) {
        if (cancelled()) {
            o.cancelled = true;
            break;
        }
        ScheduleRowResult& r = o.rows.emplace_back();
        r.name = s.rows[i].name;
        r.inputOk = rowInput(base, s, i, profiles, r.input, r.failure);
        if (!r.inputOk) {
            r.input = base;
            r.errors = 1;
            continue;
        }
        entered.resize(i + 1);
        entered[i] = r.input;
        ColumnInput& in = r.input;
        if (options.searchAll || s.rows[i].search) {
            r.searched = true;
            ColumnInput key = searchKey(in);
            auto it = std::find_if(searches.begin(), searches.end(), [&](const CachedSearch& c) { return c.key == key; });
            if (it == searches.end()) {
                CachedSearch c;
                c.key = std::move(key);
                c.problem = searchProblem(in, options.constraints);
                if (c.problem == SearchProblem::none) {
                    SearchControl control;
                    control.threads = options.threads;
                    control.cancel = options.cancel;
                    control.keep = 1;   // the row takes the best
                    SearchOutcome found = searchSections(in, profiles.profiles(), options.constraints, control);
                    ++o.searchesRun;
                    if (found.cancelled) {
                        o.rows.pop_back();
                        o.cancelled = true;
                        break;
                    }
                    if (!found.candidates.empty())
                        c.best = std::move(found.candidates.front());
                }
                searches.push_back(std::move(c));
                it = searches.end() - 1;
            }
            if (it->problem != SearchProblem::none)
                r.searchProblem = searchProblemText(it->problem);
            if (it->best) {
                r.searchFound = true;
                in = it->best->applyTo(in);
            }
        }
        runNumbers(in, run);
        fillFromRun(in, run, r);
        if (options.progress && (i + 1 == total || (i + 1) % 16 == 0 || r.searched))
            options.progress(i + 1, total);
    }
    entered.resize(o.rows.size());

    // One section for the rows of a column line, and for the combinations of
    // a position, where any of them was searched.
    std::vector<std::vector<std::size_t>> groups;
    {
        std::unordered_map<std::string, std::size_t> byGroup;
        for (std::size_t i = 0; i < o.rows.size(); ++i) {
            const std::string g = sectionGroupOf(o.rows[i]);
            if (g.empty())
                continue;
            o.rows[i].sectionGroup = g;
            const auto [it, added] = byGroup.try_emplace(g, groups.size());
            if (added)
                groups.emplace_back();
            groups[it->second].push_back(i);
        }
    }
    for (const std::vector<std::size_t>& group : groups) {
        if (o.cancelled)
            break;
        const std::string& g = o.rows[group.front()].sectionGroup;
        bool searched = false;
        for (std::size_t j : group)
            searched = searched || o.rows[j].searched;
        if (group.size() < 2 || !searched)
            continue;
        std::optional<SearchCandidate> chosen;
        const bool found =
            searchGroupSection(group, o.rows, entered, profiles, options, run, o.searchesRun, chosen);
        if (options.cancel && options.cancel->load(std::memory_order_relaxed)) {
            o.cancelled = true;
            break;
        }
        for (std::size_t j : group) {
            ScheduleRowResult& r = o.rows[j];
            r.searched = true;
            r.searchFound = found;
            r.groupSearchFailed = !found;
            if (!found && r.searchProblem.empty())
                r.searchProblem = "no section of the search carries every row of the " + g;
            r.input = found ? chosen->applyTo(entered[j]) : entered[j];
            runNumbers(r.input, run);
            fillFromRun(r.input, run, r);
        }
    }
    fillPositions(o.rows);
    o.summary = summarise(o.rows);
    return o;
}

} // namespace qeln
