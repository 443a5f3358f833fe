#include "engine/sys_format.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltran {
namespace {

using test::error_of;
using test::u8;

Variant s(const char* utf8) {
    return Variant::from_utf8(utf8);
}

std::string format(std::u16string_view fmt, std::vector<Variant> args,
                   const TFormatSettings& fs = TFormatSettings{}) {
    return u8(format_text(fmt, args, fs));
}

struct FormatCase {
    const char16_t* format;
    std::vector<Variant> args;
    const char* expected;
};

class Format : public testing::TestWithParam<FormatCase> {};

TEST_P(Format, AppliesTheDirectives) {
    EXPECT_EQ(format(GetParam().format, GetParam().args), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Directives, Format,
    testing::Values(
        FormatCase{u"%d-%s", {Variant(5), s("x")}, "5-x"},
        FormatCase{u"no directives", {}, "no directives"}, FormatCase{u"100%%", {}, "100%"},
        FormatCase{u"[%5d|%-5d|%.3d|%5.3d]",
                   {Variant(42), Variant(42), Variant(-5), Variant(7)},
                   "[   42|42   |-005|  007]"},
        FormatCase{u"%d", {Variant(std::int64_t{-9000000000})}, "-9000000000"},
        FormatCase{
            u"%u %u", {Variant(-1), Variant(std::int64_t{-1})}, "4294967295 18446744073709551615"},
        FormatCase{u"%x %.4X %x", {Variant(255), Variant(255), Variant(-1)}, "FF 00FF FFFFFFFF"},
        FormatCase{u"%p", {Variant(48879)}, "0000BEEF"},
        FormatCase{
            u"%s|%5s|%-5s|%.2s", {s("abc"), s("ab"), s("ab"), s("abcdef")}, "abc|   ab|ab   |ab"},
        FormatCase{u"%1:s %0:s %s", {s("a"), s("b"), s("c")}, "b a b"},
        FormatCase{u"%*d|%-*d|%.*f",
                   {Variant(5), Variant(42), Variant(3), Variant(1), Variant(2), Variant(3.14159)},
                   "   42|1  |3.14"},
        FormatCase{u"%e", {Variant(1.5)}, "1.50000000000000E+000"},
        FormatCase{u"%.3e", {Variant(-1234567.891)}, "-1.23E+006"},
        FormatCase{u"%f|%.0f|%.0f|%.1f",
                   {Variant(-1234567.891), Variant(2.5), Variant(3.5), Variant(0.05)},
                   "-1234567.89|3|4|0.1"},
        FormatCase{u"%g|%g|%.3g|%g",
                   {Variant(1e20), Variant(1.5e-7), Variant(1234567.0), Variant(123.456)},
                   "1E20|1.5E-7|1.23E6|123.456"},
        FormatCase{u"%n|%.0n", {Variant(-1234567.891), Variant(999.5)}, "-1,234,567.89|1,000"},
        FormatCase{u"%m|%m", {Variant(1234.5), Variant(-3.0)}, "$1,234.50|-$3.00"},
        FormatCase{u"%f", {Variant::of_currency(12345)}, "1.23"},
        FormatCase{u"%f", {Variant::of_single(0.5f)}, "0.50"},
        FormatCase{u"%.1f", {Variant::of_date(45351.25)}, "45351.3"},
        FormatCase{u"%d|%d", {Variant(), Variant::null()}, "0|0"},
        FormatCase{
            u"%d|%u",
            {Variant::of_integer(varByte, 200), Variant::of_integer(varLongWord, 4294967295)},
            "200|4294967295"},
        FormatCase{u"%s=%d (%.1f%%)", {s("gear"), Variant(3), Variant(99.95)}, "gear=3 (100.0%)"},
        FormatCase{u"%S %D", {s("up"), Variant(3)}, "up 3"}));

TEST(FormatText, ShortStringsAreCutTo255CharactersAndUtf16StringsAreNot) {
    const std::string long_text(300, 'a');
    EXPECT_EQ(format(u"%s", {Variant::from_ansi(long_text)}).size(), 255u);
    EXPECT_EQ(format(u"%s", {Variant::ole_string(std::u16string(300, u'a'))}).size(), 255u);
    EXPECT_EQ(format(u"%s", {Variant::from_utf8(long_text)}).size(), 300u);
}

TEST(FormatText, AnArrayArgumentIsConvertedAsTheLetterNeeds) {
    // A nested array is a Variant argument: the conversion fails as the Variant rules say.
    const Variant nested = Variant::array_of(std::vector<Variant>{Variant(1)});
    EXPECT_EQ(error_of([&] { format(u"%d", {nested}); }).substr(0, 21), "EVariantTypeCastError");
}

TEST(FormatText, FollowsTheRegionalSettings) {
    const TFormatSettings fs = test::german_settings();
    EXPECT_EQ(format(u"%.2f|%n|%m", {Variant(3.14159), Variant(1234.5), Variant(-2.0)}, fs),
              "3,14|1.234,50|-2,00 \u20ac");
}

TEST(FormatText, MismatchesAndMissingArgumentsRaiseFormatErrors) {
    const std::string invalid = "EConvertError: Format '%s' invalid or incompatible with argument";
    struct Case {
        const char16_t* format;
        std::vector<Variant> args;
        std::string error;
    } cases[] = {
        {u"%d", {Variant(1.5)}, "EConvertError: Format '%d' invalid or incompatible with argument"},
        {u"%f", {Variant(1)}, "EConvertError: Format '%f' invalid or incompatible with argument"},
        {u"%s", {Variant(7)}, invalid},
        {u"%s", {Variant(true)}, invalid},
        {u"%d", {s("7")}, "EConvertError: Format '%d' invalid or incompatible with argument"},
        {u"%d %d", {Variant(1)}, "EConvertError: No argument for format '%d %d'"},
        {u"%d", {}, "EConvertError: No argument for format '%d'"},
        {u"%3:d", {Variant(1)}, "EConvertError: No argument for format '%3:d'"},
        {u"%k", {Variant(1)}, "EConvertError: Format '%k' invalid or incompatible with argument"},
        {u"abc %", {}, "EConvertError: Format 'abc %' invalid or incompatible with argument"},
        {u"%5", {Variant(1)}, "EConvertError: Format '%5' invalid or incompatible with argument"},
        {u"%*d",
         {s("x"), Variant(1)},
         "EConvertError: Format '%*d' invalid or incompatible with argument"},
        {u"%999999999d",
         {Variant(1)},
         "EConvertError: Format '%999999999d' invalid or incompatible with argument"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(error_of([&] { format(c.format, c.args); }), c.error) << u8(c.format);
}

} // namespace
} // namespace veltran
