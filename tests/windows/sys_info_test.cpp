// StartSysInfo on the real registry and ShellExecuteA: a stand-in program,
// found through either registry location, leaves a marker when it starts.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/registry.h"
#include "registry_writer.h"
#include "support/scratch_dir_test.h"
#include "ui/about/sys_info.h"

namespace fs = std::filesystem;
using velquor::platform::Launcher;
using velquor::platform::MessageRequest;
using velquor::platform::Registry;

namespace {

const std::string kMsinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kTools = "SOFTWARE\\Microsoft\\Shared Tools Location";

class RecordingDialogs : public velquor::platform::Dialogs {
  public:
    std::vector<MessageRequest> messages;
    QString openFile(QWidget*, const velquor::platform::FileRequest&) override { return {}; }
    QString saveFile(QWidget*, const velquor::platform::FileRequest&) override { return {}; }
    velquor::platform::MessageAnswer message(QWidget*, const MessageRequest& request) override {
        messages.push_back(request);
        return velquor::platform::MessageAnswer::Ok;
    }
    int exec(QDialog&) override { return 0; }
};

class SysInfoOnWindows : public velquor::test::ScratchDirTest {
  protected:
    void SetUp() override {
        // The test rewrites the machine's MSINFO entries: only in Wine's throwaway prefix.
        if (!velquor::test::underWine())
            GTEST_SKIP() << "changes HKEY_LOCAL_MACHINE: runs under Wine only";
        ScratchDirTest::SetUp();
        clearRegistry();
    }
    void TearDown() override {
        if (dir_.empty())
            return;
        clearRegistry();
        // A started program holds its file until it has exited.
        std::error_code ec;
        for (int i = 0; i < 100 && (fs::remove_all(dir_, ec), fs::exists(dir_)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    static void clearRegistry() {
        velquor::test::deleteKey(HKEY_LOCAL_MACHINE, kMsinfo);
        velquor::test::deleteKey(HKEY_LOCAL_MACHINE, kTools);
    }
    fs::path program(const std::string& name) const {
        const fs::path path = dir_ / name;
        fs::copy_file(fs::absolute(VELQUOR_MARKER), path);
        return path;
    }
    // ShellExecuteA does not wait for the program.
    static bool startedWithin(const fs::path& program, std::chrono::seconds limit) {
        const fs::path marker = program.string() + ".ran";
        for (auto end = std::chrono::steady_clock::now() + limit;
             std::chrono::steady_clock::now() < end;
             std::this_thread::sleep_for(std::chrono::milliseconds(50)))
            if (fs::exists(marker))
                return true;
        return false;
    }
    std::vector<MessageRequest> run() {
        RecordingDialogs dialogs;
        velquor::ui::StartSysInfo(Registry::system(), Launcher::system(), dialogs, nullptr);
        return dialogs.messages;
    }
};

// The first location, through the About box: tests/smoke.
TEST_F(SysInfoOnWindows, SecondLocationStartsMsinfo32InTheFolderItNames) {
    const fs::path msinfo = program("MSINFO32.EXE");
    ASSERT_TRUE(
        velquor::test::setValue(HKEY_LOCAL_MACHINE, kTools, "MSINFO", REG_SZ, dir_.string()));
    EXPECT_TRUE(run().empty());
    EXPECT_TRUE(startedWithin(msinfo, std::chrono::seconds(20)));
}

TEST_F(SysInfoOnWindows, WithoutAProgramToStartTheUserIsTold) {
    const auto expectMessage = [this](const char* why) {
        const std::vector<MessageRequest> messages = run();
        ASSERT_EQ(messages.size(), 1u) << why;
        EXPECT_EQ(messages[0].text.toStdString(), "The system info is not available at this moment");
        EXPECT_EQ(messages[0].title.toStdString(), "Velquor");
    };
    expectMessage("neither location");
    ASSERT_TRUE(
        velquor::test::setValue(HKEY_LOCAL_MACHINE, kTools, "MSINFO", REG_SZ, dir_.string()));
    expectMessage("a folder without MSINFO32.EXE");
    ASSERT_TRUE(velquor::test::setValue(HKEY_LOCAL_MACHINE, kMsinfo, "PATH", REG_SZ,
                                        (dir_ / "gone.exe").string()));
    expectMessage("a first location naming no file");
    EXPECT_EQ(entries(), std::vector<std::string>{});
}

}  // namespace
