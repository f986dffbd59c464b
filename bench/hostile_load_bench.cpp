// Loading files no modder meant to write, too big for a test's budget: one
// line of 1 GiB, ten million empty lines, only CRs, every byte value over and
// over. The baseline is the read alone, the floor of any load that holds the
// whole file; the goal is a peak of at most twice the file plus 32 MiB.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "cfgfile/euro_file.h"
#include "cfgfile/file_error.h"
#include "heap_meter.h"
#include "load_report.h"
#include "model/nation_catalogue.h"

namespace {

using velquor::bench::HeapMeter;
using velquor::bench::nationNames;
using velquor::bench::reportPeak;
constexpr std::size_t kMiB = 1 << 20;

enum class Hostile { OneLine, EmptyLines, OnlyCRs, EveryByte };

// Streams the file in pieces so that making it costs no heap of its own.
void writeHostile(Hostile kind, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary);
    const auto repeat = [&](const std::string& piece, std::size_t total) {
        std::string chunk;
        while (chunk.size() < kMiB)
            chunk += piece;
        for (std::size_t left = total; left > 0;) {
            const std::size_t n = std::min(left, chunk.size());
            out.write(chunk.data(), static_cast<std::streamsize>(n));
            left -= n;
        }
    };
    switch (kind) {
        case Hostile::OneLine:  // a header the matcher has to scan to its end
            out << '*';
            repeat("x", 1024 * kMiB - 1);
            break;
        case Hostile::EmptyLines:
            out << "*Spain\r\n";
            repeat("\r\n", 20 * 1000 * 1000);
            out << "Madrid FC\r\n";
            break;
        case Hostile::OnlyCRs:
            repeat("\r", 256 * kMiB);
            break;
        case Hostile::EveryByte: {
            std::string bytes;
            for (int b = 0; b < 256; ++b)
                bytes.push_back(static_cast<char>(b));
            out << "*Spain\r\n";
            repeat(bytes, 256 * kMiB);
            break;
        }
    }
}

// One file per kind, made on first use and removed at exit.
class HostileFiles {
  public:
    ~HostileFiles() {
        for (const auto& [kind, path] : paths_) {
            std::error_code ec;
            std::filesystem::remove(path, ec);
        }
    }
    const std::filesystem::path& get(Hostile kind) {
        auto found = paths_.find(kind);
        if (found == paths_.end()) {
            const auto path = std::filesystem::temp_directory_path() /
                              ("velquor-bench-" + std::to_string(::getpid()) + "-hostile-" +
                               std::to_string(static_cast<int>(kind)) + ".cfg");
            writeHostile(kind, path);
            found = paths_.emplace(kind, path).first;
        }
        return found->second;
    }

  private:
    std::map<Hostile, std::filesystem::path> paths_;
};

HostileFiles& files() {
    static HostileFiles instance;
    return instance;
}

void BM_ReadHostileBaseline(benchmark::State& state, Hostile kind) {
    const auto& path = files().get(kind);
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t used = HeapMeter::peakWhile(
            [&] { benchmark::DoNotOptimize(velquor::cfg::readEuroBytes(path)); });
        peak = std::max(peak, used);
    }
    const std::uintmax_t file = std::filesystem::file_size(path);
    reportPeak(state, file, peak);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file));
}

// The editor's load after the backup: the file in one read, then the reader
// into a fresh catalogue. A refusal counts as a load; it is one outcome.
void BM_LoadHostile(benchmark::State& state, Hostile kind) {
    const auto& path = files().get(kind);
    std::size_t peak = 0;
    long refused = 0;
    for (auto _ : state) {
        const std::size_t used = HeapMeter::peakWhile([&] {
            auto catalogue = velquor::BuildNationCatalogue();
            try {
                benchmark::DoNotOptimize(
                    velquor::cfg::loadEuroFile(path, *catalogue, nationNames()));
            } catch (const velquor::cfg::FileError&) {
                ++refused;
            }
        });
        peak = std::max(peak, used);
    }
    state.counters["refused"] = refused > 0 ? 1 : 0;
    const std::uintmax_t file = std::filesystem::file_size(path);
    reportPeak(state, file, peak);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file));
}

#define VELQUOR_HOSTILE(name, kind)                                                       \
    BENCHMARK_CAPTURE(BM_ReadHostileBaseline, name, kind)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(BM_LoadHostile, name, kind)->Unit(benchmark::kMillisecond)

VELQUOR_HOSTILE(one_line_1GiB, Hostile::OneLine);
VELQUOR_HOSTILE(empty_lines_10M, Hostile::EmptyLines);
VELQUOR_HOSTILE(only_crs_256MiB, Hostile::OnlyCRs);
VELQUOR_HOSTILE(every_byte_256MiB, Hostile::EveryByte);

}  // namespace
