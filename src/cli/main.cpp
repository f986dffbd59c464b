// velquor-cfg: what the editor will make of a euro.cfg, for modders and scripts.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/build_command.h"
#include "cli/check_command.h"
#include "cli/dump_command.h"
#include "cli/exit_code.h"
#include "cli/normalize_command.h"
#include "cli/tool_text.h"

int main(int argc, char** argv) {
    using namespace velquor::cli;

    CLI::App app{
        "Shows, rewrites, checks and builds a euro.cfg as the Velquor editor reads and saves "
        "it.\n"
        "Never makes a backup and never writes anything but the -o output.",
        "velquor-cfg"};
    app.set_version_flag("--version", std::string("velquor-cfg ") + VELQUOR_VERSION);
    app.allow_windows_style_options(false);  // /games/euro.cfg is a path, not an option
    app.require_subcommand(1);
    app.footer(
        "Exit status: 0 on success; 1 when the file cannot be loaded or written, or build "
        "refuses its JSON (for check: when something is found); 2 on a usage error (for check "
        "also: the file cannot be read).");

    std::string file;
    std::string output;

    CLI::App* dump =
        app.add_subcommand("dump",
                           "Print the nations the editor would show, with their clubs, as "
                           "JSON (UTF-8)");
    dump->add_option("FILE", file, "the euro.cfg to read")->required();

    CLI::App* normalize = app.add_subcommand(
        "normalize", "Load FILE as the editor does and write OUT exactly as its Save would");
    normalize->add_option("FILE", file, "the euro.cfg to read")->required();
    normalize
        ->add_option("-o,--output", output,
                     "where to write; may be FILE itself; - for standard output")
        ->required();

    CLI::App* check = app.add_subcommand(
        "check", "Report what the editor will do with FILE that a modder would not expect");
    check->add_option("FILE", file, "the euro.cfg to check")->required();

    CLI::App* build = app.add_subcommand(
        "build", "Write OUT exactly as the editor's Save would write the nations of JSON");
    build->add_option("JSON", file, "the nations as dump prints them (UTF-8)")->required();
    build->add_option("-o,--output", output, "where to write; - for standard output")->required();

    // CLI11 would take an unknown word for a stray argument and only say
    // that a subcommand is required.
    const std::vector<const CLI::App*> commands = {dump, normalize, check, build};
    const auto known = [&](const std::string& word) {
        return std::any_of(commands.begin(), commands.end(),
                           [&](const CLI::App* command) { return command->get_name() == word; });
    };
    if (argc > 1 && argv[1][0] != '-' && !known(argv[1])) {
        std::cerr << "velquor-cfg: unknown subcommand \"" << terminalUtf8(argv[1])
                  << "\" (expected dump, normalize, check or build); see --help\n";
        return kExitUsage;
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        app.exit(e);  // prints the help, the version or the error
        return e.get_exit_code() == 0 ? kExitOk : kExitUsage;
    }

    int code = kExitOk;
    int cannotPrint = kExitFailed;
    if (dump->parsed()) {
        code = runDump(file, std::cout, std::cerr);
    } else if (normalize->parsed()) {
        code = runNormalize(file, output, std::cout, std::cerr);
    } else if (build->parsed()) {
        code = runBuild(file, output, std::cout, std::cerr);
    } else {
        code = runCheck(file, std::cout, std::cerr);
        cannotPrint = kExitUsage;
    }
    if (!std::cout.flush()) {
        std::cerr << "velquor-cfg: cannot write to standard output\n";
        return cannotPrint;
    }
    return code;
}
