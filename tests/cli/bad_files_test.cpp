// Files no editor wrote: every command must give a clear answer and the
// right exit code, and never crash or flood the terminal.
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

using namespace velquor;
using namespace velquor::cli;
using Json = nlohmann::json;
using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::Eq;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using namespace std::string_literals;

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

class BadFile : public test::CliTest {
  protected:
    Outcome dump(const std::string& file) {
        std::ostringstream out, err;
        const int code = runDump(file, out, err);
        return {code, out.str(), err.str()};
    }
    Outcome check(const std::string& file) {
        std::ostringstream out, err;
        const int code = runCheck(file, out, err);
        return {code, out.str(), err.str()};
    }
    Outcome normalize(const std::string& file) {
        std::ostringstream out, err;
        const int code = runNormalize(file, (dir_ / "out.cfg").string(), out, err);
        return {code, "", err.str()};
    }
    static std::vector<std::string> nations(const Outcome& dumped) {
        std::vector<std::string> names;
        const Json document = Json::parse(dumped.out);
        for (const Json& nation : document.at("nations"))
            names.push_back(nation.at("name").get<std::string>());
        return names;
    }
    // What a terminal shows: no control character but the line ends.
    static bool plain(const std::string& text) {
        return std::none_of(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return (byte < 0x20 && c != '\n') || byte == 0x7F;
        });
    }
};

TEST_F(BadFile, SingleByteIsNeverRead) {
    for (const std::string& byte : {"*"s, "A"s, "\r"s, "\0"s}) {
        SCOPED_TRACE(static_cast<int>(byte[0]));
        const std::string file = write("euro.cfg", byte);
        const Outcome d = dump(file);
        EXPECT_EQ(d.code, kExitOk);
        EXPECT_THAT(nations(d), IsEmpty());
        const Outcome c = check(file);
        EXPECT_EQ(c.code, kExitFailed);
        EXPECT_THAT(c.out, HasSubstr(":1: warning: the last character"));
        EXPECT_TRUE(plain(c.out));
    }
}

TEST_F(BadFile, LfOnlyFileReadsAsOneLine) {
    const std::string header = write("header.cfg", "*Wales\nCardiff\nSpain\nReal\n");
    const Outcome d = dump(header);
    EXPECT_EQ(d.code, kExitOk);
    EXPECT_THAT(nations(d), ElementsAre("Spain"));  // the first table name in the whole file
    EXPECT_THAT(check(header).out, HasSubstr(":1: warning: line ends with LF alone"));

    const std::string club = write("club.cfg", "Cardiff\n*Wales\n");
    const Outcome refused = dump(club);
    EXPECT_EQ(refused.code, kExitFailed);
    EXPECT_EQ(refused.out, "");
    EXPECT_THAT(refused.err, HasSubstr(club + ":1: club line"));
    EXPECT_TRUE(plain(refused.err));
    EXPECT_EQ(check(club).code, kExitFailed);
    EXPECT_EQ(normalize(club).code, kExitFailed);
}

TEST_F(BadFile, NulBytesAreOrdinaryCharacters) {
    const std::string named = write("named.cfg", "*Malta\0\r\nHi\0bs\r\n"s);
    const Outcome d = dump(named);
    EXPECT_EQ(d.code, kExitOk);
    EXPECT_EQ(Json::parse(d.out)["nations"][0]["UCL"][0], "Hi\0bs"s);
    EXPECT_THAT(check(named).out, HasSubstr("written back as \"*Malta\""));
    EXPECT_EQ(normalize(named).code, kExitOk);
    EXPECT_EQ(read(dir_ / "out.cfg"), "\r\n*Malta\r\nHi\0bs\r\n"s);

    const std::string zeros = write("zeros.cfg", std::string(4096, '\0'));
    const Outcome refused = dump(zeros);
    EXPECT_EQ(refused.code, kExitFailed);
    EXPECT_THAT(refused.err, HasSubstr("\\x00\\x00"));
    EXPECT_LT(refused.err.size(), 400u);
    EXPECT_TRUE(plain(refused.err));
    const Outcome c = check(zeros);
    EXPECT_EQ(c.code, kExitFailed);
    EXPECT_THAT(c.out, HasSubstr(":1: error:"));
    EXPECT_TRUE(plain(c.out));
}

TEST_F(BadFile, FiftyMegabyteLineIsReadWhole) {
    constexpr std::size_t kSize = 50u << 20;
    std::string text(kSize, 'x');
    text.front() = '*';
    text.replace(kSize - 10, 5, "Malta");
    const std::string header = write("header.cfg", text);
    const Outcome d = dump(header);
    EXPECT_EQ(d.code, kExitOk);
    EXPECT_THAT(nations(d), ElementsAre("Malta"));
    const Outcome c = check(header);
    EXPECT_THAT(c.out, HasSubstr("xxx...\" is written back as \"*Malta\""));
    EXPECT_LT(c.out.size(), 400u);
    EXPECT_EQ(normalize(header).code, kExitOk);
    EXPECT_EQ(read(dir_ / "out.cfg"), "\r\n*Malta\r\n");

    // As a club line it is refused, and the message quotes only its start.
    text.front() = 'x';
    const std::string club = write("club.cfg", text);
    const Outcome refused = dump(club);
    EXPECT_EQ(refused.code, kExitFailed);
    EXPECT_THAT(refused.err, HasSubstr("xxx...\""));
    EXPECT_LT(refused.err.size(), 400u);
    const Outcome checked = check(club);
    EXPECT_EQ(checked.code, kExitFailed);
    EXPECT_LT(checked.out.size(), 400u);
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

        EXPECT_EQ(normalize(file).code, d.code);
    }
}

}  // namespace
