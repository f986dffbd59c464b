// velquor-cfg: what the editor will make of a euro.cfg, for modders and scripts.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/build_command.h"
#include "cli/check_command.h"
#include "cli/dump_command.h"
#include "cli/exit_code.h"
#include "cli/normalize_command.h"
#include "cli/tool_text.h"

namespace {

using namespace velquor::cli;

// What the command line gives a subcommand.
struct Arguments {
    std::string file;    // FILE, or build's JSON
    std::string output;  // -o
};

// A subcommand: its name, what --help says of it and of its arguments, and
// what it runs.
struct Subcommand {
    const char* name;
    const char* help;
    const char* input;  // the one argument: FILE or JSON
    const char* inputHelp;
    const char* outputHelp;  // -o, which it requires; nullptr: no -o
    int (*run)(const Arguments&);
    int unprintable;  // the exit status when standard output cannot be written
};

const Subcommand kSubcommands[] = {
    {"dump", "Print the nations the editor would show, with their clubs, as JSON (UTF-8)", "FILE",
     "the euro.cfg to read", nullptr,
     [](const Arguments& a) { return runDump(a.file, std::cout, std::cerr); }, kExitFailed},
    {"normalize", "Load FILE as the editor does and write OUT exactly as its Save would", "FILE",
     "the euro.cfg to read", "where to write; may be FILE itself; - for standard output",
     [](const Arguments& a) { return runNormalize(a.file, a.output, std::cout, std::cerr); },
     kExitFailed},
    {"check", "Report what the editor will do with FILE that a modder would not expect", "FILE",
     "the euro.cfg to check", nullptr,
     [](const Arguments& a) { return runCheck(a.file, std::cout, std::cerr); }, kExitUsage},
    {"build", "Write OUT exactly as the editor's Save would write the nations of JSON", "JSON",
     "the nations as dump prints them (UTF-8)", "where to write; - for standard output",
     [](const Arguments& a) { return runBuild(a.file, a.output, std::cout, std::cerr); },
     kExitFailed},
};

const Subcommand* subcommand(std::string_view name) {
    const auto* found =
        std::find_if(std::begin(kSubcommands), std::end(kSubcommands),
                     [&](const Subcommand& command) { return command.name == name; });
    return found == std::end(kSubcommands) ? nullptr : found;
}

// "dump, normalize, check or build"
std::string subcommandNames() {
    std::string names = kSubcommands[0].name;
    for (std::size_t i = 1; i < std::size(kSubcommands); ++i)
        names +=
            (i + 1 == std::size(kSubcommands) ? " or " : ", ") + std::string(kSubcommands[i].name);
    return names;
}

void addSubcommands(CLI::App& app, Arguments& arguments) {
    for (const Subcommand& command : kSubcommands) {
        CLI::App* added = app.add_subcommand(command.name, command.help);
        added->add_option(command.input, arguments.file, command.inputHelp)->required();
        if (command.outputHelp)
            added->add_option("-o,--output", arguments.output, command.outputHelp)->required();
    }
}

}  // namespace

int main(int argc, char** argv) {
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
    Arguments arguments;
    addSubcommands(app, arguments);

    // CLI11 would take an unknown word for a stray argument and only say
    // that a subcommand is required.
    if (argc > 1 && argv[1][0] != '-' && !subcommand(argv[1])) {
        std::cerr << "velquor-cfg: unknown subcommand \"" << terminalUtf8(argv[1])
                  << "\" (expected " << subcommandNames() << "); see --help\n";
        return kExitUsage;
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        app.exit(e);  // prints the help, the version or the error
        return e.get_exit_code() == 0 ? kExitOk : kExitUsage;
    }

    // Exactly one: the parse requires it.
    const Subcommand& command = *subcommand(app.get_subcommands().front()->get_name());
    const int code = command.run(arguments);
    if (!std::cout.flush()) {
        std::cerr << "velquor-cfg: cannot write to standard output\n";
        return command.unprintable;
    }
    return code;
}
