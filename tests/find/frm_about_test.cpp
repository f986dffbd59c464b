#include "ui/about/frm_about.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/fake_launcher.h"
#include "support/fake_registry.h"
#include "support/scripted_dialogs.h"

using velquor::test::FakeLauncher;
using velquor::test::FakeRegistry;
using velquor::test::ScriptedDialogs;
using velquor::ui::frmAbout;

namespace {

class FrmAboutTest : public ::testing::Test {
  protected:
    QWidget window;
    ScriptedDialogs dialogs;
    FakeRegistry registry;
    FakeLauncher launcher;
    velquor::platform::Platform platform{dialogs, registry, launcher};

    void SetUp() override {
        window.setGeometry(100, 100, 800, 600);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QString text(const frmAbout& about, const char* name) {
        return about.findChild<QLabel*>(name)->text();
    }
    // Shows the box as the main window does, with one scripted step.
    int showAbout(ScriptedDialogs::Step step) {
        frmAbout about(platform, &window);
        dialogs.script.push_back(std::move(step));
        return dialogs.exec(about);
    }
};

TEST_F(FrmAboutTest, ShowsTitleVersionAndTheFixedTexts) {
    frmAbout about(platform, &window);
    EXPECT_EQ(about.windowTitle(), "About Velquor");
    EXPECT_EQ(about.size(), QSize(384, 179));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_EQ(about.windowType(), Qt::Tool);
    EXPECT_FALSE(about.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(text(about, "lblTitle"), "Velquor");
    EXPECT_EQ(text(about, "lblVersion"), "Version 2.0.0");
    EXPECT_TRUE(text(about, "lblDescription").startsWith("Euro.cfg Editor for "));
    EXPECT_TRUE(text(about, "lblDescription").contains(" by "));

    const QStringList lines = text(about, "lblDisclaimer2").split("\r\n");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("To get the lastest versions of this editor go to "));
    EXPECT_TRUE(lines[0].contains(" or "));
    EXPECT_TRUE(lines[0].endsWith("."));
    EXPECT_TRUE(lines[1].startsWith("Send your feedback to "));
    EXPECT_TRUE(lines[1].contains("@example.org"));
    EXPECT_TRUE(text(about, "lblDisclaimer").contains("freeware"));

    for (const char* name :
         {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer2", "lblDisclaimer"}) {
        const QFont font = about.findChild<QLabel*>(name)->font();
        EXPECT_EQ(font.families().value(0), "Arial") << name;
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25) << name;
        EXPECT_FALSE(font.bold()) << name;
        const QLabel* label = about.findChild<QLabel*>(name);
        // The substitute font is wider than Arial; the texts still have to fit.
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
        }
    }
    EXPECT_EQ(about.findChild<QLabel*>("picIcon")->pixmap().size(), QSize(60, 80));
    const auto* grey = about.findChild<QFrame*>("Line1_1");
    const auto* white = about.findChild<QFrame*>("Line1_0");
    ASSERT_TRUE(grey && white);
    EXPECT_EQ(grey->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(white->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(white->geometry().top(), grey->geometry().bottom() + 1);
    EXPECT_EQ(about.findChild<QPushButton*>("cmdOK")->text(), "Ok");
    EXPECT_EQ(about.findChild<QPushButton*>("cmdSysInfo")->text(), "System info");
}

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
