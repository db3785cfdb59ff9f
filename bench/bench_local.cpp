// The sky from a place: one eclipse's local circumstances, a day's rises,
// transits and sets, and "next solar eclipse seen from here" from starts
// spread over the whole range (each search timed: its p99 and maximum are
// counters).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "PhaseQueries.h"
#include "Search.h"

namespace {

void LocalCircumstancesOfOneEclipse(benchmark::State& state) {
    PhaseEclipseRecord e{};
    syzyg(state.range(0) != 0 ? 317 : 300, state.range(0) != 0 ? 2 : 0, &e);
    LocalEclipseRecord l{};
    for (auto _ : state) benchmark::DoNotOptimize(ecllocal(&e, 52.52, 13.40, 34, &l));
}
BENCHMARK(LocalCircumstancesOfOneEclipse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void RisesAndSetsOfADay(benchmark::State& state) {
    SkyEventRecord events[16];
    double day = 2460676.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(skyevents(day, day + 1, 52.52, 13.40, 34, events, 16));
        day += 1;
    }
}
BENCHMARK(RisesAndSetsOfADay)->Unit(benchmark::kMicrosecond);

// Starts every 9 years from -2990 to 5990 at places around the globe.
void NextSolarEclipseSeenFromHere(benchmark::State& state) {
    vx::InitPhaseConstants();
    const vx::Place places[] = {{52.52, 13.40, 34, ""},
                                {-33.87, 151.21, 0, ""},
                                {-0.18, -78.47, 2850, ""},
                                {64.15, -21.94, 0, ""},
                                {35.68, 139.69, 40, ""}};
    int i = 0;
    std::vector<double> ms;  // each search's own time: the target is on the slowest
    for (auto _ : state) {
        const double start = 625333.0 + 365.25 * (5 + 9 * (i % 998));
        vx::SearchState s;
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(
            vx::RunSearch(vx::Target::SolarEclipseSeenHere, true, start, 0, false, s, &places[i % 5]));
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        ++i;
    }
    std::sort(ms.begin(), ms.end());
    state.counters["p99_ms"] = ms[ms.size() * 99 / 100];
    state.counters["max_ms"] = ms.back();
}
BENCHMARK(NextSolarEclipseSeenFromHere)->Unit(benchmark::kMillisecond);

}  // namespace
