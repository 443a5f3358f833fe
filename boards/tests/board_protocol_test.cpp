// The protocol's building blocks against the tables of the report protocol:
// seven-segment patterns, rounding steps, board kinds and names.
#include "boards/board_kinds.h"
#include "boards/board_names.h"
#include "boards/report_layout.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

struct TSegmentCase {
    char c;
    std::uint8_t pattern;
};

const TSegmentCase segment_table[] = {
    {' ', 0x00}, {'-', 0x01}, {'0', 0x7E}, {'1', 0x30}, {'2', 0x6D}, {'3', 0x79}, {'4', 0x33},
    {'5', 0x5B}, {'6', 0x5F}, {'7', 0x70}, {'8', 0x7F}, {'9', 0x7B}, {'A', 0x77}, {'B', 0x1F},
    {'C', 0x4E}, {'D', 0x3D}, {'T', 0x0F}, {'E', 0x4F}, {'F', 0x47}, {'H', 0x17}, {'J', 0x3C},
    {'N', 0x76}, {'O', 0x1D}, {'P', 0x67}, {'U', 0x3E},
};

TEST(SevenSegments, EveryCharacterOfTheTableHasItsPatternAndReadsBack) {
    for (const TSegmentCase& s : segment_table) {
        EXPECT_EQ(caracter_a_segmentos(s.c, false), s.pattern) << s.c;
        EXPECT_EQ(caracter_a_segmentos(s.c, true), s.pattern | 0x80) << s.c;
        EXPECT_EQ(segments_character(s.pattern), s.c) << s.c;
    }
}

TEST(SevenSegments, OtherCharactersAreDark) {
    for (char c : {'a', 'G', 'S', '.', 'z', '+', '\0', '\xE9'}) {
        EXPECT_EQ(caracter_a_segmentos(c, false), 0x00) << int(c);
        EXPECT_EQ(caracter_a_segmentos(c, true), 0x80) << int(c);
    }
    EXPECT_EQ(segments_character(0x02), '?');
}

struct TRoundCase {
    std::int32_t value, step, expected;
};

TEST(RoundingSteps, RoundToTheNearestMultipleWithHalvesToEven) {
    const TRoundCase cases[] = {
        {25, 10, 20},       {35, 10, 40},
        {14, 10, 10},       {15, 10, 20},
        {5, 10, 0},         {16, 10, 20},
        {25, 0, 25},        {25, -4, 25},
        {0, 7, 0},          {65280, 1, 65280},
        {1020, 1000, 1000}, {-25, 10, -20},
        {-26, 10, -30},     {INT32_MAX, 1000000000, 2000000000},
    };
    for (const TRoundCase& c : cases)
        EXPECT_EQ(round_to_step(c.value, c.step), c.expected) << c.value << " step " << c.step;
}

TEST(Axes, AreLowPlus255TimesHigh) {
    EXPECT_EQ(axis_value(255, 3), 1020);
    EXPECT_EQ(axis_value(0, 0), 0);
    EXPECT_EQ(axis_value(255, 255), 65280);
}

TEST(BoardKinds, ProductIdsGiveTheKindFlags) {
    struct TCase {
        std::uint16_t vendor, product;
        bool listed, esjoy, es_adcser, es_boot, es_main;
    };
    const TCase cases[] = {
        {0x04D8, 0xDDD0, true, false, false, false, true},
        {0x04D8, 0xDDD1, true, true, false, false, false},
        {0x04D8, 0xDDD2, true, false, false, false, false},
        {0x04D8, 0xDDD3, true, false, true, false, false},
        {0x04D8, 0xDDE1, true, false, false, true, false},
        {0x04D8, 0xDDD4, false, false, false, false, false},
        {0x04D8, 0x0000, false, false, false, false, false},
        {0x1234, 0xDDD0, false, false, false, false, false},
    };
    for (const TCase& c : cases) {
        const auto flags = kind_flags(c.vendor, c.product);
        ASSERT_EQ(flags.has_value(), c.listed) << std::hex << c.vendor << ":" << c.product;
        if (!flags) continue;
        EXPECT_EQ(flags->esjoy, c.esjoy);
        EXPECT_EQ(flags->es_adcser, c.es_adcser);
        EXPECT_EQ(flags->es_boot, c.es_boot);
        EXPECT_EQ(flags->es_main, c.es_main);
    }
}

