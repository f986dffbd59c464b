// A console shows the bytes it is sent in its own code page (437, 850 ...),
// so UTF-8 sent as bytes comes out garbled; its wide-character call shows
// every character the console's font has.
#include "cli/console_output.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "cfgfile/cp1252.h"
#include "cli/tool_text.h"

namespace velquor::cli {

namespace {

// The bytes at the end of text that begin a character the next write may finish.
std::size_t unfinished(std::string_view text) {
    for (std::size_t back = 1; back <= std::min<std::size_t>(3, text.size()); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) != 0x80)
            return utf8Length(byte) > back ? back : 0;
    }
    return 0;
}

std::wstring consoleText(std::string_view bytes, bool& afterCr) {
    std::wstring text;
    text.reserve(bytes.size() + bytes.size() / 16);
    while (!bytes.empty()) {
        char32_t u = 0;
        std::size_t length = utf8Sequence(bytes, u);
        if (length == 0) {
            u = cfg::cp1252ToUnicode(static_cast<unsigned char>(bytes[0]));
            length = 1;
        }
        if (u == U'\n' && !afterCr)
            text += L'\r';
        afterCr = u == U'\r';
        if (u < 0x10000) {
            text += static_cast<wchar_t>(u);
        } else {
            text += static_cast<wchar_t>(0xD800 + ((u - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((u - 0x10000) & 0x3FF));
        }
        bytes.remove_prefix(length);
    }
    return text;
}

// Without a put area every byte comes through overflow or xsputn; they are
// written at a flush, or once a good piece has gathered. The start of a
// character still to come waits for the rest.
class ConsoleBuffer : public std::streambuf {
  public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) {}

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return sync() == 0 ? traits_type::not_eof(c) : traits_type::eof();
        pending_ += traits_type::to_char_type(c);
        return pending_.size() < kPiece || sync() == 0 ? c : traits_type::eof();
    }

    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        pending_.append(bytes, static_cast<std::size_t>(count));
        return pending_.size() < kPiece || sync() == 0 ? count : 0;
    }

    int sync() override {
        const std::size_t ready = pending_.size() - unfinished(pending_);
        const std::wstring text =
            consoleText(std::string_view(pending_).substr(0, ready), afterCr_);
        pending_.erase(0, ready);
        return write(text) ? 0 : -1;
    }

  private:
    static constexpr std::size_t kPiece = 1 << 14;

    bool write(std::wstring_view text) {
        while (!text.empty()) {
            auto piece = static_cast<DWORD>(std::min(text.size(), kPiece));
            if (piece < text.size() && IS_HIGH_SURROGATE(text[piece - 1]))
                --piece;  // a surrogate pair goes in one call
            DWORD written = 0;
            if (!::WriteConsoleW(console_, text.data(), piece, &written, nullptr) || written == 0)
                return false;
            text.remove_prefix(written);
        }
        return true;
    }

    HANDLE console_;
    std::string pending_;
    bool afterCr_ = false;
};

}  // namespace

std::unique_ptr<std::streambuf> consoleBuffer(void* handle) {
    DWORD mode = 0;
    if (!::GetConsoleMode(handle, &mode))
        return nullptr;
    return std::make_unique<ConsoleBuffer>(handle);
}

}  // namespace velquor::cli
