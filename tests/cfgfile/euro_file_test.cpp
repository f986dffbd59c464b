#include "cfgfile/euro_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cfgfile/euro_writer.h"
#include "cfgfile/file_error.h"
#include "model/nation_catalogue.h"
#include "support/failing_file_system.h"
#include "support/scratch_dir_test.h"

namespace fs = std::filesystem;
using namespace velquor;
using namespace velquor::cfg;
using Step = velquor::test::FailingFileSystem::Step;
using ::testing::HasSubstr;

namespace {

class FileTest : public test::ScratchDirTest {
  protected:
    static std::shared_ptr<mtxU_Collection> catalogueWithMalta() {
        auto catalogue = BuildNationCatalogue();
        auto malta = findNation(*catalogue, "Malta");
        malta->LigaName = "Malta";
        malta->UCL1 = "Hibs";
        return catalogue;
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
}

TEST_F(FileTest, FailedBackupIsATypedFailureNamingTheFile) {
    const fs::path file = write("euro.cfg", "x");
    failing_.failAt = Step::Copy;
    try {
        ensureBackup(file, dir_, failing_);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::Backup);
        EXPECT_THAT(e.what(), HasSubstr(file.string()));
        EXPECT_THAT(e.what(), HasSubstr("euro.cfg.bak"));
    }
    EXPECT_FALSE(fs::exists(dir_ / "euro.cfg.bak"));
}

TEST_F(FileTest, ABackupCutShortIsRemovedSoTheNextOpenMakesItWhole) {
    const fs::path file = write("euro.cfg", "*Malta\r\nHibs\r\n");
    failing_.failAt = Step::Copy;
    failing_.writeBudget = 3;
    EXPECT_THROW(ensureBackup(file, dir_, failing_), FileError);
    EXPECT_EQ(entries(), std::vector<std::string>{"euro.cfg"});

    EXPECT_TRUE(ensureBackup(file, dir_));
    EXPECT_EQ(read(dir_ / "euro.cfg.bak"), "*Malta\r\nHibs\r\n");
}

TEST_F(FileTest, ABackupThatAppearsDuringTheCopyIsNotRemoved) {
    const fs::path file = write("euro.cfg", "mine");
    failing_.meddle = [&](Step step, const fs::path&) {
        if (step == Step::Copy)
            write("euro.cfg.bak", "theirs");
    };
    EXPECT_THROW(ensureBackup(file, dir_, failing_), FileError);
    EXPECT_EQ(read(dir_ / "euro.cfg.bak"), "theirs");
}

TEST_F(FileTest, AFileThatVanishesOrBecomesAFolderJustBeforeTheReadFailsTheRead) {
    const fs::path file = dir_ / "euro.cfg";
    for (const bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "folder" : "vanished");
        write("euro.cfg", "*Malta\r\nHibs\r\n");
        failing_.meddle = [&](Step step, const fs::path& path) {
            if (step != Step::Read)
                return;
            fs::remove(path);
            if (folder)
                fs::create_directory(path);
        };
        try {
            readEuroBytes(file, failing_);
            ADD_FAILURE() << "read a file that is gone";
        } catch (const FileError& e) {
            EXPECT_EQ(e.kind(), FileError::Kind::Read);
            EXPECT_THAT(e.what(), HasSubstr(file.string()));
        }
        fs::remove_all(file);
    }
}

TEST_F(FileTest, ReadFailuresAreTyped) {
    const auto kindOf = [&](const fs::path& path, FileSystem& fsys) {
        try {
            readEuroBytes(path, fsys);
        } catch (const FileError& e) {
            EXPECT_THAT(e.what(), HasSubstr(path.string()));
            return e.kind();
        }
        ADD_FAILURE() << "read " << path;
        return FileError::Kind::NoCatalogue;
    };
    EXPECT_EQ(kindOf(dir_ / "missing.cfg", FileSystem::real()), FileError::Kind::Open);
    EXPECT_EQ(kindOf(dir_, FileSystem::real()), FileError::Kind::Open);
    failing_.failAt = Step::Read;
    failing_.error = EIO;
    EXPECT_EQ(kindOf(write("euro.cfg", "*Malta\r\n"), failing_), FileError::Kind::Read);
}

TEST_F(FileTest, LoadsAWholeFileWithoutABackup) {
    const fs::path file = write("euro.cfg", "*Malta\r\nHibs\r\n");
    auto catalogue = BuildNationCatalogue();
    const ReadResult result = loadEuroFile(file, *catalogue, FillNationNames());
    EXPECT_EQ(result.currentKey, "Malta");
    EXPECT_EQ(findNation(*catalogue, "Malta")->UCL1, "Hibs");
    EXPECT_EQ(entries(), std::vector<std::string>{"euro.cfg"});

    write("euro.cfg", "Orphan\r\n");
    try {
        loadEuroFile(file, *BuildNationCatalogue(), FillNationNames());
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), file);  // the reason names the file that was read
    }
}

