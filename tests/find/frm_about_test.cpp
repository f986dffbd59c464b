#include "ui/about/frm_about.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/fake_launcher.h"
#include "support/fake_registry.h"
#include "support/scripted_dialogs.h"

using velquor::test::ScriptedDialogs;
using velquor::ui::frmAbout;

namespace {

class FrmAboutTest : public ::testing::Test {
  protected:
    QWidget window;
    ScriptedDialogs dialogs;
    velquor::test::FakeRegistry registry;
    velquor::test::FakeLauncher launcher;
    velquor::platform::Platform platform{dialogs, registry, launcher};

    void SetUp() override {
        window.setGeometry(100, 100, 800, 600);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // Shows the box as the main window does; the box dies when this returns.
    int showAbout(ScriptedDialogs::Step step) {
        frmAbout about(platform, &window);
        const auto text = [&](const char* name) { return about.findChild<QLabel*>(name)->text(); };
        EXPECT_EQ(about.windowTitle() + text("lblTitle") + text("lblVersion"),
                  "About VelquorVelquorVersion 2.0.0");
        EXPECT_TRUE(text("lblDisclaimer").contains("freeware"));
        EXPECT_EQ(about.minimumSize(), about.maximumSize());
        EXPECT_EQ(about.windowType(), Qt::Tool);
        dialogs.script.push_back(std::move(step));
        return dialogs.exec(about);
    }
};

TEST_F(FrmAboutTest, OpensCentredWithTheFocusOnOkAndEnterOrEscCloseIt) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        // Only names and places leave the step: the box and its buttons die with showAbout.
        QString focusName;
        QPoint centre;
        bool closed = false;
        const int result = showAbout([&](QDialog& dlg) {
            const auto focus = [&] { return QApplication::focusWidget(); };
            ASSERT_TRUE(QTest::qWaitFor([&] { return focus() && focus()->window() == &dlg; }));
            focusName = focus()->objectName();
            centre = dlg.frameGeometry().center();
            QTest::keyClick(focus(), key);
            closed = QTest::qWaitFor([&] { return !dlg.isVisible(); });
        });
        EXPECT_TRUE(closed) << key;
        EXPECT_EQ(result, QDialog::Accepted) << key;
        EXPECT_EQ(focusName, "cmdOK") << key;
        EXPECT_LE((centre - window.frameGeometry().center()).manhattanLength(), 2) << key;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FrmAboutTest, SystemInfoStartsTheRegisteredProgramOrSaysItIsUnavailable) {
    for (const bool registered : {false, true}) {
        if (registered) {
            registry.setText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                             "C:\\msinfo32.exe");
            launcher.files = {"C:\\msinfo32.exe"};
        }
        bool openAfterwards = false;
        showAbout([&](QDialog& dlg) {
            QTest::mouseClick(dlg.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
            openAfterwards = dlg.isVisible();
            QTest::mouseClick(dlg.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        EXPECT_TRUE(openAfterwards) << "the box stays open";
        EXPECT_EQ(launcher.started.size(), registered ? 1u : 0u);
        EXPECT_EQ(dialogs.texts(),
                  registered
                      ? std::vector<QString>{}
                      : std::vector<QString>{"The system info is not available at this moment"});
        dialogs.messages.clear();
    }
}

}  // namespace
