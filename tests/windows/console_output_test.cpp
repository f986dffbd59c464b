// The tool's text on a console, through the console's own call; a file takes bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/console_output.h"

namespace {

// This test again, in a process with a console of its own but no window (a
// run from ctest or a pipe has none); its report goes where this one's does.
DWORD runWithAConsole() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string command = std::string(GetCommandLineA()) +
                          " --gtest_filter=" + test->test_suite_name() + "." + test->name();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = GetStdHandle(STD_OUTPUT_HANDLE);
    PROCESS_INFORMATION process{};
    SetEnvironmentVariableA("VELQUOR_CONSOLE_RUN", "1");
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &process))
        << GetLastError();
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

TEST(ConsoleOutput, AConsoleShowsTheCharactersAFileTakesTheBytes) {
    const HANDLE file = CreateFileW(L"velquor-console-test.tmp", GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    EXPECT_EQ(velquor::cli::consoleBuffer(file), nullptr);
    CloseHandle(file);
    // A blank screen of its own, showing line ends as characters rather than moves.
    const HANDLE screen =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (screen == INVALID_HANDLE_VALUE) {
        ASSERT_EQ(std::getenv("VELQUOR_CONSOLE_RUN"), nullptr) << "no console in its own process";
        EXPECT_EQ(runWithAConsole(), 0u);
        return;
    }
    ASSERT_TRUE(SetConsoleMode(screen, 0));
    const auto buffer = velquor::cli::consoleBuffer(screen);
    ASSERT_NE(buffer, nullptr);
    std::ostream out(buffer.get());
    // A character split between two flushes; a byte of the game's file; one beyond 16 bits.
    out << "Atl\xC3\xA1ntida \xE2\x80\xA6\nCaf\xE9 \xC3" << std::flush;
    out << "\xB1\r\n\xF0\x9F\x98\x80\n" << std::flush;
    EXPECT_TRUE(out.good());
    std::wstring shown(80, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(screen, shown.data(), 80, COORD{0, 0}, &read);
    EXPECT_EQ(shown.substr(0, shown.find_last_not_of(L' ') + 1),
              L"Atl\u00E1ntida \u2026\r\nCaf\u00E9 \u00F1\r\n\xD83D\xDE00\r\n");
    CloseHandle(screen);
    out << "gone" << std::flush;
    EXPECT_TRUE(out.bad()) << "a console that takes nothing is a failed write";
}

}  // namespace
