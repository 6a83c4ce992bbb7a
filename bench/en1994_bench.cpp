// Timing of the EN 1994 run, numbers only: the default project under EN with
// e1 = 50 mm and e2 = 30 mm (both eccentric searches and both biaxial
// variants, cold and with the fire lengths, and the four fire classes).
#include "calc/method.h"
#include "calc/en1994/design.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qeln;

void BM_EnDesignRun(benchmark::State& state)
{
    ColumnInput in;
    useDesignCode(in, DesignCode::EN1994);
    in.e1 = 50;
    in.e2 = 30;
    for (auto _ : state) {
        const en1994::Outcome o = en1994::design(in, in.fy);
        benchmark::DoNotOptimize(o.table);
    }
}
BENCHMARK(BM_EnDesignRun)->Unit(benchmark::kMicrosecond);

} // namespace
