#pragma once

#include <cstddef>

namespace velquor::bench {

/// Live heap bytes of the whole program, counted by its operator new and
/// delete, and the highest value since the last reset.
struct HeapMeter {
    static std::size_t live();
    static std::size_t peak();
    /// Starts a new peak at the current live bytes.
    static void resetPeak();

    /// The peak heap above what was live before, while work runs.
    template <typename Work>
    static std::size_t peakWhile(Work&& work) {
        const std::size_t before = live();
        resetPeak();
        work();
        return peak() - before;
    }
};

}  // namespace velquor::bench
