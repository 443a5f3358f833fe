#include "shell/command_line.h"
#include "shell/file_version.h"
#include "shell/log_channel.h"
#include "shell/shell_state.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

struct RecordingView : TLogView {
    std::vector<std::string> html;
    std::vector<std::size_t> top_lines;
    std::vector<std::string> debug;
    int cleared = 0;
    void log_appended(const TLogLine& line) override {
        html.emplace_back(line.html);
        top_lines.push_back(line.top_line);
    }
    void log_cleared() override { ++cleared; }
    void debug_appended(std::string_view text) override { debug.emplace_back(text); }
};

struct CountingPump : TMessagePump {
    int calls = 0;
    void process_pending() override { ++calls; }
};

TEST(LogChannel, PrefixCarriesLabelAndColour) {
    struct Case {
        std::uint8_t channel;
        const char* prefix;
    };
    const Case cases[] = {
        {1, R"(<FONT face="Tahoma" size="8" color="#2E2EFE">COMPILER</FONT>:)"},
        {2, R"(<FONT face="Tahoma" size="8" color="#2E2EFE">DEBUG</FONT>:)"},
        {3, R"(<FONT face="Tahoma" size="8" color="#2E2EFE">CONNECTIONS</FONT>:)"},
        {4, R"(<FONT face="Tahoma" size="8" color="#FF0000">ERROR CODE</FONT>:)"},
        {5, R"(<FONT face="Tahoma" size="8" color="#FF0000">ERROR BOARDS</FONT>:)"},
        {0, R"(<FONT face="Tahoma" size="8" color="#FF0000">OTHER</FONT>:)"},
        {9, R"(<FONT face="Tahoma" size="8" color="#FF0000">OTHER</FONT>:)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(channel_prefix(c.channel), c.prefix) << int(c.channel);
}

TEST(ShellLog, EditorLinesCarryPrefixAndListKeepsPlainText) {
    TShell shell;
    RecordingView view;
    CountingPump pump;
    shell.set_view(&view);
    shell.set_pump(&pump);
    shell.add_log(4, "boom");
    ASSERT_EQ(view.html.size(), 1u);
    EXPECT_EQ(view.html[0], channel_prefix(4) + "boom");
    EXPECT_EQ(shell.log_list(), std::vector<std::string>{"boom"});
    EXPECT_EQ(pump.calls, 1);
}

TEST(ShellLog, FromLineSixTheNewestLineIsAtTheTop) {
    TShell shell;
    RecordingView view;
    shell.set_view(&view);
    for (int i = 0; i < 8; ++i)
        shell.add_log(1, "line");
    EXPECT_EQ(view.top_lines, (std::vector<std::size_t>{0, 0, 0, 0, 0, 0, 6, 7}));
    shell.clear_lines();
    shell.add_log(1, "again");
    EXPECT_EQ(view.top_lines.back(), 0u);
}

TEST(ShellLog, PlayerKeepsBareTextOnly) {
    TShell shell(TProgramKind::player);
    RecordingView view;
    shell.set_view(&view);
    shell.debug_page_visible = true;
    shell.add_log(2, "x");
    shell.add_debug("y");
    EXPECT_EQ(view.html, std::vector<std::string>{""});
    EXPECT_EQ(shell.log_list(), std::vector<std::string>{"x"});
    EXPECT_TRUE(view.debug.empty());
}

TEST(ShellLog, DebugLinesOnlyWhileTheDebugPageIsVisible) {
    TShell shell;
    RecordingView view;
    CountingPump pump;
    shell.set_view(&view);
    shell.set_pump(&pump);
    shell.add_debug("hidden");
    shell.debug_page_visible = true;
    shell.add_debug("shown");
    EXPECT_EQ(view.debug, std::vector<std::string>{"shown"});
    EXPECT_EQ(pump.calls, 2);
}

TEST(ShellLog, ClearThenCopyGivesEmptyText) {
    TShell shell;
    shell.add_log(1, "a");
    shell.add_log(2, "b");
    EXPECT_EQ(shell.copy_lines(), "a\nb\n");
    shell.clear_lines();
    EXPECT_EQ(shell.copy_lines(), "");
}

TEST(Toolbar, StatesEnableTheirCommands) {
    using enum TCommand;
    using S = TToolbarState;
    struct Row {
        TCommand command;
        bool no_project, project_open, running;
    };
    const Row table[] = {
        {load_project, true, false, false},    {close_project, false, true, false},
        {save_project, false, true, false},    {save_project_as, false, true, false},
        {update_hardware, true, true, false},  {run_project, false, true, false},
        {stop_project, false, false, true},    {compile_project, false, true, false},
        {create_exe_file, false, true, false}, {new_project, true, false, false},
    };
    static_assert(std::size(table) == command_count);
    for (const Row& r : table) {
        EXPECT_EQ(command_enabled(S::no_project, r.command), r.no_project) << int(r.command);
        EXPECT_EQ(command_enabled(S::project_open, r.command), r.project_open) << int(r.command);
        EXPECT_EQ(command_enabled(S::running, r.command), r.running) << int(r.command);
    }
}

TEST(Toolbar, InitGlobalsSetsNoProjectAndPlayerIgnoresStates) {
    TShell editor;
    editor.menus_running();
    editor.running = true;
    editor.init_globals();
    EXPECT_EQ(editor.toolbar_state(), TToolbarState::no_project);
    EXPECT_FALSE(editor.running);

    TShell player(TProgramKind::player);
    player.menus_running();
    EXPECT_EQ(player.toolbar_state(), TToolbarState::no_project);
}

TEST(CommandLine, Modes) {
    struct Case {
        std::vector<std::string> args;
        bool debug;
        std::string project;
        bool run;
    };
    const Case cases[] = {
        {{}, false, "", false},
        {{"debug "}, true, "", false},
        {{" DeBuG"}, true, "", false},
        {{"a.pscp"}, false, "a.pscp", false},
        {{"a.pscp", "run"}, false, "a.pscp", true},
        {{"a.pscp", " RUN "}, false, "a.pscp", true},
        {{"a.pscp", "running"}, false, "a.pscp", false},
        {{"debug", "run"}, true, "", false},
    };
    for (const Case& c : cases) {
        const TStartMode mode = parse_command_line(c.args);
        EXPECT_EQ(mode.debug_page, c.debug);
        EXPECT_EQ(mode.project_path, c.project);
        EXPECT_EQ(mode.run, c.run);
    }
}

TEST(FileVersion, VersionAndBuildTexts) {
    const TFileVersion v{3, 0, 3, 12};
    EXPECT_EQ(version_text(v), "3.0");
    EXPECT_EQ(build_text(v), "312");
}

} // namespace
} // namespace veltran
