#include "cfgfile/euro_file.h"

#include <gmock/gmock.h>

#include <functional>
#include <map>
#include <regex>

#include "cfgfile/euro_writer.h"
#include "cfgfile/file_error.h"
#include "support/failing_file_system.h"
#include "support/malta_catalogue.h"
#include "support/scratch_dir_test.h"

#ifdef __linux__
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#endif

namespace fs = std::filesystem;
using namespace velquor::cfg;
using velquor::test::catalogueWithMalta;
using Step = velquor::test::FailingFileSystem::Step;
using enum Step;
using ::testing::HasSubstr;

constexpr const char* kSaved = "\r\n*Malta\r\nHibs\r\n";

// The kind and message of the FileError f throws; "" when it throws none.
static std::string thrown(const std::function<void()>& f) {
    try {
        f();
    } catch (const FileError& e) {
        return std::to_string(static_cast<int>(e.kind())) + " " + e.what();
    }
    return "";
}
const std::string kWrite = std::to_string(static_cast<int>(FileError::Kind::Write)) + " ";

struct FileTest : velquor::test::ScratchDirTest {
    /// Every name below the folder with its mode and text or link target.
    std::string listing() const {
        std::string all;
        for (const auto& e : fs::recursive_directory_iterator(dir_))
            all += "\n" + e.path().string() +
                   std::to_string(int(e.symlink_status().permissions())) +
                   (e.is_symlink() ? fs::read_symlink(e.path()).string()
                                   : (e.is_regular_file() ? read(e.path()) : "?"));
        return all;
    }
    /// A link to `to`, through n - 1 links named after it.
    fs::path link(const std::string& name, const fs::path& to, int n = 1) const {
        const fs::path from = dir_ / (n > 1 ? name + std::to_string(n) : name);
        fs::create_symlink(n > 1 ? link(name, to, n - 1) : to, from);
        return from;
    }
    velquor::test::FailingFileSystem failing_;
};

TEST_F(FileTest, BackupIsMadeOncePerFolderWholeOrNotAtAll) {
    const fs::path file = write("euro.cfg", "first"), bak = dir_ / "euro.cfg.bak";
    failing_.failAt = Copy;
    failing_.writeBudget = 3;
    EXPECT_THAT(thrown([&] { ensureBackup(file, dir_, failing_); }),
                HasSubstr(std::to_string(static_cast<int>(FileError::Kind::Backup)) + " " +
                          file.string() + ": cannot make the backup " + bak.string()));
    EXPECT_EQ(entries(), std::vector<std::string>{"euro.cfg"});  // the part copied is removed
    EXPECT_TRUE(ensureBackup(file, dir_));
    EXPECT_FALSE(ensureBackup(write("euro.cfg", "second"), dir_));
    EXPECT_TRUE(ensureBackup(write("other/euro.cfg", "other"), dir_ / "other"));
    EXPECT_EQ(read(bak), "first");
    EXPECT_EQ(read(dir_ / "other" / "euro.cfg.bak"), "other");
    // A backup that appears during the copy is someone else's: it stays.
    fs::remove(bak);
    failing_.failAt = None;
    failing_.meddle = [&](Step, const fs::path&) { write("euro.cfg.bak", "theirs"); };
    EXPECT_THROW(ensureBackup(file, dir_, failing_), FileError);
    EXPECT_EQ(read(bak), "theirs");
#ifndef _WIN32  // a Windows link needs a privilege users rarely hold
    // A dangling link is no backup: the copy goes where it points; a loop fails.
    fs::remove(bak);
    link("euro.cfg.bak", "kept.bak");
    EXPECT_TRUE(ensureBackup(file, dir_));
    EXPECT_EQ(read(dir_ / "kept.bak"), "second");
    fs::remove(dir_ / "other" / "euro.cfg.bak");
    fs::create_symlink("euro.cfg.bak", dir_ / "other" / "euro.cfg.bak");
    EXPECT_THROW(ensureBackup(dir_ / "other" / "euro.cfg", dir_ / "other"), FileError);
    // Anything but a regular file is refused at once: a FIFO with no writer is not waited on.
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0644), 0);
    for (const fs::path& odd : {dir_ / "fifo", fs::path("/dev/null"), dir_})
        EXPECT_THROW(ensureBackup(odd, dir_ / "other"), FileError) << odd;
