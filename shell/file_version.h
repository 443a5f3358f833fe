#pragma once
// Version and build texts of the running program, from the file version the
// build gives it (major.minor, release, build).

#include <string>

namespace veltran {

struct TFileVersion {
    unsigned major, minor, release, build;
};

TFileVersion program_file_version();

// "7.0" and, for release 3 and build 12, "312".
std::string version_text(const TFileVersion& v);
std::string build_text(const TFileVersion& v);

} // namespace veltran
