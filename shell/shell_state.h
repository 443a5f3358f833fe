#pragma once
// The shell-wide state every manager shares: folders, version, the modified
// and running flags, the log and the tool bar state.

#include "shell/shell_view.h"
#include "shell/toolbar.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

enum class TProgramKind { editor, player };

class TShell {
public:
    explicit TShell(TProgramKind kind = TProgramKind::editor);

    TProgramKind kind() const { return kind_; }

    std::string app_folder;     // with trailing delimiter
    std::string project_folder; // without trailing delimiter; empty without project
    std::string version;
    std::string build;
    bool modified = false;
    bool running = false;
    // The debug page is shown only when the editor was started with DEBUG.
    bool debug_page_visible = false;
    // The user's decimal separator, for the numbers the project file keeps
    // in the user's notation.
    char decimal_separator = '.';

    void set_view(TLogView* view) { view_ = view; }
    void set_pump(TMessagePump* pump) { pump_ = pump; }

    void read_version();
    void init_globals();

    void add_log(std::uint8_t channel, std::string_view text);
    void add_debug(std::string_view text);
    void process_pending_messages();

    // "Clear Lines" and "Copy Lines"; clear_log_box empties only the view.
    void clear_lines();
    void clear_log_box();
    std::string copy_lines() const;
    const std::vector<std::string>& log_list() const { return log_list_; }

    TToolbarState toolbar_state() const { return toolbar_; }
    bool enabled(TCommand command) const { return command_enabled(toolbar_, command); }
    void menus_no_project() { set_toolbar(TToolbarState::no_project); }
    void menus_project() { set_toolbar(TToolbarState::project_open); }
    void menus_running() { set_toolbar(TToolbarState::running); }
    // Called whenever the tool bar state changes (the window binds its buttons).
    std::function<void(TToolbarState)> on_toolbar_changed;

private:
    void set_toolbar(TToolbarState state);

    TProgramKind kind_;
    TLogView* view_ = nullptr;
    TMessagePump* pump_ = nullptr;
    std::vector<std::string> log_list_;
    std::size_t list_box_lines_ = 0;
    TToolbarState toolbar_ = TToolbarState::no_project;
};

} // namespace veltran
