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
#include "load_report.h"
#include "model/nation_catalogue.h"
#include "synthetic_euro.h"

namespace {

using velquor::bench::HeapMeter;
using velquor::bench::nationNames;
using velquor::bench::reportPeak;
constexpr std::size_t kMiB = 1 << 20;

const std::string& fileBytes() {
    static const std::string bytes = velquor::bench::syntheticEuro(64 * kMiB);
    return bytes;
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
        const std::size_t used = HeapMeter::peakWhile([&] {
            auto catalogue = velquor::BuildNationCatalogue();
            lines = velquor::cfg::readEuro(bytes, *catalogue, nationNames()).lines;
            benchmark::DoNotOptimize(catalogue);
        });
        peak = std::max(peak, used);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["lines"] = static_cast<double>(lines);
    reportPeak(state, fileBytes().size(), peak);
}
BENCHMARK(BM_LoadEuro)->Unit(benchmark::kMillisecond);

// The whole load from disk: the file in one read, then the reader.
void BM_LoadEuroFile(benchmark::State& state) {
    static RemoveFile cleanup;
    const std::filesystem::path& path = filePath();
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t used = HeapMeter::peakWhile([&] {
            auto catalogue = velquor::BuildNationCatalogue();
            benchmark::DoNotOptimize(velquor::cfg::loadEuroFile(path, *catalogue, nationNames()));
        });
        peak = std::max(peak, used);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes().size()));
    reportPeak(state, fileBytes().size(), peak);
}
BENCHMARK(BM_LoadEuroFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
