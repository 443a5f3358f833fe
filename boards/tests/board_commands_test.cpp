// Every command the program writes, byte for byte, against the layouts of
// the report protocol; and the channel 5 messages for bad arguments.
#include "board_test_support.h"

#include "boards/board_names.h"

#include <gtest/gtest.h>

namespace veltran::test {
namespace {

class BoardCommands : public ::testing::Test {
protected:
    TBoardsFixture f{all_kinds()};

    void SetUp() override {
        for (auto& device : f.hid->opened)
            device->written.clear();
    }
    std::vector<TReportBuffer>& written(const std::string& serial) {
        return f.hid->written(serial);
    }
};

struct TCommandCase {
    const char* what;
    std::function<void(TBoardsFixture&)> act;
    std::string serial;          // whose reports are checked
    std::vector<TBytes> reports; // what it was sent, in order; other bytes 0
};

// Written from the report protocol's tables: B[0] report ID, B[1] command.
const std::vector<TCommandCase> command_cases = {
    {"main output 1 is bit 0 of B[63]",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M, 1, 1); },
     M,
     {{{1, 1}, {63, 0x01}}}},
    {"main output 9 is bit 0 of B[64]",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M, 9, 1); },
     M,
     {{{1, 1}, {64, 0x01}}}},
    {"main output 16 is bit 7 of B[64]",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M, 16, 1); },
     M,
     {{{1, 1}, {64, 0x80}}}},
    {"expansion 5 output 1 is bit 7 of B[3]",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M + "-EXP5", 1, 1); },
     M,
     {{{1, 1}, {3, 0x80}}}},
    {"expansion 5 output 9 is bit 7 of B[4]",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M + "-EXP5", 9, 1); },
     M,
     {{{1, 1}, {4, 0x80}}}},
    {"expansion 9 output 64 is bit 0 of B[42]",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M + "-EXP9", 64, 1); },
     M,
     {{{1, 1}, {42, 0x01}}}},
    {"expansion 25 writes the bytes of expansion 5",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M + "-EXP25", 1, 1); },
     M,
     {{{1, 1}, {3, 0x80}}}},
    {"expansion 29 writes the bytes of expansion 9",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M + "-EXP29", 64, 1); },
     M,
     {{{1, 1}, {42, 0x01}}}},
    {"expansion 10 output 1 is bit 7 of B[43]",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M + "-EXP10", 1, 1); },
     M,
     {{{1, 1}, {43, 0x80}}}},
    {"expansion 14 output 32 is bit 0 of B[62]",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M + "-EXP14", 32, 1); },
     M,
     {{{1, 1}, {62, 0x01}}}},
    {"an input expansion has no output bytes: the report goes out unchanged",
     [](TBoardsFixture& f) { f.boards->envio_salida("C", M + "-EXP0", 1, 1); },
     M,
     {{{1, 1}}}},
    {"value 2 sends the report unchanged",
     [](TBoardsFixture& f) {
         f.boards->envio_salida("C", M, 1, 1);
         f.boards->envio_salida("C", M, 1, 2);
     },
     M,
     {{{1, 1}, {63, 0x01}}, {{1, 1}, {63, 0x01}}}},
    {"every write resends the whole image; off clears one bit",
     [](TBoardsFixture& f) {
         f.boards->envio_salida("C", M, 1, 1);
         f.boards->envio_salida("C", M + "-EXP6", 2, 1);
         f.boards->envio_salida("C", M, 1, 0);
     },
     M,
     {{{1, 1}, {63, 0x01}}, {{1, 1}, {11, 0x40}, {63, 0x01}}, {{1, 1}, {11, 0x40}}}},
    {"a name of 12 characters and a name in lower case are the board itself",
     [](TBoardsFixture& f) {
         f.boards->envio_salida("C", M + "X", 2, 1);
         f.boards->envio_salida("C", "talux0aaaaa", 3, 1);
     },
     M,
     {{{1, 1}, {63, 0x02}}, {{1, 1}, {63, 0x06}}}},
    {"'12' in 4 digits from digit 1, point on digit 2, default intensities",
     [](TBoardsFixture& f) { f.boards->envio_displays("C", M + "-EXP15", 1, "12", " ", 4, 2); },
     M,
     {{{1, 2}, {2, 15}, {3, 0x6D}, {4, 0xB0}, {35, 5}, {36, 5}, {37, 5}, {38, 5}}}},
    {"'12345' in 3 digits from digit 5 shows 3, 2, 1",
     [](TBoardsFixture& f) { f.boards->envio_displays("C", M + "-EXP15", 5, "12345", " ", 3, 0); },
     M,
     {{{1, 2}, {2, 15}, {7, 0x79}, {8, 0x6D}, {9, 0x30}, {35, 5}, {36, 5}, {37, 5}, {38, 5}}}},
    {"lower case and characters without a pattern are dark",
     [](TBoardsFixture& f) { f.boards->envio_displays("C", M + "-EXP16", 1, "aGS.", "0", 4, 0); },
     M,
     {{{1, 2}, {2, 16}, {35, 5}, {36, 5}, {37, 5}, {38, 5}}}},
    {"the whole character table, rightmost character on the first digit",
     [](TBoardsFixture& f) {
         f.boards->envio_displays("C", M + "-EXP17", 1, "-0123456789ABCDTEFHJNOPU", " ", 24, 0);
     },
     M,
     {{{1, 2},     {2, 17},    {3, 0x3E},  {4, 0x67},  {5, 0x1D},  {6, 0x76},
       {7, 0x3C},  {8, 0x17},  {9, 0x47},  {10, 0x4F}, {11, 0x0F}, {12, 0x3D},
       {13, 0x4E}, {14, 0x1F}, {15, 0x77}, {16, 0x7B}, {17, 0x7F}, {18, 0x70},
       {19, 0x5F}, {20, 0x5B}, {21, 0x33}, {22, 0x79}, {23, 0x6D}, {24, 0x30},
       {25, 0x7E}, {26, 0x01}, {35, 5},    {36, 5},    {37, 5},    {38, 5}}}},
    {"digits 31 and 32 are B[33] and B[34]; a point on a blank digit",
     [](TBoardsFixture& f) { f.boards->envio_displays("C", M + "-EXP18", 31, "8", " ", 2, 2); },
     M,
     {{{1, 2}, {2, 18}, {33, 0x7F}, {34, 0x80}, {35, 5}, {36, 5}, {37, 5}, {38, 5}}}},
    {"the display image keeps the digits of earlier writes",
     [](TBoardsFixture& f) {
         f.boards->envio_displays("C", M + "-EXP15", 1, "1", " ", 1, 0);
         f.boards->envio_displays("C", M + "-EXP15", 2, "7", " ", 1, 0);
     },
     M,
     {{{1, 2}, {2, 15}, {3, 0x30}, {35, 5}, {36, 5}, {37, 5}, {38, 5}},
      {{1, 2}, {2, 15}, {3, 0x30}, {4, 0x70}, {35, 5}, {36, 5}, {37, 5}, {38, 5}}}},
    {"a fill of two characters is prepended whole",
     [](TBoardsFixture& f) { f.boards->envio_displays("C", M + "-EXP15", 1, "7", "AB", 3, 0); },
     M,
     {{{1, 2}, {2, 15}, {3, 0x77}, {4, 0x1F}, {5, 0x77}, {35, 5}, {36, 5}, {37, 5}, {38, 5}}}},
    {"an empty fill leaves the missing digits blank",
     [](TBoardsFixture& f) { f.boards->envio_displays("C", M + "-EXP15", 1, "7", "", 3, 0); },
     M,
     {{{1, 2}, {2, 15}, {5, 0x70}, {35, 5}, {36, 5}, {37, 5}, {38, 5}}}},
    {"an intensity before any display write leaves the other blocks at 0",
     [](TBoardsFixture& f) { f.boards->envio_intensidad_displays("C", M + "-EXP16", 2, 9); },
     M,
     {{{1, 2}, {2, 16}, {36, 9}}}},
    {"once an intensity is set, display writes keep the intensity bytes",
     [](TBoardsFixture& f) {
         f.boards->envio_intensidad_displays("C", M + "-EXP16", 1, 12);
         f.boards->envio_displays("C", M + "-EXP16", 1, "1", " ", 1, 0);
     },
     M,
     {{{1, 2}, {2, 16}, {35, 12}}, {{1, 2}, {2, 16}, {3, 0x30}, {35, 12}}}},
    {"a configuration report brings the default intensities back",
     [](TBoardsFixture& f) {
         f.boards->envio_intensidad_displays("C", M + "-EXP16", 1, 12);
         f.report(M, data_of({{0, 255}, {4, 0x80}}));
         f.boards->envio_displays("C", M + "-EXP16", 1, "1", " ", 1, 0);
     },
     M,
     {{{1, 2}, {2, 16}, {35, 12}},
      {},
      {{1, 2}, {2, 16}, {3, 0x30}, {35, 5}, {36, 5}, {37, 5}, {38, 5}}}},
    {"a configuration report naming expansion 0 only: its next display write sends 5",
     [](TBoardsFixture& f) {
         f.report(M, data_of({{0, 255}, {2, 0x80}}));
         f.boards->envio_intensidad_displays("C", M + "-EXP0", 3, 7);
         f.report(M, data_of({{0, 255}, {2, 0x80}}));
         f.boards->envio_displays("C", M + "-EXP0", 1, "", " ", 1, 0);
     },
     M,
     {{}, {{1, 2}, {2, 0}, {37, 7}}, {}, {{1, 2}, {2, 0}, {35, 5}, {36, 5}, {37, 5}, {38, 5}}}},
    {"servo 1 position is B[2], servo 8 B[9]",
     [](TBoardsFixture& f) {
         f.boards->envio_servo("C", S, 1, 200);
         f.boards->envio_servo("C", S, 8, 17);
     },
     S,
     {{{1, 3}, {2, 200}}, {{1, 3}, {2, 200}, {9, 17}}}},
    {"EnableServo 3 then WriteServo 2 keeps servo 1's last position",
     [](TBoardsFixture& f) {
         f.boards->envio_servo("C", S, 1, 77);
         f.boards->envio_ene_servo("C", S, 3, 1, 100);
         f.boards->envio_servo("C", S, 2, 50);
     },
     S,
     {{{1, 3}, {2, 77}},
      {{1, 2}, {2, 0x04}},
      {{1, 3}, {2, 77}, {4, 100}},
      {{1, 3}, {2, 77}, {3, 50}, {4, 100}}}},
    {"EnableServo with any value but 1 disables",
     [](TBoardsFixture& f) {
         f.boards->envio_ene_servo("C", S, 1, 1, 0);
         f.boards->envio_ene_servo("C", S, 8, 1, 0);
         f.boards->envio_ene_servo("C", S, 1, 2, 0);
     },
     S,
     {{{1, 2}, {2, 0x01}}, {{1, 3}}, {{1, 2}, {2, 0x81}}, {{1, 3}}, {{1, 2}, {2, 0x80}}, {{1, 3}}}},
    {"the ADC enable of a servo board shares the buffer with the positions",
     [](TBoardsFixture& f) {
         f.boards->envio_servo("C", S, 3, 9);
         f.boards->envio_ene_ejes_joy("C", S, 8, 1, 0);
     },
     S,
     {{{1, 3}, {4, 9}}, {{1, 1}, {2, 0x80}, {4, 9}}}},
    {"joystick axis 3 enabled, then disabled by any other value",
     [](TBoardsFixture& f) {
         f.boards->envio_ene_ejes_joy("C", J, 3, 1, 0);
         f.boards->envio_ene_ejes_joy("C", J, 3, 2, 0);
     },
     J,
     {{{1, 1}, {2, 0x04}}, {{1, 1}, {2, 0x00}}}},
    {"main board axis 2 enable is command 4; value 2 leaves the bit",
     [](TBoardsFixture& f) {
         f.boards->envio_ene_ejes_joy("C", M, 2, 1, 0);
         f.boards->envio_ene_ejes_joy("C", M, 8, 1, 0);
         f.boards->envio_ene_ejes_joy("C", M, 2, 2, 0);
         f.boards->envio_ene_ejes_joy("C", M, 8, 0, 0);
     },
     M,
     {{{1, 4}, {2, 0x02}}, {{1, 4}, {2, 0x82}}, {{1, 4}, {2, 0x82}}, {{1, 4}, {2, 0x02}}}},
    {"a DC motor board gets command 4 for an ADC enable",
     [](TBoardsFixture& f) { f.boards->envio_ene_ejes_joy("C", D, 1, 1, 0); },
     D,
     {{{1, 4}, {2, 0x01}}}},
    {"servo commands to a board that is not a servo/ADC board are ignored",
     [](TBoardsFixture& f) {
         f.boards->envio_servo("C", M, 1, 5);
         f.boards->envio_ene_servo("C", J, 1, 1, 5);
     },
     M,
     {}},
};

