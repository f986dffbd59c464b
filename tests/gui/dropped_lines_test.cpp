// The warning before the first save of a file holding text that a save
// does not write back, on every way a save can start.

#include <functional>

#include "editor_fixture.h"

namespace velquor::test {
namespace {

using platform::MessageAnswer;

// Andorra has one place: its other six club lines go on save, and so does
// the block of Atlantis, which is no nation.
const std::string kDropping =
    "\r\n*Andorra\r\nVall\r\nB\r\nC\r\nD\r\nE\r\nF\r\nG\r\n*Atlantis\r\nNobody\r\n";
const std::string kSavedWithEdit = "\r\n*Andorra\r\nVall!\r\n";

class DroppedLinesTest : public EditorTest {
  protected:
    // Opens the file in a new window and edits Andorra's one club.
    QString openAndEditAndorra() {
        window = std::make_unique<ui::frmEditor>(platform, fs);
        window->show();
        dialogs.messages.clear();
        return openAndEdit(QStringLiteral("game/euro.cfg"), kDropping, QStringLiteral("Andorra"),
                           QStringLiteral("txtUEFA_0"), QStringLiteral("!"));
    }
};

TEST_F(DroppedLinesTest, EverySaveAsksFirstAndCancelWritesNothing) {
    struct Way {
        const char* what;
        std::function<void()> save;
        std::vector<MessageAnswer> answers;  // up to the warning's Cancel
    };
    const QString other = scratch.filePath(QStringLiteral("other.cfg"));
    const std::vector<Way> ways = {
        {"save", [&] { trigger("tolGuardar"); }, {MessageAnswer::Cancel}},
        {"save as", [&] { saveAs(other); }, {MessageAnswer::Cancel}},
        {"close", [&] { window->close(); }, {MessageAnswer::Yes, MessageAnswer::Cancel}},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        const QString path = openAndEditAndorra();
        dialogs.answers.assign(way.answers.begin(), way.answers.end());
        way.save();
        ASSERT_EQ(dialogs.messages.size(), way.answers.size());
        const platform::MessageRequest& warning = dialogs.messages.back();
        EXPECT_EQ(warning.icon, platform::MessageIcon::Warning);
        EXPECT_EQ(warning.buttons, platform::MessageButtons::SaveCancel);
        // It names the nation, the lines and a sample; the long list is in the details.
        EXPECT_TRUE(warning.text.contains(QStringLiteral(
            "Line 4: club line \"B\" is beyond Andorra's 1 place and is dropped on save")));
        EXPECT_TRUE(warning.text.contains(QStringLiteral("And 2 more (see the details).")));
        EXPECT_TRUE(warning.details.contains(QStringLiteral("Line 10: header \"*Atlantis\"")));
        EXPECT_EQ(read(path), kDropping);
        EXPECT_FALSE(QFile::exists(other));
        if (window->isVisible()) {
            EXPECT_EQ(box(QStringLiteral("txtUEFA_0"))->text(), QStringLiteral("Vall!"));
        }
    }
}

TEST_F(DroppedLinesTest, AfterSaveItAsksNoMoreUntilTheNextOpen) {
    const QString path = openAndEditAndorra();
    dialogs.answers = {MessageAnswer::Save};
    trigger("tolGuardar");
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(read(path), kSavedWithEdit);  // the lines are still dropped

    type(QStringLiteral("txtUEFA_0"), QStringLiteral("?"));
    trigger("tolGuardar");
    saveAs(scratch.filePath(QStringLiteral("other.cfg")));
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(read(scratch.filePath(QStringLiteral("other.cfg"))), "\r\n*Andorra\r\nVall!?\r\n");

    // The saved file drops nothing more; the original, opened again, does.
    open(path);
    trigger("tolGuardar");
    EXPECT_EQ(dialogs.messages.size(), 1u);
    open(write(QStringLiteral("game/euro.cfg"), kDropping));
    trigger("tolGuardar");
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(read(path), kDropping);  // answered OK, not Save: nothing written
}

}  // namespace
}  // namespace velquor::test
