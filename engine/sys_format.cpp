#include "engine/sys_format.h"

#include "engine/float_text.h"
#include "engine/sys_convert.h"

#include <charconv>

namespace veltran {
namespace {

// Widths and precisions beyond this are taken as a malformed directive
// rather than as a request for a huge string.
constexpr int max_width = 100000;
constexpr std::size_t short_string_length = 255;

enum class TArgKind { integer, int64, floating, text, boolean, variant };

TArgKind kind_of(const Variant& v) {
    switch (v.vtype()) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord: return TArgKind::integer;
    case varInt64:
    case varUInt64: return TArgKind::int64;
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate: return TArgKind::floating;
    case varString:
    case varOleStr:
    case varUString: return TArgKind::text;
    case varBoolean: return TArgKind::boolean;
    default: return v.is_array() ? TArgKind::variant : TArgKind::integer;
    }
}

template <class T> std::u16string digits_of(T value, int base) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, base).ptr;
    std::u16string out;
    for (const char* p = buf; p != end; ++p)
        out += static_cast<char16_t>(*p >= 'a' ? *p - 32 : *p);
    return out;
}

class TFormatter {
public:
    TFormatter(std::u16string_view format, std::span<const Variant> args, const TFormatSettings& fs)
        : format_(format), args_(args), fs_(fs) {}

    std::u16string run();

private:
    struct TDirective {
        bool left = false;
        int width = -1;
        int precision = -1;
        char16_t letter = 0;
    };

    [[noreturn]] void invalid() const {
        raise_convert_error("Format " + quoted(format_) + " invalid or incompatible with argument");
    }
    const Variant& next_arg() {
        if (next_ >= args_.size()) raise_convert_error("No argument for format " + quoted(format_));
        return args_[next_++];
    }
    // A number or '*'; -1 when there is neither.
    int count(std::size_t& i);
    TDirective parse(std::size_t& i);
    std::u16string integer_text(const Variant& arg, char16_t letter, int precision) const;
    double float_arg(const Variant& arg) const;
    std::u16string text_arg(const Variant& arg, int precision) const;
    std::u16string converted(const Variant& arg, const TDirective& d) const;

    std::u16string_view format_;
    std::span<const Variant> args_;
    const TFormatSettings& fs_;
    std::size_t next_ = 0;
};

int TFormatter::count(std::size_t& i) {
    if (i < format_.size() && format_[i] == u'*') {
        ++i;
        const Variant& arg = next_arg();
        if (kind_of(arg) != TArgKind::integer) invalid();
        const std::int64_t n = arg.is_integer() ? arg.int64_value() : 0;
        if (n > max_width) invalid();
        return static_cast<int>(n);
    }
    int n = -1;
    while (i < format_.size() && format_[i] >= u'0' && format_[i] <= u'9') {
        n = (n < 0 ? 0 : n * 10) + (format_[i++] - u'0');
        if (n > max_width) invalid();
    }
    return n;
}

TFormatter::TDirective TFormatter::parse(std::size_t& i) {
    TDirective d;
    int n = count(i);
    if (i < format_.size() && format_[i] == u':') {
        ++i;
        next_ = n < 0 ? 0 : static_cast<std::size_t>(n);
        n = -1;
    }
    if (n < 0) {
        if (i < format_.size() && format_[i] == u'-') {
            d.left = true;
            ++i;
        }
        n = count(i);
    }
    d.width = n;
    if (i < format_.size() && format_[i] == u'.') {
        ++i;
        d.precision = std::max(count(i), 0);
    }
    if (i >= format_.size()) invalid();
    d.letter = format_[i++];
    if (d.letter >= u'A' && d.letter <= u'Z') d.letter = static_cast<char16_t>(d.letter + 32);
    if (std::u16string_view(u"duxpefgnms").find(d.letter) == std::u16string_view::npos) invalid();
    return d;
}

