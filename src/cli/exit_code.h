#pragma once

namespace velquor::cli {

/// What the tool's exit status tells a script.
enum ExitCode : int {
    kExitOk = 0,
    kExitFailed = 1,  // the load or the write failed; for check: something was found
    kExitUsage = 2,   // a usage error; for check also: the file could not be read
};

}  // namespace velquor::cli
