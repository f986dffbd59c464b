#include "cli/build_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/exit_code.h"
#include "cli_fixture.h"

using namespace velquor;
using namespace velquor::cli;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::string_literals;

namespace {

class Build : public test::CliTest {
  protected:
    int build(const std::string& json, const std::string& output) {
        out_.str("");
        err_.str("");
        return runBuild(write("in.json", json).string(), output, out_, err_);
    }
    std::ostringstream out_, err_;
};

TEST_F(Build, WritesWhatTheEditorsSaveWouldWrite) {
    // Catalogue order whatever the order in the list; missing lists and
    // trailing empty places write nothing; a nation without clubs keeps its header.
    ASSERT_EQ(build(R"({"nations": [
        {"name": "Wales", "UCL": ["Cardiff"], "UEFA": ["Swansea", ""]},
        {"name": "Andorra", "UCL": [], "UEFA": [], "Intertoto": []},
        {"name": "Spain", "UCL": ["M\u00e1laga \u20ac", " *x", "Line\nfeed"]}]})",
                    (dir_ / "out.cfg").string()),
              kExitOk)
        << err_.str();
    EXPECT_EQ(read(dir_ / "out.cfg"),
              "\r\n*Andorra\r\n\r\n*Spain\r\nM\xE1laga \x80\r\n *x\r\nLine\nfeed\r\n"
              "\r\n*Wales\r\nCardiff\r\nSwansea\r\n");
}

TEST_F(Build, RefusesWhatTheFileCannotHoldAndWritesNothing) {
    struct Case {
        std::string json;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {R"({"nations": [)", "not valid JSON: parse error at line 1, column 14"},
        {"{\"nations\": [{\"name\": \"\xFF\"}]}", "not valid JSON"},
        {R"([])", "expected an object with a list \"nations\""},
        {R"({})", "expected an object with a list \"nations\""},
        {R"({"nations": {}})", "expected an object with a list \"nations\""},
        {R"({"nations": [], "clubs": []})", "unknown key \"clubs\""},
        {R"({"nations": [{"UCL": []}]})", "nation 1: expected an object with a \"name\""},
        {R"({"nations": ["Malta"]})", "nation 1: expected an object with a \"name\""},
        {R"({"nations": [{"name": 3}]})", "nation 1: expected an object with a \"name\""},
        {R"({"nations": [{"name": "Atlantis"}]})",
         "nation 1: \"Atlantis\" is not a nation the editor knows"},
        {R"({"nations": [{"name": "spain"}]})", "nation 1: \"spain\" is not a nation"},
        {R"({"nations": [{"name": "Malta"}, {"name": "Spain"}, {"name": "Malta"}]})",
         "Malta is listed twice (nations 1 and 3)"},
        {R"({"nations": [{"name": "Malta", "UCl": []}]})", "Malta: unknown key \"UCl\""},
        {R"({"nations": [{"name": "Malta", "UCL": "Hibs"}]})",
         "Malta, UCL: expected a list of club names"},
        {R"({"nations": [{"name": "Malta", "UEFA": ["A", 3]}]})",
         "Malta, UEFA place 2: expected a club name"},
        {R"({"nations": [{"name": "Malta", "UEFA": ["A", "B", "C"]}]})",
         "Malta, UEFA: 3 clubs for its 2 places"},
        {R"({"nations": [{"name": "Andorra", "UCL": ["A"]}]})",
         "Andorra, UCL: 1 club for its 0 places"},
        {R"({"nations": [{"name": "Malta", "UCL": ["Real\rMadrid"]}]})",
         "Malta, UCL place 1: \"Real\\x0DMadrid\" holds a CR"},
        {R"({"nations": [{"name": "Malta", "Intertoto": ["*Hibs"]}]})",
         "Malta, Intertoto place 1: \"*Hibs\" starts with \"*\""},
        {R"({"nations": [{"name": "Malta", "UCL": ["\u4e2d"]}]})",
         "Malta, UCL place 1: \"\u4e2d\" holds U+4E2D, which Windows-1252 has no character for"},
        {R"({"nations": [{"name": "Malta", "UCL": ["\u0080"]}]})",
         "Malta, UCL place 1: \"\\xC2\\x80\" holds U+0080"},
        {R"({"nations": [{"name": "Spain", "UCL": ["A", "", "C"]}]})",
         "Spain, UCL place 3: a club after the empty UCL place 2"},
        {R"({"nations": [{"name": "Spain", "UCL": ["A"], "UEFA": ["B"]}]})",
         "Spain, UEFA place 1: a club after the empty UCL place 2"},
    };
    const std::string out = write("out.cfg", "keep me").string();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        EXPECT_EQ(build(c.json, out), kExitFailed);
        EXPECT_THAT(err_.str(), HasSubstr("in.json: " + c.reason));
        EXPECT_EQ(build(c.json, "-"), kExitFailed);
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(read(out), "keep me");
    EXPECT_THAT(entries(), ElementsAre("in.json", "out.cfg"));

    EXPECT_EQ(runBuild((dir_ / "missing.json").string(), out, out_, err_), kExitFailed);
    EXPECT_THAT(err_.str(), HasSubstr("missing.json: cannot open"));
}

}  // namespace
