#include "host/debug_procedure.h"

#include "engine/codepage.h"
#include "engine/text.h"
#include "shell/log_channel.h"

namespace veltran {

std::string debug_line(std::string_view title, std::string_view text) {
    std::string line = "Code=\"";
    line += title;
    line += "\", Text=\"";
    line += cp1252_to_utf8(text);
    line.resize(trim_view(line).size()); // the line starts with "Code=", so only its end is trimmed
    line += '"';
    return line;
}

void script_debug(TShell& shell, std::string_view title, std::string_view text) {
    shell.add_log(log_debug, debug_line(title, text));
}

} // namespace veltran
