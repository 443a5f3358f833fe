#include "engine/codepage.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

struct CodepageCase {
    std::string ansi;
    std::string utf8;
};

class CodepageRoundTrip : public testing::TestWithParam<CodepageCase> {};

TEST_P(CodepageRoundTrip, ConvertsBothWays) {
    EXPECT_EQ(cp1252_to_utf8(GetParam().ansi), GetParam().utf8);
    EXPECT_EQ(utf8_to_cp1252(GetParam().utf8), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, CodepageRoundTrip,
    testing::Values(CodepageCase{"ABC", "ABC"}, CodepageCase{"\x80", "\xE2\x82\xAC"}, // euro sign
                    CodepageCase{"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},                   // été
                    CodepageCase{"\x9F", "\xC5\xB8"},                                 // Ÿ
                    CodepageCase{"\x81", "\xC2\x81"}, // undefined byte
                    CodepageCase{"\xFF", "\xC3\xBF"},
                    CodepageCase{std::string("\0x", 2), std::string("\0x", 2)}));

TEST(Codepage, UnrepresentableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(utf8_to_cp1252("\xE4\xB8\xAD"), "?");         // a CJK character
    EXPECT_EQ(utf8_to_cp1252("a\xF0\x9F\x98\x80z"), "a?z"); // outside the BMP
    EXPECT_EQ(utf8_to_cp1252("a\xC3"), "a?");               // truncated sequence
    EXPECT_EQ(utf8_to_cp1252("\xC0\xAF"), "??");            // overlong '/'
    EXPECT_EQ(utf8_to_cp1252("\xED\xA0\x80"), "???");       // surrogate
}

TEST(Codepage, ValidatesUtf8) {
    EXPECT_TRUE(is_valid_utf8("plain \xC3\xA9"));
    EXPECT_FALSE(is_valid_utf8("\xE9t\xE9"));
    EXPECT_FALSE(is_valid_utf8("\xC0\xAF"));
}

} // namespace
} // namespace veltran
