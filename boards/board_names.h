#pragma once
// Board names: a board is named by its 11-character serial, an expansion by
// the serial, "-EXP" and the decimal address. Scripts, requests and events
// all use these names.

#include <stdexcept>
#include <string>
#include <string_view>

namespace veltran {

inline constexpr std::size_t serial_length = 11;

// The address characters of a 16- or 17-character name are not a number;
// the board command that got the name fails with it.
class TBoardNameError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The list key a name resolves to: its first 11 characters.
std::string_view board_key(std::string_view name);

// The expansion address of a name: characters 16 (and 17) read as a decimal
// number for names of 16 or 17 characters, else 64 (the board itself).
int get_id_exp(std::string_view name);

// serial + "-EXP" + address, or the serial itself for address 64.
std::string expansion_name(std::string_view serial, int address);

} // namespace veltran
