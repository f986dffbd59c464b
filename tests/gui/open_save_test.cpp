// Opening and saving from the window: the bytes on disk, every way either
// can fail, and the questions that keep an edit from being lost.

#include <sys/stat.h>
#include <QCursor>
#include <QScopeGuard>
#include <chrono>
#include <filesystem>
#include <numeric>

#include "editor_fixture.h"
#include "platform/text_codec.h"

namespace velquor::test {
namespace {

namespace stdfs = std::filesystem;
using enum MessageAnswer;
using enum FailingFileSystem::Step;
using ::testing::HasSubstr;

const QString kAsk = ui::texts::kModifiedQuestion;
const QString kGap = "These nations have an empty place before a filled one";
const QString kFailed = ui::texts::kSavingError;
const QString kChanged = ui::texts::kChangedOnDisk.arg(QString());

using OpenSaveTest = EditorTest;

TEST_F(OpenSaveTest, OpenBacksUpSavesLandWhereTheyWereSentAndEditsAreAskedFor) {
    const QString path = openAndEdit("a/euro.cfg", kSpainItaly, "Italy", "txtUCL_0", " 1906");
    EXPECT_EQ(read(path + ".bak"), kSpainItaly);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Euro setup (euro.cfg)");
    trigger("tolSaveAs");  // cancelled
    const QString copy = write("b/euro.cfg", "old");
    saveAs(copy);
    EXPECT_EQ(read(copy),
              "\r\n*Italy\r\nTorino FC 1906\r\n\r\n*Spain\r\nMadrid FC\r\nSevilla United\r\n");
    type("txtUCL_0", "!");
    trigger("tolGuardar");
    EXPECT_THAT(read(copy), HasSubstr("Torino FC 1906!\r\n"));
    EXPECT_EQ(read(path), kSpainItaly);
    EXPECT_THAT(entries(), ElementsAre("a/euro.cfg", "a/euro.cfg.bak", "b/euro.cfg"));

    // Open and closing ask only after edits not saved yet.
    open(path);
    click("Spain");
    click("Italy");  // showing a nation is no edit
    open(path);
    window->close();
    EXPECT_THAT(dialogs.texts(), IsEmpty());
}

// A file the editor refuses, or one it cannot read, ends the run with the
// message, which tells what happened; odd files it can read load. Either way
// only the backup is written.
TEST_F(OpenSaveTest, EveryWayALoadCanFailShowsTheMessageWithItsCauseAndWritesNothing) {
    const std::vector<std::string> none, both{"euro.cfg", "euro.cfg.bak"}, backup{"euro.cfg.bak"};
    std::string everyByte(256, '\0');
    std::iota(everyByte.begin(), everyByte.end(), '\0');
    // What the details say, with the scratch folder as "~".
    const QString file = "~/euro.cfg: ", club = "~/euro.cfg:1: club line \"",
                  orphan = "\" comes before the first nation header",
                  bak = file + "cannot make the backup ~/euro.cfg.bak: ",
                  gone = "No such file or directory";
    const struct {
        const char* what;
        std::string bytes;      // empty: no file
        Step failAt, meddleAt;  // a read at failAt is refused, any other step finds the disk full;
        char becomes;  // just before meddleAt the file goes and a folder ('d') comes; 'p': a FIFO
        std::vector<std::string> left;
        QString why = {};  // the details; none: the file loads
    } rows[] = {
        // clang-format off
        {"orphan club line", "J\xF6rg\r\n*Spain\r\n", None, None, 0, both, club + "J\u00F6rg" + orphan},
        {"every byte: up to the CR, a club line with no nation", everyByte, None, None, 0, both,
         club + platform::decodeText(everyByte.substr(0, 13)) + orphan},
        {"64 MiB without a line end", std::string(64 << 20, 'x'), None, None, 0, both,
         club + QString(40, 'x') + "..." + orphan},
        {"backup on a full disk", kSpainItaly, Copy, None, 0, {"euro.cfg"},
         bak + "No space left on device"},
        {"unreadable", kSpainItaly, Read, None, 0, both, file + "cannot read: Permission denied"},
        {"missing file", "", None, None, 0, none, file + "cannot open: no such file"},
        {"a FIFO", "", None, None, 'p', none,
         file + "cannot open: it is a FIFO, not a regular file"},
        {"gone before backup", kSpainItaly, None, Copy, 0, none, bak + gone},
        {"folder before backup", kSpainItaly, None, Copy, 'd', none, bak + "Invalid argument"},
        {"gone before read", kSpainItaly, None, Read, 0, backup, file + "cannot read: " + gone},
        {"folder before read", kSpainItaly, None, Read, 'd', backup,
         file + "cannot read: it is not a regular file"},
        {"only a CR", "\r", None, None, 0, both},
        {"1 MiB and one CR", std::string((1 << 20) + 1, '\r'), None, None, 0, both},
        {"every byte under a header", "*Spain\r\n" + everyByte, None, None, 0, both},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QDir(scratch.path()).removeRecursively();
        newWindow();
        // Edits of an earlier file: a failed load never offers the partly read one.
        const QString good = openAndEdit("good/euro.cfg", kSpainItaly, "Spain", "txtUCL_0", "!");
        trigger("tolGuardar");
        const std::string saved = read(good);
        const QString path =
            row.bytes.empty() ? scratch.filePath("euro.cfg") : write("euro.cfg", row.bytes);
        if (row.becomes == 'p' && ::mkfifo(QFile::encodeName(path).constData(), 0644) != 0)
            ADD_FAILURE() << "no FIFO";
        bool busy = false;
        fs.meddle = [&](Step step, const stdfs::path& file) {
            const QCursor* pointer = QApplication::overrideCursor();
            busy = busy || (pointer && pointer->shape() == Qt::WaitCursor);
            if (step == row.meddleAt && stdfs::remove(file) && row.becomes == 'd')
                stdfs::create_directory(file);
        };
        fs.failAt = row.failAt;
        fs.writeBudget = 5;
        fs.error = row.failAt == Read ? EACCES : ENOSPC;
        dialogs.answers = {Yes, Yes};
        open(path);
        fs.failAt = None;
        fs.meddle = nullptr;
        EXPECT_EQ(window->isVisible(), row.why.isEmpty()) << "a failed load ends the run";
        if (row.why.isEmpty()) {
            EXPECT_THAT(dialogs.texts(), IsEmpty());
            EXPECT_FALSE(window->findChild<QWidget*>("pbar")->isVisible());
            EXPECT_FALSE(label("lblInfo")->isVisible());
        } else {
            expectOnlyMessage(ui::texts::kLoadingError);
            EXPECT_EQ(dialogs.messages[0].details.replace(scratch.path(), "~"), row.why);
        }
        std::vector<std::string> left = entries();  // but the earlier file's
        std::erase_if(left, [](const std::string& name) { return name.starts_with("good/"); });
        EXPECT_EQ(left, row.left);
        for (const std::string& file : row.left)
            EXPECT_TRUE(ScratchDir::read(dir_ / file) == row.bytes) << file;  // no 64 MiB shown
        EXPECT_EQ(read(good), saved);
        if (!row.bytes.empty()) {
            EXPECT_TRUE(busy) << "the busy pointer while the file is read";
        }
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    click("Spain");  // the CR ends the first club, and the byte after it is swallowed
    EXPECT_EQ(box("txtUCL_0")->text(), platform::decodeText(everyByte.substr(0, 13)));
    EXPECT_FALSE(state().bUnsaved) << "showing a record is no edit";
}

// A file named on the command line, relative to where the program started,
// opens as if chosen in the dialog (one that fails: CommandLineFileOpensAtStart).
TEST_F(OpenSaveTest, TheCommandLinesFileOpensAsOpenWould) {
    const QString good = sample(), started = QDir::currentPath();
    const auto back = qScopeGuard([&] { QDir::setCurrent(started); });
    QDir::setCurrent(QFileInfo(good).absolutePath());
    window->openFile("euro.cfg");
    EXPECT_EQ(tree()->topLevelItemCount(), static_cast<int>(kNationTable.size()));
    EXPECT_EQ(state().sCurrentFile, QFileInfo(good).absoluteFilePath());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OpenSaveTest, AFailedSaveTellsWhyAndKeepsEveryFileAsItWasAndTheEditForTheNextTry) {
    const QString path = openAndEdit("a/euro.cfg", kSpainItaly, "Spain", "txtUCL_0", "!");
    const QString full = "~/a/euro.cfg: cannot save: No space left on device";
    // A write at failAt finds the disk full; at Create it is refused, as in a read-only folder.
    const struct {
        Step failAt;
        QString target;   // empty: the Save tool
        QString why;      // the details, with the scratch folder as "~"
        char meddle = 0;  // 'r': the file is read-only; 'd': a folder takes the name at the rename
    } rows[] = {
        {Write, {}, full},  // Sync and Close: the core's tests
        {Rename, {}, full},
        {None, {}, "~/a/euro.cfg: cannot save: the file is read-only", 'r'},
        {Create, scratch.filePath("a/new.cfg"), "~/a/new.cfg: cannot save: Permission denied"},
        {None, scratch.filePath("a"), "~/a: cannot save: it is not a regular file"},
        {None, scratch.filePath("none/x.cfg"),
         "~/none/x.cfg: cannot save: No such file or directory"},
        {None, scratch.filePath("a/new.cfg"), "~/a/new.cfg: cannot save: Is a directory", 'd'}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why.toStdString());
        dialogs.messages.clear();
        fs.failAt = row.failAt;
        fs.writeBudget = 5;
        fs.error = row.failAt == Create ? EACCES : ENOSPC;
        if (row.meddle == 'd')
            fs.meddle = [](Step step, const stdfs::path& file) {
                if (step == Rename)
                    stdfs::create_directory(file);
            };
        QFile::setPermissions(
            path, row.meddle == 'r' ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
        row.target.isEmpty() ? trigger("tolGuardar") : saveAs(row.target);
        fs.failAt = None;
        fs.meddle = nullptr;
        expectOnlyMessage(kFailed);
        EXPECT_EQ(dialogs.messages[0].details.replace(scratch.path(), "~"), row.why);
        EXPECT_EQ(read(path), kSpainItaly);
        EXPECT_THAT(entries(), ElementsAre("a/euro.cfg", "a/euro.cfg.bak")) << "no temporary left";
        EXPECT_TRUE(window->isVisible());
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    dialogs.messages.clear();
    saveAs(path);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_THAT(read(path), HasSubstr("Madrid FC!\r\n"));
}

// What Open, a drop, closing or a save do with unsaved edits, by the answers they get.
struct AskCase {
    const char* name;
    char way;  // 'o' open, 'd' drop, 'q' close, 's' Save, 'a' Save as through a link to the
               // file, 'e' Save as elsewhere
    bool gap;  // Spain's first place emptied, a gap before its second; else "!" typed there
    std::vector<MessageAnswer> answers;
    Step failAt;
    bool goesOn;                    // the open, the close or the save happens
    const char* spainFile;          // Spain's clubs in the file afterwards
    std::vector<QString> messages;  // a part of each
    const char* theirs = nullptr;   // what another program wrote over the file after the edit
};

void PrintTo(const AskCase& c, std::ostream* out) {
    *out << c.name;
}

class AskBeforeLosingEdits : public EditorTest, public ::testing::WithParamInterface<AskCase> {};

TEST_P(AskBeforeLosingEdits, NoEditIsLostUnlessTheUserSaysSo) {
    const AskCase& c = GetParam();
    const QString path = write("a/euro.cfg", kSpainItaly);
    open(path);
    click("Spain");
    c.gap ? erase("txtUCL_0") : type("txtUCL_0", "!");
    const QString edited = box("txtUCL_0")->text();
    if (c.theirs) {  // an hour on: a new time, whether or not the bytes are new
        const stdfs::path file = write("a/euro.cfg", c.theirs).toStdString();
        stdfs::last_write_time(file, stdfs::last_write_time(file) + std::chrono::hours(1));
    }
    fs.failAt = c.failAt;
    dialogs.answers.assign(c.answers.begin(), c.answers.end());
    const QString other = write("b/euro.cfg", kPortugal), link = scratch.filePath("a/link.cfg");
    QFile::link(path, link);
    bool taken = true;
    if (c.way == 'd')
        taken = drop({other});
    else if (c.way == 'o')
        open(other);
    else if (c.way == 's')
        trigger("tolGuardar");
    else if (c.way == 'a' || c.way == 'e')
        saveAs(c.way == 'a' ? link : scratch.filePath("b/new.cfg"));
    else
        window->close();
    fs.failAt = None;
    EXPECT_TRUE(taken) << "a drop is taken before the question";
    ASSERT_EQ(dialogs.texts().size(), c.messages.size());
    for (std::size_t k = 0; k < c.messages.size(); ++k) {
        const platform::MessageRequest& asked = dialogs.messages[k];
        EXPECT_THAT(asked.text.toStdString(), HasSubstr(c.messages[k].toStdString()));
        using Shape = std::tuple<MessageButtons, MessageIcon, std::optional<MessageAnswer>>;
        const Shape shape(asked.buttons, asked.icon, asked.defaultAnswer);
        if (c.messages[k] == kAsk) {
            EXPECT_EQ(shape, Shape(MessageButtons::YesNoCancel, MessageIcon::None, {}));
        } else if (c.messages[k] == kChanged) {  // Cancel by default
            EXPECT_EQ(shape, Shape(MessageButtons::SaveCancel, MessageIcon::Warning, Cancel));
        }
        if (c.messages[k] == kGap) {  // the warning names the nation with the gap only
            EXPECT_EQ(shape, Shape(MessageButtons::SaveCancel, MessageIcon::Warning, {}));
            EXPECT_THAT(asked.text.toStdString(), HasSubstr(": Spain.\n"));
        }
    }
    EXPECT_THAT(read(path), HasSubstr(std::string("\r\n*Spain\r\n") + c.spainFile));
    EXPECT_EQ(window->isVisible(), !c.goesOn || c.way != 'q');
    if (!c.goesOn || c.way == 's' || c.way == 'a' || c.way == 'e') {
        EXPECT_EQ(state().bUnsaved, !c.goesOn);
    }
    if (c.goesOn && (c.way == 'o' || c.way == 'd')) {
        // A backup, and the next dialog starts in the new file's folder.
        EXPECT_EQ(nodeTexts(), QStringList{"Portugal"});
        EXPECT_EQ(read(other + ".bak"), kPortugal);
        trigger("tolAbrir");
        EXPECT_EQ(dialogs.fileRequests.back().directory, QFileInfo(other).absolutePath() + "/");
    } else if (!c.goesOn) {
        EXPECT_EQ(nodeTexts(), (QStringList{"Italy", "Spain"}));
        EXPECT_EQ(record("Spain").UCL1, edited.toStdString());
        EXPECT_EQ(QFileInfo(state().sCurrentFile).canonicalFilePath(),
                  QFileInfo(path).canonicalFilePath());
    }
}

const char* const kKept = "Madrid FC\r\nSevilla United\r\n";
const char* const kEdited = "Madrid FC!\r\nSevilla United\r\n";
const char* const kGapSaved = "Sevilla United\r\n";
const char* const kTheirFile = "\r\n*Spain\r\nBetis FC\r\n\r\n*Italy\r\nTorino FC\r\n";
const char* const kTheirs = "Betis FC\r\n";
const AskCase kAskCases[] = {
    // clang-format off
    {"OpenCancel", 'o', false, {Cancel}, None, false, kKept, {kAsk}},
    {"OpenNo", 'o', false, {No}, None, true, kKept, {kAsk}},
    {"OpenYes", 'o', false, {Yes}, None, true, kEdited, {kAsk}},
    {"OpenYesButTheSaveFails", 'o', false, {Yes}, Rename, false, kKept, {kAsk, kFailed}},
    {"OpenYesThenCancelAtTheWarning", 'o', true, {Yes, Cancel}, None, false, kKept, {kAsk, kGap}},
    {"OpenYesThenCancelOverTheirChange", 'o', false, {Yes, Cancel}, None, false, kTheirs, {kAsk, kChanged}, kTheirFile},
    {"DropCancel", 'd', false, {Cancel}, None, false, kKept, {kAsk}},
    {"DropYes", 'd', false, {Yes}, None, true, kEdited, {kAsk}},
    {"DropYesThenSaveOverTheirChange", 'd', false, {Yes, Save}, None, true, kEdited, {kAsk, kChanged}, kTheirFile},
    {"QuitYes", 'q', true, {Yes, Save}, None, true, kGapSaved, {kAsk, kGap}},
    {"QuitNo", 'q', true, {No}, None, true, kKept, {kAsk}},
    {"QuitCancel", 'q', true, {Cancel}, None, false, kKept, {kAsk}},
    {"QuitYesThenCancelAtTheWarning", 'q', true, {Yes, Cancel}, None, false, kKept, {kAsk, kGap}},
    {"QuitYesButTheSaveFails", 'q', true, {Yes, Save}, Rename, false, kKept, {kAsk, kGap, kFailed}},
    {"QuitYesThenCancelOverTheirChange", 'q', false, {Yes, Cancel}, None, false, kTheirs, {kAsk, kChanged}, kTheirFile},
    {"SaveCancelOverTheirChange", 's', false, {Cancel}, None, false, kTheirs, {kChanged}, kTheirFile},
    {"SaveOverTheirChange", 's', false, {Save}, None, true, kEdited, {kChanged}, kTheirFile},
    {"SaveOverTheSameBytesAtANewTime", 's', false, {}, None, true, kEdited, {}, kSpainItaly.c_str()},
    {"SaveAsThroughALinkCancelOverTheirChange", 'a', false, {Cancel}, None, false, kTheirs, {kChanged}, kTheirFile},
    {"SaveAsElsewhereLeavesTheirChange", 'e', false, {}, None, true, kTheirs, {}, kTheirFile},
    // clang-format on
};
INSTANTIATE_TEST_SUITE_P(Answers, AskBeforeLosingEdits, ::testing::ValuesIn(kAskCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Andorra has one place: its other 26 club lines go on save (the reader keeps
// 20 findings of a kind and counts the rest), and so does the block of
// Atlantis, which is no nation.
const std::string kDropping = "\r\n*Andorra\r\nVall\r\n" +
                              QByteArray("B\r\n").repeated(26).toStdString() + "*Atlantis\r\nX\r\n";

TEST_F(OpenSaveTest, TheFirstSaveOfAFileThatDropsLinesWarnsFirst) {
    const QString path = openAndEdit("game/euro.cfg", kDropping, "Andorra", "txtUEFA_0", "!");
    dialogs.answers = {Yes, Cancel};  // the quit question's Yes, the warning's Cancel
    window->close();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(read(path), kDropping);
    EXPECT_TRUE(window->isVisible());
    // The nation, the lines and a sample; the long list is in the details.
    const platform::MessageRequest& warning = dialogs.messages.back();
    EXPECT_EQ(warning.icon, MessageIcon::Warning);
    EXPECT_EQ(warning.buttons, MessageButtons::SaveCancel);
    EXPECT_THAT(
        warning.text.toStdString(),
        ::testing::AllOf(HasSubstr("Line 4: club line \"B\" is beyond Andorra's 1 place and is "
                                   "dropped on save"),
                         HasSubstr("And 22 more (see the details).")));
    EXPECT_THAT(warning.details.toStdString(), HasSubstr("Line 30: header \"*Atlantis\""));
    // Once answered Save it asks no more, until the file is opened again.
    dialogs.messages.clear();
    dialogs.answers = {Cancel, Save};
    saveAs(scratch.filePath("other.cfg"));  // the warning cancelled: nothing written
    trigger("tolGuardar");
    saveAs(scratch.filePath("other.cfg"));
    EXPECT_EQ(read(scratch.filePath("other.cfg")), "\r\n*Andorra\r\nVall!\r\n");
    const std::string five = "\r\n*Andorra\r\nVall\r\nB\r\nC\r\nD\r\nE\r\nF\r\n";
    open(write("game/euro.cfg", five));
    trigger("tolGuardar");  // answered OK, not Save: nothing written
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_FALSE(dialogs.messages.back().text.contains("more")) << "five are all named";
    EXPECT_EQ(read(path), five);
}

}  // namespace
}  // namespace velquor::test
