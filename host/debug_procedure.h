#pragma once
// The script's debug procedure: one line on the DEBUG log channel.

#include "shell/shell_state.h"

#include <string>
#include <string_view>

namespace veltran {

// Code="{title}", Text="{text}" with the blanks at the end of the text dropped.
// The title is the module's (UTF-8); the text is script text (Windows-1252).
std::string debug_line(std::string_view title, std::string_view text);

void script_debug(TShell& shell, std::string_view title, std::string_view text);

} // namespace veltran
