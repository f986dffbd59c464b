#include "cfgfile/euro_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cfgfile/file_error.h"
#include "model/nation_catalogue.h"

using namespace velquor;
using namespace velquor::cfg;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::string_literals;

namespace {

struct Loaded {
    std::shared_ptr<mtxU_Collection> catalogue = BuildNationCatalogue();
    ReadResult result;
    Liga& operator[](const char* name) const { return *findNation(*catalogue, name); }
    std::vector<std::string> named() const {
        std::vector<std::string> out;
        for (const auto& e : *catalogue)
            if (auto& rec = static_cast<const Liga&>(*e); !rec.LigaName.empty())
                out.push_back(rec.LigaName);
        return out;
    }
};

Loaded load(std::string_view text, bool diagnostics = false) {
    Loaded loaded;
    ReadOptions options;
    options.collectDiagnostics = diagnostics;
    loaded.result = readEuro(text, *loaded.catalogue, FillNationNames(), options);
    return loaded;
}

std::vector<std::string> findings(std::string_view text) {
    std::vector<std::string> out;
    for (const Diagnostic& d : load(text, true).result.diagnostics)
        out.push_back(std::to_string(d.line) + ": " + d.message);
    return out;
}

}  // namespace

TEST(Reader, ClubLinesFillPlacesInRunningOrder) {
    // Germany: 4 Champions League, 3 UEFA Cup, 2 Intertoto places.
    const auto g =
        load("\r\n*Germany\r\nC1\r\nC2\r\n\r\nC3\r\nC4\r\nU1\r\nU2\r\nU3\r\nI1\r\nI2\r\nExtra\r\n");
    const Liga& de = g["Germany"];
    EXPECT_EQ(de.LigaName, "Germany");
    EXPECT_EQ(de.UCL1 + de.UCL2 + de.UCL3 + de.UCL4, "C1C2C3C4");  // empty lines do not count
    EXPECT_EQ(de.UEFA1 + de.UEFA2 + de.UEFA3, "U1U2U3");
    EXPECT_TRUE(de.UEFA4.empty());
    EXPECT_EQ(de.Intertoto1 + de.Intertoto2, "I1I2");
    EXPECT_TRUE(de.Intertoto3.empty());
    EXPECT_EQ(g.result.currentKey, "Germany");
    EXPECT_THAT(g.named(), ElementsAre("Germany"));

    // Andorra has no Champions League place: its first club is its UEFA Cup club.
    EXPECT_EQ(load("*Andorra\r\nFC Vall\r\n")["Andorra"].UEFA1, "FC Vall");
}

TEST(Reader, ClubNamesAreTakenVerbatim) {
    const auto l = load("*Spain\r\n  *Spain in blanks \r\n \r\nA\0B\xFF\r\n"s);
    EXPECT_EQ(l["Spain"].UCL1, "  *Spain in blanks ");
    EXPECT_EQ(l["Spain"].UCL2, " ");
    EXPECT_EQ(l["Spain"].UCL3, "A\0B\xFF"s);
}

TEST(Reader, HeaderTakesTheFirstTableNameItHolds) {
    EXPECT_THAT(load("*Spain v England\r\n").named(), ElementsAre("England"));
    EXPECT_THAT(load("*England v Spain\r\n").named(), ElementsAre("England"));
    EXPECT_THAT(load("*Northern Ireland\r\n*Republic of Ireland\r\n").named(),
                ElementsAre("Northern Ireland", "Republic of Ireland"));
    EXPECT_THAT(load("*** Italy (Serie A) ***\r\n").named(), ElementsAre("Italy"));
    EXPECT_THAT(load("*Faeroe Islands\r\n*Lituania\r\n*Macedonia\r\n").named(),
                ElementsAre("Faeroe Islands", "Lituania", "Macedonia"));
}

