#include "cli/normalize_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/exit_code.h"
#include "cli_fixture.h"
#include "support/failing_file_system.h"

using namespace velquor;
using namespace velquor::cli;
using Step = velquor::test::FailingFileSystem::Step;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class Normalize : public test::CliTest {
  protected:
    int normalize(const std::string& file, const std::string& output,
                  cfg::FileSystem& fs = cfg::FileSystem::real()) {
        out_.str("");
        err_.str("");
        return runNormalize(file, output, out_, err_, fs);
    }
    std::ostringstream out_, err_;
};

TEST_F(Normalize, WritesWhatTheEditorsSaveWouldWrite) {
    const std::string file =
        write("in.cfg",
              "*Wales (Premier)\r\nCardiff\r\nSwansea\r\nWrexham\r\nBangor\r\nExtra\r\n"
              "*Atlantis\r\nNobody\r\n\r\n*Albania\r\n Tirana \r\n");
    ASSERT_EQ(normalize(file, (dir_ / "out.cfg").string()), kExitOk) << err_.str();
    EXPECT_EQ(err_.str(), "");
    // Catalogue order, bare names, a blank line before each header, nothing beyond the places.
    const std::string normal =
        "\r\n*Albania\r\n Tirana \r\n\r\n*Wales\r\nCardiff\r\nSwansea\r\nWrexham\r\nBangor\r\n";
    EXPECT_EQ(read(dir_ / "out.cfg"), normal);
    EXPECT_EQ(out_.str(), "");
    // Standard output, by name or by its device, gets the same bytes; no file is made.
    for (const char* output : {"-", "/dev/stdout"}) {
        ASSERT_EQ(normalize(file, output), kExitOk) << err_.str();
        EXPECT_EQ(out_.str(), normal);
    }
    EXPECT_THAT(entries(), ElementsAre("in.cfg", "out.cfg"));
}

TEST_F(Normalize, OutputMayBeTheInputItself) {
    const std::string file = write("euro.cfg", "*Malta\nLF only\r\n*Malta\r\nHibs\r\nX");
    ASSERT_EQ(normalize(file, file), kExitOk) << err_.str();
    EXPECT_EQ(read(file), "\r\n*Malta\r\nHibs\r\n");
    EXPECT_THAT(entries(), ElementsAre("euro.cfg"));  // no backup, no temporary
    ASSERT_EQ(normalize(file, file), kExitOk);        // already normal: unchanged
    EXPECT_EQ(read(file), "\r\n*Malta\r\nHibs\r\n");
}

TEST_F(Normalize, FailedWriteLeavesTheOutputAsItWasAndNoTemporary) {
    const std::string file = write("in.cfg", "*Malta\r\nHibs\r\n");
    const std::string out = write("out.cfg", "keep me");
    for (Step step : {Step::Create, Step::Write, Step::Sync, Step::Close, Step::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        test::FailingFileSystem failing;
        failing.failAt = step;
        failing.writeBudget = 3;
        EXPECT_EQ(normalize(file, out, failing), kExitFailed);
        EXPECT_THAT(err_.str(), HasSubstr(out + ": cannot save: No space left on device"));
        EXPECT_EQ(read(out), "keep me");
        EXPECT_THAT(entries(), ElementsAre("in.cfg", "out.cfg"));
    }

    // An output in a missing folder, or a folder as the output: nothing appears anywhere.
    EXPECT_EQ(normalize(file, (dir_ / "no such folder" / "out.cfg").string()), kExitFailed);
    EXPECT_THAT(err_.str(), HasSubstr("no such folder/out.cfg: cannot save"));
    EXPECT_EQ(normalize(file, dir_.string()), kExitFailed);
    EXPECT_THAT(entries(), ElementsAre("in.cfg", "out.cfg"));
    EXPECT_EQ(read(file), "*Malta\r\nHibs\r\n");
}

}  // namespace
