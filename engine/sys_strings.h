#pragma once
// The library's string functions over UTF-16 text. Positions are 1-based and
// count UTF-16 code units, as string indexing does; out-of-range positions
// and counts are clipped rather than refused.

#include <cstdint>
#include <locale>
#include <string>
#include <string_view>

namespace veltran {

// Copy: up to `count` characters from position `from` (a position below 1
// counts as 1).
std::u16string_view copy_text(std::u16string_view s, std::int64_t from, std::int64_t count);
// Pos: 1-based position of the first occurrence, 0 when absent or empty.
std::int32_t pos_text(std::u16string_view needle, std::u16string_view haystack);
// Delete: without `count` characters from `from`; unchanged when `from` is
// outside 1..length or `count` <= 0.
std::u16string delete_text(std::u16string_view s, std::int64_t from, std::int64_t count);
// Insert: `piece` inserted before position `at`, clipped to 1..length+1.
std::u16string insert_text(std::u16string_view piece, std::u16string_view s, std::int64_t at);
// SetLength on a string: cut, or lengthened with blanks.
std::u16string resize_text(std::u16string_view s, std::int64_t length);

// Case by the locale's rules (characters beyond the BMP are kept).
std::u16string upper_text(std::u16string_view s, const std::locale& locale);
std::u16string lower_text(std::u16string_view s, const std::locale& locale);
// NameCase: lower case, then the first character and each one after a blank
// in upper case.
std::u16string name_case(std::u16string_view s, const std::locale& locale);
// CompareText: case-insensitive comparison by the locale's collation;
// negative, 0 or positive.
int compare_text(std::u16string_view a, std::u16string_view b, const std::locale& locale);
// Trim: without leading and trailing characters of code 32 or less.
std::u16string_view trim_text(std::u16string_view s);

// Chr: the character of a code 0..0x10FFFF (two units beyond the BMP);
// other codes raise the range error.
std::u16string chr_text(std::int64_t code);
// Ord: the code of the first character (a surrogate pair counts as one);
// the empty string raises the range error.
std::int32_t ord_text(std::u16string_view s);

// ExtractFilePath: up to and including the last '\', '/' or drive ':'; empty
// when there is none. Both delimiters count, since scripts written on Windows
// name paths with '\'.
std::u16string_view extract_file_path(std::u16string_view file_name);

} // namespace veltran