#endif
}

TEST_F(FileTest, FailedSaveLeavesTheTargetByteIdenticalAndNoTemporary) {
    const std::string original = "\r\n*Malta\r\nOld club\r\n";
    auto catalogue = catalogueWithMalta();  // big enough for several writes
    findNation(*catalogue, "Malta")->UCL1 = std::string(200000, 'n');
    failing_.writeBudget = 70000;
    const struct {
        Step failAt;
        bool inPlace;  // a second hard link holds the file: it is saved in place
        bool restoreFails = false;
    } rows[] = {{Create, false}, {Write, false}, {Sync, false},      {Close, false},
                {Rename, false}, {Copy, true},   {Truncate, true},   {Write, true},
                {Sync, true},    {Close, true},  {Write, true, true}};
    for (const auto& [failAt, inPlace, restore] : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(failAt) << " " << inPlace);
        fs::remove_all(dir_);
        const fs::path file = write("euro.cfg", original);
        if (inPlace)
            fs::create_hard_link(file, dir_ / "managed.cfg");
        failing_.failAt = failAt;
        failing_.thenFailAt = restore ? Restore : None;
        const std::string message = thrown([&] { saveEuroFile(file, catalogue.get(), failing_); });
        EXPECT_THAT(message, HasSubstr(kWrite + file.string() + ": cannot save: No space left on"));
        const std::vector<std::string> names = entries();
        if (restore) {  // the copy is the only whole text left: it stays, and is named
            ASSERT_EQ(names.size(), 3u);
            EXPECT_EQ(read(dir_ / names[0]), original);
            EXPECT_THAT(message, HasSubstr("it is kept in " + (dir_ / names[0]).string()));
            continue;
        }
        EXPECT_EQ(read(file), original);
        EXPECT_EQ(names.size(), 1u + inPlace);
#ifndef _WIN32  // MinGW's hard_link_count says 1 for every file
        EXPECT_EQ(fs::hard_link_count(file), 1u + inPlace);
#endif
    }
}

#ifdef __linux__

// What makes a file itself beside its text: links, owner, mode.
static std::string identity(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return std::to_string(st.st_nlink) + " " + std::to_string(st.st_uid) + " " +
           std::to_string(st.st_gid) + " " + std::to_string(st.st_mode);
}
// euro.cfg in dir, with this mode, extended attribute and owner.
static fs::path euro(const fs::path& dir, int mode = 0644, const char* attribute = nullptr,
                     unsigned owner = 0) {
    std::ofstream(dir / "euro.cfg") << "old";
    fs::permissions(dir / "euro.cfg", fs::perms(mode));
    if (attribute)
        ::setxattr((dir / "euro.cfg").c_str(), attribute, "1", 1, 0);
    if (owner) {
        EXPECT_EQ(::chown((dir / "euro.cfg").c_str(), owner, owner), 0);
    }
    return dir / "euro.cfg";
}

