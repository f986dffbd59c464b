// Files no editor wrote, and files that cannot be read: every command must
// give a clear answer and the right exit code, never crash or flood the
// terminal, and never touch the output it was not allowed to write.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "cli_fixture.h"
#include "support/failing_file_system.h"

#ifdef __linux__
#include <sys/stat.h>
#endif

using namespace velquor;
using namespace velquor::cli;
using ::testing::AnyOf;
using ::testing::Eq;
using ::testing::HasSubstr;
using velquor::test::Outcome;
using namespace std::string_literals;

namespace {

class BadFile : public test::CliTest {};

TEST_F(BadFile, EachCommandAnswersInFewPlainLines) {
    constexpr std::size_t kHuge = 50u << 20;
    std::string hugeHeader(kHuge, 'x'), hugeClub(kHuge, 'x');
    hugeHeader.front() = '*';
    hugeHeader.replace(kHuge - 10, 5, "Malta");
    struct Case {
        const char* what;
        std::string text;
        std::string dumped;  // in the JSON, or with a failure in the message
        std::string finding;
        std::string normal;  // what normalize writes; "keep me" when it refuses
    };
    const std::string kept = "keep me", noNation = "warning: no header names a nation";
    const std::vector<Case> cases = {
        {"a star alone", "*", R"("nations": [])", ":1: warning: the last character", ""},
        {"a letter alone", "A", R"("nations": [])", ":1: warning: the last character", ""},
        {"a CR alone", "\r", R"("nations": [])", ":1: warning: the last character", ""},
        {"a NUL alone", "\0"s, R"("nations": [])", ":1: warning: the last character", ""},
        {"nothing", "", R"("nations": [])", ":1: " + noNation, ""},
        {"blank lines", "\r\n\r\n", R"("nations": [])", ":1: " + noNation, ""},
        {"no nation", "*Atlantis\r\nNobody\r\n", R"("nations": [])", ":1: " + noNation, ""},
        // LF alone ends no line: a header swallows the file, and the first
        // nation named anywhere in it is taken.
        {"an LF-only header", "*Wales\nCardiff\nSpain\nReal\n", R"("name": "Spain")",
         ":1: warning: line ends with LF alone", "\r\n*Spain\r\n"},
        {"an LF-only club line", "Cardiff\n*Wales\n", ":1: club line", ":1: error: club line",
         kept},
        {"an orphan club", "\r\nLost FC\r\n*Malta\r\n",
         ":2: club line \"Lost FC\" comes before the first", ":2: error:", kept},
        {"NULs in names", "*Malta\0\r\nHi\0bs\r\n"s, R"("Hi\u0000bs")",
         "written back as \"*Malta\"", "\r\n*Malta\r\nHi\0bs\r\n"s},
        {"only NULs", std::string(4096, '\0'), "\\x00\\x00", ":1: error:", kept},
        {"a 50 MB header", hugeHeader, R"("name": "Malta")",
         "xxx...\" is written back as \"*Malta\"", "\r\n*Malta\r\n"},
        {"a 50 MB club line", hugeClub, "xxx...\"", ":1: error: club line \"xxx", kept},
    };
    const std::string out = (dir_ / "out.cfg").string();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string file = write("euro.cfg", c.text);
        write("out.cfg", kept);
        const bool refused = c.normal == kept;

        const Outcome d = dump(file);
        EXPECT_EQ(d.code, refused ? kExitFailed : kExitOk);
        EXPECT_THAT(refused ? d.err : d.out, HasSubstr(c.dumped));
        if (refused) {
            EXPECT_EQ(d.out, "");
            EXPECT_THAT(d.err, HasSubstr(file + ":"));
            EXPECT_LT(d.err.size(), 400u);
        }
        EXPECT_TRUE(plain(d.err));

        const Outcome ch = check(file);
        EXPECT_EQ(ch.code, kExitFailed);
        EXPECT_THAT(ch.out, HasSubstr(c.finding));
        EXPECT_LT(ch.out.size(), 400u);
        EXPECT_TRUE(plain(ch.out));
        EXPECT_EQ(ch.err, "");

        EXPECT_EQ(normalize(file, out).code, refused ? kExitFailed : kExitOk);
        EXPECT_EQ(read(out), c.normal);
        if (refused) {
            EXPECT_EQ(normalize(file, file).code, kExitFailed);
            EXPECT_EQ(read(file), c.text);
        }
    }
    EXPECT_THAT(entries(), ::testing::ElementsAre("euro.cfg", "out.cfg"));  // never a backup
}

