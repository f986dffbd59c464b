#pragma once

#include <cstddef>
#include <iterator>
#include <string>

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
        Count            // not a kind: how many there are
    };

    long line;  // 1-based, as the reader splits the file
    std::string message;
    Kind kind;
    /// Not 0: this stands for that many further findings of its kind, from
    /// this line on, beyond the first kFindingsPerKind.
    long more = 0;

    Severity severity() const;
};

/// What a kind of finding is.
struct FindingKind {
    Diagnostic::Kind kind;
    Diagnostic::Severity severity;
    bool droppedOnSave;   // a save leaves out the text the finding is about
    const char* one;      // the kind named for one finding
    const char* several;  // and for several
};

/// Every kind, in the order of Diagnostic::Kind.
inline constexpr FindingKind kFindingKinds[] = {
    // clang-format off
    {Diagnostic::Kind::CrWithoutLf, Diagnostic::Severity::Warning, false,
     "CR not followed by LF", "CRs not followed by LF"},
    {Diagnostic::Kind::LfAlone, Diagnostic::Severity::Warning, false,
     "line with LF alone", "lines with LF alone"},
    {Diagnostic::Kind::StrayLast, Diagnostic::Severity::Warning, false,
     "stray last character", "stray last characters"},
    {Diagnostic::Kind::OrphanClub, Diagnostic::Severity::Error, false,
     "club line before the first header", "club lines before the first header"},
    {Diagnostic::Kind::NoNation, Diagnostic::Severity::Warning, false,
     "file without a nation", "files without a nation"},
    {Diagnostic::Kind::UnknownHeader, Diagnostic::Severity::Warning, true,
     "header that names no nation", "headers that name no nation"},
    {Diagnostic::Kind::HeaderText, Diagnostic::Severity::Warning, true,
     "header with text beyond its nation's name", "headers with text beyond their nation's name"},
    {Diagnostic::Kind::SecondBlock, Diagnostic::Severity::Warning, true,
     "second block for a nation", "further blocks for a nation"},
    {Diagnostic::Kind::DroppedClub, Diagnostic::Severity::Warning, true,
     "club line beyond a nation's places", "club lines beyond a nation's places"},
    {Diagnostic::Kind::IndentedHeader, Diagnostic::Severity::Warning, false,
     "club line with blanks before \"*\"", "club lines with blanks before \"*\""},
    {Diagnostic::Kind::BlankEdges, Diagnostic::Severity::Warning, false,
     "club name with leading or trailing blanks", "club names with leading or trailing blanks"},
    {Diagnostic::Kind::BlankClub, Diagnostic::Severity::Warning, false,
     "club line of blanks only", "club lines of blanks only"},
    // clang-format on
};
inline constexpr std::size_t kKindCount = static_cast<std::size_t>(Diagnostic::Kind::Count);
static_assert(std::size(kFindingKinds) == kKindCount, "one row for every kind");
static_assert(
    [] {
        for (std::size_t k = 0; k < kKindCount; ++k)
            if (kFindingKinds[k].kind != static_cast<Diagnostic::Kind>(k))
                return false;
        return true;
    }(),
    "the rows in the order of the kinds");

/// What a kind of finding is.
constexpr const FindingKind& findingKind(Diagnostic::Kind kind) {
    return kFindingKinds[static_cast<std::size_t>(kind)];
}

inline Diagnostic::Severity Diagnostic::severity() const {
    return findingKind(kind).severity;
}

/// Whether a save leaves out text that a finding of this kind is about.
constexpr bool droppedOnSave(Diagnostic::Kind kind) {
    return findingKind(kind).droppedOnSave;
}

/// How many findings of one kind are kept; the rest are only counted, so
/// that the findings of any file take little memory.
inline constexpr long kFindingsPerKind = 20;

}  // namespace velquor::cfg
