// Feeds arbitrary bytes to the reader and checks what the writer makes of
// them: nothing crashes, and a file the writer wrote reads back to the same
// model and the same text.
#include <cstdlib>
#include <string_view>

#include "cfgfile/euro_reader.h"
#include "cfgfile/euro_writer.h"
#include "cfgfile/file_error.h"
#include "model/competition.h"
#include "model/nation_catalogue.h"

namespace {

const velquor::cfg::NationNames& names() {
    static const velquor::cfg::NationNames table = velquor::cfg::FillNationNames();
    return table;
}

void check(bool ok) {
    if (!ok)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    using namespace velquor;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto first = BuildNationCatalogue();
    cfg::ReadOptions options;
    options.collectDiagnostics = (size % 2) == 0;
    try {
        cfg::readEuro(bytes, *first, names(), options);
    } catch (const cfg::FileError& e) {
        check(e.kind() == cfg::FileError::Kind::OrphanClubLine);
        check(e.line().has_value());
        return 0;
    }
    // The reader fills places in order, so what it read has no gaps.
    check(cfg::nationsWithGaps(*first).empty());
    const std::string written = cfg::formatEuro(*first);
    auto second = BuildNationCatalogue();
    cfg::readEuro(written, *second, names());
    check(cfg::formatEuro(*second) == written);
    for (const auto& element : *first) {
        const auto& a = static_cast<const Liga&>(*element);
        const auto& b = *findNation(*second, a.key());
        check(a.LigaName == b.LigaName);
        for (const Competition& competition : kCompetitions)
            for (int i = 1; i <= competition.room; ++i)
                check(*competition.place(a, i) == *competition.place(b, i));
    }
    return 0;
}
