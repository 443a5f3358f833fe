#pragma once
// How a value is stored into a variable of each kind, inline for compiled
// code: the conversions of stored_for_kind, with the common case (the value
// already has the stored type) reduced to a move.

#include "engine/var_type.h"
#include "engine/variant.h"

namespace veltran {

struct TfsStoreRaw {
    static void put(Variant& slot, Variant value) { slot = std::move(value); }
};

struct TfsStoreInt {
    static void put(Variant& slot, Variant value) {
        if (value.is_int32())
            slot = std::move(value);
        else
            slot = Variant(value.to_int());
    }
};

struct TfsStoreInt64 {
    static void put(Variant& slot, Variant value) {
        if (value.vtype() == varInt64)
            slot = std::move(value);
        else
            slot = Variant(value.to_int64());
    }
};

struct TfsStoreBool {
    static void put(Variant& slot, Variant value) {
        if (value.is_bool())
            slot = std::move(value);
        else
            slot = Variant(value.to_bool());
    }
};

struct TfsStoreFloat {
    static void put(Variant& slot, Variant value) {
        if (value.vtype() == varDouble || value.vtype() == varDate)
            slot = std::move(value);
        else
            slot = Variant(value.to_double());
    }
};

struct TfsStoreString {
    static void put(Variant& slot, Variant value) {
        if (value.vtype() == varUString)
            slot = std::move(value);
        else
            slot = value.to_ustring();
    }
};

// Calls f with the store policy of a variable of kind `typ` (TfsVariable
// conversions; string variables always store strings).
template <class F> decltype(auto) with_store_for(TfsVarType typ, bool string_variable, F&& f) {
    if (string_variable) return f(TfsStoreString{});
    switch (typ) {
    case fvtInt: return f(TfsStoreInt{});
    case fvtInt64: return f(TfsStoreInt64{});
    case fvtBool: return f(TfsStoreBool{});
    case fvtFloat: return f(TfsStoreFloat{});
    case fvtString: return f(TfsStoreString{});
    default: return f(TfsStoreRaw{});
    }
}

} // namespace veltran
