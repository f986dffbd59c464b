// Pictures of the window for a person to look at, e.g. at several scale
// factors: VELQUOR_SCREENSHOTS=dir QT_SCALE_FACTOR=2 velquor_gui_tests
// --gtest_filter='Screenshot*'. Skipped unless the folder is given.

#include <QDir>
#include <QPixmap>

#include "editor_fixture.h"

namespace velquor::test {
namespace {

using Screenshot = EditorTest;

TEST_F(Screenshot, MainWindowWithANationChosen) {
    const QString folder = qEnvironmentVariable("VELQUOR_SCREENSHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "VELQUOR_SCREENSHOTS names no folder";
    QDir().mkpath(folder);
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));

    window->grab().save(folder + QStringLiteral("/empty-x%1.png").arg(scale));
    open(sample());
    click(QStringLiteral("Germany"));
    type(QStringLiteral("txtUCL_0"), QStringLiteral("*"));
    box(QStringLiteral("txtUCL_0"))->home(false);
    keys(box(QStringLiteral("txtUCL_0")), QStringLiteral("*"));
    EXPECT_TRUE(window->grab().save(folder + QStringLiteral("/germany-x%1.png").arg(scale)));
}

}  // namespace
}  // namespace velquor::test
