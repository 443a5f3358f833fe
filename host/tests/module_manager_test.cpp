// The module manager over a whole project: compile, run and stop all or one
// slot, the editor text the modules compile, and closing the project.
#include "host_fixture.h"

#include "shell/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace veltran::testing {
namespace {

using Lines = std::vector<std::string>;

const std::string broken_error =
    "Error in CODE \"BROKEN\", Error type=\"';' expected\", Position=\"4:3\"";

class ThreeModules : public THostTest {
protected:
    ThreeModules() {
        model->project.cargar_proyecto(std::string(VELTRAN_TEST_DATA) + "/data/three_modules.pscp");
    }
    Lines card_texts() {
        Lines texts;
        for (int i = 0; i < modules().cont_codigos(); ++i)
            texts.push_back(modules().in_use(i) ? card(i).caption + " " + card(i).items[0] + " " +
                                                      std::to_string(card(i).image)
                                                : "-");
        return texts;
    }
};

TEST_F(ThreeModules, LoadCompileRunReceiveEventsInSlotOrderAndStop) {
    ASSERT_EQ(modules().cont_codigos(), 3);
    EXPECT_EQ(card_texts(), (Lines{"FIRST Loaded 6", "BROKEN Loaded 6", "THIRD Loaded 6"}));

    modules().Compile_all();
    EXPECT_EQ(log(), (Lines{"CODE=\"FIRST\", Compile Sucess", broken_error,
                            "CODE=\"THIRD\", Compile Sucess"}));
    EXPECT_EQ(card_texts(), (Lines{"FIRST Compile OK. 6", "BROKEN Error:';' expected 4:3 2",
                                   "THIRD Compile OK. 6"}));

    shell().clear_lines();
    modules().Run_all();
    EXPECT_EQ(log(), (Lines{"CODE=\"FIRST\", Running", "Code=\"FIRST\", Text=\"FIRST started\"",
                            broken_error, "CODE=\"THIRD\", Running",
                            "Code=\"THIRD\", Text=\"THIRD started\""}));
    EXPECT_EQ(card_texts(),
              (Lines{"FIRST Running 1", "BROKEN Error:';' expected 4:3 2", "THIRD Running 1"}));

    shell().clear_lines();
    modules().input_changed(main_board, 5, '1');
    modules().input_changed(main_board, 2, '0');
    EXPECT_EQ(log(),
              (Lines{"Code=\"FIRST\", Text=\"FIRST 5\"", "Code=\"THIRD\", Text=\"THIRD 5\"",
                     "Code=\"FIRST\", Text=\"FIRST 2\"", "Code=\"THIRD\", Text=\"THIRD 2\""}));

    shell().clear_lines();
    modules().Stop_all();
    EXPECT_EQ(log(), (Lines{"CODE=\"FIRST\", Stop", "CODE=\"THIRD\", Stop"}));
    EXPECT_EQ(card_texts(),
              (Lines{"FIRST Stop 6", "BROKEN Error:';' expected 4:3 2", "THIRD Stop 6"}));
    modules().input_changed(main_board, 5, '0');
    EXPECT_EQ(log().size(), 2u);
}

TEST_F(ThreeModules, StopAllLeavesModulesThatNeverRanAsTheyWere) {
    modules().Run(2);
    modules().Stop_all();
    EXPECT_EQ(card_texts(), (Lines{"FIRST Loaded 6", "BROKEN Loaded 6", "THIRD Stop 6"}));
}

TEST_F(ThreeModules, CompileAndRunTakeTheEditorsUnsavedText) {
    modules().editor_lines(1) = "PROGRAM BROKEN;\nBegin\n  debug('fixed');\nEnd.";
    modules().Compile(1);
    EXPECT_EQ(card(1).items[0], "Compile OK.");
    modules().editor_lines(0) = "PROGRAM FIRST;\nBegin\n  debug('edited');\nEnd.";
    modules().Run(0);
    EXPECT_TRUE(logged("Code=\"FIRST\", Text=\"edited\""));
}

TEST_F(ThreeModules, RestartRunsTheTextAsLoadedUntilTheModuleWasPointedAtItsEditor) {
    modules().editor_lines(0) = "PROGRAM FIRST;\nBegin\n  debug('edited');\nEnd.";
    modules().Restart(0);
    EXPECT_EQ(lines_starting("Code="), Lines{"Code=\"FIRST\", Text=\"FIRST started\""});

    modules().Compile(0);
    shell().clear_lines();
    modules().editor_lines(0) = "PROGRAM FIRST;\nBegin\n  debug('edited again');\nEnd.";
    modules().Restart(0);
    EXPECT_EQ(lines_starting("Code="), Lines{"Code=\"FIRST\", Text=\"edited again\""});
}

TEST_F(ThreeModules, SavingPointsTheModulesAtTheirEditors) {
    const std::string file = ::testing::TempDir() + "/three_saved.pscp";
    std::filesystem::remove(file);
    model->project.save_to(file);
    modules().editor_lines(2) = "\n\nPROGRAM THIRD;\nBegin\n  debug('saved');\nEnd.\n\n";
    model->project.save_to(file);
    EXPECT_EQ(modules().editor_lines(2), "PROGRAM THIRD;\nBegin\n  debug('saved');\nEnd.")
        << "the editor shows the text as saved";
    modules().Restart(2);
    EXPECT_EQ(lines_starting("Code="), Lines{"Code=\"THIRD\", Text=\"saved\""});
}

TEST_F(ThreeModules, OneSlotCommandsLeaveADeletedSlotAlone) {
    modules().Run(0);
    modules().borrar_code("FIRST");
    shell().clear_lines();
    modules().Compile(0);
    modules().Run(0);
    modules().Restart(0);
    modules().Stop(0);
    EXPECT_TRUE(log().empty());
    EXPECT_TRUE(host(0).running());
}

TEST_F(ThreeModules, StopAllAlsoStopsADeletedModuleAndRunAllSkipsIt) {
    modules().Run_all();
    modules().borrar_code("FIRST");
    shell().clear_lines();
    modules().Stop_all();
    EXPECT_EQ(log(), (Lines{"CODE=\"FIRST\", Stop", "CODE=\"THIRD\", Stop"}));
    shell().clear_lines();
    modules().Run_all();
    EXPECT_EQ(lines_starting("CODE="), Lines{"CODE=\"THIRD\", Running"});
    EXPECT_FALSE(host(0).running());
}

// The pump the log calls run: the test's stand-in for the user's commands.
class TCommandPump : public TMessagePump {
public:
    std::function<void()> command;
    void process_pending() override {
        if (auto run = std::exchange(command, nullptr)) run();
    }
};

TEST_F(ThreeModules, ClosingTheProjectFromInsideAScriptCallFinishesThatCallSafely) {
    TCommandPump pump;
    shell().set_pump(&pump);
    modules().Run_all();
    pump.command = [&] { model->project.cerrar_proyecto(); };
    modules().input_changed(main_board, 5, '1'); // FIRST logs, the pump closes the project
    EXPECT_EQ(modules().cont_codigos(), 0);
    EXPECT_EQ(model->project.project_node(), nullptr);
    EXPECT_FALSE(logged("Code=\"THIRD\", Text=\"THIRD 5\""));
    modules().input_changed(main_board, 5, '1');
}

TEST_F(ThreeModules, StopDuringTheMainBlockEndsTheRunAndIsNotUndone) {
    TCommandPump pump;
    shell().set_pump(&pump);
    modules().editor_lines(0) = "PROGRAM FIRST;\nBegin\n  debug('one');\n  debug('two');\nEnd.";
    pump.command = [&] { pump.command = [&] { modules().Stop(0); }; };
    modules().Run(0); // Running line, then the Stop inside the first debug line
    EXPECT_FALSE(host(0).running());
    EXPECT_FALSE(logged("Code=\"FIRST\", Text=\"two\"")) << "the main block was ended";
    EXPECT_EQ(card(0).items[0], "Stop");
}

TEST_F(ThreeModules, ARunOfAModuleWhoseCallIsInProgressIsRefused) {
    TCommandPump pump;
    shell().set_pump(&pump);
    modules().Run(0);
    modules().input_changed(main_board, 5, '1');
    pump.command = [&] { modules().Run(0); };
    modules().input_changed(main_board, 6, '1');
    EXPECT_TRUE(logged("Error in CODE \"FIRST\", Error type=\"Cannot clear a running script\", "
                       "Position=\"\""));
    EXPECT_TRUE(host(0).running());
    modules().input_changed(main_board, 7, '1');
    EXPECT_TRUE(logged("Code=\"FIRST\", Text=\"FIRST 7\""));
}

class TRecordingPages : public TEditorPages {
public:
    Lines calls;
    void show_editor(int slot) override { calls.push_back("show " + std::to_string(slot)); }
    void close_editors() override { calls.push_back("close"); }
};

TEST_F(ThreeModules, ShowCodeShowsTheModulesPageAndClosingFreesThePages) {
    TRecordingPages pages;
    modules().set_pages(&pages);
    model->shell.modified = false;
    modules().show_code(modules().slot(2).tree_node);
    EXPECT_TRUE(model->shell.modified);
    model->project.cerrar_proyecto();
    EXPECT_EQ(pages.calls, (Lines{"show 2", "close"}));
}

} // namespace
} // namespace veltran::testing
