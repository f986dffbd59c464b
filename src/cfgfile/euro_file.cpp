#include "euro_file.h"

#include <system_error>

#include "cfgfile/file_error.h"

namespace fs = std::filesystem;

namespace velquor::cfg {

bool ensureBackup(const fs::path& file, const fs::path& folder, FileSystem& fsys) {
    const fs::path backup = folder / kBackupName;
    bool copying = false;
    try {
        if (fsys.exists(backup))
            return false;
        copying = true;
        fsys.copyFile(file, backup);
        return true;
    } catch (const std::exception& e) {
        // A copy cut short would pass for the backup at every later open;
        // one that appeared meanwhile is someone else's and stays.
        const auto* failure = dynamic_cast<const std::system_error*>(&e);
        if (copying && !(failure && failure->code() == std::errc::file_exists))
            fsys.remove(backup);
        throw FileError(FileError::Kind::Backup, file,
                        "cannot make the backup " + backup.string() + ": " + failureReason(e));
    }
}

std::string readEuroBytes(const fs::path& file, FileSystem& fsys) {
    std::error_code ec;
    if (!fs::exists(file, ec))
        throw FileError(FileError::Kind::Open, file, "cannot open: no such file");
    if (fs::is_directory(file, ec))
        throw FileError(FileError::Kind::Open, file, "cannot open: it is a folder");
    try {
        return fsys.readAll(file);
    } catch (const std::bad_alloc&) {
        throw FileError(FileError::Kind::Read, file, "cannot read: not enough memory");
    } catch (const std::length_error&) {
        throw FileError(FileError::Kind::Read, file, "cannot read: the file is too large");
    } catch (const std::exception& e) {
        throw FileError(FileError::Kind::Read, file, "cannot read: " + failureReason(e));
    }
}

ReadResult loadEuroFile(const fs::path& file, mtxU_Collection& catalogue, const NationNames& names,
                        ReadOptions options, FileSystem& fsys) {
    const std::string bytes = readEuroBytes(file, fsys);
    if (options.file.empty())
        options.file = file;
    return readEuro(bytes, catalogue, names, options);
}

}  // namespace velquor::cfg
