// A euro.cfg dropped on the window, and what may happen while a file loads.

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "editor_fixture.h"

namespace velquor::test {
namespace {

using platform::MessageAnswer;

const std::string kPortugal = "\r\n*Portugal\r\nLisboa FC\r\n";

class DropAndBusyTest : public EditorTest {
  protected:
    /// Drags paths over the window and drops them; whether the window took them.
    bool drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        return dropped.isAccepted();
    }
};

TEST_F(DropAndBusyTest, ADroppedEuroCfgOpensAsIfChosenInTheDialog) {
    const QString path = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
    EXPECT_TRUE(drop({path}));
    EXPECT_EQ(nodeTexts(), (QStringList{"Italy", "Spain"}));
    EXPECT_EQ(state().sCurrentFile, path);
    EXPECT_EQ(read(scratch.filePath(QStringLiteral("a/euro.cfg.bak"))), kSpainItaly);
    EXPECT_TRUE(dialogs.fileRequests.empty());

    // The next dialog starts in the dropped file's folder.
    trigger("tolAbrir");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].directory, QFileInfo(path).absolutePath() + "/");
}

TEST_F(DropAndBusyTest, OnlyOneLocalEuroCfgIsTaken) {
    const QString a = write(QStringLiteral("a/euro.cfg"), kSpainItaly);
    const QString b = write(QStringLiteral("b/euro.cfg"), kPortugal);
    EXPECT_FALSE(drop({a, b}));
    EXPECT_FALSE(drop({write(QStringLiteral("c/teams.cfg"), kPortugal)}));
    QDir(scratch.path()).mkpath(QStringLiteral("d/euro.cfg"));
    EXPECT_FALSE(drop({scratch.filePath(QStringLiteral("d/euro.cfg"))}));
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(QFile::exists(scratch.filePath(QStringLiteral("a/euro.cfg.bak"))));
}

TEST_F(DropAndBusyTest, ADropAsksBeforeDiscardingUnsavedEdits) {
    const QString path =
        openAndEdit(QStringLiteral("a/euro.cfg"), kSpainItaly, QStringLiteral("Spain"),
                    QStringLiteral("txtUCL_0"), QStringLiteral("!"));
    dialogs.answers.push_back(MessageAnswer::Cancel);
    drop({write(QStringLiteral("b/euro.cfg"), kPortugal)});
    EXPECT_EQ(dialogs.texts(), std::vector<QString>{ui::texts::kModifiedQuestion});
    EXPECT_EQ(nodeTexts(), (QStringList{"Italy", "Spain"}));
    EXPECT_EQ(state().sCurrentFile, path);
}

TEST_F(DropAndBusyTest, ToolsAndClosingWaitWhileAFileLoads) {
    // Both arrive in the one pass over pending events that draws the status.
    QTimer::singleShot(0, tool("tolAbrir"), &QAction::trigger);
    QCoreApplication::postEvent(window.get(), new QCloseEvent);
    open(sample());
    EXPECT_EQ(tree()->topLevelItemCount(), 51) << "the load ran to its end";
    EXPECT_EQ(dialogs.fileRequests.size(), 1u) << "no second open inside the first";
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); })) << "then it closes";
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace velquor::test
