#include "cfgfile/cp1252.h"
#include "cfgfile/euro_reader.h"
#include "cfgfile/euro_writer.h"

#include <gmock/gmock.h>

#include <sstream>

#include "cfgfile/file_error.h"
#include "cfgfile/recovery_record.h"
#include "model/competition.h"
#include "model/nation_catalogue.h"

using namespace velquor;
using namespace velquor::cfg;
using namespace ::testing;
using namespace std::string_literals;

// Each named nation, in catalogue order, as "Name:place|place|..." over all eleven places,
// trailing empty ones cut.
static std::string named(const mtxU_Collection& catalogue) {
    std::string all;
    for (const Liga& n : namedNations(catalogue)) {
        std::string line;
        for (const Competition& competition : kCompetitions)
            for (int place = 1; place <= competition.room; ++place)
                line += *competition.place(n, place) + "|";
        all += n.LigaName + ":" + line.substr(0, line.find_last_not_of('|') + 1) + " ";
    }
    return all;
}

// named() of text read, then "@" and the last nation recognised.
static std::string loaded(std::string_view text) {
    auto catalogue = BuildNationCatalogue();
    const std::string last = readEuro(text, *catalogue, FillNationNames()).currentKey;
    return named(*catalogue) + "@" + last;
}

// All findings; of all, those of text a save drops; or what a read noting only those gives.
enum class Noting { All, DroppedOfAll, DroppedOnly };

// The message of a refusal, then "LINE: message" of each finding, also of a refused file.
static std::vector<std::string> findings(const std::string& text, Noting noting = Noting::All) {
    auto catalogue = BuildNationCatalogue();
    std::vector<Diagnostic> noted;
    ReadOptions options;
    options.file = "/some/euro.cfg";
    options.collectDiagnostics = true;
    options.droppedOnly = noting == Noting::DroppedOnly;
    options.diagnosticsOut = &noted;
    std::vector<std::string> out;
    try {
        readEuro(text, *catalogue, FillNationNames(), options);
    } catch (const FileError& e) {
        out.push_back(e.kind() == FileError::Kind::OrphanClubLine ? e.what() : "?");
    }
    for (const Diagnostic& d : noted)
        if (noting == Noting::All || droppedOnSave(d.kind))
            out.push_back(std::to_string(d.line) + ": " + d.message);
    return out;
}

TEST(Reader, FollowsTheLoadLoopToTheCharacter) {
    const std::pair<std::string, std::string> rows[] = {
        // Places in running order, UCL, UEFA, Intertoto; empty lines take none; the rest is lost.
        {"\r\n*Germany\r\nC1\r\nC2\r\n\r\nC3\r\nC4\r\nU1\r\nU2\r\nU3\r\nI1\r\nI2\r\nExtra\r\n",
         "Germany:C1|C2|C3|C4|U1|U2|U3||I1|I2 @Germany"},
        {"*Andorra\r\nFC Vall\r\n", "Andorra:||||FC Vall @Andorra"},
        {"*Spain\r\n  *Spain in blanks \r\n \r\nA\0B\xFF\r\n"s,
         "Spain:  *Spain in blanks | |A\0B\xFF @Spain"s},
        // The first table name a header holds; unknown headers skip their clubs.
        {"*Spain v England\r\n*** Italy (Serie A) ***\r\n*Northern Ireland\r\n*Faeroe Islands\r\n"
         "*Republic of Ireland\r\n*Lituania\r\n*Macedonia\r\n",
         "England: Faeroe Islands: Italy: Lituania: Macedonia: Northern Ireland: "
         "Republic of Ireland: @Macedonia"},
        {"*Atlantis\r\nX\r\n*Italy\r\nJ\r\n*italy\r\nL\r\n*\r\nL\r\n*Wales\r\nC\r\n*Atlantis\r\n",
         "Italy:J Wales:C @Wales"},
        {"*Spain\r\nA\r\nB\r\nC\r\n*Italy\r\n*Spain\r\nX\r\n", "Italy: Spain:X|B|C @Spain"},
        // Only CR ends a line, and it swallows the next byte whatever it is.
        {"*Wales\nCardiff\nSpain\n", "Spain: @Spain"},
        {"*Wales\rXCardiff\r\n", "Wales:Cardiff @Wales"},
        // A last line without a line end is read when it has two bytes or more.
        {"*Wales\r\nAB", "Wales:AB @Wales"},
        {"*Wales\r\nA", "Wales: @Wales"},
        {"A", "@"},
        {"\r\r\r\r\r", "@"}};
    for (const auto& [text, nations] : rows)
        EXPECT_EQ(loaded(text), nations) << text;
}

