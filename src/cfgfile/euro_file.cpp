#include "euro_file.h"

#include <system_error>

#include "cfgfile/file_error.h"
#include "cfgfile/link_target.h"

namespace fs = std::filesystem;

namespace velquor::cfg {

namespace {

// Refuses at once a missing file, and what reading could hang on (a FIFO) or
// make no sense of (a device, a socket, a folder), saying which it is.
void requireRegularFile(const fs::path& file) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    const auto refuse = [&](const std::string& what) {
        throw FileError(FileError::Kind::Open, file, "cannot open: " + what);
    };
    switch (status.type()) {
        case fs::file_type::regular:
            return;
        case fs::file_type::not_found:
            return refuse("no such file");
        case fs::file_type::none:  // the status could not be had
            return refuse(ec.message());
        case fs::file_type::directory:
            return refuse("it is a folder, not a regular file");
        case fs::file_type::fifo:
            return refuse("it is a FIFO, not a regular file");
        case fs::file_type::block:
        case fs::file_type::character:
            return refuse("it is a device, not a regular file");
        default:
            return refuse("it is not a regular file");
    }
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
