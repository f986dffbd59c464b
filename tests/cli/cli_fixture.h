#pragma once

#include <string>

#include "support/scratch_dir_test.h"

namespace velquor::test {

/// A path that also passes as the text a user gives the tool. POSIX paths
/// convert to std::string by themselves; Windows paths hold wide text.
struct ToolPath : std::filesystem::path {
#ifdef _WIN32
    operator std::string() const {
        return string();
    }
#endif
};

/// The tool's tests: a scratch folder, and the bundled sample.
class CliTest : public ScratchDirTest {
  protected:
    static std::string sample() { return std::string(VELQUOR_SOURCE_DIR) + "/examples/euro.cfg"; }
    ToolPath write(const std::string& name, const std::string& bytes) const {
        return {ScratchDirTest::write(name, bytes)};
    }
};

}  // namespace velquor::test
