#include "engine/var_type.h"

#include "engine/text.h"

namespace veltran {

std::string full_type_name(TfsVarType typ, std::string_view type_name) {
    switch (typ) {
    case fvtInt: return "Integer";
    case fvtBool: return "Boolean";
    case fvtFloat: return "Extended";
    case fvtChar: return "Char";
    case fvtString: return "String";
    case fvtArray: return "Array";
    case fvtVariant:
    case fvtConstructor: return "Variant";
    case fvtInt64: return "Int64";
    case fvtClass:
    case fvtEnum: break;
    }
    return std::string(type_name);
}

Variant stored_for_kind(TfsVarType typ, const Variant& value) {
    switch (typ) {
    case fvtInt: return value.is_int32() ? value : Variant(value.to_int());
    case fvtBool: return value.is_bool() ? value : Variant(value.to_bool());
    case fvtFloat:
        if (value.vtype() == varDate || value.vtype() == varDouble) return value;
        return Variant(value.to_double());
    case fvtString: return value.to_ustring();
    case fvtInt64: return value.vtype() == varInt64 ? value : Variant(value.to_int64());
    default: return value;
    }
}

bool types_compatible(const TfsTypeRec& target, const TfsTypeRec& value, TfsCheck check,
                      const TfsDescendsFrom& descends) {
    const TfsVarType b = value.Typ;
    if (b == fvtVariant) return target.Typ != fvtConstructor;
    switch (target.Typ) {
    case fvtInt:
        return b == fvtInt || b == fvtEnum || b == fvtInt64 ||
               (check == TfsCheck::operand && b == fvtFloat);
    case fvtBool: return b == fvtBool;
    case fvtFloat: return b == fvtInt || b == fvtFloat;
    case fvtChar:
    case fvtString: return b == fvtChar || b == fvtString;
    case fvtClass: return b == fvtClass && descends(value.TypeName, target.TypeName);
    case fvtArray: return b == fvtArray;
    case fvtVariant: return true;
    case fvtEnum:
        return b == fvtInt || b == fvtInt64 ||
               (b == fvtEnum && same_text_ignoring_case(target.TypeName, value.TypeName));
    case fvtConstructor: return false;
    case fvtInt64: return b == fvtInt || b == fvtFloat || b == fvtEnum || b == fvtInt64;
    }
    return false;
}

std::string incompatible_types_message(const TfsTypeRec& target, const TfsTypeRec& value) {
    return "Incompatible types: '" + full_type_name(target.Typ, target.TypeName) + "', '" +
           full_type_name(value.Typ, value.TypeName) + "'";
}

} // namespace veltran
