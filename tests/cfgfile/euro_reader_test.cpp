#include "cfgfile/euro_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cfgfile/file_error.h"
#include "model/nation_catalogue.h"

using namespace velquor;
using namespace velquor::cfg;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::string_literals;

namespace {

// Each named nation, in catalogue order, as "Name:place|place|...", trailing empty places cut.
std::string loaded(std::string_view text, ReadResult* result = nullptr) {
    auto catalogue = BuildNationCatalogue();
    const ReadResult r = readEuro(text, *catalogue, FillNationNames());
    if (result)
        *result = r;
    std::string all;
    for (const auto& e : *catalogue) {
        const auto& n = static_cast<const Liga&>(*e);
        if (n.LigaName.empty())
            continue;
        const std::string* places[] = {&n.UCL1,       &n.UCL2,       &n.UCL3,      &n.UCL4,
                                       &n.UEFA1,      &n.UEFA2,      &n.UEFA3,     &n.UEFA4,
                                       &n.Intertoto1, &n.Intertoto2, &n.Intertoto3};
        std::string line;
        for (int i = 0; i < 11; ++i)
            if (i < n.NUCL || (i >= 4 && i < 4 + n.NUEFA) || (i >= 8 && i < 8 + n.NIntertoto))
                line += *places[i] + "|";
        all += " " + n.LigaName + ":" + line.substr(0, line.find_last_not_of('|') + 1);
    }
    return all.empty() ? all : all.substr(1);
}

// "LINE: message" of each finding; dropped: 1 those a save drops, 2 those read with droppedOnly.
std::vector<std::string> findings(const std::string& text, int dropped = 0) {
    auto catalogue = BuildNationCatalogue();
    ReadOptions options;
    options.collectDiagnostics = true;
    options.droppedOnly = dropped == 2;
    std::vector<std::string> out;
    for (const Diagnostic& d : readEuro(text, *catalogue, FillNationNames(), options).diagnostics)
        if (dropped == 0 || droppedOnSave(d.kind))
            out.push_back(std::to_string(d.line) + ": " + d.message);
    return out;
}

}  // namespace

TEST(Reader, FollowsTheLoadLoopToTheCharacter) {
    const std::pair<std::string, std::string> rows[] = {
        // Places in running order, UCL, UEFA, Intertoto; empty lines take none; the rest is lost.
        {"\r\n*Germany\r\nC1\r\nC2\r\n\r\nC3\r\nC4\r\nU1\r\nU2\r\nU3\r\nI1\r\nI2\r\nExtra\r\n",
         "Germany:C1|C2|C3|C4|U1|U2|U3|I1|I2"},
        {"*Andorra\r\nFC Vall\r\n", "Andorra:FC Vall"},
        {"*Spain\r\n  *Spain in blanks \r\n \r\nA\0B\xFF\r\n"s,
         "Spain:  *Spain in blanks | |A\0B\xFF"s},
        // The first table name a header holds; unknown headers skip their clubs.
        {"*Spain v England\r\n", "England:"},
        {"*** Italy (Serie A) ***\r\n*Northern Ireland\r\n*Republic of Ireland\r\n",
         "Italy: Northern Ireland: Republic of Ireland:"},
        {"*Faeroe Islands\r\n*Lituania\r\n*Macedonia\r\n", "Faeroe Islands: Lituania: Macedonia:"},
        {"*Italy\r\nJuve\r\n*italy\r\nLost 1\r\n*\r\nLost 2\r\n*Wales\r\nCardiff\r\n",
         "Italy:Juve Wales:Cardiff"},
        {"*Atlantis\r\nNobody\r\n*Malta\r\nValletta\r\n", "Malta:Valletta"},
        {"*Spain\r\nA\r\nB\r\nC\r\n*Italy\r\n*Spain\r\nX\r\n", "Italy: Spain:X|B|C"},
        // Only CR ends a line, and it swallows the next byte whatever it is.
        {"*Wales\nCardiff\nSpain\n", "Spain:"},
        {"*Wales\rXCardiff\r\n", "Wales:Cardiff"},
        // A last line without a line end is read when it has two bytes or more.
        {"*Wales\r\nAB", "Wales:AB"},
        {"*Wales\r\nA", "Wales:"},
        {"A", ""},
        {"\r\r\r\r\r", ""},
    };
    for (const auto& [text, nations] : rows)
        EXPECT_EQ(loaded(text), nations) << text;

    ReadResult r;
    const std::pair<std::string, std::string> keys[] = {
        {"*Atlantis\r\n", ""}, {"*Malta\r\n*Atlantis\r\n", "Malta"}, {"*Malta\r\nX\r\n", "Malta"}};
    for (const auto& [text, key] : keys) {
        loaded(text, &r);
        EXPECT_EQ(r.currentKey, key) << text;
    }
    EXPECT_EQ((loaded("*Wales\nCardiff\n", &r), r.lines), 1);
    EXPECT_EQ((loaded("", &r), r.lines), 0);

    auto catalogue = BuildNationCatalogue();
    ReadOptions options;
    std::vector<std::size_t> positions;
    options.progress = [&](std::size_t p) { positions.push_back(p); };
    readEuro("\r\n*Malta\r\nHibs\r\n", *catalogue, FillNationNames(), options);
    EXPECT_THAT(positions, ElementsAre(1, 3, 11));
}

