#include "cli/check_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/exit_code.h"
#include "cli_fixture.h"
#include "support/failing_file_system.h"

using namespace velquor;
using namespace velquor::cli;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using namespace std::string_literals;

namespace {

class Check : public test::CliTest {
  protected:
    int check(const std::string& path, cfg::FileSystem& fs = cfg::FileSystem::real()) {
        out_.str("");
        err_.str("");
        return runCheck(path, out_, err_, fs);
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

TEST_F(Check, SampleHasNothingToReport) {
    EXPECT_EQ(check(sample()), kExitOk);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(Check, EachSurpriseIsReportedAtItsLine) {
    struct Case {
        std::string text;
        std::string finding;  // LINE: severity: the start of the message
    };
    const std::vector<Case> cases = {
        {"*Malta\nHibs\n", "1: warning: line ends with LF alone"},
        {"*Malta\r\nHibs\rXSliema\r\n", "2: warning: CR not followed by LF swallows 'X'"},
        {"*Malta\r\n*Atlantis\r\nNobody\r\n", "2: warning: header \"*Atlantis\" names no nation;"},
        {"*Malta\r\n\r\n*wales\r\n", "3: warning: header \"*wales\" names no nation: \"wales\""},
        {"*Spain v England\r\n", "1: warning: header names several nations (England, Spain)"},
        {"*Andorra\r\nVall\r\nDropped\r\n",
         "3: warning: club line \"Dropped\" is beyond the 1 places of Andorra"},
        {"*Malta\r\nHibs\r\n*Malta\r\n", "3: warning: second block for Malta"},
        {"*Malta\r\nHibs\r\nX", "3: warning: the last character, 'X', stands alone"},
        {"\r\n\r\nLost FC\r\n*Malta\r\n",
         "3: error: club line \"Lost FC\" comes before the first nation header"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string file = write("euro.cfg", c.text);
        EXPECT_EQ(check(file), kExitFailed);
        EXPECT_THAT(findings(file), ElementsAre(StartsWith(c.finding)));
        EXPECT_EQ(err_.str(), "");
    }
    EXPECT_THAT(entries(), ElementsAre("euro.cfg"));  // never a backup
}

TEST_F(Check, FindingsComeInLineOrderUpToARefusal) {
    const std::string file =
        write("euro.cfg", "*Malta\r\n*Malta\r\n*Atlantis\r\n*Andorra\r\nA\r\nB\r\n*Wales\r\n");
    EXPECT_EQ(check(file), kExitFailed);
    EXPECT_THAT(findings(file), ElementsAre(StartsWith("2: warning: second block"),
                                            StartsWith("3: warning: header \"*Atlantis\""),
                                            StartsWith("6: warning: club line \"B\"")));

    // An LF-only file whose first character is not "*" is one orphan club
    // line: the LF finding says why the editor refuses it.
    const std::string lf = write("lf.cfg", "\nTirana\n*Albania\n");
    EXPECT_EQ(check(lf), kExitFailed);
    EXPECT_THAT(findings(lf),
                ElementsAre(StartsWith("1: warning: line ends with LF alone"),
                            StartsWith("1: error: club line \"\\x0ATirana\\x0A*Albania\\x0A\"")));
}

TEST_F(Check, FileBytesInMessagesAreDecodedAndControlsEscaped) {
    const std::string file = write("euro.cfg", "*Atl\xE9ntida \x1B[2J\x81\0\r\n"s);
    EXPECT_EQ(check(file), kExitFailed);
    const std::string printed = out_.str();
    EXPECT_THAT(printed, HasSubstr("\"*Atl\u00E9ntida \\x1B[2J\\x81\\x00\" names no nation"));
    EXPECT_EQ(printed.find('\x1B'), std::string::npos);
    EXPECT_EQ(printed.find('\0'), std::string::npos);
}

TEST_F(Check, FileWithoutANationIsReported) {
    for (const std::string& text : {""s, "\r\n\r\n"s, "*Atlantis\r\n"s}) {
        SCOPED_TRACE(text);
        const std::string file = write("euro.cfg", text);
        EXPECT_EQ(check(file), kExitFailed);
        EXPECT_THAT(out_.str(), HasSubstr(file + ":1: warning: no header names a nation"));
    }
}

TEST_F(Check, UnreadableFileCannotBeChecked) {
    EXPECT_EQ(check((dir_ / "missing.cfg").string()), kExitUsage);
    EXPECT_THAT(err_.str(), HasSubstr("missing.cfg: cannot open: no such file"));
    EXPECT_EQ(out_.str(), "");

    EXPECT_EQ(check(dir_.string()), kExitUsage);
    EXPECT_THAT(err_.str(), HasSubstr("it is a folder"));

    test::FailingFileSystem failing;
    failing.failAt = test::FailingFileSystem::Step::Read;
    failing.error = EACCES;
    EXPECT_EQ(check(write("euro.cfg", "*Malta\r\n"), failing), kExitUsage);
    EXPECT_THAT(err_.str(), HasSubstr("euro.cfg: cannot read: Permission denied"));
    EXPECT_EQ(out_.str(), "");
}

}  // namespace
