#include "descriptor_file.h"

#include <cerrno>
#include <stdexcept>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velquor::cfg {

namespace {

[[noreturn]] void raise(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

#ifdef _WIN32
constexpr unsigned kChunk = 1u << 30;  // the largest piece one call is given
#endif

}  // namespace

std::unique_ptr<DescriptorFile> DescriptorFile::openRegular(const std::filesystem::path& path,
                                                            bool forWriting) {
#ifdef _WIN32
    int fd = -1;
    ::_wsopen_s(&fd, path.c_str(), (forWriting ? _O_WRONLY : _O_RDONLY) | _O_BINARY,
                forWriting ? _SH_DENYRW : _SH_DENYWR, 0);
    if (fd < 0)
        raise("open");
    auto file = std::make_unique<DescriptorFile>(fd);
    struct _stat64 st {};
    if (::_fstat64(fd, &st) != 0)
        raise("stat");
    if ((st.st_mode & _S_IFMT) != _S_IFREG)
        throw std::runtime_error("it is not a regular file");
#else
    // O_NONBLOCK: opening a FIFO must not wait for its other end.
    const int fd =
        ::open(path.c_str(), (forWriting ? O_WRONLY : O_RDONLY) | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        raise("open");
    auto file = std::make_unique<DescriptorFile>(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        raise("stat");
    if (!S_ISREG(st.st_mode))
        throw std::runtime_error("it is not a regular file");
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        raise("open");
#endif
    return file;
}

std::unique_ptr<DescriptorFile> DescriptorFile::createNew(const std::filesystem::path& path,
                                                          bool privateToUser) {
#ifdef _WIN32
    int fd = -1;
    ::_wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYRW,
                _S_IREAD | _S_IWRITE);
    (void)privateToUser;
#else
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, privateToUser ? 0600 : 0666);
#endif
    if (fd < 0)
        raise("create");
    return std::make_unique<DescriptorFile>(fd);
}

DescriptorFile::~DescriptorFile() {
    if (fd_ >= 0)
        closeDescriptor();
}

void DescriptorFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
#ifdef _WIN32
        const int n =
            ::_write(fd_, bytes.data(),
                     bytes.size() > kChunk ? kChunk : static_cast<unsigned>(bytes.size()));
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

void DescriptorFile::sync() {
#ifdef _WIN32
    if (::_commit(fd_) != 0)
        raise("flush");
#else
    if (::fsync(fd_) != 0)
        raise("flush");
#endif
}

void DescriptorFile::close() {
    if (closeDescriptor() != 0)
        raise("close");
}

std::size_t DescriptorFile::read(char* buffer, std::size_t size) {
    for (;;) {
#ifdef _WIN32
        const int n = ::_read(fd_, buffer, size > kChunk ? kChunk : static_cast<unsigned>(size));
#else
        const ssize_t n = ::read(fd_, buffer, size);
#endif
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            raise("read");
    }
}

std::uintmax_t DescriptorFile::size() {
#ifdef _WIN32
    struct _stat64 st {};
    if (::_fstat64(fd_, &st) != 0)
        raise("stat");
#else
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        raise("stat");
#endif
    return static_cast<std::uintmax_t>(st.st_size);
}

void DescriptorFile::truncate(std::uintmax_t size) {
#ifdef _WIN32
    errno = ::_chsize_s(fd_, static_cast<long long>(size));
    if (errno != 0)
        raise("truncate");
#else
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
        raise("truncate");
#endif
}

int DescriptorFile::closeDescriptor() {
    const int fd = fd_;
    fd_ = -1;
#ifdef _WIN32
    return ::_close(fd);
#else
    return ::close(fd);
#endif
}

std::uintmax_t copyRest(DescriptorFile& from, DescriptorFile& to) {
    std::string buffer(1 << 16, '\0');
    std::uintmax_t total = 0;
    while (const std::size_t n = from.read(buffer.data(), buffer.size())) {
        to.write(std::string_view(buffer.data(), n));
        total += n;
    }
    return total;
}

}  // namespace velquor::cfg
