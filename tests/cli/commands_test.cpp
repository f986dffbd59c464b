// The commands in process: what each prints and answers, also for files no
// editor wrote, never touching an output it was not allowed to write.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <regex>

#include "cfgfile/euro_reader.h"
#include "cli_fixture.h"

using namespace velquor::cli;
using velquor::test::IsPlain;
using velquor::test::kSample;
using velquor::test::Outcome;
using Json = nlohmann::json;
using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using namespace std::string_literals;

using Commands = velquor::test::CliTest;

TEST_F(Commands, DumpShowsEveryPlaceDecodedAsWindows1252AndLeavesOutUnnamedNations) {
    // Germany has 4 + 3 + 2 places, Andorra 0 + 1 + 0, beyond which a club is dropped. The five
    // bytes the code page leaves undefined become the C1 controls of that value.
    const Outcome d = dump(write("euro.cfg",
                                 "*Germany\r\n\x80 M\xFCnchen \x85\x99\r\n\x81\x8D\x8F\x90\x9D\r\n"
                                 "*Atlantis\r\nNobody\r\n*Andorra\r\nVall\r\nDropped\r\n"));
    ASSERT_EQ(d.code, kExitOk);
    EXPECT_EQ(Json::parse(d.out), Json::parse(R"({"nations": [
        {"name": "Andorra", "UCL": [], "UEFA": ["Vall"], "Intertoto": []},
        {"name": "Germany", "UCL": ["\u20AC M\u00FCnchen \u2026\u2122", "\u0081\u008D\u008F\u0090\u009D", "", ""],
         "UEFA": ["", "", ""], "Intertoto": ["", ""]}]})"));
    // Keys in the documented order.
    EXPECT_THAT(d.out, HasSubstr("\"name\": \"Andorra\",\n      \"UCL\": [],\n      \"UEFA\": [\n"
                                 "        \"Vall\"\n      ],\n      \"Intertoto\": []"));
}

TEST_F(Commands, CheckReportsEachSurpriseAtItsLine) {
    // At most 20 of a kind, then one line for the rest.
    std::string manyDropped = "*Andorra\r\nVall\r\n", manyBlank = "*Malta\r\n*Atlantis\r\n";
    for (int i = 0; i < 1000; ++i)
        manyDropped += "Dropped\r\n";
    for (int i = 0; i < 21; ++i)
        manyBlank += " \r\n";
    const std::vector<std::string> twentyOne(21, "");  // a header, then 20 of a kind
    std::vector<std::string> twentyAndMore(20, ""), twentyAndOne = twentyOne;
    twentyAndMore.push_back(
        "23: \u2026 and 980 more club lines beyond a nation's places, the last on line 1002");
    twentyAndOne.push_back("23: \u2026 and 1 more club line of blanks only");
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        // LINE: the start of each message, a warning unless it says error
        {read(kSample), {}},
        {"* Spain \r\nReal Madrid\r\n", {}},
        {"*", {"1: the last character, '*', stands alone", "1: no header names"}},
        {"*Malta\nH\n",
         {"1: line ends", "1: header \"*Malta\\x0AH\\x0A\" is written back as \"*Malta"}},
        {"*Malta\r\nHibs\rXSliema\r\n", {"2: CR not followed by LF swallows 'X'"}},
        {"*Malta\r\n\r\x01\r\n", {"2: CR not followed by LF swallows byte 0x01"}},
        {"*Malta\r\n*Atlantis\r\nX\r\n", {"2: header \"*Atlantis\" names no nation; it and its"}},
        {"*Malta\r\n\r\n*wales\r\n", {"3: header \"*wales\" names no nation: \"wales\""}},
        {"*Spain v England\r\n", {"1: header names several nations (England, Spain)"}},
        {"*Spain (old)\r\n", {"1: header \"*Spain (old)\" is written back as \"*Spain\": the "}},
        {"*Spain\r\n *England\r\n", {"2: line \" *England\" starts with blanks before"}},
        {"*Spain\r\nR \r\n\tB\r\n",
         {"2: club name \"R \" has leading or trailing blanks", "3: club name \"\\x09B\" has"}},
        {"*Spain\r\n   \r\n", {"2: club line \"   \" holds only blanks: it is read as a"}},
        {"*Andorra\r\nA\r\nX\r\n", {"3: club line \"X\" is beyond Andorra's 1 place and is"}},
        {"*Germany\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\nX\r\n",
         {"11: club line \"X\" is beyond Germany's 9"}},
        {"*Malta\r\nHibs\r\n*Malta\r\n", {"3: second block for Malta"}},
        {"\r\n\r\nLost\r\n*Malta\r\n", {"3: error: club line \"Lost\" comes before the first"}},
        // An LF-only file not starting with "*" is one orphan club line; the LF finding says why.
        {"\nTi\n*Albania\n", {"1: line ends with LF", "1: error: club line \"\\x0ATi\\x0A*Alb"}},
        {manyDropped, twentyAndMore},
        {manyBlank, twentyAndOne},
        {manyBlank.substr(0, manyBlank.size() - 3), twentyOne},
    };
    for (const auto& [text, findings] : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        const std::string file = write("euro.cfg", text);
        const Outcome r = check(file);
        EXPECT_EQ(r.code, findings.empty() ? kExitOk : kExitFailed);
        std::istringstream in(r.out);
        std::size_t i = 0;
        for (std::string line; std::getline(in, line); ++i)
            EXPECT_THAT(std::regex_replace(line, std::regex(": warning:"), ":"),
                        StartsWith(file + ":" + (i < findings.size() ? findings[i] : "?")));
        EXPECT_EQ(i, findings.size());
    }
}

