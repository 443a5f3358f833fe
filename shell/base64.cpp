#include "shell/base64.h"

#include <cstdint>

namespace veltran {
namespace {

std::uint32_t sextet(char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<std::uint32_t>(c - 'A');
    if (c >= 'a' && c <= 'z') return static_cast<std::uint32_t>(c - 'a' + 26);
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0' + 52);
    if (c == '+') return 62;
    if (c == '/') return 63;
    return 0;
}

} // namespace

std::string decode_base64(std::string_view text) {
    std::string bytes;
    const std::size_t groups = text.size() / 4;
    bytes.reserve(groups * 3);
    for (std::size_t g = 0; g < groups; ++g) {
        const std::string_view q = text.substr(g * 4, 4);
        const std::uint32_t bits =
            sextet(q[0]) << 18 | sextet(q[1]) << 12 | sextet(q[2]) << 6 | sextet(q[3]);
        bytes += static_cast<char>(bits >> 16);
        if (q[2] == '=') continue;
        bytes += static_cast<char>(bits >> 8 & 0xFF);
        if (q[3] == '=') continue;
        bytes += static_cast<char>(bits & 0xFF);
    }
    return bytes;
}

} // namespace veltran
