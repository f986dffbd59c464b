// The main window before and after an open: the tools, the panel of club
// boxes, what a screen reader learns of them through Qt's accessibility
// interface (without a platform bridge, as headless, Qt sends no change
// events, so none are checked), and the whole job done with keys alone.

#include <QAccessible>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>

#include "editor_fixture.h"
#include "ui/about/frm_about.h"
#include "ui/find/frm_buscar.h"

namespace velquor::test {
namespace {

using MainWindowTest = EditorTest;

/// The club boxes in the window's order.
const struct {
    const char *box, *label, *spoken;  // spoken: the name a screen reader says
    bool required;                     // the label's tooltip says so
} kBoxes[] = {{"txtUCL_0", "lblUCL_0", "Champions League, 1st team", true},
              {"txtUCL_1", "lblUCL_1", "Champions League, 2nd team", true},
              {"txtUCL_2", "lblUCL_2", "Champions League, 3rd team", false},
              {"txtUCL_3", "lblUCL_3", "Champions League, 4th team", false},
              {"txtUEFA_0", "lblUEFA_0", "UEFA Cup, 1st team", true},
              {"txtUEFA_1", "lblUEFA_1", "UEFA Cup, 2nd team", true},
              {"txtUEFA_2", "lblUEFA_2", "UEFA Cup, 3rd team", false},
              {"txtUEFA_3", "lblUEFA_3", "UEFA Cup, 4th team", false},
              {"txtIntertoto_0", "lblintertoto_0", "Intertoto, 1st team", true},
              {"txtIntertoto_1", "lblintertoto_1", "Intertoto, 2nd team", true},
              {"txtIntertoto_2", "lblintertoto_2", "Intertoto, 3rd team", true}};

QString spoken(QObject* control, QAccessible::Text what = QAccessible::Description) {
    return QAccessible::queryAccessibleInterface(control)->text(what);
}

TEST_F(MainWindowTest, StartsEmptyAndShutFindNeedsTwoNationsAndOnlyEuroCfgIsTaken) {
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->centralWidget()->minimumSize(), QSize(547, 435));  // twips / 15
    const auto tools = [&] {
        QStringList names;
        for (QAction* action : window->findChild<QToolBar*>("Band1")->actions())
            if (!action->isSeparator())
                names << action->objectName() + (action->icon().isNull() ? " without icon" : "") +
                             (action->isEnabled() ? "" : " shut");
        return names;
    };
    // Nothing to save yet, nor to find.
    EXPECT_EQ(tools(), (QStringList{"tolAbrir", "tolGuardar shut", "tolSaveAs shut", "tolFind shut",
                                    "tolAbout"}));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    trigger("tolSaveAs");
    for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
        EXPECT_FALSE(frame->isEnabled()) << frame->objectName().toStdString();
        EXPECT_TRUE(frame->font().bold()) << frame->objectName().toStdString();
    }
    // At 8.25 points, naming only families the system has: each one it
    // lacks made a search for a stand-in at start-up.
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        EXPECT_EQ(control->font().pointSizeF(), 8.25) << control->objectName().toStdString();
        for (const QString& family : control->font().families())
            EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString();
    }
    EXPECT_FALSE(label("lblInfo")->isVisible());
    EXPECT_FALSE(window->findChild<QWidget*>("pbar")->isVisible());

    // Anything but a single local euro.cfg dropped is refused (for one, see
    // AskBeforeLosingEdits).
    EXPECT_FALSE(drop({write("a/euro.cfg", kSpainItaly), write("b/euro.cfg", kPortugal)}));
    EXPECT_FALSE(drop({write("c/teams.cfg", kPortugal)}));
    QDir().mkpath(scratch.filePath("d/euro.cfg"));
    EXPECT_FALSE(drop({scratch.filePath("d/euro.cfg")}));
    EXPECT_THAT(entries(), ElementsAre("a/euro.cfg", "b/euro.cfg", "c/teams.cfg"));
    open(write("one/euro.cfg", kPortugal));
    EXPECT_EQ(tools(),
              (QStringList{"tolAbrir", "tolGuardar", "tolSaveAs", "tolFind shut", "tolAbout"}));
    open(write("two/euro.cfg", kSpainItaly));
    EXPECT_TRUE(tool("tolFind")->isEnabled());
    trigger("tolAbrir");  // cancelled: the tree is emptied, the tools stay
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(tool("tolFind")->isEnabled());
    window->close();  // nothing edited: no question
    EXPECT_EQ(dialogs.messages.size(), 0u);
    EXPECT_EQ(dialogs.fileRequests.size(), 3u) << "three opens, no save";
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, ANationsCountsOpenItsBoxesAndTypingChangesItsRecordAndTheFile) {
    const QString path = write("de/euro.cfg", kGermanyAndorra);
    open(path);
    for (const QString nation : {"Germany", "Andorra", "Germany"}) {  // anew, not added up
        click(nation);
        EXPECT_EQ(shown(), "Current League: " + nation);
        for (int k = 0; k < 11; ++k) {
            const auto& row = kBoxes[k];
            SCOPED_TRACE(nation.toStdString() + " " + row.box);
            const bool open = (nation == "Germany" ? "11111110110" : "00001000000")[k] == '1';
            EXPECT_EQ(box(row.box)->isEnabled(), open);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(box(row.box))->state().disabled, !open);
            EXPECT_EQ(label(row.label)->palette().color(QPalette::WindowText),
                      open ? QColor(Qt::black) : QColor(Qt::red));
            EXPECT_EQ(spoken(box(row.box)), open ? QString() : ui::texts::kNoPlace);
            EXPECT_EQ(spoken(box(row.box), QAccessible::Name), row.spoken);
            EXPECT_EQ(label(row.label)->buddy(), box(row.box));
            EXPECT_EQ(label(row.label)->toolTip(), row.required ? "Required field" : QString());
        }
    }
    EXPECT_EQ(box("txtIntertoto_1")->text(), "Mainz 05");  // and no line beyond the places
    record("Germany").UEFA4 = "Kiel Holstein";  // beyond the count: shown in its shut box
    type("txtUEFA_1", "s");
    EXPECT_EQ(record("Germany").UEFA2, "Dortmund Athletics");
    click("Andorra");  // no Champions League place: the first club line is the UEFA Cup's
    EXPECT_EQ(box("txtUEFA_0")->text(), "Andorra la Vella");
    click("Germany");
    EXPECT_EQ(box("txtUEFA_1")->text(), "Dortmund Athletics");
    EXPECT_EQ(box("txtUEFA_3")->text(), "Kiel Holstein");
    erase("txtUCL_1");
    type("txtUCL_0", QString::fromUtf8(" M\u00FCnchen *1860* \u20AC"));
    EXPECT_EQ(record("Germany").UCL2, "");
    // Bochum, beyond Germany's places, goes; the clubs after the empty place move up.
    dialogs.answers = {MessageAnswer::Save, MessageAnswer::Save};
    trigger("tolGuardar");
    EXPECT_EQ(
        read(path),
        "\r\n*Andorra\r\nAndorra la Vella\r\n\r\n*Germany\r\nBerlin FC M\xFCnchen *1860* \x80\r\n"
        "Hamburg SV\r\nKoln United\r\nBremen FC\r\nDortmund Athletics\r\n"
        "Stuttgart Kickers\r\nLeipzig Rovers\r\nMainz 05\r\n");
    QStringList panel;  // where the file now has them, as a reopening would show
    for (const auto& each : kBoxes)
        panel << box(each.box)->text();
    EXPECT_EQ(panel, (QStringList{QString::fromUtf8("Berlin FC M\u00FCnchen *1860* \u20AC"),
                                  "Hamburg SV", "Koln United", "Bremen FC", "Dortmund Athletics",
                                  "Stuttgart Kickers", "Leipzig Rovers", "", "Mainz 05", "", ""}));
    EXPECT_TRUE(box("txtUCL_0")->isUndoAvailable()) << "a box the save left as it was";

    // An open empties and shuts the panel, so that no edit lands elsewhere, and
    // takes the labels back to their start colours, without a nation's red.
    open(path);
    EXPECT_EQ(shown(), "Current league:");
    EXPECT_TRUE(state().sCurrentKey.empty());
    for (QLineEdit* each : window->findChildren<QLineEdit*>()) {
        SCOPED_TRACE(each->objectName().toStdString());
        EXPECT_EQ(each->text(), "");
        EXPECT_FALSE(each->isEnabled());
        EXPECT_EQ(spoken(each), "");
    }
    const ui::frmEditor fresh(platform, fs);
    for (QLabel* shown : window->findChildren<QLabel*>()) {
        const auto* start = fresh.findChild<QLabel*>(shown->objectName());
        EXPECT_EQ(shown->foregroundRole(), start->foregroundRole());
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            EXPECT_EQ(shown->palette().color(group, QPalette::WindowText),
                      start->palette().color(group, QPalette::WindowText))
                << shown->objectName().toStdString() << " in group " << group;
    }
}

