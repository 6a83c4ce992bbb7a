// The numbers-only run against the calculate command, and the section search:
// families, order and ties, filters, threads, cancel and a brute force over
// full runs.
#include "calc/section.h"
#include "present/listing.h"
#include "catalogue/profiles.h"
#include "shell/numbersrun.h"
#include "shell/run.h"
#include "shell/search.h"
#include "tests/run_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>

using namespace qeln;

namespace {

using test::withLoads;

// ---------------------------------------------------------------- numbers-only run = full run

bool sameBits(const std::optional<double>& a, const std::optional<double>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b);
}

bool sameTable(const UltimateLoadTable& a, const UltimateLoadTable& b)
{
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            if (!sameBits(a.at(r, c), b.at(r, c)))
                return false;
    return true;
}

class NumbersRunExtreme : public testing::TestWithParam<int> {};
TEST_P(NumbersRunExtreme, FailsWhereTheFullRunFails)
{
    ColumnInput in;
    in.nEd = 1000;
    switch (GetParam()) {
    case 0: in.uc1 = 2e9; break;
    case 1: in.h = 3e9; break;
    case 2: in.b = 1.5e6; break;
    case 3: in.d = 4e8; break;
    case 4: in.uf1 = 1e7; in.n1 = 8; in.n2 = 4; break;
    default: break;
    }
    const test::Calc full{in};
    const RunState& st = full.st;
    NumbersRun run;
    runNumbers(in, run);
    EXPECT_EQ(run.valid, full.ok);
    EXPECT_EQ(run.calcError, st.calcError) << st.calcErrorWhat;
    EXPECT_TRUE(sameTable(run.design.table, st.results.table));
    EXPECT_EQ(run.design.hasErrors(), st.design.hasErrors());
    if (GetParam() == 0) {   // the figure fails (a bar beyond the range): a warning, never an arithmetic failure
        EXPECT_FALSE(st.calcError) << st.calcErrorWhat;
        EXPECT_NE(st.results.warnings.joined().find("Section drawing"), std::string::npos);
        EXPECT_TRUE(st.results.sectionPicture.empty());
    }
}
INSTANTIATE_TEST_SUITE_P(Values, NumbersRunExtreme, testing::Range(0, 5));

TEST(NumbersRun, ReusedOutcomeGivesTheSameNumbers)
{
    ColumnInput a;
    a.e1 = 50;
    a.e2 = 30;
    ColumnInput b = a;
    b.n1 = 8;
    b.n2 = 4;
    b.d = 25;
    NumbersRun fresh, reused;
    runNumbers(a, fresh);
    runNumbers(b, reused);
    runNumbers(a, reused);
    EXPECT_TRUE(sameTable(fresh.design.table, reused.design.table));
    EXPECT_EQ(fresh.design.messages.size(), reused.design.messages.size());
}

// ---------------------------------------------------------------- families

TEST(ProfileFamily, OfNamesAndOfEveryCatalogueRow)
{
    const std::pair<const char*, const char*> names[] = {
        {"IPE 80", "IPE"}, {"HE 320 A", "HE A"}, {"HE 100 AA", "HE AA"}, {"HE 1000 B", "HE B"},
        {"HE 500 M", "HE M"}, {"HL 920 x 344", "HL"}, {"HD 260 x 54.1", "HD"}, {"HP 200 x 43", "HP"},
        {"W 200 x 200 x 46.1", "W"}, {"  HE 320 A ", "HE A"}, {"HE", "HE"}, {"", ""},
    };
    for (const auto& [name, family] : names)
        EXPECT_EQ(profileFamily(name), family) << name;
    const auto profiles = searchProfiles(ProfileCatalogue::open(std::string(QELN_BIN_DIR) + "/" + kProfileTableFile, ""));
    ASSERT_EQ(profiles.size(), 471u);
    std::map<std::string, int> perFamily;
    for (const SearchProfile& p : profiles)
        ++perFamily[profileFamily(p.profile.profileName)];
    EXPECT_EQ(perFamily.size(), profileFamilies().size());
    EXPECT_EQ(perFamily["HE A"], 24);
    EXPECT_EQ(perFamily["W"], 240);
}

