#pragma once

#include <filesystem>
#include <string>

#include "cfgfile/euro_reader.h"
#include "cfgfile/file_system.h"

namespace velquor::cfg {

inline constexpr const char* kBackupName = "euro.cfg.bak";

/// Copies file to folder/euro.cfg.bak unless a file of that name is there
/// already; a dangling link of that name is not a backup, the copy is made
/// where it points. Returns whether a copy was made. Throws FileError (Open
/// when file is missing or not a regular file, Backup).
bool ensureBackup(const std::filesystem::path& file, const std::filesystem::path& folder,
                  FileSystem& fs = FileSystem::real());

/// The whole file in one read. A FIFO, device, socket or folder is refused at
/// once. Throws FileError (Open or Read).
std::string readEuroBytes(const std::filesystem::path& file, FileSystem& fs = FileSystem::real());

/// Reads file into catalogue without making a backup. Throws FileError.
ReadResult loadEuroFile(const std::filesystem::path& file, mtxU_Collection& catalogue,
                        const NationNames& names, ReadOptions options = {},
                        FileSystem& fs = FileSystem::real());

}  // namespace velquor::cfg
