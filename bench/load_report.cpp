#include "load_report.h"

namespace velquor::bench {

namespace {
constexpr double kMiB = 1 << 20;
}

const cfg::NationNames& nationNames() {
    static const cfg::NationNames table = cfg::FillNationNames();
    return table;
}

void reportPeak(benchmark::State& state, std::uintmax_t fileBytes, std::size_t peakAbove) {
    const auto file = static_cast<double>(fileBytes);
    const auto peak = static_cast<double>(peakAbove);
    state.counters["file_MiB"] = file / kMiB;
    state.counters["peak_heap_MiB"] = peak / kMiB;
    state.counters["peak_per_file"] = peak / file;
    state.counters["peak_goal_met"] = peak <= 2 * file + 32 * kMiB ? 1 : 0;
}

}  // namespace velquor::bench
