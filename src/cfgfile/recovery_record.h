#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/nation_names.h"
#include "model/mtxu_collection.h"

namespace velquor::cfg {

/// What a recovery record tells besides the clubs.
struct RecoveryFacts {
    std::string time;   // when the edits were made, as the window wrote it
    std::string stamp;  // what identifies the bytes of the file the edits were made on
};

/// The record of the nations of catalogue keyed in nations: the facts, which
/// places of each nation hold a club, then the nations as the euro.cfg writer
/// writes them. The writer leaves empty places out, so the clubs after one
/// would move up when read back; the marks put them back in their places.
std::string formatRecovery(const RecoveryFacts& facts, const mtxU_Collection& catalogue,
                           const std::set<std::string>& nations);

/// The facts of record. Throws std::runtime_error when it is no record.
RecoveryFacts readRecoveryFacts(std::string_view record);

/// Puts each nation of record into catalogue, its name and every place as it
/// was; returns their keys. Throws std::runtime_error when it is no record
/// (catalogue may then hold part of it).
std::vector<std::string> recoverInto(std::string_view record, mtxU_Collection& catalogue,
                                     const NationNames& names);

}  // namespace velquor::cfg
