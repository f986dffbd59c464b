#pragma once

#include <string>

#include "support/scratch_dir_test.h"

namespace velquor::test {

/// The tool's tests: a scratch folder, and the bundled sample.
class CliTest : public ScratchDirTest {
  protected:
    static std::string sample() { return std::string(VELQUOR_SOURCE_DIR) + "/examples/euro.cfg"; }
    /// The file's path as the text a user would pass on the command line.
    std::string write(const std::string& name, const std::string& bytes) const {
        return ScratchDirTest::write(name, bytes).string();
    }
};

}  // namespace velquor::test
