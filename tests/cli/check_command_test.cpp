#include "cli/check_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/exit_code.h"
#include "cli_fixture.h"

using namespace velquor;
using namespace velquor::cli;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using namespace std::string_literals;

namespace {

class Check : public test::CliTest {
  protected:
    int check(const std::string& path) {
        out_.str("");
        err_.str("");
        return runCheck(path, out_, err_);
    }
    // The printed findings, with the file name taken off the front.
    std::vector<std::string> findings(const std::string& path) const {
        std::vector<std::string> lines;
        std::istringstream in(out_.str());
        for (std::string line; std::getline(in, line);) {
            EXPECT_THAT(line, StartsWith(path + ":"));
            lines.push_back(line.substr(std::min(line.size(), path.size() + 1)));
        }
        return lines;
    }
    std::ostringstream out_, err_;
};

TEST_F(Check, EachSurpriseIsReportedAtItsLine) {
    // At most 20 of a kind, then one line for the rest.
    std::string manyDropped = "*Andorra\r\nVall\r\n", manyBlank = "*Malta\r\n*Atlantis\r\n";
    for (int i = 0; i < 1000; ++i)
        manyDropped += "Dropped\r\n";
    for (int i = 0; i < 21; ++i)
        manyBlank += " \r\n";
    std::vector<std::string> twentyAndMore(20, ""), twentyAndOne(21, "");
    twentyAndMore.push_back(
        "23: warning: \u2026 and 980 more club lines beyond a nation's places, the last on line "
        "1002");
    twentyAndOne.push_back("23: warning: \u2026 and 1 more club line of blanks only");
    struct Case {
        std::string text;
        std::vector<std::string> findings;  // LINE: severity: the start of each message
    };
    const std::vector<Case> cases = {
        {read(sample()), {}},
        {"* Spain \r\nReal Madrid\r\n", {}},
        {"*Malta\nHibs\n",
         {"1: warning: line ends with LF alone",
          "1: warning: header \"*Malta\\x0AHibs\\x0A\" is written back as \"*Malta\""}},
        {"*Malta\r\nHibs\rXSliema\r\n", {"2: warning: CR not followed by LF swallows 'X'"}},
        {"*Malta\r\n\r\x01\r\n", {"2: warning: CR not followed by LF swallows byte 0x01"}},
        {"*Malta\r\n*Atlantis\r\nNobody\r\n",
         {"2: warning: header \"*Atlantis\" names no nation; it and its club lines are dropped"}},
        {"*Malta\r\n\r\n*wales\r\n", {"3: warning: header \"*wales\" names no nation: \"wales\""}},
        {"*Spain v England\r\n",
         {"1: warning: header names several nations (England, Spain); England is taken"}},
        {"*Spain (1998/99 season)\r\n",
         {"1: warning: header \"*Spain (1998/99 season)\" is written back as \"*Spain\": the "
          "rest of its text is dropped on save"}},
        {"*Spain\r\n *England\r\n",
         {"2: warning: line \" *England\" starts with blanks before \"*\": it is a club line"}},
        {"*Spain\r\nReal Madrid  \r\n\tBetis\r\n",
         {"2: warning: club name \"Real Madrid  \" has leading or trailing blanks",
          "3: warning: club name \"\\x09Betis\" has leading or trailing blanks"}},
        {"*Spain\r\n   \r\n",
         {"2: warning: club line \"   \" holds only blanks: it is read as a club name, not as an "
          "empty line"}},
        {"*Andorra\r\nVall\r\nDropped\r\n",
         {"3: warning: club line \"Dropped\" is beyond Andorra's 1 place and is dropped on save"}},
        {"*Germany\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n",
         {"11: warning: club line \"10\" is beyond Germany's 9 places"}},
        {"*Malta\r\nHibs\r\n*Malta\r\n", {"3: warning: second block for Malta"}},
        {"*Malta\r\nHibs\r\nX", {"3: warning: the last character, 'X', stands alone"}},
        {"\r\n\r\nLost FC\r\n*Malta\r\n",
         {"3: error: club line \"Lost FC\" comes before the first nation header"}},
        // An LF-only file whose first character is not "*" is one orphan club
        // line: the LF finding says why the editor refuses it.
        {"\nTirana\n*Albania\n",
         {"1: warning: line ends with LF alone",
          "1: error: club line \"\\x0ATirana\\x0A*Albania\\x0A\""}},
        {manyDropped, twentyAndMore},
        {manyBlank, twentyAndOne},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const std::string file = write("euro.cfg", c.text);
        EXPECT_EQ(check(file), c.findings.empty() ? kExitOk : kExitFailed);
        std::vector<::testing::Matcher<std::string>> expected;
        for (const std::string& finding : c.findings)
            expected.push_back(StartsWith(finding));
        EXPECT_THAT(findings(file), ElementsAreArray(expected));
        EXPECT_EQ(err_.str(), "");
    }
    EXPECT_THAT(entries(), ElementsAre("euro.cfg"));  // never a backup
}

#ifndef _WIN32  // Windows allows no control character in a file name
TEST_F(Check, FileBytesInMessagesAndFileNamesAreEscaped) {
    const std::string file =
        write("\u00E9\x1B[2J\xC2\x9B\xFF.cfg", "*Atl\xE9ntida \x1B[2J\x81\0\r\n"s);
    EXPECT_EQ(check(file), kExitFailed);
    const std::string printed = out_.str();
    EXPECT_THAT(printed, HasSubstr("/\u00E9\\x1B[2J\\xC2\\x9B\\xFF.cfg:1: warning: header"));
    EXPECT_THAT(printed, HasSubstr("\"*Atl\u00E9ntida \\x1B[2J\\x81\\x00\" names no nation"));
    EXPECT_EQ(printed.find('\x1B'), std::string::npos);
    EXPECT_EQ(printed.find('\0'), std::string::npos);
}
#endif

}  // namespace
