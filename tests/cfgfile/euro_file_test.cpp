#include "cfgfile/euro_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#ifdef __linux__
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#endif

#include "cfgfile/euro_writer.h"
#include "cfgfile/file_error.h"
#include "model/nation_catalogue.h"
#include "support/failing_file_system.h"
#include "support/malta_catalogue.h"
#include "support/scratch_dir_test.h"

namespace fs = std::filesystem;
using namespace velquor;
using namespace velquor::cfg;
using velquor::test::catalogueWithMalta;
using Step = velquor::test::FailingFileSystem::Step;
using ::testing::HasSubstr;

namespace {

class FileTest : public test::ScratchDirTest {
  protected:
    /// Every name below the folder with what it is and holds, links as links.
    std::string listing() const {
        std::string all;
        for (const auto& e : fs::recursive_directory_iterator(dir_)) {
            all += e.path().string() + " " +
                   std::to_string(static_cast<int>(e.symlink_status().type())) + " " +
                   std::to_string(static_cast<int>(e.symlink_status().permissions())) + " ";
            all += e.is_symlink()        ? fs::read_symlink(e.path()).string()
                   : e.is_regular_file() ? read(e.path())
                                         : "";
            all += "\n";
        }
        return all;
    }

    /// A symbolic link name -> to below the folder.
    fs::path link(const std::string& name, const fs::path& to) const {
        fs::create_symlink(to, dir_ / name);
        return dir_ / name;
    }

    test::FailingFileSystem failing_;
};

}  // namespace

TEST_F(FileTest, BackupIsMadeOncePerFolderAndNeverRenewed) {
    const fs::path first = write("euro.cfg", "first");
    EXPECT_TRUE(ensureBackup(first, dir_));
    EXPECT_EQ(read(dir_ / "euro.cfg.bak"), "first");
    const fs::path second = write("euro.cfg", "second");
    EXPECT_FALSE(ensureBackup(second, dir_));
    EXPECT_EQ(read(dir_ / "euro.cfg.bak"), "first");

    const fs::path other = write("other/euro.cfg", "other");
    EXPECT_TRUE(ensureBackup(other, dir_ / "other"));
    EXPECT_EQ(read(dir_ / "other" / "euro.cfg.bak"), "other");

#ifndef _WIN32  // a Windows link needs a privilege users rarely hold
    // A dangling link is no backup: the copy goes where it points; a loop fails.
    const fs::path linked = write("linked/euro.cfg", "linked");
    fs::create_symlink("kept.bak", dir_ / "linked" / "euro.cfg.bak");
    EXPECT_TRUE(ensureBackup(linked, dir_ / "linked"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "linked" / "euro.cfg.bak"));
    EXPECT_EQ(read(dir_ / "linked" / "kept.bak"), "linked");
    EXPECT_FALSE(ensureBackup(linked, dir_ / "linked"));
    fs::remove(dir_ / "other" / "euro.cfg.bak");
    fs::create_symlink("euro.cfg.bak", dir_ / "other" / "euro.cfg.bak");
    EXPECT_THROW(ensureBackup(other, dir_ / "other"), FileError);
#endif
}

TEST_F(FileTest, ABackupCutShortIsRemovedSoTheNextOpenMakesItWholeButNotOneThatAppeared) {
    const fs::path file = write("euro.cfg", "*Malta\r\nHibs\r\n");
    failing_.failAt = Step::Copy;
    failing_.writeBudget = 3;
    try {
        ensureBackup(file, dir_, failing_);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::Backup);
        EXPECT_THAT(e.what(), HasSubstr(file.string() + ": cannot make the backup " +
                                        (dir_ / "euro.cfg.bak").string()));
    }
    EXPECT_EQ(entries(), std::vector<std::string>{"euro.cfg"});

    EXPECT_TRUE(ensureBackup(file, dir_));
    EXPECT_EQ(read(dir_ / "euro.cfg.bak"), "*Malta\r\nHibs\r\n");

    // A backup that appears during the copy is someone else's: it stays.
    fs::remove(dir_ / "euro.cfg.bak");
    failing_.failAt = Step::None;
    failing_.meddle = [&](Step step, const fs::path&) {
        if (step == Step::Copy)
            write("euro.cfg.bak", "theirs");
    };
    EXPECT_THROW(ensureBackup(file, dir_, failing_), FileError);
    EXPECT_EQ(read(dir_ / "euro.cfg.bak"), "theirs");
}

