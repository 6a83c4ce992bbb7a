// The numbers-only design run and the section search over the whole catalogue.
#include "calc/method.h"
#include "catalogue/profiles.h"
#include "platform/process.h"
#include "shell/numbersrun.h"
#include "shell/search.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace qeln;

std::string catalogueFile()
{
    return platform::programDirectory() + "/" + kProfileTableFile;
}

void runNumbersOf(benchmark::State& state, DesignCode code)
{
    ColumnInput in;   // defaults: HE 320 A
    useDesignCode(in, code);
    in.e1 = 50;
    in.e2 = 30;
    NumbersRun run;
    for (auto _ : state) {
        runNumbers(in, run);
        benchmark::DoNotOptimize(run.design.table);
    }
}
void BM_DesignRunNumbers(benchmark::State& state) { runNumbersOf(state, DesignCode::ENV1994); }
BENCHMARK(BM_DesignRunNumbers)->Unit(benchmark::kMicrosecond);
// the same run under EN 1994
void BM_DesignRunNumbersEn(benchmark::State& state) { runNumbersOf(state, DesignCode::EN1994); }
BENCHMARK(BM_DesignRunNumbersEn)->Unit(benchmark::kMicrosecond);

// All 471 profiles x 7 diameters x 4 layouts, 3000 / 1800 kN R90, one thread.
void optimiseWholeCatalogue(benchmark::State& state, DesignCode code)
{
    std::vector<SearchProfile> profiles;
    try {
        profiles = searchProfiles(ProfileCatalogue::open(catalogueFile(), ""));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    ColumnInput in;
    useDesignCode(in, code);
    in.nEd = 3000;
    in.nFiEd = 1800;
    in.fireClass = FireClass::R90;
    SearchControl control;
    control.threads = static_cast<unsigned>(state.range(0));
    std::size_t passing = 0, evaluated = 0;
    for (auto _ : state) {
        const SearchOutcome out = searchSections(in, profiles, SearchConstraints{}, control);
        passing = out.passing;
        evaluated = out.evaluated;
        benchmark::DoNotOptimize(out.candidates.data());
    }
    state.counters["evaluated"] = static_cast<double>(evaluated);
    state.counters["passing"] = static_cast<double>(passing);
}
void BM_OptimiseWholeCatalogue(benchmark::State& state) { optimiseWholeCatalogue(state, DesignCode::ENV1994); }
void BM_OptimiseWholeCatalogueEn(benchmark::State& state) { optimiseWholeCatalogue(state, DesignCode::EN1994); }
BENCHMARK(BM_OptimiseWholeCatalogue)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseWholeCatalogueEn)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseWholeCatalogue)->Arg(0)->UseRealTime()->Unit(benchmark::kMillisecond);   // every core

} // namespace
