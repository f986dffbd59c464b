#pragma once

#include <ostream>
#include <string>

#include "cfgfile/file_system.h"

namespace velquor::cli {

/// `velquor-cfg dump FILE`: the nations the editor would show, with their
/// places, as one JSON object on out. Returns the exit code.
int runDump(const std::string& file, std::ostream& out, std::ostream& err,
            cfg::FileSystem& fs = cfg::FileSystem::real());

}  // namespace velquor::cli
