#include "euro_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

#include "cfgfile/file_error.h"
#include "model/nation_catalogue.h"

namespace velquor::cfg {

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

std::string shown(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    out.append(text.substr(0, kShown));
    if (text.size() > kShown)
        out += "...";
    return out + "\"";
}

std::string describeByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F)
        return "'" + std::string(1, c) + "'";
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

// The words for a kind of finding, one and several of them.
struct KindWords {
    const char* one;
    const char* several;
};

const KindWords& wordsFor(Diagnostic::Kind kind) {
    static const std::array<KindWords, Diagnostic::kKinds> words = {{
        {"CR not followed by LF", "CRs not followed by LF"},
        {"line with LF alone", "lines with LF alone"},
        {"stray last character", "stray last characters"},
        {"club line before the first header", "club lines before the first header"},
        {"file without a nation", "files without a nation"},
        {"header that names no nation", "headers that name no nation"},
        {"header with text beyond its nation's name",
         "headers with text beyond their nation's name"},
        {"second block for a nation", "further blocks for a nation"},
        {"club line beyond a nation's places", "club lines beyond a nation's places"},
        {"club line with blanks before \"*\"", "club lines with blanks before \"*\""},
        {"club name with leading or trailing blanks", "club names with leading or trailing blanks"},
        {"club line of blanks only", "club lines of blanks only"},
    }};
    return words[static_cast<std::size_t>(kind)];
}

// Collects what a modder would not expect; does nothing unless asked to.
// Keeps the first kFindingsPerKind of each kind and only counts the rest, so
// a file of millions of odd lines costs no more memory than a file of a few.
class Findings {
  public:
    Findings(std::vector<Diagnostic>* out, bool droppedOnly)
        : out_(out), droppedOnly_(droppedOnly) {}
    bool enabled() const { return out_ != nullptr; }
    // Notes a finding; message() runs only for those that are kept.
    template <typename Message>
    void note(Diagnostic::Kind kind, long line, Message&& message,
              Diagnostic::Severity severity = Diagnostic::Severity::Warning) {
        if (droppedOnly_ && !droppedOnSave(kind))
            return;
        Tally& tally = tallies_[static_cast<std::size_t>(kind)];
        if (++tally.count <= kFindingsPerKind) {
            out_->push_back({line, severity, message(), kind});
            return;
        }
        if (tally.count == kFindingsPerKind + 1) {
            tally.firstOmitted = line;
            tally.severity = severity;
        }
        tally.lastOmitted = line;
    }
    // One finding for each kind's omitted ones; call once, at the end.
    void finish() {
        for (int k = 0; k < Diagnostic::kKinds; ++k) {
            const Tally& tally = tallies_[static_cast<std::size_t>(k)];
            const long more = tally.count - kFindingsPerKind;
            if (more <= 0)
                continue;
            const auto kind = static_cast<Diagnostic::Kind>(k);
            const KindWords& words = wordsFor(kind);
            std::string message = "\x85 and " + std::to_string(more) + " more " +
                                  (more == 1 ? words.one : words.several);
            message += more == 1 ? "" : ", the last on line " + std::to_string(tally.lastOmitted);
            out_->push_back({tally.firstOmitted, tally.severity, std::move(message), kind, more});
        }
    }

  private:
    struct Tally {
        long count = 0;
        long firstOmitted = 0;
        long lastOmitted = 0;
        Diagnostic::Severity severity = Diagnostic::Severity::Warning;
    };
    std::vector<Diagnostic>* out_;
    bool droppedOnly_;
    std::array<Tally, Diagnostic::kKinds> tallies_{};
};

