// The real executable: its exit codes and its answers to --help and --version.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>

#include "cli_fixture.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

struct Exited {
    int code;
    std::string out, err;
};

class Binary : public velquor::test::CliTest {
  protected:
    /// Absolute with the system's separators: under Wine, a drive letter.
    static std::string binary() {
        return std::filesystem::absolute(VELQUOR_CFG_BINARY).make_preferred().string();
    }
#ifdef _WIN32
    // cmd.exe: no argument here holds a double quote, and the whole line is
    // quoted once more because cmd /c drops the outermost pair.
    static std::string quoted(const std::string& arg) {
        return '"' + arg + '"';
    }
    static int system(const std::string& command) {
        return std::system(quoted(command).c_str());
    }
    static int exitCode(int status) {
        return status;
    }
#else
    static std::string quoted(const std::string& arg) {
        std::string q = "'";
        for (char c : arg)
            q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }
    static int system(const std::string& command) {
        return std::system(command.c_str());
    }
    static int exitCode(int status) {
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
#endif
    Exited run(const std::vector<std::string>& args) {
        const std::string out = (dir_ / "stdout").string(), err = (dir_ / "stderr").string();
        std::string command = quoted(binary());
        for (const std::string& arg : args)
            command += " " + quoted(arg);
        command += " >" + quoted(out) + " 2>" + quoted(err);
        Exited result{exitCode(system(command)), read(out), read(err)};
        std::filesystem::remove(out);
        std::filesystem::remove(err);
        return result;
    }
};

TEST_F(Binary, HelpAndVersion) {
    const Exited help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* word : {"dump", "normalize", "check", "build", "--version", "Exit status"})
        EXPECT_THAT(help.out, HasSubstr(word));
    EXPECT_THAT(run({"check", "--help"}).out, HasSubstr("FILE"));

    const Exited version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "velquor-cfg 2.0.0\n");
}

TEST_F(Binary, UsageErrorsExitWithTwoAndTouchNothing) {
    const std::string file = write("euro.cfg", "*Malta\r\nHibs\r\n");
    const std::vector<std::vector<std::string>> misuses = {
        {},
        {"frobnicate", file},
        {"dump"},
        {"dump", file, "extra"},
        {"check", "--bogus", file},
        {"normalize", file},
        {"normalize", file, "-o"},
        {"build", file},
        {"build", "-o", "-"},
    };
    for (const auto& args : misuses) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const Exited r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_THAT(r.err, HasSubstr("--help"));
        EXPECT_EQ(r.out, "");
    }
    // An unknown word is named, not taken for a missing subcommand.
    const Exited unknown = run({"bogus\x1B", file});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_THAT(unknown.err, HasSubstr("unknown subcommand \"bogus\\x1B\""));
    EXPECT_THAT(entries(), ElementsAre("euro.cfg"));
    EXPECT_EQ(read(file), "*Malta\r\nHibs\r\n");
}

TEST_F(Binary, ExitCodesOfTheCommands) {
    const std::string good = write("good.cfg", read(sample()));
    const std::string odd = write("odd.cfg", "*Malta\r\n*Malta\r\n");
    const std::string refused = write("refused.cfg", "Lost FC\r\n*Malta\r\n");
    const std::string missing = (dir_ / "missing.cfg").string();
    const std::string out = (dir_ / "out.cfg").string();

    EXPECT_EQ(run({"dump", good}).code, 0);
    EXPECT_EQ(run({"dump", refused}).code, 1);
    EXPECT_EQ(run({"dump", missing}).code, 1);

    const Exited checked = run({"check", odd});
    EXPECT_EQ(checked.code, 1);
    EXPECT_THAT(checked.out, HasSubstr(odd + ":2: warning: second block for Malta"));
    EXPECT_EQ(run({"check", good}).code, 0);
    EXPECT_EQ(run({"check", refused}).code, 1);
    const Exited unreadable = run({"check", missing});
    EXPECT_EQ(unreadable.code, 2);
    EXPECT_THAT(unreadable.err, HasSubstr("missing.cfg: cannot open"));

    EXPECT_EQ(run({"normalize", refused, "-o", out}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
    const Exited normalized = run({"normalize", odd, "--output", out});
    EXPECT_EQ(normalized.code, 0);
    EXPECT_THAT(normalized.out + normalized.err, IsEmpty());
    EXPECT_EQ(read(out), "\r\n*Malta\r\n");

    // build takes back what dump prints; standard output is written, not replaced.
    const std::string json = write("odd.json", run({"dump", odd}).out);
    const Exited built = run({"build", json, "-o", "/dev/stdout"});
    EXPECT_EQ(built.code, 0);
    EXPECT_EQ(built.out, "\r\n*Malta\r\n");
    EXPECT_EQ(run({"build", write("bad.json", "{").string(), "-o", out}).code, 1);
    EXPECT_EQ(run({"build", missing, "-o", out}).code, 1);
    EXPECT_EQ(read(out), "\r\n*Malta\r\n");

    EXPECT_THAT(entries(), ElementsAre("bad.json", "good.cfg", "odd.cfg", "odd.json", "out.cfg",
                                       "refused.cfg"));
}

#ifndef _WIN32
TEST_F(Binary, OutputThatCannotBeWrittenIsAFailure) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const std::string file = write("euro.cfg", "*Malta\r\n*Malta\r\n");
    const std::string command = quoted(VELQUOR_CFG_BINARY) + " dump " + quoted(file) +
                                " >/dev/full 2>" + quoted((dir_ / "stderr").string());
    const int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_THAT(read(dir_ / "stderr"), HasSubstr("cannot write to standard output"));
    const std::string check =
        quoted(VELQUOR_CFG_BINARY) + " check " + quoted(file) + " >/dev/full 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(check.c_str())), 2);
}

#endif

}  // namespace
