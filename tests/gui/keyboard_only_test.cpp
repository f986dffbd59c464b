// The whole job done with key presses alone, sent where the focus is, as a
// user without a mouse works.

#include "editor_fixture.h"

namespace velquor::test {
namespace {

/// The key goes to whatever holds the focus, else (QTest sees to it) to the active window.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
QString focused() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : "<nothing>";
}

using KeyboardOnlyTest = EditorTest;

TEST_F(KeyboardOnlyTest, OpenChooseEditSaveFindAboutAndQuit) {
    press(Qt::Key_Tab);  // nothing open yet: no box to go to
    EXPECT_EQ(focused(), "Treeview1");
    const QString path = sample();
    dialogs.openPaths.push_back(path);
    press(Qt::Key_O, Qt::ControlModifier);
    // The focus is in the tree, which has chosen nothing by getting it.
    ASSERT_EQ(focused(), "Treeview1");
    EXPECT_EQ(shown(), "Current league:");
    // Space chooses the marked node; arrows choose, and the panel follows.
    press(Qt::Key_Space);
    EXPECT_EQ(shown(), "Current League: " + nodeTexts()[0]);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Up);
    EXPECT_EQ(shown(), "Current League: " + nodeTexts()[1]);
    while (shown() != "Current League: Germany" && tree()->currentIndex().row() < 50)
        press(Qt::Key_Down);

    // Tab walks the open boxes in the window's order and comes back to the
    // tree; Germany has no fourth UEFA Cup place and no third Intertoto one.
    QStringList visited;
    for (int k = 0; k < 10; ++k) {
        press(Qt::Key_Tab);
        visited << focused();
    }
    EXPECT_EQ(visited, (QStringList{"txtUCL_0", "txtUCL_1", "txtUCL_2", "txtUEFA_0", "txtUEFA_1",
                                    "txtUEFA_2", "txtIntertoto_0", "txtIntertoto_1", "txtUCL_3",
                                    "Treeview1"}));

    // A key that shows a dialog. Once the dialog is gone the window manager
    // hands the activation back to the main window; headless, nothing does.
    const auto pressForDialog = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        const int before = dialogs.shown;
        press(key, modifiers);
        EXPECT_EQ(dialogs.shown, before + 1) << "no dialog came up";
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    };
    dialogs.script.push_back([](QDialog&) {  // Find: from OK back to the box, type, Enter
        EXPECT_EQ(focused(), "cmdAceptar");
        press(Qt::Key_Tab, Qt::ShiftModifier);
        keys(QApplication::focusWidget(), "slov\r");
    });
    pressForDialog(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(shown(), "Current League: Slovakia");
    EXPECT_EQ(focused(), "Treeview1");
    press(Qt::Key_Tab);  // selects the whole name: typing replaces it
    keys(QApplication::focusWidget(), "Betis");
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(read(path).find("\r\n*Slovakia\r\nBetis\r\n"), std::string::npos);

    dialogs.script.push_back([](QDialog&) {
        EXPECT_EQ(focused(), "cmdOK");
        press(Qt::Key_Escape);
    });
    pressForDialog(Qt::Key_F1);
    EXPECT_EQ(focused(), "txtUCL_0") << "the focus comes back";
    EXPECT_TRUE(dialogs.messages.empty());
    dialogs.answers.push_back(MessageAnswer::No);
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(dialogs.texts(), std::vector<QString>{ui::texts::kModifiedQuestion});
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace velquor::test
