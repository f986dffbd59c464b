#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "platform/app_info.h"
#include "platform/dialogs.h"

namespace velquor::platform {

namespace {

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