TEST_F(FileTest, ReadFailuresAreTypedAndNothingButARegularFileIsRead) {
    failing_.failAt = Step::Read;
    failing_.error = EIO;
    // A file that vanishes, or becomes a folder, just before the read.
    test::FailingFileSystem vanishing, becomingAFolder;
    vanishing.meddle = [](Step step, const fs::path& path) {
        if (step == Step::Read)
            fs::remove(path);
    };
    becomingAFolder.meddle = [&](Step step, const fs::path& path) {
        vanishing.meddle(step, path);
        if (step == Step::Read)
            fs::create_directory(path);
    };
    const fs::path fifo = dir_ / "fifo";
    struct Case {
        fs::path path;
        FileSystem& fsys;
        FileError::Kind kind;
        const char* reason;
    };
    const Case cases[] = {
        {dir_ / "missing.cfg", FileSystem::real(), FileError::Kind::Open, "no such file"},
        {dir_, FileSystem::real(), FileError::Kind::Open, "it is a folder, not a regular file"},
        {write("euro.cfg", "*Malta\r\n"), failing_, FileError::Kind::Read, "Input/output error"},
        {write("gone.cfg", "*Malta\r\n"), vanishing, FileError::Kind::Read, ""},
        {write("folder.cfg", "*Malta\r\n"), becomingAFolder, FileError::Kind::Read, ""},
#ifdef __linux__
        {"/dev/null", FileSystem::real(), FileError::Kind::Open, "it is not a regular file"},
        {fifo, FileSystem::real(), FileError::Kind::Open, "it is not a regular file"},
#endif
    };
#ifdef __linux__
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        // A FIFO with no writer must be refused, not waited on; also by the backup.
        auto reading = std::async(std::launch::async, [&] {
            EXPECT_THROW(ensureBackup(c.path, dir_ / "no backup here"), FileError);
            readEuroBytes(c.path, c.fsys);
        });
        if (reading.wait_for(std::chrono::seconds(1)) != std::future_status::ready) {
            ADD_FAILURE() << "still reading after a second";
#ifdef __linux__
            ::close(::open(c.path.c_str(), O_WRONLY | O_NONBLOCK));  // lets it go
#endif
        }
        try {
            reading.get();
            ADD_FAILURE() << "read";
        } catch (const FileError& e) {
            EXPECT_EQ(e.kind(), c.kind);
            EXPECT_THAT(e.what(), HasSubstr(c.path.string() + ": cannot"));
            EXPECT_THAT(e.what(), HasSubstr(c.reason));
        }
    }
}

constexpr const char* kSaved = "\r\n*Malta\r\nHibs\r\n";

TEST_F(FileTest, FailedSaveLeavesTheTargetByteIdenticalAndNoTemporary) {
    const std::string original = "\r\n*Malta\r\nOld club\r\n";
    // A catalogue big enough that the writer needs several writes.
    auto catalogue = catalogueWithMalta();
    findNation(*catalogue, "Malta")->UCL1 = std::string(200000, 'n');
    struct Case {
        Step failAt;
        bool inPlace;  // a second hard link makes the save write in place
        Step thenFailAt = Step::None;
    };
    for (const Case& c :
         {Case{Step::Create, false}, Case{Step::Write, false}, Case{Step::Sync, false},
          Case{Step::Close, false}, Case{Step::Rename, false}, Case{Step::Copy, true},
          Case{Step::Truncate, true}, Case{Step::Write, true}, Case{Step::Sync, true},
          Case{Step::Close, true}, Case{Step::Write, true, Step::Restore}}) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(c.failAt) << (c.inPlace ? " in place" : ""));
        fs::remove_all(dir_);
        const fs::path file = write("euro.cfg", original);
        if (c.inPlace)
            fs::create_hard_link(file, dir_ / "managed.cfg");
        failing_.failAt = c.failAt;
        failing_.thenFailAt = c.thenFailAt;
        failing_.writeBudget = 70000;
        std::string message;
        try {
            saveEuroFile(file, catalogue.get(), failing_);
            ADD_FAILURE() << "saved despite the failure";
        } catch (const FileError& e) {
            EXPECT_EQ(e.kind(), FileError::Kind::Write);
            EXPECT_THAT(e.what(),
                        HasSubstr(file.string() + ": cannot save: No space left on device"));
            message = e.what();
        }
        std::vector<std::string> names = entries();
        if (c.thenFailAt == Step::Restore) {
            // The copy is the only whole text left: it stays, and the message says where.
            ASSERT_EQ(names.size(), 3u);
            EXPECT_EQ(read(dir_ / names[0]), original);
            EXPECT_THAT(message, HasSubstr("it is kept in " + (dir_ / names[0]).string()));
            continue;
        }
        EXPECT_EQ(read(file), original);
        const std::vector<std::string> expected{"euro.cfg", "managed.cfg"};
        EXPECT_EQ(names,
                  std::vector<std::string>(expected.begin(), expected.begin() + 1 + c.inPlace));
#ifndef _WIN32  // MinGW's hard_link_count says 1 for every file
        EXPECT_EQ(fs::hard_link_count(file), c.inPlace ? 2u : 1u);
#endif
    }
}

#ifdef __linux__

