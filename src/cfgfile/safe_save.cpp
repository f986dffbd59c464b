#include "safe_save.h"

#include <exception>
#include <stdexcept>
#include <string>
#include <system_error>

#include "cfgfile/file_error.h"
#include "cfgfile/link_target.h"

namespace fs = std::filesystem;

namespace velquor::cfg {

namespace {

using Content = std::function<void(OutputFile&)>;

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// The answers of a folder the user may not write to.
bool deniedWriting(const std::error_code& code) {
    return code == std::errc::permission_denied || code == std::errc::operation_not_permitted ||
           code == std::errc::read_only_file_system;
}

void writeAll(OutputFile& file, const Content& content) {
    content(file);
    file.sync();
    file.close();
}

// Returns false, having left nothing behind, when the file must be written in
// place instead: a folder the user cannot write to, or an owner the new file
// cannot take.
bool replaceWhole(const fs::path& file, const std::optional<FileFacts>& facts,
                  const Content& content, FileSystem& fsys) {
    fs::path temporary;
    try {
        std::unique_ptr<OutputFile> out;
        try {
            out = fsys.createTemporary(folderOf(file), temporary);
        } catch (const std::system_error& e) {
            if (facts && deniedWriting(e.code()))
                return false;
            throw;
        }
        if (facts && !fsys.copyOwner(file, temporary)) {
            out.reset();
            fsys.remove(temporary);
            return false;
        }
        writeAll(*out, content);
        if (facts)
            fsys.setPermissions(temporary, facts->perms);
        fsys.replace(temporary, file);
        return true;
    } catch (...) {
        if (!temporary.empty())
            fsys.remove(temporary);
        throw;
    }
}

void rewriteInPlace(const fs::path& file, const Content& content, FileSystem& fsys) {
    fs::path copy;
    try {
        fsys.keepCopy(file, folderOf(file), copy);
    } catch (const std::system_error& e) {
        if (!deniedWriting(e.code()))
            throw;
        fsys.keepCopy(file, fs::temp_directory_path(), copy);
    }
    std::unique_ptr<OutputFile> out;
    try {
        out = fsys.rewrite(file);
    } catch (...) {
        fsys.remove(copy);
        throw;
    }
    try {
        writeAll(*out, content);
    } catch (const std::exception& failure) {
        out.reset();
        try {
            fsys.restore(copy, file);
        } catch (const std::exception& again) {
            // The copy is now the only whole text: it stays, and the user is told where.
            throw std::runtime_error(failureReason(failure) +
                                     "; putting the old text back failed (" + failureReason(again) +
                                     "); it is kept in " + copy.string());
        }
        fsys.remove(copy);
        throw;
    }
    fsys.remove(copy);
}

}  // namespace

void saveSafely(const fs::path& target, const Content& content, FileSystem& fsys) {
    // The system follows every link here, /proc's links to pipes and
    // terminals too, so /dev/stdout is seen for what it is.
    const std::optional<FileFacts> facts = fsys.inspect(target);
    if (facts && facts->type != fs::file_type::regular)
        throw std::runtime_error("it is not a regular file");
    if (facts && !facts->writable)
        throw std::runtime_error("the file is read-only");
    const fs::path file = resolveLinks(target);
    std::error_code ec;
    if (facts && !fs::equivalent(file, target, ec))
        throw std::runtime_error("the link does not lead to a file it can name");
    if (!facts || (facts->links == 1 && !facts->extendedAttributes))
        if (replaceWhole(file, facts, content, fsys))
            return;
    rewriteInPlace(file, content, fsys);
}

}  // namespace velquor::cfg
