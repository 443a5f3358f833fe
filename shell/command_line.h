#pragma once
// The editor's command-line modes: interactive, interactive with the debug
// page, or a project player that loads a project and optionally runs it.

#include <string>
#include <vector>

namespace veltran {

struct TStartMode {
    bool debug_page = false;  // first argument "DEBUG" (upper-cased, trimmed)
    std::string project_path; // any other first argument
    bool run = false;         // second argument "RUN" after a project path

    bool player() const { return !project_path.empty(); }
};

// args are the arguments after the program name.
TStartMode parse_command_line(const std::vector<std::string>& args);

} // namespace veltran
