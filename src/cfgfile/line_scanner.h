#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace velquor::cfg {

/// One line of a file as LineScanner splits it.
struct ScannedLine {
    std::string_view text;  // up to its CR, which it does not hold
    /// The CR and the byte after it, which is skipped unread; shorter at the file's end.
    std::string_view end;
    long number = 0;         // 1-based
    std::size_t position{};  // 1-based, of its first byte in the file
};

/// Splits a whole euro.cfg as the editor's load loop does: a line ends at a
/// CR, and the byte after the CR is skipped unread whatever it is; a line is
/// read only while at least two bytes remain, so a single byte after the last
/// line end is left unread.
class LineScanner {
  public:
    explicit LineScanner(std::string_view bytes) : bytes_(bytes) {}

    /// The next line into line; false after the last.
    bool next(ScannedLine& line) {
        const std::size_t n = bytes_.size();
        if (p_ + 1 >= n)
            return false;
        const char* data = bytes_.data();
        const void* cr = std::memchr(data + p_, '\r', n - p_);
        const std::size_t end =
            cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : n;
        line.text = std::string_view(data + p_, end - p_);
        line.end = std::string_view(data + end, std::min<std::size_t>(2, n - end));
        line.number = ++lines_;
        line.position = p_ + 1;
        p_ = end + 2;
        return true;
    }
    /// Lines split so far.
    long lines() const { return lines_; }
    /// After the last line: the bytes left unread, none or one.
    std::string_view unread() const { return bytes_.substr(std::min(p_, bytes_.size())); }

  private:
    std::string_view bytes_;
    std::size_t p_ = 0;  // 0-based: the file's byte p_ + 1
    long lines_ = 0;
};

}  // namespace velquor::cfg