// ---------------------------------------------------------------- the search

// The candidate of one profile, diameter and layout, before it is judged.
SearchCandidate candidate(const SearchProfile& p, double d, const RebarChoice& l)
{
    SearchCandidate k;
    k.profileName = p.profile.profileName;
    k.section = sectionOf(p.profile);
    k.displayOrder = p.displayOrder;
    k.d = d;
    k.n1 = l.n1;
    k.n2 = l.n2;
    return k;
}

// The first `count` candidates of two lists are the same sections and bars.
void expectSameCandidates(const std::vector<SearchCandidate>& a, const std::vector<SearchCandidate>& b,
                          std::size_t count)
{
    ASSERT_TRUE(a.size() >= count && b.size() >= count);
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(a[i].profileName, b[i].profileName) << i;
        EXPECT_EQ(a[i].d, b[i].d) << i;
        EXPECT_EQ(a[i].n1, b[i].n1) << i;
        EXPECT_EQ(a[i].n2, b[i].n2) << i;
    }
}

std::vector<SearchProfile> someProfiles()
{
    return {
        {{"HE 200 A", 190, 200, 6.5, 10, 18}, 0},   {{"HE 240 A", 230, 240, 7.5, 12, 21}, 1},
        {{"HE 280 A", 270, 280, 8, 13, 24}, 2},     {{"HE 320 A", 310, 300, 9, 15.5, 27}, 3},
        {{"HE 300 B", 300, 300, 11, 19, 27}, 4},    {{"HE 360 A", 350, 300, 10, 17.5, 27}, 5},
        {{"IPE 300", 300, 150, 7.1, 10.7, 15}, 6},  {{"HE 400 B", 400, 300, 13.5, 24, 27}, 7},
        {{"HE 500 B", 500, 300, 14.5, 28, 27}, 8},  {{"HE 600 M", 620, 305, 21, 40, 27}, 9},
    };
}

TEST(SearchRefused, WithoutALoadItCanCheckOrWithEmptyOrUnusableLists)
{
    const struct {
        double nEd, nFiEd;
        std::optional<FireClass> fc;
        SearchProblem expected;
    } loads[] = {
        {0, 0, std::nullopt, SearchProblem::noLoads},   {0, 1800, std::nullopt, SearchProblem::noLoads},
        {0, 0, FireClass::R90, SearchProblem::noLoads}, {3000, 0, std::nullopt, SearchProblem::none},
        {0, 1800, FireClass::R60, SearchProblem::none}, {3000, 1800, FireClass::R90, SearchProblem::none},
    };
    for (const auto& c : loads)
        EXPECT_EQ(searchProblem(withLoads(c.nEd, c.nFiEd, c.fc), SearchConstraints{}), c.expected)
            << c.nEd << " " << c.nFiEd;
    const ColumnInput in = withLoads(3000, 0, std::nullopt);
    SearchConstraints c;
    c.diameters = {};
    EXPECT_EQ(searchProblem(in, c), SearchProblem::noDiameters);
    c.diameters = {20, -1};
    EXPECT_EQ(searchProblem(in, c), SearchProblem::noDiameters);
    c = SearchConstraints{};
    c.layouts = {{0, 0}};
    EXPECT_EQ(searchProblem(in, c), SearchProblem::noLayouts);
    c.layouts = {};
    EXPECT_EQ(searchProblem(in, c), SearchProblem::noLayouts);
}