TEST(Reader, UnknownHeaderSkipsItsClubsWithoutTouchingThePreviousNation) {
    const auto l =
        load("*Italy\r\nJuve\r\n*italy\r\nLost 1\r\n*\r\nLost 2\r\n*Wales\r\nCardiff\r\n");
    EXPECT_EQ(l["Italy"].UCL1, "Juve");
    EXPECT_TRUE(l["Italy"].UCL2.empty());
    EXPECT_EQ(l["Wales"].UCL1, "Cardiff");
    EXPECT_THAT(l.named(), ElementsAre("Italy", "Wales"));

    // An unknown header before any known one is still a header.
    const auto first = load("*Atlantis\r\nNobody\r\n*Malta\r\nValletta\r\n");
    EXPECT_EQ(first["Malta"].UCL1, "Valletta");
    EXPECT_EQ(load("*Atlantis\r\n").result.currentKey, "");
    EXPECT_EQ(load("*Malta\r\n*Atlantis\r\n").result.currentKey, "Malta");
}

TEST(Reader, ClubLineBeforeTheFirstHeaderFailsWithItsLine) {
    EXPECT_NO_THROW(load("\r\n\r\n*Malta\r\n"));
    auto catalogue = BuildNationCatalogue();
    ReadOptions options;
    options.file = "/some/euro.cfg";
    try {
        readEuro("\r\n\r\nOrphan FC\r\n*Malta\r\n", *catalogue, FillNationNames(), options);
        FAIL() << "loaded";
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::OrphanClubLine);
        EXPECT_EQ(e.line(), 3);
        EXPECT_THAT(e.what(), HasSubstr("/some/euro.cfg:3: "));
        EXPECT_THAT(e.what(), HasSubstr("Orphan FC"));
    }
}

TEST(Reader, SecondBlockStartsAgainAtTheFirstPlace) {
    const auto l = load("*Spain\r\nA\r\nB\r\nC\r\n*Italy\r\n*Spain\r\nX\r\n");
    EXPECT_EQ(l["Spain"].UCL1, "X");
    EXPECT_EQ(l["Spain"].UCL2, "B");
    EXPECT_EQ(l["Spain"].UCL3, "C");
}

TEST(Reader, LineEndsFollowTheCharacterRules) {
    // LF alone ends no line: the whole file is one header line, and the first
    // table name found anywhere in it wins.
    const auto lf = load("*Wales\nCardiff\nSpain\n");
    EXPECT_THAT(lf.named(), ElementsAre("Spain"));
    EXPECT_TRUE(lf["Spain"].UCL1.empty());
    EXPECT_EQ(lf.result.lines, 1);

    // The character after a CR is skipped whatever it is.
    EXPECT_EQ(load("*Wales\rXCardiff\r\n")["Wales"].UCL1, "Cardiff");

    // A last line without a line end is read when it has two characters or more.
    EXPECT_EQ(load("*Wales\r\nAB")["Wales"].UCL1, "AB");
    EXPECT_TRUE(load("*Wales\r\nA")["Wales"].UCL1.empty());
    EXPECT_NO_THROW(load("A"));  // a lone character is never read, so it is no orphan
    EXPECT_EQ(load("").result.lines, 0);
    EXPECT_NO_THROW(load("\r\r\r\r\r"));
}

TEST(Reader, ZeroCountsTakeNoLines) {
    Loaded l;
    auto wales = findNation(*l.catalogue, "Wales");
    wales->NUCL = wales->NUEFA = wales->NIntertoto = 0;
    readEuro("*Wales\r\nIgnored\r\n", *l.catalogue, FillNationNames());
    EXPECT_EQ(wales->LigaName, "Wales");
    EXPECT_TRUE(wales->UCL1.empty() && wales->UEFA1.empty() && wales->Intertoto1.empty());
}

TEST(Reader, ReportsProgressOncePerLine) {
    auto catalogue = BuildNationCatalogue();
    std::vector<std::size_t> positions;
    ReadOptions options;
    options.progress = [&](std::size_t p) { positions.push_back(p); };
    readEuro("\r\n*Malta\r\nHibs\r\n", *catalogue, FillNationNames(), options);
    EXPECT_THAT(positions, ElementsAre(1, 3, 11));
}

