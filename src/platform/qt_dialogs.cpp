#include <QAbstractItemView>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

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

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The box's buttons, each with the answer it gives.
std::vector<std::pair<QAbstractButton*, MessageAnswer>> addButtons(QMessageBox& box,
                                                                   MessageButtons buttons) {
    using A = MessageAnswer;
    const auto add = [&box](QMessageBox::StandardButton button, A answer) {
        return std::pair<QAbstractButton*, A>{box.addButton(button), answer};
    };
    switch (buttons) {
        case MessageButtons::Ok:
            return {add(QMessageBox::Ok, A::Ok)};
        case MessageButtons::YesNo:
            return {add(QMessageBox::Yes, A::Yes), add(QMessageBox::No, A::No)};
        case MessageButtons::YesNoCancel:
            return {add(QMessageBox::Yes, A::Yes), add(QMessageBox::No, A::No),
                    add(QMessageBox::Cancel, A::Cancel)};
        case MessageButtons::SaveCancel:
            return {add(QMessageBox::Save, A::Save), add(QMessageBox::Cancel, A::Cancel)};
        case MessageButtons::RecoverDiscard:
            // No escape: recovered edits are given up only by a choice.
            return {
                {box.addButton(QMessageBox::tr("Recover"), QMessageBox::AcceptRole), A::Recover},
                add(QMessageBox::Discard, A::Discard)};
    }
    return {};
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
    box.setIcon(boxIcon(request.icon));
    const auto buttons = addButtons(box, request.buttons);
    for (const auto& [button, answer] : buttons)
        if (request.defaultAnswer == answer)
            box.setDefaultButton(qobject_cast<QPushButton*>(button));
    box.exec();
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button)
            return answer;
    return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

int QtDialogs::exec(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace velquor::platform
