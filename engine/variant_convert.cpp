// The conversion rules of the Variant type.
#include "engine/codepage.h"
#include "engine/number_text.h"
#include "engine/script_exception.h"
#include "engine/variant.h"

#include <cfloat>
#include <cmath>

namespace veltran {
namespace {

// ASCII copy of a string value's text; false when it holds anything else
// (such text is never a number).
bool narrow_text(const Variant& v, std::string& out) {
    if (v.vtype() == varString) {
        out.assign(v.ansi_view());
        return true;
    }
    const std::u16string_view wide = v.wide_view();
    out.resize(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] >= 0x80) return false;
        out[i] = static_cast<char>(wide[i]);
    }
    return true;
}

bool boolean_text(std::string_view text, bool& value) {
    static constexpr auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if ((a[i] | 0x20) != b[i]) return false;
        return true;
    };
    if (same(text, "true"))
        value = true;
    else if (same(text, "false"))
        value = false;
    else
        return false;
    return true;
}

std::int64_t rounded_to_int64(double d) {
    const double r = std::nearbyint(d); // the default rounding mode: halves to even
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) raise_variant_overflow();
    return static_cast<std::int64_t>(r);
}

std::int64_t in_range(std::int64_t value, std::int64_t low, std::int64_t high) {
    if (value < low || value > high) raise_variant_overflow();
    return value;
}

std::int64_t int64_of(const Variant& v, std::uint16_t target) {
    if (v.vtype() == varUInt64 && v.int64_value() < 0) raise_variant_overflow();
    if (v.is_integer()) return v.int64_value();
    switch (v.vtype()) {
    case varEmpty: return 0;
    case varBoolean: return v.bool_value() ? -1 : 0;
    case varSingle:
    case varDouble:
    case varDate: return rounded_to_int64(v.to_double());
    case varCurrency: return rounded_to_int64(static_cast<double>(v.int64_value()) / 10000.0);
    case varString:
    case varOleStr:
    case varUString: {
        const Variant n = detail::string_number(v, target);
        return n.vtype() == varDouble ? rounded_to_int64(n.double_value()) : n.int64_value();
    }
    default: raise_type_cast(v.vtype(), target);
    }
}

