// The one main() of qeln-bench; the benchmark files only register benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
