#include "euro_writer.h"

#include "cfgfile/euro_reader.h"
#include "cfgfile/file_error.h"
#include "cfgfile/safe_save.h"
#include "model/liga.h"
#include "model/nation_catalogue.h"

namespace fs = std::filesystem;

namespace velquor::cfg {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

template <typename Visit>
void forEachNation(const mtxU_Collection& catalogue, Visit&& visit) {
    for (const auto& element : catalogue)
        if (const auto* rec = dynamic_cast<const Liga*>(element.get());
            rec && !rec->LigaName.empty())
            visit(*rec);
}

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
    forEachNation(catalogue, [&](const Liga& rec) {
        out(kLineEnd);
        out("*");
        out(rec.LigaName);
        out(kLineEnd);
        // Places above a record's room write nothing, as do empty places.
        const auto club = [&](const std::string* text) {
            if (text && !text->empty()) {
                out(*text);
                out(kLineEnd);
            }
        };
        for (int i = 1; i <= rec.NUCL; ++i)
            club(rec.ucl(i));
        for (int i = 1; i <= rec.NUEFA; ++i)
            club(rec.uefa(i));
        for (int i = 1; i <= rec.NIntertoto; ++i)
            club(rec.intertoto(i));
    });
}

std::string formatEuro(const mtxU_Collection& catalogue) {
    std::string text;
    writeEuro(catalogue, [&](std::string_view piece) { text.append(piece); });
    return text;
}

void settleAsWritten(mtxU_Collection& catalogue, const NationNames& names) {
    const auto read = BuildNationCatalogue();
    readEuro(formatEuro(catalogue), *read, names);
    for (const auto& element : catalogue) {
        auto* rec = dynamic_cast<Liga*>(element.get());
        const auto written = rec ? findNation(*read, rec->key()) : nullptr;
        if (!written)
            continue;
        for (int i = 1; i <= Liga::kMaxUcl; ++i)
            *rec->ucl(i) = *written->ucl(i);
        for (int i = 1; i <= Liga::kMaxUefa; ++i)
            *rec->uefa(i) = *written->uefa(i);
        for (int i = 1; i <= Liga::kMaxIntertoto; ++i)
            *rec->intertoto(i) = *written->intertoto(i);
    }
}

std::vector<std::string> nationsWithGaps(const mtxU_Collection& catalogue) {
    std::vector<std::string> found;
    forEachNation(catalogue, [&](const Liga& rec) {
        bool gap = false;
        const auto scan = [&](int count, auto place) {
            bool empty = false;
            for (int i = 1; i <= count; ++i) {
                const std::string* text = place(i);
                if (!text)
                    break;
                if (text->empty())
                    empty = true;
                else if (empty)
                    gap = true;
            }
        };
        scan(rec.NUCL, [&](int i) { return rec.ucl(i); });
        scan(rec.NUEFA, [&](int i) { return rec.uefa(i); });
        scan(rec.NIntertoto, [&](int i) { return rec.intertoto(i); });
        if (gap)
            found.push_back(rec.LigaName);
    });
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
