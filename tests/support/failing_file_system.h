#pragma once

#include <cerrno>
#include <fstream>
#include <functional>
#include <system_error>

#include "cfgfile/file_system.h"

namespace velquor::test {

/// The real file system with failures injected on cue, because tests run as
/// root and permissions do not stop them.
class FailingFileSystem : public cfg::FileSystem {
  public:
    /// Copy is the backup's copy and the copy kept before a save in place;
    /// Truncate opens the target to be written in place; Restore puts the copy back.
    enum class Step { None, Copy, Read, Create, Write, Sync, Close, Rename, Truncate, Restore };

    Step failAt = Step::None;
    /// A second step that fails as well, to fail the recovery from the first.
    Step thenFailAt = Step::None;
    /// With Step::Write or Step::Copy: bytes that land before it fails.
    std::size_t writeBudget = 0;
    int error = ENOSPC;
    /// Runs just before each step with the path it works on, to change the
    /// files under the program's feet (a file vanishing, becoming a folder).
    std::function<void(Step, const std::filesystem::path&)> meddle;

    void copyFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        interfere(Step::Copy, from);
        if (failAt == Step::Copy) {
            // A copy cut short: the start of the file lands, then the disk is full.
            std::ifstream in(from, std::ios::binary);
            std::string part(writeBudget, '\0');
            in.read(part.data(), static_cast<std::streamsize>(part.size()));
            part.resize(static_cast<std::size_t>(in.gcount()));
            std::ofstream(to, std::ios::binary) << part;
            check(Step::Copy);
        }
        FileSystem::copyFile(from, to);
    }
    std::string readAll(const std::filesystem::path& path) override {
        interfere(Step::Read, path);
        check(Step::Read);
        return FileSystem::readAll(path);
    }
    std::unique_ptr<cfg::OutputFile> createTemporary(const std::filesystem::path& dir,
                                                     std::filesystem::path& created) override {
        interfere(Step::Create, dir);
        check(Step::Create);
        return std::make_unique<File>(*this, FileSystem::createTemporary(dir, created));
    }
    void replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        interfere(Step::Rename, to);
        check(Step::Rename);
        FileSystem::replace(from, to);
    }

    void keepCopy(const std::filesystem::path& file, const std::filesystem::path& dir,
                  std::filesystem::path& created) override {
        interfere(Step::Copy, file);
        check(Step::Copy);
        FileSystem::keepCopy(file, dir, created);
    }
    std::unique_ptr<cfg::OutputFile> rewrite(const std::filesystem::path& path) override {
        interfere(Step::Truncate, path);
        check(Step::Truncate);
        return std::make_unique<File>(*this, FileSystem::rewrite(path));
    }
    void restore(const std::filesystem::path& copy, const std::filesystem::path& file) override {
        interfere(Step::Restore, file);
        check(Step::Restore);
        FileSystem::restore(copy, file);
    }

  private:
    class File : public cfg::OutputFile {
      public:
        File(FailingFileSystem& owner, std::unique_ptr<cfg::OutputFile> inner)
            : owner_(owner), inner_(std::move(inner)) {}
        void write(std::string_view bytes) override {
            if (owner_.failAt == Step::Write) {
                const std::size_t room =
                    owner_.writeBudget - std::min(owner_.writeBudget, written_);
                if (bytes.size() > room) {
                    inner_->write(bytes.substr(0, room));  // a part lands, then the disk is full
                    written_ += room;
                    owner_.check(Step::Write);
                }
            }
            inner_->write(bytes);
            written_ += bytes.size();
        }
        void sync() override {
            owner_.check(Step::Sync);
            inner_->sync();
        }
        void close() override {
            owner_.check(Step::Close);
            inner_->close();
        }

      private:
        FailingFileSystem& owner_;
        std::unique_ptr<cfg::OutputFile> inner_;
        std::size_t written_ = 0;
    };

    void interfere(Step step, const std::filesystem::path& path) {
        if (meddle)
            meddle(step, path);
    }
    void check(Step step) {
        if (failAt == step || thenFailAt == step)
            throw std::system_error(error, std::generic_category(), "injected");
    }
};

}  // namespace velquor::test
