#include "ui/main/club_validator.h"

#include <QList>

#include "platform/text_codec.h"

namespace velquor::ui {

namespace {

qsizetype lineBreaks(const QString& text) {
    return text.count(QLatin1Char('\r')) + text.count(QLatin1Char('\n'));
}

qsizetype unencodable(const QString& text) {
    qsizetype n = 0;
    for (const char32_t codePoint : text.toUcs4())
        if (!platform::canEncode(codePoint))
            ++n;
    return n;
}

bool startsWithStar(const QString& text) {
    return text.startsWith(QLatin1Char('*'));
}

}  // namespace

QString ClubValidator::refusal(const QString& before, const QString& after) {
    if (lineBreaks(after) > lineBreaks(before))
        return tr("A club name is one line: line breaks cannot be stored.");
    if (startsWithStar(after) && !startsWithStar(before))
        return tr("A club name cannot start with \"*\": the line would read as a nation.");
    if (unencodable(after) > unencodable(before)) {
        const char32_t bad = platform::firstUnencodable(after).value_or(U'\uFFFD');
        const QString shown = QString::fromUcs4(&bad, 1);
        // An emoji, or a character that draws nothing, may not show in the
        // label's font: its number says which it is.
        if (bad > 0xFFFF || !QChar::isPrint(bad))
            return tr("\"%1\" (U+%2) cannot be stored in euro.cfg.")
                .arg(shown, QString::number(bad, 16).toUpper().rightJustified(4, QLatin1Char('0')));
        return tr("\"%1\" cannot be stored in euro.cfg.").arg(shown);
    }
    return {};
}

QValidator::State ClubValidator::validate(QString& input, int&) const {
    reason_ = refusal(accepted_, input);
    return reason_.isEmpty() ? Acceptable : Invalid;
}

}  // namespace velquor::ui
