#pragma once
// The compile-time kinds of script items, how a variable of each kind stores
// what it is given, and which kinds may be stored where.

#include "engine/variant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace veltran {

enum TfsVarType : std::uint8_t {
    fvtInt = 0,
    fvtBool = 1,
    fvtFloat = 2,
    fvtChar = 3,
    fvtString = 4,
    fvtClass = 5,
    fvtArray = 6,
    fvtVariant = 7,
    fvtEnum = 8,
    fvtConstructor = 9,
    fvtInt64 = 10,
};

struct TfsTypeRec {
    TfsVarType Typ = fvtVariant;
    std::string TypeName;
};

// The name of a kind in messages: "Integer", "Extended", ...; class and
// enumeration kinds are named by their type name.
std::string full_type_name(TfsVarType typ, std::string_view type_name);

// What a variable of the kind keeps when it is assigned the value: a 32-bit
// integer, a Boolean, a double (a date stays a date), a UTF-16 string, a
// 64-bit integer, or the value unconverted. Raises the conversion errors.
Variant stored_for_kind(TfsVarType typ, const Variant& value);

// Whether class `derived` is class `base` or descends from it.
using TfsDescendsFrom = std::function<bool(std::string_view derived, std::string_view base)>;

enum class TfsCheck {
    assignment, // assignments, initializers, FOR bounds, arguments
    operand,    // operands inside an expression: also a float where an integer stands
};

bool types_compatible(const TfsTypeRec& target, const TfsTypeRec& value, TfsCheck check,
                      const TfsDescendsFrom& descends);

// "Incompatible types: 'Integer', 'String'".
std::string incompatible_types_message(const TfsTypeRec& target, const TfsTypeRec& value);

} // namespace veltran
