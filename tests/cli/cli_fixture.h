#pragma once

#include <algorithm>
#include <sstream>
#include <string>

#include "cli/build_command.h"
#include "cli/check_command.h"
#include "cli/dump_command.h"
#include "cli/exit_code.h"
#include "cli/normalize_command.h"
#include "support/scratch_dir_test.h"

namespace velquor::test {

struct Outcome {
    int code;
    std::string out, err;
};

/// The tool's tests: a scratch folder, the bundled sample, each command run in process.
class CliTest : public ScratchDirTest {
  protected:
    static std::string sample() { return std::string(VELQUOR_SOURCE_DIR) + "/examples/euro.cfg"; }
    /// The path as the text a user gives the tool.
    std::string write(const std::string& name, const std::string& bytes) const {
        return ScratchDirTest::write(name, bytes).string();
    }
    template <typename Run>
    static Outcome capture(Run run) {
        std::ostringstream out, err;
        const int code = run(out, err);
        return {code, out.str(), err.str()};
    }
    static Outcome dump(const std::string& file) {
        return capture([&](auto& out, auto& err) { return cli::runDump(file, out, err); });
    }
    static Outcome check(const std::string& file) {
        return capture([&](auto& out, auto& err) { return cli::runCheck(file, out, err); });
    }
    static Outcome normalize(const std::string& file, const std::string& output) {
        return capture(
            [&](auto& out, auto& err) { return cli::runNormalize(file, output, out, err); });
    }
    static Outcome build(const std::string& json, const std::string& output) {
        return capture([&](auto& out, auto& err) { return cli::runBuild(json, output, out, err); });
    }
    /// What a terminal shows: no control character but the line ends.
    static bool plain(const std::string& text) {
        return std::none_of(text.begin(), text.end(), [](char c) {
            return (static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F;
        });
    }
};

}  // namespace velquor::test
