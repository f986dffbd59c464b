// Loading, the backup and the save on the Windows file API, with paths as
// Windows users write them.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "cfgfile/euro_file.h"
#include "cfgfile/euro_writer.h"
#include "cfgfile/file_error.h"
#include "cfgfile/nation_names.h"
#include "model/nation_catalogue.h"
#include "support/malta_catalogue.h"
#include "support/scratch_dir_test.h"

namespace fs = std::filesystem;
using namespace velquor;
using namespace velquor::cfg;
using velquor::test::catalogueWithMalta;

namespace {

constexpr const char* kOld = "\r\n*Malta\r\nOld club with a long name\r\nAnother\r\n";
constexpr const char* kNew = "\r\n*Malta\r\nHibs\r\n";

class WindowsFiles : public test::ScratchDirTest {
  protected:
    /// dir_ as a user types it: drive letter and backslashes, as text.
    std::string folderText() const { return fs::path(dir_).make_preferred().string() + "\\"; }
    static DWORD attributes(const fs::path& file) { return GetFileAttributesW(file.c_str()); }
};

TEST_F(WindowsFiles, PathsWithADriveLetterAndBackslashesOrABareNameLoadBackUpAndSave) {
    write("euro.cfg", kOld);
    const std::string folder = folderText();
    ASSERT_EQ(folder.substr(1, 2), ":\\") << folder;  // a drive letter
    const fs::path file = folder + "euro.cfg";

    EXPECT_TRUE(ensureBackup(file, folder));
    auto catalogue = BuildNationCatalogue();
    loadEuroFile(file, *catalogue, FillNationNames());
    EXPECT_EQ(findNation(*catalogue, "Malta")->UCL1, "Old club with a long name");

    saveEuroFile(file, catalogueWithMalta().get());
    EXPECT_EQ(read(file), kNew);
    write("euro.cfg", "changed");
    EXPECT_FALSE(ensureBackup(file, folder)) << "one backup per folder, never renewed";
    EXPECT_EQ(read(dir_ / "euro.cfg.bak"), kOld);
    fs::current_path(dir_);
    EXPECT_NO_THROW(saveEuroFile("euro.cfg", catalogueWithMalta().get()));
    fs::current_path(dir_.parent_path());
    EXPECT_EQ(read(file), kNew);
    EXPECT_EQ(entries(), (std::vector<std::string>{"euro.cfg", "euro.cfg.bak"}));
}

TEST_F(WindowsFiles, ANameInTheSystemCodePageIsFoundByItsAnsiName) {
    const std::string ansiFolder = folderText() + "M\xFCnchen \xC9quipe";  // Münchén Équipe in 1252
    wchar_t wide[MAX_PATH];
    const int n =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansiFolder.c_str(), -1, wide, MAX_PATH);
    ASSERT_GT(n, 0);
    const fs::path folder(wide);
    fs::create_directories(folder);
    std::ofstream(folder / "euro.cfg", std::ios::binary) << kOld;

    EXPECT_TRUE(ensureBackup(folder / "euro.cfg", folder));
    saveEuroFile(folder / "euro.cfg", catalogueWithMalta().get());
    EXPECT_EQ(read(folder / "euro.cfg"), kNew);
    EXPECT_EQ(readEuroBytes(folder / "euro.cfg.bak"), kOld);
    for (const char* name : {"\\euro.cfg", "\\euro.cfg.bak"})
        EXPECT_NE(GetFileAttributesA((ansiFolder + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
}

// One file under all its names, and only that file, has its identity.
TEST_F(WindowsFiles, AFileIsKnownByItsIdentityUnderEveryNameItHas) {
    const fs::path file = write("euro.cfg", kOld), other = write("other.cfg", kOld);
    ASSERT_TRUE(CreateHardLinkW((dir_ / "link.cfg").c_str(), file.c_str(), nullptr));
    const auto identity = [](const fs::path& name) {
        return FileSystem::real().inspect(name)->identity;
    };
    ASSERT_TRUE(identity(file).has_value());
    EXPECT_EQ(identity(folderText() + "EURO.CFG"), identity(file));
    EXPECT_EQ(identity(dir_ / "link.cfg"), identity(file));
    EXPECT_NE(identity(other), identity(file));
}

// Windows refuses to replace a read-only file; a hidden one stays hidden.
TEST_F(WindowsFiles, SavingKeepsAHiddenFileHiddenAndRefusesAReadOnlyOne) {
    for (const DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY}) {
        const bool readOnly = attribute == FILE_ATTRIBUTE_READONLY;
        const fs::path file = write("euro.cfg", kOld);
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), attribute | FILE_ATTRIBUTE_ARCHIVE));
        if (readOnly)
            EXPECT_THROW(saveEuroFile(file, catalogueWithMalta().get()), FileError);
        else
            saveEuroFile(file, catalogueWithMalta().get());
        EXPECT_EQ(read(file), readOnly ? kOld : kNew);
        EXPECT_TRUE(attributes(file) & attribute) << attribute;
        EXPECT_EQ(entries(), std::vector<std::string>{"euro.cfg"});
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

}  // namespace
