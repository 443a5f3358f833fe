#include "shell/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace veltran {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void raise_file_error(const char* what, const std::string& path, int error) {
    throw TFileError(std::string(what) + " \"" + path + "\": " + std::strerror(error));
}

} // namespace

std::optional<std::string> read_file(const std::string& path, std::size_t max_size) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    const auto size = fs::file_size(path, ec);
    if (ec || size > max_size) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content(static_cast<std::size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (in.gcount() != static_cast<std::streamsize>(content.size())) return std::nullopt;
    return content;
}

std::string read_file_or_raise(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) raise_file_error("Cannot open file", path, errno);
    std::string content;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        content.append(buffer, n);
        if (content.size() > max_document_size) {
            std::fclose(f);
            raise_file_error("Cannot read file", path, EFBIG);
        }
    }
    const bool failed = std::ferror(f);
    std::fclose(f);
    if (failed) raise_file_error("Cannot read file", path, EIO);
    return content;
}

void write_file_replacing(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".writing";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) raise_file_error("Cannot create file", path, errno);
    // Flushed to the disk before the rename, so that a crash cannot leave an
    // empty project in place of the old one.
    const bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size() &&
                         std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
    const int write_error = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        std::remove(temporary.c_str());
        raise_file_error("Cannot write file", path, written ? errno : write_error);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        raise_file_error("Cannot write file", path, error);
    }
}

void copy_file_replacing(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) raise_file_error("Cannot copy file", from, ec.value());
}

bool file_exists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool folder_exists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

} // namespace veltran
