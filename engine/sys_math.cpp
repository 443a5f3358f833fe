#include "engine/sys_math.h"

#include "engine/script_exception.h"

#include <chrono>
#include <cmath>

namespace veltran {
namespace {

Variant integer_value(double whole) {
    if (!(whole >= -9223372036854775808.0 && whole < 9223372036854775808.0)) raise_float_invalid();
    const auto i = static_cast<std::int64_t>(whole);
    if (i >= INT32_MIN && i <= INT32_MAX) return Variant(static_cast<std::int32_t>(i));
    return Variant(i);
}

// A result of a finite argument that is no longer a finite number.
double checked(double argument, double result) {
    if (std::isnan(result) && !std::isnan(argument)) raise_float_invalid();
    if (std::isinf(result) && std::isfinite(argument)) raise_float_overflow();
    return result;
}

} // namespace

Variant round_value(double x) {
    return integer_value(std::nearbyint(x)); // the default rounding mode: halves to even
}

Variant trunc_value(double x) {
    return integer_value(std::trunc(x));
}

double int_part(double x) {
    return std::trunc(x);
}

double frac_part(double x) {
    return checked(x, x - std::trunc(x));
}

double checked_sqrt(double x) {
    if (x < 0) raise_float_invalid();
    return std::sqrt(x);
}

double checked_ln(double x) {
    if (x < 0) raise_float_invalid();
    if (x == 0) raise_float_zero_divide();
    return std::log(x);
}

double checked_exp(double x) {
    return checked(x, std::exp(x));
}

double checked_sin(double x) {
    return checked(x, std::sin(x));
}

double checked_cos(double x) {
    return checked(x, std::cos(x));
}

double checked_tan(double x) {
    return checked(x, checked_sin(x) / checked_cos(x));
}

double checked_arc_tan(double x) {
    return std::atan(x);
}

double TRandomGenerator::next() {
    // splitmix64: small, fast and well distributed; 53 bits make the double.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

void TRandomGenerator::randomize() {
    state_ = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

} // namespace veltran
