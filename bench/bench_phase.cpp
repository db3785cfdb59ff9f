// The phase library and the phase queries: one phase without an eclipse, a
// new or full moon with one, the lunation of a moment, and the listing of
// every eclipse from -3000 to 6000.
#include <benchmark/benchmark.h>

#include "PhaseQueries.h"
#include "vxphase.h"

namespace {

void BM_SyzygyQuarter(benchmark::State& state) {
    PhaseEclipseRecord rec{};
    int32_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(syzyg(n, 1, &rec));
        n = (n + 997) % 100000 - 50000;
    }
}
BENCHMARK(BM_SyzygyQuarter)->Unit(benchmark::kMicrosecond);

void BM_SyzygyNewMoonNoEclipse(benchmark::State& state) {
    PhaseEclipseRecord rec{};
    for (auto _ : state) benchmark::DoNotOptimize(syzyg(2, 0, &rec));  // 2000-03-06: no eclipse
}
BENCHMARK(BM_SyzygyNewMoonNoEclipse)->Unit(benchmark::kMicrosecond);

void BM_SyzygySolarEclipse(benchmark::State& state) {
    PhaseEclipseRecord rec{};
    for (auto _ : state) benchmark::DoNotOptimize(syzyg(218, 0, &rec));  // 2017-08-21 total
}
BENCHMARK(BM_SyzygySolarEclipse)->Unit(benchmark::kMicrosecond);

void BM_SyzygyLunarEclipse(benchmark::State& state) {
    PhaseEclipseRecord rec{};
    for (auto _ : state) benchmark::DoNotOptimize(syzyg(282, 2, &rec));  // 2022-11-08 total
}
BENCHMARK(BM_SyzygyLunarEclipse)->Unit(benchmark::kMicrosecond);

// Where an eclipse is seen, from the record syzyg wrote.
void BM_EclipseGeography(benchmark::State& state) {
    PhaseEclipseRecord r{};
    syzyg(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)), &r);
    EclipseGeographyRecord g{};
    for (auto _ : state) benchmark::DoNotOptimize(eclgeo(&r, &g));
}
BENCHMARK(BM_EclipseGeography)->Args({300, 0})->Args({305, 2})->Unit(benchmark::kMicrosecond);

void BM_LunationOf(benchmark::State& state) {
    vx::InitPhaseConstants();
    double moment = 625400.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vx::LunationOf(moment));
        moment += 7919.37;
        if (moment > 3912000.0) moment -= 3286000.0;
    }
}
BENCHMARK(BM_LunationOf)->Unit(benchmark::kMicrosecond);

void BM_AllEclipses(benchmark::State& state) {
    vx::InitPhaseConstants();
    const int32_t first = vx::LunationOf(625333.0) - 1, last = vx::LunationOf(3912515.0) + 1;
    for (auto _ : state) {
        PhaseEclipseRecord rec{};
        int count = 0;
        for (int32_t n = first; n <= last; ++n) {
            for (vx::PhaseKind k : {vx::NewMoon, vx::FullMoon}) {
                if (!vx::EclipsePossible(n, k)) continue;
                syzyg(n, k, &rec);
                count += rec.kind > 0;
            }
        }
        state.counters["eclipses"] = count;
    }
}
BENCHMARK(BM_AllEclipses)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "Moment.h"
#include "Search.h"

namespace {

// Every searchable target in both directions from 2,000 moments spread over
// the range; reports the median, p99 and largest time of one search.
void BM_SearchesAcrossTheRange(benchmark::State& state) {
    vx::InitPhaseConstants();
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> when(vx::FirstSupportedMoment + 40, vx::LastSupportedMoment - 40);
    std::vector<double> times;
    for (auto _ : state) {
        for (int i = 0; i < 2000; ++i) {
            const double t = when(rng);
            for (vx::SearchTarget target = 0; target < vx::NumberOfSearchTargets; ++target) {
                if (target == 5 || target == 14) continue;
                for (bool next : {true, false}) {
                    vx::SearchState s;
                    const auto a = std::chrono::steady_clock::now();
                    benchmark::DoNotOptimize(vx::RunSearch(target, next, t, 0, target == vx::SarosTarget, s));
                    times.push_back(
                        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count());
                }
            }
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p99_ms"] = times[times.size() * 99 / 100];
    state.counters["max_ms"] = times.back();
}
BENCHMARK(BM_SearchesAcrossTheRange)->Unit(benchmark::kMillisecond)->Iterations(1);

// A search that finds nothing: the next coincidence or eclipse from near the
// end of the range, and the previous from near its start.
void BM_SearchToTheEnd(benchmark::State& state) {
    vx::InitPhaseConstants();
    const vx::SearchTarget target = static_cast<vx::SearchTarget>(state.range(0));
    for (auto _ : state) {
        vx::SearchState s;
        benchmark::DoNotOptimize(vx::RunSearch(target, true, vx::LastSupportedMoment - 20, 0, false, s));
    }
}
BENCHMARK(BM_SearchToTheEnd)->Arg(8)->Arg(15)->Unit(benchmark::kMillisecond);

}  // namespace