TEST_F(BoardCommands, WriteTheBytesOfTheReportProtocol) {
    for (const TCommandCase& c : command_cases) {
        TBoardsFixture fresh{all_kinds()};
        for (auto& device : fresh.hid->opened)
            device->written.clear();
        c.act(fresh);
        const auto& sent = fresh.hid->written(c.serial);
        ASSERT_EQ(sent.size(), c.reports.size()) << c.what;
        for (std::size_t i = 0; i < sent.size(); ++i)
            EXPECT_EQ(sent[i], buffer_of(c.reports[i])) << c.what << ", report " << i;
        EXPECT_TRUE(fresh.log().empty()) << c.what << ": " << fresh.log().front();
    }
}

TEST_F(BoardCommands, ConfigurationRequestAndAcknowledgement) {
    TBoardsFixture fresh{all_kinds()};
    // The listing asked the main board, and only it, for its configuration.
    EXPECT_EQ(fresh.hid->written(M), std::vector<TReportBuffer>{buffer_of({{1, 255}})});
    for (const std::string& other : {J, D, S})
        EXPECT_TRUE(fresh.hid->written(other).empty());
    fresh.report(M, data_of({{0, 255}}));
    EXPECT_EQ(fresh.hid->written(M).back(), buffer_of({}));
}

