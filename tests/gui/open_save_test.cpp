// Opening and saving from the window, the failures on the way, and what
// the window does so that no edit is lost or lands in the wrong place.

#include <QDirIterator>
#include <QProgressBar>

#include "editor_fixture.h"
#include "model/liga.h"
#include "model/nation_catalogue.h"

namespace velquor::test {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using Step = FailingFileSystem::Step;

const std::string kPortugal = "\r\n*Portugal\r\nLisboa FC\r\n";
const std::string kOrphan = "Nobody's Club\r\n*Spain\r\nMadrid FC\r\n";

using OpenSaveTest = EditorTest;

TEST_F(OpenSaveTest, OpenMakesOneBackupPerFolderThatKeepsTheFirstFile) {
    const QString first = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
    open(first);
    EXPECT_EQ(read(scratch.filePath(QStringLiteral("a/euro.cfg.bak"))), kSpainItaly);

    click(QStringLiteral("Spain"));
    type(QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    trigger("tolGuardar");
    open(first);
    EXPECT_EQ(read(scratch.filePath(QStringLiteral("a/euro.cfg.bak"))), kSpainItaly);

    // Another file in the same folder finds the backup there already.
    open(write(QStringLiteral("a/other.cfg"), kPortugal));
    EXPECT_EQ(read(scratch.filePath(QStringLiteral("a/euro.cfg.bak"))), kSpainItaly);

    open(write(QStringLiteral("b/euro.cfg"), kPortugal));
    EXPECT_EQ(read(scratch.filePath(QStringLiteral("b/euro.cfg.bak"))), kPortugal);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OpenSaveTest, EveryWayALoadCanFailEndsTheSameWay) {
    struct Case {
        const char* what;
        Step step;
        bool exists;
    };
    for (const Case& c : {Case{"backup", Step::Copy, true}, Case{"read", Step::Read, true},
                          Case{"missing file", Step::None, false}}) {
        SCOPED_TRACE(c.what);
        dialogs.messages.clear();
        window = std::make_unique<ui::frmEditor>(platform, fs);
        window->show();
        const QString path = scratch.filePath(QString::fromLatin1(c.what) + "/euro.cfg");
        if (c.exists)
            write(QString::fromLatin1(c.what) + "/euro.cfg", kSpainItaly);
        fs.failAt = c.step;
        open(path);
        fs.failAt = Step::None;
        expectOnlyMessage(ui::texts::kLoadingError);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(read(path), c.exists ? kSpainItaly : "<missing>");
    }
}

TEST_F(OpenSaveTest, AFailedLoadAfterEditsNeverOffersToSaveThePartlyReadFile) {
    const QString good = write(QStringLiteral("good/euro.cfg"), kSpainItaly);
    open(good);
    click(QStringLiteral("Spain"));
    type(QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    trigger("tolGuardar");
    const std::string saved = read(good);

    const QString bad = write(QStringLiteral("bad/euro.cfg"), kOrphan);
    dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    open(bad);
    expectOnlyMessage(ui::texts::kLoadingError);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(read(bad), kOrphan);
    EXPECT_EQ(read(good), saved);
}

TEST_F(OpenSaveTest, ASuccessfulOpenClearsThePanelSoNoEditLandsElsewhere) {
    open(write(QStringLiteral("a/euro.cfg"), kSpainItaly));
    click(QStringLiteral("Spain"));
    open(write(QStringLiteral("b/euro.cfg"), kSpainItaly));
    EXPECT_EQ(label(QStringLiteral("lblLiga"))->text(), QStringLiteral("Current league:"));
    EXPECT_TRUE(state().sCurrentKey.empty());
    for (QLineEdit* b : window->findChildren<QLineEdit*>()) {
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_FALSE(b->isEnabled());
    }
    EXPECT_EQ(findNation(*window->catalogue(), "Italy")->UCL1, "Torino FC");
    EXPECT_FALSE(state().bModified);
}

TEST_F(OpenSaveTest, OpenAsksBeforeDiscardingUnsavedEdits) {
    const QString path = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
    const QString other = write(QStringLiteral("b/euro.cfg"), kPortugal);
    open(path);
    click(QStringLiteral("Spain"));
    type(QStringLiteral("txtUCL_0"), QStringLiteral("!"));

    // Cancel: nothing changes, no dialog opens.
    dialogs.answers.push_back(MessageAnswer::Cancel);
    open(other);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, ui::texts::kModifiedQuestion);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(nodeTexts(), (QStringList{"Italy", "Spain"}));
    EXPECT_EQ(box(QStringLiteral("txtUCL_0"))->text(), QStringLiteral("Madrid FC!"));
    dialogs.openPaths.clear();

    // Yes: saved to the current file, then the other one opens.
    dialogs.answers.push_back(MessageAnswer::Yes);
    open(other);
    EXPECT_NE(read(path).find("Madrid FC!\r\n"), std::string::npos);
    EXPECT_EQ(nodeTexts(), QStringList{"Portugal"});

    // Nothing edited since that open: no question.
    open(path);
    EXPECT_EQ(dialogs.messages.size(), 2u);

    // No: the edit is dropped.
    click(QStringLiteral("Italy"));
    type(QStringLiteral("txtUCL_0"), QStringLiteral("?"));
    dialogs.answers.push_back(MessageAnswer::No);
    open(other);
    EXPECT_EQ(read(path).find('?'), std::string::npos);
    EXPECT_EQ(nodeTexts(), QStringList{"Portugal"});
}

TEST_F(OpenSaveTest, ASaveBeforeOpenThatFailsOrIsCancelledKeepsTheEditsAndTheFile) {
    // A failed write, or the empty-place warning cancelled: either way the open stops.
    for (const bool gap : {false, true}) {
        SCOPED_TRACE(gap ? "gap warning cancelled" : "write failed");
        dialogs.messages.clear();
        dialogs.fileRequests.clear();
        dialogs.openPaths.clear();  // the stopped open left its path unasked
        window = std::make_unique<ui::frmEditor>(platform, fs);
        window->show();
        const QString path = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
        open(path);
        click(QStringLiteral("Spain"));
        gap ? erase(QStringLiteral("txtUCL_0"))
            : type(QStringLiteral("txtUCL_0"), QStringLiteral("!"));
        const QString edited = box(QStringLiteral("txtUCL_0"))->text();
        fs.failAt = gap ? Step::None : Step::Rename;
        dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Cancel};
        open(write(QStringLiteral("b/euro.cfg"), kPortugal));
        fs.failAt = Step::None;
        ASSERT_EQ(dialogs.messages.size(), 2u);
        EXPECT_EQ(dialogs.messages[0].text, ui::texts::kModifiedQuestion);
        EXPECT_EQ(dialogs.messages[1].buttons,
                  gap ? MessageButtons::SaveCancel : MessageButtons::Ok);
        EXPECT_EQ(dialogs.fileRequests.size(), 1u) << "the open stops";
        EXPECT_EQ(read(path), kSpainItaly);
        EXPECT_EQ(nodeTexts(), (QStringList{"Italy", "Spain"}));
        EXPECT_EQ(box(QStringLiteral("txtUCL_0"))->text(), edited);
    }
}

TEST_F(OpenSaveTest, AFailedSaveKeepsTheFileAndTheProgramGoesOn) {
    const QString path =
        openAndEdit(QStringLiteral("a/euro.cfg"), kSpainItaly, QStringLiteral("Spain"),
                    QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    for (Step step : {Step::Create, Step::Write, Step::Sync, Step::Close, Step::Rename}) {
        dialogs.messages.clear();
        fs.failAt = step;
        fs.writeBudget = 5;
        trigger("tolGuardar");
        expectOnlyMessage(ui::texts::kSavingError);
        EXPECT_EQ(read(path), kSpainItaly);
        EXPECT_EQ(files(), (QStringList{"a/euro.cfg", "a/euro.cfg.bak"})) << "no temporary left";
    }
    fs.failAt = Step::None;
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(findNation(*window->catalogue(), "Spain")->UCL1, "Madrid FC!");
    dialogs.messages.clear();
    trigger("tolGuardar");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_NE(read(path).find("Madrid FC!\r\n"), std::string::npos);
}

TEST_F(OpenSaveTest, SaveAsThenSaveWriteToTheNewFileOnly) {
    const QString path =
        openAndEdit(QStringLiteral("a/euro.cfg"), kSpainItaly, QStringLiteral("Italy"),
                    QStringLiteral("txtUCL_0"), QStringLiteral(" 1906"));
    const QString copy = scratch.filePath(QStringLiteral("b/euro.cfg"));
    QDir().mkpath(QFileInfo(copy).absolutePath());
    saveAs(copy);
    EXPECT_EQ(read(copy),
              "\r\n*Italy\r\nTorino FC 1906\r\n\r\n*Spain\r\nMadrid FC\r\n"
              "Sevilla United\r\n");
    EXPECT_EQ(read(path), kSpainItaly);
    EXPECT_EQ(state().sCurrentFile, copy);
    EXPECT_FALSE(QFile::exists(scratch.filePath(QStringLiteral("b/euro.cfg.bak"))))
        << "saving makes no backup";

    type(QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    trigger("tolGuardar");
    EXPECT_NE(read(copy).find("Torino FC 1906!\r\n"), std::string::npos);
    EXPECT_EQ(read(path), kSpainItaly);
}

TEST_F(OpenSaveTest, CancellingSaveAsWritesNothing) {
    const QString path =
        openAndEdit(QStringLiteral("a/euro.cfg"), kSpainItaly, QStringLiteral("Spain"),
                    QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    trigger("tolSaveAs");
    EXPECT_EQ(state().sCurrentFile, path);
    EXPECT_EQ(read(path), kSpainItaly);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OpenSaveTest, AGapBeforeAFilledPlaceIsShownBeforeWriting) {
    const QString path = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
    open(path);
    click(QStringLiteral("Spain"));
    erase(QStringLiteral("txtUCL_0"));

    dialogs.answers.push_back(MessageAnswer::Cancel);
    trigger("tolGuardar");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::SaveCancel);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Spain")));
    EXPECT_FALSE(dialogs.messages[0].text.contains(QStringLiteral("Italy")));
    EXPECT_EQ(read(path), kSpainItaly);

    dialogs.answers.push_back(MessageAnswer::Save);
    trigger("tolGuardar");
    EXPECT_EQ(read(path), "\r\n*Italy\r\nTorino FC\r\n\r\n*Spain\r\nSevilla United\r\n");
}

TEST_F(OpenSaveTest, OpenAndSaveKeepEveryClubAndASecondSaveChangesNothing) {
    const QString path = sample();
    const std::string original = read(path);
    open(path);
    trigger("tolGuardar");
    const std::string first = read(path);
    EXPECT_EQ(first.size(), original.size()) << "the same lines, in catalogue order";
    open(path);
    trigger("tolGuardar");
    EXPECT_EQ(read(path), first);
    EXPECT_EQ(read(scratch.filePath(QStringLiteral("game/euro.cfg.bak"))), original);
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace velquor::test