TEST_F(BadFile, WhatCannotBeReadIsNamedWithItsReason) {
    test::FailingFileSystem failing;
    failing.failAt = test::FailingFileSystem::Step::Read;
    failing.error = EIO;
    struct Case {
        std::string path;
        cfg::FileSystem& fs;
        const char* reason;
    };
    const Case cases[] = {
        {(dir_ / "missing.cfg").string(), cfg::FileSystem::real(), "cannot open: no such file"},
        {dir_.string(), cfg::FileSystem::real(), "cannot open: it is a folder"},
        {write("in.cfg", "*Malta\r\n").string(), failing, "cannot read: Input/output error"},
#ifdef __linux__
        {"/dev/null", cfg::FileSystem::real(), "cannot open: it is not a regular file"},
        {(::mkfifo((dir_ / "fifo").c_str(), 0644), (dir_ / "fifo").string()),
         cfg::FileSystem::real(), "cannot open: it is not a regular file"},
#endif
    };
    const std::string out = write("out.cfg", "keep me").string();
    for (const Case& c : cases) {
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
    EXPECT_THAT(entries(), ::testing::IsSupersetOf({"in.cfg", "out.cfg"}));
    EXPECT_LE(entries().size(), 3u);
}

// A euro.cfg of random pieces: headers known and unknown, clubs of any bytes.
std::string randomEuro(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "*Spain", "*Malta", "*Andorra", "*Germany (new)", "* Italy", "*Atlantis", "*spain",
        "Real",   " FC ",   "   ",      "\r\n",           "\r",      "\n",        "\r\n\r\n"};
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() + 3);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text = "*Malta\r\n";
    for (int i = 0; i < 60; ++i) {
        const std::size_t k = pick(random);
        text += k < pieces.size() ? pieces[k] : std::string(1, static_cast<char>(byte(random)));
        if (k < 8)
            text += "\r\n";
    }
    return text;
}

// Whatever the bytes: plain messages, and build takes back what dump prints
// to make what normalize makes.
TEST_F(BadFile, DumpThenBuildGivesWhatNormalizeGives) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VELQUOR_SOURCE_DIR) +
                                                                 "/tests/fuzz/corpus"))
        files.push_back(entry.path().string());
    files.push_back(sample());
    std::string everyByte = "*Spain\r\n";
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '*')
            everyByte += std::string(1, static_cast<char>(b)) + "x\r\n";
    files.push_back(write("every.cfg", everyByte).string());
    std::mt19937 random(14);
    for (int i = 0; i < 200; ++i)
        files.push_back(write("random" + std::to_string(i) + ".cfg", randomEuro(random)).string());

    for (int i = 0; i < 8; ++i) {  // bytes of no shape at all, some past a first line
        std::string garbage(1 << 14, '\0');
        for (char& c : garbage)
            c = static_cast<char>(random());
        files.push_back(
            write("garbage" + std::to_string(i), (i % 2 ? "*Spain\r\n" : "") + garbage));
    }

    int compared = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const Outcome d = dump(file), c = check(file), n = normalize(file, "-");
        EXPECT_THAT(c.code, AnyOf(Eq(kExitOk), Eq(kExitFailed)));
        EXPECT_EQ(c.err, "");
        EXPECT_TRUE(plain(d.err) && plain(c.out));
        ASSERT_EQ(n.code, d.code);
        if (d.code != kExitOk) {
            EXPECT_THAT(d.err, HasSubstr("club line"));
            continue;
        }
        const std::string json = write("dump.json", d.out).string();
        const Outcome b = build(json, "-");
        ASSERT_EQ(b.code, kExitOk) << b.err;
        EXPECT_EQ(b.out, n.out);
        ++compared;
    }
    EXPECT_GT(compared, 150);
}

}  // namespace
