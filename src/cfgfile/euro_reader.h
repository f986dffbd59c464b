#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/diagnostic.h"
#include "cfgfile/nation_names.h"
#include "model/mtxu_collection.h"

namespace velquor::cfg {

/// Called once per line with the 1-based position of the line's first byte.
using ProgressFn = std::function<void(std::size_t position)>;

struct ReadResult {
    std::string currentKey;               // the last nation recognised; empty when none was
    long lines = 0;                       // lines the reader split the file into
    std::vector<Diagnostic> diagnostics;  // only when asked for
};

struct ReadOptions {
    ProgressFn progress;
    bool collectDiagnostics = false;
    /// With collectDiagnostics: only the findings of text a save drops, which
    /// cost nothing on an ordinary line.
    bool droppedOnly = false;
    /// With collectDiagnostics: where the findings go as they are noted instead
    /// of ReadResult::diagnostics, so that those of a failed read survive it.
    std::vector<Diagnostic>* diagnosticsOut = nullptr;
    std::filesystem::path file;  // named in the failure's reason
};

/// Reads bytes (a whole euro.cfg) into catalogue, a freshly built nation
/// catalogue. A line ends at a CR, and the byte after the CR is skipped
/// unread; a single byte after the last line end is not read. Club lines fill
/// the places of the nation of the last recognised header, Champions League
/// first, then UEFA Cup, then Intertoto; club lines under a header that names
/// no nation are skipped. Throws FileError (OrphanClubLine) for a club line
/// before the first header line; the catalogue then holds what was read so far,
/// and the findings (in options.diagnosticsOut) end with that line as an error.
ReadResult readEuro(std::string_view bytes, mtxU_Collection& catalogue, const NationNames& names,
                    const ReadOptions& options = {});

}  // namespace velquor::cfg
