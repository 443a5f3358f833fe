#pragma once
// One command group of the command-line companion ("project", "script", ...).

#include <string>
#include <vector>

namespace veltran::cli {

using TArgs = std::vector<std::string>;

// Runs "veltran GROUP ARGS..."; returns the exit status. Usage errors print
// the group's usage on standard error and return 2.
using TCommandRunner = int (*)(const TArgs& args);

struct TCommandGroup {
    const char* name;
    const char* usage; // one line per sub-command, for "veltran --help"
    TCommandRunner run;
};

// Prints the usage of the named group on standard error; returns 2.
int usage_error(const char* group_name);

} // namespace veltran::cli
