#pragma once
// The library's mathematics. Results that leave the real numbers raise the
// floating-point errors scripts catch as EInvalidOp ("Invalid floating point
// operation"), EZeroDivide and EOverflow, rather than going on as NaN or
// infinity.

#include "engine/variant.h"

#include <cstdint>

namespace veltran {

// Round halves to the even neighbour; Round and Trunc give an Integer, or an
// Int64 beyond 32 bits, and raise the invalid-operation error beyond 64 bits.
Variant round_value(double x);
Variant trunc_value(double x);
double int_part(double x);  // toward zero, as a float
double frac_part(double x); // x - int_part(x)

double checked_sqrt(double x);
double checked_ln(double x);
double checked_exp(double x);
double checked_sin(double x);
double checked_cos(double x);
double checked_tan(double x);
double checked_arc_tan(double x);

constexpr double pi_value = 3.1415926535897932385;

// Random and Randomize: a pseudo-random sequence, the same in every run until
// it is seeded from the clock.
class TRandomGenerator {
public:
    double next(); // 0 <= result < 1
    void randomize();

private:
    std::uint64_t state_ = 0x853C49E6748FEA9Bull;
};

} // namespace veltran