TEST(Reader, FindingsCutLongTextsAndShowOddBytesInHex) {
    // Texts are cut after 40 characters; bytes outside printable ASCII go in hex.
    const std::string forty(40, 'B');
    const std::pair<std::string, std::string> shown[] = {
        {"*Andorra\r\nA\r\n" + forty + "\r\n", "3: club line \"" + forty + "\" is beyond"},
        {"*Andorra\r\nA\r\n" + forty + "C\r\n", "3: club line \"" + forty + "...\" is beyond"},
        {"*Malta\r\n\x01", "the last character, byte 0x01, stands alone"},
        {"*Malta\r\n\xAF", "the last character, byte 0xAF, stands alone"},
        {"*Malta\r\n\x7F", "the last character, byte 0x7F, stands alone"},
        {"*Malta\r\n\x1F", "the last character, byte 0x1F, stands alone"},
        {"*Malta\r\n ", "the last character, ' ', stands alone"},
        {"*Malta\r\n~", "the last character, '~', stands alone"},
    };
    for (const auto& [text, message] : shown)
        EXPECT_THAT(findings(text), Contains(HasSubstr(message))) << text;
}

TEST(Reader, FindingsOfARefusedFileSurviveTheFailure) {
    // An LF-only file that does not start with "*" is one orphan club line: the
    // LF finding explains the refusal, so it must not be lost with the load.
    auto catalogue = BuildNationCatalogue();
    std::vector<Diagnostic> noted;
    ReadOptions options;
    options.collectDiagnostics = true;
    options.diagnosticsOut = &noted;
    EXPECT_THROW(
        readEuro("\r\n\rX\nOrphan\nFC\r\n*Malta\r\n", *catalogue, FillNationNames(), options),
        FileError);
    ASSERT_EQ(noted.size(), 3u);
    EXPECT_EQ(noted[0].line, 2);
    EXPECT_THAT(noted[0].message, HasSubstr("swallows 'X'"));
    EXPECT_EQ(noted[1].line, 3);
    EXPECT_EQ(noted[1].severity, Diagnostic::Severity::Warning);
    EXPECT_THAT(noted[1].message, HasSubstr("LF alone"));
    EXPECT_EQ(noted[2].line, 3);
    EXPECT_EQ(noted[2].severity, Diagnostic::Severity::Error);
    EXPECT_THAT(noted[2].message, HasSubstr("before the first nation header"));

    // A successful read puts its findings there too, and none in the result.
    noted.clear();
    const ReadResult result =
        readEuro("*Malta\r\n*Malta\r\n", *catalogue, FillNationNames(), options);
    EXPECT_TRUE(result.diagnostics.empty());
    EXPECT_THAT(noted, ElementsAre(::testing::Field(&Diagnostic::line, 2)));

    // Without collectDiagnostics nothing is noted.
    noted.clear();
    options.collectDiagnostics = false;
    EXPECT_THROW(readEuro("Orphan\r\n", *catalogue, FillNationNames(), options), FileError);
    EXPECT_TRUE(noted.empty());
}

TEST(Reader, HeaderNationIsTheFirstTableNameInTheLineForAnyTable) {
    // The reader matches headers in one pass; it must pick what a plain
    // search of every name in table order picks, also for tables with
    // names inside other names, an empty name or a "*" in a name.
    const std::vector<NationNames> tables = {
        FillNationNames(),           {"Malta", "Spain", "Spai"},   {"pain", "Spain", "Wales"},
        {"Wales", "*Spa", "Spain"},  {"Spain", "", "Wales"},       {"*", "Spain"},
        {"spain", "Italy", "Spain"}, {"Italy", "Ital", "It", "I"},
    };
    const std::vector<std::string> headers = {
        "*Spain",
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
        "*Republic of Ireland and Northern Ireland",
    };
    for (const NationNames& names : tables) {
        for (const std::string& header : headers) {
            SCOPED_TRACE(::testing::PrintToString(names) + " " + header);
            auto catalogue = BuildNationCatalogue();
            const int m = matchNation(names, header);
            const bool known = m >= 0 && findNation(*catalogue, names[m]) != nullptr;
            const ReadResult r = readEuro(header + "\r\n", *catalogue, names);
            EXPECT_EQ(r.currentKey, known ? names[m] : "");
        }
    }
}
