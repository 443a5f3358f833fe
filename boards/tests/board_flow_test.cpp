// Simulated boards through the whole board layer and the event loop: a
// switch on a simulated board reaches a receiver that answers with an
// output and a display write, and boards leave and return during a run.
#include "board_test_support.h"

#include "boards/board_options.h"
#include "boards/sim_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace veltran::test {
namespace {

// Stands in for a module: input 5 switches output 3 and shows "12" on the
// display expansion; input 1 switches output 1.
class TPanelModule : public TRecordingEvents {
public:
    TUSBGEST* boards = nullptr;

    void input_changed(std::string_view board, int input, char value) override {
        TRecordingEvents::input_changed(board, input, value);
        if (board != M) return;
        const std::uint8_t on = value == '1' ? 1 : 0;
        if (input == 5) {
            boards->envio_salida("Panel", M, 3, on);
            if (on) boards->envio_displays("Panel", M + "-EXP15", 1, "12", " ", 4, 0);
        }
        if (input == 1) boards->envio_salida("Panel", M, 1, on);
    }
};

class BoardFlow : public ::testing::Test {
protected:
    TShell shell;
    THardwareTree tree;
    TPanelModule module;
    std::vector<std::string> trace;
    TSimController* sim = nullptr;
    std::unique_ptr<TUSBGEST> boards;

