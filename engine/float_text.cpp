#include "engine/float_text.h"

#include "engine/float_decimal.h"

#include <cmath>
#include <cstdlib>

namespace veltran {
namespace {

// Digits past this place have no meaning in a fixed form; larger values are
// written in the general form instead.
constexpr int max_fixed_integer_digits = 18;

bool special_text(double value, std::u16string& out) {
    if (std::isnan(value)) {
        out = u"NAN";
        return true;
    }
    if (std::isinf(value)) {
        out = value > 0 ? u"INF" : u"-INF";
        return true;
    }
    return false;
}

void append_digits(std::u16string& out, const TFloatDecimal& d, int from, int to) {
    for (int i = from; i < to; ++i)
        out += static_cast<char16_t>(d.digit(i));
}

void append_exponent(std::u16string& out, int exponent, bool plus_sign, int min_digits) {
    if (exponent < 0)
        out += u'-';
    else if (plus_sign)
        out += u'+';
    const std::string digits = std::to_string(std::abs(exponent));
    for (int n = static_cast<int>(digits.size()); n < min_digits; ++n)
        out += u'0';
    out.append(digits.begin(), digits.end());
}

// The integer part, grouped by three with `separator` unless it is 0.
void append_integer_part(std::u16string& out, const TFloatDecimal& d, char16_t separator) {
    if (d.exponent <= 0) {
        out += u'0';
        return;
    }
    for (int i = 0; i < d.exponent; ++i) {
        out += static_cast<char16_t>(d.digit(i));
        const int places_left = d.exponent - 1 - i;
        if (separator && places_left > 0 && places_left % 3 == 0) out += separator;
    }
}

// The rounded amount without its sign; thousands grouped unless `group` is 0.
void append_amount(std::u16string& out, const TFloatDecimal& d, int decimals, char16_t group,
                   char16_t decimal_separator) {
    append_integer_part(out, d, group);
    if (decimals > 0) {
        out += decimal_separator;
        append_digits(out, d, d.exponent, d.exponent + decimals);
    }
}

// The value rounded to `decimals` places; false for a value too large for a
// fixed form.
bool fixed_decimal(double value, int decimals, TFloatDecimal& d) {
    d = float_decimal(value);
    if (d.exponent > max_fixed_integer_digits) return false;
    d.round_decimals(decimals);
    return true;
}

std::u16string money_layout(int layout, const std::u16string& amount, const std::u16string& cur,
                            bool negative) {
    if (!negative) {
        switch (layout) {
        case 1: return amount + cur;
        case 2: return cur + u" " + amount;
        case 3: return amount + u" " + cur;
        default: return cur + amount;
        }
    }
    switch (layout) {
    case 0: return u"(" + cur + amount + u")";
    case 2: return cur + u"-" + amount;
    case 3: return cur + amount + u"-";
    case 4: return u"(" + amount + cur + u")";
    case 5: return u"-" + amount + cur;
    case 6: return amount + u"-" + cur;
    case 7: return amount + cur + u"-";
    case 8: return u"-" + amount + u" " + cur;
    case 9: return u"-" + cur + u" " + amount;
    case 10: return amount + u" " + cur + u"-";
    case 11: return cur + u" " + amount + u"-";
    case 12: return cur + u" -" + amount;
    case 13: return amount + u"- " + cur;
    case 14: return u"(" + cur + u" " + amount + u")";
    case 15: return u"(" + amount + u" " + cur + u")";
    default: return u"-" + cur + amount;
    }
}

} // namespace

std::u16string float_general_text(double value, int precision, char16_t decimal_separator) {
    std::u16string out;
    if (special_text(value, out)) return out;
    TFloatDecimal d = float_decimal(value);
    d.round_significant(precision);
    if (d.is_zero()) return u"0";
    if (d.negative) out += u'-';
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent > precision || d.exponent < -3) {
        append_digits(out, d, 0, 1);
        if (count > 1) {
            out += decimal_separator;
            append_digits(out, d, 1, count);
        }
        out += u'E';
        append_exponent(out, d.exponent - 1, false, 0);
        return out;
    }
    append_integer_part(out, d, 0);
    if (count > d.exponent) {
        out += decimal_separator;
        append_digits(out, d, d.exponent, count);
    }
    return out;
}

std::u16string float_exponent_text(double value, int precision, char16_t decimal_separator) {
    std::u16string out;
    if (special_text(value, out)) return out;
    if (precision < 1) precision = 1;
    TFloatDecimal d = float_decimal(value);
    d.round_significant(precision);
    if (d.negative && !d.is_zero()) out += u'-';
    append_digits(out, d, 0, 1);
    if (precision > 1) {
        out += decimal_separator;
        append_digits(out, d, 1, precision);
    }
    out += u'E';
    append_exponent(out, d.is_zero() ? 0 : d.exponent - 1, true, 3);
    return out;
}

std::u16string float_fixed_text(double value, int decimals, bool grouped,
                                const TFormatSettings& fs) {
    std::u16string out;
    if (special_text(value, out)) return out;
    TFloatDecimal d;
    if (!fixed_decimal(value, decimals, d))
        return float_general_text(value, 15, fs.decimal_separator);
    if (d.negative && !d.is_zero()) out += u'-';
    append_amount(out, d, decimals, grouped ? fs.thousand_separator : u'\0', fs.decimal_separator);
    return out;
}

std::u16string float_money_text(double value, int decimals, const TFormatSettings& fs) {
    std::u16string out;
    if (special_text(value, out)) return out;
    TFloatDecimal d;
    if (!fixed_decimal(value, decimals, d))
        return float_general_text(value, 15, fs.decimal_separator);
    const bool negative = d.negative && !d.is_zero();
    std::u16string amount;
    append_amount(amount, d, decimals, fs.thousand_separator, fs.decimal_separator);
    return money_layout(negative ? fs.neg_curr_format : fs.currency_format, amount,
                        fs.currency_string, negative);
}

} // namespace veltran
