// Odd files that still load (the ones refused are load failures): nothing but
// the backup is written, and every byte shows as the code page has it.

#include <QProgressBar>
#include <numeric>

#include "editor_fixture.h"
#include "platform/text_codec.h"

namespace velquor::test {
namespace {

using HostileFilesTest = EditorTest;

TEST_F(HostileFilesTest, EveryByteUnderAHeaderAndFilesOfOnlyLineEndsLoad) {
    std::string everyByte(256, '\0');
    std::iota(everyByte.begin(), everyByte.end(), '\0');
    const std::pair<std::string, QStringList> rows[] = {
        {"*Spain\r\n" + everyByte, {"Spain"}}, {"\r", {}}, {std::string((1 << 20) + 1, '\r'), {}}};
    for (const auto& [bytes, nations] : rows) {
        QDir(scratch.path()).removeRecursively();
        newWindow();
        const QString path = write("game/euro.cfg", bytes);
        open(path);
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(files(), (QStringList{"game/euro.cfg", "game/euro.cfg.bak"}));
        EXPECT_TRUE(read(path) == bytes && read(path + ".bak") == bytes);
        EXPECT_FALSE(window->findChild<QProgressBar*>("pbar")->isVisible());
        EXPECT_FALSE(label("lblInfo")->isVisible());
        EXPECT_EQ(nodeTexts(), nations);
    }
    // The CR ends the first club, and the byte after it is swallowed.
    open(write("game/euro.cfg", "*Spain\r\n" + everyByte));
    click("Spain");
    EXPECT_EQ(box("txtUCL_0")->text(), platform::decodeText(everyByte.substr(0, 13)));
    EXPECT_FALSE(state().bUnsaved) << "showing a record is no edit";
}

}  // namespace
}  // namespace velquor::test
