#include <gtest/gtest.h>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include "platform/dialogs.h"
#include "support/when_shown.h"

namespace velquor::platform {
namespace {

TEST(QtDialogs, MessageBoxesAndFileDialogsShowTheRequestAndGiveTheAnswer) {
    using B = QMessageBox;
    using I = MessageIcon;
    using Bs = MessageButtons;
    using A = MessageAnswer;
    const B::StandardButtons kSaveCancel = B::Save | B::Cancel, kYesNo = B::Yes | B::No;
    const struct {
        I icon;  // asked for, with the buttons, title and details
        Bs buttons;
        QString title, details;
        B::Icon shownIcon;  // what the box shows
        B::StandardButtons shown;
        B::StandardButton press;  // NoButton: the box closed without one
        A answer;
    } rows[] = {
        {I::Information, Bs::Ok, "", "", B::Information, B::Ok, B::Ok, A::Ok},
        {I::None, Bs::Ok, "", "Line 3\nLine 9", B::NoIcon, B::Ok, B::NoButton, A::Ok},
        {I::Warning, Bs::SaveCancel, "Error", "", B::Warning, kSaveCancel, B::Save, A::Save},
        {I::Critical, Bs::SaveCancel, "", "", B::Critical, kSaveCancel, B::Cancel, A::Cancel},
        {I::Question, Bs::YesNo, "", "", B::Question, kYesNo, B::Yes, A::Yes},
        {I::None, Bs::YesNo, "", "", B::NoIcon, kYesNo, B::NoButton, A::Cancel},
        {I::None, Bs::YesNoCancel, "", "", B::NoIcon, kYesNo | B::Cancel, B::No, A::No},
        {I::Question, Bs::RecoverDiscard, "", "", B::Question, B::Discard, B::Discard, A::Discard},
    };
    QtDialogs dialogs;
    for (const auto& row : rows) {
        test::whenShown<QMessageBox>([&](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle() + "|" + box->text() + "|" + box->detailedText(),
                      (row.title.isEmpty() ? "Velquor" : row.title) + "|Save the changes?|" +
                          row.details);
            EXPECT_EQ(box->icon(), row.shownIcon);
            EXPECT_EQ(box->standardButtons(), row.shown);
            row.press == B::NoButton ? box->reject() : box->button(row.press)->click();
        });
        const MessageRequest request("Save the changes?", row.title, row.icon, row.buttons,
                                     row.details);
        EXPECT_EQ(dialogs.message(nullptr, request), row.answer);
    }
    // The button asked for is Enter's; Recover is a button of its own.
    for (const A preferred : {A::No, A::Recover}) {
        test::whenShown<QMessageBox>(
            [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
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
            test::whenShown<QFileDialog>([&](QFileDialog* dialog) {
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
        test::whenShown<QDialog>([&](QDialog* modal) { modal->done(result); });
        EXPECT_EQ(dialogs.exec(dialog), result);
    }
}

}  // namespace
}  // namespace velquor::platform
