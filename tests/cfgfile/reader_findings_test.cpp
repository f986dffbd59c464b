// What the editor's save warning gets from the reader: the findings of text
// a save drops, the same as in a full check, and few of them on any file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cfgfile/euro_reader.h"
#include "model/nation_catalogue.h"

using namespace velquor;
using namespace velquor::cfg;

namespace {

std::vector<Diagnostic> findings(const std::string& text, bool droppedOnly) {
    auto catalogue = BuildNationCatalogue();
    ReadOptions options;
    options.collectDiagnostics = true;
    options.droppedOnly = droppedOnly;
    return readEuro(text, *catalogue, FillNationNames(), options).diagnostics;
}

std::vector<std::string> described(const std::vector<Diagnostic>& found) {
    std::vector<std::string> out;
    for (const Diagnostic& d : found)
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

    const std::vector<Diagnostic> all = findings(text, false);
    std::vector<Diagnostic> dropped;
    std::copy_if(all.begin(), all.end(), std::back_inserter(dropped),
                 [](const Diagnostic& d) { return droppedOnSave(d.kind); });
    const std::vector<Diagnostic> warned = findings(text, true);
    EXPECT_EQ(described(warned), described(dropped));

    // Header text, an unknown nation's block, the clubs beyond Andorra's one
    // place (20 of them) and the second block for Spain; at the end one for
    // the other 10 clubs.
    using Kind = Diagnostic::Kind;
    std::vector<Kind> kinds;
    for (const Diagnostic& d : warned)
        kinds.push_back(d.kind);
    std::vector<Kind> expected = {Kind::HeaderText, Kind::UnknownHeader};
    expected.insert(expected.end(), 20, Kind::DroppedClub);
    expected.push_back(Kind::SecondBlock);
    expected.push_back(Kind::DroppedClub);
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(warned[23].more, 10);
    EXPECT_EQ(warned[23].line, 32);
    EXPECT_EQ(std::count_if(warned.begin(), warned.end(), [](auto& d) { return d.more; }), 1);

    // A file the save keeps whole has nothing to warn about, odd as it may be.
    EXPECT_TRUE(findings("*Spain \r\n Real \r\n   \r\n *Italy\r\nX\rY", true).empty());
}
