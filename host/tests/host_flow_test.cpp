// Whole runs on the event loop: script timers, what a Stop of one module
// frees, a project run from start to stop on simulated boards, and boards
// leaving and returning during a run.
#include "host_fixture.h"

#include <gtest/gtest.h>

namespace veltran::testing {
namespace {

using Lines = std::vector<std::string>;

std::string module_text(const std::string& title, const std::string& declarations,
                        const std::string& main = "") {
    return "PROGRAM " + title + ";\n" + declarations + "Begin\n" + main + "End.";
}

std::string on_timer(int id, const std::string& title) {
    return "procedure OnTimer" + std::to_string(id) + "; begin debug('" + title + " tick " +
           std::to_string(id) + "'); end;\n";
}

class ScriptTimersInModules : public THostTest {};

TEST_F(ScriptTimersInModules, ATimerFiresItsProcedureInEveryRunningModule) {
    add_module("A", module_text("A", on_timer(3, "A"), "  CreateTimer(3, 20);\n"));
    add_module("B", module_text("B", on_timer(3, "B")));
    add_module("C", module_text("C", on_timer(2, "C")));
    const int d = add_module("D", module_text("D", on_timer(3, "D")));
    modules().Run_all();
    modules().Stop(d);
    shell().clear_lines();
    ASSERT_TRUE(wait_until([&] { return lines_starting("Code=\"B\"").size() >= 2; }));
    EXPECT_GE(lines_starting("Code=\"A\", Text=\"A tick 3\"").size(), 2u);
    EXPECT_TRUE(lines_starting("Code=\"C\"").empty()) << "no OnTimer3: not disturbed";
    EXPECT_TRUE(lines_starting("Code=\"D\"").empty()) << "stopped";
    EXPECT_TRUE(lines_starting("Error").empty());
}

TEST_F(ScriptTimersInModules, StopOfOneModuleFreesItsOwnTimersAndEncodersOnly) {
    const std::string register_encoder =
        "  debug(IntToStr(RegEncoder('TALUX0AAAAA', 1, 2, 0, 99, 0, 0, False, 0)));\n";
    const int a = add_module(
        "A", module_text("A", on_timer(1, "A") + on_timer(2, "A"),
                         "  CreateTimer(1, 20);\n" + register_encoder + register_encoder));
    add_module("B", module_text("B", on_timer(1, "B") + on_timer(2, "B"),
                                "  CreateTimer(2, 20);\n" + register_encoder));
    modules().Run_all();
    EXPECT_EQ(lines_starting("Code="), (Lines{"Code=\"A\", Text=\"0\"", "Code=\"A\", Text=\"1\"",
                                              "Code=\"B\", Text=\"2\""}));
    modules().encoders().set_enc_value(2, 42);

    modules().Stop(a);
    EXPECT_EQ(modules().timers().timer(1), nullptr);
    ASSERT_NE(modules().timers().timer(2), nullptr);
    EXPECT_EQ(modules().encoders().get_encoder(0), 0);
    EXPECT_EQ(modules().encoders().get_encoder(2), 42) << "B's encoder keeps its id and value";
    shell().clear_lines();
    ASSERT_TRUE(
        wait_until([&] { return !lines_starting("Code=\"B\", Text=\"B tick 2\"").empty(); }));
    EXPECT_TRUE(lines_starting("Code=\"B\", Text=\"B tick 1\"").empty());

    shell().clear_lines();
    modules().Run(a);
    EXPECT_EQ(lines_starting("Code=\"A\", Text=\""),
              (Lines{"Code=\"A\", Text=\"0\"", "Code=\"A\", Text=\"1\""}))
        << "A takes the free records again";
    modules().Stop_all();
    EXPECT_EQ(modules().encoders().n_encoders(), 0);
    EXPECT_EQ(modules().timers().timer(2), nullptr);
}

// A panel on the simulated main board: input 5 switches output 3 and, when
// it closes, shows 12 on the display expansion.
const std::string panel_module =
    module_text("PANEL",
                "procedure OnInputChange(sn:string;input,value:byte);\n"
                "begin\n"
                "  if input <> 5 then exit;\n"
                "  WriteOut(sn, 3, value);\n"
                "  if value = 1 then WriteDisplays(sn + '-EXP15', 1, '12', ' ', 4, 0);\n"
                "end;\n"
                "procedure OnInputChangeAll(sn,inputs:string);\n"
                "begin debug(sn + ' ' + inputs); end;\n",
                "  debug('PANEL ready');\n");

class ProjectRun : public THostTest {
protected:
    ProjectRun()
        : THostTest("board TALUX0AAAAA main exp 15\n"
                    "at 20 input TALUX0AAAAA 5 1\n"
                    "at 80 input TALUX0AAAAA 5 0\n") {
        add_module("PANEL", panel_module);
        wait_for_board();
    }
    bool traced(const std::string& line) {
        return std::find(trace.begin(), trace.end(), line) != trace.end();
    }
};

TEST_F(ProjectRun, ASimulatedSwitchDrivesAnOutputAndADisplayThroughTheModule) {
    TProjectRunner& runner = model->runner;
    runner.Run();
    EXPECT_EQ(shell().toolbar_state(), TToolbarState::running);
    EXPECT_EQ(links.calls, (Lines{"create", "connect"}));
    EXPECT_TRUE(runner.syncro_pending());
    ASSERT_TRUE(wait_until([&] { return traced("sim TALUX0AAAAA output 3 0"); }));
    EXPECT_EQ(trace,
              (Lines{"sim TALUX0AAAAA output 3 1",
                     "sim TALUX0AAAAA-EXP15 display \"" + std::string(30, ' ') + "12\"",
                     "sim TALUX0AAAAA-EXP15 intensity 1 5", "sim TALUX0AAAAA-EXP15 intensity 2 5",
                     "sim TALUX0AAAAA-EXP15 intensity 3 5", "sim TALUX0AAAAA-EXP15 intensity 4 5",
                     "sim TALUX0AAAAA output 3 0"}));

    // A second after the start the boards announce their inputs once more.
    shell().clear_lines();
    ASSERT_TRUE(wait_until([&] { return !runner.syncro_pending(); }));
    EXPECT_EQ(links.calls, (Lines{"create", "connect", "synchronise"}));
    EXPECT_EQ(lines_starting("Code="),
              Lines{"Code=\"PANEL\", Text=\"TALUX0AAAAA 0000000000000000\""});

    runner.Stop();
    EXPECT_EQ(links.calls.back(), "stop");
    EXPECT_EQ(shell().toolbar_state(), TToolbarState::project_open);
    EXPECT_EQ(log().back(), "CODE=\"PANEL\", Stop");
    EXPECT_FALSE(host(0).running());
}

TEST_F(ProjectRun, StopBeforeTheSynchronisationCancelsIt) {
    model->runner.Run();
    model->runner.Stop();
    EXPECT_FALSE(model->runner.syncro_pending());
    run_events_for(1200);
    EXPECT_EQ(links.calls, (Lines{"create", "connect", "stop"}));
}

class BoardReplug : public THostTest {
protected:
    BoardReplug()
        : THostTest("board TALUX0AAAAA main exp 15\n"
                    "at 0 input TALUX0AAAAA 5 1\n"
                    "at 30 unplug TALUX0AAAAA\n"
                    "at 200 input TALUX0AAAAA 5 0\n"
                    "at 250 plug TALUX0AAAAA\n") {
        add_module("PANEL", panel_module);
        wait_for_board();
    }
};

TEST_F(BoardReplug, ABoardThatLeavesDuringARunWorksAgainOnceItReturns) {
    model->runner.Run();
    ASSERT_TRUE(wait_until([&] { return sim->board(0).output(64, 3); }));
    ASSERT_TRUE(wait_until([&] { return model->boards.board_count() == 0; }));
    // Back again: the switch moved while it was away reaches the module with
    // the board's first input report, and the module drives the board again.
    shell().clear_lines();
    ASSERT_TRUE(wait_until([&] {
        return !lines_starting("Code=\"PANEL\", Text=\"TALUX0AAAAA 0000000000000000\"").empty();
    }));
    sim->board(0).set_input(64, 5, true);
    ASSERT_TRUE(wait_until([&] { return sim->board(0).output(64, 3); }));
    EXPECT_TRUE(host(0).running());
    EXPECT_TRUE(lines_starting("Error").empty());
}

} // namespace
} // namespace veltran::testing
