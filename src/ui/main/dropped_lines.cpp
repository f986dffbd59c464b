#include "ui/main/dropped_lines.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <limits>

#include "platform/dialogs.h"
#include "platform/text_codec.h"

namespace velquor::ui {

namespace {

// How many findings the message itself names; the rest are in its details.
constexpr std::size_t kNamed = 5;

QString described(const cfg::Diagnostic& finding) {
    return QCoreApplication::translate("DroppedLines", "Line %1: %2")
        .arg(finding.line)
        .arg(platform::decodeText(finding.message));
}

// How many findings the message leaves unnamed: a finding that sums up
// those of its kind the reader only counted stands for all of them.
int unnamed(const std::vector<cfg::Diagnostic>& findings) {
    long count = 0;
    for (std::size_t k = kNamed; k < findings.size(); ++k)
        count += findings[k].more > 0 ? findings[k].more : 1;
    return static_cast<int>(std::min<long>(count, std::numeric_limits<int>::max()));
}

}  // namespace

void DroppedLines::opened(std::vector<cfg::Diagnostic> findings) {
    findings_ = std::move(findings);
}

bool DroppedLines::confirmSave(platform::Dialogs& dialogs, QWidget* parent) {
    if (findings_.empty())
        return true;
    QStringList all;
    for (const cfg::Diagnostic& finding : findings_)
        all << described(finding);
    const bool longList = all.size() > static_cast<qsizetype>(kNamed);
    QStringList named = all.mid(0, static_cast<qsizetype>(kNamed));
    if (longList)
        named << QCoreApplication::translate("DroppedLines", "And %n more (see the details).",
                                             nullptr, unnamed(findings_));
    const QString text =
        QCoreApplication::translate(
            "DroppedLines",
            "Saving writes only the nations and clubs the editor shows. This text of the file "
            "that was opened will not be written back:\n\n%1\n\nSave anyway?")
            .arg(named.join(QLatin1Char('\n')));
    const platform::MessageRequest request{text, QString(), platform::MessageIcon::Warning,
                                           platform::MessageButtons::SaveCancel,
                                           longList ? all.join(QLatin1Char('\n')) : QString()};
    if (dialogs.message(parent, request) != platform::MessageAnswer::Save)
        return false;
    findings_.clear();  // the modder knows now
    return true;
}

}  // namespace velquor::ui
