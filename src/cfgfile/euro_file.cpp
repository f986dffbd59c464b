#include "euro_file.h"

#include <system_error>

#include "cfgfile/file_error.h"
#include "cfgfile/link_target.h"

namespace fs = std::filesystem;

namespace velquor::cfg {

namespace {

// Refuses at once what reading could hang on (a FIFO) or make no sense of (a
// device, a socket, a folder); a missing file is left to the caller.
void requireRegularFile(const fs::path& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (fs::is_directory(status))
        throw FileError(FileError::Kind::Open, file,
                        "cannot open: it is a folder, not a regular file");
    if (fs::exists(status) && !fs::is_regular_file(status))
        throw FileError(FileError::Kind::Open, file, "cannot open: it is not a regular file");
}

}  // namespace

bool ensureBackup(const fs::path& file, const fs::path& folder, FileSystem& fsys) {
    requireRegularFile(file);
    const fs::path backup = folder / kBackupName;
    fs::path copy;
    try {
        // A dangling link is no backup: the backup is made through it, where it points.
        if (fsys.exists(backup))
            return false;
        copy = resolveLinks(backup);
        fsys.copyFile(file, copy);
        return true;
    } catch (const std::exception& e) {
        // A copy cut short would pass for the backup at every later open;
        // one that appeared meanwhile is someone else's and stays.
        const auto* failure = dynamic_cast<const std::system_error*>(&e);
        if (!copy.empty() && !(failure && failure->code() == std::errc::file_exists))
            fsys.remove(copy);
        throw FileError(FileError::Kind::Backup, file,
                        "cannot make the backup " + backup.string() + ": " + failureReason(e));
    }
}

std::string readEuroBytes(const fs::path& file, FileSystem& fsys) {
    std::error_code ec;
    if (!fs::exists(file, ec))
        throw FileError(FileError::Kind::Open, file, "cannot open: no such file");
    requireRegularFile(file);
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
