// veltran: the command-line companion for headless use and scripted checks.
#include "shell/shell_state.h"

#include <cstdio>
#include <string>

namespace {

int usage() {
    std::fputs("usage: veltran --version\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--version") {
        veltran::TShell shell;
        shell.read_version();
        std::printf("veltran %s Build %s\n", shell.version.c_str(), shell.build.c_str());
        return 0;
    }
    return usage();
}
