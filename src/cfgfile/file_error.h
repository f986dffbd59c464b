#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velquor::cfg {

/// Why reading or writing a euro.cfg failed. The message names the file and,
/// where there is one, the line; callers decide what to show.
class FileError : public std::runtime_error {
  public:
    enum class Kind {
        Backup,          // the backup copy could not be made
        Open,            // the file could not be opened
        Read,            // reading failed or the file changed meanwhile
        OrphanClubLine,  // a club line before the first header line
        NoCatalogue,     // nothing to save: no file has been opened
        Write,           // creating, writing, flushing or replacing the target
    };

    FileError(Kind kind, std::filesystem::path file, std::string reason,
              std::optional<long> line = std::nullopt);

    Kind kind() const noexcept { return kind_; }
    const std::filesystem::path& file() const noexcept { return file_; }
    std::optional<long> line() const noexcept { return line_; }
    /// The reason alone, without the file and line prefix.
    const std::string& reason() const noexcept { return reason_; }

  private:
    Kind kind_;
    std::filesystem::path file_;
    std::string reason_;
    std::optional<long> line_;
};

/// "file:line: reason", or "file: reason" without a line: how a failure is
/// told to the user, with the file and the reason as the caller shows them.
std::string describeFailure(std::string_view file, std::optional<long> line,
                            std::string_view reason);

/// A short reason for a failure of the file layer: the system's text for an
/// error code, the exception's message otherwise.
std::string failureReason(const std::exception& e);

}  // namespace velquor::cfg
