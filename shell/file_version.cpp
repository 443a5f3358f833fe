#include "shell/file_version.h"

namespace veltran {

TFileVersion program_file_version() {
    return {VELTRAN_VERSION_MAJOR, VELTRAN_VERSION_MINOR, VELTRAN_VERSION_RELEASE,
            VELTRAN_VERSION_BUILD};
}

std::string version_text(const TFileVersion& v) {
    return std::to_string(v.major) + "." + std::to_string(v.minor);
}

std::string build_text(const TFileVersion& v) {
    return std::to_string(v.release) + std::to_string(v.build);
}

} // namespace veltran