TEST(Reader, ClubLineBeforeTheFirstHeaderFailsAndKeepsItsFindings) {
    auto catalogue = BuildNationCatalogue();
    std::vector<Diagnostic> noted;
    ReadOptions options;
    options.file = "/some/euro.cfg";
    options.collectDiagnostics = true;
    options.diagnosticsOut = &noted;
    try {
        readEuro("\r\n\rX\nOrphan\nFC\r\n*Malta\r\n", *catalogue, FillNationNames(), options);
        FAIL() << "loaded";
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::OrphanClubLine);
        EXPECT_EQ(e.line(), 3);
        EXPECT_THAT(e.what(), HasSubstr("/some/euro.cfg:3: club line \"\nOrphan\nFC\""));
    }
    std::vector<std::string> seen;
    for (const Diagnostic& d : noted)
        seen.push_back(std::to_string(d.line) +
                       (d.severity == Diagnostic::Severity::Error ? " error: " : " warning: ") +
                       d.message.substr(0, 20));
    EXPECT_THAT(seen,
                ElementsAre("2 warning: CR not followed by L", "3 warning: line ends with LF al",
                            "3 error: club line \"\nOrphan\nF"));

    // A successful read notes its findings there too, none in the result; without
    // collectDiagnostics nothing is noted.
    noted.clear();
    EXPECT_TRUE(readEuro("*Malta\r\n*Malta\r\n", *catalogue, FillNationNames(), options)
                    .diagnostics.empty());
    EXPECT_THAT(noted, ElementsAre(::testing::Field(&Diagnostic::line, 2)));
    noted.clear();
    options.collectDiagnostics = false;
    EXPECT_THROW(readEuro("Orphan\r\n", *catalogue, FillNationNames(), options), FileError);
    EXPECT_TRUE(noted.empty());
}

TEST(Reader, FindingsCutLongTextsShowOddBytesInHexAndTheSaveWarningGetsWhatASaveDrops) {
    const std::string forty(40, 'B');
    const std::pair<std::string, std::string> shown[] = {
        {"*Andorra\r\nA\r\n" + forty + "\r\n", "3: club line \"" + forty + "\" is beyond"},
        {"*Andorra\r\nA\r\n" + forty + "C\r\n", "3: club line \"" + forty + "...\" is beyond"},
        {"*Malta\r\n\x01", "2: the last character, byte 0x01, stands alone"},
        {"*Malta\r\n\xAF", "2: the last character, byte 0xAF, stands alone"},
        {"*Malta\r\n\x7F", "2: the last character, byte 0x7F, stands alone"},
        {"*Malta\r\n\x1F", "2: the last character, byte 0x1F, stands alone"},
        {"*Malta\r\n ", "2: the last character, ' ', stands alone"},
        {"*Malta\r\n~", "2: the last character, '~', stands alone"},
    };
    for (const auto& [text, message] : shown)
        EXPECT_THAT(findings(text), ElementsAre(::testing::StartsWith(message))) << text;

    std::string text =
        "*Spain (old)\r\n Real \r\n   \r\n *Italy\r\nLF\nalone\r\nX\rY\r\n*Atlantis\r\nNobody\r\n"
        "*Andorra\r\nVall\r\n";
    for (int i = 0; i < 30; ++i)
        text += "Dropped\r\n";
    text += "*Spain\r\n";
    // Header text, an unknown nation's block, the first 20 clubs beyond Andorra's
    // one place, the second block for Spain, then one for the other 10.
    const std::vector<std::string> warned = findings(text, 2);
    EXPECT_EQ(warned, findings(text, 1));
    ASSERT_EQ(warned.size(), 24u);
    EXPECT_THAT(warned[0], ::testing::StartsWith("1: header \"*Spain (old)\""));
    EXPECT_THAT(warned[1], ::testing::StartsWith("8: header \"*Atlantis\""));
    EXPECT_THAT(warned[22], ::testing::StartsWith("42: second block for Spain "));
    EXPECT_EQ(warned[23],
              "32: \x85 and 10 more club lines beyond a nation's places, the last on line 41");
    EXPECT_TRUE(findings("*Spain \r\n Real \r\n   \r\n *Italy\r\nX\rY", 2).empty());
}

TEST(Reader, HeaderNationIsTheFirstTableNameInTheLineForAnyTable) {
    // One pass over the header must pick what a plain search of every name in
    // table order picks, also for names inside other names, an empty name or a "*".
    const std::vector<NationNames> tables = {
        FillNationNames(),           {"Malta", "Spain", "Spai"},   {"pain", "Spain", "Wales"},
        {"Wales", "*Spa", "Spain"},  {"Spain", "", "Wales"},       {"*", "Spain"},
        {"spain", "Italy", "Spain"}, {"Italy", "Ital", "It", "I"},
    };
    const std::string headers[] = {"*Spain",
                                   "*Spai",
                                   "*Spain v England",
                                   "*** Italy ***",
                                   "*",
                                   "*S",
                                   "*I",
                                   "*Northern Ireland",
                                   "*EnglandSpain",
                                   "*SpainEngland",
                                   "*SSpain",
                                   "*Englan",
                                   "*spain",
                                   "*Spain\0"s,
                                   "*Wales Spain",
                                   "*ItalySpain",
                                   "**Spa",
                                   "*Republic of Ireland and Northern Ireland"};
    for (const NationNames& names : tables) {
        for (const std::string& header : headers) {
            SCOPED_TRACE(::testing::PrintToString(names) + " " + header);
            auto catalogue = BuildNationCatalogue();
            const int m = matchNation(names, header);
            const bool known = m >= 0 && findNation(*catalogue, names[m]) != nullptr;
            EXPECT_EQ(readEuro(header + "\r\n", *catalogue, names).currentKey,
                      known ? names[m] : "");
        }
    }
}
