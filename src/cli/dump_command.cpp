#include "dump_command.h"

#include <nlohmann/json.hpp>

#include "cfgfile/cp1252.h"
#include "cli/exit_code.h"
#include "cli/tool_input.h"
#include "model/competition.h"
#include "model/nation_catalogue.h"

namespace velquor::cli {

namespace {

// Keeps the keys in the order a reader expects: name first, then the places.
using Json = nlohmann::ordered_json;

// One entry per place the nation has, up to the record's room; an empty place is "".
Json places(const Liga& rec, const Competition& competition) {
    Json list = Json::array();
    for (int i = 1; i <= competition.heldPlaces(rec); ++i)
        list.push_back(cfg::cp1252ToUtf8(*competition.place(rec, i)));
    return list;
}

}  // namespace

int runDump(const std::string& file, std::ostream& out, std::ostream& err, cfg::FileSystem& fs) {
    ToolInput input;
    try {
        input = loadToolInput(file, {}, fs);
    } catch (const cfg::FileError& e) {
        reportFailure(err, file, e);
        return kExitFailed;
    }

    Json nations = Json::array();
    for (const Liga& rec : namedNations(*input.catalogue)) {
        Json nation;
        nation["name"] = cfg::cp1252ToUtf8(rec.LigaName);
        for (const Competition& competition : kCompetitions)
            nation[std::string(competition.name)] = places(rec, competition);
        nations.push_back(std::move(nation));
    }
    Json document;
    document["nations"] = std::move(nations);
    out << document.dump(2) << '\n';
    return kExitOk;
}

}  // namespace velquor::cli
