#include "engine/script_error.h"

#include "engine/variant.h"

namespace veltran {

void raise_type_cast(std::uint16_t from, std::uint16_t to) {
    throw EScriptError("EVariantTypeCastError", "Could not convert variant of type (" +
                                                    Variant::type_name(from) + ") into type (" +
                                                    Variant::type_name(to) + ")");
}

void raise_invalid_variant_op() {
    throw EScriptError("EVariantInvalidOpError", "Invalid variant operation");
}

void raise_variant_overflow() {
    throw EScriptError("EVariantOverflowError", "Variant overflow");
}

void raise_bad_index() {
    throw EScriptError("EVariantBadIndexError", "Variant or safe array index out of bounds");
}

void raise_div_by_zero() {
    throw EScriptError("EDivByZero", "Division by zero");
}

void raise_float_zero_divide() {
    throw EScriptError("EZeroDivide", "Floating point division by zero");
}

void raise_float_invalid() {
    throw EScriptError("EInvalidOp", "Invalid floating point operation");
}

void raise_float_overflow() {
    throw EScriptError("EOverflow", "Floating point overflow");
}

void raise_range_error() {
    throw EScriptError("ERangeError", "Range check error");
}

void raise_out_of_memory() {
    throw EScriptError("EOutOfMemory", "Out of memory");
}

void raise_stack_overflow() {
    throw EScriptError("EStackOverflow", "Stack overflow");
}

void raise_error(std::string message) {
    throw EScriptError("Exception", std::move(message));
}

} // namespace veltran
