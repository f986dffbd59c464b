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
using namespace std::string_literals;

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

TEST_F(Normalize, EveryOutputGetsWhatTheEditorsSaveWouldWrite) {
    const std::string file =
        write("euro.cfg",
              "*Wales (Premier)\r\nCardiff\r\nSwansea\r\nWrexham\r\nBangor\r\nExtra\r\n"
              "*Atlantis\r\nNobody\r\n\r\n*Albania\n Tirana \r\n");
    // Catalogue order, bare names, a blank line before each header, nothing beyond the places.
    const std::string normal =
        "\r\n*Albania\r\n\r\n*Wales\r\nCardiff\r\nSwansea\r\nWrexham\r\nBangor\r\n";
    // A file, standard output by name or by its device, and the input itself (twice:
    // normal text stays as it is).
    const std::string out = (dir_ / "out.cfg").string();
    for (const std::string& output : {out, "-"s, "/dev/stdout"s, file, file}) {
        SCOPED_TRACE(output);
        ASSERT_EQ(normalize(file, output), kExitOk) << err_.str();
        EXPECT_EQ(err_.str(), "");
        const bool toFile = output.starts_with(dir_.string());
        EXPECT_EQ(toFile ? read(output) : out_.str(), normal);
        EXPECT_TRUE(!toFile || out_.str().empty());
    }
    EXPECT_THAT(entries(), ElementsAre("euro.cfg", "out.cfg"));  // no backup, no temporary
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
    const auto missing = std::filesystem::path("no such folder") / "out.cfg";
    EXPECT_THAT(err_.str(), HasSubstr(missing.string() + ": cannot save"));
    EXPECT_EQ(normalize(file, dir_.string()), kExitFailed);
    EXPECT_THAT(entries(), ElementsAre("in.cfg", "out.cfg"));
    EXPECT_EQ(read(file), "*Malta\r\nHibs\r\n");
}

}  // namespace
