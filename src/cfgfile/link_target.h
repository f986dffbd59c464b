#pragma once

#include <filesystem>

namespace velquor::cfg {

/// The name path finally stands for once every level of symbolic links is
/// followed. A dangling link gives the name of its missing final target, the
/// file a save creates. Throws std::filesystem::filesystem_error for a loop
/// or a link that cannot be read.
std::filesystem::path resolveLinks(const std::filesystem::path& path);

}  // namespace velquor::cfg
