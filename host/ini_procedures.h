#pragma once
// ReadIniFile and WriteIniFile: scripts keep settings in ini files beside
// their project. A file that does not exist is an error of the calling module
// on the ERROR CODE channel; it is never created.
//
// Names, keys and values are script text (Windows-1252). A file that is valid
// UTF-8 is read and written as UTF-8, any other as Windows-1252 bytes.

#include "shell/shell_state.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace veltran {

// The module making the call: its title for the error line and the project
// file it was loaded from (empty for a module created since the load).
struct TIniCaller {
    TShell& shell;
    std::string_view title;
    std::string_view project_file;
};

// The name as given when it has a folder part, else the name in the folder of
// the project file (the current folder when there is none).
std::filesystem::path ini_file_path(std::string_view project_file, std::string_view name);

// The text stored under section and key; nothing when the key is not there
// or the file does not exist (the script then reads the integer 0).
std::optional<std::string> read_ini_file(const TIniCaller& caller, std::string_view file,
                                         std::string_view section, std::string_view key);

void write_ini_file(const TIniCaller& caller, std::string_view file, std::string_view section,
                    std::string_view key, std::string_view value);

} // namespace veltran