TEST_F(FileTest, SaveReplacesTheWholeFileAndKeepsItsPermissions) {
    const fs::path file = write("euro.cfg", std::string(10000, 'x'));
#ifndef _WIN32  // Windows has the read-only attribute only
    fs::permissions(file, fs::perms(0640), fs::perm_options::replace);
#endif
    saveEuroFile(file, catalogueWithMalta().get());
    EXPECT_EQ(read(file), "\r\n*Malta\r\nHibs\r\n");
#ifndef _WIN32
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));
#endif
    EXPECT_EQ(entries(), std::vector<std::string>{"euro.cfg"});

    const fs::path fresh = dir_ / "new.cfg";
    saveEuroFile(fresh, catalogueWithMalta().get());
    EXPECT_EQ(read(fresh), "\r\n*Malta\r\nHibs\r\n");
}

#ifndef _WIN32  // a Windows link needs a privilege users rarely hold
TEST_F(FileTest, SaveThroughALinkWritesTheFileItNames) {
    const fs::path file = write("real.cfg", "old");
    fs::create_symlink(file, dir_ / "euro.cfg");
    saveEuroFile(dir_ / "euro.cfg", catalogueWithMalta().get());
    EXPECT_TRUE(fs::is_symlink(dir_ / "euro.cfg"));
    EXPECT_EQ(read(file), "\r\n*Malta\r\nHibs\r\n");
}
#endif

TEST_F(FileTest, FailedSaveLeavesTheTargetByteIdenticalAndNoTemporary) {
    const std::string original = "\r\n*Malta\r\nOld club\r\n";
    const fs::path file = write("euro.cfg", original);
    // A catalogue big enough that the writer needs several writes.
    auto catalogue = catalogueWithMalta();
    findNation(*catalogue, "Malta")->UCL1 = std::string(200000, 'n');
    for (Step step : {Step::Create, Step::Write, Step::Sync, Step::Close, Step::Rename}) {
        failing_.failAt = step;
        failing_.writeBudget = 70000;
        try {
            saveEuroFile(file, catalogue.get(), failing_);
            ADD_FAILURE() << "saved despite failure " << static_cast<int>(step);
        } catch (const FileError& e) {
            EXPECT_EQ(e.kind(), FileError::Kind::Write);
            EXPECT_THAT(e.what(), HasSubstr(file.string()));
            EXPECT_THAT(e.what(), HasSubstr("No space left on device"));
        }
        EXPECT_EQ(read(file), original);
        EXPECT_EQ(entries(), std::vector<std::string>{"euro.cfg"});
    }
}

TEST_F(FileTest, SaveRefusesTargetsItCannotWrite) {
    const auto failsWith = [](const fs::path& target, const mtxU_Collection* catalogue) {
        try {
            saveEuroFile(target, catalogue);
        } catch (const FileError& e) {
            return e.kind();
        }
        ADD_FAILURE() << "saved to " << target;
        return FileError::Kind::Open;
    };
    const fs::path file = write("euro.cfg", "keep");
    EXPECT_EQ(failsWith(file, nullptr), FileError::Kind::NoCatalogue);
    EXPECT_EQ(read(file), "keep");
    EXPECT_EQ(failsWith(dir_ / "no such folder" / "euro.cfg", catalogueWithMalta().get()),
              FileError::Kind::Write);
    fs::create_directory(dir_ / "folder.cfg");
    EXPECT_EQ(failsWith(dir_ / "folder.cfg", catalogueWithMalta().get()), FileError::Kind::Write);
    EXPECT_EQ(failsWith("", catalogueWithMalta().get()), FileError::Kind::Write);
    EXPECT_EQ(entries(), (std::vector<std::string>{"euro.cfg", "folder.cfg"}));
}

TEST(Sample, NamesEveryNationWithItsFullNumberOfClubsAndNoSurprises) {
    auto catalogue = BuildNationCatalogue();
    ReadOptions options;
    options.collectDiagnostics = true;
    const ReadResult result = loadEuroFile(fs::path(VELQUOR_SOURCE_DIR) / "examples" / "euro.cfg",
                                           *catalogue, FillNationNames(), options);
    EXPECT_TRUE(result.diagnostics.empty());
    for (const auto& element : *catalogue) {
        const auto& rec = static_cast<const Liga&>(*element);
        EXPECT_EQ(rec.LigaName, rec.key());
        for (int i = 1; i <= rec.NUCL; ++i)
            EXPECT_FALSE(rec.ucl(i)->empty()) << rec.key();
        for (int i = 1; i <= rec.NUEFA; ++i)
            EXPECT_FALSE(rec.uefa(i)->empty()) << rec.key();
        for (int i = 1; i <= rec.NIntertoto; ++i)
            EXPECT_FALSE(rec.intertoto(i)->empty()) << rec.key();
    }
    EXPECT_TRUE(nationsWithGaps(*catalogue).empty());
}