// A catalogue record with its places resolved once per read, so that storing
// a club costs no lookup.
struct Nation {
    explicit Nation(std::shared_ptr<Liga> rec) : owner(std::move(rec)), record(owner.get()) {
        for (int i = 0; i < Liga::kMaxUcl; ++i)
            ucl[static_cast<std::size_t>(i)] = record->ucl(i + 1);
        for (int i = 0; i < Liga::kMaxUefa; ++i)
            uefa[static_cast<std::size_t>(i)] = record->uefa(i + 1);
        for (int i = 0; i < Liga::kMaxIntertoto; ++i)
            intertoto[static_cast<std::size_t>(i)] = record->intertoto(i + 1);
    }
    std::shared_ptr<Liga> owner;
    Liga* record;
    std::array<std::string*, Liga::kMaxUcl> ucl;
    std::array<std::string*, Liga::kMaxUefa> uefa;
    std::array<std::string*, Liga::kMaxIntertoto> intertoto;
};

// Where the club lines of the block being read go.
struct Block {
    enum class State { BeforeFirstHeader, UnknownNation, Nation } state = State::BeforeFirstHeader;
    const Nation* nation = nullptr;
    int ucl = 1, uefa = 1, intertoto = 1;  // next place of each competition
};

// Finds the nation of a header line exactly as matchNation does (the first
// name in table order that the line holds), but in one pass over the line,
// trying at each byte only the names that start with it and could still win:
// a large file holds hundreds of thousands of headers, and one search per
// name each was most of the reading time.
class HeaderMatcher {
  public:
    explicit HeaderMatcher(const NationNames& names)
        : names_(names), soleInBareHeader_(names.size()) {
        std::array<std::vector<int>, 256> byFirstByte;
        minIndex_.fill(kNone);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int index = static_cast<int>(i);
            if (names[i].empty()) {
                // An empty name is in every line; no later name can win.
                if (always_ == kNone)
                    always_ = index;
                continue;
            }
            const auto first = static_cast<unsigned char>(names[i].front());
            byFirstByte[first].push_back(index);
            minIndex_[first] = std::min(minIndex_[first], index);
            // "*" and this name: does an earlier name hide in it?
            const std::string bare = "*" + names[i];
            soleInBareHeader_[i] =
                std::none_of(names.begin(), names.begin() + index, [&](const std::string& earlier) {
                    return bare.find(earlier) != std::string::npos;
                });
        }
        // One flat list, ascending within each byte, so the loop below stays in registers.
        for (std::size_t b = 0; b < byFirstByte.size(); ++b) {
            first_[b] = static_cast<std::uint32_t>(candidates_.size());
            candidates_.insert(candidates_.end(), byFirstByte[b].begin(), byFirstByte[b].end());
        }
        first_[256] = static_cast<std::uint32_t>(candidates_.size());
    }

    int match(std::string_view line) const {
        if (const int bare = bareHeader(line); bare != kNone)
            return bare;
        int best = always_;  // kNone, above every index, while nothing is found
        const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
        for (std::size_t at = 0; at < line.size() && best != 0; ++at) {
            if (minIndex_[bytes[at]] >= best)
                continue;
            for (std::uint32_t c = first_[bytes[at]]; c < first_[bytes[at] + 1]; ++c) {
                const int i = candidates_[c];
                if (i >= best)
                    break;
                if (fitsAt(line, at, names_[static_cast<std::size_t>(i)])) {
                    best = i;  // the first that fits is the best at this byte
                    break;
                }
            }
        }
        return best == kNone ? -1 : best;
    }

  private:
    static constexpr int kNone = std::numeric_limits<int>::max();

    static bool fitsAt(std::string_view line, std::size_t at, const std::string& name) {
        // The second byte first: most candidates fail there, without a call.
        if (name.size() > 1 && (at + 1 >= line.size() || line[at + 1] != name[1]))
            return false;
        return line.substr(at).starts_with(name);
    }

    // The usual header, "*" and one name and nothing else, when no earlier
    // name is part of it; kNone otherwise.
    int bareHeader(std::string_view line) const {
        if (always_ != kNone || line.size() < 2)
            return kNone;
        const auto b = static_cast<unsigned char>(line[1]);
        for (std::uint32_t c = first_[b]; c < first_[b + 1]; ++c) {
            const int i = candidates_[c];
            const std::string& name = names_[static_cast<std::size_t>(i)];
            if (name.size() == line.size() - 1 && fitsAt(line, 1, name))
                return soleInBareHeader_[static_cast<std::size_t>(i)] ? i : kNone;
        }
        return kNone;
    }

    const NationNames& names_;
    std::array<std::uint32_t, 257> first_{};  // candidates_ of byte b: [first_[b], first_[b + 1])
    std::vector<int> candidates_;
    std::array<int, 256> minIndex_;  // the lowest index of a name starting with the byte
    std::vector<bool> soleInBareHeader_;
    int always_ = kNone;
};

