#pragma once
// Small text helpers with the semantics the whole system shares: trimming
// drops every character up to and including the blank (codes 0..32), and the
// plain upper and lower case change only the ASCII letters.

#include <string>
#include <string_view>
#include <vector>

namespace veltran {

std::string_view trim_view(std::string_view s);
std::string trim(std::string_view s);
std::string upper_ascii(std::string_view s);
std::string lower_ascii(std::string_view s);
bool same_text_ignoring_case(std::string_view a, std::string_view b);

// Splits at CR LF, LF or a lone CR; a final line break ends the last line
// rather than starting an empty one.
std::vector<std::string_view> split_lines(std::string_view text);

} // namespace veltran
