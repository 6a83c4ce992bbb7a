// Whole design runs as the calculate command does them: the default project,
// and every profile of the catalogue with the default rebars.
#include "catalogue/profiles.h"
#include "platform/process.h"
#include "shell/run.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace qeln;

std::string catalogueBesideProgram()
{
    return platform::programDirectory() + "/" + kProfileTableFile;
}

bool runOnce(const ColumnInput& in, RunState& st)
{
    RecordingSink sink;
    TextEnv env;
    env.sink = &sink;
    RunPresenter presenter;
    return calculate(env, in, st, presenter, isoDateTime);
}

void BM_CalculateDefaultProject(benchmark::State& state)
{
    const ColumnInput in;   // defaults: HE 320 A
    RunState st;
    for (auto _ : state) {
        const bool valid = runOnce(in, st);
        benchmark::DoNotOptimize(valid);
        benchmark::DoNotOptimize(st.results.table);
    }
}
BENCHMARK(BM_CalculateDefaultProject)->Unit(benchmark::kMicrosecond);

void BM_CalculateEveryCatalogueProfile(benchmark::State& state)
{
    std::vector<SteelProfile> profiles;
    try {
        auto cat = ProfileCatalogue::open(catalogueBesideProgram(), "");
        for (int rec : cat.visibleRecords())
            profiles.push_back(cat.row(rec));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    RunState st;
    std::int64_t valid = 0;
    for (auto _ : state) {
        for (const SteelProfile& p : profiles) {
            ColumnInput in;
            in.profileName = cutText(p.profileName, kShortTextMax);
            in.h = p.h;
            in.b = p.b;
            in.tw = p.tw;
            in.tf = p.tf;
            in.r = p.r;
            in.movrixAvailable = p.movrix;
            valid += runOnce(in, st) ? 1 : 0;
        }
    }
    state.counters["profiles"] = static_cast<double>(profiles.size());
    state.counters["valid/batch"] = static_cast<double>(valid) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CalculateEveryCatalogueProfile)->Unit(benchmark::kMillisecond);

} // namespace
