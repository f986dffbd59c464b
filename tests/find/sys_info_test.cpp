#include "ui/about/sys_info.h"

#include <QFile>
#include <QTemporaryDir>
#include <set>

#include <gtest/gtest.h>

#include "support/fake_launcher.h"
#include "support/fake_registry.h"
#include "support/scripted_dialogs.h"

using velquor::platform::Registry;
using velquor::ui::GetKeyValue;
using velquor::ui::StartSysInfo;

namespace velquor::test {
namespace {

const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kTools = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::uint32_t kHklm = Registry::kLocalMachine;
using S = std::string;

TEST(GetKeyValue, ReadsTextToItsFirstNulAndNumbersAsDecimalOrGivesNothing) {
    const struct {
        std::uint32_t type;
        std::string data;
        std::string read;  // "-": the read fails
    } rows[] = {
        {Registry::kTypeText, S("C:\\msinfo32.exe\0\0\0", 18), "C:\\msinfo32.exe"},
        {Registry::kTypeText, S("C:\\A\0B\0", 7), "C:\\A"},
        {Registry::kTypeText, S(1024, 'x'), S(1024, 'x')},
        {Registry::kTypeText, S(1025, 'x'), "-"},  // more than the buffer holds
        {Registry::kTypeNumber, S("\x00\x01\x00\x00", 4), "256"},
        {Registry::kTypeNumber, S("\xFF\xFF\xFF\xFF", 4), "4294967295"},
        {3, S("\x01\x02", 2), "kept"},  // other types leave the output as it was
    };
    FakeRegistry registry;
    for (const auto& row : rows) {
        registry.keys["K"]["V"] = {row.type, row.data};
        for (const auto& [key, value] :
             {std::pair(S("K"), S("V")), {S("K"), S("W")}, {S("L"), S("V")}}) {
            std::string out = "kept";
            const bool read = value == "V" && key == "K" && row.read != "-";
            EXPECT_EQ(GetKeyValue(registry, kHklm, key, value, out), read) << row.read;
            EXPECT_EQ(out, read ? row.read : "") << row.read;
        }
    }
    EXPECT_TRUE(registry.closes == registry.opens && registry.stillOpen == 0);
    for (const auto& [root, access] : registry.opened)
        EXPECT_EQ(root * 0x100000000ull + access, 0x80000002'0002003Full);
}

TEST(StartSysInfo, StartsTheFirstRegisteredProgramThatExistsOrSaysItIsUnavailable) {
    const std::string first = "C:\\Program Files\\msinfo32.exe";
    const std::string second = "C:\\Shared\\MSINFO32.EXE";
    const struct {
        std::string msinfo, tools;  // the two locations' texts; empty: not there
        std::set<std::string> files;
        std::vector<std::string> started;  // none: the message instead
        std::vector<std::string> keysOpened;
    } rows[] = {
        {first + '\0', "C:\\Shared", {first, second}, {first}, {kMsinfo}},
        {"", "C:\\Shared", {second}, {second}, {kMsinfo, kTools}},
        {"", "C:\\Shared", {}, {}, {kMsinfo, kTools}},
        {"C:\\Gone\\msinfo32.exe", "C:\\Shared", {second}, {}, {kMsinfo}},  // no second try
        {"", "", {}, {}, {kMsinfo, kTools}},
        {"\x07\0\0\0", "", {}, {}, {kMsinfo}},  // a number where the path should be
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.msinfo + "|" + row.tools);
        FakeRegistry registry;
        FakeLauncher launcher;
        ScriptedDialogs dialogs;
        if (!row.msinfo.empty())
            registry.keys[kMsinfo]["PATH"] = {
                row.msinfo[0] == 7 ? Registry::kTypeNumber : Registry::kTypeText, row.msinfo};
        if (!row.tools.empty())
            registry.setText(kTools, "MSINFO", row.tools);
        launcher.files = row.files;
        StartSysInfo(registry, launcher, dialogs, nullptr);
        EXPECT_EQ(registry.openedKeys, row.keysOpened);
        EXPECT_TRUE(registry.closes == registry.opens && registry.stillOpen == 0);
        EXPECT_EQ(launcher.started, row.started);
        EXPECT_EQ(dialogs.messages.size(), row.started.empty() ? 1u : 0u);
        for (const auto& m : dialogs.messages)
            EXPECT_TRUE(m.text == "The system info is not available at this moment" &&
                        m.title == "Velquor" && m.icon == platform::MessageIcon::None &&
                        m.buttons == platform::MessageButtons::Ok);
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
