#include "ui/about/sys_info.h"

#include <QFile>
#include <QTemporaryDir>
#include <set>

#include <gtest/gtest.h>

#include "support/fake_launcher.h"
#include "support/fake_registry.h"
#include "support/scripted_dialogs.h"

using velquor::platform::Registry;
using velquor::ui::StartSysInfo;

namespace velquor::test {
namespace {

const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kTools = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::uint32_t kHklm = Registry::kLocalMachine;
using S = std::string;
constexpr std::uint32_t kText = Registry::kTypeText;

TEST(StartSysInfo, StartsTheFirstRegisteredProgramThatExistsOrSaysItIsUnavailable) {
    const std::string first = "C:\\Program Files\\msinfo32.exe";
    const std::string second = "C:\\Shared\\MSINFO32.EXE";
    // The first location's type and bytes, the second's text (empty: not there), the files
    // there are, what starts (nothing: the message instead), the keys opened.
    using Files = std::vector<std::string>;
    const std::tuple<std::uint32_t, S, S, Files, Files, Files> rows[] = {
        {kText, first + S(3, '\0'), "C:\\Shared", {first, second}, {first}, {kMsinfo}},
        {kText, "", "C:\\Shared", {second}, {second}, {kMsinfo, kTools}},
        {kText, "", "C:\\Shared", {}, {}, {kMsinfo, kTools}},
        {kText, "C:\\Gone.exe", "C:\\Shared", {second}, {}, {kMsinfo}},  // no second try
        {kText, "", "", {}, {}, {kMsinfo, kTools}},
        // Text ends at its first NUL, a number is read as decimal, other types give nothing.
        {kText, S("C:\\A\0B\0", 6), "", {"C:\\A"}, {"C:\\A"}, {kMsinfo}},
        {kText, S(1024, 'x'), "", {S(1024, 'x')}, {S(1024, 'x')}, {kMsinfo}},
        {kText, S(1025, 'x'), "", {}, {}, {kMsinfo, kTools}},  // more than the buffer holds
        {Registry::kTypeNumber, S("\x00\x01\x00\x00", 4), "", {"256"}, {"256"}, {kMsinfo}},
        {Registry::kTypeNumber, "\xFF\xFF\xFF\xFF", "", {"4294967295"}, {"4294967295"}, {kMsinfo}},
        {3, "C:\\A", "", {"C:\\A"}, {}, {kMsinfo}},
    };
    for (const auto& [type, msinfo, tools, files, started, keysOpened] : rows) {
        SCOPED_TRACE(msinfo.substr(0, 20) + "|" + tools);
        FakeRegistry registry;
        FakeLauncher launcher;
        ScriptedDialogs dialogs;
        if (!msinfo.empty())
            registry.keys[kMsinfo]["PATH"] = {type, msinfo};
        if (!tools.empty())
            registry.setText(kTools, "MSINFO", tools);
        launcher.files = {files.begin(), files.end()};
        StartSysInfo(registry, launcher, dialogs, nullptr);
        EXPECT_EQ(registry.openedKeys, keysOpened);
        EXPECT_TRUE(registry.closes == registry.opens && registry.stillOpen == 0);
        for (const auto& [root, access] : registry.opened)
            EXPECT_EQ(root * 0x100000000ull + access, 0x80000002'0002003Full);
        EXPECT_EQ(launcher.started, started);
        EXPECT_EQ(dialogs.messages.size(), started.empty() ? 1u : 0u);
        for (const auto& m : dialogs.messages)
            EXPECT_TRUE(m.text == "The system info is not available at this moment" &&
                        m.title == "Velquor" && m.icon == platform::MessageIcon::None &&
                        m.buttons == platform::MessageButtons::Ok);
    }
}

TEST(GetKeyValue, AFailedReadLeavesNothingInTheOutput) {
    FakeRegistry registry;
    registry.setText(kMsinfo, "PATH", S(1025, 'x'));
    for (const std::string& key : {kMsinfo, kTools}) {  // a value too long, a key not there
        std::string out = "stale";
        EXPECT_FALSE(ui::GetKeyValue(registry, kHklm, key, "PATH", out));
        EXPECT_EQ(out, "") << key;
    }
}

#ifndef _WIN32
TEST(SystemPlatform, NoRegistryHereAndTheLauncherStartsOnlyPrograms) {
    Registry& registry = Registry::system();
    Registry::Handle key = 99;
    EXPECT_EQ(registry.openKey(kHklm, kMsinfo, 0x2003F, key), 2);  // file not found
    EXPECT_EQ(key, 0u);
    std::uint32_t type = 0, size = 10;
    std::string buffer(10, 'x');
    EXPECT_EQ(registry.queryValue(key, "PATH", type, buffer, size), 6);  // invalid handle
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(registry.closeKey(key), 6);

    QTemporaryDir dir;
    const QString file = dir.filePath("MSINFO32.EXE");
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    auto& launcher = platform::Launcher::system();
    EXPECT_TRUE(launcher.fileExists(file.toStdString()));
    EXPECT_FALSE(launcher.fileExists(dir.path().toStdString()));
    for (const QString& refused :
         {dir.filePath("missing"), QString(), file})  // file: not executable
        EXPECT_FALSE(launcher.start(refused.toStdString())) << refused.toStdString();
    EXPECT_TRUE(launcher.start("/bin/true"));
}
#endif

}  // namespace
}  // namespace velquor::test
