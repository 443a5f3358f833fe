#include "engine/wide_text.h"

namespace veltran {

bool ascii_of(std::u16string_view text, std::string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 0x80) return false;
        out[i] = static_cast<char>(text[i]);
    }
    return true;
}

} // namespace veltran
