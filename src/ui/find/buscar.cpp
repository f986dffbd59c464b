#include "ui/find/buscar.h"

#include <QApplication>
#include <QTreeWidget>
#include <exception>

#include "model/automation_error.h"
#include "model/like_pattern.h"
#include "platform/app_info.h"
#include "platform/dialogs.h"
#include "ui/find/frm_buscar.h"

namespace velquor::ui {

namespace {

// The node the search starts after: the current one when it is selected,
// else the first selected one.
QTreeWidgetItem* selectedNode(QTreeWidget& tree) {
    QTreeWidgetItem* current = tree.currentItem();
    if (current && current->isSelected())
        return current;
    const QList<QTreeWidgetItem*> selected = tree.selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void reportFailure(platform::Dialogs& dialogs, QWidget* parent, const QString& description) {
    dialogs.message(parent, {description, QStringLiteral("Search error"),
                             platform::MessageIcon::Information, platform::MessageButtons::Ok});
}

}  // namespace

void Buscar(QTreeWidget& Treeview1, SearchMemory& memory, platform::Dialogs& dialogs,
            const std::function<void(QTreeWidgetItem*)>& nodeClick, QWidget* parent) {
    try {
        frmBuscar dialog(parent);
        dialog.setMostrarMayusculas(true);
        dialog.setSensibleMayusculas(memory.lastMatchCase);
        dialog.setCadenaBusqueda(memory.lastText);
        // Whatever busy pointer is up would sit over the dialog.
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        dialogs.exec(dialog);
        const bool m = dialog.SensibleMayusculas();
        const QString s = dialog.CadenaBusqueda();
        if (s.isEmpty())
            return;
        // The text may carry wildcards of its own; the stars make it "contains".
        const QString pattern = QLatin1Char('*') + (m ? s : s.toUpper()) + QLatin1Char('*');
        const LikePattern like(pattern.toStdU32String());
        const int n = Treeview1.topLevelItemCount();
        // Node k is selected (0: none is); the search starts after it,
        // wrapping, the selected node itself last.
        const int k = Treeview1.indexOfTopLevelItem(selectedNode(Treeview1)) + 1;
        for (int step = 1; step <= n; ++step) {
            QTreeWidgetItem* node = Treeview1.topLevelItem((k - 1 + step) % n);
            const QString text = m ? node->text(0) : node->text(0).toUpper();
            if (!like.matches(text.toStdU32String()))
                continue;
            Treeview1.setCurrentItem(node);
            node->setSelected(true);
            if (nodeClick)
                nodeClick(node);
            Treeview1.setFocus(Qt::OtherFocusReason);
            memory = {s, m};
            return;
        }
        dialogs.message(parent,
                        {QStringLiteral("No matches found"), QString::fromLatin1(app::kTitle),
                         platform::MessageIcon::Information, platform::MessageButtons::Ok});
        memory = {s, m};
    } catch (const AutomationError& e) {
        reportFailure(dialogs, parent, QString::fromStdString(e.description()));
    } catch (const std::exception& e) {
        reportFailure(dialogs, parent, QString::fromLocal8Bit(e.what()));
    }
}

}  // namespace velquor::ui
