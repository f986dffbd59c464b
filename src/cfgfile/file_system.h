#pragma once

#include <cstdint>
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

/// What tells one file from every other: the same for all its names, new for
/// a file written under the name by a rename.
struct FileIdentity {
    std::uintmax_t volume = 0;
    std::uintmax_t index = 0;  // of the file on its volume
    bool operator==(const FileIdentity&) const = default;
};

/// What a save needs to know of an existing file (links followed).
struct FileFacts {
    std::filesystem::file_type type = std::filesystem::file_type::regular;
    std::filesystem::perms perms = std::filesystem::perms::none;
    std::uintmax_t links = 1;         // names the file has (hard links)
    bool writable = true;             // the user may write it
    bool extendedAttributes = false;  // ACLs or other attributes a new file would not carry
    std::optional<FileIdentity> identity;
};

/// The file operations the reader and writer need. Tests substitute an
/// implementation that fails on cue; the real one is FileSystem::real().
/// Failures are thrown as std::system_error (or std::filesystem_error).
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    /// Whether path names something, links followed: a dangling link names nothing.
    virtual bool exists(const std::filesystem::path& path);
    virtual void copyFile(const std::filesystem::path& from, const std::filesystem::path& to);
    /// The whole file in one piece. Anything but a regular file is refused at
    /// once with a std::runtime_error saying so.
    virtual std::string readAll(const std::filesystem::path& path);
    /// A new, empty file in dir with a name no other file has; its path goes to created.
    virtual std::unique_ptr<OutputFile> createTemporary(const std::filesystem::path& dir,
                                                        std::filesystem::path& created);
    /// Renames from over to, replacing to atomically.
    virtual void replace(const std::filesystem::path& from, const std::filesystem::path& to);
    virtual void remove(const std::filesystem::path& path) noexcept;
    virtual void setPermissions(const std::filesystem::path& path, std::filesystem::perms perms);

    /// Facts of the file path names, links followed; nullopt when there is none.
    virtual std::optional<FileFacts> inspect(const std::filesystem::path& path);
    /// Gives path the owner and group of model; false when the system does not allow it.
    virtual bool copyOwner(const std::filesystem::path& model, const std::filesystem::path& path);
    /// Copies file's bytes into a new file in dir, flushed; its path goes to created.
    /// On failure nothing is left in dir.
    virtual void keepCopy(const std::filesystem::path& file, const std::filesystem::path& dir,
                          std::filesystem::path& created);
    /// Opens the existing regular file path for writing over, emptied. On
    /// failure the file is as it was.
    virtual std::unique_ptr<OutputFile> rewrite(const std::filesystem::path& path);
    /// Writes the bytes of copy over file, in place, and flushes them.
    virtual void restore(const std::filesystem::path& copy, const std::filesystem::path& file);

    /// The operating system's file system.
    static FileSystem& real();
};

}  // namespace velquor::cfg
