#include "shell/log_channel.h"

namespace veltran {
namespace {

constexpr std::string_view blue = "#2E2EFE";
constexpr std::string_view red = "#FF0000";

} // namespace

std::string_view channel_label(std::uint8_t channel) {
    switch (channel) {
    case log_compiler: return "COMPILER";
    case log_debug: return "DEBUG";
    case log_connections: return "CONNECTIONS";
    case log_error_code: return "ERROR CODE";
    case log_error_boards: return "ERROR BOARDS";
    default: return "OTHER";
    }
}

std::string_view channel_colour(std::uint8_t channel) {
    return channel >= log_compiler && channel <= log_connections ? blue : red;
}

std::string channel_prefix(std::uint8_t channel) {
    std::string prefix = R"(<FONT face="Tahoma" size="8" color=")";
    prefix += channel_colour(channel);
    prefix += "\">";
    prefix += channel_label(channel);
    prefix += "</FONT>:";
    return prefix;
}

} // namespace veltran
