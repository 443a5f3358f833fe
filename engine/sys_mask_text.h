#pragma once
// FormatMaskText: a value laid out by an edit mask.
//
// An edit mask is "mask[;save[;blank]]". In the mask, L l A a C c 0 9 #
// are places for one character of the value (letter, letter or digit, any
// character, digit, digit or sign; required or optional); > switches to upper
// case, < to lower case, <> back to no change; \ makes the next character
// literal; : and / stand for the time and date separators, _ for a blank;
// ! puts the blanks of a short value first instead of last; every other
// character is literal. With save "0" the value holds only the characters of
// the places and the literals are inserted; otherwise (the default) the value
// holds the literals too, and a literal of the value where the mask has one
// is taken over. Places left without a character show a blank. The value's
// characters are placed as they are, without checking them against the
// places.

#include "engine/locale_settings.h"

#include <string>
#include <string_view>

namespace veltran {

std::u16string format_mask_text(std::u16string_view edit_mask, std::u16string_view value,
                                const TFormatSettings& fs);

} // namespace veltran