TEST(Reader, FindingsCutLongTextsShowOddBytesInHexAndTheSaveWarningGetsWhatASaveDrops) {
    const std::string forty(40, 'B');
    EXPECT_THAT(findings("*Andorra\r\nA\r\n" + forty + "\r\n"),
                ElementsAre(StartsWith("3: club line \"" + forty + "\" is beyond")));
    EXPECT_THAT(findings("*Andorra\r\nA\r\n" + forty + "C\r\n"),
                ElementsAre(StartsWith("3: club line \"" + forty + "...\" is beyond")));
    const std::pair<char, std::string> lastBytes[] = {{'\x01', "byte 0x01"}, {'\xAF', "byte 0xAF"},
                                                      {'\x7F', "byte 0x7F"}, {'\x1F', "byte 0x1F"},
                                                      {' ', "' '"},          {'~', "'~'"}};
    for (const auto& [byte, shown] : lastBytes)
        EXPECT_THAT(findings("*Malta\r\n"s + byte),
                    ElementsAre(StartsWith("2: the last character, " + shown + ", stands alone")));
    // A refused file keeps its findings: the LF one explains the refusal.
    EXPECT_THAT(
        findings("\r\n\rX\nO\nF\r\n*Malta\r\n"),
        ElementsAre(HasSubstr("/some/euro.cfg:3: club line \"\nO\nF\" comes before"),
                    StartsWith("2: CR not followed by LF"), StartsWith("3: line ends with LF"),
                    EndsWith("the editor refuses the file")));

    // What the save warning gets is what a full check finds of text a save drops:
    // header text, an unknown block, 20 clubs beyond Andorra's place, then one for the rest.
    std::string text = "*Spain (old)\r\n Real \r\nLF\nX\rY\r\n*Atlantis\r\n*Andorra\r\nVall\r\n";
    for (int i = 0; i < 30; ++i)
        text += "Dropped\r\n";
    const std::vector<std::string> warned = findings(text + "*Spain\r\n", Noting::DroppedOnly);
    EXPECT_EQ(warned, findings(text + "*Spain\r\n", Noting::DroppedOfAll));
    ASSERT_EQ(warned.size(), 24u);
    EXPECT_EQ(warned[23],
              "28: \x85 and 10 more club lines beyond a nation's places, the last on line 37");
    EXPECT_EQ(findings(text.substr(0, text.size() - 9 * 9)).back(),  // 21 dropped: no "last"
              "28: \x85 and 1 more club line beyond a nation's places");
    EXPECT_THAT(findings("*Spain \r\n Real \r\n   \r\n *Italy\r\nX\rY", Noting::DroppedOnly),
                IsEmpty());
}

TEST(Reader, HeaderNationIsTheFirstTableNameInTheLineForAnyTable) {
    // One pass over the header must pick what a plain search of every name in
    // table order picks, also for names inside other names, an empty name or a "*".
    const std::vector<NationNames> tables = {
        FillNationNames(),           {"Malta", "Spain", "Spai"},  {"pain", "Spain", "Wales"},
        {"Wales", "*Spa", "Spain"},  {"Spain", "", "Wales"},      {"*", "Spain"},
        {"spain", "Italy", "Spain"}, {"Italy", "Ital", "It", "I"}};
    std::istringstream headers(
        "*Spain|*Spai|*Spain v England|*** Italy ***|*|*S|*I|*Northern Ireland|*EnglandSpain|"
        "*SpainEngland|*SSpain|*Englan|*spain|*Spain\0|*Wales Spain|*ItalySpain|**Spa|"
        "*Republic of Ireland and Northern Ireland"s);
    for (std::string header; std::getline(headers, header, '|');)
        for (const NationNames& names : tables) {
            SCOPED_TRACE(::testing::PrintToString(names) + " " + header);
            auto c = BuildNationCatalogue();
            const int m = matchNation(names, header);
            const bool known = m >= 0 && findNation(*c, names[m]) != nullptr;
            EXPECT_EQ(readEuro(header + "\r\n", *c, names).currentKey, known ? names[m] : "");
        }
}

