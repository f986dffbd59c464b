// Files no editor wrote, and files that cannot be read: every command gives a
// clear answer in few plain lines and the right exit code, and never touches
// an output it was not allowed to write.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "cfgfile/euro_reader.h"
#include "cli_fixture.h"
#include "support/failing_file_system.h"

#ifdef __linux__
#include <sys/stat.h>
#endif

using namespace velquor;
using namespace velquor::cli;
using ::testing::HasSubstr;
using velquor::test::Outcome;
using namespace std::string_literals;

namespace {

class BadFile : public test::CliTest {};

TEST_F(BadFile, WhatCannotBeReadIsNamedWithItsReason) {
    test::FailingFileSystem failing;
    failing.failAt = test::FailingFileSystem::Step::Read;
    failing.error = EIO;
    const struct {
        std::string path;
        cfg::FileSystem& fs;
        const char* reason;
    } cases[] = {
        {(dir_ / "missing.cfg").string(), cfg::FileSystem::real(), "cannot open: no such file"},
        {dir_.string(), cfg::FileSystem::real(), "cannot open: it is a folder"},
        {write("in.cfg", "*Malta\r\n"), failing, "cannot read: Input/output error"},
#ifdef __linux__
        {"/dev/null", cfg::FileSystem::real(), "cannot open: it is not a regular file"},
        {(::mkfifo((dir_ / "fifo").c_str(), 0644), (dir_ / "fifo").string()),
         cfg::FileSystem::real(), "cannot open: it is not a regular file"},
#endif
    };
    const std::string out = write("out.cfg", "keep me");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        // A file that cannot be checked is a usage error, not a finding.
        for (const auto& [outcome, code] : {std::pair{dump(c.path, c.fs), kExitFailed},
                                            std::pair{check(c.path, c.fs), kExitUsage},
                                            std::pair{normalize(c.path, out, c.fs), kExitFailed}}) {
            EXPECT_EQ(outcome.code, code);
            EXPECT_EQ(outcome.out, "");
            EXPECT_THAT(outcome.err, HasSubstr(c.path + ": " + c.reason));
        }
    }
    EXPECT_EQ(read(out), "keep me");
}

// Whatever the bytes (the fuzz corpus, every byte, random pieces of headers and
// clubs, garbage, 50 MB lines): plain short messages, a refusal writes nothing,
// and build takes back what dump prints to make what normalize makes.
TEST_F(BadFile, AnswersArePlainAndShortAndDumpThenBuildGivesWhatNormalizeGives) {
    std::vector<std::string> texts = {
        "", "*", "\0"s, "\r\n\r\n", "Cardiff\n*Wales\n", read(sample())};
    texts.push_back(std::string(4096, '\0'));
    texts.push_back(std::string(50u << 20, 'x'));
    texts.push_back("*" + texts.back() + "Malta");
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VELQUOR_SOURCE_DIR) +
                                                                 "/tests/fuzz/corpus"))
        texts.push_back(read(entry.path()));
    texts.push_back("*Spain\r\n");
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '*')
            texts.back() += std::string(1, static_cast<char>(b)) + "x\r\n";
    const std::vector<std::string> pieces = {
        "*Spain", "*Malta", "*Andorra", "*Germany (new)", "* Italy", "*Atlantis", "*spain",
        "Real",   " FC ",   "   ",      "\r\n",           "\r",      "\n",        "\r\n\r\n"};
    std::mt19937 random(14);
    for (int i = 0; i < 200; ++i) {
        std::string text = "*Malta\r\n";
        for (int j = 0; j < 60; ++j) {
            const std::size_t k = random() % (pieces.size() + 4);
            text += k < pieces.size() ? pieces[k] : std::string(1, static_cast<char>(random()));
            text += k < 8 ? "\r\n" : "";
        }
        texts.push_back(text);
    }
    for (int i = 0; i < 8; ++i) {  // bytes of no shape at all, some past a first line
        texts.push_back(i % 2 ? "*Spain\r\n" : "");
        for (int j = 0; j < 1 << 14; ++j)
            texts.back() += static_cast<char>(random());
    }
    const std::string out = (dir_ / "out.cfg").string();
    int compared = 0;
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 60));
        const std::string file = write("euro.cfg", text);
        const Outcome d = dump(file), c = check(file), n = normalize(file, "-");
        EXPECT_TRUE(c.code == kExitOk || c.code == kExitFailed);
        EXPECT_EQ(c.err, "");
        EXPECT_TRUE(plain(d.err) && plain(c.out));
        // At most 21 lines of a kind, each cut short.
        const auto lines = std::count(c.out.begin(), c.out.end(), '\n');
        EXPECT_LE(lines, 21 * cfg::Diagnostic::kKinds + 1);
        EXPECT_LT(c.out.size() + d.err.size(), 400u * (lines + 1));
        ASSERT_EQ(n.code, d.code);
        if (d.code != kExitOk) {
            EXPECT_THAT(d.err, HasSubstr(": club line"));
            EXPECT_EQ(d.out + n.out, "");
            write("out.cfg", "keep me");
            EXPECT_EQ(normalize(file, out).code + normalize(file, file).code, 2 * kExitFailed);
            EXPECT_EQ(read(out), "keep me");
            EXPECT_EQ(read(file), text);
            continue;
        }
        const Outcome b = build(write("dump.json", d.out), "-");
        ASSERT_EQ(b.code, kExitOk) << b.err;
        EXPECT_EQ(b.out, n.out);
        ++compared;
    }
    EXPECT_GT(compared, 150);
    EXPECT_THAT(entries(), ::testing::IsSubsetOf({"dump.json", "euro.cfg", "out.cfg"}));
}

}  // namespace
