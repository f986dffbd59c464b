#pragma once

#include <QString>
#include <functional>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace velquor::platform {
class Dialogs;
}

namespace velquor::ui {

/// What the last search that ran to its end asked for; it pre-fills the next.
struct SearchMemory {
    QString lastText;
    bool lastMatchCase = false;
};

/// The nation search: asks for a text with frmBuscar, then selects the next
/// top-level node of Treeview1 after the selected one (wrapping, the selected
/// node last; from the first node when none is selected) whose text contains
/// it, and hands that node to nodeClick. Failures (an invalid pattern) are
/// reported with the title "Search error" and leave memory as it was.
void Buscar(QTreeWidget& Treeview1, SearchMemory& memory, platform::Dialogs& dialogs,
            const std::function<void(QTreeWidgetItem*)>& nodeClick, QWidget* parent);

}  // namespace velquor::ui
