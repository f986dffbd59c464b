#include "ui/main/frm_editor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QToolBar>
#include <QTreeWidget>
#include <exception>

#include "platform/platform.h"
#include "ui/about/frm_about.h"
#include "ui/main/busy_cursor.h"

namespace velquor::ui {

frmEditor::frmEditor(platform::Platform& platform, cfg::FileSystem& fs, QWidget* parent)
    : QMainWindow(parent), platform_(platform), fs_(fs) {
    buildWindow();
    connectPanel();
    connect(Band1, &QToolBar::actionTriggered, this, &frmEditor::ActiveBar1_ToolClick);
    // Another program may have changed the file while the user was away.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState now) {
                if (now == Qt::ApplicationActive)
                    checkOnReturn();
            });
    Form_Load();
}

frmEditor::~frmEditor() = default;

void frmEditor::Form_Load() {
    BusyCursor busy;
    try {
        state_.bModified = false;
        UpdateTools();
        EnablePanel(false);
        state_.NationNames = cfg::FillNationNames();
    } catch (const std::exception& error) {
        busy.restore();
        showError(QString::fromLocal8Bit(error.what()));
    }
}

void frmEditor::showError(const QString& description) {
    platform_.dialogs.message(this,
                              {description, texts::kErrorTitle, platform::MessageIcon::Critical,
                               platform::MessageButtons::Ok});
}

void frmEditor::ActiveBar1_ToolClick(QAction* Tool) {
    if (loading_)
        return;  // a shortcut that got into the load's repaint pass
    const QScopedValueRollback<bool> handling(handling_, true);
    try {
        const QString name = Tool->objectName();
        if (name == QLatin1String("tolAbrir")) {
            openTool();
        } else if (name == QLatin1String("tolGuardar")) {
            SaveEuroFile(QString());
        } else if (name == QLatin1String("tolSaveAs")) {
            const QString path = AskSaveAsPath();
            if (!path.isEmpty())
                SaveEuroFile(path);
        } else if (name == QLatin1String("tolFind")) {
            // The search fills the panel for the node it selects.
            searching_ = true;
            const auto done = qScopeGuard([this] { searching_ = false; });
            Buscar(
                *Treeview1, searchMemory_, platform_.dialogs,
                [this](QTreeWidgetItem* node) { Treeview1_NodeClick(node); }, this);
        } else if (name == QLatin1String("tolAbout")) {
            frmAbout about(platform_, this);
            platform_.dialogs.exec(about);
        }
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
    }
}

void frmEditor::openTool() {
    if (!offerSaveBeforeOpen())
        return;
    const QString path = AskOpenPath();
    if (path.isEmpty())
        return;
    openChosen(path);
}

void frmEditor::openFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QScopedValueRollback<bool> handling(handling_, true);
    if (!offerSaveBeforeOpen() || !claimFile(absolute))
        return;
    emptyTree();
    takeOpenPath(absolute);
    openChosen(absolute);
}

void frmEditor::openChosen(const QString& path) {
    BuildNationCatalogue();
    if (!LoadEuroFile(path))
        return;
    const bool recovered = putBackRecovered();
    BuildTree();
    if (closingAfterFailure_)
        return;
    markFirstNodeIfFocused();
    UpdateTools();
    // The loader left sCurrentKey at its last nation; the panel must not
    // write into a record it does not show.
    clearPanel();
    state_.bUnsaved = recovered;
    state_.bModified = state_.bModified || recovered;
}

bool frmEditor::offerSaveBeforeOpen() {
    return !state_.bUnsaved || !NationCatalogue || askToSaveEdits();
}

bool frmEditor::askToSaveEdits() {
    const auto answer = platform_.dialogs.message(
        this, {texts::kModifiedQuestion, QString(), platform::MessageIcon::None,
               platform::MessageButtons::YesNoCancel});
    switch (answer) {
        case platform::MessageAnswer::Yes:
            // The Save tool's own save: a warning cancelled or a save that
            // failed keeps the edits, and whatever asked goes no further.
            return SaveEuroFile(QString());
        case platform::MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void frmEditor::markFirstNodeIfFocused() {
    // The tree kept the focus while it was emptied and refilled; mark a node
    // as the focus entering it would, so that Space has one to choose.
    if (!Treeview1->hasFocus() || Treeview1->currentItem() || Treeview1->topLevelItemCount() == 0)
        return;
    Treeview1->selectionModel()->setCurrentIndex(Treeview1->model()->index(0, 0),
                                                 QItemSelectionModel::NoUpdate);
}

void frmEditor::UpdateTools() {
    tolFind->setEnabled(Treeview1->topLevelItemCount() > 1);
    // Before a file is open a save has nothing to write and could only fail.
    tolGuardar->setEnabled(NationCatalogue != nullptr);
    tolSaveAs->setEnabled(NationCatalogue != nullptr);
}

void frmEditor::closeEvent(QCloseEvent* event) {
    if (loading_) {
        // Closing now would drop the catalogue under the reader; close as
        // soon as the load is over instead.
        event->ignore();
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    const QScopedValueRollback<bool> handling(handling_, true);
    // After a failed load the catalogue is partly read: it is never offered for saving.
    if (!unloaded_ && !closingAfterFailure_ && state_.bUnsaved && !askToSaveEdits()) {
        event->ignore();
        return;
    }
    unloaded_ = true;
    // Edits saved or given up take their record along; those a failed load
    // was to put back stay for the next open.
    if (recovery_ && !closingAfterFailure_)
        recovery_->discard();
    recovery_.reset();
    NationCatalogue.reset();
    event->accept();
}

bool frmEditor::eventFilter(QObject* watched, QEvent* event) {
    // A press that changes the selection fills the panel; the click that
    // follows must not fill it a second time.
    if (watched == Treeview1->viewport() && event->type() == QEvent::MouseButtonPress)
        filledOnPress_ = nullptr;
    // A club box's refusal goes when the user leaves the box.
    if (event->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(watched) &&
        !pbar->isVisible())
        lblInfo->hide();
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace velquor::ui
