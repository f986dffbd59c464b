#pragma once

#include <ostream>
#include <string>

#include "cfgfile/file_system.h"
#include "model/mtxu_collection.h"

namespace velquor::cli {

/// Whether output names standard output: "-", or /dev/stdout, which saving
/// over would try to replace the device rather than write to it.
bool isStandardOutput(const std::string& output);

/// Writes catalogue as the editor's Save would: to out when output names
/// standard output, otherwise through saveEuroFile. Throws cfg::FileError.
void writeToolOutput(const std::string& output, const mtxU_Collection& catalogue, std::ostream& out,
                     cfg::FileSystem& fs);

}  // namespace velquor::cli
