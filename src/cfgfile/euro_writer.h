#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cfgfile/file_system.h"
#include "cfgfile/nation_names.h"
#include "model/mtxu_collection.h"

namespace velquor::cfg {

/// Hands the file text for catalogue to out, piece by piece: for every nation
/// with a name, in catalogue order, an empty line, "*" and the name, then the
/// non-empty clubs of its places. Every line ends with CR LF.
void writeEuro(const mtxU_Collection& catalogue, const std::function<void(std::string_view)>& out);

/// The whole text writeEuro produces.
std::string formatEuro(const mtxU_Collection& catalogue);

/// Puts the clubs of catalogue in the places a reading of its written text
/// gives them, so that it holds what a save wrote: after an empty place the
/// later clubs move up a place, and what no place of the file holds goes.
void settleAsWritten(mtxU_Collection& catalogue, const NationNames& names);

/// Nations (in catalogue order) with an empty place before a filled one of the
/// same competition: their later clubs move up a place when the file is read again.
std::vector<std::string> nationsWithGaps(const mtxU_Collection& catalogue);

/// Writes catalogue to target as saveSafely does: links followed, the file's
/// identity kept, and on failure the target byte-identical with no temporary
/// file left. A read-only target or anything but a regular file is refused.
/// catalogue null (no file open) writes nothing. Throws FileError (NoCatalogue, Write).
void saveEuroFile(const std::filesystem::path& target, const mtxU_Collection* catalogue,
                  FileSystem& fs = FileSystem::real());

}  // namespace velquor::cfg
