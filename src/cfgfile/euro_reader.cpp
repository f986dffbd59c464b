#include "euro_reader.h"

#include <cstring>
#include <stdexcept>
#include <unordered_set>

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

// Collects what a modder would not expect; does nothing unless asked to.
class Findings {
  public:
    explicit Findings(std::vector<Diagnostic>* out) : out_(out) {}
    bool enabled() const { return out_ != nullptr; }
    void warn(long line, std::string message) {
        out_->push_back({line, Diagnostic::Severity::Warning, std::move(message)});
    }
    void error(long line, std::string message) {
        out_->push_back({line, Diagnostic::Severity::Error, std::move(message)});
    }

  private:
    std::vector<Diagnostic>* out_;
};

// Where the club lines of the block being read go.
struct Block {
    enum class State { BeforeFirstHeader, UnknownNation, Nation } state = State::BeforeFirstHeader;
    Liga* record = nullptr;
    int ucl = 1, uefa = 1, intertoto = 1;  // next place of each competition
};

void noteUnknownHeader(Findings& findings, long lineNo, std::string_view line,
                       const NationNames& names) {
    const std::string folded = mtxU_Collection::foldKey(line);
    for (const std::string& name : names) {
        const std::size_t at = folded.find(mtxU_Collection::foldKey(name));
        if (at != std::string::npos) {
            findings.warn(lineNo, "header " + shown(line) +
                                      " names no nation: " + shown(line.substr(at, name.size())) +
                                      " is not " + shown(name) +
                                      " (names are matched in exact letter case); its club "
                                      "lines are skipped");
            return;
        }
    }
    findings.warn(lineNo, "header " + shown(line) + " names no nation; its club lines are skipped");
}

void noteSeveralNames(Findings& findings, long lineNo, std::string_view line,
                      const NationNames& names, int winner) {
    std::string found;
    int count = 0;
    for (const std::string& name : names) {
        if (line.find(name) == std::string_view::npos)
            continue;
        found += (count++ ? ", " : "") + name;
    }
    if (count > 1)
        findings.warn(
            lineNo, "header names several nations (" + found + "); " + names[winner] + " is taken");
}

void storeClub(Block& block, std::string_view line, Findings& findings, long lineNo) {
    Liga& rec = *block.record;
    if (block.ucl <= rec.NUCL) {
        if (std::string* place = rec.ucl(block.ucl))
            place->assign(line);
        ++block.ucl;
    } else if (block.uefa <= rec.NUEFA) {
        if (std::string* place = rec.uefa(block.uefa))
            place->assign(line);
        ++block.uefa;
    } else if (block.intertoto <= rec.NIntertoto) {
        if (std::string* place = rec.intertoto(block.intertoto))
            place->assign(line);
        ++block.intertoto;
    } else if (findings.enabled()) {
        const int places = rec.NUCL + rec.NUEFA + rec.NIntertoto;
        findings.warn(lineNo, "club line " + shown(line) + " is beyond the " +
                                  std::to_string(places) + " places of " + rec.LigaName +
                                  " and is dropped on save");
    }
}

}  // namespace

ReadResult readEuro(std::string_view bytes, mtxU_Collection& catalogue, const NationNames& names,
                    const ReadOptions& options) {
    ReadResult result;
    std::vector<Diagnostic>* noted =
        options.diagnosticsOut ? options.diagnosticsOut : &result.diagnostics;
    Findings findings(options.collectDiagnostics ? noted : nullptr);
    std::unordered_set<int> nationsSeen;
    Block block;

    const char* data = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t p = 0;  // 0-based: the file's character p + 1
    long lineNo = 0;

    // A line is read only while at least two characters remain: a single
    // character after the last line end is left unread.
    while (p + 1 < n) {
        ++lineNo;
        if (options.progress)
            options.progress(p + 1);
        const void* cr = std::memchr(data + p, kCR, n - p);
        const std::size_t end =
            cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : n;
        const std::string_view line(data + p, end - p);
        p = end + 2;  // past the CR and the character after it, whatever that is

        if (findings.enabled()) {
            if (end + 1 < n && data[end + 1] != kLF)
                findings.warn(lineNo, "CR not followed by LF swallows " +
                                          describeByte(data[end + 1]) +
                                          ", the first character of the next line");
            if (line.find(kLF) != std::string_view::npos)
                findings.warn(lineNo,
                              "line ends with LF alone: only CR LF ends a line, so "
                              "these lines read as one");
        }

        if (line.empty())
            continue;

        if (line.front() != '*') {
            switch (block.state) {
                case Block::State::BeforeFirstHeader: {
                    std::string reason =
                        "club line " + shown(line) + " comes before the first nation header";
                    if (findings.enabled())
                        findings.error(lineNo, reason + ": the editor refuses the file");
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

        const int match = matchNation(names, line);
        std::shared_ptr<Liga> record = match < 0 ? nullptr : findNation(catalogue, names[match]);
        if (!record) {
            block = Block{Block::State::UnknownNation};
            if (findings.enabled())
                noteUnknownHeader(findings, lineNo, line, names);
            continue;
        }
        const std::string& name = names[match];
        result.currentKey = name;
        block = Block{Block::State::Nation, record.get()};
        record->LigaName = name;
        if (findings.enabled()) {
            noteSeveralNames(findings, lineNo, line, names, match);
            if (!nationsSeen.insert(match).second)
                findings.warn(lineNo, "second block for " + name +
                                          " starts again at its first place and overwrites the "
                                          "clubs read before");
        }
    }

    if (findings.enabled() && n > 0 && p == n - 1)
        findings.warn(lineNo + 1, "the last character, " + describeByte(data[p]) +
                                      ", stands alone after the last line end and is not read");
    result.lines = lineNo;
    return result;
}

}  // namespace velquor::cfg
