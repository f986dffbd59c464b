#pragma once

#include <string>

#include "support/scratch_dir_test.h"

namespace velquor::test {

/// The tool's tests: a scratch folder, and the bundled sample.
class CliTest : public ScratchDirTest {
  protected:
    static std::string sample() { return std::string(VELQUOR_SOURCE_DIR) + "/examples/euro.cfg"; }
};

}  // namespace velquor::test
