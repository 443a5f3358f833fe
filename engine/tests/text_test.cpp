#include "engine/text.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

TEST(Text, TrimDropsControlsAndBlanksAtBothEnds) {
    EXPECT_EQ(trim(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(trim("   "), "");
    EXPECT_EQ(trim("\xE9 "), "\xE9"); // bytes above 127 are not blanks
}

TEST(Text, CaseChangesOnlyAsciiLetters) {
    EXPECT_EQ(upper_ascii("Radio-1\xE9"), "RADIO-1\xE9");
    EXPECT_EQ(lower_ascii("RaDiO"), "radio");
    EXPECT_TRUE(same_text_ignoring_case("Radio", "rADIO"));
    EXPECT_FALSE(same_text_ignoring_case("Radio", "Radio1"));
}

TEST(Text, SplitLinesAcceptsEveryLineBreak) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(split_lines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(split_lines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(split_lines("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(split_lines(""), Lines{});
}

} // namespace
} // namespace veltran
