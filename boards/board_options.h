#pragma once
// The start-up options that choose the boards: `--sim-boards FILE` (or the
// environment variable VELTRAN_SIM_BOARDS=FILE) runs on the simulated boards
// of that file instead of USB, and `--sim-trace` prints on standard output
// what the simulated boards show.

#include "boards/board_manager.h"
#include "boards/hid_controller.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

inline constexpr const char* sim_boards_variable = "VELTRAN_SIM_BOARDS";

struct TBoardOptions {
    std::string sim_file; // empty: the real boards
    bool sim_trace = false;
    std::string error; // an option without its value
};

// Takes the options out of `args` (also the form --sim-boards=FILE), so that
// what remains is the program's own command line; without --sim-boards the
// file is `environment_file` when it is set and not empty.
TBoardOptions take_board_options(std::vector<std::string>& args, const char* environment_file);

struct TBoardBackEnd {
    std::unique_ptr<THidController> controller; // empty on error
    std::string error;
};

TBoardBackEnd open_board_controller(const TBoardOptions& options);

// Both steps, with the environment of the process.
TBoardBackEnd open_board_controller(std::vector<std::string>& args);

// The board manager of a program on the back end its options choose, with
// the tree it lists the boards in: what the programs call before anything
// else reads their arguments, once the application object exists. A bad
// option or simulation file is printed on standard error after `program`
// and gives nothing.
std::unique_ptr<TUSBGEST> start_board_manager(TShell& shell, std::vector<std::string>& args,
                                              THardwareTree& tree, std::string_view program);

} // namespace veltran
