#pragma once
// File access for project and code files: bounded reads, and writes that
// never leave a truncated file behind.

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace veltran {

// The platform's file error, raised to the command that started the operation.
class TFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Project and code files above this size are not read at all.
inline constexpr std::size_t max_document_size = 64u << 20;

// The whole file, or nothing if it cannot be read or is larger than max_size.
std::optional<std::string> read_file(const std::string& path,
                                     std::size_t max_size = max_document_size);

// The whole file; raises TFileError with the reason when it cannot be read.
std::string read_file_or_raise(const std::string& path);

// Writes a temporary file beside path and renames it into place, so that a
// failed write leaves the old file intact. Raises TFileError.
void write_file_replacing(const std::string& path, const std::string& content);

// Copies from to to, replacing to. Raises TFileError.
void copy_file_replacing(const std::string& from, const std::string& to);

bool file_exists(const std::string& path);
bool folder_exists(const std::string& path);

} // namespace veltran
