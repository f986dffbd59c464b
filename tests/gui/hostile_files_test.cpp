// Files no modder meant to write that still load (the ones refused are load
// failures): nothing but the backup is written, and the window stays usable.

#include <QProgressBar>
#include <numeric>
#include <optional>

#include "editor_fixture.h"
#include "platform/text_codec.h"

namespace velquor::test {
namespace {

using HostileFilesTest = EditorTest;

TEST_F(HostileFilesTest, OddBytesHugeLinesAndEndlessEmptyLinesLoad) {
    std::string everyByte(256, '\0'), emptyLines;
    std::iota(everyByte.begin(), everyByte.end(), '\0');
    for (int k = 0; k < 10'000'000; ++k)
        emptyLines += "\r\n";
    const std::size_t kMiB = 1 << 20;
    const struct {
        const char* what;
        std::string bytes;
        std::optional<std::string> club;  // Spain's first; none: no nation at all
    } rows[] = {
        // The CR ends the first club, and the byte after it is swallowed.
        {"every byte under a header", "*Spain\r\n" + everyByte, everyByte.substr(0, 13)},
        {"one CR", "\r", {}},
        {"1 MiB and one CR", std::string(kMiB + 1, '\r'), {}},
        {"ten million empty lines", "*Spain\r\n" + emptyLines + "Madrid FC\r\n", "Madrid FC"},
        {"64 MiB header, nation last", "*" + std::string(64 * kMiB, 'x') + "Spain", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QDir(scratch.path()).removeRecursively();
        newWindow();
        const QString path = write("game/euro.cfg", row.bytes);
        open(path);
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(files(), (QStringList{"game/euro.cfg", "game/euro.cfg.bak"}));
        EXPECT_TRUE(read(path) == row.bytes && read(path + ".bak") == row.bytes);
        EXPECT_FALSE(window->findChild<QProgressBar*>("pbar")->isVisible());
        EXPECT_FALSE(label("lblInfo")->isVisible());
        EXPECT_EQ(nodeTexts(), row.club ? QStringList{"Spain"} : QStringList{});
        if (!row.club)
            continue;
        click("Spain");
        EXPECT_EQ(box("txtUCL_0")->text(), platform::decodeText(*row.club));
        EXPECT_FALSE(state().bUnsaved) << "showing a record is no edit";
    }
}

}  // namespace
}  // namespace velquor::test