TEST_F(FileTest, SaveKeepsWhatMakesTheFileItselfOrRefusesAndChangesNothing) {
    ::umask(022);
    const struct {
        const char* name;
        std::function<fs::path()> target;
        const char* landsIn;   // or, after "!", why the save is refused
        bool inPlace = false;  // else a new file takes its place: a crash never leaves half of it
    } cases[] = {
        {"a plain file", [&] { return euro(dir_, 0640); }, "euro.cfg"},
        {"a new file, as any new file", [&] { return dir_ / "euro.cfg"; }, "euro.cfg"},
        {"40 links", [&] { return link("a", write("real.cfg", "o"), 40); }, "real.cfg"},
        {"a dangling link", [&] { return link("euro.cfg", dir_ / "sub" / "n"); }, "sub/n"},
        {"hard link",
         [&] {
             fs::create_hard_link(euro(dir_), dir_ / "b");
             return dir_ / "b";
         },
         "euro.cfg", true},
        {"another user's file", [&] { return euro(dir_, 0644, nullptr, 65534); }, "euro.cfg"},
        {"a user attribute", [&] { return euro(dir_, 0644, "user.x"); }, "euro.cfg", true},
        {"a label any file gets", [&] { return euro(dir_, 0644, "security.selinux"); }, "euro.cfg"},
        {"no file open", [&] { return euro(dir_); }, "!no file is open"},
        {"no name", [] { return fs::path(); }, "!no file name"},
        {"a missing folder", [&] { return dir_ / "none" / "euro.cfg"; }, "!No such file"},
        {"a folder", [&] { return write("f.cfg/x", "").parent_path(); }, "!not a regular"},
        {"read-only, for root too", [&] { return euro(dir_, 0444); }, "!the file is read-only"},
        {"a loop of links", [&] { return link("a", link("b", "a")); }, "!Too many levels"},
        {"41 links", [&] { return link("a", write("real.cfg", "o"), 41); }, "!Too many"},
        {"a FIFO", [&] { return ::mkfifo((dir_ / "f").c_str(), 0644) ? fs::path() : dir_ / "f"; },
         "!it is not a"},
        // One of our own where root may make one: a save that failed to refuse replaces it.
        {"a device, as /dev/stdout is",
         [&] {
             const fs::path own = dir_ / "device";
             return link("o", ::mknod(own.c_str(), S_IFCHR | 0600, 0) ? "/dev/null" : own);
         },
         "!it is not a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "sub");
        const fs::path target = c.target(), file = dir_ / c.landsIn;
        const bool refused = c.landsIn[0] == '!';
        const bool open = std::string_view(c.name) != "no file open";
        // Where the file system keeps no user attribute, that file is replaced too.
        const bool inPlace = c.inPlace && (fs::hard_link_count(target) > 1 ||
                                           ::listxattr(target.c_str(), nullptr, 0) > 0);
        const std::string was =
            refused ? listing() : identity(fs::exists(file) ? file : write("new", ""));
        bool rewritten = false;
        failing_.meddle = [&](Step step, const fs::path&) { rewritten |= step == Truncate; };
        const std::string message = thrown(
            [&] { saveEuroFile(target, open ? catalogueWithMalta().get() : nullptr, failing_); });
        EXPECT_EQ(refused ? listing() : identity(file), was);
        if (refused) {
            EXPECT_THAT(message, HasSubstr(c.landsIn + 1));
            EXPECT_EQ(message.starts_with(kWrite), open);
            continue;
        }
        EXPECT_EQ(message, "");
        EXPECT_EQ(read(file), kSaved);
        EXPECT_EQ(rewritten, inPlace);
        EXPECT_THAT(listing(), ::testing::Not(HasSubstr("/."))) << "left behind";
    }
}

TEST_F(FileTest, AWritableFileInAFolderTheUserCannotWriteIsSavedInPlace) {
    // No folder stops root: the save runs as an ordinary user, for the system to refuse a new
    // file; the old text is kept meanwhile in a temporary folder open to that user.
    const fs::path file = euro(dir_, 0644, nullptr, 65534);
    fs::permissions(dir_, fs::perms(0555));
    const std::string before = identity(file);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) || ::setresgid(65534, 65534, 65534) ||
            ::setresuid(65534, 65534, 65534) || ::setenv("TMPDIR", "/tmp", 1))
            ::_exit(2);
        ::_exit(!thrown([&] { saveEuroFile(file, catalogueWithMalta().get()); }).empty());
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0) << "the child's wait status";
    EXPECT_EQ(read(file), kSaved);
    EXPECT_EQ(identity(file), before);
    EXPECT_EQ(entries(), std::vector<std::string>{"euro.cfg"}) << "left behind";
}

TEST_F(FileTest, TemporariesAreHiddenUniqueAndOnlyTheKeptCopyIsPrivate) {
    ::umask(022);
    fs::path created;
    for (int i = 0; i < 100; ++i)
        FileSystem::real().createTemporary(dir_, created)->close();
    FileSystem::real().keepCopy(write("euro.cfg", "old"), dir_, created);
    EXPECT_EQ(read(created), "old");
    std::map<std::string, int> kinds;  // name without its hidden unique start, and mode
    for (const auto& e : fs::directory_iterator(dir_))
        ++kinds[std::regex_replace(e.path().filename().string(),
                                   std::regex(R"(^\.euro\.cfg\.[a-z0-9]{8}\.)"), "") +
                std::to_string(int(e.status().permissions()))];
    EXPECT_EQ(kinds,
              (std::map<std::string, int>{{"euro.cfg420", 1}, {"old384", 1}, {"tmp420", 100}}));
}

#endif
