#pragma once

#include <ostream>
#include <string>

#include "cfgfile/file_system.h"

namespace velquor::cli {

/// `velquor-cfg normalize FILE -o OUT`: loads FILE as the editor does and
/// writes OUT as the editor's Save would; OUT may be FILE, or "-" for out.
/// On failure OUT is left as it was. Returns the exit code.
int runNormalize(const std::string& file, const std::string& output, std::ostream& out,
                 std::ostream& err, cfg::FileSystem& fs = cfg::FileSystem::real());

}  // namespace velquor::cli
