// Files no modder meant to write: the editor loads or refuses them, writes
// nothing but the backup, and stays usable.

#include <QProgressBar>
#include <optional>

#include "editor_fixture.h"
#include "platform/text_codec.h"

namespace velquor::test {
namespace {

constexpr std::size_t kMiB = 1 << 20;

std::string everyByte() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}
std::string emptyLines(int count) {
    std::string bytes;
    bytes.reserve(2 * static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        bytes += "\r\n";
    return bytes;
}

using HostileFilesTest = EditorTest;

TEST_F(HostileFilesTest, OddBytesHugeLinesAndEndlessEmptyLinesLoadOrAreRefused) {
    const struct {
        const char* what;
        std::string bytes;
        bool refused;
        std::optional<std::string> club;  // Spain's first; none: no nation at all
    } rows[] = {
        // The first line runs up to byte 13, the CR: a club line with no nation.
        {"every byte", everyByte(), true, {}},
        // The CR ends the first club, the byte after it is swallowed.
        {"every byte under a header", "*Spain\r\n" + everyByte(), false, everyByte().substr(0, 13)},
        {"one CR", "\r", false, {}},
        {"1 MiB and one CR", std::string(kMiB + 1, '\r'), false, {}},
        {"ten million empty lines", "*Spain\r\n" + emptyLines(10'000'000) + "Madrid FC\r\n", false,
         "Madrid FC"},
        {"64 MiB without a line end", std::string(64 * kMiB, 'x'), true, {}},
        {"64 MiB header, nation last", "*" + std::string(64 * kMiB, 'x') + "Spain", false, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QDir(scratch.path()).removeRecursively();
        newWindow();
        const QString path = write("game/euro.cfg", row.bytes);
        open(path);
        EXPECT_EQ(files(), (QStringList{"game/euro.cfg", "game/euro.cfg.bak"}));
        EXPECT_TRUE(read(path) == row.bytes && read(path + ".bak") == row.bytes);
        if (row.refused) {
            expectOnlyMessage(ui::texts::kLoadingError);
            EXPECT_FALSE(window->isVisible());
            continue;
        }
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_FALSE(window->findChild<QProgressBar*>("pbar")->isVisible());
        EXPECT_FALSE(label("lblInfo")->isVisible());
        EXPECT_EQ(nodeTexts(), row.club ? QStringList{"Spain"} : QStringList{});
        if (!row.club)
            continue;
        EXPECT_TRUE(record("Spain").UCL1 == *row.club);
        click("Spain");
        EXPECT_EQ(box("txtUCL_0")->text(), platform::decodeText(*row.club));
        EXPECT_FALSE(state().bUnsaved) << "showing a record is no edit";
    }
}

}  // namespace
}  // namespace velquor::test
