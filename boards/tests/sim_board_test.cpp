// The simulated firmware: what each command shows (the --sim-trace lines)
// and the reports each stimulus sends, byte for byte.
#include "boards/sim_board.h"

#include "board_test_support.h"
#include "boards/sim_controller.h"

#include <gtest/gtest.h>

namespace veltran::test {
namespace {

TSimBoardConfig config(const std::string& serial, TSimKind kind,
                       std::initializer_list<int> expansions = {}) {
    TSimBoardConfig s{serial, kind, {}};
    for (int a : expansions)
        s.expansions.set(static_cast<std::size_t>(a));
    return s;
}

// A board with its trace lines and sent reports recorded.
struct TSimRig {
    std::vector<std::string> trace;
    std::vector<TReportData> sent;
    TSimBoard board;

    explicit TSimRig(TSimBoardConfig s)
        : board(std::move(s), [this](std::string_view line) { trace.emplace_back(line); }) {
        board.attach_sender([this](const TReportData& r) { sent.push_back(r); }, this);
    }
    void command(const TBytes& bytes) {
        const TReportBuffer b = buffer_of(bytes);
        board.receive(b.data(), b.size());
    }
};

std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

struct TTraceCase {
    const char* what;
    TSimBoardConfig board;
    std::vector<TBytes> commands;
    std::vector<std::string> trace;
};

const std::vector<TTraceCase> trace_cases = {
    {"outputs of the board and of present expansions, in report order",
     config(M, TSimKind::main, {5, 10, 25}),
     {{{1, 1}, {3, 0x80}, {43, 0x01}, {11, 0xFF}, {63, 0x01}, {64, 0x80}}},
     {"sim " + M + "-EXP5 output 1 1", "sim " + M + "-EXP10 output 8 1",
      "sim " + M + "-EXP25 output 1 1", "sim " + M + " output 1 1", "sim " + M + " output 16 1"}},
    {"only outputs that changed",
     config(M, TSimKind::main),
     {{{1, 1}, {63, 0x03}}, {{1, 1}, {63, 0x02}}},
     {"sim " + M + " output 1 1", "sim " + M + " output 2 1", "sim " + M + " output 1 0"}},
    {"a display command: digits from 32 down to 1, then changed intensities",
     config(M, TSimKind::main, {15}),
     {{{1, 2}, {2, 15}, {3, 0x6D}, {4, 0xB0}, {35, 5}, {36, 5}, {37, 5}, {38, 5}},
      {{1, 2}, {2, 15}, {3, 0x6D}, {4, 0xB0}, {34, 0x7E}, {35, 5}, {36, 5}, {37, 9}, {38, 5}}},
     {"sim " + M + "-EXP15 display \"" + blanks(30) + "1.2\"", "sim " + M + "-EXP15 intensity 1 5",
      "sim " + M + "-EXP15 intensity 2 5", "sim " + M + "-EXP15 intensity 3 5",
      "sim " + M + "-EXP15 intensity 4 5", "sim " + M + "-EXP15 display \"0" + blanks(29) + "1.2\"",
      "sim " + M + "-EXP15 intensity 3 9"}},
    {"a pattern no character has, and a lone decimal point",
     config(M, TSimKind::main, {19}),
     {{{1, 2}, {2, 19}, {3, 0x02}, {4, 0x80}}},
     {"sim " + M + "-EXP19 display \"" + blanks(30) + " .?\""}},
    {"display commands for absent or non-display addresses show nothing",
     config(M, TSimKind::main, {16, 3}),
     {{{1, 2}, {2, 15}, {3, 0x30}}, {{1, 2}, {2, 3}, {3, 0x30}}},
     {}},
    {"main board ADC enable",
     config(M, TSimKind::main),
     {{{1, 4}, {2, 3}}, {{1, 4}, {2, 3}}},
     {"sim " + M + " adc-enable 3"}},
    {"servo positions, enable and ADC enable",
     config("TALUX3DDDDD", TSimKind::servo),
     {{{1, 3}, {2, 10}, {9, 200}},
      {{1, 3}, {2, 10}, {3, 1}, {9, 200}},
      {{1, 2}, {2, 0x81}},
      {{1, 1}, {2, 0x02}}},
     {"sim TALUX3DDDDD servo 1 10", "sim TALUX3DDDDD servo 8 200", "sim TALUX3DDDDD servo 2 1",
      "sim TALUX3DDDDD servo-enable 129", "sim TALUX3DDDDD adc-enable 2"}},
    {"joystick ADC enable",
     config("TALUX1BBBBB", TSimKind::joystick),
     {{{1, 1}, {2, 0xFF}}},
     {"sim TALUX1BBBBB adc-enable 255"}},
    {"every motor command",
     config("TALUX2CCCCC", TSimKind::dc_motor),
     {{{1, 1}, {2, 120}, {3, 1}}, {{1, 1}, {2, 120}, {3, 1}}, {{1, 1}, {4, 1}}},
     {"sim TALUX2CCCCC motor 120 1 0", "sim TALUX2CCCCC motor 120 1 0",
      "sim TALUX2CCCCC motor 0 0 1"}},
    {"commands of other kinds are ignored",
     config("TALUX1BBBBB", TSimKind::joystick),
     {{{1, 3}, {2, 9}}, {{1, 2}, {2, 9}}},
     {}},
};

TEST(SimBoard, ShowsEveryCommandInTheTraceFormat) {
    for (const TTraceCase& c : trace_cases) {
        TSimRig rig(c.board);
        for (const TBytes& command : c.commands)
            rig.command(command);
        EXPECT_EQ(rig.trace, c.trace) << c.what;
    }
}

TEST(SimBoard, KeepsWhatItShows) {
    TSimRig rig(config(M, TSimKind::main, {5, 15}));
    rig.command({{1, 1}, {4, 0x80}, {63, 0x04}});
    rig.command({{1, 2}, {2, 15}, {3, 0x30}, {38, 7}});
    EXPECT_TRUE(rig.board.output(5, 9));
    EXPECT_TRUE(rig.board.output(64, 3));
    EXPECT_FALSE(rig.board.output(64, 4));
    EXPECT_FALSE(rig.board.output(6, 9)) << "absent expansion";
    EXPECT_EQ(rig.board.display_text(15), blanks(31) + "1");
    EXPECT_EQ(rig.board.intensity(15, 4), 7);
    rig.board.power_off();
    EXPECT_FALSE(rig.board.output(64, 3));
    EXPECT_EQ(rig.board.display_text(15), blanks(32));
    rig.command({{1, 1}, {63, 0x01}});
    EXPECT_FALSE(rig.board.output(64, 1)) << "an unplugged board reads nothing";
}

struct TReportCase {
    const char* what;
    TSimBoardConfig board;
    std::vector<TBytes> commands; // sent first
    std::function<void(TSimBoard&)> stimulus;
    std::vector<TBytes> reports; // whole data bytes, others 0
};

const std::vector<TReportCase> report_cases = {
    {"main board input 5",
     config(M, TSimKind::main),
     {},
     [](TSimBoard& b) { b.set_input(64, 5, true); },
     {{{62, 0x08}}}},
    {"expansion 3 input 64 and expansion 12 input 1",
     config(M, TSimKind::main, {3, 12}),
     {},
     [](TSimBoard& b) {
         b.set_input(3, 64, true);
         b.set_input(12, 1, true);
     },
     {{{33, 0x01}}, {{33, 0x01}, {50, 0x80}}}},
    {"an input set to its level sends nothing",
     config(M, TSimKind::main),
     {},
     [](TSimBoard& b) { b.set_input(64, 1, false); },
     {}},
    {"configuration: presence bits and version 2.0",
     config(M, TSimKind::main, {0, 12, 33, 63}),
     {{{1, 255}}},
     nullptr,
     {{{0, 255}, {2, 0x80}, {3, 0x08}, {6, 0x40}, {9, 0x01}, {10, 2}}}},
    {"the acknowledgement is answered with the inputs",
     config(M, TSimKind::main),
     {},
     [](TSimBoard& b) {
         b.set_input(64, 16, true);
         const TReportBuffer ack = buffer_of({{1, 0}});
         b.receive(ack.data(), ack.size());
     },
     {{{63, 0x01}}, {{63, 0x01}}}},
    {"a main board axis reports once enabled, low byte first",
     config(M, TSimKind::main),
     {},
     [](TSimBoard& b) {
         b.set_axis(64, 3, 1023);
         const TReportBuffer enable = buffer_of({{1, 4}, {2, 0x04}});
         b.receive(enable.data(), enable.size());
     },
     {{{0, 1}, {6, 0xFF}, {7, 0x03}}}},
    {"servo/ADC expansion ADC 16",
     config(M, TSimKind::main, {20}),
     {},
     [](TSimBoard& b) { b.set_axis(20, 16, 300); },
     {{{0, 1}, {1, 20}, {32, 44}, {33, 1}}}},
    {"joystick: first report when opened, then buttons and enabled axes",
     config("TALUX1BBBBB", TSimKind::joystick),
     {{{1, 1}, {2, 0x01}}},
     [](TSimBoard& b) {
         b.set_input(64, 1, true);
         b.set_axis(64, 1, 700);
         b.set_axis(64, 2, 5);
     },
     {{{30, 1}}, {{30, 1}}, {{16, 0x80}, {30, 1}}, {{0, 0xBC}, {1, 0x02}, {16, 0x80}, {30, 1}}}},
    {"servo/ADC board axis 8 and its version",
     config("TALUX3DDDDD", TSimKind::servo),
     {{{1, 1}, {2, 0x80}}},
     [](TSimBoard& b) { b.set_axis(64, 8, 258); },
     {{{16, 1}}, {{16, 1}}, {{14, 0x02}, {15, 0x01}, {16, 1}}}},
    {"DC motor feedback",
     config("TALUX2CCCCC", TSimKind::dc_motor),
     {},
     [](TSimBoard& b) { b.set_axis(64, 1, 7); },
     {{{0, 2}, {1, 7}}}},
    {"bootloader: the next line, and the end after the end record",
     config("TALUX8EEEEE", TSimKind::bootloader),
     {},
     [](TSimBoard& b) {
         const std::string line = ":020000040000FA\r\n";
         const std::string end = ":00000001FF\r\n";
         for (const std::string& text : {line, end}) {
             TReportBuffer r{};
             std::copy(text.begin(), text.end(), r.begin() + 1);
             r[64] = static_cast<std::uint8_t>(text.size() - 1);
             b.receive(r.data(), r.size());
         }
     },
     {{{5, 17}}, {{5, 4}, {10, 1}}}},
};

TEST(SimBoard, SendsTheReportsOfTheRealFirmware) {
    for (const TReportCase& c : report_cases) {
        TSimRig rig(c.board);
        for (const TBytes& command : c.commands)
            rig.command(command);
        if (c.stimulus) c.stimulus(rig.board);
        std::vector<TReportData> expected;
        for (const TBytes& r : c.reports)
            expected.push_back(data_of(r));
        EXPECT_EQ(rig.sent, expected) << c.what;
    }
}

TEST(SimBoard, RefusesInputsAndAxesItDoesNotHave) {
    TSimRig rig(config(M, TSimKind::main, {3}));
    EXPECT_FALSE(rig.board.set_input(64, 17, true));
    EXPECT_FALSE(rig.board.set_input(4, 1, true));
    EXPECT_FALSE(rig.board.set_input(3, 0, true));
    EXPECT_FALSE(rig.board.set_axis(64, 6, 1));
    EXPECT_FALSE(rig.board.set_axis(64, 1, 65536));
    EXPECT_FALSE(rig.board.set_axis(3, 1, 1));
    EXPECT_TRUE(rig.sent.empty());
}

TEST(SimController, AnEncoderDetentIsFourLevelChanges) {
    ensure_qt_application();
    TSimSetup setup;
    setup.boards.push_back(config(M, TSimKind::main));
    TSimController sim(std::move(setup), nullptr);
    std::vector<TReportData> sent;
    sim.board(0).attach_sender([&](const TReportData& r) { sent.push_back(r); }, &sent);
    sim.apply({0, TSimActionKind::encoder, 0, 64, 1, 2, 1});
    sim.apply({0, TSimActionKind::encoder, 0, 64, 1, 2, -1});
    std::vector<std::uint8_t> levels;
    for (const TReportData& r : sent)
        levels.push_back(r[62]);
    EXPECT_EQ(levels, (std::vector<std::uint8_t>{0x80, 0xC0, 0x40, 0x00, 0x40, 0xC0, 0x80, 0x00}));
}

} // namespace
} // namespace veltran::test
