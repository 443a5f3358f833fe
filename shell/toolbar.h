#pragma once
// The three tool bar states and which commands each of them enables.

#include <array>
#include <cstddef>

namespace veltran {

enum class TToolbarState { no_project, project_open, running };

enum class TCommand {
    load_project,
    close_project,
    save_project,
    save_project_as,
    update_hardware,
    run_project,
    stop_project,
    compile_project,
    create_exe_file,
    new_project,
};

inline constexpr std::size_t command_count = 10;

constexpr bool command_enabled(TToolbarState state, TCommand command) {
    switch (command) {
    case TCommand::load_project:
    case TCommand::new_project: return state == TToolbarState::no_project;
    case TCommand::update_hardware: return state != TToolbarState::running;
    case TCommand::stop_project: return state == TToolbarState::running;
    default: return state == TToolbarState::project_open;
    }
}

} // namespace veltran
