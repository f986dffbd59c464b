#pragma once

#include <array>
#include <vector>

#include "cfgfile/diagnostic.h"

namespace velquor::cfg {

/// Collects what a modder would not expect; does nothing unless asked to.
/// Keeps the first kFindingsPerKind of each kind and only counts the rest, so
/// a file of millions of odd lines costs no more memory than a file of a few.
class Findings {
  public:
    /// out null: nothing is collected. droppedOnly: only the kinds a save drops.
    Findings(std::vector<Diagnostic>* out, bool droppedOnly)
        : out_(out), droppedOnly_(droppedOnly) {}
    bool enabled() const { return out_ != nullptr; }
    /// Notes a finding; message() runs only for those that are kept.
    template <typename Message>
    void note(Diagnostic::Kind kind, long line, Message&& message) {
        if (droppedOnly_ && !droppedOnSave(kind))
            return;
        Tally& tally = tallies_[static_cast<std::size_t>(kind)];
        if (++tally.count <= kFindingsPerKind) {
            out_->push_back({line, message(), kind});
            return;
        }
        if (tally.count == kFindingsPerKind + 1)
            tally.firstOmitted = line;
        tally.lastOmitted = line;
    }
    /// One finding for each kind's omitted ones; call once, at the end.
    void finish();

  private:
    struct Tally {
        long count = 0;
        long firstOmitted = 0;
        long lastOmitted = 0;
    };
    std::vector<Diagnostic>* out_;
    bool droppedOnly_;
    std::array<Tally, kKindCount> tallies_{};
};

}  // namespace velquor::cfg
