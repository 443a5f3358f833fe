#include "host/bit_functions.h"

#include <gtest/gtest.h>

#include <climits>

namespace veltran {
namespace {

struct TBitCase {
    std::int32_t value, bit, width, expected;
};

class TestBitCases : public ::testing::TestWithParam<TBitCase> {};

TEST_P(TestBitCases, ReadsTheBitInsideTheWindowAndZeroOutside) {
    const TBitCase& c = GetParam();
    EXPECT_EQ(test_bit(c.value, c.bit, c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Bits, TestBitCases,
                         ::testing::Values(TBitCase{5, 0, 8, 1}, TBitCase{5, 1, 8, 0},
                                           TBitCase{5, 2, 8, 1}, TBitCase{-1, 31, 32, 1},
                                           TBitCase{INT_MIN, 31, 32, 1},
                                           TBitCase{0x7FFFFFFF, 31, 32, 0},
                                           // outside the window: no shift beyond the integer
                                           TBitCase{5, 2, 2, 0}, TBitCase{-1, 32, 32, 0},
                                           TBitCase{-1, 40, 64, 0}, TBitCase{-1, -1, 8, 0},
                                           TBitCase{-1, 0, 0, 0}, TBitCase{-1, 0, -5, 0},
                                           // a width above 32 is the whole integer
                                           TBitCase{INT_MIN, 31, 64, 1}));

struct TSetBitCase {
    std::int32_t value, bit, state, width, expected;
};

class SetBitCases : public ::testing::TestWithParam<TSetBitCase> {};

TEST_P(SetBitCases, SetsOrClearsAndKeepsTheLowestWidthBits) {
    const TSetBitCase& c = GetParam();
    EXPECT_EQ(set_bit(c.value, c.bit, c.state, c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bits, SetBitCases,
    ::testing::Values(TSetBitCase{5, 1, 1, 8, 7}, TSetBitCase{261, 1, 1, 8, 7},
                      TSetBitCase{7, 0, 0, 8, 6}, TSetBitCase{7, 0, 2, 8, 7},
                      TSetBitCase{263, 0, 5, 8, 7}, TSetBitCase{0, 31, 1, 32, INT_MIN},
                      TSetBitCase{-1, 31, 0, 32, INT_MAX}, TSetBitCase{0, 31, 1, 33, INT_MIN},
                      // the bit is not in the window: the operation fails
                      TSetBitCase{5, 8, 1, 8, 0}, TSetBitCase{5, 32, 1, 40, 0},
                      TSetBitCase{5, -3, 1, 8, 0}, TSetBitCase{5, 0, 1, -1, 0}));

class ChangeBitCases : public ::testing::TestWithParam<TBitCase> {};

TEST_P(ChangeBitCases, InvertsTheBitOrFailsWithZero) {
    const TBitCase& c = GetParam();
    EXPECT_EQ(change_bit(c.value, c.bit, c.width), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Bits, ChangeBitCases,
                         ::testing::Values(TBitCase{7, 0, 4, 6}, TBitCase{6, 0, 4, 7},
                                           TBitCase{0x1F, 1, 4, 0xD}, TBitCase{0, 31, 32, INT_MIN},
                                           TBitCase{INT_MIN, 31, 32, 0}, TBitCase{7, 4, 4, 0},
                                           TBitCase{7, 32, 32, 0}, TBitCase{7, -1, 4, 0},
                                           TBitCase{7, 0, 0, 0}));

struct TBcdCase {
    std::int32_t value;
    std::int32_t expected;
};

class BcdToIntCases : public ::testing::TestWithParam<TBcdCase> {};

TEST_P(BcdToIntCases, ReadsFourPackedDigitsOfTheLowWord) {
    EXPECT_EQ(bcd_to_int(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bcd, BcdToIntCases,
                         ::testing::Values(TBcdCase{0x1234, 1234}, TBcdCase{0, 0},
                                           TBcdCase{0x9999, 9999}, TBcdCase{0x51234, 1234},
                                           TBcdCase{0x00F0, 150}, TBcdCase{0xFFFF, 16665},
                                           TBcdCase{-1, 16665}));

class IntToBcdCases : public ::testing::TestWithParam<TBcdCase> {};

TEST_P(IntToBcdCases, PacksTheFiveLowestDigits) {
    EXPECT_EQ(int_to_bcd(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bcd, IntToBcdCases,
                         ::testing::Values(TBcdCase{1234, 0x1234}, TBcdCase{0, 0},
                                           TBcdCase{99999, 0x99999}, TBcdCase{123456, 0x23456},
                                           TBcdCase{-1234, 0x1234},
                                           TBcdCase{INT_MIN, 0x83648})); // 2147483648

TEST(Bcd, RoundTripsFourDigitNumbers) {
    for (std::int32_t n = 0; n <= 9999; ++n)
        ASSERT_EQ(bcd_to_int(int_to_bcd(n)), n);
}

} // namespace
} // namespace veltran
