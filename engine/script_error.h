#pragma once
// The error the script engine raises: its message is the system's own text
// ("Invalid file format", "Language 'X' not found", ...), shown as it stands.

#include <stdexcept>
#include <string>

namespace veltran {

class TfsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline TfsError cannot_open_file(const std::string& path) {
    return TfsError("Cannot open file \"" + path + "\"");
}

} // namespace veltran
