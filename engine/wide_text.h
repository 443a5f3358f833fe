#pragma once
// A Variant's text as UTF-16, the library's working form of strings. A UTF-16
// string value is used in place; anything else is converted once by the
// Variant rules (which raise the conversion error for Null and arrays).

#include "engine/variant.h"

#include <string>
#include <string_view>

namespace veltran {

class TWideText {
public:
    explicit TWideText(const Variant& value)
        : value_(value.vtype() == varUString ? value : value.to_ustring()) {}
    std::u16string_view view() const { return value_.wide_view(); }
    operator std::u16string_view() const { return view(); }

private:
    Variant value_;
};

// The text as ASCII bytes; false when it holds anything else (such text is
// never a number or a date).
bool ascii_of(std::u16string_view text, std::string& out);

} // namespace veltran
