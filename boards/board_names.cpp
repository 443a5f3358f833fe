#include "boards/board_names.h"

#include "boards/board_kinds.h"
#include "engine/text.h"

#include <algorithm>

namespace veltran {
namespace {

constexpr std::size_t short_expansion_name = 16;
constexpr std::size_t long_expansion_name = 17;

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string_view board_key(std::string_view name) {
    return name.substr(0, serial_length);
}

int get_id_exp(std::string_view name) {
    if (name.size() != short_expansion_name && name.size() != long_expansion_name) return own_slot;
    const std::string_view digits = trim_view(name.substr(short_expansion_name - 1));
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), is_digit))
        throw TBoardNameError("'" + std::string(name.substr(short_expansion_name - 1)) +
                              "' is not a valid integer value");
    int address = 0;
    for (char c : digits)
        address = address * 10 + (c - '0');
    return address;
}

std::string expansion_name(std::string_view serial, int address) {
    std::string name(serial);
    if (address != own_slot) name += "-EXP" + std::to_string(address);
    return name;
}

} // namespace veltran
