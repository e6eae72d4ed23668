// Costs of the lunar computations the window runs most: one day report, one
// month of 42 cells, and the full date search to the end of 2100. The process
// zone is Europe/Moscow from the system database, so every conversion is a
// real zone lookup.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

#include "core/Report.h"

namespace core = noctiva::core;

namespace {

void UseMoscow() {
    setenv("TZ", "Europe/Moscow", 1);
    tzset();
}

void DayReport(benchmark::State& state) {
    UseMoscow();
    const core::DateSerial local = core::SerialFromCivil(2009, 12, 9, 18, 30);
    for (auto _ : state) {
        benchmark::DoNotOptimize(core::ComputeDayReport(local));
    }
}
BENCHMARK(DayReport)->Unit(benchmark::kMicrosecond);

void MonthGrid(benchmark::State& state) {
    UseMoscow();
    for (auto _ : state) {
        benchmark::DoNotOptimize(core::ComputeMonthGrid(2009, 12));
    }
}
BENCHMARK(MonthGrid)->Unit(benchmark::kMicrosecond);

void FullSignSearch(benchmark::State& state) {
    UseMoscow();
    const core::DateSerial from = core::SerialFromCivil(2009, 12, 1, 18, 30);
    size_t found = 0;
    for (auto _ : state) {
        const auto dates = core::FindDates(from, 1, 1, 5, 1);
        found = dates.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["dates"] = core::SearchStepCount(from);
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(FullSignSearch)->Unit(benchmark::kMillisecond);

}  // namespace
