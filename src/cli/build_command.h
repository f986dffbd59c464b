#pragma once

#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cfgfile/file_system.h"
#include "model/mtxu_collection.h"

namespace velquor::cli {

/// Why a JSON document cannot become a euro.cfg; the reason names the nation
/// and the list where there is one.
class BuildRefusal : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The catalogue that json (what `dump` prints, UTF-8) describes, exactly as
/// the editor would hold it after reading the file a Save of it writes.
/// Throws BuildRefusal for anything such a file could not hold.
std::shared_ptr<mtxU_Collection> catalogueFromJson(std::string_view json);

/// `velquor-cfg build JSON -o OUT`: writes OUT ("-" for out) as the editor's
/// Save would write the catalogue of the JSON file. Nothing is written when
/// the JSON is refused. Returns the exit code.
int runBuild(const std::string& json, const std::string& output, std::ostream& out,
             std::ostream& err, cfg::FileSystem& fs = cfg::FileSystem::real());

}  // namespace velquor::cli
