#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

#include "cfgfile/nation_names.h"

namespace velquor::bench {

/// The names the benchmarked loads match header lines against.
const cfg::NationNames& nationNames();

/// Counters for a load's peak heap above what was live before it: the
/// file's size, the peak, their ratio, and whether the peak meets the goal
/// of at most twice the file plus 32 MiB.
void reportPeak(benchmark::State& state, std::uintmax_t fileBytes, std::size_t peakAbove);

}  // namespace velquor::bench
