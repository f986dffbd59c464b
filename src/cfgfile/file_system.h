#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velquor::cfg {

/// A file being written; every operation throws std::system_error on failure.
class OutputFile {
  public:
    virtual ~OutputFile() = default;
    virtual void write(std::string_view bytes) = 0;
    /// Pushes the written bytes to the disk.
    virtual void sync() = 0;
    virtual void close() = 0;
};

/// The file operations the reader and writer need. Tests substitute an
/// implementation that fails on cue; the real one is FileSystem::real().
/// Failures are thrown as std::system_error (or std::filesystem_error).
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    virtual bool exists(const std::filesystem::path& path);
    virtual void copyFile(const std::filesystem::path& from, const std::filesystem::path& to);
    /// The whole file in one piece.
    virtual std::string readAll(const std::filesystem::path& path);
    /// A new, empty file in dir with a name no other file has; its path goes to created.
    virtual std::unique_ptr<OutputFile> createTemporary(const std::filesystem::path& dir,
                                                        std::filesystem::path& created);
    /// Renames from over to, replacing to atomically.
    virtual void replace(const std::filesystem::path& from, const std::filesystem::path& to);
    virtual void remove(const std::filesystem::path& path) noexcept;
    /// Permissions of an existing file, nullopt when there is none.
    virtual std::optional<std::filesystem::perms> permissions(const std::filesystem::path& path);
    virtual void setPermissions(const std::filesystem::path& path, std::filesystem::perms perms);

    /// The operating system's file system.
    static FileSystem& real();
};

}  // namespace velquor::cfg
