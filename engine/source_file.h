#pragma once
// Script files as the engine holds them: 8-bit (Windows-1252) text whose
// lines end with CR LF, as a line list gives its text.

#include <string>

namespace veltran {

// UTF-8 (with or without a byte-order mark) is converted to 1252; any other
// byte sequence is taken as 1252 already. Raises "Cannot open file "<path>""
// when the file cannot be read.
std::string LoadScriptFile(const std::string& path);

} // namespace veltran
