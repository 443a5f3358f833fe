#pragma once
// The five log channels and the HTML prefix each log line carries.

#include <cstdint>
#include <string>
#include <string_view>

namespace veltran {

enum TLogChannel : std::uint8_t {
    log_compiler = 1,
    log_debug = 2,
    log_connections = 3,
    log_error_code = 4,
    log_error_boards = 5,
};

std::string_view channel_label(std::uint8_t channel);
std::string_view channel_colour(std::uint8_t channel);

// <FONT face="Tahoma" size="8" color="#2E2EFE">COMPILER</FONT>:
std::string channel_prefix(std::uint8_t channel);

} // namespace veltran
