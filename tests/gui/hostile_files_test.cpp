// Files that change under the editor, saves that cannot land, and files no
// modder meant to write: the editor loads or refuses them, writes nothing it
// was not asked to, and stays usable.

#include <QDirIterator>
#include <QFileInfo>
#include <QProgressBar>
#include <filesystem>
#include <functional>

#include "editor_fixture.h"
#include "model/liga.h"
#include "model/nation_catalogue.h"
#include "platform/text_codec.h"

namespace velquor::test {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using Step = FailingFileSystem::Step;
namespace stdfs = std::filesystem;

constexpr std::size_t kMiB = 1 << 20;

std::string everyByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

class HostileFilesTest : public EditorTest {
  protected:
    /// An empty scratch folder and a new window, for the next case.
    void startOver() {
        QDir(scratch.path()).removeRecursively();
        QDir().mkpath(scratch.path());
        newWindow();
    }
    void newWindow() {
        dialogs.messages.clear();
        window = std::make_unique<ui::frmEditor>(platform, fs);
        window->show();
    }

    /// Opens bytes as game/euro.cfg: the file and its backup are all that
    /// is there afterwards, both holding bytes, and the pointer is back.
    void openUntouched(const std::string& bytes) {
        const QString path = write(QStringLiteral("game/euro.cfg"), bytes);
        open(path);
        EXPECT_EQ(files(), (QStringList{"game/euro.cfg", "game/euro.cfg.bak"}));
        // Compared as a flag: a failure must not print megabytes.
        EXPECT_TRUE(read(path) == bytes);
        EXPECT_TRUE(read(path + ".bak") == bytes);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    void expectRefused() {
        expectOnlyMessage(ui::texts::kLoadingError);
        EXPECT_FALSE(window->isVisible());
    }
    void expectLoaded(const QStringList& nations) {
        EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().front().toStdString();
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(nodeTexts(), nations);
        EXPECT_FALSE(window->findChild<QProgressBar*>(QStringLiteral("pbar"))->isVisible());
        EXPECT_FALSE(label(QStringLiteral("lblInfo"))->isVisible());
        EXPECT_FALSE(state().bUnsaved);
    }
    const Liga& nation(const char* name) const { return *findNation(*window->catalogue(), name); }
};

TEST_F(HostileFilesTest, OddBytesHugeLinesAndEndlessEmptyLinesLoadOrAreRefused) {
    const auto emptyLines = [] {
        std::string bytes = "*Spain\r\n";
        bytes.reserve(20 * 1000 * 1000 + 64);
        for (int i = 0; i < 10 * 1000 * 1000; ++i)
            bytes += "\r\n";
        return bytes + "Madrid FC\r\n";
    };
    const struct {
        const char* what;
        std::function<std::string()> bytes;
        bool refused;
        QStringList nations;
        std::string firstClub;
    } rows[] = {
        // The first line runs up to byte 13, the CR: a club line with no nation.
        {"every byte", everyByte, true, {}, ""},
        // The CR ends the first club, the byte after it is swallowed, the rest is the second.
        {"every byte under a header",
         [] { return "*Spain\r\n" + everyByte(); },
         false,
         {"Spain"},
         everyByte().substr(0, 13)},
        {"one CR", [] { return std::string(1, '\r'); }, false, {}, ""},
        {"two CRs", [] { return std::string(2, '\r'); }, false, {}, ""},
        {"1 MiB of CRs", [] { return std::string(kMiB, '\r'); }, false, {}, ""},
        {"1 MiB and one CR", [] { return std::string(kMiB + 1, '\r'); }, false, {}, ""},
        {"ten million empty lines", emptyLines, false, {"Spain"}, "Madrid FC"},
        {"64 MiB without a line end", [] { return std::string(64 * kMiB, 'x'); }, true, {}, ""},
        {"64 MiB header, nation last",
         [] { return "*" + std::string(64 * kMiB, 'x') + "Spain"; },
         false,
         {"Spain"},
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        startOver();
        openUntouched(row.bytes());
        if (row.refused) {
            expectRefused();
            continue;
        }
        expectLoaded(row.nations);
        EXPECT_FALSE(tool("tolFind")->isEnabled());
        if (row.nations.isEmpty())
            continue;
        EXPECT_TRUE(nation("Spain").UCL1 == row.firstClub);
        click(QStringLiteral("Spain"));
        EXPECT_EQ(box(QStringLiteral("txtUCL_0"))->text(), platform::decodeText(row.firstClub));
        EXPECT_FALSE(state().bUnsaved) << "showing a record is no edit";
    }
}

TEST_F(HostileFilesTest, TheChosenFileVanishingOrBecomingAFolderEndsTheLoad) {
    struct Case {
        const char* what;
        Step before;  // the step the change happens just before
        bool folder;
        QStringList left;
    };
    for (const Case& c : {
             Case{"gone before backup", Step::Copy, false, {}},
             Case{"folder before backup", Step::Copy, true, {}},
             // The backup is made before reading, and is all that is written.
             Case{"gone before read", Step::Read, false, {"gone before read/euro.cfg.bak"}},
             Case{"folder before read", Step::Read, true, {"folder before read/euro.cfg.bak"}},
         }) {
        SCOPED_TRACE(c.what);
        startOver();
        const QString path = write(QString::fromLatin1(c.what) + "/euro.cfg", kSpainItaly);
        fs.meddle = [&](Step step, const stdfs::path& file) {
            if (step != c.before)
                return;
            stdfs::remove(file);
            if (c.folder)
                stdfs::create_directory(file);
        };
        open(path);
        fs.meddle = nullptr;
        expectRefused();
        EXPECT_EQ(files(), c.left);
        if (!c.left.empty()) {
            EXPECT_EQ(read(scratch.filePath(c.left.front())), kSpainItaly);
        }
        EXPECT_EQ(QFileInfo(path).isDir(), c.folder);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(HostileFilesTest, ABackupCutShortEndsTheLoadAndLeavesNoPartOfIt) {
    const QString path = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
    fs.failAt = Step::Copy;
    fs.writeBudget = 5;
    open(path);
    fs.failAt = Step::None;
    expectRefused();
    EXPECT_EQ(files(), QStringList{"a/euro.cfg"});
    EXPECT_EQ(read(path), kSpainItaly);

    // The next open makes the whole backup.
    newWindow();
    open(path);
    expectLoaded({"Italy", "Spain"});
    EXPECT_EQ(read(path + ".bak"), kSpainItaly);
}

TEST_F(HostileFilesTest, SaveAsToAFolderOrIntoAMissingFolderWritesNothingAndGoesOn) {
    const QString path =
        openAndEdit(QStringLiteral("a/euro.cfg"), kSpainItaly, QStringLiteral("Spain"),
                    QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    const QString folder = scratch.filePath(QStringLiteral("folder.cfg"));
    QDir().mkpath(folder);
    const QStringList untouched{"a/euro.cfg", "a/euro.cfg.bak"};

    for (const QString& target : {folder, scratch.filePath(QStringLiteral("missing/euro.cfg"))}) {
        SCOPED_TRACE(target.toStdString());
        dialogs.messages.clear();
        saveAs(target);
        expectOnlyMessage(ui::texts::kSavingError);
        // Save goes on to the chosen path, and fails the same way.
        EXPECT_EQ(state().sCurrentFile, target);
        trigger("tolGuardar");
        EXPECT_EQ(dialogs.texts(),
                  (std::vector<QString>{ui::texts::kSavingError, ui::texts::kSavingError}));
        EXPECT_EQ(files(), untouched);
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath(QStringLiteral("missing"))));
    EXPECT_EQ(read(path), kSpainItaly);

    // The edit is still there and lands once the path is good.
    dialogs.messages.clear();
    const QString good = scratch.filePath(QStringLiteral("a/copy.cfg"));
    saveAs(good);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_NE(read(good).find("Madrid FC!\r\n"), std::string::npos);
}

TEST_F(HostileFilesTest, ASaveAsTargetTurningIntoAFolderFailsTheSave) {
    const QString path = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
    open(path);
    const QString target = scratch.filePath(QStringLiteral("a/new.cfg"));
    // The target becoming a folder at the last moment: the rename fails.
    dialogs.messages.clear();
    fs.meddle = [](Step step, const stdfs::path& file) {
        if (step == Step::Rename)
            stdfs::create_directory(file);
    };
    saveAs(target);
    fs.meddle = nullptr;
    expectOnlyMessage(ui::texts::kSavingError);
    EXPECT_EQ(files(), (QStringList{"a/euro.cfg", "a/euro.cfg.bak"}));
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(read(path), kSpainItaly);
}

}  // namespace
}  // namespace velquor::test
