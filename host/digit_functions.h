#pragma once
// SwapDig: prepares a number's text for displays wired right to left.

#include <cstdint>
#include <string>
#include <string_view>

namespace veltran {

inline constexpr std::size_t max_swap_padding = 65536;

// The first `count` characters of `text` reversed, with `fill` in front once
// per character that `text` lacks: swap_dig("123", 5, "0") is "00321". A
// count of 0 or below gives the empty text. The padding holds as many whole
// fills as fit in max_swap_padding bytes, so a runaway count cannot exhaust
// memory.
std::string swap_dig(std::string_view text, std::int32_t count, std::string_view fill);

} // namespace veltran
