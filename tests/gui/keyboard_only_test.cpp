// The whole job done with key presses alone, sent where the focus is, as a
// user without a mouse works; and what keys do where they can do nothing.

#include <QKeySequence>
#include <QToolBar>

#include "editor_fixture.h"
#include "platform/text_codec.h"

namespace velquor::test {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;

class KeyboardOnlyTest : public EditorTest {
  protected:
    /// The key goes to whatever holds the focus, else to the active window.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        ASSERT_NE(target, nullptr) << "nothing would receive the key";
        QTest::keyClick(target, key, modifiers);
    }
    static void typeKeys(const QString& text) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        keys(target, text);
    }
    static QString focused() {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("<nothing>");
    }
    /// A key that shows a dialog. Once the dialog is gone the window manager
    /// hands the activation back to the main window; headless, nothing does.
    /// Ctrl+O on path, Space to choose the first nation, Tab into its first box.
    void openAndEnterFirstBox(const QString& path) {
        dialogs.openPaths.push_back(path);
        press(Qt::Key_O, Qt::ControlModifier);
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
    }
    void pressForDialog(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const int before = dialogs.shown;
        press(key, modifiers);
        EXPECT_EQ(dialogs.shown, before + 1) << "no dialog came up";
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QString shown() const { return label(QStringLiteral("lblLiga"))->text(); }
    /// A scripted find dialog: from OK, back to the box, type, Enter.
    void findStep(const QString& text) {
        dialogs.script.push_back([text](QDialog&) {
            EXPECT_EQ(focused(), QStringLiteral("cmdAceptar"));
            press(Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_EQ(focused(), QStringLiteral("txtBuscar"));
            typeKeys(text);
            press(Qt::Key_Return);
        });
    }
};

TEST_F(KeyboardOnlyTest, OpenChooseEditSaveFindAboutAndQuit) {
    const QString path = sample();
    dialogs.openPaths.push_back(path);
    press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(tree()->topLevelItemCount(), 51);

    // The focus is in the tree, which has chosen nothing by getting it.
    ASSERT_EQ(focused(), QStringLiteral("Treeview1"));
    EXPECT_TRUE(tree()->selectedItems().isEmpty());
    EXPECT_EQ(shown(), QStringLiteral("Current league:"));
    EXPECT_FALSE(box(QStringLiteral("txtUCL_0"))->isEnabled());

    // Space chooses the marked node; arrows choose, and the panel follows.
    EXPECT_EQ(tree()->currentItem(), tree()->topLevelItem(0));
    press(Qt::Key_Space);
    const QString first = tree()->topLevelItem(0)->text(0);
    EXPECT_EQ(shown(), QStringLiteral("Current League: ") + first);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(shown(), QStringLiteral("Current League: ") + tree()->topLevelItem(2)->text(0));
    press(Qt::Key_Up);
    EXPECT_EQ(shown(), QStringLiteral("Current League: ") + tree()->topLevelItem(1)->text(0));
    EXPECT_EQ(tree()->selectedItems(), QList<QTreeWidgetItem*>{tree()->topLevelItem(1)});
    // Down through the list, reading the panel, until Germany shows.
    for (int k = 0; k < tree()->topLevelItemCount() && !shown().endsWith(u": Germany"); ++k)
        press(Qt::Key_Down);
    ASSERT_EQ(shown(), QStringLiteral("Current League: Germany"));

    // Tab walks the open boxes in the window's order and comes back to the
    // tree; Germany has no fourth UEFA Cup place and no third Intertoto one.
    QStringList visited;
    for (int k = 0; k < 10; ++k) {
        press(Qt::Key_Tab);
        visited << focused();
        if (focused() == QStringLiteral("txtUCL_3")) {
            press(Qt::Key_End);
            typeKeys(QStringLiteral(" II"));
        }
    }
    EXPECT_EQ(visited, (QStringList{"txtUCL_0", "txtUCL_1", "txtUCL_2", "txtUEFA_0", "txtUEFA_1",
                                    "txtUEFA_2", "txtIntertoto_0", "txtIntertoto_1", "txtUCL_3",
                                    "Treeview1"}));
    EXPECT_EQ(box(QStringLiteral("txtUCL_3"))->text(), QStringLiteral("Dynamo Rheinfeld II"));
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(read(path).find("\r\nDynamo Rheinfeld II\r\n"), std::string::npos);

    // Find from the keyboard; where a second one goes is the find tests' business.
    findStep(QStringLiteral("slov"));
    pressForDialog(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(shown(), QStringLiteral("Current League: Slovakia"));
    EXPECT_EQ(focused(), QStringLiteral("Treeview1"));

    // An edit after the save, for the quit question to keep.
    press(Qt::Key_Tab);
    ASSERT_EQ(focused(), QStringLiteral("txtUCL_0"));
    press(Qt::Key_End);
    typeKeys(QStringLiteral("!"));
    const std::string edited =
        platform::encodeText(box(QStringLiteral("txtUCL_0"))->text()).value();

    // About closes with Enter and with Esc, and the focus comes back.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        dialogs.script.push_back([key](QDialog& about) {
            EXPECT_EQ(focused(), QStringLiteral("cmdOK"));
            press(key);
            EXPECT_FALSE(about.isVisible());
        });
        pressForDialog(Qt::Key_F1);
        EXPECT_EQ(focused(), QStringLiteral("txtUCL_0"));
    }
    EXPECT_EQ(dialogs.shown, 3);
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.answers.push_back(MessageAnswer::Yes);
    press(Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, ui::texts::kModifiedQuestion);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_FALSE(window->isVisible());
    const std::string saved = read(path);
    EXPECT_NE(saved.find("\r\n" + edited + "\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nDynamo Rheinfeld II\r\n"), std::string::npos);
}

TEST_F(KeyboardOnlyTest, KeysThatCannotDoAnythingYetDoNothing) {
    // Nothing open: Tab has no box to go to, Find is off, and quitting asks nothing.
    ASSERT_EQ(focused(), QStringLiteral("Treeview1"));
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), QStringLiteral("Treeview1"));
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(dialogs.shown, 0);
    // A cancelled open dialog leaves the window as it was.
    press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    // Ctrl+Q belongs to the window, not to a sixth tool on the toolbar.
    QAction* quit = window->findChild<QAction*>(QStringLiteral("actQuit"));
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->shortcut(), QKeySequence::fromString("Ctrl+Q"));
    EXPECT_TRUE(window->actions().contains(quit));
    EXPECT_FALSE(window->findChild<QToolBar*>(QStringLiteral("Band1"))->actions().contains(quit));
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(KeyboardOnlyTest, NoToTheQuitQuestionClosesWithoutSaving) {
    const QString path = write(QStringLiteral("no/euro.cfg"), kSpainItaly);
    openAndEnterFirstBox(path);
    typeKeys(QStringLiteral("Betis"));  // Tab selected the whole name: it is replaced
    EXPECT_EQ(focused(), QStringLiteral("txtUCL_0"));
    EXPECT_EQ(box(QStringLiteral("txtUCL_0"))->text(), QStringLiteral("Betis"));

    dialogs.answers.push_back(MessageAnswer::No);
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(read(path), kSpainItaly);
}

}  // namespace
}  // namespace velquor::test
