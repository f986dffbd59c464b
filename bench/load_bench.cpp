// Loading a large euro.cfg against the floor no line reader can beat: finding
// its line ends. Run with ./dev bench.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "cfgfile/euro_file.h"
#include "cfgfile/euro_reader.h"
#include "heap_meter.h"
#include "model/nation_catalogue.h"
#include "synthetic_euro.h"

namespace {

using velquor::bench::HeapMeter;
constexpr std::size_t kMiB = 1 << 20;

const std::string& fileBytes() {
    static const std::string bytes = velquor::bench::syntheticEuro(64 * kMiB);
    return bytes;
}

const velquor::cfg::NationNames& names() {
    static const velquor::cfg::NationNames table = velquor::cfg::FillNationNames();
    return table;
}

// The same bytes on disk, for the load that includes reading the file.
const std::filesystem::path& filePath() {
    static const std::filesystem::path path = [] {
        const auto p = std::filesystem::temp_directory_path() /
                       ("velquor-bench-" + std::to_string(::getpid()) + "-euro.cfg");
        std::ofstream(p, std::ios::binary) << fileBytes();
        return p;
    }();
    return path;
}

struct RemoveFile {
    ~RemoveFile() {
        std::error_code ec;
        std::filesystem::remove(filePath(), ec);
    }
};

// Peak heap above what was live before, and its relation to the goal of
// twice the file plus 32 MiB.
void reportPeak(benchmark::State& state, std::size_t peakAbove) {
    const double file = static_cast<double>(fileBytes().size());
    state.counters["file_MiB"] = file / kMiB;
    state.counters["peak_heap_MiB"] = static_cast<double>(peakAbove) / kMiB;
    state.counters["peak_per_file"] = static_cast<double>(peakAbove) / file;
    state.counters["peak_goal_met"] = peakAbove <= 2 * fileBytes().size() + 32 * kMiB ? 1 : 0;
}

void BM_LineScanBaseline(benchmark::State& state) {
    const std::string& bytes = fileBytes();
    for (auto _ : state) {
        std::size_t lines = 0;
        const char* p = bytes.data();
        const char* const end = p + bytes.size();
        while (const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(end - p))) {
            ++lines;
            p = static_cast<const char*>(cr) + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LineScanBaseline)->Unit(benchmark::kMillisecond);

// The reader over bytes already in memory, into a fresh catalogue each time,
// as the editor does at every open.
void BM_LoadEuro(benchmark::State& state) {
    const std::string& bytes = fileBytes();
    std::size_t peak = 0;
    long lines = 0;
    for (auto _ : state) {
        const std::size_t before = HeapMeter::live();
        HeapMeter::resetPeak();
        auto catalogue = velquor::BuildNationCatalogue();
        const auto result = velquor::cfg::readEuro(bytes, *catalogue, names());
        lines = result.lines;
        benchmark::DoNotOptimize(catalogue);
        peak = std::max(peak, HeapMeter::peak() - before);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["lines"] = static_cast<double>(lines);
    reportPeak(state, peak);
}
BENCHMARK(BM_LoadEuro)->Unit(benchmark::kMillisecond);

// The whole load from disk: the file in one read, then the reader.
void BM_LoadEuroFile(benchmark::State& state) {
    static RemoveFile cleanup;
    const std::filesystem::path& path = filePath();
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t before = HeapMeter::live();
        HeapMeter::resetPeak();
        auto catalogue = velquor::BuildNationCatalogue();
        benchmark::DoNotOptimize(velquor::cfg::loadEuroFile(path, *catalogue, names()));
        peak = std::max(peak, HeapMeter::peak() - before);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes().size()));
    reportPeak(state, peak);
}
BENCHMARK(BM_LoadEuroFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
