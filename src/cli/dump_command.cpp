#include "dump_command.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "cfgfile/cp1252.h"
#include "cli/exit_code.h"
#include "cli/tool_input.h"
#include "model/liga.h"

namespace velquor::cli {

namespace {

// Keeps the keys in the order a reader expects: name first, then the places.
using Json = nlohmann::ordered_json;

// One entry per place the nation has, up to the record's room; an empty place is "".
template <typename Place>
Json places(int count, int room, Place place) {
    Json list = Json::array();
    for (int i = 1; i <= std::min(count, room); ++i)
        list.push_back(cfg::cp1252ToUtf8(*place(i)));
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
    for (const auto& element : *input.catalogue) {
        const auto& rec = static_cast<const Liga&>(*element);
        if (rec.LigaName.empty())
            continue;
        Json nation;
        nation["name"] = cfg::cp1252ToUtf8(rec.LigaName);
        nation["UCL"] = places(rec.NUCL, Liga::kMaxUcl, [&](int i) { return rec.ucl(i); });
        nation["UEFA"] = places(rec.NUEFA, Liga::kMaxUefa, [&](int i) { return rec.uefa(i); });
        nation["Intertoto"] =
            places(rec.NIntertoto, Liga::kMaxIntertoto, [&](int i) { return rec.intertoto(i); });
        nations.push_back(std::move(nation));
    }
    Json document;
    document["nations"] = std::move(nations);
    out << document.dump(2) << '\n';
    return kExitOk;
}

}  // namespace velquor::cli
