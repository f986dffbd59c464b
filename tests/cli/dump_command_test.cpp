#include "cli/dump_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/exit_code.h"
#include "cli_fixture.h"

using namespace velquor;
using namespace velquor::cli;
using Json = nlohmann::json;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::string_literals;

namespace {

class Dump : public test::CliTest {
  protected:
    int dump(const std::string& path) {
        out_.str("");
        err_.str("");
        return runDump(path, out_, err_);
    }
    // The printed document, which must be valid UTF-8 JSON.
    Json printed() const { return Json::parse(out_.str()); }

    std::ostringstream out_, err_;
};

TEST_F(Dump, EmptyPlacesAreEmptyTextsAndUnnamedNationsAreLeftOut) {
    // Germany has 4 + 3 + 2 places, Andorra 0 + 1 + 0; the file names them
    // in the other order, an unknown nation, and Andorra's clubs beyond its room.
    const std::string file = write("euro.cfg",
                                   "*Germany\r\nA\r\nB\r\n*Atlantis\r\nNobody\r\n"
                                   "*Andorra\r\nVall\r\nDropped\r\n");
    ASSERT_EQ(dump(file), kExitOk);
    EXPECT_EQ(printed(), Json::parse(R"({"nations": [
        {"name": "Andorra", "UCL": [], "UEFA": ["Vall"], "Intertoto": []},
        {"name": "Germany", "UCL": ["A", "B", "", ""], "UEFA": ["", "", ""],
         "Intertoto": ["", ""]}]})"));
    // Keys come in the documented order; the tool leaves no backup behind.
    EXPECT_THAT(out_.str(), HasSubstr(R"("name": "Andorra",
      "UCL": [],
      "UEFA": [
        "Vall"
      ],
      "Intertoto": [])"));
    EXPECT_THAT(entries(), ElementsAre("euro.cfg"));
}

TEST_F(Dump, TextIsDecodedAsWindows1252) {
    // The five bytes the code page leaves undefined become the C1 controls of
    // the same value.
    ASSERT_EQ(
        dump(write("euro.cfg", "*Malta\r\n\x80 M\xFCnchen \x85\x99\r\n\x81\x8D\x8F\x90\x9D\r\n")),
        kExitOk);
    const Json malta = printed().at("nations").at(0);
    EXPECT_EQ(malta.at("UCL").at(0), "\u20AC M\u00FCnchen \u2026\u2122");
    EXPECT_EQ(malta.at("UEFA").at(0), "\u0081\u008D\u008F\u0090\u009D");
}

}  // namespace
