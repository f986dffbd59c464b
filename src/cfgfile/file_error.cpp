#include "file_error.h"

#include <system_error>

namespace velquor::cfg {

std::string describeFailure(std::string_view file, std::optional<long> line,
                            std::string_view reason) {
    std::string text(file);
    if (line)
        text += ":" + std::to_string(*line);
    if (!text.empty())
        text += ": ";
    return text.append(reason);
}

FileError::FileError(Kind kind, std::filesystem::path file, std::string reason,
                     std::optional<long> line)
    : std::runtime_error(describeFailure(file.string(), line, reason)),
      kind_(kind),
      file_(std::move(file)),
      reason_(std::move(reason)),
      line_(line) {}

std::string failureReason(const std::exception& e) {
    if (const auto* sys = dynamic_cast<const std::system_error*>(&e))
        return sys->code().message();
    return e.what();
}

}  // namespace velquor::cfg
