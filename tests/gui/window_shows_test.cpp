// What the windows show, whole and true, at scale 1 and at the scales desktops use.

#include <QFrame>
#include <QProcess>
#include <QWindow>
#include <cmath>

#include "editor_fixture.h"
#include "ui/twips.h"

namespace velquor::test {
namespace {

using WindowShows = EditorTest;

// In catalogue order, and a click on a node shows its whole caption.
TEST_F(WindowShows, EveryNationsNodeHasItsFlagAndItsCaptionFitsItsLabel) {
    open(sample());
    QLabel* caption = label("lblLiga");
    EXPECT_LE(caption->geometry().right(),
              window->findChild<QWidget*>("Frame1")->geometry().right());
    EXPECT_LE(caption->fontMetrics().height(), caption->contentsRect().height());
    ASSERT_EQ(tree()->topLevelItemCount(), static_cast<int>(kNationTable.size()));
    for (std::size_t k = 0; k < kNationTable.size(); ++k) {
        QTreeWidgetItem* item = tree()->topLevelItem(static_cast<int>(k));
        SCOPED_TRACE(kNationTable[k].name);
        EXPECT_EQ(item->text(0).toStdString(), kNationTable[k].name);
        EXPECT_EQ(item->data(0, Qt::UserRole).toString(), item->text(0)) << "tag";
        EXPECT_TRUE(item->icon(0).availableSizes().contains(QSize(16, 16)));  // not scaled down
        EXPECT_FALSE(item->flags() & Qt::ItemIsEditable);
        click(item->text(0));
        ASSERT_EQ(caption->text(), "Current League: " + item->text(0));
        EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()),
                  caption->contentsRect().width());
    }
    const ui::ImageList& images = window->imageList();
    EXPECT_EQ(tree()->findItems("Northern Ireland", {})[0]->icon(0).cacheKey(),
              images.picture("Pelota").cacheKey());                  // it has no flag
    const QIcon spain = tree()->findItems("Spain", {})[0]->icon(0);  // drawn on first use
    EXPECT_EQ(spain.actualSize(QSize(64, 64)), QSize(32, 32)) << "flags go up to 32";
    EXPECT_EQ(spain.pixmap(16).toImage().pixelColor(8, 8).alpha(), 255) << "drawn, centred";
    EXPECT_FALSE(images.contains("spain")) << "keys are exact";
    EXPECT_FALSE(images.picture(1).isNull()) << "counted from 1";
    EXPECT_TRUE(images.picture(0).isNull());
    EXPECT_TRUE(images.picture(images.count() + 1).isNull());
    QTest::keyClick(tree(), Qt::Key_F2);
    QTest::keyClicks(tree()->focusWidget(), "Narnia\r");
    EXPECT_EQ(tree()->findItems("Narnia", {}).size(), 0);
}

// At a fractional scale an edge between device pixels is rounded one way for a
// tree and the other for its viewport: each tree lies on whole device pixels
// in its place, its frame drawn again over it, where nothing covers it.
TEST_F(WindowShows, TheNationTreesFramesShowWholeOnWholeDevicePixels) {
    open(write("x/euro.cfg", kSpainItaly));  // the stand-in tree shown and hidden again
    const qreal ratio = window->devicePixelRatioF();
    const QObjectList stack = window->centralWidget()->children();  // bottom to top
    const std::pair<const char*, QRect> trees[] = {
        {"Treeview1", ui::twipsRect(120, 60, 3255, 5775)},
        {"TreeView2", ui::twipsRect(120, 180, 3255, 5295)}};
    for (const auto& [name, place] : trees) {
        SCOPED_TRACE(name);
        const auto* tree = window->findChild<QWidget*>(name);
        const QRect at(tree->mapTo(window.get(), QPoint()), tree->size());
        for (const int edge : {at.left(), at.top(), at.left() + at.width(), at.top() + at.height()})
            EXPECT_DOUBLE_EQ(edge * ratio, std::round(edge * ratio)) << edge;
        EXPECT_EQ(tree->geometry().united(place), place) << "inside its place";
        EXPECT_LE(place.width() + place.height() - tree->width() - tree->height(), 4);
        const auto* frame = window->findChild<QWidget*>(QString(name) + "Frame");
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->geometry(), tree->geometry());
        EXPECT_EQ(frame->isVisible(), ratio != std::round(ratio) && tree->isVisible());
        EXPECT_GT(stack.indexOf(frame), stack.indexOf(tree)) << "drawn over it";
        EXPECT_TRUE(frame->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
}

TEST_F(WindowShows, AllOfItAgainAtTheScalesDesktopsUse) {
    for (const char* scale : {"1.5", "2"}) {
        QProcess copy;  // a scale is set before the application starts; a copy inherits ours
        qputenv("QT_SCALE_FACTOR", scale);  // in place of one this run was given, not after it
        copy.start(QCoreApplication::applicationFilePath(),
                   {"--gtest_filter=WindowShows.*-WindowShows.AllOfItAgain*"});
        ASSERT_TRUE(copy.waitForFinished(60000)) << scale;
        EXPECT_EQ(copy.exitCode(), 0) << scale << copy.readAll().toStdString();
    }
    qunsetenv("QT_SCALE_FACTOR");  // read once at start: this run keeps the scale it has
}

// A font wider than it was measured for: texts fit, nothing overlaps, the box grows.
TEST_F(WindowShows, TheAboutBoxHasNoIconAndNothingOverlapsTouchesTheRuleOrTheEdge) {
    const QFont normal = QApplication::font();
    QFont wide = normal;
    wide.setLetterSpacing(QFont::PercentageSpacing, 150);
    QApplication::setFont(wide);
    dialogs.script.push_back([](QDialog& about) {
        EXPECT_TRUE(about.windowIcon().isNull());
        EXPECT_TRUE(about.windowHandle()->icon().isNull());
        const auto controls = about.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* control : controls) {
            SCOPED_TRACE(control->objectName().toStdString());
            EXPECT_TRUE(about.rect().adjusted(1, 1, -1, -1).contains(control->geometry()));
            for (const QWidget* other : controls) {
                // A pixel at least between the rule and anything else.
                const int gap = other->objectName().startsWith("Line1") !=
                                control->objectName().startsWith("Line1");
                if (other != control) {
                    EXPECT_FALSE(other->geometry()
                                     .adjusted(-gap, -gap, gap, gap)
                                     .intersects(control->geometry()))
                        << other->objectName().toStdString();
                }
            }
            if (const auto* label = qobject_cast<const QLabel*>(control)) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height());
            }
        }
        QTest::keyClick(&about, Qt::Key_Escape);
    });
    trigger("tolAbout");
    QApplication::setFont(normal);
    EXPECT_EQ(dialogs.shown, 1);
}

}  // namespace
}  // namespace velquor::test
