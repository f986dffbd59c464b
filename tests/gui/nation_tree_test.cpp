// The nation tree: what an open puts in it, and what the user cannot do to it.

#include "editor_fixture.h"
#include "model/nation_catalogue.h"

namespace velquor::test {
namespace {

using NationTreeTest = EditorTest;

TEST_F(NationTreeTest, NodesFollowTheCatalogueOrderWithTheirFlagAndTag) {
    open(sample());
    ASSERT_EQ(tree()->topLevelItemCount(), static_cast<int>(kNationTable.size()));
    for (std::size_t k = 0; k < kNationTable.size(); ++k) {
        const QString name = QString::fromLatin1(
            kNationTable[k].name.data(), static_cast<qsizetype>(kNationTable[k].name.size()));
        QTreeWidgetItem* item = tree()->topLevelItem(static_cast<int>(k));
        EXPECT_EQ(item->text(0), name);
        EXPECT_EQ(item->data(0, Qt::UserRole).toString(), name) << "tag";
        EXPECT_EQ(item->childCount(), 0);
        EXPECT_FALSE(item->icon(0).pixmap(16, 16).isNull()) << name.toStdString();
    }
    // The football stands in for the one flag missing.
    EXPECT_EQ(node(QStringLiteral("Northern Ireland"))->icon(0).cacheKey(),
              window->imageList().picture(QStringLiteral("Pelota")).cacheKey());
}

TEST_F(NationTreeTest, ImageListKeysAsTheTreeLooksThemUp) {
    const ui::ImageList& images = window->imageList();
    EXPECT_FALSE(images.contains(QStringLiteral("Northern Ireland")));
    EXPECT_TRUE(images.picture(QStringLiteral("Northern Ireland")).isNull());
    EXPECT_TRUE(images.contains(QStringLiteral("Pelota")));
    EXPECT_TRUE(images.contains(QStringLiteral("Uzbekistan")));
    EXPECT_FALSE(images.contains(QStringLiteral("spain"))) << "keys compare case and all";
    EXPECT_FALSE(images.picture(1).isNull()) << "the folder";
    EXPECT_EQ(images.picture(45).cacheKey(), images.picture(QStringLiteral("Pelota")).cacheKey());
    EXPECT_TRUE(images.picture(images.count() + 1).isNull());
}

TEST_F(NationTreeTest, NodeTextsCannotBeEditedInPlace) {
    open(write(QStringLiteral("euro.cfg"), "\r\n*Spain\r\nMadrid FC\r\n"));
    click(QStringLiteral("Spain"));
    QTest::keyClick(tree(), Qt::Key_F2);
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {},
                       tree()->visualItemRect(node(QStringLiteral("Spain"))).center());
    QTest::keyClicks(tree()->focusWidget(), QStringLiteral("Narnia"));
    QTest::keyClick(tree()->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(nodeTexts(), QStringList{"Spain"});
    EXPECT_FALSE(node(QStringLiteral("Spain"))->flags() & Qt::ItemIsEditable);
}

TEST_F(NationTreeTest, ChoosingANodeWithTheKeyboardShowsItsNation) {
    open(write(QStringLiteral("euro.cfg"),
               "\r\n*Spain\r\nMadrid FC\r\n\r\n*Italy\r\nTorino FC\r\n"));
    tree()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(label(QStringLiteral("lblLiga"))->text(), QStringLiteral("Current league:"))
        << "the focus alone chooses nothing";
    QTest::keyClick(tree(), Qt::Key_Space);
    EXPECT_EQ(label(QStringLiteral("lblLiga"))->text(), QStringLiteral("Current League: Italy"));
    QTest::keyClick(tree(), Qt::Key_Down);
    EXPECT_EQ(label(QStringLiteral("lblLiga"))->text(), QStringLiteral("Current League: Spain"));
    EXPECT_EQ(box(QStringLiteral("txtUCL_0"))->text(), QStringLiteral("Madrid FC"));
    EXPECT_FALSE(state().bModified);
}

}  // namespace
}  // namespace velquor::test
