// One conversion as the user sees it: a typed date parsed, then every date
// line written in its short form, long form and sentence, plus the time line.
#include <benchmark/benchmark.h>

#include "DateEntry.h"
#include "Corvane.h"
#include "DateLines.h"

namespace {

const char* const kEntries[] = {"2003-12-31 CE 15:55", "5-0544-12-26 OLC",     "104-06-07-29 DV",   "2-099-04-06-1 LVT",
                                "96-1-11-1 SVT",       "-2999-06-01 JC 04:30", "2,455,901.4200 CJD"};

void BM_OneConversion(benchmark::State& state) {
    const char* entry = kEntries[state.range(0)];
    vx::DateEntryInputs inputs;
    inputs.zoneOffset = 330;
    for (auto _ : state) {
        const vx::DateEntryResult r = vx::ParseDateEntry(entry, inputs);
        auto lines = vx::AllCalendarLines(r.moment, inputs.zoneOffset);
        std::string time = vx::TimeLineText(r.moment, inputs.zoneOffset, true, r.calendar);
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(time);
    }
    state.SetLabel(entry);
}
BENCHMARK(BM_OneConversion)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

void BM_ParseOnly(benchmark::State& state) {
    const vx::DateEntryInputs inputs;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vx::ParseDateEntry("2003-12-31 CE 15:55", inputs));
    }
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMicrosecond);

void BM_AllLinesOnly(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(vx::AllCalendarLines(2453005.16, 0));
}
BENCHMARK(BM_AllLinesOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// A Corvane conversion from a day number, and the round trip day -> date ->
// short form -> reader -> day, over days spread through the range.
void BM_CorvaneFromDay(benchmark::State& state) {
    int32_t day = 625400;
    for (auto _ : state) {
        vx::CorvaneDateRecord r;
        r.jdn = day;
        benchmark::DoNotOptimize(vx::CorvaneDateFromDay(r));
        day += 7919;
        if (day > 3912000) day -= 3286000;
    }
}
BENCHMARK(BM_CorvaneFromDay)->Unit(benchmark::kMicrosecond);

void BM_CorvaneRoundTrip(benchmark::State& state) {
    int32_t day = 625400;
    for (auto _ : state) {
        vx::CorvaneDateRecord r;
        r.jdn = day;
        vx::CorvaneDateFromDay(r);
        const std::string text = vx::FormatCorvaneDate(r, 1);
        vx::CorvaneDateRecord back;
        benchmark::DoNotOptimize(vx::ReadCorvaneDate(std::string_view(text).substr(0, text.size() - 4), back));
        day += 7919;
        if (day > 3912000) day -= 3286000;
    }
}
BENCHMARK(BM_CorvaneRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
