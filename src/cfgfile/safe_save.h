#pragma once

#include <filesystem>
#include <functional>

#include "cfgfile/file_system.h"

namespace velquor::cfg {

/// Writes the bytes content hands to its file over target, so that a failure
/// at any step leaves target byte-identical and the file keeps its identity.
/// Links are followed to the final file (a dangling link's target is
/// created). A single-linked regular file whose owner the new file can carry
/// is replaced by a flushed temporary file renamed over it, its permissions
/// kept; any other regular file (hard links, another owner, extended
/// attributes, a folder the user cannot write) is rewritten in place after a
/// copy of its bytes is kept, and the copy is put back on failure. Anything
/// but a regular file, and a file the user may not write, is refused with
/// nothing written. Throws std::exception with a reason for the user.
void saveSafely(const std::filesystem::path& target,
                const std::function<void(OutputFile&)>& content,
                FileSystem& fs = FileSystem::real());

}  // namespace velquor::cfg
