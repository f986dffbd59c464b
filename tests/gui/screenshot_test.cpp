// Pictures of the window for a person to look at, e.g. at several scale
// factors: VELQUOR_SCREENSHOTS=dir QT_SCALE_FACTOR=2 velquor_gui_tests
// --gtest_filter='Screenshot*'. Skipped unless the folder is given.

#include <QDir>
#include <QPixmap>

#include "editor_fixture.h"

namespace velquor::test {
namespace {

class Screenshot : public EditorTest {
  protected:
    QString folder = qEnvironmentVariable("VELQUOR_SCREENSHOTS");
    QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));

    void SetUp() override {
        if (folder.isEmpty())
            GTEST_SKIP() << "VELQUOR_SCREENSHOTS names no folder";
        QDir().mkpath(folder);
        EditorTest::SetUp();
    }
};

TEST_F(Screenshot, MainWindowWithANationChosen) {
    window->grab().save(folder + QStringLiteral("/empty-x%1.png").arg(scale));
    open(sample());
    click(QStringLiteral("Germany"));
    type(QStringLiteral("txtUCL_0"), QStringLiteral("*"));
    box(QStringLiteral("txtUCL_0"))->home(false);
    keys(box(QStringLiteral("txtUCL_0")), QStringLiteral("*"));
    EXPECT_TRUE(window->grab().save(folder + QStringLiteral("/germany-x%1.png").arg(scale)));
}

TEST_F(Screenshot, FindAndAboutDialogs) {
    open(sample());
    click(QStringLiteral("Germany"));
    auto shoot = [&](const QString& name, Qt::Key close) {
        dialogs.script.push_back([this, name, close](QDialog& dialog) {
            EXPECT_TRUE(
                dialog.grab().save(folder + QStringLiteral("/%1-x%2.png").arg(name, scale)));
            QTest::keyClick(&dialog, close);
        });
    };
    shoot(QStringLiteral("find"), Qt::Key_Escape);
    trigger("tolFind");
    shoot(QStringLiteral("about"), Qt::Key_Escape);
    trigger("tolAbout");
    EXPECT_EQ(dialogs.shown, 2);
}

}  // namespace
}  // namespace velquor::test
