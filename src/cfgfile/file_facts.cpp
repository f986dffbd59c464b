// What the save asks of a file before it decides how to write it.
#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "cfgfile/file_system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/xattr.h>
#endif
#endif

namespace fs = std::filesystem;

namespace velquor::cfg {

#ifdef _WIN32

namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> handleFacts(const fs::path& path) {
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    return known ? std::optional(info) : std::nullopt;
}

}  // namespace

std::optional<FileFacts> FileSystem::inspect(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
        throw std::system_error(static_cast<int>(error), std::system_category(), "inspect");
    }
    const fs::file_status status = fs::status(path);
    FileFacts facts;
    facts.type = status.type();
    facts.perms = status.permissions();
    if (const auto info = handleFacts(path)) {
        facts.links = info->nNumberOfLinks;
        facts.identity =
            FileIdentity{info->dwVolumeSerialNumber,
                         (std::uintmax_t{info->nFileIndexHigh} << 32) | info->nFileIndexLow};
    }
    facts.writable = (attributes & FILE_ATTRIBUTE_READONLY) == 0;
    return facts;
}

// ReplaceFileW keeps the replaced file's owner and security itself.
bool FileSystem::copyOwner(const fs::path&, const fs::path&) {
    return true;
}

#else

namespace {

fs::file_type typeOf(mode_t mode) {
    if (S_ISREG(mode))
        return fs::file_type::regular;
    if (S_ISDIR(mode))
        return fs::file_type::directory;
    if (S_ISCHR(mode))
        return fs::file_type::character;
    if (S_ISBLK(mode))
        return fs::file_type::block;
    if (S_ISFIFO(mode))
        return fs::file_type::fifo;
    if (S_ISSOCK(mode))
        return fs::file_type::socket;
    return fs::file_type::unknown;
}

// A file's SELinux label is given to a new file by its folder anyway, so it
// alone does not call for writing in place.
bool hasExtendedAttributes(const fs::path& path) {
#ifdef __linux__
    const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
    if (size <= 0)
        return false;
    std::vector<char> names(static_cast<std::size_t>(size));
    const ssize_t got = ::listxattr(path.c_str(), names.data(), names.size());
    for (ssize_t at = 0; at < got;) {
        const std::string name(names.data() + at);
        if (name != "security.selinux")
            return true;
        at += static_cast<ssize_t>(name.size()) + 1;
    }
#else
    (void)path;
#endif
    return false;
}

}  // namespace

std::optional<FileFacts> FileSystem::inspect(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw std::system_error(errno, std::generic_category(), "inspect");
    }
    FileFacts facts;
    facts.type = typeOf(st.st_mode);
    facts.perms = static_cast<fs::perms>(st.st_mode & 07777);
    facts.links = static_cast<std::uintmax_t>(st.st_nlink);
    // Root may write anything, so for root, as Vim and Emacs do, a file with no
    // write permission for anyone counts as read-only: a 0444 file is refused
    // for root too. For everybody else the system answers, by the mode bits of
    // the user's class (owner, group, other) and by any ACL.
    facts.writable = ::geteuid() == 0 ? (st.st_mode & 0222) != 0
                                      : ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
    facts.extendedAttributes = hasExtendedAttributes(path);
    facts.identity = FileIdentity{static_cast<std::uintmax_t>(st.st_dev),
                                  static_cast<std::uintmax_t>(st.st_ino)};
    return facts;
}

bool FileSystem::copyOwner(const fs::path& model, const fs::path& path) {
    struct stat want {
    }, have{};
    if (::stat(model.c_str(), &want) != 0 || ::stat(path.c_str(), &have) != 0)
        return false;
    if (want.st_uid == have.st_uid && want.st_gid == have.st_gid)
        return true;
    return ::chown(path.c_str(), want.st_uid, want.st_gid) == 0;
}

#endif

}  // namespace velquor::cfg
