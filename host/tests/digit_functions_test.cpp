#include "host/digit_functions.h"

#include <gtest/gtest.h>

#include <climits>

namespace veltran {
namespace {

struct TSwapCase {
    const char* text;
    std::int32_t count;
    const char* fill;
    const char* expected;
};

class SwapDigCases : public ::testing::TestWithParam<TSwapCase> {};

TEST_P(SwapDigCases, ReversesTheFirstCharactersAndFillsInFront) {
    const TSwapCase& c = GetParam();
    EXPECT_EQ(swap_dig(c.text, c.count, c.fill), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Digits, SwapDigCases,
    ::testing::Values(TSwapCase{"123", 5, "0", "00321"}, TSwapCase{"12345", 3, "0", "321"},
                      TSwapCase{"12345", 5, "0", "54321"}, TSwapCase{"", 3, " ", "   "},
                      TSwapCase{"12", 4, "ab", "abab21"}, TSwapCase{"12", 4, "", "21"},
                      TSwapCase{"123", 0, "0", ""}, TSwapCase{"123", -4, "0", ""},
                      TSwapCase{"\xE9"
                                "1",
                                3, "-", "-1\xE9"}));

TEST(SwapDig, KeepsTheFillingOfARunawayCountBounded) {
    const std::string result = swap_dig("12", INT_MAX, "ab");
    EXPECT_EQ(result.size(), max_swap_padding + 2);
    EXPECT_EQ(result.substr(result.size() - 4), "ab21");
}

} // namespace
} // namespace veltran
