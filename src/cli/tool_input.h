#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "cfgfile/euro_reader.h"
#include "cfgfile/file_error.h"
#include "cfgfile/file_system.h"
#include "model/mtxu_collection.h"

namespace velquor::cli {

/// A file read as the editor reads it, into a fresh catalogue, with no backup.
struct ToolInput {
    std::shared_ptr<mtxU_Collection> catalogue;
    cfg::ReadResult result;
};

/// Throws cfg::FileError as loadEuroFile does.
ToolInput loadToolInput(const std::string& file, cfg::ReadOptions options, cfg::FileSystem& fs);

/// "velquor-cfg: FILE[:LINE]: reason" for a failure, FILE as the user gave it.
void reportFailure(std::ostream& err, const std::string& file, const cfg::FileError& e);

}  // namespace velquor::cli
