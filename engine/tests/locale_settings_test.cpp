#include "engine/locale_settings.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

using test::u8;

class CommaDecimals : public std::numpunct<wchar_t> {
protected:
    wchar_t do_decimal_point() const override { return L','; }
    wchar_t do_thousands_sep() const override { return L'.'; }
};

TEST(LocaleSettings, TheClassicLocaleGivesItsOwnDateOrderAndEnglishNames) {
    const TFormatSettings fs = format_settings_of(std::locale::classic());
    EXPECT_EQ(fs.decimal_separator, u'.');
    EXPECT_EQ(fs.thousand_separator, u',');
    EXPECT_EQ(u8(fs.short_date_format), "mm/dd/yyyy"); // its %x is 02/29/24
    EXPECT_EQ(fs.date_separator, u'/');
    EXPECT_EQ(fs.time_separator, u':');
    EXPECT_EQ(u8(fs.long_time_format), "hh:nn:ss");
    EXPECT_EQ(u8(fs.short_month_names[0]), "Jan");
    EXPECT_EQ(u8(fs.long_month_names[11]), "December");
    EXPECT_EQ(u8(fs.short_day_names[4]), "Thu");
    EXPECT_EQ(u8(fs.long_day_names[0]), "Sunday");
    EXPECT_EQ(u8(fs.time_am_string), "AM");
    EXPECT_EQ(u8(fs.time_pm_string), "PM");
}

TEST(LocaleSettings, SeparatorsFollowTheLocalesNumberPunctuation) {
    const std::locale comma(std::locale::classic(), new CommaDecimals);
    const TFormatSettings fs = format_settings_of(comma);
    EXPECT_EQ(fs.decimal_separator, u',');
    EXPECT_EQ(fs.thousand_separator, u'.');
}

TEST(LocaleSettings, SetSettingsReplaceTheProcessWideOnes) {
    EXPECT_EQ(u8(format_settings().short_date_format), "dd/mm/yyyy");
    set_format_settings(test::german_settings());
    EXPECT_EQ(format_settings().decimal_separator, u',');
    set_format_settings(TFormatSettings{});
    EXPECT_EQ(format_settings().decimal_separator, u'.');
}

} // namespace
} // namespace veltran
