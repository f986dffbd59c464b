#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include "platform/dialogs.h"

namespace velquor::platform {
namespace {

// Answers the first modal window to show up as a user would; one left open fails, never hangs.
struct ModalAnswer {
    explicit ModalAnswer(std::function<void(QWidget&)> answer) {
        QObject::connect(&timer, &QTimer::timeout, [this, answer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && !answered) {
                answered = true;
                answer(*modal);
            } else if (modal && clock.hasExpired(5000)) {
                ADD_FAILURE() << "the answer left " << modal->metaObject()->className() << " open";
                QMetaObject::invokeMethod(modal, "reject");  // close() a box may ignore
            }
        });
        timer.start(10);
        clock.start();
    }
    ~ModalAnswer() { EXPECT_TRUE(answered) << "no modal window showed up"; }
    bool answered = false;
    QTimer timer;
    QElapsedTimer clock;
};

TEST(QtDialogs, MessageBoxesAndFileDialogsShowTheRequestAndGiveTheAnswer) {
    using B = QMessageBox;
    using I = MessageIcon;
    using Bs = MessageButtons;
    using A = MessageAnswer;
    // Asked for: icon, buttons, title, details; shown: icon, buttons; pressed (NoButton: the
    // box closed without one), and the answer.
    const B::StandardButtons kSaveCancel = B::Save | B::Cancel, kYesNo = B::Yes | B::No;
    const std::tuple<I, Bs, QString, QString, B::Icon, B::StandardButtons, B::StandardButton, A>
        rows[] = {
            {I::Information, Bs::Ok, "", "", B::Information, B::Ok, B::Ok, A::Ok},
            {I::None, Bs::Ok, "", "Line 3\nLine 9", B::NoIcon, B::Ok, B::NoButton, A::Ok},
            {I::Warning, Bs::SaveCancel, "Error", "", B::Warning, kSaveCancel, B::Save, A::Save},
            {I::Critical, Bs::SaveCancel, "", "", B::Critical, kSaveCancel, B::Cancel, A::Cancel},
            {I::Question, Bs::YesNo, "", "", B::Question, kYesNo, B::Yes, A::Yes},
            {I::None, Bs::YesNo, "", "", B::NoIcon, kYesNo, B::NoButton, A::Cancel},
            {I::None, Bs::YesNoCancel, "", "", B::NoIcon, kYesNo | B::Cancel, B::No, A::No},
            {I::Question, Bs::RecoverDiscard, "", "", B::Question, B::Discard, B::Discard,
             A::Discard},
        };
    QtDialogs dialogs;
    for (const auto& [icon, buttons, title, details, shownIcon, shown, press, answer] : rows) {
        ModalAnswer answering([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_TRUE(box);
            EXPECT_EQ(box->windowTitle() + "|" + box->text() + "|" + box->detailedText(),
                      (title.isEmpty() ? "Velquor" : title) + "|Save the changes?|" + details);
            EXPECT_TRUE(box->icon() == shownIcon && box->standardButtons() == shown);
            press == B::NoButton ? box->reject() : box->button(press)->click();
        });
        EXPECT_EQ(dialogs.message(nullptr, {"Save the changes?", title, icon, buttons, details}),
                  answer);
    }
    // The button asked for is Enter's; Recover is a button of its own.
    for (const A preferred : {A::No, A::Recover}) {
        ModalAnswer answering([](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_TRUE(box);
            QTest::keyClick(box, Qt::Key_Return);
        });
        MessageRequest request("Recover?", {}, I::None,
                               preferred == A::No ? Bs::YesNo : Bs::RecoverDiscard);
        request.defaultAnswer = preferred;
        EXPECT_EQ(dialogs.message(nullptr, request), preferred);
    }
    // File dialogs over a window start where asked; a path typed into the name box and Enter
    // give it (the folders on the way, one named "euro" among them, are no answer), or nothing.
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("euro"));
    ASSERT_TRUE(QFile(folder.filePath("euro.cfg")).open(QIODevice::WriteOnly));
    const FileRequest request{"Open", "Euro setup (euro.cfg)", folder.path()};
    QWidget window;
    window.show();
    for (const bool saving : {false, true})
        for (const bool cancel : {false, true}) {
            const QString path = folder.filePath(saving ? "new.cfg" : "euro.cfg");
            ModalAnswer answer([&](QWidget& modal) {
                auto* dialog = qobject_cast<QFileDialog*>(&modal);
                ASSERT_TRUE(dialog);
                EXPECT_EQ(dialog->windowTitle() + dialog->nameFilters().join('|') +
                              dialog->directory().absolutePath(),
                          "OpenEuro setup (euro.cfg)" + QDir(folder.path()).absolutePath());
                EXPECT_EQ(dialog->acceptMode() == QFileDialog::AcceptSave, saving);
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                QTest::keyClicks(name, QDir::toNativeSeparators(path));
                cancel ? dialog->reject() : QTest::keyClick(name, Qt::Key_Return);
            });
            const QString chosen =
                saving ? dialogs.saveFile(&window, request) : dialogs.openFile(&window, request);
            EXPECT_EQ(chosen.toStdString(), cancel ? "" : path.toStdString());
        }
    QDialog dialog;
    for (const int result : {QDialog::Accepted, QDialog::Rejected}) {
        ModalAnswer answer([&](QWidget& modal) { static_cast<QDialog&>(modal).done(result); });
        EXPECT_EQ(dialogs.exec(dialog), result);
    }
}

}  // namespace
}  // namespace velquor::platform
