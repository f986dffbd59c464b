// What the editor's save warning gets from the reader: the findings of text
// a save drops, the same as in a full check, and few of them on any file.
#include <gtest/gtest.h>

#include "cfgfile/euro_reader.h"
#include "model/nation_catalogue.h"

using namespace velquor;
using namespace velquor::cfg;

namespace {

// "LINE: message" of each finding, and of those a save drops when droppedOnly.
std::vector<std::string> findings(const std::string& text, bool droppedOnly) {
    auto catalogue = BuildNationCatalogue();
    ReadOptions options;
    options.collectDiagnostics = true;
    options.droppedOnly = droppedOnly;
    std::vector<std::string> out;
    for (const Diagnostic& d : readEuro(text, *catalogue, FillNationNames(), options).diagnostics)
        if (droppedOnSave(d.kind))
            out.push_back(std::to_string(d.line) + ": " + d.message);
    return out;
}

}  // namespace

TEST(ReaderFindings, SaveWarningGetsExactlyWhatASaveDrops) {
    std::string text =
        "*Spain (old)\r\n Real \r\n   \r\n *Italy\r\nLF\nalone\r\nX\rY\r\n*Atlantis\r\nNobody\r\n"
        "*Andorra\r\nVall\r\n";
    for (int i = 0; i < 30; ++i)
        text += "Dropped\r\n";
    text += "*Spain\r\n";

    // Header text, an unknown nation's block, the first 20 clubs beyond
    // Andorra's one place, the second block for Spain, then one for the other 10.
    const std::vector<std::string> warned = findings(text, true);
    EXPECT_EQ(warned, findings(text, false));
    ASSERT_EQ(warned.size(), 24u);
    EXPECT_EQ(warned[0].substr(0, 12), "1: header \"*");
    EXPECT_EQ(warned[1].substr(0, 21), "8: header \"*Atlantis\"");
    EXPECT_EQ(warned[22].substr(0, 27), "42: second block for Spain ");
    EXPECT_EQ(warned[23],
              "32: \x85 and 10 more club lines beyond a nation's places, the last on line 41");

    // A file the save keeps whole has nothing to warn about, odd as it may be.
    EXPECT_TRUE(findings("*Spain \r\n Real \r\n   \r\n *Italy\r\nX\rY", true).empty());
}
