#include "file_error.h"

#include <system_error>

namespace velquor::cfg {

namespace {
std::string describe(const std::filesystem::path& file, const std::string& reason,
                     std::optional<long> line) {
    std::string text = file.string();
    if (line)
        text += ":" + std::to_string(*line);
    if (!text.empty())
        text += ": ";
    return text + reason;
}
}  // namespace

FileError::FileError(Kind kind, std::filesystem::path file, std::string reason,
                     std::optional<long> line)
    : std::runtime_error(describe(file, reason, line)),
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