// The catalogue's record for each name, looked up once per read.
class NationCache {
  public:
    NationCache(const mtxU_Collection& catalogue, const NationNames& names)
        : catalogue_(catalogue), names_(names), nations_(names.size()), known_(names.size()) {}

    // nullptr when the catalogue holds no record of that name.
    const Nation* nation(int match) {
        const auto i = static_cast<std::size_t>(match);
        if (!known_[i]) {
            if (auto rec = findNation(catalogue_, names_[i]))
                nations_[i] = std::make_unique<Nation>(std::move(rec));
            known_[i] = true;
        }
        return nations_[i].get();
    }

  private:
    const mtxU_Collection& catalogue_;
    const NationNames& names_;
    std::vector<std::unique_ptr<Nation>> nations_;
    std::vector<bool> known_;
};

void noteUnknownHeader(Findings& findings, long lineNo, std::string_view line,
                       const NationNames& names) {
    findings.note(Diagnostic::Kind::UnknownHeader, lineNo, [&] {
        const std::string folded = mtxU_Collection::foldKey(line);
        for (const std::string& name : names) {
            const std::size_t at = folded.find(mtxU_Collection::foldKey(name));
            if (at != std::string::npos)
                return "header " + shown(line) +
                       " names no nation: " + shown(line.substr(at, name.size())) + " is not " +
                       shown(name) +
                       " (names are matched in exact letter case); it and its club lines are "
                       "dropped on save";
        }
        return "header " + shown(line) +
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
        return "header " + shown(line) + " is written back as " + kept +
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
            return "club line " + shown(line) +
                   " holds only blanks: it is read as a club name, not as an empty line";
        });
    else if (line[text] == '*')
        findings.note(Diagnostic::Kind::IndentedHeader, lineNo, [&] {
            return "line " + shown(line) +
                   " starts with blanks before \"*\": it is a club line, not a header";
        });
    else
        findings.note(Diagnostic::Kind::BlankEdges, lineNo, [&] {
            return "club name " + shown(line) +
                   " has leading or trailing blanks: they are part of the name";
        });
}

