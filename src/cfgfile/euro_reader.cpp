#include "euro_reader.h"

#include <algorithm>
#include <array>
#include <functional>

#include "cfgfile/file_error.h"
#include "cfgfile/findings.h"
#include "cfgfile/header_matcher.h"
#include "cfgfile/line_scanner.h"
#include "cfgfile/quoted_excerpt.h"
#include "model/competition.h"
#include "model/nation_catalogue.h"

namespace velquor::cfg {

namespace {

constexpr char kLF = '\n';

std::string describeByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F)
        return "'" + std::string(1, c) + "'";
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

// Where the club lines of the block being read go.
struct Block {
    enum class State { BeforeFirstHeader, UnknownNation, Nation } state = State::BeforeFirstHeader;
    Liga* nation = nullptr;
    std::array<int, kCompetitions.size()> taken{};  // places of each competition taken so far
};

// The catalogue's record for each name, looked up once per read.
class NationCache {
  public:
    NationCache(const mtxU_Collection& catalogue, const NationNames& names)
        : catalogue_(catalogue), names_(names), nations_(names.size()), known_(names.size()) {}

    // nullptr when the catalogue holds no record of that name.
    Liga* nation(int match) {
        const auto i = static_cast<std::size_t>(match);
        if (!known_[i]) {
            nations_[i] = findNation(catalogue_, names_[i]);
            known_[i] = true;
        }
        return nations_[i].get();
    }

