#include "findings.h"

#include <string>

namespace velquor::cfg {

void Findings::finish() {
    for (const FindingKind& kind : kFindingKinds) {
        const Tally& tally = tallies_[static_cast<std::size_t>(kind.kind)];
        const long more = tally.count - kFindingsPerKind;
        if (more <= 0)
            continue;
        std::string message =
            "\x85 and " + std::to_string(more) + " more " + (more == 1 ? kind.one : kind.several);
        message += more == 1 ? "" : ", the last on line " + std::to_string(tally.lastOmitted);
        out_->push_back({tally.firstOmitted, std::move(message), kind.kind, more});
    }
}

}  // namespace velquor::cfg
