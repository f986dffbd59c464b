#include "ui/about/frm_about.h"

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/fake_launcher.h"
#include "support/fake_registry.h"
#include "support/scripted_dialogs.h"

namespace velquor::test {
namespace {

TEST(FrmAboutTest, OpensCentredWithTheFocusOnOkSystemInfoKeepsItOpenAndEnterOrEscCloseIt) {
    QWidget window;
    window.setGeometry(100, 100, 800, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ScriptedDialogs dialogs;
    FakeRegistry registry;
    FakeLauncher launcher;
    platform::Platform platform{dialogs, registry, launcher};
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        const bool registered = key == Qt::Key_Escape;
        if (registered) {
            registry.setText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", "C:\\msinfo.exe");
            launcher.files = {"C:\\msinfo.exe"};
        }
        // Only names and places leave the step, never a pointer into the box.
        QString focusName, tabbedTo;
        QPoint centre;
        bool stayedOpen = false, closed = false;
        ui::frmAbout about(platform, &window);
        const auto text = [&](const char* name) { return about.findChild<QLabel*>(name)->text(); };
        EXPECT_EQ(about.windowTitle() + text("lblTitle") + text("lblVersion"),
                  "About VelquorVelquorVersion 2.0.0");
        EXPECT_TRUE(about.windowType() == Qt::Tool && about.minimumSize() == about.maximumSize());
        for (const QLabel* label : about.findChildren<QLabel*>(QRegularExpression("^lbl"))) {
            const QFont font = label->font();  // the substitute is wider; texts still have to fit
            EXPECT_TRUE(font.families().value(0) == "Arial" && font.pointSizeF() == 8.25 &&
                        !font.bold() && label->heightForWidth(label->width()) <= label->height())
                << label->objectName().toStdString();
        }
        // A gold cup on its stand and base, a white ball, the green pitch, a sky above.
        const QImage picture = about.findChild<QLabel*>("picIcon")->pixmap().toImage();
        EXPECT_EQ(picture.size(), QSize(60, 80));
        for (const QPoint at : {QPoint(30, 25), QPoint(30, 44), QPoint(30, 51)})
            EXPECT_EQ(picture.pixelColor(at), QColor(0xE8, 0xB8, 0x30)) << at.y();
        EXPECT_EQ(picture.pixelColor(44, 68), QColor(Qt::white));
        EXPECT_EQ(picture.pixelColor(5, 75), QColor(0x2E, 0x8B, 0x3A));
        EXPECT_GT(picture.pixelColor(5, 5).blue(), picture.pixelColor(5, 5).red());
        const auto* grey = about.findChild<QFrame*>("Line1_1");  // over white: an etched rule
        const auto* white = about.findChild<QFrame*>("Line1_0");
        const QImage shown = about.grab().toImage();
        EXPECT_TRUE(shown.pixelColor(grey->geometry().center()) == QColor(0x80, 0x80, 0x80) &&
                    shown.pixelColor(white->geometry().center()) == Qt::white &&
                    white->geometry().top() == grey->geometry().bottom() + 1);
        dialogs.script.push_back([&](QDialog& dlg) {
            const auto focus = [&] { return QApplication::focusWidget(); };
            ASSERT_TRUE(QTest::qWaitFor([&] { return focus() && focus()->window() == &dlg; }));
            focusName = focus()->objectName();
            // Keys go to the box's own focus: a box closed too early must fail, not crash.
            const auto keyTo = [&](Qt::Key k, Qt::KeyboardModifiers with = Qt::NoModifier) {
                QTest::keyClick(dlg.focusWidget() ? dlg.focusWidget() : &dlg, k, with);
            };
            centre = dlg.frameGeometry().center();
            dlg.findChild<QPushButton*>("cmdSysInfo")->click();
            keyTo(Qt::Key_Tab);  // other keys move on and close nothing
            tabbedTo = dlg.isVisible() ? dlg.focusWidget()->objectName() : "closed";
            keyTo(Qt::Key_Tab, Qt::ShiftModifier);
            keyTo(Qt::Key_A);  // a key the buttons leave to the box
            stayedOpen = dlg.isVisible();
            keyTo(key);
            closed = QTest::qWaitFor([&] { return !dlg.isVisible(); });
        });
        EXPECT_EQ(dialogs.exec(about), QDialog::Accepted) << key;
        EXPECT_TRUE(closed && stayedOpen) << key;
        EXPECT_EQ(focusName + " " + tabbedTo, "cmdOK cmdSysInfo") << key;
        EXPECT_LE((centre - window.frameGeometry().center()).manhattanLength(), 2) << key;
        EXPECT_EQ(launcher.started.size(), registered ? 1u : 0u);
        EXPECT_EQ(dialogs.messages.size(), registered ? 0u : 1u);  // the unavailable message
        dialogs.messages.clear();
    }
}

}  // namespace
}  // namespace velquor::test
