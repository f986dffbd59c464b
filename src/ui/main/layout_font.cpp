#include "ui/main/layout_font.h"

#include <QFontDatabase>
#include <QSet>

namespace velquor::ui {

namespace {

// The system's families, read once: the list does not change while the
// program runs, and reading it costs nothing the first text would not.
const QSet<QString>& installedFamilies() {
    static const QSet<QString> families = [] {
        QSet<QString> folded;
        for (const QString& family : QFontDatabase::families())
            folded.insert(family.toCaseFolded());
        return folded;
    }();
    return families;
}

}  // namespace

QFont layoutFont(const QStringList& families, bool bold) {
    QStringList present;
    for (const QString& family : families)
        if (installedFamilies().contains(family.toCaseFolded()))
            present << family;
    QFont font;
    if (!present.isEmpty())
        font.setFamilies(present);
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

}  // namespace velquor::ui
