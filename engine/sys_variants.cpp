#include "engine/sys_variants.h"

#include "engine/script_exception.h"
#include "engine/sys_strings.h"
#include "engine/wide_text.h"

#include <vector>

namespace veltran {
namespace {

constexpr std::size_t max_dimensions = 64;

[[noreturn]] void raise_invalid_argument() {
    throw TfsException("EVariantInvalidArgError", "Invalid argument");
}

bool is_element_type(std::int32_t type) {
    switch (type) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
    case varOleStr:
    case varBoolean:
    case varVariant:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varString:
    case varUString: return true;
    default: return false;
    }
}

// Stores `value` in every element, stepping the index like an odometer.
void fill(Variant& array, const std::vector<TArrayBound>& bounds, const Variant& value) {
    for (const TArrayBound& b : bounds)
        if (b.count() == 0) return;
    std::vector<std::int32_t> index(bounds.size());
    for (std::size_t d = 0; d < bounds.size(); ++d)
        index[d] = bounds[d].low;
    for (;;) {
        array.array_put(index, value);
        std::size_t d = bounds.size();
        while (d > 0 && index[d - 1] == bounds[d - 1].high) {
            index[d - 1] = bounds[d - 1].low;
            --d;
        }
        if (d == 0) return;
        ++index[d - 1];
    }
}

Variant zero_of(std::int32_t type) {
    const auto code = static_cast<std::uint16_t>(type);
    const bool text = type == varOleStr || type == varString || type == varUString;
    return text ? Variant(std::u16string_view()).as_type(code)
                : Variant(std::int32_t{0}).as_type(code);
}

} // namespace

Variant var_array_create(const Variant& bounds, std::int32_t element_type) {
    if (!bounds.is_array() || !is_element_type(element_type)) raise_invalid_argument();
    const std::span<const Variant> items = bounds.array_items();
    if (items.empty() || items.size() % 2 != 0 || items.size() / 2 > max_dimensions)
        raise_invalid_argument();
    std::vector<TArrayBound> pairs;
    for (std::size_t i = 0; i < items.size(); i += 2)
        pairs.push_back({items[i].to_int(), items[i + 1].to_int()});
    Variant array = Variant::array(pairs, static_cast<std::uint16_t>(element_type));
    if (element_type != varVariant) fill(array, pairs, zero_of(element_type));
    return array;
}

std::int32_t length_of(const Variant& value) {
    if (value.is_array()) return value.array_bound(0).count();
    return static_cast<std::int32_t>(TWideText(value).view().size());
}

Variant with_length(const Variant& value, std::int64_t length) {
    if (value.is_string())
        return Variant(std::u16string_view(resize_text(TWideText(value), length)));
    Variant array = value;
    if (length - 1 < INT32_MIN || length - 1 > INT32_MAX) raise_range_error();
    array.array_redim(static_cast<std::int32_t>(length - 1));
    return array;
}

} // namespace veltran
