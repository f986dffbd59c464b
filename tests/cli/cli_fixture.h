#pragma once

#include <gmock/gmock.h>

#include <functional>
#include <regex>
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

/// The tool's tests: a scratch folder, each command run in process.
struct CliTest : ScratchDirTest {
    /// The path as the text a user gives the tool.
    std::string write(const std::string& name, const std::string& bytes) const {
        return ScratchDirTest::write(name, bytes).string();
    }
    static Outcome capture(const std::function<int(std::ostream&, std::ostream&)>& run) {
        std::ostringstream out, err;
        const int code = run(out, err);
        return {code, out.str(), err.str()};
    }
    static Outcome dump(const std::string& f) {
        return capture([&](auto& o, auto& e) { return cli::runDump(f, o, e); });
    }
    static Outcome check(const std::string& f) {
        return capture([&](auto& o, auto& e) { return cli::runCheck(f, o, e); });
    }
    static Outcome normalize(const std::string& f, const std::string& to) {
        return capture([&](auto& o, auto& e) { return cli::runNormalize(f, to, o, e); });
    }
    static Outcome build(const std::string& json, const std::string& to) {
        return capture([&](auto& o, auto& e) { return cli::runBuild(json, to, o, e); });
    }
};

/// What a terminal shows: no control character but the line ends.
MATCHER(IsPlain, "holds no control character but line ends") {
    return !std::regex_search(arg, std::regex(R"([\x00-\x09\x0B-\x1F\x7F])"));
}

}  // namespace velquor::test
