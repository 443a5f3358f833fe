#pragma once
// The library's functions on Variants as such: VarArrayCreate, VarType,
// Length and SetLength.

#include "engine/variant.h"

#include <cstdint>

namespace veltran {

// A Variant array with the (low, high) pairs of `bounds` (an array of an even
// number of values convertible to integers), every element the zero value of
// the element type (empty for varVariant). A type code that is no element
// type, or bounds that are no pairs, raise "Invalid argument"
// (EVariantInvalidArgError).
Variant var_array_create(const Variant& bounds, std::int32_t element_type);

// For an array the element count of its first dimension; otherwise the
// length of the value's text.
std::int32_t length_of(const Variant& value);

// A string value cut or lengthened (with blanks) to `length` characters; any
// other value is taken as an array whose first dimension's high bound becomes
// length - 1.
Variant with_length(const Variant& value, std::int64_t length);

} // namespace veltran
