#include "file_system.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace velquor::cfg {

namespace {

[[noreturn]] void raise(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// A file written through a raw descriptor so that sync reaches the disk.
class DescriptorFile : public OutputFile {
  public:
    explicit DescriptorFile(int fd) : fd_(fd) {}
    ~DescriptorFile() override {
        if (fd_ >= 0)
            closeDescriptor();
    }

    void write(std::string_view bytes) override {
        while (!bytes.empty()) {
#ifdef _WIN32
            const unsigned chunk =
                bytes.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(bytes.size());
            const int n = ::_write(fd_, bytes.data(), chunk);
#else
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
#endif
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                raise("write");
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    void sync() override {
#ifdef _WIN32
        if (::_commit(fd_) != 0)
            raise("flush");
#else
        if (::fsync(fd_) != 0)
            raise("flush");
#endif
    }

    void close() override {
        if (closeDescriptor() != 0)
            raise("close");
    }

  private:
    int closeDescriptor() {
        const int fd = fd_;
        fd_ = -1;
#ifdef _WIN32
        return ::_close(fd);
#else
        return ::close(fd);
#endif
    }

    int fd_;
};

#ifdef _WIN32
[[noreturn]] void raiseLastError(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}
#endif

std::string randomSuffix() {
    static std::mt19937 engine{std::random_device{}()};
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int> pick(0, sizeof(kAlphabet) - 2);
    std::string suffix(8, ' ');
    for (char& c : suffix)
        c = kAlphabet[pick(engine)];
    return suffix;
}

}  // namespace

bool FileSystem::exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

void FileSystem::copyFile(const fs::path& from, const fs::path& to) {
    // Never over an existing file: the backup is made once and kept.
    fs::copy_file(from, to, fs::copy_options::none);
}

std::string FileSystem::readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        raise("open");
    const std::uintmax_t size = fs::file_size(path);  // throws for folders and devices
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(size));
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size)))
        throw std::system_error(std::make_error_code(std::errc::io_error),
                                "read (the file is shorter than its size)");
    return bytes;
}

std::unique_ptr<OutputFile> FileSystem::createTemporary(const fs::path& dir, fs::path& created) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = dir / (".euro.cfg." + randomSuffix() + ".tmp");
#ifdef _WIN32
        int fd = -1;
        ::_wsopen_s(&fd, candidate.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYRW,
                    _S_IREAD | _S_IWRITE);
#else
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
        if (fd >= 0) {
            created = std::move(candidate);
            return std::make_unique<DescriptorFile>(fd);
        }
        if (errno != EEXIST)
            raise("create");
    }
    raise("create");
}

void FileSystem::replace(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    // As Windows users expect of a save: a read-only file is refused, and
    // the file replaced keeps its attributes, creation time and security.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
            raiseLastError("rename");
        return;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY)
        throw std::system_error(std::make_error_code(std::errc::permission_denied),
                                "the file is read-only");
    if (!ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                      nullptr))
        raiseLastError("replace");
    // ReplaceFileW keeps them on Windows but not on every implementation of
    // its API (Wine's); the text is saved either way, so a failure here is not one.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes & kKept)
        SetFileAttributesW(to.c_str(), attributes & kKept);
#else
    fs::rename(from, to);
    // Make the rename itself durable.
    const fs::path dir = to.has_parent_path() ? to.parent_path() : fs::path(".");
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

void FileSystem::remove(const fs::path& path) noexcept {
#ifdef _WIN32
    // Windows deletes no read-only file, and a temporary takes the target's attribute.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
    std::error_code ec;
    fs::remove(path, ec);
}

std::optional<fs::perms> FileSystem::permissions(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status))
        return std::nullopt;
    return status.permissions();
}

void FileSystem::setPermissions(const fs::path& path, fs::perms perms) {
    fs::permissions(path, perms, fs::perm_options::replace);
}

FileSystem& FileSystem::real() {
    static FileSystem instance;
    return instance;
}

}  // namespace velquor::cfg