#ifndef _WIN32  // Windows allows no control character in a file name
TEST_F(Commands, FileBytesInMessagesAndFileNamesAreEscaped) {
    const Outcome r =
        check(write("\u00E9\uFB01\U0001F600\x1B[2J\xC2\x9F\xF5\x80\x80\x80"
                    "\xC1\x80\x80\x80.cfg",
                    "*Atl\xE9ntida \x1B[2J\x81\0\r\n"s));
    EXPECT_THAT(r.out, HasSubstr("/\u00E9\uFB01\U0001F600\\x1B[2J\\xC2\\x9F\\xF5\\x80\\x80\\x80"
                                 "\\xC1\\x80\\x80\\x80.cfg:1: warning: header \"*Atl\u00E9ntida "
                                 "\\x1B[2J\\x81\\x00\" names"));
    EXPECT_THAT(r.out, IsPlain());
}
#endif

TEST_F(Commands, BuildRefusesWhatTheFileCannotHoldAndWritesNothing) {
    // A text starting with a quote is one nation's object after {"name": .
    const std::pair<std::string, std::string> cases[] = {
        {R"({"nations": [)", "not valid JSON: parse error at line 1, column 14"},
        {"{\"nations\": [{\"name\": \"\xFF\"}]}", "not valid JSON"},
        {R"([])", "expected an object with a list \"nations\""},
        {R"({"nations": {}})", "expected an object with a list \"nations\""},
        {R"({"nations": [], "clubs": []})", "unknown key \"clubs\""},
        {R"({"nations": [{"UCL": []}]})", "nation 1: expected an object with a \"name\""},
        {R"({"nations": [{"name": 3}]})", "nation 1: expected an object with a \"name\""},
        {R"("Atlantis")", "nation 1: \"Atlantis\" is not a nation the editor knows"},
        {R"("spain")", "nation 1: \"spain\" is not a nation"},
        {R"("Malta"}, {"name": "Wales"}, {"name": "Malta")",
         "Malta is listed twice (nations 1 and 3"},
        {R"("Malta", "UCl": [])", "Malta: unknown key \"UCl\""},
        {R"("Malta", "UCL": "Hibs")", "Malta, UCL: expected a list of club names"},
        {R"("Malta", "UEFA": ["A", 3])", "Malta, UEFA place 2: expected a club name"},
        {R"("Malta", "UEFA": ["A", "B", "C"])", "Malta, UEFA: 3 clubs for its 2 places"},
        {R"("Andorra", "UCL": ["A"])", "Andorra, UCL: 1 club for its 0 places"},
        {R"("Malta", "UCL": ["A\rB"])", "Malta, UCL place 1: \"A\\x0DB\" holds a CR"},
        {R"("Malta", "Intertoto": ["*Hibs"])", "Malta, Intertoto place 1: \"*Hibs\" starts with"},
        {R"("Malta", "UCL": ["\u4e2d"])", "Malta, UCL place 1: \"\u4e2d\" holds U+4E2D, which"},
        {R"("Malta", "UCL": ["\u0080"])", "Malta, UCL place 1: \"\\xC2\\x80\" holds U+0080"},
        {R"("Spain", "UCL": ["A", "", "C"])", "Spain, UCL place 3: a club after the empty UCL"},
        {R"("Spain", "UCL": ["A"], "UEFA": ["B"])", "Spain, UEFA place 1: a club after the empty"},
    };
    const std::string out = write("out.cfg", "keep me");
    for (const auto& [text, reason] : cases) {
        SCOPED_TRACE(text);
        const std::string json =
            write("in.json", text[0] == '"' ? R"({"nations": [{"name": )" + text + "}]}" : text);
        for (const std::string& to : {out, "-"s}) {
            const Outcome b = build(json, to);
            EXPECT_EQ(b.code, kExitFailed);
            EXPECT_THAT(b.err, HasSubstr("in.json: " + reason));
            EXPECT_EQ(b.out, "");
        }
    }
    EXPECT_EQ(read(out), "keep me");
    EXPECT_THAT(entries(), ElementsAre("in.json", "out.cfg"));
}

