#include "link_target.h"

#include <system_error>

namespace fs = std::filesystem;

namespace velquor::cfg {

fs::path resolveLinks(const fs::path& path) {
    // As many levels as Linux follows before it calls it a loop.
    constexpr int kMaxLevels = 40;
    fs::path current = path;
    for (int level = 0; level <= kMaxLevels; ++level) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(current, ec);
        if (status.type() == fs::file_type::not_found)
            return current;
        if (ec)
            throw fs::filesystem_error("cannot follow the link", current, ec);
        if (!fs::is_symlink(status))
            return current;
        const fs::path next = fs::read_symlink(current);
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    throw fs::filesystem_error("cannot follow the link", path,
                               std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

}  // namespace velquor::cfg
