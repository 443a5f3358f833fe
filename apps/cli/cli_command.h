#pragma once
// One command group of the command-line companion ("project", "script", ...).

#include <charconv>
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

// The SECONDS of a --for option (decimals allowed, at most a day).
inline bool read_seconds(const std::string& text, int& milliseconds) {
    double seconds = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (ec != std::errc() || end != text.data() + text.size() || seconds < 0 || seconds > 86400)
        return false;
    milliseconds = static_cast<int>(seconds * 1000);
    return true;
}

} // namespace veltran::cli