// Every candidate through the full calculate command: the passing set and
// its order by mass, area, display order, d, n1, n2.
TEST(Search, AgreesWithABruteForceOfFullRuns)
{
    for (const ColumnInput& base : {withLoads(3000, 1800, FireClass::R90), withLoads(5200, 0, std::nullopt),
                                    withLoads(0, 900, FireClass::R120)}) {
        ColumnInput in = base;
        in.e1 = 20;
        SearchConstraints c;
        c.diameters = {12, 20, 32};
        const auto profiles = someProfiles();
        const SearchOutcome out = searchSections(in, profiles, c);

        std::vector<SearchCandidate> expected;
        for (const SearchProfile& p : profiles)
            for (const double d : c.diameters)
                for (const RebarChoice& l : c.layouts) {
                    SearchCandidate k = candidate(p, d, l);
                    const ColumnInput one = k.applyTo(in);
                    // bars closer than the aggregate allows: a full run only
                    // warns, the search does not offer them
                    if (!barSpacingFits(one))
                        continue;
                    const test::Calc run{one};
                    if (!run.ok || !run.st.check || !run.st.check->passes)
                        continue;
                    k.steelMass = componentMasses(one).steel;
                    k.rebarArea = (l.n1 + l.n2) * 3.14159265358979323846 * d * d / 4;
                    expected.push_back(k);
                }
        std::stable_sort(expected.begin(), expected.end(), searchOrder);
        EXPECT_EQ(out.evaluated, profiles.size() * 3 * 4);
        ASSERT_EQ(out.passing, expected.size());
        ASSERT_FALSE(expected.empty());
        expectSameCandidates(out.candidates, expected, expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(out.candidates[i].steelMass, expected[i].steelMass) << i;
    }
}

// Two rows with the same dimensions are one candidate, shown under the name
// of the earlier in display order with the other's name beside it.
TEST(Search, EqualDimensionsAreOneCandidateUnderBothNames)
{
    std::vector<SearchProfile> profiles = someProfiles();
    SearchProfile copy = profiles[3];
    copy.profile.profileName = "HE 320 A (copy)";
    for (SearchProfile& p : profiles)
        ++p.displayOrder;
    copy.displayOrder = 0;
    profiles.push_back(copy);
    const ColumnInput in = withLoads(3000, 1800, FireClass::R90);
    const SearchOutcome out = searchSections(in, profiles, SearchConstraints{});
    ASSERT_GE(out.candidates.size(), 2u);
    int pairs = 0;
    for (std::size_t i = 0; i < out.candidates.size(); ++i) {
        const SearchCandidate& a = out.candidates[i];
        if (i + 1 < out.candidates.size()) {
            EXPECT_FALSE(searchOrder(out.candidates[i + 1], a)) << i;
        }
        EXPECT_NE(a.profileName, "HE 320 A") << "shown twice";
        if (a.profileName == "HE 320 A (copy)") {
            EXPECT_EQ(a.alsoNamed, std::vector<std::string>{"HE 320 A"});
            ++pairs;
        } else {
            EXPECT_TRUE(a.alsoNamed.empty()) << a.profileName;
        }
    }
    EXPECT_GT(pairs, 0);
    // every candidate counted once: passing or failing for one reason
    const SearchRejections& r = out.rejected;
    EXPECT_EQ(out.evaluated, out.passing + r.input + r.scope + r.resistance + r.target);
}

TEST(Search, FiltersByFamilyAndMaxima)
{
    SearchConstraints c;
    c.families = {"HE A", "IPE"};
    c.maxH = 300;
    c.maxB = 280;
    std::vector<std::string> names;
    for (const SearchProfile& p : filterProfiles(someProfiles(), c))
        names.push_back(p.profile.profileName);
    EXPECT_EQ(names, (std::vector<std::string>{"HE 200 A", "HE 240 A", "HE 280 A", "IPE 300"}));
    // a filter that leaves nothing: nothing evaluated, not cancelled
    c.families = {"IPE"};
    c.maxB = 100;   // every IPE of the list is wider
    const SearchOutcome out = searchSections(withLoads(3000, 0, std::nullopt), someProfiles(), c);
    EXPECT_EQ(out.evaluated, 0u);
    EXPECT_EQ(out.passing, 0u);
    EXPECT_TRUE(out.candidates.empty());
    EXPECT_FALSE(out.cancelled);
}

TEST(Search, SameOutcomeOnAnyNumberOfThreads)
{
    const ColumnInput in = withLoads(3000, 1800, FireClass::R90);
    const SearchOutcome one = searchSections(in, someProfiles(), SearchConstraints{});
    for (unsigned threads : {2u, 3u, 16u}) {
        SearchControl control;
        control.threads = threads;
        std::size_t lastDone = 0, calls = 0;
        control.progress = [&](std::size_t done, std::size_t total) {
            EXPECT_GE(done, lastDone);
            EXPECT_LE(done, total);
            lastDone = done;
            ++calls;
        };
        const SearchOutcome many = searchSections(in, someProfiles(), SearchConstraints{}, control);
        ASSERT_EQ(many.candidates.size(), one.candidates.size());
        expectSameCandidates(many.candidates, one.candidates, one.candidates.size());
        EXPECT_EQ(lastDone, one.evaluated);
        EXPECT_GE(calls, 1u);
    }
}

// Only the best candidates are kept (the same ones on any number of
// threads), the passing count is of all; a diameter or layout given twice
// is one candidate.
TEST(Search, KeepsOnlyTheBestAndCountsDuplicatesOnce)
{
    const ColumnInput in = withLoads(3000, 1800, FireClass::R90);
    SearchControl all;
    all.keep = 100000;
    const SearchOutcome full = searchSections(in, someProfiles(), SearchConstraints{}, all);
    ASSERT_GT(full.candidates.size(), 5u);
    EXPECT_EQ(full.candidates.size(), full.passing);
    for (unsigned threads : {1u, 3u}) {
        SearchControl top;
        top.keep = 3;
        top.threads = threads;
        const SearchOutcome best = searchSections(in, someProfiles(), SearchConstraints{}, top);
        ASSERT_EQ(best.candidates.size(), 3u);
        EXPECT_EQ(best.passing, full.passing);
        expectSameCandidates(best.candidates, full.candidates, 3);
    }
    SearchConstraints twice;
    twice.diameters = {16, 16, 20, 16};
    twice.layouts = {{4, 0}, {4, 0}};
    const SearchOutcome d = searchSections(in, someProfiles(), twice, all);
    EXPECT_EQ(d.evaluated, someProfiles().size() * 2);
    for (std::size_t i = 0; i + 1 < d.candidates.size(); ++i)
        EXPECT_TRUE(searchOrder(d.candidates[i], d.candidates[i + 1]));   // strictly ordered: no two alike
}

TEST(Search, CancelStopsWithAnIncompleteOutcome)
{
    std::atomic<bool> cancel{true};
    SearchControl control;
    control.cancel = &cancel;
    const SearchOutcome out =
        searchSections(withLoads(3000, 0, std::nullopt), someProfiles(), SearchConstraints{}, control);
    EXPECT_TRUE(out.cancelled);
    EXPECT_TRUE(out.candidates.empty());
}

// The clear spacing of EN 1992-1-1, 8.2(2) for the project's aggregate: no
// candidate offered breaks it, and every layout that breaks it counts as
// failing its input checks.
TEST(Search, OffersNoLayoutCloserThanTheAggregateAllows)
{
    ColumnInput in = withLoads(3000, 1800, FireClass::R90);
    const SearchConstraints c;
    const auto profiles = someProfiles();
    auto closeSmallBars = [](const SearchOutcome& out) {
        return std::count_if(out.candidates.begin(), out.candidates.end(),
                             [](const SearchCandidate& k) { return k.n2 == 4 && k.d <= 20; });
    };
    for (double dg : {8.0, 16.0, 32.0}) {
        SCOPED_TRACE(dg);
        in.dg = dg;
        const SearchOutcome out = searchSections(in, profiles, c);
        ASSERT_FALSE(out.candidates.empty());
        ASSERT_EQ(out.candidates.size(), out.passing);   // all kept
        for (const SearchCandidate& k : out.candidates)
            EXPECT_TRUE(barSpacingFits(k.applyTo(in))) << k.profileName << " " << k.n1 << "+" << k.n2 << " x " << k.d;
        std::size_t tooClose = 0;
        for (const SearchProfile& p : profiles)
            for (const double d : c.diameters)
                for (const RebarChoice& l : c.layouts)
                    tooClose += barSpacingFits(candidate(p, d, l).applyTo(in)) ? 0 : 1;
        EXPECT_GT(tooClose, 0u);
        EXPECT_GE(out.rejected.input, tooClose);
        const SearchRejections& r = out.rejected;
        EXPECT_EQ(out.passing + r.input + r.scope + r.resistance + r.target, out.evaluated);
        // a second layer of bars up to 20 mm lies 20 mm from the first: enough
        // for an aggregate of 8 mm (20), not for 16 mm (21)
        if (dg == 8)
            EXPECT_GT(closeSmallBars(out), 0);
        else
            EXPECT_EQ(closeSmallBars(out), 0);
    }
}

TEST(Search, DefaultProjectWholeCatalogueFindsItsLightestSection)
{
    const auto profiles = searchProfiles(ProfileCatalogue::open(std::string(QELN_BIN_DIR) + "/" + kProfileTableFile, ""));
    const ColumnInput in = withLoads(3000, 1800, FireClass::R90);
    SearchControl control;
    control.threads = 0;
    const SearchOutcome out = searchSections(in, profiles, SearchConstraints{}, control);
    EXPECT_EQ(out.evaluated, 471u * 7 * 4);
    ASSERT_GT(out.passing, 0u);
    const SearchCandidate& best = out.candidates.front();
    // the best carries the loads, and the default section HE 320 A with its
    // 4 x 20 mm is among the passing candidates but not lighter
    EXPECT_LE(*best.check.utilisation, 1.0);
    EXPECT_LE(*best.check.fireUtilisation, 1.0);
    EXPECT_LE(best.steelMass, componentMasses(ColumnInput{}).steel);
}

// The diameters and layouts as typed in the search's fields; the defaults
// read back from their own texts.
TEST(SearchLists, AsTyped)
{
    const struct {
        const char* text;
        bool ok;
        std::vector<double> values;
    } diameters[] = {
        {"12, 14, 16", true, {12, 14, 16}}, {" 20;25 28\t32 ", true, {20, 25, 28, 32}}, {"12.5", true, {12.5}},
        {"", false, {}}, {" , ", false, {}}, {"12, x", false, {}}, {"0", false, {}}, {"101", false, {}},
        {"-12", false, {}}, {"1e1", false, {}}, {"nan", false, {}},
    };
    for (const auto& c : diameters) {
        std::vector<double> d;
        EXPECT_EQ(parseDiameterList(c.text, d), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(d, c.values) << c.text;
        }
    }
    const struct {
        const char* text;
        bool ok;
        std::vector<RebarChoice> values;
    } layouts[] = {
        {"4+0, 8+0, 4+4, 8+4", true, {{4, 0}, {8, 0}, {4, 4}, {8, 4}}}, {"12+0;16+4", true, {{12, 0}, {16, 4}}},
        {"4", false, {}}, {"4+", false, {}}, {"+4", false, {}}, {"0+0", false, {}},
        {"4+-1", false, {}}, {"", false, {}}, {"4 + 0", false, {}},
    };
    for (const auto& c : layouts) {
        std::vector<RebarChoice> l;
        EXPECT_EQ(parseLayoutList(c.text, l), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(l, c.values) << c.text;
        }
    }
    std::vector<double> d;
    std::vector<RebarChoice> l;
    ASSERT_TRUE(parseDiameterList(diameterListText(defaultSearchDiameters()), d));
    ASSERT_TRUE(parseLayoutList(layoutListText(defaultSearchLayouts()), l));
    EXPECT_EQ(d, defaultSearchDiameters());
    EXPECT_EQ(l, defaultSearchLayouts());
}

} // namespace
