#include "engine/variant.h"

#include "engine/codepage.h"
#include "engine/script_exception.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace veltran {
namespace {

// Longest string a script may build; beyond it appends fail with "Out of memory"
// rather than exhausting the machine.
constexpr std::size_t max_string_length = std::size_t{1} << 26;
// Most elements of one Variant array.
constexpr std::int64_t max_array_items = std::int64_t{1} << 22;

} // namespace

namespace detail {

template <class Ch>
TStrRep<Ch>* TStrRep<Ch>::make(std::basic_string_view<Ch> text, std::size_t capacity) {
    capacity = std::max(capacity, text.size());
    if (capacity > max_string_length) raise_out_of_memory();
    auto* rep =
        static_cast<TStrRep*>(::operator new(sizeof(TStrRep) + (capacity + 1) * sizeof(Ch)));
    rep->refs = 1;
    rep->length = static_cast<std::int32_t>(text.size());
    rep->capacity = static_cast<std::int32_t>(capacity);
    if (!text.empty()) std::memcpy(rep->chars(), text.data(), text.size() * sizeof(Ch));
    rep->chars()[text.size()] = Ch{};
    return rep;
}

template struct TStrRep<char>;
template struct TStrRep<char16_t>;

} // namespace detail

using detail::TAnsiRep;
using detail::TArrayRep;
using detail::TWideRep;

Variant::Variant(std::u16string_view text) : type_(varUString) {
    v_.wide = text.empty() ? nullptr : TWideRep::make(text, text.size());
}

Variant Variant::null() noexcept {
    Variant v;
    v.type_ = varNull;
    return v;
}

Variant Variant::of_integer(std::uint16_t type, std::int64_t value) noexcept {
    Variant v(value);
    v.type_ = type;
    return v;
}

Variant Variant::of_single(float f) noexcept {
    Variant v;
    v.type_ = varSingle;
    v.v_.sgl = f;
    return v;
}

Variant Variant::of_currency(std::int64_t scaled_by_10000) noexcept {
    return of_integer(varCurrency, scaled_by_10000);
}

Variant Variant::of_date(double days_since_1899_12_30) noexcept {
    Variant v(days_since_1899_12_30);
    v.type_ = varDate;
    return v;
}

Variant Variant::from_utf8(std::string_view utf8) {
    bool ascii = std::all_of(utf8.begin(), utf8.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) return Variant(std::u16string_view(utf8_to_utf16(utf8)));
    Variant v;
    v.type_ = varUString;
    v.v_.wide = nullptr;
    if (utf8.empty()) return v;
    v.v_.wide = TWideRep::make(u"", utf8.size());
    char16_t* out = v.v_.wide->chars();
    for (std::size_t i = 0; i < utf8.size(); ++i)
        out[i] = static_cast<char16_t>(utf8[i]);
    out[utf8.size()] = 0;
    v.v_.wide->length = static_cast<std::int32_t>(utf8.size());
    return v;
}

Variant Variant::from_ansi(std::string_view ansi) {
    Variant v;
    v.type_ = varString;
    v.v_.ansi = ansi.empty() ? nullptr : TAnsiRep::make(ansi, ansi.size());
    return v;
}

Variant Variant::ole_string(std::u16string_view text) {
    Variant v(text);
    v.type_ = varOleStr;
    return v;
}

Variant Variant::array(std::span<const TArrayBound> bounds, std::uint16_t element_type) {
    std::int64_t count = 1;
    for (const TArrayBound& b : bounds) {
        const std::int64_t n = std::int64_t{b.high} - b.low + 1;
        if (n < 0) raise_bad_index();
        count *= n;
        if (count > max_array_items) raise_out_of_memory();
    }
    auto rep = std::make_unique<TArrayRep>();
    rep->element_type = element_type;
    rep->bounds.assign(bounds.begin(), bounds.end());
    rep->items.resize(static_cast<std::size_t>(bounds.empty() ? 0 : count));
    Variant v;
    v.type_ = static_cast<std::uint16_t>(varArray | element_type);
    v.v_.arr = rep.release();
    return v;
}

Variant Variant::array_of(std::span<const Variant> values) {
    const TArrayBound bound{0, static_cast<std::int32_t>(values.size()) - 1};
    Variant v = array(std::span(&bound, 1));
    std::copy(values.begin(), values.end(), v.v_.arr->items.begin());
    return v;
}

void Variant::release_buffer() noexcept {
    if (type_ == varString) {
        TAnsiRep::release(v_.ansi);
    } else if (type_ == varUString || type_ == varOleStr) {
        TWideRep::release(v_.wide);
    } else if (--v_.arr->refs == 0) {
        delete v_.arr;
    }
}

bool Variant::is_integer() const {
    switch (type_) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varUInt64: return true;
    default: return false;
    }
}

bool Variant::is_numeric() const {
    switch (type_) {
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate: return true;
    default: return is_integer();
    }
}

std::string Variant::type_name(std::uint16_t type) {
    if (type & varArray) return "Array " + type_name(type & ~varArray);
    switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varOleStr: return "OleStr";
    case varDispatch: return "Dispatch";
    case varError: return "Error";
    case varBoolean: return "Boolean";
    case varVariant: return "Variant";
    case varUnknown: return "Unknown";
    case varShortInt: return "ShortInt";
    case varByte: return "Byte";
    case varWord: return "Word";
    case varLongWord: return "LongWord";
    case varInt64: return "Int64";
    case varUInt64: return "UInt64";
    case varString: return "String";
    case varUString: return "UnicodeString";
    default: return "Unknown";
    }
}

