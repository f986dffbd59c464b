#include "tool_output.h"

#include "cfgfile/euro_writer.h"
#include "cfgfile/file_error.h"

namespace velquor::cli {

bool isStandardOutput(const std::string& output) {
    return output == "-" || output == "/dev/stdout";
}

void writeToolOutput(const std::string& output, const mtxU_Collection& catalogue, std::ostream& out,
                     cfg::FileSystem& fs) {
    if (!isStandardOutput(output)) {
        cfg::saveEuroFile(output, &catalogue, fs);
        return;
    }
    cfg::writeEuro(catalogue, [&](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
    if (!out.flush())
        throw cfg::FileError(cfg::FileError::Kind::Write, output,
                             "cannot write to standard output");
}

}  // namespace velquor::cli