    void start(const std::string& script) {
        ensure_qt_application();
        TSimParseResult parsed = parse_sim_script(script, "flow.sim");
        ASSERT_EQ(parsed.error, "");
        auto controller = std::make_unique<TSimController>(
            std::move(parsed.setup), [this](std::string_view line) { trace.emplace_back(line); });
        sim = controller.get();
        boards = std::make_unique<TUSBGEST>(shell, std::move(controller));
        boards->t_hardware = &tree;
        boards->set_events(&module);
        module.boards = boards.get();
        ASSERT_TRUE(wait_until(
            [&] { return boards->board_count() == 1 && !boards->board(0).version.empty(); }));
        settle();
    }
    bool traced(const std::string& line) const {
        return std::find(trace.begin(), trace.end(), line) != trace.end();
    }
    bool module_got(const std::string& line) const {
        return std::find(module.lines.begin(), module.lines.end(), line) != module.lines.end();
    }
};

TEST_F(BoardFlow, ASimulatedSwitchSwitchesAnOutputAndWritesADisplay) {
    start("board TALUX0AAAAA main exp 15\n"
          "at 20 input TALUX0AAAAA 5 1\n"
          "at 60 input TALUX0AAAAA 5 0\n");
    EXPECT_TRUE(trace.empty()) << trace.front();
    boards->project_started();
    ASSERT_TRUE(wait_until([&] { return traced("sim " + M + " output 3 0"); }));
    const std::string display = "sim " + M + "-EXP15 display \"" + std::string(30, ' ') + "12\"";
    EXPECT_EQ(trace, (std::vector<std::string>{
                         "sim " + M + " output 3 1", display, "sim " + M + "-EXP15 intensity 1 5",
                         "sim " + M + "-EXP15 intensity 2 5", "sim " + M + "-EXP15 intensity 3 5",
                         "sim " + M + "-EXP15 intensity 4 5", "sim " + M + " output 3 0"}));
    EXPECT_EQ(sim->board(0).display_text(15), std::string(30, ' ') + "12");
    EXPECT_TRUE(shell.log_list().empty());
}

TEST_F(BoardFlow, ABoardUnpluggedDuringARunWorksAgainOnceItReturns) {
    start("board TALUX0AAAAA main exp 3\n"
          "at 0 input TALUX0AAAAA 1 1\n"
          "at 30 unplug TALUX0AAAAA\n"
          "at 200 input TALUX0AAAAA 1 0\n"
          "at 250 plug TALUX0AAAAA\n");
    boards->project_started();
    ASSERT_TRUE(wait_until([&] { return traced("sim " + M + " output 1 1"); }));
    ASSERT_TRUE(wait_until([&] { return boards->board_count() == 0; }));
    EXPECT_EQ(tree.root().children().at(0)->children().size(), 0u);
    // A script writing to the board while it is away.
    boards->envio_salida("Panel", M, 2, 1);
    EXPECT_EQ(shell.log_list(),
              std::vector<std::string>{"Code=\"Panel\", Board not found=\"TALUX0AAAAA\""});
    // Back again: listed, configured, and the switch moved while it was away
    // reaches the module with the board's first input report.
    module.lines.clear();
    ASSERT_TRUE(wait_until([&] { return module_got("all " + M + " " + std::string(16, '0')); }));
    EXPECT_TRUE(module_got("input " + M + " 1 0"));
    EXPECT_TRUE(module_got("all " + M + "-EXP3 " + std::string(64, '0')));
    EXPECT_EQ(boards->board(0).version, "V.2.0");
    EXPECT_EQ(tree.root().children().at(0)->children().at(0)->children().size(), 1u)
        << "expansion 3 listed again";
    boards->envio_salida("Panel", M, 2, 1);
    EXPECT_TRUE(sim->board(0).output(64, 2));
    EXPECT_FALSE(sim->board(0).output(64, 1)) << "it lost power and got a fresh image";
    EXPECT_EQ(shell.log_list().size(), 1u);
}

TEST_F(BoardFlow, WritesBetweenTheUnplugAndTheDeviceChangeAreLost) {
    start("board TALUX0AAAAA main\n");
    sim->unplug(0);
    boards->envio_salida("Panel", M, 1, 1); // the record is still listed
    EXPECT_FALSE(sim->board(0).output(64, 1));
    settle();
    EXPECT_EQ(boards->board_count(), 0u);
    sim->plug(0);
    settle();
    ASSERT_EQ(boards->board_count(), 1u);
    boards->envio_salida("Panel", M, 1, 1);
    EXPECT_TRUE(sim->board(0).output(64, 1));
}

TEST_F(BoardFlow, SyncReannouncesWhatTheSimulatedBoardReported) {
    start("board TALUX0AAAAA main\nat 0 input TALUX0AAAAA 2 1\n");
    boards->project_started();
    ASSERT_TRUE(
        wait_until([&] { return boards->board(0).talux_exp[64].entradas == "0100000000000000"; }));
    module.lines.clear();
    boards->Syncro();
    EXPECT_EQ(module.lines.size(), 18u);
    EXPECT_EQ(module.lines[2], "input " + M + " 2 1");
}

TEST(BoardOptions, TakeTheSimulationOptionsOutOfTheCommandLine) {
    struct TCase {
        std::vector<std::string> args;
        const char* environment;
        std::vector<std::string> rest;
        std::string file;
        bool trace;
        std::string error;
    };
    const TCase cases[] = {
        {{"DEBUG"}, nullptr, {"DEBUG"}, "", false, ""},
        {{"--sim-boards", "a.sim", "p.pscp", "RUN"},
         nullptr,
         {"p.pscp", "RUN"},
         "a.sim",
         false,
         ""},
        {{"p.pscp", "--sim-boards=b.sim", "--sim-trace"}, nullptr, {"p.pscp"}, "b.sim", true, ""},
        {{"--sim-trace"}, "env.sim", {}, "env.sim", true, ""},
        {{"--sim-boards", "a.sim"}, "env.sim", {}, "a.sim", false, ""},
        {{}, "", {}, "", false, ""},
        {{"--sim-boards"}, "env.sim", {}, "", false, "--sim-boards needs a file name"},
        {{"--sim-boards="}, nullptr, {}, "", false, "--sim-boards needs a file name"},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> args = c.args;
        const TBoardOptions options = take_board_options(args, c.environment);
        EXPECT_EQ(args, c.rest);
        EXPECT_EQ(options.sim_file, c.file);
        EXPECT_EQ(options.sim_trace, c.trace);
        EXPECT_EQ(options.error, c.error);
    }
}

TEST(BoardOptions, OpenTheSimulatorOfAGoodFileOnly) {
    ensure_qt_application();
    const std::string path = testing::TempDir() + "/boards_options.sim";
    std::ofstream(path) << "board TALUX0AAAAA main\n";
    const TBoardBackEnd good = open_board_controller(TBoardOptions{path, false, ""});
    EXPECT_NE(dynamic_cast<TSimController*>(good.controller.get()), nullptr);
    std::ofstream(path) << "board TALUX0AAAAA\n";
    const TBoardBackEnd bad = open_board_controller(TBoardOptions{path, false, ""});
    EXPECT_EQ(bad.controller, nullptr);
    EXPECT_EQ(bad.error, path + ":1: expected board SERIAL KIND [exp ADDR...]");
    const TBoardBackEnd refused =
        open_board_controller(TBoardOptions{"", false, "--sim-boards needs a file name"});
    EXPECT_EQ(refused.controller, nullptr);
    EXPECT_EQ(refused.error, "--sim-boards needs a file name");
}

} // namespace
} // namespace veltran::test