TEST_F(MainWindowTest, BoxesRefuseWhatTheFileCouldNotHoldAndSayWhy) {
    open(write("de/euro.cfg", kGermanyAndorra));
    click("Germany");
    QLineEdit* first = box("txtUCL_0");
    const QString lineBreak = "A club name is one line: line breaks cannot be stored.";
    const struct {
        bool atStart, pasted;
        QString text, reason;
    } rows[] = {
        {true, false, "*", "A club name cannot start with \"*\": the line would read as a nation."},
        {false, false, "\u0141", "\"\u0141\" cannot be stored in euro.cfg."},
        {false, false, "\U0001F600", "\"\U0001F600\" (U+1F600) cannot be stored in euro.cfg."},
        {false, true, "\u200D", "\"\u200D\" (U+200D) cannot be stored in euro.cfg."},
        {false, true, "x\u00E9\u0142\u0141", "\"\u0142\" cannot be stored in euro.cfg."},
        {false, true, "\n", lineBreak},
        {false, true, "\r", lineBreak},
        {false, true, "Two\r\nLines", lineBreak}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        first->setFocus();
        row.atStart ? first->home(false) : first->end(false);
        QApplication::clipboard()->setText(row.text);
        row.pasted ? first->paste() : keys(first, row.text);
        EXPECT_EQ(first->text(), "Berlin FC");
        EXPECT_EQ(record("Germany").UCL1, "Berlin FC");
        EXPECT_TRUE(label("lblInfo")->isVisible());
        EXPECT_EQ(label("lblInfo")->text(), row.reason);
    }
    EXPECT_FALSE(state().bModified);
    // The reason stays while typing goes on, until the user leaves the box.
    type("txtUCL_0", "\u0141\u00F3d\u017A FC");
    EXPECT_EQ(first->text(), "Berlin FC\u00F3d FC");
    EXPECT_EQ(label("lblInfo")->text(), "\"\u017A\" cannot be stored in euro.cfg.");
    EXPECT_TRUE(label("lblInfo")->isVisible());
    box("txtUCL_1")->setFocus();
    EXPECT_FALSE(label("lblInfo")->isVisible());
}

