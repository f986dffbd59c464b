#include "euro_writer.h"

#include <algorithm>

#include "cfgfile/euro_reader.h"
#include "cfgfile/file_error.h"
#include "cfgfile/safe_save.h"
#include "model/competition.h"
#include "model/nation_catalogue.h"

namespace fs = std::filesystem;

namespace velquor::cfg {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Gathers small pieces into large writes.
class BufferedOut {
  public:
    explicit BufferedOut(OutputFile& file) : file_(file) { buffer_.reserve(kSize); }
    void operator()(std::string_view piece) {
        if (buffer_.size() + piece.size() > kSize)
            flush();
        if (piece.size() >= kSize) {
            file_.write(piece);
            return;
        }
        buffer_.append(piece);
    }
    void flush() {
        if (!buffer_.empty())
            file_.write(buffer_);
        buffer_.clear();
    }

  private:
    static constexpr std::size_t kSize = 1 << 16;
    OutputFile& file_;
    std::string buffer_;
};

}  // namespace

void writeEuro(const mtxU_Collection& catalogue, const std::function<void(std::string_view)>& out) {
    for (const Liga& rec : namedNations(catalogue)) {
        out(kLineEnd);
        out("*");
        out(rec.LigaName);
        out(kLineEnd);
        // Places above a record's room write nothing, as do empty places.
        for (const Competition& competition : kCompetitions)
            for (int i = 1; i <= competition.heldPlaces(rec); ++i)
                if (const std::string& club = *competition.place(rec, i); !club.empty()) {
                    out(club);
                    out(kLineEnd);
                }
    }
}

std::string formatEuro(const mtxU_Collection& catalogue) {
    std::string text;
    writeEuro(catalogue, [&](std::string_view piece) { text.append(piece); });
    return text;
}

void settleAsWritten(mtxU_Collection& catalogue, const NationNames& names) {
    const auto read = BuildNationCatalogue();
    readEuro(formatEuro(catalogue), *read, names);
    for (Liga& rec : namedNations(catalogue)) {
        const auto written = findNation(*read, rec.key());
        if (!written)
            continue;
        for (const Competition& competition : kCompetitions)
            for (int place = 1; place <= competition.room; ++place)
                *competition.place(rec, place) = *competition.place(*written, place);
    }
}

std::vector<std::string> nationsWithGaps(const mtxU_Collection& catalogue) {
    std::vector<std::string> found;
    const auto hasGap = [](const Liga& rec, const Competition& competition) {
        bool empty = false;
        for (int i = 1; i <= competition.heldPlaces(rec); ++i) {
            if (competition.place(rec, i)->empty())
                empty = true;
            else if (empty)
                return true;
        }
        return false;
    };
    for (const Liga& rec : namedNations(catalogue))
        if (std::any_of(kCompetitions.begin(), kCompetitions.end(),
                        [&](const Competition& c) { return hasGap(rec, c); }))
            found.push_back(rec.LigaName);
    return found;
}

void saveEuroFile(const fs::path& target, const mtxU_Collection* catalogue, FileSystem& fsys) {
    if (!catalogue)
        throw FileError(FileError::Kind::NoCatalogue, target, "no file is open: nothing to save");
    if (target.empty())
        throw FileError(FileError::Kind::Write, target, "no file name to save to");
    try {
        saveSafely(
            target,
            [&](OutputFile& file) {
                BufferedOut out(file);
                writeEuro(*catalogue, std::ref(out));
                out.flush();
            },
            fsys);
    } catch (const std::exception& e) {
        throw FileError(FileError::Kind::Write, target, "cannot save: " + failureReason(e));
    }
}

}  // namespace velquor::cfg
