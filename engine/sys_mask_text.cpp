#include "engine/sys_mask_text.h"

#include "engine/sys_strings.h"

#include <vector>

namespace veltran {
namespace {

enum class TCase { keep, upper, lower };

// One position of the laid-out text: a literal, or a place for a character
// of the value with the case it is shown in.
struct TMaskCell {
    bool place;
    char16_t literal;
    TCase letter_case;
};

bool is_place(char16_t c) {
    return std::u16string_view(u"LlAaCc09#").find(c) != std::u16string_view::npos;
}

struct TMask {
    std::vector<TMaskCell> cells;
    bool blanks_first = false;
    bool save_literals = true;
};

TMask parse_mask(std::u16string_view edit_mask, const TFormatSettings& fs) {
    TMask mask;
    TCase letter_case = TCase::keep;
    std::size_t i = 0;
    for (; i < edit_mask.size(); ++i) {
        const char16_t c = edit_mask[i];
        if (c == u';') break;
        if (c == u'\\' && i + 1 < edit_mask.size()) {
            mask.cells.push_back({false, edit_mask[++i], letter_case});
        } else if (c == u'<' && i + 1 < edit_mask.size() && edit_mask[i + 1] == u'>') {
            letter_case = TCase::keep;
            ++i;
        } else if (c == u'<' || c == u'>') {
            letter_case = c == u'<' ? TCase::lower : TCase::upper;
        } else if (c == u'!') {
            mask.blanks_first = true;
        } else if (is_place(c)) {
            mask.cells.push_back({true, 0, letter_case});
        } else {
            const char16_t literal = c == u':'   ? fs.time_separator
                                     : c == u'/' ? fs.date_separator
                                     : c == u'_' ? u' '
                                                 : c;
            mask.cells.push_back({false, literal, letter_case});
        }
    }
    if (i + 1 < edit_mask.size() && edit_mask[i + 1] == u'0') mask.save_literals = false;
    return mask;
}

// The characters of the value that go into places, in order.
std::u16string place_characters(const TMask& mask, std::u16string_view value) {
    if (!mask.save_literals) return std::u16string(value);
    std::u16string chars;
    std::size_t v = 0;
    for (const TMaskCell& cell : mask.cells) {
        if (v >= value.size()) break;
        if (cell.place)
            chars += value[v++];
        else if (value[v] == cell.literal)
            ++v;
    }
    return chars;
}

} // namespace

std::u16string format_mask_text(std::u16string_view edit_mask, std::u16string_view value,
                                const TFormatSettings& fs) {
    const TMask mask = parse_mask(edit_mask, fs);
    std::u16string chars = place_characters(mask, value);
    std::size_t places = 0;
    for (const TMaskCell& cell : mask.cells)
        places += cell.place;
    if (chars.size() < places && mask.blanks_first) chars.insert(0, places - chars.size(), u' ');
    std::u16string out;
    std::size_t next = 0;
    for (const TMaskCell& cell : mask.cells) {
        if (!cell.place) {
            out += cell.literal;
            continue;
        }
        const std::u16string one(1, next < chars.size() ? chars[next] : u' ');
        ++next;
        switch (cell.letter_case) {
        case TCase::upper: out += upper_text(one, fs.text_locale); break;
        case TCase::lower: out += lower_text(one, fs.text_locale); break;
        case TCase::keep: out += one; break;
        }
    }
    return out;
}

} // namespace veltran
