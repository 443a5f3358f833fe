// veltran: the command-line companion for headless use and scripted checks.
#include "apps/cli/cli_command.h"
#include "shell/shell_state.h"

#include <cstdio>
#include <string>

namespace veltran::cli {

int run_version(const TArgs& args);
int run_boards(const TArgs& args);
int run_project(const TArgs& args);
int run_script(const TArgs& args);

namespace {

// Every command group; a group lives in a file of its own.
const TCommandGroup groups[] = {
    {"--version", "veltran --version", run_version},
    {"boards",
     "veltran boards list [--sim-boards FILE]\n"
     "veltran boards sim FILE [--for SECONDS] [--sim-trace]",
     run_boards},
    {"project",
     "veltran project show FILE\nveltran project resave FILE OUT\n"
     "veltran project run FILE [--for SECONDS] [--sim-boards FILE] [--sim-trace]",
     run_project},
    {"script",
     "veltran script il FILE\n"
     "veltran script run [--max-steps N] FILE\n"
     "veltran script call FILE PROC [ARGS...]",
     run_script},
};

int usage() {
    std::fputs("usage:\n", stderr);
    for (const TCommandGroup& g : groups)
        std::fprintf(stderr, "%s\n", g.usage);
    return 2;
}

} // namespace

int usage_error(const char* group_name) {
    for (const TCommandGroup& g : groups)
        if (std::string(g.name) == group_name) std::fprintf(stderr, "usage:\n%s\n", g.usage);
    return 2;
}

int run_version(const TArgs& args) {
    if (!args.empty()) return usage_error("--version");
    TShell shell;
    shell.read_version();
    std::printf("veltran %s Build %s\n", shell.version.c_str(), shell.build.c_str());
    return 0;
}

} // namespace veltran::cli

int main(int argc, char** argv) {
    using namespace veltran::cli;
    if (argc < 2) return usage();
    const std::string name = argv[1];
    for (const TCommandGroup& g : groups)
        if (name == g.name) return g.run(TArgs(argv + 2, argv + argc));
    return usage();
}
