#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/app_info.h"
#include "platform/dialogs.h"

namespace velquor::platform {

QString QtDialogs::openFile(QWidget* parent, const FileRequest& request) {
    return QFileDialog::getOpenFileName(parent, request.caption, request.directory, request.filter);
}

QString QtDialogs::saveFile(QWidget* parent, const FileRequest& request) {
    return QFileDialog::getSaveFileName(parent, request.caption, request.directory, request.filter);
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