  private:
    const mtxU_Collection& catalogue_;
    const NationNames& names_;
    std::vector<std::shared_ptr<Liga>> nations_;
    std::vector<bool> known_;
};

void noteUnknownHeader(Findings& findings, long lineNo, std::string_view line,
                       const NationNames& names) {
    findings.note(Diagnostic::Kind::UnknownHeader, lineNo, [&] {
        const std::string folded = mtxU_Collection::foldKey(line);
        for (const std::string& name : names) {
            const std::size_t at = folded.find(mtxU_Collection::foldKey(name));
            if (at != std::string::npos)
                return "header " + quotedExcerpt(line) +
                       " names no nation: " + quotedExcerpt(line.substr(at, name.size())) +
                       " is not " + quotedExcerpt(name) +
                       " (names are matched in exact letter case); it and its club lines are "
                       "dropped on save";
        }
        return "header " + quotedExcerpt(line) +
               " names no nation; it and its club lines are dropped on save";
    });
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A header holding more than "*", its nation's name and blanks.
void noteHeaderText(Findings& findings, long lineNo, std::string_view line,
                    const NationNames& names, int winner) {
    const std::string& name = names[static_cast<std::size_t>(winner)];
    if (line.size() == name.size() + 1)
        return;  // "*" and the name: the usual header
    const std::size_t at = line.find(name);
    const auto onlyBlanks = [](std::string_view text) {
        return std::all_of(text.begin(), text.end(), isBlank);
    };
    if (onlyBlanks(line.substr(1, at - 1)) && onlyBlanks(line.substr(at + name.size())))
        return;
    findings.note(Diagnostic::Kind::HeaderText, lineNo, [&] {
        std::string found;
        int count = 0;
        for (const std::string& other : names)
            if (line.find(other) != std::string_view::npos)
                found += (count++ ? ", " : "") + other;
        const std::string kept = "\"*" + name + "\"";
        if (count > 1)
            return "header names several nations (" + found + "); " + name +
                   " is taken, and the header is written back as " + kept;
        return "header " + quotedExcerpt(line) + " is written back as " + kept +
               ": the rest of its text is dropped on save";
    });
}

// A club line a modder may read otherwise than the editor does.
void noteClubText(Findings& findings, long lineNo, std::string_view line) {
    if (!isBlank(line.front()) && !isBlank(line.back()))
        return;
    const std::size_t text = line.find_first_not_of(" \t");
    if (text == std::string_view::npos)
        findings.note(Diagnostic::Kind::BlankClub, lineNo, [&] {
            return "club line " + quotedExcerpt(line) +
                   " holds only blanks: it is read as a club name, not as an empty line";
        });
    else if (line[text] == '*')
        findings.note(Diagnostic::Kind::IndentedHeader, lineNo, [&] {
            return "line " + quotedExcerpt(line) +
                   " starts with blanks before \"*\": it is a club line, not a header";
        });
    else
        findings.note(Diagnostic::Kind::BlankEdges, lineNo, [&] {
            return "club name " + quotedExcerpt(line) +
                   " has leading or trailing blanks: they are part of the name";
        });
}

void noteDropped(const Liga& rec, std::string_view line, Findings& findings, long lineNo) {
    findings.note(Diagnostic::Kind::DroppedClub, lineNo, [&] {
        int places = 0;
        for (const Competition& competition : kCompetitions)
            places += rec.*competition.places;
        return "club line " + quotedExcerpt(line) + " is beyond " + rec.LigaName + "'s " +
               std::to_string(places) + (places == 1 ? " place" : " places") +
               " and is dropped on save";
    });
}

// text = line, a little faster: clear() and append() reuse the buffer without
// assign's general replace, which showed in the profile of large files.
inline void overwrite(std::string& text, std::string_view line) {
    const std::less<const char*> before;
    const bool inside =
        !before(line.data(), text.data()) && before(line.data(), text.data() + text.capacity() + 1);
    if (inside) {  // bytes that are this very text: assign copes with that
        text.assign(line);
        return;
    }
    text.clear();
    text.append(line);
}

// Inline: it runs for most lines of a file.
inline void storeClub(Block& block, std::string_view line, Findings& findings, long lineNo) {
    Liga& rec = *block.nation;
    // The places in running order. A count above a record's room still takes
    // its lines; only those with room are stored.
    for (std::size_t c = 0; c < kCompetitions.size(); ++c) {
        const Competition& competition = kCompetitions[c];
        int& taken = block.taken[c];
        if (taken < rec.*competition.places) {
            if (taken < competition.room)
                overwrite(rec.*competition.members[static_cast<std::size_t>(taken)], line);
            ++taken;
            return;
        }
    }
    if (findings.enabled())
        noteDropped(rec, line, findings, lineNo);
}

// What the lines mean: a header picks the nation whose places the club lines
// after it fill, and findings are noted on the way.
class BlockReader {
  public:
    BlockReader(mtxU_Collection& catalogue, const NationNames& names, const ReadOptions& options,
                std::vector<Diagnostic>* noted)
        : names_(names),
          file_(options.file),
          findings_(options.collectDiagnostics ? noted : nullptr, options.droppedOnly),
          matcher_(names),
          nations_(catalogue, names),
          nationsSeen_(names.size()),
          noting_(findings_.enabled()),
          notingLines_(noting_ && !options.droppedOnly) {}

    void take(const ScannedLine& line) {
        if (notingLines_)
            noteLineEnd(line);
        if (line.text.empty())
            return;
        if (line.text.front() == '*')
            header(line);
        else
            club(line);
    }

    // After the last line: the byte left unread, if any, and the findings' summaries.
    void finish(std::string_view unread, long lines) {
        if (notingLines_ && !unread.empty())
            findings_.note(Diagnostic::Kind::StrayLast, lines + 1, [&] {
                return "the last character, " + describeByte(unread.front()) +
                       ", stands alone after the last line end and is not read";
            });
        if (noting_)
            findings_.finish();
    }

    // The last nation recognised; empty when none was.
    std::string currentKey() const {
        return lastNation_ < 0 ? std::string() : names_[static_cast<std::size_t>(lastNation_)];
    }

  private:
    void noteLineEnd(const ScannedLine& line) {
        if (line.end.size() == 2 && line.end[1] != kLF)
            findings_.note(Diagnostic::Kind::CrWithoutLf, line.number, [&] {
                return "CR not followed by LF swallows " + describeByte(line.end[1]) +
                       ", the first character of the next line";
            });
        if (line.text.find(kLF) != std::string_view::npos)
            findings_.note(Diagnostic::Kind::LfAlone, line.number, [] {
                return std::string(
                    "line ends with LF alone: only CR LF ends a line, so these lines read as one");
            });
    }

    void club(const ScannedLine& line) {
        if (notingLines_ && block_.state != Block::State::BeforeFirstHeader)
            noteClubText(findings_, line.number, line.text);
        switch (block_.state) {
            case Block::State::BeforeFirstHeader:
                refuseOrphan(line);
            case Block::State::UnknownNation:
                break;
            case Block::State::Nation:
                storeClub(block_, line.text, findings_, line.number);
                break;
        }
    }

    [[noreturn]] void refuseOrphan(const ScannedLine& line) {
        std::string reason =
            "club line " + quotedExcerpt(line.text) + " comes before the first nation header";
        if (noting_) {
            findings_.note(Diagnostic::Kind::OrphanClub, line.number,
                           [&] { return reason + ": the editor refuses the file"; });
            findings_.finish();
        }
        throw FileError(FileError::Kind::OrphanClubLine, file_, std::move(reason), line.number);
    }

    void header(const ScannedLine& line) {
        const int match = matcher_.match(line.text);
        Liga* nation = match < 0 ? nullptr : nations_.nation(match);
        if (!nation) {
            block_ = Block{Block::State::UnknownNation};
            if (noting_)
                noteUnknownHeader(findings_, line.number, line.text, names_);
            return;
        }
        const std::string& name = names_[static_cast<std::size_t>(match)];
        lastNation_ = match;
        block_ = Block{Block::State::Nation, nation};
        overwrite(nation->LigaName, name);
        if (noting_)
            noteHeader(line, match);
    }

    void noteHeader(const ScannedLine& line, int match) {
        noteHeaderText(findings_, line.number, line.text, names_, match);
        const auto i = static_cast<std::size_t>(match);
        if (nationsSeen_[i])
            findings_.note(Diagnostic::Kind::SecondBlock, line.number, [&] {
                return "second block for " + names_[i] +
                       " starts again at its first place: the clubs it overwrites are dropped "
                       "on save";
            });
        nationsSeen_[i] = true;
    }

    const NationNames& names_;
    const std::filesystem::path& file_;
    Findings findings_;
    const HeaderMatcher matcher_;
    NationCache nations_;
    std::vector<bool> nationsSeen_;
    Block block_;
    int lastNation_ = -1;
    const bool noting_;
    const bool notingLines_;  // findings on any line, not only those of text a save drops
};

}  // namespace

ReadResult readEuro(std::string_view bytes, mtxU_Collection& catalogue, const NationNames& names,
                    const ReadOptions& options) {
    ReadResult result;
    BlockReader reader(catalogue, names, options,
                       options.diagnosticsOut ? options.diagnosticsOut : &result.diagnostics);
    LineScanner scanner(bytes);
    const bool reporting = static_cast<bool>(options.progress);
    for (ScannedLine line; scanner.next(line);) {
        if (reporting)
            options.progress(line.position);
        reader.take(line);
    }
    reader.finish(scanner.unread(), scanner.lines());
    result.currentKey = reader.currentKey();
    result.lines = scanner.lines();
    return result;
}

}  // namespace velquor::cfg
