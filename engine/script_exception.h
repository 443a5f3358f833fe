#pragma once
// The run-time errors of the script engine. Each carries the class name a
// script sees in ExceptionClassName ("EVariantTypeCastError", "Exception",
// ...) and its message.

#include <cstdint>
#include <exception>
#include <string>

namespace veltran {

class TfsException : public std::exception {
public:
    TfsException(std::string class_name, std::string message)
        : class_name_(std::move(class_name)), message_(std::move(message)) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& class_name() const { return class_name_; }
    const std::string& message() const { return message_; }

private:
    std::string class_name_;
    std::string message_;
};

// The errors of the value type and of the engine, with their fixed texts.
[[noreturn]] void raise_type_cast(std::uint16_t from, std::uint16_t to);
[[noreturn]] void raise_invalid_variant_op();
[[noreturn]] void raise_variant_overflow();
[[noreturn]] void raise_bad_index();
[[noreturn]] void raise_div_by_zero();
[[noreturn]] void raise_float_zero_divide();
[[noreturn]] void raise_float_invalid();
[[noreturn]] void raise_float_overflow();
[[noreturn]] void raise_range_error();
[[noreturn]] void raise_out_of_memory();
[[noreturn]] void raise_stack_overflow();
// An ordinary error ("Exception"), as RaiseException and the engine raise them.
[[noreturn]] void raise_error(std::string message);

} // namespace veltran
