#include "engine/sys_format_float.h"

#include "engine/float_decimal.h"
#include "engine/float_text.h"

#include <cmath>
#include <vector>

namespace veltran {
namespace {

constexpr int significant_digits = 15;

// What a section asks for, from one pass over it.
struct TLayout {
    int int_places = 0;
    int first_int_zero = -1; // index of the first '0' among the integer places
    int frac_places = 0;
    int last_frac_zero = -1; // index of the last '0' among the fraction places
    bool grouped = false;
    bool scientific = false;
};

bool is_exponent_at(std::u16string_view s, std::size_t i) {
    return (s[i] == u'E' || s[i] == u'e') && i + 1 < s.size() &&
           (s[i + 1] == u'+' || s[i + 1] == u'-');
}

// The literal text quoted at i; `next` becomes the position after it.
std::u16string_view quoted_at(std::u16string_view s, std::size_t i, std::size_t& next) {
    const std::size_t close = s.find(s[i], i + 1);
    const std::size_t end = close == std::u16string_view::npos ? s.size() : close;
    next = close == std::u16string_view::npos ? s.size() : close + 1;
    return s.substr(i + 1, end - i - 1);
}

bool is_quote(char16_t c) {
    return c == u'\'' || c == u'"';
}

std::vector<std::u16string_view> sections_of(std::u16string_view picture) {
    std::vector<std::u16string_view> sections;
    std::size_t start = 0, i = 0;
    while (i < picture.size()) {
        if (is_quote(picture[i])) {
            quoted_at(picture, i, i);
        } else if (picture[i] == u';') {
            sections.push_back(picture.substr(start, i - start));
            start = ++i;
        } else {
            ++i;
        }
    }
    sections.push_back(picture.substr(start));
    return sections;
}

TLayout layout_of(std::u16string_view section) {
    TLayout l;
    bool point = false;
    for (std::size_t i = 0; i < section.size();) {
        const char16_t c = section[i];
        if (is_quote(c)) {
            quoted_at(section, i, i);
            continue;
        }
        if (c == u'0' || c == u'#') {
            if (point) {
                if (c == u'0') l.last_frac_zero = l.frac_places;
                ++l.frac_places;
            } else {
                if (c == u'0' && l.first_int_zero < 0) l.first_int_zero = l.int_places;
                ++l.int_places;
            }
        } else if (c == u'.') {
            point = true;
        } else if (c == u',') {
            l.grouped = true;
        } else if (!l.scientific && is_exponent_at(section, i)) {
            l.scientific = true;
            i += 2;
            while (i < section.size() && section[i] == u'0')
                ++i;
            continue;
        }
        ++i;
    }
    return l;
}

// Writes one section with the value's digits.
class TSectionWriter {
public:
    TSectionWriter(std::u16string_view section, const TLayout& layout, const TFloatDecimal& d,
                   const TFormatSettings& fs);
    std::u16string write(bool minus);

private:
    // The integer digits from..to-1 (negative indexes stand for nothing).
    void integer_digits(int from, int to);
    void exponent(std::u16string_view notation);

