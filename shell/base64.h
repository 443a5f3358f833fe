#pragma once
// The Base64 decoder of module code stored in encoded form.

#include <string>
#include <string_view>

namespace veltran {

// Decodes whole groups of four characters; characters after the last whole
// group are ignored, a '=' in the third or fourth place ends the group early,
// and a character outside the alphabet counts as 0.
std::string decode_base64(std::string_view text);

} // namespace veltran
