#include "host/digit_functions.h"

#include <algorithm>

namespace veltran {

std::string swap_dig(std::string_view text, std::int32_t count, std::string_view fill) {
    if (count <= 0) return {};
    const std::size_t wanted = static_cast<std::size_t>(count);
    const std::size_t taken = std::min(wanted, text.size());
    const std::size_t fills =
        fill.empty() ? 0 : std::min(wanted - taken, max_swap_padding / fill.size());
    std::string result;
    result.reserve(fills * fill.size() + taken);
    for (std::size_t i = 0; i < fills; ++i)
        result += fill;
    result.append(text.rend() - static_cast<std::ptrdiff_t>(taken), text.rend());
    return result;
}

} // namespace veltran
