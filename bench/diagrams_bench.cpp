// The diagrams of a project (both axes' interaction diagrams and 62 numbers-
// only runs for the eccentricity curves) and the four plots drawn from them:
// the desktop program computes them on the GUI thread.
#include "present/plot.h"
#include "shell/diagrams.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qeln;

ColumnInput project()
{
    ColumnInput in;   // defaults: HE 320 A
    in.e1 = 50;
    in.e2 = 30;
    in.nEd = 2500;
    in.nFiEd = 1200;
    in.fireClass = FireClass::R60;
    return in;
}

void BM_ComputeDiagrams(benchmark::State& state)
{
    const ColumnInput in = project();
    for (auto _ : state) {
        Diagrams d = computeDiagrams(in);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_ComputeDiagrams)->Unit(benchmark::kMillisecond);

void BM_DrawFourPlots(benchmark::State& state)
{
    const ColumnInput in = project();
    const Diagrams d = computeDiagrams(in);
    const TextEnv te;
    for (auto _ : state) {
        Picture a = interactionPlot(te, d.weak, Axis::Weak);
        Picture b = interactionPlot(te, d.strong, Axis::Strong);
        Picture c = eccentricityPlot(te, d.weakCurves, Axis::Weak);
        Picture e = eccentricityPlot(te, d.strongCurves, Axis::Strong);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(c);
        benchmark::DoNotOptimize(e);
    }
}
BENCHMARK(BM_DrawFourPlots)->Unit(benchmark::kMillisecond);

} // namespace
