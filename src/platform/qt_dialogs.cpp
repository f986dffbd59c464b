#include <QAbstractItemView>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>

#include "platform/app_info.h"
#include "platform/dialogs.h"

namespace velquor::platform {

namespace {

// Qt's own dialog selects the entry each typed prefix names (the folders of a
// typed path, a folder "euro" on the way to "euro.cfg") and drops it again
// only while it counts the name box as focused, which it does not when it has
// not seen the dialog become the active window. Selected rows win over the
// typed name, so Enter then entered the first folder and emptied the box.
// Here what is typed is what is chosen: rows it does not name are dropped.
class TypedNameFileDialog : public QFileDialog {
  public:
    TypedNameFileDialog(QWidget* parent, const FileRequest& request, AcceptMode mode)
        : QFileDialog(parent, request.caption, request.directory, request.filter) {
        setAcceptMode(mode);
        setFileMode(mode == AcceptOpen ? ExistingFile : AnyFile);
    }

    void setVisible(bool visible) override {
        QFileDialog::setVisible(visible);
        if (visible && !following_)
            followTypedName();
    }

  private:
    // The widgets exist only when the system offers no dialog of its own.
    void followTypedName() {
        auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* list = findChild<QAbstractItemView*>(QStringLiteral("listView"));
        if (!name || !list)
            return;
        following_ = true;
        connect(name, &QLineEdit::textEdited, this, [this, list](const QString& text) {
            const QFileInfo typed(directory().absoluteFilePath(QDir::fromNativeSeparators(text)));
            QItemSelectionModel* rows = list->selectionModel();
            for (const QModelIndex& row : rows->selectedRows())
                if (QFileInfo(row.data(QFileSystemModel::FilePathRole).toString()) != typed)
                    rows->select(row, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        });
    }

    bool following_ = false;
};

QString askFile(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode) {
    TypedNameFileDialog dialog(parent, request, mode);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

QString QtDialogs::openFile(QWidget* parent, const FileRequest& request) {
    return askFile(parent, request, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFile(QWidget* parent, const FileRequest& request) {
    return askFile(parent, request, QFileDialog::AcceptSave);
}

MessageAnswer QtDialogs::message(QWidget* parent, const MessageRequest& request) {
    QMessageBox box(parent);
    box.setText(request.text);
    if (!request.details.isEmpty())
        box.setDetailedText(request.details);
    box.setWindowTitle(request.title.isEmpty() ? QString::fromLatin1(app::kTitle) : request.title);
    switch (request.icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (request.buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MessageButtons::SaveCancel:
            box.setStandardButtons(QMessageBox::Save | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Save:
            return MessageAnswer::Save;
        default:
            return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok
                                                         : MessageAnswer::Cancel;
    }
}

int QtDialogs::exec(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace velquor::platform
