// Files no editor wrote, and files that cannot be read: every command must
// give a clear answer and the right exit code, never crash or flood the
// terminal, and never touch the output it was not allowed to write.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "cli/check_command.h"
#include "cli/dump_command.h"
#include "cli/exit_code.h"
#include "cli/normalize_command.h"
#include "cli_fixture.h"
#include "support/failing_file_system.h"

using namespace velquor;
using namespace velquor::cli;
using Json = nlohmann::json;
using ::testing::AnyOf;
using ::testing::Eq;
using ::testing::HasSubstr;
using namespace std::string_literals;

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

class BadFile : public test::CliTest {
  protected:
    template <typename Run>
    static Outcome capture(Run run) {
        std::ostringstream out, err;
        const int code = run(out, err);
        return {code, out.str(), err.str()};
    }
    Outcome dump(const std::string& file, cfg::FileSystem& fs = cfg::FileSystem::real()) {
        return capture([&](auto& out, auto& err) { return runDump(file, out, err, fs); });
    }
    Outcome check(const std::string& file, cfg::FileSystem& fs = cfg::FileSystem::real()) {
        return capture([&](auto& out, auto& err) { return runCheck(file, out, err, fs); });
    }
    Outcome normalize(const std::string& file, const std::string& output,
                      cfg::FileSystem& fs = cfg::FileSystem::real()) {
        return capture(
            [&](auto& out, auto& err) { return runNormalize(file, output, out, err, fs); });
    }
    // What a terminal shows: no control character but the line ends.
    static bool plain(const std::string& text) {
        return std::none_of(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return (byte < 0x20 && c != '\n') || byte == 0x7F;
        });
    }
};

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
    EXPECT_THAT(entries(), ::testing::ElementsAre("in.cfg", "out.cfg"));
}

TEST_F(BadFile, BinaryGarbageNeverCrashes) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 24; ++round) {
        std::string garbage(1 << 14, '\0');
        for (char& c : garbage)
            c = static_cast<char>(byte(random));
        if (round % 2)  // past the first line, so the reader goes deeper
            garbage.insert(0, "*Spain\r\n");
        SCOPED_TRACE(round);
        const std::string file = write("euro.cfg", garbage);

        const Outcome d = dump(file);
        ASSERT_THAT(d.code, AnyOf(Eq(kExitOk), Eq(kExitFailed)));
        if (d.code == kExitOk)
            EXPECT_NO_THROW(Json::parse(d.out));  // valid UTF-8 JSON whatever the bytes
        else
            EXPECT_THAT(d.err, HasSubstr("club line"));
        EXPECT_TRUE(plain(d.err));

        const Outcome c = check(file);
        EXPECT_THAT(c.code, AnyOf(Eq(kExitOk), Eq(kExitFailed)));
        EXPECT_TRUE(plain(c.out));
        EXPECT_EQ(c.err, "");

        EXPECT_EQ(normalize(file, (dir_ / "out.cfg").string()).code, d.code);
    }
}

}  // namespace
