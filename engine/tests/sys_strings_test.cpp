#include "engine/sys_strings.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

using test::error_of;
using test::u8;

const std::locale& text_locale() {
    static const std::locale locale = TFormatSettings::default_text_locale();
    return locale;
}

TEST(Strings, CopyClipsPositionsAndCounts) {
    struct Case {
        const char16_t* s;
        std::int64_t from, count;
        const char* expected;
    } cases[] = {
        {u"abcdef", 3, 2, "cd"}, {u"abc", 5, 1, ""},           {u"abc", 1, 100, "abc"},
        {u"abc", 0, 2, "ab"},    {u"abc", -5, 2, "ab"},        {u"abc", 2, 0, ""},
        {u"abc", 2, -1, ""},     {u"abc", 3, 1, "c"},          {u"abc", 4, 1, ""},
        {u"", 1, 1, ""},         {u"abc", 2, INT64_MAX, "bc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(u8(copy_text(c.s, c.from, c.count)), c.expected)
            << u8(c.s) << " " << c.from << " " << c.count;
}

TEST(Strings, PosFindsTheFirstOccurrence) {
    EXPECT_EQ(pos_text(u"x", u"abc"), 0);
    EXPECT_EQ(pos_text(u"b", u"abcb"), 2);
    EXPECT_EQ(pos_text(u"abc", u"abc"), 1);
    EXPECT_EQ(pos_text(u"", u"abc"), 0);
    EXPECT_EQ(pos_text(u"abcd", u"abc"), 0);
}

TEST(Strings, DeleteRemovesWithinTheString) {
    struct Case {
        std::int64_t from, count;
        const char* expected;
    } cases[] = {
        {2, 100, "a"},    {2, 2, "adef"},   {1, 1, "bcdef"},  {6, 1, "abcde"},
        {0, 2, "abcdef"}, {7, 1, "abcdef"}, {2, 0, "abcdef"}, {2, -3, "abcdef"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(u8(delete_text(u"abcdef", c.from, c.count)), c.expected)
            << c.from << " " << c.count;
}

TEST(Strings, InsertClipsItsPosition) {
    EXPECT_EQ(u8(insert_text(u"X", u"abc", 1)), "Xabc");
    EXPECT_EQ(u8(insert_text(u"X", u"abc", 2)), "aXbc");
    EXPECT_EQ(u8(insert_text(u"X", u"abc", 4)), "abcX");
    EXPECT_EQ(u8(insert_text(u"X", u"abc", 99)), "abcX");
    EXPECT_EQ(u8(insert_text(u"X", u"abc", -3)), "Xabc");
    EXPECT_EQ(u8(insert_text(u"", u"abc", 2)), "abc");
    EXPECT_EQ(u8(insert_text(u"XY", u"", 1)), "XY");
}

TEST(Strings, ResizeCutsOrPadsWithBlanks) {
    EXPECT_EQ(u8(resize_text(u"abcdef", 3)), "abc");
    EXPECT_EQ(u8(resize_text(u"ab", 4)), "ab  ");
    EXPECT_EQ(u8(resize_text(u"ab", 0)), "");
    EXPECT_EQ(u8(resize_text(u"ab", -1)), "");
    EXPECT_EQ(error_of([] { resize_text(u"", INT64_MAX); }), "EOutOfMemory: Out of memory");
    EXPECT_EQ(error_of([] { resize_text(u"", std::int64_t{1} << 30); }),
              "EOutOfMemory: Out of memory");
}

TEST(Strings, CaseFollowsTheLocale) {
    EXPECT_EQ(u8(upper_text(u"abc \u00e9t\u00e9 \u0434\u0430 1", text_locale())),
              "ABC \u00c9T\u00c9 \u0414\u0410 1");
    EXPECT_EQ(u8(lower_text(u"ABC \u00c9T\u00c9", text_locale())), "abc \u00e9t\u00e9");
    // Characters beyond the BMP are kept, unit for unit.
    EXPECT_EQ(u8(upper_text(u"\U0001F600a", text_locale())), "\U0001F600A");
    // The classic locale changes only ASCII letters.
    EXPECT_EQ(u8(upper_text(u"a\u00e9", std::locale::classic())), "A\u00e9");
}

TEST(Strings, NameCaseCapitalisesEveryWord) {
    EXPECT_EQ(u8(name_case(u"jOHN smith", text_locale())), "John Smith");
    EXPECT_EQ(u8(name_case(u"  two  blanks", text_locale())), "  Two  Blanks");
    EXPECT_EQ(u8(name_case(u"\u00e9MILE zola-paris", text_locale())), "\u00c9mile Zola-paris");
    EXPECT_EQ(u8(name_case(u"", text_locale())), "");
}

TEST(Strings, CompareTextIgnoresCase) {
    EXPECT_EQ(compare_text(u"Radio", u"rADIO", text_locale()), 0);
    EXPECT_LT(compare_text(u"abc", u"ABD", text_locale()), 0);
    EXPECT_GT(compare_text(u"b", u"A", text_locale()), 0);
    EXPECT_LT(compare_text(u"ab", u"abc", text_locale()), 0);
    EXPECT_EQ(compare_text(u"\u00c9t\u00e9", u"\u00e9T\u00c9", text_locale()), 0);
    EXPECT_EQ(compare_text(u"", u"", text_locale()), 0);
}

TEST(Strings, TrimDropsControlsAndBlanks) {
    EXPECT_EQ(u8(trim_text(u" \t\r\n x y \x01")), "x y");
    EXPECT_EQ(u8(trim_text(u"   ")), "");
    EXPECT_EQ(u8(trim_text(u"\u00a0x\u00a0")), "\u00a0x\u00a0"); // no-break space is no control
}

TEST(Strings, ChrAndOrdAreInverse) {
    EXPECT_EQ(u8(chr_text(65)), "A");
    EXPECT_EQ(chr_text(0), std::u16string(1, u'\0'));
    EXPECT_EQ(u8(chr_text(0x20AC)), "\u20ac");
    EXPECT_EQ(chr_text(0x1F600), u"\U0001F600");
    for (std::int64_t code : {0, 65, 255, 0x20AC, 0xFFFF, 0x1F600, 0x10FFFF})
        EXPECT_EQ(ord_text(chr_text(code)), code);
    EXPECT_EQ(ord_text(u"abc"), 97);
    EXPECT_EQ(error_of([] { chr_text(-1); }), "ERangeError: Range check error");
    EXPECT_EQ(error_of([] { chr_text(0x110000); }), "ERangeError: Range check error");
    EXPECT_EQ(error_of([] { ord_text(u""); }), "ERangeError: Range check error");
}

TEST(Strings, ExtractFilePathKeepsTheLastDelimiter) {
    struct Case {
        const char16_t* name;
        const char* path;
    } cases[] = {
        {u"C:\\cockpit\\panel.ini", "C:\\cockpit\\"},
        {u"/home/pilot/panel.ini", "/home/pilot/"},
        {u"C:panel.ini", "C:"},
        {u"panel.ini", ""},
        {u"dir/", "dir/"},
        {u"", ""},
        {u"a\\b/c", "a\\b/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(u8(extract_file_path(c.name)), c.path) << u8(c.name);
}

} // namespace
} // namespace veltran
