#include <gmock/gmock.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include "platform/platform.h"
#include "support/fake_launcher.h"
#include "support/fake_registry.h"
#include "support/scratch_dir_test.h"
#include "support/scripted_dialogs.h"
#include "ui/about/frm_about.h"
#include "ui/about/sys_info.h"
#include "ui/room_for_text.h"

namespace velquor::test {
namespace {

using platform::Registry;
using ::testing::Each;
using ::testing::Pair;
using S = std::string;
const S kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const S kTools = "SOFTWARE\\Microsoft\\Shared Tools Location";

TEST(FrmAboutTest, OpensCentredWithTheFocusOnOkSystemInfoKeepsItOpenAndEnterOrEscCloseIt) {
    QWidget window;
    window.setGeometry(100, 100, 800, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ScriptedDialogs dialogs;
    FakeRegistry registry;
    FakeLauncher launcher;
    platform::Platform platform{dialogs, registry, launcher};
    launcher.files = {"C:\\msinfo.exe"};  // there, and registered for the second round only
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        // Only names and places leave the step, never a pointer into the box.
        QString seen;
        QPoint centre;
        ui::frmAbout about(platform, &window);
        const auto text = [&](const char* name) { return about.findChild<QLabel*>(name)->text(); };
        EXPECT_EQ(about.windowTitle() + text("lblTitle") + text("lblVersion"),
                  "About VelquorVelquorVersion " VELQUOR_VERSION);
        EXPECT_EQ(about.windowType(), Qt::Tool);
        EXPECT_EQ(about.minimumSize(), about.maximumSize()) << "a fixed size";
        // Arial 8.25 regular; that the texts fit, whatever the font, is the window tests'.
        for (const QLabel* label : about.findChildren<QLabel*>(QRegularExpression("^lbl")))
            EXPECT_EQ(label->font().toString().section(',', 0, 4).toStdString(),
                      "Arial,8.25,-1,5,400")
                << label->objectName().toStdString();
        // A gold cup on its stand and base, a white ball, the green pitch, a sky above.
        const QImage picture = about.findChild<QLabel*>("picIcon")->pixmap().toImage();
        EXPECT_EQ(picture.size(), QSize(60, 80));
        for (const int y : {25, 44, 51})
            EXPECT_EQ(picture.pixel(30, y), 0xFFE8B830) << y;
        EXPECT_EQ(picture.pixel(44, 68), 0xFFFFFFFF);
        EXPECT_EQ(picture.pixel(5, 75), 0xFF2E8B3A);
        EXPECT_GT(picture.pixelColor(5, 5).blue(), picture.pixelColor(5, 5).red());
        const QRect grey = about.findChild<QFrame*>("Line1_1")->geometry();  // over white: etched
        const QRect white = about.findChild<QFrame*>("Line1_0")->geometry();
        const QImage shown = about.grab().toImage();
        EXPECT_EQ(shown.pixel(grey.center()), 0xFF808080);
        EXPECT_EQ(white.top(), grey.bottom() + 1);
        EXPECT_EQ(shown.pixel(white.center()), 0xFFFFFFFF);
        dialogs.script.push_back([&](QDialog& dlg) {
            const auto inBox = [&] { return dlg.isAncestorOf(QApplication::focusWidget()); };
            ASSERT_TRUE(QTest::qWaitFor(inBox)) << "the focus is on " << focused().toStdString();
            seen = focused();
            // Keys go to the box's own focus: a box closed too early must fail, not crash.
            const auto keyTo = [&](Qt::Key k, Qt::KeyboardModifiers with = Qt::NoModifier) {
                QTest::keyClick(dlg.focusWidget() ? dlg.focusWidget() : &dlg, k, with);
            };
            centre = dlg.frameGeometry().center();
            dlg.findChild<QPushButton*>("cmdSysInfo")->click();
            keyTo(Qt::Key_Tab);  // other keys move on and close nothing
            seen += " " + (dlg.isVisible() ? dlg.focusWidget()->objectName() : "closed");
            keyTo(Qt::Key_Tab, Qt::ShiftModifier);
            keyTo(Qt::Key_A);  // a key the buttons leave to the box
            seen += dlg.isVisible() ? " open" : " closed";
            keyTo(key);
            seen += QTest::qWaitFor([&] { return !dlg.isVisible(); }) ? " closed" : " open";
        });
        EXPECT_EQ(dialogs.exec(about), QDialog::Accepted) << key;
        EXPECT_EQ(seen, "cmdOK cmdSysInfo open closed") << key;
        EXPECT_LE((centre - window.frameGeometry().center()).manhattanLength(), 2) << key;
        EXPECT_EQ(launcher.started.size(), key == Qt::Key_Escape ? 1u : 0u);
        EXPECT_EQ(std::exchange(dialogs.messages, {}).size(), key == Qt::Key_Escape ? 0u : 1u);
        registry.setText(kMsinfo, "PATH", "C:\\msinfo.exe");
    }
}

TEST(StartSysInfo, StartsTheFirstRegisteredProgramThatExistsOrSaysItIsUnavailable) {
    const S first = "C:\\Program Files\\msinfo32.exe", second = "C:\\Shared\\MSINFO32.EXE";
    constexpr std::uint32_t kText = Registry::kTypeText, kNumber = Registry::kTypeNumber;
    const struct {
        std::uint32_t type;                  // of the first location's value, msinfo
        S msinfo, tools;                     // tools: the second location's text; empty: not there
        std::set<S> files;                   // the files there are
        std::vector<S> started, keysOpened;  // nothing started: the message instead
    } rows[] = {
        {kText, first + S(3, '\0'), "C:\\Shared", {first, second}, {first}, {kMsinfo}},
        {kText, "", "C:\\Shared", {second}, {second}, {kMsinfo, kTools}},
        {kText, "", "C:\\Shared", {}, {}, {kMsinfo, kTools}},
        {kText, "C:\\Gone.exe", "C:\\Shared", {second}, {}, {kMsinfo}},  // no second try
        {kText, "", "", {}, {}, {kMsinfo, kTools}},
        // Text ends at its first NUL, a number is read as decimal, other types give nothing.
        {kText, S("C:\\A\0B\0", 6), "", {"C:\\A"}, {"C:\\A"}, {kMsinfo}},
        {kText, S(1024, 'x'), "", {S(1024, 'x')}, {S(1024, 'x')}, {kMsinfo}},
        {kText, S(1025, 'x'), "", {}, {}, {kMsinfo, kTools}},  // more than the buffer holds
        {kNumber, S("\x00\x01\x00\x00", 4), "", {"256"}, {"256"}, {kMsinfo}},
        {kNumber, "\xFF\xFF\xFF\xFF", "", {"4294967295"}, {"4294967295"}, {kMsinfo}},
        {3, "C:\\A", "", {"C:\\A"}, {}, {kMsinfo}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.msinfo.substr(0, 20) + "|" + row.tools);
        FakeRegistry registry;
        FakeLauncher launcher;
        ScriptedDialogs dialogs;
        if (!row.msinfo.empty())
            registry.keys[kMsinfo]["PATH"] = {row.type, row.msinfo};
        if (!row.tools.empty())
            registry.setText(kTools, "MSINFO", row.tools);
        launcher.files = row.files;
        ui::StartSysInfo(registry, launcher, dialogs, nullptr);
        EXPECT_EQ(registry.openedKeys, row.keysOpened);
        EXPECT_EQ(launcher.started, row.started);
        EXPECT_EQ(registry.closes, registry.opens);
        EXPECT_EQ(registry.stillOpen, 0);
        EXPECT_THAT(registry.opened, Each(Pair(Registry::kLocalMachine, 0x2003Fu)));
        EXPECT_EQ(dialogs.messages.size(), row.started.empty() ? 1u : 0u);
        for (const auto& m : dialogs.messages)
            EXPECT_THAT(m, IsMessage("The system info is not available at this moment", "Velquor",
                                     platform::MessageIcon::None));
    }
    FakeRegistry registry;  // a failed read leaves nothing in the output
    registry.setText(kMsinfo, "PATH", S(1025, 'x'));
    for (const S& key : {kMsinfo, kTools}) {  // a value too long, a key not there
        S out = "stale";
        EXPECT_FALSE(ui::GetKeyValue(registry, Registry::kLocalMachine, key, "PATH", out));
        EXPECT_EQ(out, "") << key;
    }
}

// A label that needs more lines in the font it has now pushes down only what
// lies below it in its own column, and the window grows by as much.
TEST(RoomForText, AGrownLabelMovesWhatIsBelowItInItsColumnAndTheWindowGrowsByAsMuch) {
    QWidget window;
    window.setFixedSize(300, 200);
    auto* text = new QLabel(QString("word ").repeated(40), &window);
    text->setWordWrap(true);
    text->setGeometry(0, 0, 100, 20);
    auto* below = new QPushButton("below", &window);
    below->setGeometry(0, 30, 100, 20);
    auto* beside = new QPushButton("beside", &window);
    beside->setGeometry(150, 30, 100, 20);
    const int grown = text->heightForWidth(100) - 20;
    ASSERT_GT(grown, 0);
    ui::makeRoomForText(window);
    EXPECT_EQ(text->geometry(), QRect(0, 0, 100, 20 + grown));
    EXPECT_EQ(below->geometry(), QRect(0, 30 + grown, 100, 20));
    EXPECT_EQ(beside->geometry(), QRect(150, 30, 100, 20));
    EXPECT_EQ(window.size(), QSize(300, 200 + grown));
}

#ifndef _WIN32
TEST(SystemPlatform, NoRegistryHereAndTheLauncherStartsOnlyPrograms) {
    Registry& registry = Registry::system();
    Registry::Handle key = 99;
    EXPECT_EQ(registry.openKey(Registry::kLocalMachine, kMsinfo, 0x2003F, key), 2);  // not found
    std::uint32_t type = 0, size = 10;
    S buffer(10, 'x');
    EXPECT_EQ(registry.queryValue(key, "PATH", type, buffer, size), 6);  // invalid handle
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(registry.closeKey(key), 6);
    const ScratchDir dir;
    const S file = dir.write("MSINFO32.EXE", "").string();
    auto& launcher = platform::Launcher::system();
    EXPECT_TRUE(launcher.fileExists(file));
    EXPECT_FALSE(launcher.fileExists(dir.dir_.string())) << "a folder";
    for (const S& refused : {(dir.dir_ / "missing").string(), S(), file})  // file: not run
        EXPECT_FALSE(launcher.start(refused)) << refused;
    EXPECT_TRUE(launcher.start("/bin/true"));
}
#endif

}  // namespace
}  // namespace velquor::test
