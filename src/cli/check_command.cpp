#include "check_command.h"

#include <algorithm>
#include <vector>

#include "cli/exit_code.h"
#include "cli/tool_input.h"
#include "cli/tool_text.h"
#include "model/nation_catalogue.h"

namespace velquor::cli {

int runCheck(const std::string& file, std::ostream& out, std::ostream& err, cfg::FileSystem& fs) {
    std::vector<cfg::Diagnostic> findings;
    cfg::ReadOptions options;
    options.collectDiagnostics = true;
    options.diagnosticsOut = &findings;
    try {
        const ToolInput input = loadToolInput(file, options, fs);
        if (namedNations(*input.catalogue).empty())
            findings.push_back({1,
                                "no header names a nation: the editor shows no nation, and a save "
                                "writes an empty file",
                                cfg::Diagnostic::Kind::NoNation});
    } catch (const cfg::FileError& e) {
        // A refused file is a finding, and the reader has noted it; a file
        // that cannot be read leaves nothing to check.
        if (e.kind() != cfg::FileError::Kind::OrphanClubLine) {
            reportFailure(err, file, e);
            return kExitUsage;
        }
    }

    // A kind's summary of omitted findings has the line of the first it
    // omits, so it comes after the kept ones of that kind.
    std::stable_sort(findings.begin(), findings.end(),
                     [](const auto& a, const auto& b) { return a.line < b.line; });
    const std::string name = terminalUtf8(file);
    for (const cfg::Diagnostic& d : findings)
        out << name << ':' << d.line << ": "
            << (d.severity() == cfg::Diagnostic::Severity::Error ? "error" : "warning") << ": "
            << terminalText(d.message) << '\n';
    return findings.empty() ? kExitOk : kExitFailed;
}

}  // namespace velquor::cli
