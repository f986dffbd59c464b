#include "tool_input.h"

#include "cfgfile/euro_file.h"
#include "cli/tool_text.h"
#include "model/nation_catalogue.h"

namespace velquor::cli {

ToolInput loadToolInput(const std::string& file, cfg::ReadOptions options, cfg::FileSystem& fs) {
    static const cfg::NationNames names = cfg::FillNationNames();
    ToolInput input{BuildNationCatalogue(), {}};
    input.result = cfg::loadEuroFile(file, *input.catalogue, names, std::move(options), fs);
    return input;
}

void reportFailure(std::ostream& err, const std::string& file, const cfg::FileError& e) {
    // The reason may quote the file's bytes.
    err << "velquor-cfg: "
        << cfg::describeFailure(terminalUtf8(file), e.line(), terminalText(e.reason())) << '\n';
}

}  // namespace velquor::cli