struct TErrorCase {
    const char* what;
    std::function<void(TUSBGEST&)> act;
    const char* line;
};

const std::vector<TErrorCase> error_cases = {
    {"output to an unknown board",
     [](TUSBGEST& b) { b.envio_salida("Panel", "TALUX0ZZZZZ", 1, 1); },
     "Code=\"Panel\", Board not found=\"TALUX0ZZZZZ\""},
    {"output to a name shorter than a serial",
     [](TUSBGEST& b) { b.envio_salida("Panel", "TALUX", 1, 1); },
     "Code=\"Panel\", Board not found=\"TALUX\""},
    {"display on an unknown board",
     [](TUSBGEST& b) { b.envio_displays("Panel", "TALUX0ZZZZZ-EXP15", 1, "1", " ", 1, 0); },
     "Code=\"Panel\", Board not found=\"TALUX0ZZZZZ-EXP15\""},
    {"intensity on an unknown board",
     [](TUSBGEST& b) { b.envio_intensidad_displays("Panel", "TALUX0ZZZZZ-EXP15", 1, 1); },
     "Code=\"Panel\", Board not found=\"TALUX0ZZZZZ-EXP15\""},
    {"display on an address beyond the bus",
     [](TUSBGEST& b) { b.envio_displays("Panel", M + "-EXP99", 1, "1", " ", 1, 0); },
     "Code=\"Panel\", Board not found=\"TALUX0AAAAA-EXP99\""},
    {"servo position on an unknown board",
     [](TUSBGEST& b) { b.envio_servo("Panel", "TALUX3ZZZZZ", 1, 1); },
     "Code=\"Panel\", Board or SERVO not found=\"TALUX3ZZZZZ\""},
    {"servo 9", [](TUSBGEST& b) { b.envio_servo("Panel", S, 9, 1); },
     "Code=\"Panel\", Board or SERVO not found=\"TALUX3DDDDD\""},
    {"servo 0 enable", [](TUSBGEST& b) { b.envio_ene_servo("Panel", S, 0, 1, 0); },
     "Code=\"Panel\", Board or SERVO not found=\"TALUX3DDDDD\""},
    {"servo on an expansion name", [](TUSBGEST& b) { b.envio_servo("Panel", M + "-EXP20", 1, 1); },
     "Code=\"Panel\", Board or SERVO not found=\"TALUX0AAAAA-EXP20\""},
    {"ADC axis 9", [](TUSBGEST& b) { b.envio_ene_ejes_joy("Panel", J, 9, 1, 0); },
     "Code=\"Panel\", Board or ADC Axis not found=\"TALUX1BBBBB\""},
    {"ADC axis 0 on an expansion name",
     [](TUSBGEST& b) { b.envio_ene_ejes_joy("Panel", M + "-EXP20", 0, 1, 0); },
     "Code=\"Panel\", Board or ADC Axis not found=\"TALUX0AAAAA-EXP20\""},
    {"main output 17", [](TUSBGEST& b) { b.envio_salida("Panel", M, 17, 1); },
     "Code=\"Panel\", Board or OUTPUT not found=\"TALUX0AAAAA\""},
    {"output 0", [](TUSBGEST& b) { b.envio_salida("Panel", M + "-EXP5", 0, 1); },
     "Code=\"Panel\", Board or OUTPUT not found=\"TALUX0AAAAA-EXP5\""},
    {"output 33 of a 32-output expansion",
     [](TUSBGEST& b) { b.envio_salida("Panel", M + "-EXP10", 33, 1); },
     "Code=\"Panel\", Board or OUTPUT not found=\"TALUX0AAAAA-EXP10\""},
    {"digits beyond digit 32",
     [](TUSBGEST& b) { b.envio_displays("Panel", M + "-EXP15", 31, "123", " ", 3, 0); },
     "Code=\"Panel\", Board or DIGIT not found=\"TALUX0AAAAA-EXP15\""},
    {"digit 0", [](TUSBGEST& b) { b.envio_displays("Panel", M + "-EXP15", 0, "1", " ", 1, 0); },
     "Code=\"Panel\", Board or DIGIT not found=\"TALUX0AAAAA-EXP15\""},
    {"intensity block 5",
     [](TUSBGEST& b) { b.envio_intensidad_displays("Panel", M + "-EXP15", 5, 1); },
     "Code=\"Panel\", Board or BLOCK not found=\"TALUX0AAAAA-EXP15\""},
    {"intensity block 0",
     [](TUSBGEST& b) { b.envio_intensidad_displays("Panel", M + "-EXP15", 0, 1); },
     "Code=\"Panel\", Board or BLOCK not found=\"TALUX0AAAAA-EXP15\""},
};

