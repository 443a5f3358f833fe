#pragma once
// The error the script engine raises: its message is the system's own text
// ("Invalid file format", "Language 'X' not found", ...), shown as it stands.

#include <stdexcept>

namespace veltran {

class TfsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace veltran