void noteDropped(const Liga& rec, std::string_view line, Findings& findings, long lineNo) {
    findings.note(Diagnostic::Kind::DroppedClub, lineNo, [&] {
        const int places = rec.NUCL + rec.NUEFA + rec.NIntertoto;
        return "club line " + shown(line) + " is beyond " + rec.LigaName + "'s " +
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
    const Nation& nation = *block.nation;
    const Liga& rec = *nation.record;
    // A count above a record's room still takes its lines; only those with room are stored.
    if (block.ucl <= rec.NUCL) {
        if (block.ucl <= Liga::kMaxUcl)
            overwrite(*nation.ucl[static_cast<std::size_t>(block.ucl - 1)], line);
        ++block.ucl;
    } else if (block.uefa <= rec.NUEFA) {
        if (block.uefa <= Liga::kMaxUefa)
            overwrite(*nation.uefa[static_cast<std::size_t>(block.uefa - 1)], line);
        ++block.uefa;
    } else if (block.intertoto <= rec.NIntertoto) {
        if (block.intertoto <= Liga::kMaxIntertoto)
            overwrite(*nation.intertoto[static_cast<std::size_t>(block.intertoto - 1)], line);
        ++block.intertoto;
    } else if (findings.enabled()) {
        noteDropped(rec, line, findings, lineNo);
    }
}

}  // namespace

bool droppedOnSave(Diagnostic::Kind kind) {
    using Kind = Diagnostic::Kind;
    return kind == Kind::UnknownHeader || kind == Kind::HeaderText || kind == Kind::SecondBlock ||
           kind == Kind::DroppedClub;
}

ReadResult readEuro(std::string_view bytes, mtxU_Collection& catalogue, const NationNames& names,
                    const ReadOptions& options) {
    ReadResult result;
    std::vector<Diagnostic>* noted =
        options.diagnosticsOut ? options.diagnosticsOut : &result.diagnostics;
    Findings findings(options.collectDiagnostics ? noted : nullptr, options.droppedOnly);
    std::vector<bool> nationsSeen(names.size());
    Block block;
    const HeaderMatcher matcher(names);
    NationCache nations(catalogue, names);
    // Held in locals: the compiler cannot keep them in registers across the stores into records.
    const bool noting = findings.enabled();
    const bool notingLines = noting && !options.droppedOnly;  // findings on any line
    const bool reporting = static_cast<bool>(options.progress);
    int lastNation = -1;

    const char* data = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t p = 0;  // 0-based: the file's character p + 1
    long lineNo = 0;

    // A line is read only while at least two characters remain: a single
    // character after the last line end is left unread.
    while (p + 1 < n) {
        ++lineNo;
        if (reporting)
            options.progress(p + 1);
        const void* cr = std::memchr(data + p, kCR, n - p);
        const std::size_t end =
            cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : n;
        const std::string_view line(data + p, end - p);
        p = end + 2;  // past the CR and the character after it, whatever that is

        if (notingLines) {
            if (end + 1 < n && data[end + 1] != kLF)
                findings.note(Diagnostic::Kind::CrWithoutLf, lineNo, [&] {
                    return "CR not followed by LF swallows " + describeByte(data[end + 1]) +
                           ", the first character of the next line";
                });
            if (line.find(kLF) != std::string_view::npos)
                findings.note(Diagnostic::Kind::LfAlone, lineNo, [] {
                    return std::string(
                        "line ends with LF alone: only CR LF ends a line, so these lines read "
                        "as one");
                });
        }

        if (line.empty())
            continue;

        if (line.front() != '*') {
            if (notingLines && block.state != Block::State::BeforeFirstHeader)
                noteClubText(findings, lineNo, line);
            switch (block.state) {
                case Block::State::BeforeFirstHeader: {
                    std::string reason =
                        "club line " + shown(line) + " comes before the first nation header";
                    if (noting) {
                        findings.note(
                            Diagnostic::Kind::OrphanClub, lineNo,
                            [&] { return reason + ": the editor refuses the file"; },
                            Diagnostic::Severity::Error);
                        findings.finish();
                    }
                    throw FileError(FileError::Kind::OrphanClubLine, options.file,
                                    std::move(reason), lineNo);
                }
                case Block::State::UnknownNation:
                    break;
                case Block::State::Nation:
                    storeClub(block, line, findings, lineNo);
                    break;
            }
            continue;
        }

        const int match = matcher.match(line);
        const Nation* nation = match < 0 ? nullptr : nations.nation(match);
        if (!nation) {
            block = Block{Block::State::UnknownNation};
            if (noting)
                noteUnknownHeader(findings, lineNo, line, names);
            continue;
        }
        const std::string& name = names[match];
        lastNation = match;
        block = Block{Block::State::Nation, nation};
        overwrite(nation->record->LigaName, name);
        if (noting) {
            noteHeaderText(findings, lineNo, line, names, match);
            if (nationsSeen[static_cast<std::size_t>(match)])
                findings.note(Diagnostic::Kind::SecondBlock, lineNo, [&] {
                    return "second block for " + name +
                           " starts again at its first place: the clubs it overwrites are "
                           "dropped on save";
                });
            nationsSeen[static_cast<std::size_t>(match)] = true;
        }
    }

    if (notingLines && n > 0 && p == n - 1)
        findings.note(Diagnostic::Kind::StrayLast, lineNo + 1, [&] {
            return "the last character, " + describeByte(data[p]) +
                   ", stands alone after the last line end and is not read";
        });
    if (noting)
        findings.finish();
    if (lastNation >= 0)
        result.currentKey = names[static_cast<std::size_t>(lastNation)];
    result.lines = lineNo;
    return result;
}

}  // namespace velquor::cfg
