#pragma once
// A generated script module of realistic shape for benchmarks: procedures
// and functions with parameters, nested statements of every kind,
// expressions, string literals and comments.

#include <string>

namespace veltran {

// About `lines` lines of valid PascalScript, lines ending with CR LF.
std::string GenerateModule(int lines);

} // namespace veltran
