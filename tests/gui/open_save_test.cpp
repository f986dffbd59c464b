// Opening and saving from the window: the bytes on disk, every way either
// can fail, and the questions that keep an edit from being lost.

#include <QCursor>
#include <filesystem>
#include <functional>

#include "editor_fixture.h"

namespace velquor::test {
namespace {

namespace stdfs = std::filesystem;
using enum MessageAnswer;

const QString kAsk = ui::texts::kModifiedQuestion;
const QString kGap = QStringLiteral("These nations have an empty place before a filled one");
const QString kFailed = ui::texts::kSavingError;
const std::string kGapSaved = "\r\n*Italy\r\nTorino FC\r\n\r\n*Spain\r\nSevilla United\r\n";

using OpenSaveTest = EditorTest;

TEST_F(OpenSaveTest, OpenBacksUpTheFileAndSavesLandWhereTheyWereSent) {
    const QString path =
        openAndEdit(QStringLiteral("a/euro.cfg"), kSpainItaly, QStringLiteral("Italy"),
                    QStringLiteral("txtUCL_0"), QStringLiteral(" 1906"));
    EXPECT_EQ(read(path + ".bak"), kSpainItaly);
    trigger("tolSaveAs");  // cancelled
    EXPECT_EQ(state().sCurrentFile, path);
    const QString copy = write(QStringLiteral("b/euro.cfg"), "old");
    saveAs(copy);
    EXPECT_EQ(read(copy),
              "\r\n*Italy\r\nTorino FC 1906\r\n\r\n*Spain\r\nMadrid FC\r\n"
              "Sevilla United\r\n");
    type(QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    trigger("tolGuardar");
    EXPECT_NE(read(copy).find("Torino FC 1906!\r\n"), std::string::npos);
    EXPECT_EQ(read(path), kSpainItaly);
    EXPECT_EQ(files(), (QStringList{"a/euro.cfg", "a/euro.cfg.bak", "b/euro.cfg"}));

    // The sample keeps every club, and a second save changes nothing.
    const QString game = sample();
    const std::string original = read(game);
    open(game);
    trigger("tolGuardar");
    const std::string first = read(game);
    EXPECT_EQ(first.size(), original.size());
    open(game);
    trigger("tolGuardar");
    EXPECT_EQ(read(game), first);
    EXPECT_EQ(read(game + ".bak"), original);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OpenSaveTest, EveryWayALoadCanFailShowsTheMessageClosesAndWritesNothing) {
    const struct {
        const char* what;
        std::string bytes;  // empty: no file
        Step failAt;
        Step meddleAt;  // the file vanishes just before this step...
        bool folder;    // ...and a folder takes its place
        QStringList left;
    } rows[] = {
        {"orphan club line",
         "Nobody's Club\r\n*Spain\r\n",
         Step::None,
         Step::None,
         false,
         {"bad/euro.cfg", "bad/euro.cfg.bak"}},
        {"backup cut short", kSpainItaly, Step::Copy, Step::None, false, {"bad/euro.cfg"}},
        {"read fails",
         kSpainItaly,
         Step::Read,
         Step::None,
         false,
         {"bad/euro.cfg", "bad/euro.cfg.bak"}},
        {"missing file", "", Step::None, Step::None, false, {}},
        {"gone before backup", kSpainItaly, Step::None, Step::Copy, false, {}},
        {"folder before backup", kSpainItaly, Step::None, Step::Copy, true, {}},
        {"gone before read", kSpainItaly, Step::None, Step::Read, false, {"bad/euro.cfg.bak"}},
        {"folder before read", kSpainItaly, Step::None, Step::Read, true, {"bad/euro.cfg.bak"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QDir(scratch.path()).removeRecursively();
        newWindow();
        // Edits of an earlier file: a failed load never offers the partly read one.
        const QString good =
            openAndEdit(QStringLiteral("good/euro.cfg"), kSpainItaly, QStringLiteral("Spain"),
                        QStringLiteral("txtUCL_0"), QStringLiteral("!"));
        trigger("tolGuardar");
        const std::string saved = read(good);
        const QString path = scratch.filePath(QStringLiteral("bad/euro.cfg"));
        QDir().mkpath(scratch.filePath(QStringLiteral("bad")));
        if (!row.bytes.empty())
            write(QStringLiteral("bad/euro.cfg"), row.bytes);
        bool busy = false;
        fs.meddle = [&](Step step, const stdfs::path& file) {
            const QCursor* pointer = QApplication::overrideCursor();
            busy = busy || (pointer && pointer->shape() == Qt::WaitCursor);
            if (step != row.meddleAt)
                return;
            stdfs::remove(file);
            if (row.folder)
                stdfs::create_directory(file);
        };
        fs.failAt = row.failAt;
        fs.writeBudget = 5;
        dialogs.answers = {Yes, Yes};
        open(path);
        fs.failAt = Step::None;
        fs.meddle = nullptr;
        expectOnlyMessage(ui::texts::kLoadingError);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(files().filter(QStringLiteral("bad/")), row.left);
        for (const QString& file : row.left)
            EXPECT_EQ(read(scratch.filePath(file)), row.bytes) << file.toStdString();
        EXPECT_EQ(read(good), saved);
        EXPECT_TRUE(busy || row.bytes.empty()) << "the busy pointer while the file is read";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(OpenSaveTest, AFailedSaveKeepsEveryFileAsItWasAndTheEditForTheNextTry) {
    const QString path =
        openAndEdit(QStringLiteral("a/euro.cfg"), kSpainItaly, QStringLiteral("Spain"),
                    QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    const QString folder = scratch.filePath(QStringLiteral("folder.cfg"));
    QDir().mkpath(folder);
    const struct {
        Step failAt;
        QString target;  // empty: the Save tool
        bool folderAtRename = false;
    } rows[] = {
        {Step::Create, {}},
        {Step::Write, {}},
        {Step::Sync, {}},
        {Step::Close, {}},
        {Step::Rename, {}},
        {Step::None, folder},
        {Step::None, scratch.filePath(QStringLiteral("missing/euro.cfg"))},
        {Step::None, scratch.filePath(QStringLiteral("a/new.cfg")), true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.target.toStdString() + std::to_string(static_cast<int>(row.failAt)));
        dialogs.messages.clear();
        fs.failAt = row.failAt;
        fs.writeBudget = 5;
        if (row.folderAtRename)
            fs.meddle = [](Step step, const stdfs::path& file) {
                if (step == Step::Rename)
                    stdfs::create_directory(file);
            };
        row.target.isEmpty() ? trigger("tolGuardar") : saveAs(row.target);
        fs.failAt = Step::None;
        fs.meddle = nullptr;
        expectOnlyMessage(kFailed);
        EXPECT_EQ(read(path), kSpainItaly);
        EXPECT_EQ(files(), (QStringList{"a/euro.cfg", "a/euro.cfg.bak"})) << "no temporary left";
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_EQ(record("Spain").UCL1, "Madrid FC!");
    dialogs.messages.clear();
    saveAs(path);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_NE(read(path).find("Madrid FC!\r\n"), std::string::npos);
}

// What Open (or a drop) does with unsaved edits, by the answers it gets.
struct OpenCase {
    const char* name;
    const char* edit;  // typed at the end of Spain's first box; empty: the box emptied
    std::vector<MessageAnswer> answers;
    Step failAt;
    bool dropped;
    bool opens;
    const char* savedClub;  // Spain's first club in the file afterwards
    std::vector<QString> messages;
};

class OpenQuestionTest : public EditorTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenQuestionTest, NoEditIsLostUnlessTheUserSaysSo) {
    const OpenCase& c = GetParam();
    const QString path = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
    open(path);
    click(QStringLiteral("Spain"));
    *c.edit ? type(QStringLiteral("txtUCL_0"), QString::fromLatin1(c.edit))
            : erase(QStringLiteral("txtUCL_0"));
    const QString edited = box(QStringLiteral("txtUCL_0"))->text();
    fs.failAt = c.failAt;
    dialogs.answers.assign(c.answers.begin(), c.answers.end());
    const QString other = write(QStringLiteral("b/euro.cfg"), kPortugal);
    c.dropped ? (void)drop({other}) : open(other);
    fs.failAt = Step::None;

    EXPECT_EQ(dialogs.fileRequests.size(), c.opens && !c.dropped ? 2u : 1u);
    ASSERT_EQ(dialogs.texts().size(), c.messages.size());
    for (std::size_t k = 0; k < c.messages.size(); ++k)
        EXPECT_TRUE(dialogs.texts()[k].startsWith(c.messages[k])) << k;
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_NE(read(path).find(std::string("\r\n*Spain\r\n") + c.savedClub), std::string::npos);
    if (c.opens) {
        EXPECT_EQ(nodeTexts(), QStringList{"Portugal"});
        EXPECT_EQ(state().sCurrentFile, other);
    } else {
        EXPECT_EQ(nodeTexts(), (QStringList{"Italy", "Spain"}));
        EXPECT_EQ(box(QStringLiteral("txtUCL_0"))->text(), edited);
        EXPECT_EQ(state().sCurrentFile, path);
    }
}

const OpenCase kOpenCases[] = {
    {"Cancel", "!", {Cancel}, Step::None, false, false, "Madrid FC\r\n", {kAsk}},
    {"No", "!", {No}, Step::None, false, true, "Madrid FC\r\n", {kAsk}},
    {"Yes", "!", {Yes}, Step::None, false, true, "Madrid FC!\r\n", {kAsk}},
    {"YesButTheSaveFails",
     "!",
     {Yes},
     Step::Rename,
     false,
     false,
     "Madrid FC\r\n",
     {kAsk, kFailed}},
    {"YesThenCancelAtTheWarning",
     "",
     {Yes, Cancel},
     Step::None,
     false,
     false,
     "Madrid FC\r\n",
     {kAsk, kGap}},
    {"DropCancelled", "!", {Cancel}, Step::None, true, false, "Madrid FC\r\n", {kAsk}},
    {"DropYes", "!", {Yes}, Step::None, true, true, "Madrid FC!\r\n", {kAsk}},
};
INSTANTIATE_TEST_SUITE_P(Answers, OpenQuestionTest, ::testing::ValuesIn(kOpenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenSaveTest, OpenAsksNothingWithoutEditsSinceTheLastOpenOrSave) {
    const QString path = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
    open(path);
    click(QStringLiteral("Spain"));
    type(QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    trigger("tolGuardar");
    open(path);
    open(path);
    EXPECT_TRUE(dialogs.messages.empty());
}

struct QuitCase {
    const char* name;
    bool savedFirst;  // the edit saved before closing: it asks all the same
    std::vector<MessageAnswer> answers;
    Step failAt;
    bool staysOpen;
    std::string fileAfter;
    std::vector<QString> messages;
};

class QuitQuestionTest : public EditorTest, public ::testing::WithParamInterface<QuitCase> {};

TEST_P(QuitQuestionTest, ClosesOnlyWhenTheEditsAreSavedOrGivenUp) {
    const QuitCase& c = GetParam();
    const QString path = write(QStringLiteral("q/euro.cfg"), kSpainItaly);
    open(path);
    click(QStringLiteral("Spain"));
    erase(QStringLiteral("txtUCL_0"));  // an empty place before a filled one
    if (c.savedFirst) {
        dialogs.answers = {Save};
        trigger("tolGuardar");
        dialogs.messages.clear();
    }
    fs.failAt = c.failAt;
    dialogs.answers.assign(c.answers.begin(), c.answers.end());
    window->close();

    EXPECT_EQ(window->isVisible(), c.staysOpen);
    EXPECT_EQ(read(path), c.fileAfter);
    ASSERT_EQ(dialogs.texts().size(), c.messages.size());
    for (std::size_t k = 0; k < c.messages.size(); ++k)
        EXPECT_TRUE(dialogs.texts()[k].startsWith(c.messages[k])) << k;
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_TRUE(dialogs.messages[0].title.isEmpty());
    if (c.messages.size() > 1) {  // the gap warning names the nation with the gap only
        EXPECT_EQ(dialogs.messages[1].buttons, MessageButtons::SaveCancel);
        EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Warning);
        EXPECT_TRUE(dialogs.texts()[1].contains(QStringLiteral(": Spain.")));
    }
    if (c.staysOpen) {
        EXPECT_EQ(record("Spain").UCL1, "");
        EXPECT_EQ(record("Spain").UCL2, "Sevilla United");
        EXPECT_TRUE(box(QStringLiteral("txtUCL_0"))->isEnabled());
    }
}

const QuitCase kQuitCases[] = {
    {"YesSaves", false, {Yes, Save}, Step::None, false, kGapSaved, {kAsk, kGap}},
    {"NoDropsTheEdits", false, {No}, Step::None, false, kSpainItaly, {kAsk}},
    {"CancelKeepsEverything", false, {Cancel}, Step::None, true, kSpainItaly, {kAsk}},
    {"YesThenCancelAtTheWarning",
     false,
     {Yes, Cancel},
     Step::None,
     true,
     kSpainItaly,
     {kAsk, kGap}},
    {"YesButTheSaveFails",
     false,
     {Yes, Save},
     Step::Rename,
     true,
     kSpainItaly,
     {kAsk, kGap, kFailed}},
    {"AskedEvenAfterASave", true, {No}, Step::None, false, kGapSaved, {kAsk}},
};
INSTANTIATE_TEST_SUITE_P(Answers, QuitQuestionTest, ::testing::ValuesIn(kQuitCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Andorra has one place: its other six club lines go on save, and so does
// the block of Atlantis, which is no nation.
const std::string kDropping =
    "\r\n*Andorra\r\nVall\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\n*Atlantis\r\nNobody\r\n";

TEST_F(OpenSaveTest, TheFirstSaveOfAFileThatDropsLinesWarnsOnEveryWayOut) {
    const QString other = scratch.filePath(QStringLiteral("other.cfg"));
    const struct {
        const char* what;
        std::function<void()> save;
        std::vector<MessageAnswer> answers;  // up to the warning's Cancel
    } ways[] = {
        {"save", [&] { trigger("tolGuardar"); }, {Cancel}},
        {"save as", [&] { saveAs(other); }, {Cancel}},
        {"close", [&] { window->close(); }, {Yes, Cancel}},
    };
    QString path;
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        newWindow();
        path = openAndEdit(QStringLiteral("game/euro.cfg"), kDropping, QStringLiteral("Andorra"),
                           QStringLiteral("txtUEFA_0"), QStringLiteral("!"));
        dialogs.answers.assign(way.answers.begin(), way.answers.end());
        way.save();
        ASSERT_EQ(dialogs.messages.size(), way.answers.size());
        const platform::MessageRequest& warning = dialogs.messages.back();
        EXPECT_EQ(warning.icon, MessageIcon::Warning);
        EXPECT_EQ(warning.buttons, MessageButtons::SaveCancel);
        // The nation, the lines and a sample; the long list is in the details.
        EXPECT_TRUE(warning.text.contains(QStringLiteral(
            "Line 4: club line \"B\" is beyond Andorra's 1 place and is dropped on save")));
        EXPECT_TRUE(warning.text.contains(QStringLiteral("And 2 more (see the details).")));
        EXPECT_TRUE(warning.details.contains(QStringLiteral("Line 10: header \"*Atlantis\"")));
        EXPECT_EQ(read(path), kDropping);
        EXPECT_FALSE(QFile::exists(other));
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(box(QStringLiteral("txtUEFA_0"))->text(), QStringLiteral("Vall!"));
    }
    // Once answered Save it asks no more, until the file is opened again.
    dialogs.messages.clear();
    dialogs.answers = {Save};
    trigger("tolGuardar");
    saveAs(other);
    EXPECT_EQ(read(other), "\r\n*Andorra\r\nVall!\r\n");
    open(write(QStringLiteral("game/euro.cfg"), kDropping));
    trigger("tolGuardar");
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(read(path), kDropping);
}

}  // namespace
}  // namespace velquor::test
