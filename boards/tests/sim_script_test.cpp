// The simulation file: what it declares and what it refuses, line by line.
#include "boards/sim_script.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

TEST(SimScript, ReadsBoardsAndActionsInTimeOrder) {
    const TSimParseResult r = parse_sim_script(R"(# a cockpit panel
board TALUX0AAAAA main exp 3 12 15 20   # the main board
board TALUX1BBBBB joystick
board talux2ccccc dcmotor

at 200 input TALUX0AAAAA-EXP3 64 1
at 100 input TALUX0AAAAA 5 1
at 100 adc talux0aaaaa-EXP20 16 65535
at 150 encoder TALUX0AAAAA-EXP12 1 2 -3
at 300 unplug TALUX1BBBBB
at 400 plug TALUX1BBBBB
at 150 adc TALUX2CCCCC 2 255
)",
                                               "panel.sim");
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.setup.boards.size(), 3u);
    EXPECT_EQ(r.setup.boards[0].serial, "TALUX0AAAAA");
    EXPECT_EQ(r.setup.boards[0].kind, TSimKind::main);
    EXPECT_EQ(r.setup.boards[0].expansions.count(), 4u);
    EXPECT_TRUE(r.setup.boards[0].expansions[12]);
    EXPECT_EQ(r.setup.boards[1].kind, TSimKind::joystick);
    EXPECT_EQ(r.setup.boards[2].kind, TSimKind::dc_motor);

    struct TExpected {
        int at;
        TSimActionKind kind;
        std::size_t board;
        int address, first, second, steps;
    };
    const TExpected expected[] = {
        {100, TSimActionKind::input, 0, 64, 5, 1, 0},
        {100, TSimActionKind::adc, 0, 20, 16, 65535, 0},
        {150, TSimActionKind::encoder, 0, 12, 1, 2, -3},
        {150, TSimActionKind::adc, 2, 64, 2, 255, 0},
        {200, TSimActionKind::input, 0, 3, 64, 1, 0},
        {300, TSimActionKind::unplug, 1, 64, 0, 0, 0},
        {400, TSimActionKind::plug, 1, 64, 0, 0, 0},
    };
    ASSERT_EQ(r.setup.actions.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TSimAction& a = r.setup.actions[i];
        EXPECT_EQ(a.at_ms, expected[i].at) << i;
        EXPECT_EQ(a.kind, expected[i].kind) << i;
        EXPECT_EQ(a.board, expected[i].board) << i;
        EXPECT_EQ(a.address, expected[i].address) << i;
        EXPECT_EQ(a.first, expected[i].first) << i;
        EXPECT_EQ(a.second, expected[i].second) << i;
        EXPECT_EQ(a.steps, expected[i].steps) << i;
    }
}

TEST(SimScript, RefusesWhatItCannotSimulateWithTheLineAndTheReason) {
    const std::string boards = "board TALUX0AAAAA main exp 3 12 20\nboard TALUX3DDDDD servo\n";
    struct TCase {
        const char* line;
        const char* error;
    };
    const TCase cases[] = {
        {"boards TALUX0BBBBB main", "unknown instruction \"boards\" (board or at)"},
        {"board TALUX0BBBBB", "expected board SERIAL KIND [exp ADDR...]"},
        {"board TALUX0BBBB main", "serial \"TALUX0BBBB\" must have 11 characters"},
        {"board talux0aaaaa main", "board talux0aaaaa is declared twice"},
        {"board TALUX0BBBBB panel",
         "unknown board kind \"panel\" (main, joystick, servo, dcmotor or bootloader)"},
        {"board TALUX1BBBBB joystick exp 3", "only a main board has expansions"},
        {"board TALUX0BBBBB main exp 64",
         "an expansion address must be a number from 0 to 63, not \"64\""},
        {"board TALUX0BBBBB main exp", "exp needs at least one address"},
        {"board TALUX0BBBBB main 3", "expected exp ADDR... after the kind"},
        {"at -1 input TALUX0AAAAA 1 1", "the time must be a number from 0 to 86400000, not \"-1\""},
        {"at 1.5 input TALUX0AAAAA 1 1",
         "the time must be a number from 0 to 86400000, not \"1.5\""},
        {"at 10 press TALUX0AAAAA 1 1",
         "unknown action \"press\" (input, adc, encoder, unplug or plug)"},
        {"at 10 input TALUX0AAAAA 1", "expected at MS input NAME N 0|1"},
        {"at 10 input TALUX0ZZZZZ 1 1",
         "unknown board \"TALUX0ZZZZZ\" (declare it on a board line first)"},
        {"at 10 input TALUX0AAAAA 17 1", "the input must be a number from 1 to 16, not \"17\""},
        {"at 10 input TALUX0AAAAA-EXP3 65 1",
         "the input must be a number from 1 to 64, not \"65\""},
        {"at 10 input TALUX0AAAAA-EXP12 33 1",
         "the input must be a number from 1 to 32, not \"33\""},
        {"at 10 input TALUX0AAAAA-EXP4 1 1", "TALUX0AAAAA-EXP4 has no inputs"},
        {"at 10 input TALUX0AAAAA-EXPx 1 1", "TALUX0AAAAA-EXPx: 'x' is not a valid integer value"},
        {"at 10 input TALUX0AAAAA 1 2", "the level must be a number from 0 to 1, not \"2\""},
        {"at 10 input TALUX3DDDDD 1 1", "TALUX3DDDDD has no inputs"},
        {"at 10 adc TALUX0AAAAA 6 1", "the axis must be a number from 1 to 5, not \"6\""},
        {"at 10 adc TALUX0AAAAA-EXP20 1 65536",
         "the value must be a number from 0 to 65535, not \"65536\""},
        {"at 10 adc TALUX0AAAAA-EXP3 1 1", "TALUX0AAAAA-EXP3 has no analogue axes"},
        {"at 10 encoder TALUX0AAAAA 1 1 1", "an encoder needs two different inputs"},
        {"at 10 encoder TALUX0AAAAA 1 2", "expected at MS encoder NAME N1 N2 STEPS"},
        {"at 10 unplug TALUX0AAAAA-EXP3", "plug and unplug take a board serial"},
        {"at 10 plug", "expected at MS WHAT ..."},
    };
    for (const TCase& c : cases) {
        const TSimParseResult r = parse_sim_script(boards + "\n" + c.line + "\n", "x.sim");
        EXPECT_EQ(r.error, std::string("x.sim:4: ") + c.error) << c.line;
        EXPECT_TRUE(r.setup.boards.empty()) << c.line;
    }
}

TEST(SimScript, AFileThatCannotBeReadIsAnError) {
    EXPECT_EQ(read_sim_script("/nonexistent/boards.sim").error,
              "/nonexistent/boards.sim: cannot read the simulated boards file");
    EXPECT_EQ(parse_sim_script("", "empty.sim").error, "");
}

} // namespace
} // namespace veltran