    std::u16string_view section_;
    const TLayout& layout_;
    const TFormatSettings& fs_;
    std::string int_digits_;  // the integer digits shown, padded to the least count
    std::string frac_digits_; // the fraction digits shown
    int exponent_ = 0;
    std::u16string out_;
};

TSectionWriter::TSectionWriter(std::u16string_view section, const TLayout& layout,
                               const TFloatDecimal& d, const TFormatSettings& fs)
    : section_(section), layout_(layout), fs_(fs) {
    const int int_count = layout.scientific ? layout.int_places : d.exponent;
    for (int i = 0; i < int_count; ++i)
        int_digits_ += d.digit(i);
    while (!int_digits_.empty() && int_digits_[0] == '0')
        int_digits_.erase(0, 1);
    const int least = layout.first_int_zero < 0 ? 0 : layout.int_places - layout.first_int_zero;
    if (static_cast<int>(int_digits_.size()) < least)
        int_digits_.insert(0, static_cast<std::size_t>(least) - int_digits_.size(), '0');
    for (int k = 0; k < layout.frac_places; ++k)
        frac_digits_ += d.digit(int_count + k);
    while (static_cast<int>(frac_digits_.size()) > layout.last_frac_zero + 1 &&
           frac_digits_.back() == '0')
        frac_digits_.pop_back();
    exponent_ = d.is_zero() ? 0 : d.exponent - layout.int_places;
}

void TSectionWriter::integer_digits(int from, int to) {
    for (int j = std::max(from, 0); j < to; ++j) {
        out_ += static_cast<char16_t>(int_digits_[static_cast<std::size_t>(j)]);
        const int places_left = static_cast<int>(int_digits_.size()) - 1 - j;
        if (layout_.grouped && !layout_.scientific && places_left > 0 && places_left % 3 == 0)
            out_ += fs_.thousand_separator;
    }
}

void TSectionWriter::exponent(std::u16string_view notation) {
    out_ += notation[0];
    if (exponent_ < 0)
        out_ += u'-';
    else if (notation[1] == u'+')
        out_ += u'+';
    const std::string digits = std::to_string(std::abs(exponent_));
    for (std::size_t n = digits.size(); n < notation.size() - 2; ++n)
        out_ += u'0';
    out_.append(digits.begin(), digits.end());
}

std::u16string TSectionWriter::write(bool minus) {
    if (minus) out_ += u'-';
    const int shown = static_cast<int>(int_digits_.size());
    // Integer place k shows digit shown - int_places + k; the digits before
    // the first place all appear at it.
    const int offset = shown - layout_.int_places;
    int int_place = 0;
    std::size_t frac_place = 0;
    bool point_seen = false, integer_written = false, exponent_written = false;
    const auto integer_if_no_places = [&] {
        if (!integer_written) integer_digits(0, shown);
        integer_written = true;
    };
    for (std::size_t i = 0; i < section_.size();) {
        const char16_t c = section_[i];
        if (is_quote(c)) {
            out_ += quoted_at(section_, i, i);
            continue;
        }
        if ((c == u'0' || c == u'#') && !point_seen) {
            integer_digits(int_place == 0 ? 0 : offset + int_place, offset + int_place + 1);
            ++int_place;
            integer_written = true;
        } else if (c == u'0' || c == u'#') {
            if (frac_place < frac_digits_.size())
                out_ += static_cast<char16_t>(frac_digits_[frac_place]);
            ++frac_place;
        } else if (c == u'.') {
            if (!point_seen) {
                integer_if_no_places();
                if (!frac_digits_.empty()) out_ += fs_.decimal_separator;
                point_seen = true;
            }
        } else if (c == u',') {
            // Only switches grouping on.
        } else if (!exponent_written && is_exponent_at(section_, i)) {
            integer_if_no_places();
            std::size_t end = i + 2;
            while (end < section_.size() && section_[end] == u'0')
                ++end;
            exponent(section_.substr(i, end - i));
            exponent_written = true;
            i = end;
            continue;
        } else {
            out_ += c;
        }
        ++i;
    }
    return std::move(out_);
}

} // namespace

std::u16string format_float(std::u16string_view picture, double value, const TFormatSettings& fs) {
    if (picture.empty() || !std::isfinite(value)) return float_to_str(value, fs);
    const std::vector<std::u16string_view> sections = sections_of(picture);
    std::u16string_view section = sections[0];
    bool own_sign = false;
    if (value == 0 && sections.size() > 2 && !sections[2].empty()) {
        section = sections[2];
    } else if (value < 0 && sections.size() > 1 && !sections[1].empty()) {
        section = sections[1];
        own_sign = true;
    }
    const TLayout layout = layout_of(section);
    TFloatDecimal d = float_decimal(std::fabs(value));
    if (layout.int_places + layout.frac_places == 0) d = TFloatDecimal{};
    d.round_significant(layout.scientific ? layout.int_places + layout.frac_places
                                          : significant_digits);
    if (!layout.scientific) d.round_decimals(layout.frac_places);
    const bool minus = value < 0 && !own_sign && !d.is_zero();
    return TSectionWriter(section, layout, d, fs).write(minus);
}

} // namespace veltran
