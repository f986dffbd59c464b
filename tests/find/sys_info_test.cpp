#include "ui/about/sys_info.h"

#include <QFile>
#include <QTemporaryDir>
#include <set>

#include <gtest/gtest.h>

#include "platform/launcher.h"
#include "platform/registry.h"
#include "support/fake_launcher.h"
#include "support/fake_registry.h"
#include "support/scripted_dialogs.h"

using velquor::platform::MessageIcon;
using velquor::platform::Registry;
using velquor::test::FakeLauncher;
using velquor::test::FakeRegistry;
using velquor::test::ScriptedDialogs;
using velquor::ui::GetKeyValue;
using velquor::ui::StartSysInfo;

namespace {

const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kTools = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::uint32_t kHklm = Registry::kLocalMachine;

std::string bytes(const char* data, std::size_t size) {
    return std::string(data, size);
}

TEST(GetKeyValue, ReadsTextUpToTheFirstNulNumbersAsDecimalAndKeepsOtherTypes) {
    FakeRegistry registry;
    const struct {
        const char* name;
        std::uint32_t type;
        std::string data;
        std::string expected;
    } cases[] = {
        {"trailing NULs", Registry::kTypeText, bytes("C:\\msinfo32.exe\0\0\0", 18),
         "C:\\msinfo32.exe"},
        {"inner NUL", Registry::kTypeText, bytes("C:\\A\0B\0", 7), "C:\\A"},
        {"no NUL", Registry::kTypeText, "plain", "plain"},
        {"filling the buffer", Registry::kTypeText, std::string(1024, 'x'), std::string(1024, 'x')},
        {"256", Registry::kTypeNumber, bytes("\x00\x01\x00\x00", 4), "256"},
        {"zero", Registry::kTypeNumber, bytes("\0\0\0\0", 4), "0"},
        {"max", Registry::kTypeNumber, bytes("\xFF\xFF\xFF\xFF", 4), "4294967295"},
        {"binary", 3, bytes("\x01\x02", 2), "kept"},
        {"expandable text", 2, "%SystemRoot%", "kept"},
    };
    for (const auto& c : cases) {
        registry.keys["K"][c.name] = {c.type, c.data};
        std::string value = "kept";
        EXPECT_TRUE(GetKeyValue(registry, kHklm, "K", c.name, value)) << c.name;
        EXPECT_EQ(value, c.expected) << c.name;
    }
    EXPECT_EQ(registry.closes, registry.opens);
    for (std::uint32_t mask : registry.accessMasks)
        EXPECT_EQ(mask, 0x2003Fu);
    for (std::uint32_t root : registry.roots)
        EXPECT_EQ(root, 0x80000002u);
}

TEST(GetKeyValue, FailuresEmptyTheOutputAndStillCloseTheHandle) {
    FakeRegistry registry;
    registry.setText("K", "PATH", "x");
    registry.setText("K", "huge", std::string(1025, 'y'));
    std::string value = "stale";

    EXPECT_FALSE(GetKeyValue(registry, kHklm, "missing key", "PATH", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.queries, 0);
    EXPECT_EQ(registry.closes, 1);  // closed although it never opened

    value = "stale";
    EXPECT_FALSE(GetKeyValue(registry, kHklm, "K", "missing value", value));
    EXPECT_EQ(value, "");
    value = "stale";
    EXPECT_FALSE(GetKeyValue(registry, kHklm, "K", "huge", value));
    EXPECT_EQ(value, "");
    registry.queryFailure = FakeRegistry::kAccessDenied;
    value = "stale";
    EXPECT_FALSE(GetKeyValue(registry, kHklm, "K", "PATH", value));
    EXPECT_EQ(value, "");

    EXPECT_EQ(registry.closes, 4);
    ASSERT_EQ(registry.closedHandles.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_NE(registry.closedHandles[i], 0u) << "the opened handle is the one closed";
}

TEST(StartSysInfo, StartsTheFirstRegisteredProgramThatExistsOrSaysItIsUnavailable) {
    using Values = std::vector<std::pair<std::string, std::string>>;  // key, text
    const std::string first = "C:\\Program Files\\msinfo32.exe";
    const std::string second = "C:\\Shared\\MSINFO32.EXE";
    const struct {
        const char* what;
        Values values;
        std::set<std::string> files;
        std::string started;  // empty: the message
        std::vector<std::string> keysOpened;
        bool numberAsPath;
    } rows[] = {
        {"first, and the second not read",
         {{kMsinfo, first + std::string(1, '\0')}, {kTools, "C:\\Shared"}},
         {first, second},
         first,
         {kMsinfo},
         false},
        {"second: msinfo32 in its folder",
         {{kTools, "C:\\Shared"}},
         {second},
         second,
         {kMsinfo, kTools},
         false},
        {"second without the file", {{kTools, "C:\\Shared"}}, {}, "", {kMsinfo, kTools}, false},
        {"first pointing at nothing, the second not tried",
         {{kMsinfo, "C:\\Gone\\msinfo32.exe"}, {kTools, "C:\\Shared"}},
         {second},
         "",
         {kMsinfo},
         false},
        {"nothing registered", {}, {}, "", {kMsinfo, kTools}, false},
        {"a number where the path should be", {}, {}, "", {kMsinfo}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        FakeRegistry registry;
        FakeLauncher launcher;
        ScriptedDialogs dialogs;
        for (const auto& [key, text] : row.values)
            registry.setText(key, key == kMsinfo ? "PATH" : "MSINFO", text);
        if (row.numberAsPath)
            registry.keys[kMsinfo]["PATH"] = {Registry::kTypeNumber, bytes("\x07\0\0\0", 4)};
        launcher.files = row.files;
        StartSysInfo(registry, launcher, dialogs, nullptr);
        EXPECT_EQ(registry.openedKeys, row.keysOpened);
        EXPECT_EQ(registry.closes, registry.opens);
        if (!row.started.empty()) {
            EXPECT_EQ(launcher.started, std::vector<std::string>{row.started});
            EXPECT_TRUE(dialogs.messages.empty());
            continue;
        }
        EXPECT_TRUE(launcher.started.empty());
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "The system info is not available at this moment");
        EXPECT_EQ(dialogs.messages[0].title, "Velquor");
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
        EXPECT_EQ(dialogs.messages[0].buttons, velquor::platform::MessageButtons::Ok);
    }
}

#ifndef _WIN32
TEST(SystemPlatform, RegistryHoldsNoKeysSoSysInfoIsUnavailable) {
    Registry& registry = Registry::system();
    Registry::Handle key = 99;
    EXPECT_EQ(registry.openKey(kHklm, kMsinfo, 0x2003F, key), 2);  // file not found
    EXPECT_EQ(key, 0u);
    std::uint32_t type = 0, size = 10;
    std::string buffer(10, 'x');
    EXPECT_EQ(registry.queryValue(key, "PATH", type, buffer, size), 6);  // invalid handle
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(registry.closeKey(key), 6);
    ScriptedDialogs dialogs;
    FakeLauncher launcher;
    StartSysInfo(registry, launcher, dialogs, nullptr);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST(SystemPlatform, LauncherTestsFilesAndRefusesWhatCannotStart) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("MSINFO32.EXE");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.close();
    auto& launcher = velquor::platform::Launcher::system();
    EXPECT_TRUE(launcher.fileExists(file.toStdString()));
    EXPECT_FALSE(launcher.fileExists(dir.path().toStdString()));
    EXPECT_FALSE(launcher.fileExists(dir.filePath("missing").toStdString()));
    EXPECT_FALSE(launcher.start(dir.filePath("missing").toStdString()));
    EXPECT_FALSE(launcher.start(""));
    EXPECT_FALSE(launcher.start(file.toStdString()));  // not executable
    EXPECT_TRUE(launcher.start("/bin/true"));
}
#endif

}  // namespace
