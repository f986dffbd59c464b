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
    using Path = std::filesystem::path;
    /// Copy is the backup's copy and the copy kept before a save in place;
    /// Truncate opens the target to be written in place; Restore puts the copy back.
    enum class Step { None, Copy, Read, Create, Write, Sync, Close, Rename, Truncate, Restore };
    Step failAt = Step::None;
    Step thenFailAt = Step::None;  // fails too, to fail the recovery from the first
    std::size_t writeBudget = 0;   // with Write or Copy: bytes that land before it fails
    int error = ENOSPC;            // what the failure says
    /// Runs just before each step with the path it works on, to change the
    /// files under the program's feet (a file vanishing, becoming a folder).
    std::function<void(Step, const Path&)> meddle;

    void copyFile(const Path& from, const Path& to) override {
        if (meddle)
            meddle(Step::Copy, from);
        if (failAt == Step::Copy)  // a copy cut short: its start lands, then the disk is full
            std::ofstream(to, std::ios::binary) << FileSystem::readAll(from).substr(0, writeBudget);
        check(Step::Copy);
        FileSystem::copyFile(from, to);
    }
    std::string readAll(const Path& path) override {
        at(Step::Read, path);
        return FileSystem::readAll(path);
    }
    std::unique_ptr<cfg::OutputFile> createTemporary(const Path& dir, Path& created) override {
        at(Step::Create, dir);
        return std::make_unique<File>(*this, FileSystem::createTemporary(dir, created));
    }
    void replace(const Path& from, const Path& to) override {
        at(Step::Rename, to);
        FileSystem::replace(from, to);
    }
    void keepCopy(const Path& file, const Path& dir, Path& created) override {
        at(Step::Copy, file);
        FileSystem::keepCopy(file, dir, created);
    }
    std::unique_ptr<cfg::OutputFile> rewrite(const Path& path) override {
        at(Step::Truncate, path);
        return std::make_unique<File>(*this, FileSystem::rewrite(path));
    }
    void restore(const Path& copy, const Path& file) override {
        at(Step::Restore, file);
        FileSystem::restore(copy, file);
    }

    struct File : cfg::OutputFile {
        File(FailingFileSystem& o, std::unique_ptr<cfg::OutputFile> i)
            : owner(o), inner(std::move(i)) {}
        void write(std::string_view bytes) override {
            // A part lands, then the disk is full.
            if (owner.failAt == Step::Write && written + bytes.size() > owner.writeBudget) {
                inner->write(bytes.substr(0, owner.writeBudget - written));
                owner.check(Step::Write);
            }
            inner->write(bytes);
            written += bytes.size();
        }
        void sync() override {
            owner.check(Step::Sync);
            inner->sync();
        }
        void close() override {
            owner.check(Step::Close);
            inner->close();
        }

        FailingFileSystem& owner;
        std::unique_ptr<cfg::OutputFile> inner;
        std::size_t written = 0;
    };

    void at(Step step, const Path& path) {
        if (meddle)
            meddle(step, path);
        check(step);
    }
    void check(Step step) {
        if (failAt == step || thenFailAt == step)
            throw std::system_error(error, std::generic_category(), "injected");
    }
};

}  // namespace velquor::test
