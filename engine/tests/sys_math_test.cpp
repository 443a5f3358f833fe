#include "engine/sys_math.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace veltran {
namespace {

using test::error_of;

std::string text_of(const Variant& v) {
    return Variant::type_name(v.vtype()) + ":" + v.to_utf8();
}

TEST(Maths, RoundHalvesToEvenAndTruncGoesTowardZero) {
    struct Case {
        double x;
        const char* round;
        const char* trunc;
    } cases[] = {
        {2.5, "Integer:2", "Integer:2"},
        {3.5, "Integer:4", "Integer:3"},
        {-2.5, "Integer:-2", "Integer:-2"},
        {-2.7, "Integer:-3", "Integer:-2"},
        {0.49999999999999994, "Integer:0", "Integer:0"},
        {2147483647.0, "Integer:2147483647", "Integer:2147483647"},
        {4e9, "Int64:4000000000", "Int64:4000000000"},
        {-9.2e18, "Int64:-9200000000000000000", "Int64:-9200000000000000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text_of(round_value(c.x)), c.round) << c.x;
        EXPECT_EQ(text_of(trunc_value(c.x)), c.trunc) << c.x;
    }
    for (double bad : {1e19, -1e19, double(NAN), double(INFINITY)}) {
        EXPECT_EQ(error_of([bad] { round_value(bad); }),
                  "EInvalidOp: Invalid floating point operation");
        EXPECT_EQ(error_of([bad] { trunc_value(bad); }),
                  "EInvalidOp: Invalid floating point operation");
    }
}

TEST(Maths, IntAndFracSplitTheValue) {
    EXPECT_EQ(int_part(2.7), 2.0);
    EXPECT_EQ(int_part(-2.7), -2.0);
    EXPECT_EQ(frac_part(2.75), 0.75);
    EXPECT_EQ(frac_part(-2.75), -0.75);
    EXPECT_EQ(int_part(1e300), 1e300);
    EXPECT_EQ(error_of([] { frac_part(INFINITY); }),
              "EInvalidOp: Invalid floating point operation");
}

TEST(Maths, FunctionsGiveTheirValues) {
    EXPECT_EQ(checked_sqrt(16), 4);
    EXPECT_EQ(checked_sqrt(0), 0);
    EXPECT_DOUBLE_EQ(checked_ln(std::exp(2.0)), 2);
    EXPECT_DOUBLE_EQ(checked_exp(1), 2.718281828459045);
    EXPECT_DOUBLE_EQ(checked_sin(pi_value / 2), 1);
    EXPECT_DOUBLE_EQ(checked_cos(0), 1);
    EXPECT_DOUBLE_EQ(checked_tan(pi_value / 4), 1);
    EXPECT_DOUBLE_EQ(checked_arc_tan(1) * 4, pi_value);
    EXPECT_EQ(checked_exp(-1000), 0); // underflow is zero, not an error
    EXPECT_EQ(pi_value, 3.141592653589793);
}

TEST(Maths, ResultsOutsideTheRealNumbersRaise) {
    const char* invalid = "EInvalidOp: Invalid floating point operation";
    EXPECT_EQ(error_of([] { checked_sqrt(-1); }), invalid);
    EXPECT_EQ(error_of([] { checked_ln(-1); }), invalid);
    EXPECT_EQ(error_of([] { checked_ln(0); }), "EZeroDivide: Floating point division by zero");
    EXPECT_EQ(error_of([] { checked_exp(1000); }), "EOverflow: Floating point overflow");
    EXPECT_EQ(error_of([] { checked_sin(INFINITY); }), invalid);
    EXPECT_EQ(error_of([] { checked_cos(-INFINITY); }), invalid);
    EXPECT_EQ(error_of([] { checked_tan(INFINITY); }), invalid);
}

TEST(Maths, RandomStaysInTheUnitIntervalAndRepeatsUntilSeeded) {
    TRandomGenerator a, b;
    std::set<double> seen;
    double sum = 0;
    for (int i = 0; i < 10000; ++i) {
        const double x = a.next();
        EXPECT_EQ(x, b.next());
        ASSERT_GE(x, 0);
        ASSERT_LT(x, 1);
        seen.insert(x);
        sum += x;
    }
    EXPECT_GT(seen.size(), 9990u);
    EXPECT_NEAR(sum / 10000, 0.5, 0.02);
    b.randomize();
    EXPECT_NE(a.next(), b.next());
}

} // namespace
} // namespace veltran