// The bar moves through a long file in a few thousand steps at most.
TEST_F(MainWindowTest, TheBarMovesAndToolsDropsAndClosingWaitWhileAFileLoads) {
    const QString path =
        write("euro.cfg", "*Malta\r\n" + QByteArray("B\r\n").repeated(1 << 18).toStdString());
    const QSignalSpy moves(window->findChild<QProgressBar*>("pbar"), &QProgressBar::valueChanged);
    // All arrive in the one pass over pending events that draws the status.
    QTimer::singleShot(0, tool("tolAbrir"), &QAction::trigger);
    QTimer::singleShot(0, [&] { EXPECT_FALSE(drop({path})); });
    QCoreApplication::postEvent(window.get(), new QCloseEvent);
    open(path);
    EXPECT_THAT(moves.size(), ::testing::AllOf(::testing::Ge(1000), ::testing::Le(4100)));
    EXPECT_EQ(nodeTexts(), QStringList{"Malta"}) << "the load ran to its end";
    EXPECT_EQ(dialogs.fileRequests.size(), 1u) << "no second open inside the first";
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); })) << "then it closes";
}

TEST_F(MainWindowTest, EveryControlIsNamedInPlainEnglish) {
    ui::frmBuscar find(window.get());
    ui::frmAbout about(platform, window.get());
    auto* band = window->findChild<QToolBar*>("Band1");
    const auto in = [](QWidget* w, const char* name) { return w->findChild<QWidget*>(name); };
    const auto button = [&](const char* name) { return band->widgetForAction(tool(name)); };
    tool("tolSaveAs")->setText("Save as");  // the action tells its button again: no tooltip
    // Name and description. The caption "3th" is misspelt as it is; the find box
    // is named by its label.
    // clang-format off
    const struct {
        QObject* object;
        QString name, description;
    } rows[] = {
        {tree(), "Nations", ""}, {in(window.get(), "Frame2"), "UEFA", ""},
        {label("lblLiga"), "Current league:", ""}, {label("lblUEFA_0"), "1st team", "Required field"},
        {label("lblintertoto_2"), "3th team", "Required field"},
        {button("tolAbrir"), "Open", "Open file"}, {button("tolGuardar"), "Save", "Save file"},
        {button("tolSaveAs"), "Save as", ""}, {button("tolFind"), "Find", "Find"},
        {button("tolAbout"), "About", "About Velquor Editor"}, {in(&find, "txtBuscar"), "Find", ""},
        {in(&find, "Label1"), "Find", ""}, {in(&find, "chkMayusculas"), "Match case", ""},
        {in(&find, "cmdAceptar"), "Ok", ""}, {in(&find, "cmdCancelar"), "Cancel", ""},
        {in(&about, "cmdOK"), "Ok", ""}, {in(&about, "cmdSysInfo"), "System info", ""},
        {in(&about, "lblVersion"), ui::frmAbout::versionLine(), ""}};
    // clang-format on
    for (const auto& row : rows) {
        ASSERT_NE(row.object, nullptr) << row.name.toStdString();
        SCOPED_TRACE(row.object->objectName().toStdString());
        EXPECT_EQ(spoken(row.object, QAccessible::Name), row.name);
        EXPECT_EQ(spoken(row.object), row.description);
    }
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(button("tolFind"))->state().disabled);
}

/// The key goes to whatever holds the focus, else (QTest sees to it) to the active window.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// The whole job done with key presses alone, sent where the focus is, as a
// user without a mouse works.
TEST_F(MainWindowTest, KeysAloneOpenChooseEditSaveFindShowAboutAndQuit) {
    press(Qt::Key_Tab);  // nothing open yet: no box to go to
    EXPECT_EQ(focused(), "Treeview1");
    open(write("one/euro.cfg", "*Malta\r\nHibs\r\n"));
    press(Qt::Key_Space);  // a file of one nation has a node to choose too
    EXPECT_EQ(shown(), "Current League: Malta");
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
    EXPECT_THAT(read(path), ::testing::HasSubstr("\r\n*Slovakia\r\nBetis\r\n"));

    dialogs.script.push_back([](QDialog&) {
        EXPECT_EQ(focused(), "cmdOK");
        press(Qt::Key_Escape);
    });
    pressForDialog(Qt::Key_F1);
    EXPECT_EQ(focused(), "txtUCL_0") << "the focus comes back";
    press(Qt::Key_Q, Qt::ControlModifier);  // all saved: nothing to ask
    EXPECT_THAT(dialogs.texts(), IsEmpty());
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace velquor::test
