#include "build_command.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>

#include "cfgfile/cp1252.h"
#include "cfgfile/euro_file.h"
#include "cfgfile/nation_names.h"
#include "cfgfile/quoted_excerpt.h"
#include "cli/exit_code.h"
#include "cli/tool_input.h"
#include "cli/tool_output.h"
#include "cli/tool_text.h"
#include "model/competition.h"
#include "model/nation_catalogue.h"

namespace velquor::cli {

namespace {

using Json = nlohmann::json;

[[noreturn]] void refuse(const std::string& reason) {
    throw BuildRefusal(reason);
}

std::string plural(std::size_t count, const char* one, const char* several) {
    return std::to_string(count) + " " + (count == 1 ? one : several);
}

// A club name as the file's bytes; refused when a line of the file could not
// hold it. An LF stays: only a CR ends a line, so the file holds it, and a
// name read from a file may have one.
std::string clubBytes(const std::string& utf8, const std::string& where) {
    if (utf8.starts_with('*'))
        refuse(where + ": " + cfg::quotedExcerpt(utf8) +
               " starts with \"*\", so the line would read as a nation header");
    std::string bytes;
    std::string_view rest = utf8;
    while (!rest.empty()) {
        char32_t u = 0;
        const std::size_t length = utf8Sequence(rest, u);
        if (length == 0)
            refuse(where + ": " + cfg::quotedExcerpt(utf8) + " is not UTF-8");
        if (u == U'\r')
            refuse(where + ": " + cfg::quotedExcerpt(utf8) +
                   " holds a CR, which would end the line");
        const std::optional<unsigned char> byte = cfg::unicodeToCp1252(u);
        if (!byte) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(u));
            refuse(where + ": " + cfg::quotedExcerpt(utf8) + " holds " + code +
                   ", which Windows-1252 has no character for");
        }
        bytes += static_cast<char>(*byte);
        rest.remove_prefix(length);
    }
    return bytes;
}

// Refuses a key that names neither the nation nor one of its competitions.
void checkKeys(const Json& nation, const std::string& name) {
    std::string keys = "name";
    for (const Competition& competition : kCompetitions)
        keys += (&competition == &kCompetitions.back() ? " and " : ", ") +
                std::string(competition.name);
    for (const auto& [key, value] : nation.items())
        if (key != "name" && std::none_of(kCompetitions.begin(), kCompetitions.end(),
                                          [&](const Competition& c) { return key == c.name; }))
            refuse(name + ": unknown key " + cfg::quotedExcerpt(key) + " (a nation has " + keys +
                   ")");
}

void fillNation(const Json& nation, Liga& rec) {
    const std::string& name = rec.LigaName;
    checkKeys(nation, name);
    // The places in the order the reader fills them: a club after an empty
    // place would move up into it when the file is read again.
    std::string emptyPlace;
    for (const Competition& competition : kCompetitions) {
        const auto found = nation.find(competition.name);
        if (found == nation.end())
            continue;  // no clubs in this competition
        const std::string key(competition.name);
        const std::string list = name + ", " + key;
        const int count = competition.heldPlaces(rec);
        if (!found->is_array())
            refuse(list + ": expected a list of club names");
        if (found->size() > static_cast<std::size_t>(count))
            refuse(list + ": " + plural(found->size(), "club", "clubs") + " for its " +
                   plural(static_cast<std::size_t>(count), "place", "places"));
        for (int i = 1; i <= static_cast<int>(found->size()); ++i) {
            const Json& club = (*found)[static_cast<std::size_t>(i - 1)];
            const std::string where = list + " place " + std::to_string(i);
            if (!club.is_string())
                refuse(where + ": expected a club name (text)");
            const std::string bytes = clubBytes(club.get<std::string>(), where);
            if (bytes.empty()) {
                if (emptyPlace.empty())
                    emptyPlace = key + " place " + std::to_string(i);
                continue;
            }
            if (!emptyPlace.empty())
                refuse(where + ": a club after the empty " + emptyPlace +
                       "; the file cannot hold an empty place before a filled one, so the "
                       "club would move up a place");
            *competition.place(rec, i) = bytes;
        }
        if (found->size() < static_cast<std::size_t>(count) && emptyPlace.empty())
            emptyPlace = key + " place " + std::to_string(found->size() + 1);
    }
}

}  // namespace

std::shared_ptr<mtxU_Collection> catalogueFromJson(std::string_view text) {
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::parse_error& e) {
        // "[json.exception.parse_error.101] parse error at ...": the part after the tag.
        const std::string what = e.what();
        const std::size_t tag = what.find("] ");
        refuse("not valid JSON: " + (tag == std::string::npos ? what : what.substr(tag + 2)));
    }
    if (!document.is_object() || !document.contains("nations") || !document["nations"].is_array())
        refuse("expected an object with a list \"nations\", as dump prints it");
    for (const auto& [key, value] : document.items())
        if (key != "nations")
            refuse("unknown key " + cfg::quotedExcerpt(key) +
                   " (the document has only \"nations\")");

    static const cfg::NationNames names = cfg::FillNationNames();
    auto catalogue = BuildNationCatalogue();
    std::map<std::string, std::size_t> listed;  // nation name: its position in the list
    std::size_t position = 0;
    for (const Json& nation : document["nations"]) {
        ++position;
        const std::string which = "nation " + std::to_string(position);
        if (!nation.is_object() || !nation.contains("name") || !nation["name"].is_string())
            refuse(which + ": expected an object with a \"name\"");
        const std::string name = nation["name"].get<std::string>();
        const bool known = std::find(names.begin(), names.end(), name) != names.end();
        const std::shared_ptr<Liga> rec = known ? findNation(*catalogue, name) : nullptr;
        if (!rec)
            refuse(which + ": " + cfg::quotedExcerpt(name) + " is not a nation the editor knows");
        if (const auto [at, added] = listed.emplace(name, position); !added)
            refuse(name + " is listed twice (nations " + std::to_string(at->second) + " and " +
                   std::to_string(position) + ")");
        rec->LigaName = name;
        fillNation(nation, *rec);
    }
    return catalogue;
}

int runBuild(const std::string& json, const std::string& output, std::ostream& out,
             std::ostream& err, cfg::FileSystem& fs) {
    std::shared_ptr<mtxU_Collection> catalogue;
    try {
        catalogue = catalogueFromJson(cfg::readEuroBytes(json, fs));
    } catch (const cfg::FileError& e) {
        reportFailure(err, json, e);
        return kExitFailed;
    } catch (const BuildRefusal& e) {
        err << "velquor-cfg: " << terminalUtf8(json) << ": " << terminalUtf8(e.what()) << '\n';
        return kExitFailed;
    }
    try {
        writeToolOutput(output, *catalogue, out, fs);
    } catch (const cfg::FileError& e) {
        reportFailure(err, output, e);
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace velquor::cli