std::u16string TFormatter::integer_text(const Variant& arg, char16_t letter, int precision) const {
    std::int64_t value;
    bool is64 = false;
    switch (kind_of(arg)) {
    case TArgKind::integer:
        value = arg.is_integer() ? static_cast<std::int32_t>(arg.int64_value()) : 0;
        break;
    case TArgKind::int64:
        value = arg.int64_value();
        is64 = true;
        break;
    case TArgKind::variant:
        value = arg.to_int64();
        is64 = true;
        break;
    default: invalid();
    }
    std::u16string digits;
    bool negative = false;
    if (letter == u'd') {
        negative = value < 0;
        digits = digits_of(negative ? 0 - static_cast<std::uint64_t>(value)
                                    : static_cast<std::uint64_t>(value),
                           10);
    } else {
        const std::uint64_t bits =
            is64 ? static_cast<std::uint64_t>(value) : static_cast<std::uint32_t>(value);
        digits = digits_of(bits, letter == u'u' ? 10 : 16);
        if (letter == u'p') precision = is64 ? 16 : 8;
    }
    if (precision > static_cast<int>(digits.size()))
        digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), u'0');
    return negative ? u"-" + digits : digits;
}

double TFormatter::float_arg(const Variant& arg) const {
    const TArgKind kind = kind_of(arg);
    if (kind != TArgKind::floating && kind != TArgKind::variant) invalid();
    return arg.to_double();
}

std::u16string TFormatter::text_arg(const Variant& arg, int precision) const {
    std::u16string text;
    switch (kind_of(arg)) {
    case TArgKind::text:
        text = arg.to_u16string();
        if (arg.vtype() != varUString && text.size() > short_string_length)
            text.resize(short_string_length);
        break;
    case TArgKind::variant: text = arg.to_u16string(); break;
    default: invalid();
    }
    if (precision >= 0 && static_cast<std::size_t>(precision) < text.size())
        text.resize(static_cast<std::size_t>(precision));
    return text;
}

std::u16string TFormatter::converted(const Variant& arg, const TDirective& d) const {
    const int p = d.precision;
    switch (d.letter) {
    case u'd':
    case u'u':
    case u'x':
    case u'p': return integer_text(arg, d.letter, p);
    case u'e':
        return float_exponent_text(float_arg(arg), p < 0 || p > 18 ? 15 : p, fs_.decimal_separator);
    case u'g':
        return float_general_text(float_arg(arg), p < 1 || p > 18 ? 15 : p, fs_.decimal_separator);
    case u'f': return float_fixed_text(float_arg(arg), p < 0 ? 2 : std::min(p, 18), false, fs_);
    case u'n': return float_fixed_text(float_arg(arg), p < 0 ? 2 : std::min(p, 18), true, fs_);
    case u'm':
        return float_money_text(float_arg(arg), p < 0 ? fs_.currency_decimals : std::min(p, 18),
                                fs_);
    case u's': return text_arg(arg, p);
    default: invalid();
    }
}

std::u16string TFormatter::run() {
    std::u16string out;
    out.reserve(format_.size() + 16);
    std::size_t i = 0;
    while (i < format_.size()) {
        const std::size_t percent = format_.find(u'%', i);
        if (percent == std::u16string_view::npos) {
            out.append(format_.substr(i));
            break;
        }
        out.append(format_.substr(i, percent - i));
        i = percent + 1;
        if (i < format_.size() && format_[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        const TDirective d = parse(i);
        const std::u16string text = converted(next_arg(), d);
        const std::size_t pad = d.width > static_cast<int>(text.size())
                                    ? static_cast<std::size_t>(d.width) - text.size()
                                    : 0;
        if (!d.left) out.append(pad, u' ');
        out += text;
        if (d.left) out.append(pad, u' ');
    }
    return out;
}

} // namespace

std::u16string format_text(std::u16string_view format, std::span<const Variant> args,
                           const TFormatSettings& fs) {
    return TFormatter(format, args, fs).run();
}

} // namespace veltran
