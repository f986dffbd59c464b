#include "recovery_record.h"

#include <stdexcept>

#include "cfgfile/euro_reader.h"
#include "cfgfile/euro_writer.h"
#include "model/competition.h"
#include "model/liga.h"
#include "model/nation_catalogue.h"

namespace velquor::cfg {

namespace {

constexpr std::string_view kFirstLine = "Velquor recovery record 1\r\n";
constexpr std::string_view kTime = "time=", kStamp = "stamp=", kPlaces = "places ";

// Every place of the nation in the order its club lines fill them.
std::vector<std::string*> runningPlaces(Liga& rec) {
    std::vector<std::string*> places;
    for (const Competition& competition : kCompetitions)
        for (int place = 1; place <= competition.heldPlaces(rec); ++place)
            places.push_back(competition.place(rec, place));
    return places;
}

// The facts, up to the empty line the writer's text starts with.
struct Parts {
    std::vector<std::string_view> head;
    std::string_view clubs;
};

Parts split(std::string_view record) {
    if (!record.starts_with(kFirstLine))
        throw std::runtime_error("not a recovery record");
    Parts parts;
    std::size_t at = kFirstLine.size();
    for (std::size_t end; (end = record.find("\r\n", at)) != std::string_view::npos && end > at;
         at = end + 2)
        parts.head.push_back(record.substr(at, end - at));
    parts.clubs = record.substr(at);
    return parts;
}

std::shared_ptr<Liga> nation(const mtxU_Collection& catalogue, std::string_view key) {
    auto rec = findNation(catalogue, key);
    if (!rec)
        throw std::runtime_error("the recovery record names no nation " + std::string(key));
    return rec;
}

}  // namespace

std::string formatRecovery(const RecoveryFacts& facts, const mtxU_Collection& catalogue,
                           const std::set<std::string>& nations) {
    std::string text(kFirstLine);
    text.append(kTime).append(facts.time).append("\r\n");
    text.append(kStamp).append(facts.stamp).append("\r\n");
    const auto edited = BuildNationCatalogue();
    for (const std::string& key : nations) {
        const auto rec = findNation(catalogue, key);
        if (!rec || rec->LigaName.empty())
            continue;
        std::string marks;
        for (const std::string* place : runningPlaces(*rec))
            marks += place->empty() ? '0' : '1';
        text.append(kPlaces).append(marks).append(" ").append(key).append("\r\n");
        auto copy = nation(*edited, key);
        copy->LigaName = rec->LigaName;
        const auto from = runningPlaces(*rec), to = runningPlaces(*copy);
        for (std::size_t i = 0; i < from.size(); ++i)
            *to[i] = *from[i];
    }
    return text + formatEuro(*edited);
}

RecoveryFacts readRecoveryFacts(std::string_view record) {
    RecoveryFacts facts;
    for (const std::string_view line : split(record).head) {
        if (line.starts_with(kTime))
            facts.time = line.substr(kTime.size());
        else if (line.starts_with(kStamp))
            facts.stamp = line.substr(kStamp.size());
    }
    return facts;
}

std::vector<std::string> recoverInto(std::string_view record, mtxU_Collection& catalogue,
                                     const NationNames& names) {
    const Parts parts = split(record);
    const auto read = BuildNationCatalogue();
    readEuro(parts.clubs, *read, names);
    std::vector<std::string> keys;
    for (const std::string_view line : parts.head) {
        if (!line.starts_with(kPlaces))
            continue;
        const std::size_t space = line.find(' ', kPlaces.size());
        if (space == std::string_view::npos)
            throw std::runtime_error("the recovery record names no nation for its places");
        const std::string_view marks = line.substr(kPlaces.size(), space - kPlaces.size());
        const std::string key(line.substr(space + 1));
        const auto from = nation(*read, key);
        const auto to = nation(catalogue, key);
        const auto clubs = runningPlaces(*from), places = runningPlaces(*to);
        if (marks.size() != places.size())
            throw std::runtime_error("the recovery record does not fit " + key + "'s places");
        // The reader filled the first places in turn; each goes back to its own.
        std::size_t next = 0;
        for (std::size_t i = 0; i < places.size(); ++i)
            *places[i] = marks[i] == '1' ? *clubs[next++] : std::string();
        to->LigaName = from->LigaName;
        keys.push_back(key);
    }
    return keys;
}

}  // namespace velquor::cfg
