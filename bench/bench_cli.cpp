// vexaril-cli's long listings as the command runs them, the output thrown
// away: the phases of the whole range, a thousand years of them, and their
// iCalendar export.
#include <benchmark/benchmark.h>

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "CliCommands.h"

namespace {

// Takes every character and keeps none, so the formatting is measured but
// no memory grows.
class NullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_CliListing(benchmark::State& state, const std::vector<std::string>& args) {
    NullBuffer buffer;
    std::ostream out(&buffer);
    std::ostringstream err;
    for (auto _ : state) {
        if (vx::cli::RunCli(args, out, err) != vx::cli::ExitDone) state.SkipWithError("the command failed");
    }
}
BENCHMARK_CAPTURE(BM_CliListing, phases_whole_range, {"phases", "-3000", "6000"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CliListing, solar_eclipses_geography, {"eclipses", "-3000", "6000", "--solar", "--geography"})
    ->Unit(benchmark::kMillisecond);
// One eclipse map: its lines on the Earth and the SVG document.
BENCHMARK_CAPTURE(BM_CliListing, map_solar_2024_04_08, {"map", "300"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CliListing, map_lunar_2024_09_18, {"map", "305", "--lunar"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CliListing, phases_1000_years, {"phases", "1000", "1999"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CliListing, ics_phases_1_5999, {"ics", "phases", "1", "5999"})->Unit(benchmark::kMillisecond);

}  // namespace
