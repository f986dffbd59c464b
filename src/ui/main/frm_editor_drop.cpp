// Opening a euro.cfg dropped on the window from a file manager.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "ui/main/frm_editor.h"

namespace velquor::ui {

namespace {

// The one local file named euro.cfg that is dropped, as the open dialog
// would list it; empty for anything else.
QString droppedEuroFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile())
        return {};
    const QFileInfo file(url.toLocalFile());
    if (file.fileName().compare(QLatin1String("euro.cfg"), Qt::CaseInsensitive) != 0 ||
        !file.isFile())
        return {};
    return file.absoluteFilePath();
}

}  // namespace

void frmEditor::dragEnterEvent(QDragEnterEvent* event) {
    if (!unloaded_ && !loading_ && !droppedEuroFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmEditor::dropEvent(QDropEvent* event) {
    const QString path = droppedEuroFile(event->mimeData());
    if (unloaded_ || loading_ || path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(path);
}

}  // namespace velquor::ui