std::u16string widen(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace

namespace detail {

Variant string_number(const Variant& v, std::uint16_t target) {
    std::string text;
    if (narrow_text(v, text)) {
        std::int64_t i;
        if (parse_integer_text(text, i))
            return i >= INT32_MIN && i <= INT32_MAX ? Variant(static_cast<std::int32_t>(i))
                                                    : Variant(i);
        double d;
        if (parse_float_text(text, d)) return Variant(d);
        bool b;
        if (boolean_text(text, b)) return Variant(std::int32_t{b ? -1 : 0});
    }
    raise_type_cast(v.vtype(), target);
}

} // namespace detail

std::int32_t Variant::to_int_slow() const {
    return static_cast<std::int32_t>(in_range(int64_of(*this, varInteger), INT32_MIN, INT32_MAX));
}

std::int64_t Variant::to_int64() const {
    return int64_of(*this, varInt64);
}

double Variant::to_double() const {
    switch (type_) {
    case varEmpty: return 0;
    case varBoolean: return v_.i64 ? -1 : 0;
    case varSingle: return v_.sgl;
    case varDouble:
    case varDate: return v_.dbl;
    case varCurrency: return static_cast<double>(v_.i64) / 10000.0;
    case varUInt64: return static_cast<double>(static_cast<std::uint64_t>(v_.i64));
    case varString:
    case varOleStr:
    case varUString: return detail::string_number(*this, varDouble).to_double();
    default:
        if (is_integer()) return static_cast<double>(v_.i64);
        raise_type_cast(type_, varDouble);
    }
}

bool Variant::to_bool_slow() const {
    switch (type_) {
    case varEmpty: return false;
    case varSingle:
    case varDouble:
    case varDate: return to_double() != 0;
    case varString:
    case varOleStr:
    case varUString: {
        std::string text;
        bool b;
        if (narrow_text(*this, text) && boolean_text(text, b)) return b;
        return detail::string_number(*this, varBoolean).to_double() != 0;
    }
    default:
        if (is_integer() || type_ == varCurrency) return v_.i64 != 0;
        raise_type_cast(type_, varBoolean);
    }
}

std::u16string Variant::to_u16string() const {
    switch (type_) {
    case varEmpty: return {};
    case varBoolean: return v_.i64 ? u"True" : u"False";
    case varSingle: return widen(float_to_text(v_.sgl, 7));
    case varDouble: return widen(float_to_text(v_.dbl));
    case varCurrency: return widen(float_to_text(static_cast<double>(v_.i64) / 10000.0));
    case varDate: return widen(date_time_to_text(v_.dbl));
    case varUInt64: return widen(std::to_string(static_cast<std::uint64_t>(v_.i64)));
    case varOleStr:
    case varUString: return std::u16string(wide_view());
    case varString: {
        std::u16string out;
        out.reserve(ansi_view().size());
        for (char c : ansi_view())
            out += cp1252_to_utf16(static_cast<unsigned char>(c));
        return out;
    }
    default:
        if (is_integer()) return widen(std::to_string(v_.i64));
        raise_type_cast(type_, varUString);
    }
}

std::string Variant::to_utf8() const {
    if (is_wide_string()) return utf16_to_utf8(wide_view());
    if (type_ == varString) return cp1252_to_utf8(ansi_view());
    return utf16_to_utf8(to_u16string());
}

Variant Variant::to_ustring() const {
    if (type_ == varUString) return *this;
    return Variant(std::u16string_view(to_u16string()));
}

Variant Variant::as_type(std::uint16_t type) const {
    if (type == type_ || type == varVariant) return *this;
    switch (type) {
    case varEmpty: return Variant();
    case varNull: return null();
    case varSmallint:
        return of_integer(type, in_range(int64_of(*this, type), INT16_MIN, INT16_MAX));
    case varInteger: return of_integer(type, in_range(int64_of(*this, type), INT32_MIN, INT32_MAX));
    case varShortInt: return of_integer(type, in_range(int64_of(*this, type), INT8_MIN, INT8_MAX));
    case varByte: return of_integer(type, in_range(int64_of(*this, type), 0, UINT8_MAX));
    case varWord: return of_integer(type, in_range(int64_of(*this, type), 0, UINT16_MAX));
    case varLongWord: return of_integer(type, in_range(int64_of(*this, type), 0, UINT32_MAX));
    case varInt64: return of_integer(type, int64_of(*this, type));
    case varUInt64: return of_integer(type, in_range(int64_of(*this, type), 0, INT64_MAX));
    case varBoolean: return Variant(to_bool());
    case varDouble: return Variant(to_double());
    case varDate: return of_date(to_double());
    case varSingle: {
        const double d = to_double();
        if (std::isfinite(d) && std::abs(d) > FLT_MAX) raise_variant_overflow();
        return of_single(static_cast<float>(d));
    }
    case varCurrency: {
        if (is_integer() && type_ != varUInt64) {
            const std::int64_t i = v_.i64;
            if (i > INT64_MAX / 10000 || i < INT64_MIN / 10000) raise_variant_overflow();
            return of_currency(i * 10000);
        }
        return of_currency(rounded_to_int64(to_double() * 10000.0));
    }
    case varUString: return to_ustring();
    case varOleStr: return ole_string(to_u16string());
    case varString: {
        const std::u16string text = to_u16string();
        std::string ansi;
        ansi.reserve(text.size());
        for (char16_t c : text)
            ansi += cp1252_from_code_point(c);
        return from_ansi(ansi);
    }
    default: raise_type_cast(type_, type);
    }
}

} // namespace veltran