void Variant::append_string(const Variant& other) {
    if (!is_wide_string()) *this = to_ustring();
    Variant tail_holder;
    std::u16string_view tail;
    if (other.is_wide_string()) {
        tail = other.wide_view();
    } else {
        tail_holder = other.to_ustring();
        tail = tail_holder.wide_view();
    }
    if (tail.empty()) return;
    TWideRep* rep = v_.wide;
    const std::size_t length = rep ? static_cast<std::size_t>(rep->length) : 0;
    const std::size_t needed = length + tail.size();
    if (rep && rep->refs == 1 && needed <= static_cast<std::size_t>(rep->capacity)) {
        std::memcpy(rep->chars() + length, tail.data(), tail.size() * sizeof(char16_t));
        rep->chars()[needed] = 0;
        rep->length = static_cast<std::int32_t>(needed);
        return;
    }
    TWideRep* grown = TWideRep::make(wide_view(), std::max(needed, length * 2));
    std::memcpy(grown->chars() + length, tail.data(), tail.size() * sizeof(char16_t));
    grown->chars()[needed] = 0;
    grown->length = static_cast<std::int32_t>(needed);
    TWideRep::release(rep);
    v_.wide = grown;
}

TArrayRep& Variant::array_rep() const {
    if (!is_array()) raise_invalid_variant_op();
    return *v_.arr;
}

TArrayRep& Variant::unique_array() {
    TArrayRep& rep = array_rep();
    if (rep.refs == 1) return rep;
    auto copy = std::make_unique<TArrayRep>();
    copy->element_type = rep.element_type;
    copy->bounds = rep.bounds;
    copy->items = rep.items;
    --rep.refs;
    v_.arr = copy.release();
    return *v_.arr;
}

namespace {

std::size_t flat_index(const TArrayRep& rep, std::span<const std::int32_t> index) {
    if (index.size() != rep.bounds.size()) raise_bad_index();
    std::size_t flat = 0;
    for (std::size_t d = 0; d < index.size(); ++d) {
        const TArrayBound& b = rep.bounds[d];
        if (index[d] < b.low || index[d] > b.high) raise_bad_index();
        flat = flat * static_cast<std::size_t>(b.count()) +
               static_cast<std::size_t>(std::int64_t{index[d]} - b.low);
    }
    return flat;
}

} // namespace

TArrayBound Variant::array_bound(int dim) const {
    const TArrayRep& rep = array_rep();
    if (dim < 0 || static_cast<std::size_t>(dim) >= rep.bounds.size()) raise_bad_index();
    return rep.bounds[static_cast<std::size_t>(dim)];
}

const Variant& Variant::array_get(std::span<const std::int32_t> index) const {
    const TArrayRep& rep = array_rep();
    return rep.items[flat_index(rep, index)];
}

void Variant::array_put(std::span<const std::int32_t> index, const Variant& value) {
    const std::size_t flat = flat_index(array_rep(), index);
    TArrayRep& rep = unique_array();
    rep.items[flat] = rep.element_type == varVariant ? value : value.as_type(rep.element_type);
}

void Variant::array_put1(std::int32_t i, const Variant& value) {
    if (try_array_put1(i, value)) return;
    const std::int32_t index[] = {i};
    array_put(index, value);
}

std::span<const Variant> Variant::array_items() const {
    return array_rep().items;
}

void Variant::array_redim(std::int32_t high) {
    TArrayRep& rep = unique_array();
    if (rep.bounds.empty()) raise_bad_index();
    const std::int64_t count = std::int64_t{high} - rep.bounds[0].low + 1;
    if (count < 0) raise_bad_index();
    std::int64_t inner = 1;
    for (std::size_t d = 1; d < rep.bounds.size(); ++d)
        inner *= rep.bounds[d].count();
    if (count * inner > max_array_items) raise_out_of_memory();
    rep.bounds[0].high = high;
    rep.items.resize(static_cast<std::size_t>(count * inner));
}

bool same_value(const Variant& a, const Variant& b) {
    if (a.type_ != b.type_) return false;
    if (a.is_string())
        return a.is_wide_string() ? a.wide_view() == b.wide_view() : a.ansi_view() == b.ansi_view();
    if (a.is_array()) {
        const TArrayRep& x = *a.v_.arr;
        const TArrayRep& y = *b.v_.arr;
        if (x.bounds.size() != y.bounds.size() || x.items.size() != y.items.size()) return false;
        for (std::size_t d = 0; d < x.bounds.size(); ++d)
            if (x.bounds[d].low != y.bounds[d].low || x.bounds[d].high != y.bounds[d].high)
                return false;
        return std::equal(x.items.begin(), x.items.end(), y.items.begin(), same_value);
    }
    if (a.type_ == varSingle) return a.v_.sgl == b.v_.sgl;
    if (a.type_ == varDouble || a.type_ == varDate) return a.v_.dbl == b.v_.dbl;
    return a.v_.i64 == b.v_.i64;
}

} // namespace veltran