TEST(Writer, WritesNamedNationsInCatalogueOrderWithTheClubsOfTheirPlaces) {
    auto catalogue = BuildNationCatalogue();
    EXPECT_EQ(formatEuro(*catalogue), "");
    for (const char* nation : {"Albania", "Spain", "Italy", "Wales"})
        findNation(*catalogue, nation)->LigaName = nation;
    auto albania = findNation(*catalogue, "Albania"), spain = findNation(*catalogue, "Spain"),
         italy = findNation(*catalogue, "Italy");
    albania->UCL1 = "Club A";
    albania->UEFA2 = "Club B";
    spain->UCL2 = "Second";
    spain->UEFA4 = "Fourth";
    spain->Intertoto3 = "Beyond Spain's two Intertoto places";
    italy->NUCL = 6;  // more places than the record has room for
    italy->NUEFA = 0;
    italy->UCL4 = "Four";
    italy->UEFA1 = "Not offered";
    EXPECT_EQ(formatEuro(*catalogue),
              "\r\n*Albania\r\nClub A\r\nClub B\r\n\r\n*Italy\r\nFour\r\n"
              "\r\n*Spain\r\nSecond\r\nFourth\r\n\r\n*Wales\r\n");
    EXPECT_THAT(nationsWithGaps(*catalogue), ElementsAre("Albania", "Italy", "Spain"));
}

TEST(RecoveryRecord, GivesBackEveryPlaceOfTheEditedNationsGapsAndOddClubsIncluded) {
    auto edited = BuildNationCatalogue();
    readEuro("\r\n*Germany\r\nC1\r\nC2\r\nC3\r\n*Malta\r\nHibs\r\n*Spain\r\nS1\r\n", *edited,
             FillNationNames());
    Liga& germany = *findNation(*edited, "Germany");
    germany.UCL1.clear();  // the writer would move C2 up to the first place
    germany.UCL3.clear();
    germany.UEFA2 = " ";
    germany.Intertoto2 = "Line\nfeed";
    const std::string record = formatRecovery({"2026-12-08T06:00:00Z", "ab12"}, *edited,
                                              {"Germany", "Malta", "Italy"});  // Italy unnamed
    auto target = BuildNationCatalogue();
    readEuro("\r\n*Spain\r\nTheirs\r\n*Germany\r\nX1\r\nX2\r\nX3\r\nX4\r\nX5\r\n", *target,
             FillNationNames());
    EXPECT_THAT(recoverInto(record, *target, FillNationNames()), ElementsAre("Germany", "Malta"));
    EXPECT_EQ(named(*target), "Germany:|C2|||| ||||Line\nfeed Malta:Hibs Spain:Theirs ");
    const RecoveryFacts facts = readRecoveryFacts(record);
    EXPECT_EQ(facts.time, "2026-12-08T06:00:00Z");
    EXPECT_EQ(facts.stamp, "ab12");
    std::string misfit = record;  // fewer marks than Germany has places
    misfit.replace(misfit.find("places 010001001"), 16, "places 01");
    for (const std::string& no : {"Velquor"s, record.substr(1), misfit})
        EXPECT_THROW(recoverInto(no, *target, FillNationNames()), std::runtime_error) << no;
}

TEST(Cp1252, EveryByteBothWaysAndAsUtf8) {
    // 0x80 to 0x9F; the five bytes the code page leaves undefined are the C1
    // controls of the same value. Below and above, the byte is its code point.
    const std::string high =
        "\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D"
        "\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A"
        "\u0153\u009D\u017E\u0178";
    std::string bytes, utf8;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
        utf8 += b < 0x80    ? std::string(1, char(b))
                : b == 0x80 ? high
                : b < 0xA0  ? ""
                            : std::string{char(0xC0 | b >> 6), char(0x80 | (b & 0x3F))};
        ASSERT_EQ(unicodeToCp1252(cp1252ToUnicode(static_cast<unsigned char>(b))), b);
    }
    EXPECT_EQ(cp1252ToUtf8(bytes), utf8);
    for (char32_t none : {U'\u0080', U'\u009F', U'\u0100', U'\u2012', U'\U0001F600'})
        EXPECT_EQ(unicodeToCp1252(none), std::nullopt) << static_cast<int>(none);
}
