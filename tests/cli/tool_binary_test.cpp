// The real executable: its exit codes, where its answers go, --help and --version.
#include <gmock/gmock.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <regex>

#include "cli_fixture.h"

// Nothing when expected is empty, else a text that holds it.
static ::testing::Matcher<std::string> holds(const std::string& expected) {
    return expected.empty() ? ::testing::Matcher<std::string>(::testing::IsEmpty())
                            : ::testing::HasSubstr(expected);
}

struct Binary : velquor::test::CliTest {
#ifdef _WIN32
    // cmd.exe: no argument here holds a double quote, and the whole line is
    // quoted once more because cmd /c drops the outermost pair.
    static std::string quoted(const std::string& arg) {
        return '"' + arg + '"';
    }
    static int system(const std::string& command) {
        return std::system(quoted(command).c_str());
    }
#else
    static std::string quoted(const std::string& arg) {
        return "'" + std::regex_replace(arg, std::regex("'"), R"('\'')") + "'";
    }
    static int system(const std::string& command) {
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
#endif
    /// Exit code, standard output and standard error; standard output goes to where if given.
    velquor::test::Outcome run(const std::vector<std::string>& args, std::string where = "") {
        const std::string out = (dir_ / "stdout").string(), err = (dir_ / "stderr").string();
        // Absolute with the system's separators: under Wine, a drive letter.
        std::string command =
            quoted(std::filesystem::absolute(VELQUOR_CFG_BINARY).make_preferred().string());
        for (const std::string& arg : args)
            command += " " + quoted(arg);
        command += " >" + (where.empty() ? quoted(out) : where) + " 2>" + quoted(err);
        return {system(command), where.empty() ? read(out) : "", read(err)};
    }
};

TEST_F(Binary, ExitCodesAndWhereTheAnswerGoes) {
    const std::string good = write("good.cfg", read(velquor::test::kSample));
    const std::string odd = write("odd.cfg", "*Malta\r\n*Malta\r\n");
    const std::string json = write("j.json", R"({"nations": [{"name": "Malta"}]})"),
                      bad = write("bad.json", "{");
    const std::string missing = (dir_ / "missing.cfg").string(), out = (dir_ / "out.cfg").string();
    const std::string help = "--help", fifo = (dir_ / "fifo").string();
#ifdef __linux__
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
#endif
    const struct {
        std::vector<std::string> args;
        int code;
        std::string out, err;  // what each stream holds, or starts with for --help
        std::string where = "";
    } cases[] = {
        {{"dump", good}, 0, "{", ""},
        {{"dump", missing}, 1, "", missing + ": cannot open"},
        {{"check", good}, 0, "", ""},
        {{"check", odd}, 1, odd + ":2: warning: second block for Malta", ""},
        // What cannot be read is named with its reason; for check it is a usage error.
        {{"check", missing}, 2, "", missing + ": cannot open: no such file"},
        {{"check", dir_.string()}, 2, "", dir_.string() + ": cannot open: it is a folder"},
        {{"check", "/no.cfg"}, 2, "", "/no.cfg: cannot open"},  // a path, not a /option
#ifdef __linux__
        {{"dump", "/dev/null"}, 1, "", "/dev/null: cannot open: it is a device"},
        {{"normalize", fifo, "-o", out}, 1, "", fifo + ": cannot open: it is a FIFO"},
        // Output that cannot be written is a failure, and for check one it cannot report.
        {{"dump", odd}, 1, "", "cannot write to standard output", "/dev/full"},
        {{"check", odd}, 2, "", "cannot write to standard output", "/dev/full"},
#endif
        {{"normalize", odd, "-o", "-"}, 0, "\r\n*Malta\r\n", ""},
        {{"normalize", odd, "-o", missing + "/x"}, 1, "", "missing.cfg/x: cannot save"},
        {{"build", json, "-o", "/dev/stdout"}, 0, "\r\n*Malta\r\n", ""},
        {{"build", bad, "-o", out}, 1, "", bad + ": not valid JSON"},
        {{"--version"}, 0, "velquor-cfg " VELQUOR_VERSION "\n", ""},
        {{"--help"}, 0, "Exit status", ""},
        {{"check", "--help"}, 0, "FILE", ""},
        // Usage errors touch nothing; an unknown word is named, not taken for
        // a missing subcommand.
        {{}, 2, "", help},
        {{"x-ray\x1B", odd}, 2, "", "unknown subcommand \"x-ray\\x1B\""},
        {{"bogus"}, 2, "", "subcommand \"bogus\" (expected dump, normalize, check or build)"},
        {{"dump"}, 2, "", help},
        {{"dump", odd, "extra"}, 2, "", help},
        {{"normalize", odd}, 2, "", help},
        {{"build", "-o", "-"}, 2, "", help},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const velquor::test::Outcome r = run(c.args, c.where);
        EXPECT_EQ(r.code, c.code);
        EXPECT_THAT(r.out, holds(c.out));
        EXPECT_THAT(r.err, holds(c.err));
    }
    // The long option, and a file made only when the command succeeds.
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(run({"normalize", odd, "--output", out}).code, 0);
    EXPECT_EQ(read(out), "\r\n*Malta\r\n");
    EXPECT_EQ(read(odd), "*Malta\r\n*Malta\r\n");
    EXPECT_EQ(run({"normalize", out, "-o", out}).code, 0);  // a file into itself
    EXPECT_EQ(read(out), "\r\n*Malta\r\n");
}
