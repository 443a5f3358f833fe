#include "engine/script_exception.h"

#include "engine/variant.h"

namespace veltran {

void raise_type_cast(std::uint16_t from, std::uint16_t to) {
    throw TfsException("EVariantTypeCastError", "Could not convert variant of type (" +
                                                    Variant::type_name(from) + ") into type (" +
                                                    Variant::type_name(to) + ")");
}

void raise_invalid_variant_op() {
    throw TfsException("EVariantInvalidOpError", "Invalid variant operation");
}

void raise_variant_overflow() {
    throw TfsException("EVariantOverflowError", "Variant overflow");
}

void raise_bad_index() {
    throw TfsException("EVariantBadIndexError", "Variant or safe array index out of bounds");
}

void raise_div_by_zero() {
    throw TfsException("EDivByZero", "Division by zero");
}

void raise_float_zero_divide() {
    throw TfsException("EZeroDivide", "Floating point division by zero");
}

void raise_float_invalid() {
    throw TfsException("EInvalidOp", "Invalid floating point operation");
}

void raise_float_overflow() {
    throw TfsException("EOverflow", "Floating point overflow");
}

void raise_range_error() {
    throw TfsException("ERangeError", "Range check error");
}

void raise_out_of_memory() {
    throw TfsException("EOutOfMemory", "Out of memory");
}

void raise_stack_overflow() {
    throw TfsException("EStackOverflow", "Stack overflow");
}

void raise_error(std::string message) {
    throw TfsException("Exception", std::move(message));
}

} // namespace veltran