namespace {

// What makes a file itself, beside its text.
std::string identity(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return "none";
    const auto number = [](auto n) { return std::to_string(n) + " "; };
    return number(st.st_nlink > 1 ? st.st_ino : 0) + number(st.st_nlink) + number(st.st_uid) +
           number(st.st_gid) + number(st.st_mode) + number(::listxattr(path.c_str(), nullptr, 0));
}

fs::path withMode(const fs::path& path, int mode) {
    fs::permissions(path, static_cast<fs::perms>(mode));
    return path;
}

// Root can give a file away; anyone else keeps it.
fs::path givenToNobody(const fs::path& path) {
    if (::geteuid() == 0) {
        EXPECT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    return path;
}

fs::path withAttribute(const fs::path& path) {
    ::setxattr(path.c_str(), "user.velquor", "1", 1, 0);  // where the file system allows
    return path;
}

}  // namespace

TEST_F(FileTest, SaveKeepsWhatMakesTheFileItself) {
    const struct {
        const char* name;
        std::function<fs::path()> target;
        const char* file;  // where the text lands
    } cases[] = {
        {"a plain file", [&] { return withMode(write("euro.cfg", std::string(9999, 'x')), 0640); },
         "euro.cfg"},
        {"a new file", [&] { return dir_ / "new.cfg"; }, "new.cfg"},
        {"a chain of links", [&] { return link("a", link("b", write("real.cfg", "old"))); },
         "real.cfg"},
        {"a dangling link",
         [&] { return link("euro.cfg", write("sub/x", "").parent_path() / "new"); }, "sub/new"},
        {"another name of the file",
         [&] {
             return fs::create_hard_link(write("euro.cfg", "old"), dir_ / "mod.cfg"),
                    dir_ / "mod.cfg";
         },
         "euro.cfg"},
        {"another user's file", [&] { return givenToNobody(write("euro.cfg", "old")); },
         "euro.cfg"},
        {"an extended attribute", [&] { return withAttribute(write("euro.cfg", "old")); },
         "euro.cfg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const fs::path target = c.target();
        const fs::path file = dir_ / c.file;
        const std::string before = identity(file);
        const bool link = fs::is_symlink(target);
        saveEuroFile(target, catalogueWithMalta().get());
        EXPECT_EQ(read(file), kSaved);
        EXPECT_EQ(fs::is_symlink(target), link);
        EXPECT_EQ(identity(file), before == "none" ? identity(file) : before);
        EXPECT_EQ(listing().find("/."), std::string::npos) << "left behind";
    }
}

TEST_F(FileTest, SaveRefusesWhatItMayNotReplaceAndChangesNothing) {
    struct Case {
        const char* name;
        std::function<fs::path()> target;
        const char* reason;
        bool catalogue = true;
    };
    const Case cases[] = {
        {"no file open", [&] { return write("euro.cfg", "keep"); }, "no file is open", false},
        {"no name", [] { return fs::path(); }, "no file name"},
        {"a missing folder", [&] { return dir_ / "no such folder" / "euro.cfg"; },
         "No such file or directory"},
        {"a folder", [&] { return write("folder.cfg/x", "").parent_path(); }, "not a regular file"},
        {"a read-only file, for root too", [&] { return withMode(write("euro.cfg", "k"), 0444); },
         "the file is read-only"},
        {"a loop of links", [&] { return link("a", link("b", "a")); },
         "Too many levels of symbolic"},
        {"a FIFO", [&] { return ::mkfifo((dir_ / "f").c_str(), 0644), dir_ / "f"; },
         "not a regular"},
        {"a device", [] { return fs::path("/dev/null"); }, "it is not a regular file"},
        {"a link to a device, as /dev/stdout is", [&] { return link("out", "/dev/null"); },
         "it is not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const fs::path target = c.target();
        const std::string before = listing();
        try {
            saveEuroFile(target, c.catalogue ? catalogueWithMalta().get() : nullptr);
            ADD_FAILURE() << "saved";
        } catch (const FileError& e) {
            EXPECT_EQ(e.kind(),
                      c.catalogue ? FileError::Kind::Write : FileError::Kind::NoCatalogue);
            EXPECT_THAT(e.what(), HasSubstr(c.reason));
        }
        EXPECT_EQ(listing(), before);
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(FileTest, AWritableFileInAFolderTheUserCannotWriteIsSavedInPlace) {
    // No folder stops root, so the save runs in a child that has become an
    // ordinary user, as a modder would be, for the system itself to refuse
    // the temporary file.
    const fs::path file = givenToNobody(write("locked/euro.cfg", "old"));
    const std::string before = identity(file);
    struct stat st {};
    ::stat(file.c_str(), &st);
    const ino_t inode = st.st_ino;
    fs::permissions(dir_ / "locked", fs::perms(0555));
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0 ||
             ::setresuid(65534, 65534, 65534) != 0))
            ::_exit(2);
        try {
            saveEuroFile(file, catalogueWithMalta().get());
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    fs::permissions(dir_ / "locked", fs::perms(0755));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(read(file), kSaved);
    EXPECT_EQ(identity(file), before);
    ::stat(file.c_str(), &st);
    EXPECT_EQ(st.st_ino, inode) << "written in place";
    EXPECT_EQ(listing().find("/locked/."), std::string::npos) << "left behind";
}

#endif