TEST(BoardKinds, SerialPrefixesGiveImageAndDescription) {
    struct TCase {
        const char* serial;
        int image;
        const char* description;
    };
    const TCase cases[] = {
        {"TALUX012345", 0, "Talux Board USB MAIN"},
        {"TALUX1ABCDE", 17, "Talux Board JOYSTICK"},
        {"TALUX2ABCDE", 22, "Talux Board DC MOTORS"},
        {"TALUX3ABCDE", 19, "Talux Board USB 8 ADCs and 8 SERVOS"},
        {"TALUX7ABCDE", 18, "Talux Board BOOTLOADER"},
        {"TALUX8ABCDE", 18, "Talux Board BOOTLOADER"},
        {"TALUX9ABCDE", 18, "Talux Board BOOTLOADER"},
    };
    for (const TCase& c : cases) {
        const TSerialKind* kind = serial_kind(c.serial);
        ASSERT_NE(kind, nullptr) << c.serial;
        EXPECT_EQ(kind->image, c.image) << c.serial;
        EXPECT_EQ(kind->description, c.description) << c.serial;
    }
    for (const char* serial : {"TALUX4ABCDE", "talux0abcde", "TALUX", ""})
        EXPECT_EQ(serial_kind(serial), nullptr) << serial;
}

TEST(BoardKinds, ExpansionAddressesGiveSuffixAndImage) {
    struct TCase {
        int address;
        const char* suffix;
        int image;
    };
    const TCase cases[] = {
        {0, " (64INs)", 1},
        {4, " (64INs)", 1},
        {5, " (64OUTs)", 2},
        {9, " (64OUTs)", 2},
        {10, " (32I32Os)", 1},
        {14, " (32I32Os)", 1},
        {15, " (32DISs)", 4},
        {19, " (32DISs)", 4},
        {20, " (16SER16ADCs)", 19},
        {24, " (16SER16ADCs)", 19},
        {25, " (64OUTs)", 2},
        {29, " (64OUTs)", 2},
        {30, "", -1},
        {63, "", -1},
    };
    for (const TCase& c : cases) {
        const TExpansionKind kind = expansion_kind(c.address);
        EXPECT_EQ(kind.suffix, c.suffix) << c.address;
        EXPECT_EQ(kind.image, c.image) << c.address;
    }
}

TEST(BoardNames, ExpansionAddressComesFromCharacters16And17) {
    struct TCase {
        const char* name;
        int address;
    };
    const TCase cases[] = {
        {"TALUX0AAAAA", 64},        {"TALUX0AAAAA-EXP7", 7},
        {"TALUX0AAAAA-EXP07", 7},   {"TALUX0AAAAA-EXP12", 12},
        {"TALUX0AAAAAX", 64},       {"TALUX0AAAAA-EXP", 64},
        {"TALUX0AAAAA-EXP123", 64}, {"TALUX0AAAAA-EXP 7", 7},
        {"TALUX0AAAAA-EXP99", 99},  {"", 64},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(get_id_exp(c.name), c.address) << c.name;
    for (const char* bad :
         {"TALUX0AAAAA-EXPx", "TALUX0AAAAA-EXP1x", "TALUX0AAAAA-EXP-1", "TALUX0AAAAA-EXP  "})
        EXPECT_THROW(get_id_exp(bad), TBoardNameError) << bad;
}

TEST(BoardNames, AnExpansionIsNamedAfterItsBoardAndAddress) {
    EXPECT_EQ(expansion_name("TALUX0AAAAA", 3), "TALUX0AAAAA-EXP3");
    EXPECT_EQ(expansion_name("TALUX0AAAAA", 12), "TALUX0AAAAA-EXP12");
    EXPECT_EQ(expansion_name("TALUX0AAAAA", 64), "TALUX0AAAAA");
    EXPECT_EQ(board_key("talux0aaaaa-EXP3"), "talux0aaaaa");
}

} // namespace
} // namespace veltran
