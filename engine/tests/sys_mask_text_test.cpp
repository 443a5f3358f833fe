#include "engine/sys_mask_text.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

using test::u8;

TEST(MaskText, LaysTheValueOutByTheMask) {
    struct Case {
        const char16_t* mask;
        const char16_t* value;
        const char* expected;
    } cases[] = {
        {u"(000) 000-0000;0;_", u"5551234567", "(555) 123-4567"},
        {u"(000) 000-0000;1;_", u"(555) 123-4567", "(555) 123-4567"},
        {u"(000) 000-0000", u"5551234567", "(555) 123-4567"}, // literals taken when missing
        {u"(000) 000-0000;0", u"555123", "(555) 123-    "},
        {u"!(000) 000-0000;0", u"555123", "(   )  55-5123"},
        {u">LL-0000;0", u"ab1234", "AB-1234"},
        {u">L<lll;0", u"pARIS", "Pari"},
        {u">L<>ll;0", u"paRIS", "PaR"},
        {u"00:00;0", u"1230", "12:30"},
        {u"00/00/0000;0", u"29022024", "29/02/2024"},
        {u"\\A000;0", u"123", "A123"},
        {u"00_00;0", u"1234", "12 34"},
        {u"", u"abc", ""},
        {u"0000;0", u"12345678", "1234"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(u8(format_mask_text(c.mask, c.value, TFormatSettings{})), c.expected)
            << u8(c.mask) << " " << u8(c.value);
}

TEST(MaskText, SeparatorsComeFromTheSettings) {
    EXPECT_EQ(u8(format_mask_text(u"00/00;0", u"2902", test::german_settings())), "29.02");
}

} // namespace
} // namespace veltran
