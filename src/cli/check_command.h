#pragma once

#include <ostream>
#include <string>

#include "cfgfile/file_system.h"

namespace velquor::cli {

/// `velquor-cfg check FILE`: one line per finding on out, "FILE:LINE: warning: …"
/// or "FILE:LINE: error: …". Returns 0 when nothing is found, 1 when something
/// is, 2 when the file cannot be read.
int runCheck(const std::string& file, std::ostream& out, std::ostream& err,
             cfg::FileSystem& fs = cfg::FileSystem::real());

}  // namespace velquor::cli
