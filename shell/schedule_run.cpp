// The design of every row of a column schedule (see schedule.h).
#include "schedule.h"

#include "calc/section.h"
#include "calc/numeric.h"

#include <algorithm>
#include <cmath>

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
    } catch (const CalculationError&) {
        // no masses for an input without a section
    }
    r.passes = run.valid && (!run.check || run.check->passes);
}

} // namespace

ScheduleSummary summarise(const std::vector<ScheduleRowResult>& rows)
{
    ScheduleSummary s;
    s.rows = rows.size();
    for (const ScheduleRowResult& r : rows) {
        if (r.passes)
            ++s.passing;
        // rows whose checks or run failed have no masses worth adding (a
        // negative bar count would subtract)
        if (r.inputOk && r.valid && std::isfinite(r.input.lWeakCold)) {
            s.steelMass += r.steelPerMetre * r.input.lWeakCold;
            s.rebarMass += r.rebarPerMetre * r.input.lWeakCold;
        }
    }
    s.failing = s.rows - s.passing;
    if (!std::isfinite(s.steelMass) || !std::isfinite(s.rebarMass))
        s.steelMass = s.rebarMass = 0;
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
    o.summary = summarise(o.rows);
    return o;
}

} // namespace qeln
