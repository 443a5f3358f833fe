#include "host/link_port.h"

namespace veltran {

std::int32_t ifly_name_index(std::span<const std::string_view> names, std::string_view name) {
    for (std::size_t i = names.size(); i-- > 0;)
        if (names[i] == name) return static_cast<std::int32_t>(i);
    return -1;
}

} // namespace veltran
