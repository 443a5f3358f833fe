#include "shell/command_line.h"

#include "engine/text.h"

namespace veltran {
namespace {

bool is_word(const std::string& arg, const char* word) {
    return upper_ascii(trim(arg)) == word;
}

} // namespace

TStartMode parse_command_line(const std::vector<std::string>& args) {
    TStartMode mode;
    if (args.empty()) return mode;
    if (is_word(args[0], "DEBUG")) {
        mode.debug_page = true;
        return mode;
    }
    mode.project_path = args[0];
    mode.run = args.size() > 1 && is_word(args[1], "RUN");
    return mode;
}

} // namespace veltran
