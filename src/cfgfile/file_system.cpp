#include "file_system.h"

#include <cerrno>
#include <random>
#include <system_error>

#include "cfgfile/descriptor_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace velquor::cfg {

namespace {

std::string randomSuffix() {
    static std::mt19937 engine{std::random_device{}()};
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int> pick(0, sizeof(kAlphabet) - 2);
    std::string suffix(8, ' ');
    for (char& c : suffix)
        c = kAlphabet[pick(engine)];
    return suffix;
}

std::unique_ptr<DescriptorFile> createUnique(const fs::path& dir, const std::string& stem,
                                             const char* extension, bool privateToUser,
                                             fs::path& created) {
    for (int attempt = 0;; ++attempt) {
        fs::path candidate = dir / ("." + stem + "." + randomSuffix() + extension);
        try {
            auto file = DescriptorFile::createNew(candidate, privateToUser);
            created = std::move(candidate);
            return file;
        } catch (const std::system_error& e) {
            if (e.code() != std::errc::file_exists || attempt == 100)
                throw;
        }
    }
}

}  // namespace

bool FileSystem::exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::status(path, ec));
}

void FileSystem::copyFile(const fs::path& from, const fs::path& to) {
    // Never over an existing file: the backup is made once and kept.
    fs::copy_file(from, to, fs::copy_options::none);
}

std::string FileSystem::readAll(const fs::path& path) {
    const auto file = DescriptorFile::openRegular(path, false);
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(file->size()));
    for (std::size_t got = 0; got < bytes.size();) {
        const std::size_t n = file->read(bytes.data() + got, bytes.size() - got);
        if (n == 0)
            throw std::system_error(std::make_error_code(std::errc::io_error),
                                    "read (the file is shorter than its size)");
        got += n;
    }
    return bytes;
}

std::unique_ptr<OutputFile> FileSystem::createTemporary(const fs::path& dir, fs::path& created) {
    return createUnique(dir, "euro.cfg", ".tmp", false, created);
}

void FileSystem::replace(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    // ReplaceFileW keeps the replaced file's attributes and security. It
    // makes its scratch file in the folder the name gives, and a bare name
    // gives none (Wine: "The directory name is invalid").
    const fs::path target = fs::absolute(to);
    std::error_code ec;
    const bool replacing = fs::exists(fs::symlink_status(target, ec));
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const BOOL done = replacing ? ::ReplaceFileW(target.c_str(), from.c_str(), nullptr,
                                                 REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                                : ::MoveFileExW(from.c_str(), target.c_str(),
                                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!done)
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                                "replace");
    // Windows' ReplaceFileW keeps the attributes, Wine's does not; the text
    // is saved either way, so failing to set them back is no failed save.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (replacing && (attributes & kKept))
        ::SetFileAttributesW(target.c_str(), attributes & kKept);
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
    std::error_code ec;
    fs::remove(path, ec);
}

void FileSystem::setPermissions(const fs::path& path, fs::perms perms) {
    fs::permissions(path, perms, fs::perm_options::replace);
}

void FileSystem::keepCopy(const fs::path& file, const fs::path& dir, fs::path& created) {
    const auto from = DescriptorFile::openRegular(file, false);
    fs::path path;
    // Private: in the system's temporary folder others could read it.
    auto to = createUnique(dir, file.filename().string(), ".old", true, path);
    try {
        copyRest(*from, *to);
        to->sync();
        to->close();
    } catch (...) {
        to.reset();
        remove(path);
        throw;
    }
    created = std::move(path);
}

std::unique_ptr<OutputFile> FileSystem::rewrite(const fs::path& path) {
    auto file = DescriptorFile::openRegular(path, true);
    file->truncate(0);
    return file;
}

void FileSystem::restore(const fs::path& copy, const fs::path& file) {
    const auto from = DescriptorFile::openRegular(copy, false);
    const auto to = DescriptorFile::openRegular(file, true);
    to->truncate(copyRest(*from, *to));
    to->sync();
    to->close();
}

FileSystem& FileSystem::real() {
    static FileSystem instance;
    return instance;
}

}  // namespace velquor::cfg