TEST_F(BoardCommands, BadArgumentsLogOnChannel5AndSendNothing) {
    for (const TErrorCase& c : error_cases) {
        TBoardsFixture fresh{all_kinds()};
        for (auto& device : fresh.hid->opened)
            device->written.clear();
        c.act(*fresh.boards);
        EXPECT_EQ(fresh.log(), std::vector<std::string>{c.line}) << c.what;
        for (auto& device : fresh.hid->opened)
            EXPECT_TRUE(device->written.empty()) << c.what;
    }
}

TEST_F(BoardCommands, ANonNumericAddressFailsTheCall) {
    EXPECT_THROW(f.boards->envio_salida("C", M + "-EXPx", 1, 1), TBoardNameError);
    EXPECT_THROW(f.boards->envio_displays("C", M + "-EXP1x", 1, "1", " ", 1, 0), TBoardNameError);
    EXPECT_TRUE(written(M).empty());
    // An unknown board is reported before its address is read.
    f.boards->envio_salida("C", "TALUX0ZZZZZ-EXPx", 1, 1);
    EXPECT_EQ(f.log().size(), 1u);
}

TEST_F(BoardCommands, ReadAdcGivesTheLastRoundedValueOrMinusOne) {
    f.boards->envio_ene_ejes_joy("C", M, 3, 1, 10);
    f.report(M, data_of({{0, 1}, {6, 25}}));
    EXPECT_EQ(f.boards->devolver_adc(M, 3), 20);
    EXPECT_EQ(f.boards->devolver_adc("talux0aaaaa", 3), 20);
    EXPECT_EQ(f.boards->devolver_adc(M, 1), 0);
    EXPECT_EQ(f.boards->devolver_adc(M, 9), -1);
    EXPECT_EQ(f.boards->devolver_adc(M, 0), -1);
    EXPECT_EQ(f.boards->devolver_adc(M + "-EXP20", 1), -1);
    EXPECT_EQ(f.boards->devolver_adc("TALUX0ZZZZZ", 1), -1);
    EXPECT_TRUE(f.log().empty());
}

} // namespace
} // namespace veltran::test
