// The column schedule: 1000 rows without search, numbers only, one core.
#include "catalogue/profiles.h"
#include "platform/process.h"
#include "shell/schedule.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace qeln;

std::string profileTable()
{
    return platform::programDirectory() + "/" + kProfileTableFile;
}

// A building's worth of rows: ten profiles, four storey heights, loads and
// fire classes varying from row to row.
Schedule thousandRows()
{
    const char* profiles[] = {"HE 240 B", "HE 260 B", "HE 280 B", "HE 300 B", "HE 320 B",
                              "HE 340 B", "HE 360 B", "HE 400 B", "HE 300 A", "HE 320 A"};
    const char* classes[] = {"", "R30", "R60", "R90"};
    Schedule s;
    s.columns = {"profileName", "lWeakCold", "lStrongCold", "lWeakFire", "lStrongFire", "nEd", "nFiEd", "fireClass"};
    for (int i = 0; i < 1000; ++i) {
        const double l = 3.0 + 0.3 * (i % 4);
        const double nEd = 1500 + 17 * (i % 200);
        s.rows.push_back({std::string("C").append(std::to_string(i)),
                          {profiles[i % 10], std::to_string(l), std::to_string(l), std::to_string(l / 2),
                           std::to_string(l / 2), std::to_string(nEd), std::to_string(0.45 * nEd), classes[i % 4]},
                          false});
    }
    return s;
}

void BM_Schedule1000RowsNoSearch(benchmark::State& state)
{
    ProfileIndex index;
    try {
        index = ProfileIndex(searchProfiles(ProfileCatalogue::open(profileTable(), "")));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    const Schedule s = thousandRows();
    const ColumnInput base;
    for (auto _ : state) {
        const ScheduleOutcome o = runSchedule(base, s, index);
        benchmark::DoNotOptimize(o.summary);
    }
}
BENCHMARK(BM_Schedule1000RowsNoSearch)->Unit(benchmark::kMillisecond);

} // namespace