// Whatever the bytes (the fuzz corpus, every byte, random pieces of headers, clubs and bytes,
// 50 MB lines): plain short messages, a refusal writes nothing, never a backup, and build takes
// back what dump prints to make what normalize makes.
TEST_F(Commands, AnswersArePlainAndShortAndDumpThenBuildGivesWhatNormalizeGives) {
    std::vector<std::string> texts = {
        "", "*", "\0"s, "\r\n\r\n", "Cardiff\n*Wales\n", read(kSample), std::string(4096, '\0')};
    texts.push_back(std::string(50u << 20, 'x'));
    texts.push_back("*" + texts.back() + "Malta");
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VELQUOR_SOURCE_DIR) +
                                                                 "/tests/fuzz/corpus"))
        texts.push_back(read(entry.path()));
    texts.push_back("*Spain\r\n");
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '*')
            texts.back() += std::string(1, static_cast<char>(b)) + "x\r\n";
    const std::vector<std::string> pieces = {
        "*Spain", "*Malta", "*Andorra", "*Germany (new)", "* Italy", "*Atlantis", "*spain",
        "Real",   " FC ",   "   ",      "\r\n",           "\r",      "\n",        "\r\n\r\n"};
    std::mt19937 random(14);
    for (int i = 0; i < 200 * 60; ++i) {
        const std::size_t k = random() % (pieces.size() + 4);
        if (i % 60 == 0)
            texts.push_back("*Malta\r\n");
        texts.back() +=
            k < pieces.size() ? pieces[k] + (k < 8 ? "\r\n" : "") : std::string(1, char(random()));
    }
    const std::string out = (dir_ / "out.cfg").string();
    int compared = 0;
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 60));
        const std::string file = write("euro.cfg", text);
        const Outcome d = dump(file), c = check(file), n = normalize(file, "-");
        EXPECT_THAT(c.code, AnyOf(kExitOk, kExitFailed));
        EXPECT_EQ(c.err, "");
        EXPECT_THAT(d.err, IsPlain());
        EXPECT_THAT(c.out, IsPlain());
        // At most 21 lines of a kind, each cut short.
        const auto lines = std::count(c.out.begin(), c.out.end(), '\n');
        EXPECT_LE(lines, 21 * static_cast<long>(velquor::cfg::kKindCount) + 1);
        EXPECT_LT(c.out.size() + d.err.size(), 400u * (lines + 1));
        ASSERT_EQ(n.code, d.code);
        if (d.code != kExitOk) {
            EXPECT_THAT(d.err, HasSubstr(": club line"));
            EXPECT_EQ(d.out, "");
            EXPECT_EQ(n.out, "");
            write("out.cfg", "keep me");
            EXPECT_EQ(normalize(file, out).code, kExitFailed);
            EXPECT_EQ(normalize(file, file).code, kExitFailed);
            EXPECT_EQ(read(out), "keep me");
            EXPECT_EQ(read(file), text);
            continue;
        }
        const Outcome b = build(write("dump.json", d.out), "-");
        ASSERT_EQ(b.code, kExitOk) << b.err;
        EXPECT_EQ(b.out, n.out);
        ++compared;
    }
    EXPECT_GT(compared, 150);
    EXPECT_THAT(entries(), ::testing::IsSubsetOf({"dump.json", "euro.cfg", "out.cfg"}));
}
