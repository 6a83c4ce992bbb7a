// The section search (see search.h).
#include "search.h"
#include "text.h"

#include "calc/scope.h"
#include "calc/section.h"

#include "numbersrun.h"

#include "catalogue/profiles.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <exception>
#include <mutex>
#include <numbers>
#include <thread>
#include <tuple>

namespace qeln {

std::string profileFamily(std::string_view profileName)
{
    const std::string_view name = blankTrimmed(profileName);
    const std::size_t firstBlank = name.find(' ');
    const std::string_view first = name.substr(0, firstBlank);
    if (first != "HE" || firstBlank == std::string_view::npos)
        return std::string(first);
    const std::size_t lastBlank = name.rfind(' ');
    return "HE " + std::string(name.substr(lastBlank + 1));
}

std::vector<SearchProfile> searchProfiles(const ProfileCatalogue& cat)
{
    std::vector<SearchProfile> out;
    for (const int rec : cat.order()) {
        if (cat.isDeleted(rec))
            continue;
        out.push_back({cat.row(rec), static_cast<int>(out.size())});
    }
    return out;
}

SearchProblem searchProblem(const ColumnInput& base, const SearchConstraints& c)
{
    const bool service = base.nEd > 0;
    const bool fire = base.nFiEd > 0 && base.fireClass.has_value();
    if (!service && !fire)
        return SearchProblem::noLoads;
    if (c.diameters.empty() || !std::all_of(c.diameters.begin(), c.diameters.end(), usableDiameter))
        return SearchProblem::noDiameters;
    if (c.layouts.empty() || !std::all_of(c.layouts.begin(), c.layouts.end(), usableLayout))
        return SearchProblem::noLayouts;
    return SearchProblem::none;
}

const char* searchProblemText(SearchProblem p)
{
    switch (p) {
    case SearchProblem::none:
        return "";
    case SearchProblem::noLoads:
        return "the search needs a design load: N.Ed, or N.fi,Ed with a fire class";
    case SearchProblem::noDiameters:
        return "the search needs at least one rebar diameter above 0 and at most 100 mm";
    case SearchProblem::noLayouts:
        return "the search needs at least one rebar layout n1+n2 with 1 to 100 bars in each row";
    }
    return "";
}

int searchProblemTextId(SearchProblem p)
{
    switch (p) {
    case SearchProblem::none:
        return 0;
    case SearchProblem::noLoads:
        return 1260;
    case SearchProblem::noDiameters:
        return 1261;
    case SearchProblem::noLayouts:
        return 1262;
    }
    return 0;
}

ColumnInput SearchCandidate::applyTo(const ColumnInput& base) const
{
    ColumnInput in = base;
    in.profileName = cutText(profileName, kShortTextMax);
    setSection(in, section);
    in.d = d;
    in.n1 = n1;
    in.n2 = n2;
    return in;
}

bool searchOrder(const SearchCandidate& a, const SearchCandidate& b)
{
    return std::tie(a.rankKey, a.steelMass, a.rebarArea, a.displayOrder, a.d, a.n1, a.n2) <
           std::tie(b.rankKey, b.steelMass, b.rebarArea, b.displayOrder, b.d, b.n1, b.n2);
}

bool usablePrices(const UnitPrices& p)
{
    for (const double v : {p.steel, p.rebars, p.concrete})
        if (!(v >= 0 && v <= 1e6))
            return false;
    return true;
}

double costPerMetre(const ComponentMasses& m, const UnitPrices& p)
{
    return m.steel * p.steel + m.rebars * p.rebars + m.volume * p.concrete;
}

bool parseSearchRank(std::string_view text, SearchRank& out)
{
    if (text == "mass")
        out = SearchRank::mass;
    else if (text == "cost")
        out = SearchRank::cost;
    else
        return false;
    return true;
}

const char* searchRankText(SearchRank r) { return r == SearchRank::cost ? "cost" : "mass"; }

std::vector<SearchProfile> filterProfiles(const std::vector<SearchProfile>& all, const SearchConstraints& c)
{
    std::vector<SearchProfile> out;
    for (const SearchProfile& p : all) {
        if (!c.families.empty() &&
            std::find(c.families.begin(), c.families.end(), profileFamily(p.profile.profileName)) == c.families.end())
            continue;
        if (c.maxH && !(p.profile.h <= *c.maxH))
            continue;
        if (c.maxB && !(p.profile.b <= *c.maxB))
            continue;
        out.push_back(p);
    }
    return out;
}

namespace {

void countRejection(const NumbersRun& run, SearchRejections& r)
{
    if (!run.valid || !run.check) {
        ++r.input;
        return;
    }
    const DesignCheck& k = *run.check;
    if (k.passes)
        ++r.target;
    else if (k.servicePasses == false)
        ++r.resistance;
    else if (k.fireWithinScope == false || !k.fireVerified)
        ++r.scope;
    else
        ++r.resistance;
}

bool sameSection(const Section& a, const Section& b)
{
    return a.h == b.h && a.b == b.b && a.tw == b.tw && a.tf == b.tf && a.r == b.r;
}

// In the search's order, the candidates of profiles with the same
// dimensions and the same bars are one: the first keeps the others' names.
void mergeIdenticalSections(std::vector<SearchCandidate>& list)
{
    std::vector<SearchCandidate> out;
    out.reserve(list.size());
    for (SearchCandidate& k : list) {
        SearchCandidate* same = nullptr;
        // identical sections sort next to each other (same mass, same area);
        // look back over the candidates of that mass only
        for (auto it = out.rbegin(); it != out.rend() && it->steelMass == k.steelMass; ++it)
            if (sameSection(it->section, k.section) && it->d == k.d && it->n1 == k.n1 && it->n2 == k.n2) {
                same = &*it;
                break;
            }
        if (same)
            same->alsoNamed.push_back(k.profileName);
        else
            out.push_back(std::move(k));
    }
    list = std::move(out);
}

} // namespace

bool usableUtilisationTarget(double u) { return u > 0 && u <= 1; }

bool withinUtilisationTarget(const DesignCheck& check, double target)
{
    if (check.utilisation && !(*check.utilisation <= target))
        return false;
    if (check.fireUtilisation && check.firePasses && !(*check.fireUtilisation <= target))
        return false;
    return true;
}

SearchOutcome searchSections(const ColumnInput& base, const std::vector<SearchProfile>& profiles,
                             const SearchConstraints& c, const SearchControl& control)
{
    SearchOutcome outcome;
    const std::vector<SearchProfile> chosen = filterProfiles(profiles, c);
    // a diameter or layout given twice is one candidate
    std::vector<double> diameters;
    for (const double d : c.diameters)
        if (std::find(diameters.begin(), diameters.end(), d) == diameters.end())
            diameters.push_back(d);
    std::vector<RebarChoice> layouts;
    for (const RebarChoice& l : c.layouts)
        if (std::find(layouts.begin(), layouts.end(), l) == layouts.end())
            layouts.push_back(l);
    const std::size_t perProfile = diameters.size() * layouts.size();
    const std::size_t total = chosen.size() * perProfile;
    outcome.evaluated = total;

    // Each thread keeps the best `keep` of the candidates it ran: the search's
    // order is a total order, so the best of those is the same for any
    // number of threads, and memory stays bounded however long the lists.
    const std::size_t keep = std::max<std::size_t>(control.keep, 1);
    const unsigned threadsWanted =
        control.threads == 0 ? std::max(1u, std::thread::hardware_concurrency()) : control.threads;
    const unsigned threads =
        static_cast<unsigned>(std::min<std::size_t>(threadsWanted, std::max<std::size_t>(chosen.size(), 1)));
    std::vector<std::vector<SearchCandidate>> found(threads);
    std::vector<std::size_t> passing(threads, 0);
    std::vector<SearchRejections> rejected(threads);
    std::vector<std::exception_ptr> failures(threads);
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::function<void(unsigned)> evaluate;
    auto cancelled = [&] { return control.cancel && control.cancel->load(std::memory_order_relaxed); };

    auto work = [&](unsigned t) {
        try {
            evaluate(t);
        } catch (...) {
            // out of memory in a helper thread: handed to the caller, not std::terminate
            failures[t] = std::current_exception();
            next.store(chosen.size());
        }
    };
    evaluate = [&](unsigned t) {
        const bool reportProgress = t == 0;
        std::vector<SearchCandidate>& best = found[t];   // a heap: the worst kept on top
        NumbersRun run;
        ColumnInput in = base;
        for (;;) {
            if (cancelled())
                return;
            const std::size_t i = next.fetch_add(1);
            if (i >= chosen.size())
                return;
            const SearchProfile& p = chosen[i];
            const Section section = sectionOf(p.profile);
            in.profileName = cutText(p.profile.profileName, kShortTextMax);
            setSection(in, section);
            for (const double d : diameters) {
                for (const RebarChoice& l : layouts) {
                    in.d = d;
                    in.n1 = l.n1;
                    in.n2 = l.n2;
                    // Bars closer than the concrete's aggregate allows
                    // (EN 1992-1-1, 8.2(2)) are not offered: a design with
                    // them only warns, a search counts them as failing their
                    // input checks and makes no run.
                    if (!barSpacingFits(in)) {
                        ++rejected[t].input;
                        continue;
                    }
                    // Pruning: a candidate whose input checks give an error
                    // can never pass, so its design run is not made.
                    runNumbers(in, run, RunOptions{true});
                    if (!run.passes() || !withinUtilisationTarget(*run.check, c.maxUtilisation)) {
                        countRejection(run, rejected[t]);
                        continue;
                    }
                    SearchCandidate k;
                    k.profile = static_cast<int>(i);
                    k.profileName = p.profile.profileName;
                    k.section = section;
                    k.displayOrder = p.displayOrder;
                    k.d = d;
                    k.n1 = l.n1;
                    k.n2 = l.n2;
                    k.steelMass = run.design.masses->steel;
                    k.cost = costPerMetre(*run.design.masses, c.prices);
                    k.rankKey = c.rank == SearchRank::cost ? k.cost : k.steelMass;
                    k.rebarArea = sectionValues(section, SectionBars{l.n1, l.n2, d, 0, {}}, Axis::Weak, kExactSection).As;
                    k.check = *run.check;
                    ++passing[t];
                    if (best.size() == keep && !searchOrder(k, best.front()))
                        continue;
                    best.push_back(std::move(k));
                    std::push_heap(best.begin(), best.end(), searchOrder);
                    if (best.size() > keep) {
                        std::pop_heap(best.begin(), best.end(), searchOrder);
                        best.pop_back();
                    }
                }
            }
            const std::size_t now = done.fetch_add(perProfile) + perProfile;
            if (reportProgress && control.progress)
                control.progress(now, total);
        }
    };

    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t)
        helpers.emplace_back(work, t);
    work(0);
    for (std::thread& t : helpers)
        t.join();
    for (const std::exception_ptr& e : failures)
        if (e)
            std::rethrow_exception(e);

    outcome.cancelled = cancelled() && done.load() < total;
    for (unsigned t = 0; t < threads; ++t) {
        outcome.passing += passing[t];
        outcome.rejected.input += rejected[t].input;
        outcome.rejected.scope += rejected[t].scope;
        outcome.rejected.resistance += rejected[t].resistance;
        outcome.rejected.target += rejected[t].target;
        for (SearchCandidate& k : found[t])
            outcome.candidates.push_back(std::move(k));
    }
    std::sort(outcome.candidates.begin(), outcome.candidates.end(), searchOrder);
    // the best `keep` first (the same for any number of threads), then the
    // profiles of the same dimensions among them become one
    if (outcome.candidates.size() > keep)
        outcome.candidates.resize(keep);
    mergeIdenticalSections(outcome.candidates);
    if (base.fireClass && base.nFiEd > 0)
        outcome.fireLengthNeedsWidth = widthNeededByFireLength(base, *base.fireClass);
    if (control.progress && !outcome.cancelled)
        control.progress(total, total);
    return outcome;
}

} // namespace qeln
