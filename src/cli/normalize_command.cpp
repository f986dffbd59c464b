#include "normalize_command.h"

#include "cli/exit_code.h"
#include "cli/tool_input.h"
#include "cli/tool_output.h"

namespace velquor::cli {

int runNormalize(const std::string& file, const std::string& output, std::ostream& out,
                 std::ostream& err, cfg::FileSystem& fs) {
    try {
        const ToolInput input = loadToolInput(file, {}, fs);
        writeToolOutput(output, *input.catalogue, out, fs);
    } catch (const cfg::FileError& e) {
        // A write failure names OUT, a load failure FILE.
        const bool writing = e.kind() == cfg::FileError::Kind::Write ||
                             e.kind() == cfg::FileError::Kind::NoCatalogue;
        reportFailure(err, writing ? output : file, e);
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace velquor::cli
