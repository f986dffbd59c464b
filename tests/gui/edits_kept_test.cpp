// No edit is lost to another program, a second window or a crash.

#include <QProcess>
#include <csignal>

#include "editor_fixture.h"

namespace velquor::test {
namespace {

using enum MessageAnswer;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;
namespace texts = ui::texts;

const std::string kTheirFile = "\r\n*Spain\r\nBetis FC\r\n\r\n*Italy\r\nTorino FC\r\n";

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

using EditsKept = EditorTest;

TEST_F(EditsKept, OnReturnTheWindowAsksOnceForEachNewVersionOfTheFile) {
    const struct {
        const char* what;
        bool edit;                  // "!" typed after Spain's first club
        const std::string* theirs;  // what another program left in the file; null: deleted it
        MessageAnswer answer;
        QString asked;  // empty: nothing
        MessageAnswer preferred;
        const char* spain;  // Spain's first club in the window afterwards
        bool unsaved;
    } rows[] = {
        {"no edits: Yes reloads", false, &kTheirFile, Yes, texts::kReload, Yes, "Betis FC", false},
        {"no edits: No keeps", false, &kTheirFile, No, texts::kReload, Yes, "Madrid FC", false},
        {"edits: No keeps them", true, &kTheirFile, No, texts::kReloadLosingEdits, No, "Madrid FC!",
         true},
        {"edits: Yes drops them", true, &kTheirFile, Yes, texts::kReloadLosingEdits, No, "Betis FC",
         false},
        {"the same bytes at a new time", true, &kSpainItaly, Yes, {}, Yes, "Madrid FC!", true},
        {"deleted: kept, unsaved", false, nullptr, Ok, texts::kGone, Ok, "Madrid FC", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        newWindow();
        const QString path = write("a/euro.cfg", kSpainItaly);
        open(path);
        click("Spain");
        if (row.edit)
            type("txtUCL_0", "!");
        row.theirs ? (void)write("a/euro.cfg", *row.theirs) : (void)QFile::remove(path);
        dialogs.answers = {row.answer};
        comeBack();
        comeBack();  // the same version again: nothing more
        ASSERT_EQ(dialogs.messages.size(), row.asked.isEmpty() ? 0u : 1u);
        if (!row.asked.isEmpty()) {
            EXPECT_EQ(dialogs.texts()[0], row.asked.arg(native(path)));
            EXPECT_EQ(dialogs.messages[0].defaultAnswer, row.preferred);
        }
        EXPECT_EQ(record("Spain").UCL1, row.spain);
        EXPECT_EQ(state().bUnsaved, row.unsaved);
    }
    // Its own save is no news; a change while a dialog of its own is open
    // waits for the next return.
    newWindow();
    const QString path = openAndEdit("b/euro.cfg", kSpainItaly, "Spain", "txtUCL_0", "?");
    trigger("tolGuardar");
    comeBack();
    dialogs.script.push_back([&](QDialog& about) {
        write("b/euro.cfg", kTheirFile);
        comeBack();
        QTest::keyClick(&about, Qt::Key_Escape);
    });
    trigger("tolAbout");
    EXPECT_THAT(dialogs.texts(), IsEmpty());
    comeBack();
    EXPECT_EQ(dialogs.texts(), std::vector<QString>{texts::kReload.arg(native(path))});
}

// The test run again as a child that edits and then dies as kill -9 ends it.
TEST_F(EditsKept, EditsOfAVelquorThatDiedAreOfferedBackAtTheNextOpen) {
    if (const QString file = qEnvironmentVariable("VELQUOR_DIE_EDITING"); !file.isEmpty()) {
        qputenv("XDG_DATA_HOME", qgetenv("VELQUOR_DIE_DATA"));
        open(file);
        click("Spain");
        erase("txtUCL_0");  // a gap before Sevilla United
        click("Italy");
        type("txtUCL_0", " 1906");
        if (QTest::qWaitFor([] { return records().size() == 1; }, 2000))
            std::raise(SIGKILL);
        FAIL() << "no record two seconds after the edit";
    }
    const QString path = write("a/euro.cfg", kSpainItaly);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VELQUOR_DIE_EDITING", path);
    environment.insert("VELQUOR_DIE_DATA", data.path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QString("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAll().toStdString();
    EXPECT_EQ(read(path), kSpainItaly);

    dialogs.answers = {Recover};
    open(path);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const std::string asked = dialogs.texts()[0].toStdString();
    EXPECT_THAT(
        asked,
        StartsWith(
            ("Velquor closed without saving your edits to " + native(path) + " (").toStdString()));
    EXPECT_THAT(asked, EndsWith("). Recover them?")) << "the file has not changed since";
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::RecoverDiscard);
    EXPECT_EQ(dialogs.messages[0].defaultAnswer, Recover);
    click("Spain");
    EXPECT_EQ(box("txtUCL_0")->text(), "");
    EXPECT_EQ(box("txtUCL_1")->text(), "Sevilla United");
    click("Italy");
    EXPECT_EQ(box("txtUCL_0")->text(), "Torino FC 1906");
    EXPECT_TRUE(state().bUnsaved);
    EXPECT_TRUE(state().bModified) << "as any edit does";
    EXPECT_EQ(read(path), kSpainItaly) << "untouched until saved";

    // This window goes as a crash would, and the file changes: Discard.
    write("a/euro.cfg", kTheirFile);
    newWindow();
    dialogs.answers = {Discard};
    open(path);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_THAT(dialogs.texts()[0].toStdString(), HasSubstr(texts::kChangedSince.toStdString()));
    EXPECT_EQ(record("Spain").UCL1, "Betis FC");
    EXPECT_FALSE(state().bUnsaved);
    EXPECT_THAT(records(), IsEmpty());

    // A record within two seconds of an edit; it goes with a save, and with No on closing.
    for (const MessageAnswer atClose : {Yes, No}) {
        click("Spain");
        type("txtUCL_0", "!");
        EXPECT_TRUE(QTest::qWaitFor([] { return records().size() == 1; }, 2000));
        dialogs.answers = {atClose};
        atClose == Yes ? trigger("tolGuardar") : (void)window->close();
        EXPECT_THAT(records(), IsEmpty());
    }
}

TEST_F(EditsKept, ASecondWindowAsksAndNeitherOverwritesTheOtherSilently) {
    const QString path = openAndEdit("a/euro.cfg", kSpainItaly, "Spain", "txtUCL_0", "!");
    ui::frmEditor second(platform, fs);
    const auto openInSecond = [&](MessageAnswer answer) {
        dialogs.answers = {answer};
        dialogs.openPaths = {path};
        second.findChild<QAction*>("tolAbrir")->trigger();
    };
    openInSecond(No);
    EXPECT_EQ(dialogs.texts(), std::vector<QString>{texts::kOpenElsewhere.arg(native(path))});
    EXPECT_EQ(dialogs.messages[0].defaultAnswer, No);
    EXPECT_EQ(second.catalogue(), nullptr);
    openInSecond(Yes);
    second.findChild<QAction*>("tolGuardar")->trigger();  // blocks in catalogue order now
    const std::string theirs = read(path);
    dialogs.messages.clear();
    dialogs.answers = {Cancel};
    trigger("tolGuardar");
    EXPECT_EQ(dialogs.texts(), std::vector<QString>{texts::kChangedOnDisk.arg(native(path))});
    EXPECT_EQ(read(path), theirs);
}

TEST_F(EditsKept, AnUnwritableDataFolderNeitherBlocksOpeningNorSaving) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(write("data", "a file") + "/below"));
    const QString path = openAndEdit("a/euro.cfg", kSpainItaly, "Spain", "txtUCL_0", "!");
    ui::frmEditor second(platform, fs);  // nothing tells it of the first
    dialogs.openPaths = {path};
    second.findChild<QAction*>("tolAbrir")->trigger();
    trigger("tolGuardar");
    window->close();
    EXPECT_THAT(dialogs.texts(), IsEmpty());
    EXPECT_THAT(read(path), HasSubstr("Madrid FC!"));
    EXPECT_NE(second.catalogue(), nullptr);
}

}  // namespace
}  // namespace velquor::test
