#include "boards/board_procedures.h"

namespace veltran {

std::string swap_display_text(std::string_view text, std::string_view fill, int digits) {
    std::string swapped(text.rbegin(), text.rend());
    for (int i = static_cast<int>(text.size()); i < digits; ++i)
        swapped += fill;
    return swapped;
}

} // namespace veltran
