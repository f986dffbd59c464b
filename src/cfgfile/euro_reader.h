#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/nation_names.h"
#include "model/mtxu_collection.h"

namespace velquor::cfg {

/// Something a modder would not expect the editor to do with a file.
struct Diagnostic {
    enum class Severity { Warning, Error };
    enum class Kind {
        CrWithoutLf,     // a CR whose next byte is not LF: that byte is swallowed
        LfAlone,         // LF inside a line: only CR ends one
        StrayLast,       // one byte after the last line end, never read
        OrphanClub,      // a club line before the first header: the file is refused
        NoNation,        // no header names a nation
        UnknownHeader,   // a header that names no nation: it and its club lines are dropped
        HeaderText,      // header text beyond the nation's name: dropped
        SecondBlock,     // a second block for a nation: what it overwrites is dropped
        DroppedClub,     // a club line beyond the nation's places: dropped
        IndentedHeader,  // blanks before "*": a club line, not a header
        BlankEdges,      // a club name with leading or trailing blanks
        BlankClub,       // a club line of blanks only: it takes a place
    };
    static constexpr int kKinds = static_cast<int>(Kind::BlankClub) + 1;

    long line;  // 1-based, as the reader splits the file
    Severity severity;
    std::string message;
    Kind kind;
    /// Not 0: this stands for that many further findings of its kind, from
    /// this line on, beyond the first kFindingsPerKind.
    long more = 0;
};

/// How many findings of one kind are kept; the rest are only counted, so
/// that the findings of any file take little memory.
inline constexpr long kFindingsPerKind = 20;

/// Whether a save leaves out text that a finding of this kind is about.
bool droppedOnSave(Diagnostic::Kind kind);

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
