#pragma once
// Windows-1252 stands in for the ANSI code page: the engine keeps 8-bit text
// in it, and files and windows use UTF-8.

#include <string>
#include <string_view>

namespace veltran {

// Converts Windows-1252 bytes to UTF-8. The five bytes 1252 leaves undefined
// map to the C1 control of the same value, so every byte survives a round trip.
std::string cp1252_to_utf8(std::string_view ansi);

// Converts UTF-8 to Windows-1252; characters it cannot hold become '?', and so
// does every byte of a malformed sequence.
std::string utf8_to_cp1252(std::string_view utf8);

// The Windows-1252 byte of a Unicode code point; '?' when 1252 has none.
char cp1252_from_code_point(char32_t cp);

// True if the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool is_valid_utf8(std::string_view bytes);

// One Windows-1252 byte as a UTF-16 code unit.
char16_t cp1252_to_utf16(unsigned char byte);

// UTF-8 to UTF-16; every byte of a malformed sequence becomes U+FFFD.
std::u16string utf8_to_utf16(std::string_view utf8);
// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string utf16_to_utf8(std::u16string_view utf16);

} // namespace veltran
