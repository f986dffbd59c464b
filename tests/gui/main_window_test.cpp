// The window as a whole: start-up, the tools, the state a run goes through.

#include <QGroupBox>
#include <QHelpEvent>
#include <QKeySequence>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include "editor_fixture.h"

namespace velquor::test {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

using MainWindowTest = EditorTest;

TEST_F(MainWindowTest, StartsEmptyDisabledAndWithoutTheFindTool) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Velquor EC"));
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(tool("tolFind")->isEnabled());
    for (const char* name : {"tolAbrir", "tolGuardar", "tolSaveAs", "tolAbout"})
        EXPECT_TRUE(tool(name)->isEnabled()) << name;
    for (QLineEdit* b : window->findChildren<QLineEdit*>()) {
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_TRUE(b->text().isEmpty());
    }
    for (QGroupBox* frame : window->findChildren<QGroupBox*>())
        EXPECT_FALSE(frame->isEnabled());
    EXPECT_EQ(label(QStringLiteral("lblLiga"))->text(), QStringLiteral("Current league:"));
    EXPECT_FALSE(label(QStringLiteral("lblInfo"))->isVisible());
    EXPECT_EQ(label(QStringLiteral("lblInfo"))->text(), QStringLiteral("Loadind data..."));
    EXPECT_FALSE(window->findChild<QProgressBar*>(QStringLiteral("pbar"))->isVisible());
    EXPECT_FALSE(window->findChild<QTreeWidget*>(QStringLiteral("TreeView2"))->isVisible());
    EXPECT_EQ(window->catalogue(), nullptr);

    window->close();
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, ToolbarHoldsTheFiveToolsInOrderWithTheirShortcuts) {
    auto* band = window->findChild<QToolBar*>(QStringLiteral("Band1"));
    ASSERT_NE(band, nullptr);
    QStringList names, captions;
    for (QAction* action : band->actions()) {
        if (action->isSeparator())
            continue;
        names << action->objectName();
        captions << action->text();
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
    }
    EXPECT_EQ(names, (QStringList{"tolAbrir", "tolGuardar", "tolSaveAs", "tolFind", "tolAbout"}));
    EXPECT_EQ(captions, (QStringList{"Open", "Save", "Save as", "Find", "About"}));
    EXPECT_EQ(tool("tolAbrir")->shortcut(), QKeySequence(QKeySequence::fromString("Ctrl+O")));
    EXPECT_EQ(tool("tolGuardar")->shortcut(), QKeySequence::fromString("Ctrl+S"));
    EXPECT_EQ(tool("tolSaveAs")->shortcut(), QKeySequence::fromString("Ctrl+Shift+S"));
    EXPECT_EQ(tool("tolFind")->shortcut(), QKeySequence::fromString("Ctrl+F"));
    EXPECT_EQ(tool("tolAbout")->shortcut(), QKeySequence::fromString("F1"));
}

TEST_F(MainWindowTest, ToolTipsOfTheToolsAndTheRequiredLabels) {
    auto* band = window->findChild<QToolBar*>(QStringLiteral("Band1"));
    auto tipOf = [&](const char* name) {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        QWidget* button = band->widgetForAction(tool(name));
        EXPECT_TRUE(button->isVisible()) << name;
        const QPoint at = button->rect().center();
        QHelpEvent help(QEvent::ToolTip, at, button->mapToGlobal(at));
        QApplication::sendEvent(button, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipOf("tolAbrir"), QStringLiteral("Open file"));
    EXPECT_EQ(tipOf("tolAbout"), QStringLiteral("About Velquor Editor"));
    EXPECT_EQ(tipOf("tolSaveAs"), QString());
    QToolTip::hideText();

    for (const char* name : {"lblUCL_0", "lblUCL_1", "lblUEFA_0", "lblUEFA_1", "lblintertoto_0",
                             "lblintertoto_1", "lblintertoto_2"})
        EXPECT_EQ(label(QString::fromLatin1(name))->toolTip(), QStringLiteral("Required field"));
    for (const char* name : {"lblUCL_2", "lblUCL_3", "lblUEFA_2", "lblUEFA_3"})
        EXPECT_TRUE(label(QString::fromLatin1(name))->toolTip().isEmpty()) << name;
    EXPECT_EQ(label(QStringLiteral("lblintertoto_2"))->text(), QStringLiteral("3th team"));
}

TEST_F(MainWindowTest, ResizingMovesNothingAndThereIsNoMaximiseBox) {
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QRect before = box(QStringLiteral("txtUEFA_2"))->geometry();
    const QRect frame = window->findChild<QGroupBox*>(QStringLiteral("Frame2"))->geometry();
    window->resize(window->size() + QSize(200, 150));
    QApplication::processEvents();
    EXPECT_EQ(box(QStringLiteral("txtUEFA_2"))->geometry(), before);
    EXPECT_EQ(window->findChild<QGroupBox*>(QStringLiteral("Frame2"))->geometry(), frame);
    // 8205 x 6525 twips at 15 twips a pixel.
    EXPECT_EQ(window->centralWidget()->minimumSize(), QSize(547, 435));
}

TEST_F(MainWindowTest, FindIsAvailableOnlyWithTwoOrMoreNodes) {
    open(write(QStringLiteral("one/euro.cfg"), "\r\n*Spain\r\nMadrid FC\r\n"));
    EXPECT_EQ(nodeTexts(), QStringList{"Spain"});
    EXPECT_FALSE(tool("tolFind")->isEnabled());

    open(write(QStringLiteral("two/euro.cfg"), kSpainItaly));
    EXPECT_EQ(tree()->topLevelItemCount(), 2);
    EXPECT_TRUE(tool("tolFind")->isEnabled());

    // A cancelled open empties the tree and leaves the tools as they were.
    trigger("tolAbrir");
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(tool("tolFind")->isEnabled());
    EXPECT_NE(window->catalogue(), nullptr);
}

TEST_F(MainWindowTest, TheOpenDialogListsOnlyEuroCfgAndStartsWhereTheLastFileWas) {
    const QString path = write(QStringLiteral("season/euro.cfg"), kSpainItaly);
    open(path);
    trigger("tolAbrir");
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[0].filter, QStringLiteral("Euro setup (euro.cfg)"));
    EXPECT_EQ(dialogs.fileRequests[1].directory, QFileInfo(path).absolutePath() + "/");
    EXPECT_EQ(state().sCurrentFile, path);
    EXPECT_EQ(state().sCurrentFolder, QFileInfo(path).absolutePath() + "/");
}

TEST_F(MainWindowTest, SavingBeforeAnyOpenIsRefusedWithTheSavingMessage) {
    trigger("tolGuardar");
    expectOnlyMessage(ui::texts::kSavingError);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, TheQuestionStaysOnceAnythingWasEditedEvenAfterSaveOrOpen) {
    const QString path = write(QStringLiteral("q/euro.cfg"), kSpainItaly);
    open(path);
    click(QStringLiteral("Spain"));
    click(QStringLiteral("Italy"));
    EXPECT_FALSE(state().bModified) << "showing a nation is no edit";
    type(QStringLiteral("txtUCL_0"), QStringLiteral("x"));
    trigger("tolGuardar");
    open(path);
    EXPECT_TRUE(state().bModified);
    dialogs.answers.push_back(MessageAnswer::No);
    window->close();
    EXPECT_EQ(dialogs.texts(), std::vector<QString>{ui::texts::kModifiedQuestion});
}

}  // namespace
}  // namespace velquor::test
