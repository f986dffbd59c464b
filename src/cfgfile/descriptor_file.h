#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "cfgfile/file_system.h"

namespace velquor::cfg {

/// A file reached through a raw descriptor, so that sync reaches the disk and
/// a FIFO or a device is told apart before anything can block on it.
/// Every operation throws std::system_error on failure.
class DescriptorFile : public OutputFile {
  public:
    /// Opens an existing file, following links. Anything but a regular file
    /// (a FIFO, a device, a socket, a folder) is refused with a
    /// std::runtime_error saying so, without waiting for a writer or reader.
    static std::unique_ptr<DescriptorFile> openRegular(const std::filesystem::path& path,
                                                       bool forWriting);
    /// Creates path, which must not exist yet, for writing.
    static std::unique_ptr<DescriptorFile> createNew(const std::filesystem::path& path,
                                                     bool privateToUser);

    explicit DescriptorFile(int fd) : fd_(fd) {}
    ~DescriptorFile() override;
    DescriptorFile(const DescriptorFile&) = delete;
    DescriptorFile& operator=(const DescriptorFile&) = delete;

    void write(std::string_view bytes) override;
    void sync() override;
    void close() override;

    /// Up to size bytes into buffer; 0 at the end of the file.
    std::size_t read(char* buffer, std::size_t size);
    std::uintmax_t size();
    void truncate(std::uintmax_t size);

  private:
    int closeDescriptor();

    int fd_;
};

/// Copies the rest of from to to; returns the number of bytes copied.
std::uintmax_t copyRest(DescriptorFile& from, DescriptorFile& to);

}  // namespace velquor::cfg
