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

TEST_F(Binary, ExitCodesAndWhereTheAnswerGoes) {
    const std::string good = write("good.cfg", read(sample()));
    const std::string odd = write("odd.cfg", "*Malta\r\n*Malta\r\n");
    const std::string refused = write("refused.cfg", "Lost FC\r\n*Malta\r\n");
    const std::string json = write("odd.json", R"({"nations": [{"name": "Malta"}]})");
    const std::string bad = write("bad.json", "{");
    const std::string missing = (dir_ / "missing.cfg").string(), out = (dir_ / "out.cfg").string();
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string out, err;  // what each stream holds, or starts with for --help
    };
    const std::string help = "--help";
    const std::vector<Case> cases = {
        {{"dump", good}, 0, "{", ""},
        {{"dump", refused}, 1, "", refused + ":1: club line"},
        {{"dump", missing}, 1, "", missing + ": cannot open"},
        {{"check", good}, 0, "", ""},
        {{"check", odd}, 1, odd + ":2: warning: second block for Malta", ""},
        {{"check", refused}, 1, refused + ":1: error: club line", ""},
        {{"check", missing}, 2, "", missing + ": cannot open"},
        {{"normalize", refused, "-o", out}, 1, "", refused + ":1: club line"},
        {{"normalize", odd, "-o", "-"}, 0, "\r\n*Malta\r\n", ""},
        {{"build", json, "-o", "/dev/stdout"}, 0, "\r\n*Malta\r\n", ""},
        {{"build", bad, "-o", out}, 1, "", bad + ": not valid JSON"},
        {{"build", missing, "-o", out}, 1, "", missing + ": cannot open"},
        // Usage errors touch nothing; an unknown word is named, not taken for
        // a missing subcommand.
        {{}, 2, "", help},
        {{"x-ray\x1B", odd}, 2, "", "unknown subcommand \"x-ray\\x1B\""},
        {{"bogus"}, 2, "", "unknown subcommand \"bogus\""},
        {{"dump"}, 2, "", help},
        {{"dump", odd, "extra"}, 2, "", help},
        {{"check", "--bogus", odd}, 2, "", help},
        {{"normalize", odd}, 2, "", help},
        {{"normalize", odd, "-o"}, 2, "", help},
        {{"build", odd}, 2, "", help},
        {{"build", "-o", "-"}, 2, "", help},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const Exited r = run(c.args);
        EXPECT_EQ(r.code, c.code);
        for (const auto& [shown, expected] : {std::pair{r.out, c.out}, std::pair{r.err, c.err}}) {
            if (expected.empty())
                EXPECT_EQ(shown, "");
            else
                EXPECT_THAT(shown, HasSubstr(expected));
        }
    }
    // The long option, and a file made only when the command succeeds.
    EXPECT_FALSE(std::filesystem::exists(out));
    const Exited normalized = run({"normalize", odd, "--output", out});
    EXPECT_EQ(normalized.code, 0);
    EXPECT_EQ(normalized.out + normalized.err, "");
    EXPECT_EQ(read(out), "\r\n*Malta\r\n");
    EXPECT_EQ(read(odd), "*Malta\r\n*Malta\r\n");
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
