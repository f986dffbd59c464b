#include "platform/text_codec.h"

#include <QList>

#ifdef _WIN32
#include <windows.h>
#else
#include "cfgfile/cp1252.h"
#endif

namespace velquor::platform {

namespace {

#ifdef _WIN32

// One character must stay one byte, or the file's one-byte-per-character
// layout would break (multi-byte code pages are refused too).
std::optional<char> encodeOne(char32_t codePoint) {
    const QString one = QString::fromUcs4(&codePoint, 1);
    const auto* wide = reinterpret_cast<const wchar_t*>(one.utf16());
    char buffer[8];
    BOOL defaulted = FALSE;
    const int n =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(one.size()),
                            buffer, sizeof buffer, nullptr, &defaulted);
    if (n != 1 || defaulted)
        return std::nullopt;
    return buffer[0];
}

QString decodeOne(char byte) {
    wchar_t wide[2];
    const int n = MultiByteToWideChar(CP_ACP, 0, &byte, 1, wide, 2);
    if (n <= 0)
        return QString(QChar(static_cast<unsigned char>(byte)));
    return QString::fromWCharArray(wide, n);
}

#else

std::optional<char> encodeOne(char32_t codePoint) {
    const auto byte = cfg::unicodeToCp1252(codePoint);
    if (!byte)
        return std::nullopt;
    return static_cast<char>(*byte);
}

QString decodeOne(char byte) {
    return QString(
        QChar(static_cast<char16_t>(cfg::cp1252ToUnicode(static_cast<unsigned char>(byte)))));
}

#endif

}  // namespace

QString decodeText(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes)
        text.append(decodeOne(byte));
    return text;
}

std::optional<std::string> encodeText(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t codePoint : text.toUcs4()) {
        const auto byte = encodeOne(codePoint);
        if (!byte)
            return std::nullopt;
        bytes += *byte;
    }
    return bytes;
}

bool canEncode(char32_t codePoint) {
    return encodeOne(codePoint).has_value();
}

std::optional<char32_t> firstUnencodable(const QString& text) {
    for (const char32_t codePoint : text.toUcs4())
        if (!canEncode(codePoint))
            return codePoint;
    return std::nullopt;
}

}  // namespace velquor::platform
