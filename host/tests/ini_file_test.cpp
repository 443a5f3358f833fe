#include "host/ini_file.h"

#include <gtest/gtest.h>

#include <optional>

namespace veltran {
namespace {

constexpr const char* panel_ini = "; settings of the overhead panel\r\n"
                                  "top=before any section\r\n"
                                  "[Radio]\r\n"
                                  "  Com1 = 118.50 \r\n"
                                  "com2=\"121.90 \"\r\n"
                                  "nav1='110.30'\r\n"
                                  "odd=\"x'\r\n"
                                  ";com3=1\r\n"
                                  "flag\r\n"
                                  "empty=\r\n"
                                  "Com1=second\r\n"
                                  "\r\n"
                                  "[ Lights ]\r\n"
                                  "Beacon=1\r\n"
                                  "[radio]\r\n"
                                  "adf=350\r\n"
                                  "[Last]\r\n"
                                  "key=end";

struct TReadCase {
    const char* section;
    const char* key;
    std::optional<const char*> expected;
};

class IniReadCases : public ::testing::TestWithParam<TReadCase> {};

TEST_P(IniReadCases, FindsTheValueAsWindowsDoes) {
    const TReadCase& c = GetParam();
    const TIniText ini(panel_ini);
    const std::optional<std::string_view> value = ini.read(c.section, c.key);
    const std::optional<std::string_view> expected = c.expected;
    EXPECT_EQ(value, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ini, IniReadCases,
    ::testing::Values(TReadCase{"Radio", "Com1", "118.50"}, TReadCase{"RADIO", "com1", "118.50"},
                      TReadCase{" Radio ", " COM1 ", "118.50"},
                      TReadCase{"Radio", "com2", "121.90 "}, TReadCase{"Radio", "nav1", "110.30"},
                      TReadCase{"Radio", "odd", "\"x'"}, TReadCase{"Radio", "empty", ""},
                      TReadCase{"lights", "BEACON", "1"}, TReadCase{"Last", "key", "end"},
                      // comments, lines without '=', keys before any section
                      TReadCase{"Radio", ";com3", std::nullopt},
                      TReadCase{"Radio", "com3", std::nullopt},
                      TReadCase{"Radio", "flag", std::nullopt}, TReadCase{"", "top", std::nullopt},
                      // only the first section of a name counts
                      TReadCase{"Radio", "adf", std::nullopt},
                      TReadCase{"Radio", "Beacon", std::nullopt},
                      TReadCase{"Missing", "key", std::nullopt}));

struct TWriteCase {
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

class IniWriteCases : public ::testing::TestWithParam<TWriteCase> {};

TEST_P(IniWriteCases, ChangesOnlyTheLineItNeeds) {
    const TWriteCase& c = GetParam();
    TIniText ini(c.before);
    ini.write(c.section, c.key, c.value);
    EXPECT_EQ(ini.text(), c.after);
}

constexpr const char* two_sections = "[A]\r\nx=1\r\n\r\n[B]\r\ny=2";

INSTANTIATE_TEST_SUITE_P(
    Ini, IniWriteCases,
    ::testing::Values(
        TWriteCase{two_sections, "A", "x", "5", "[A]\r\nx=5\r\n\r\n[B]\r\ny=2"},
        TWriteCase{two_sections, "a", "X", "5", "[A]\r\nx=5\r\n\r\n[B]\r\ny=2"},
        TWriteCase{two_sections, "A", "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2"},
        TWriteCase{two_sections, "B", "z", "3", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\nz=3\r\n"},
        TWriteCase{two_sections, "C", "k", "v", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n[C]\r\nk=v\r\n"},
        TWriteCase{two_sections, "A", "x", "a\r\n[B]\r\nx=2",
                   "[A]\r\nx=a  [B]  x=2\r\n\r\n[B]\r\ny=2"},
        TWriteCase{"[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n"},
        TWriteCase{"[A]\n  x = 1 ; note\n", "A", "x", "2", "[A]\n  x=2\n"},
        TWriteCase{"[A]\r\n;x=1\r\n", "A", "x", "2", "[A]\r\n;x=1\r\nx=2\r\n"},
        TWriteCase{"[A]", "A", "x", "1", "[A]\r\nx=1\r\n"},
        TWriteCase{"", "S", "k", "v", "[S]\r\nk=v\r\n"},
        TWriteCase{"\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "2", "\xEF\xBB\xBF[A]\r\nx=2\r\n"},
        TWriteCase{"[A]\r\nx=1\r\n[A]\r\ny=1\r\n", "A", "y", "2",
                   "[A]\r\nx=1\r\ny=2\r\n[A]\r\ny=1\r\n"}));

TEST(Ini, ReadsBackWhatItWrote) {
    TIniText ini(panel_ini);
    ini.write("Lights", "Strobe", "on");
    ini.write("Radio", "com1", "119.00");
    EXPECT_EQ(ini.read("lights", "strobe"), "on");
    EXPECT_EQ(ini.read("Radio", "Com1"), "119.00");
    EXPECT_EQ(ini.read("Radio", "nav1"), "110.30");
    EXPECT_EQ(ini.read("Last", "key"), "end");
}

} // namespace
} // namespace veltran
