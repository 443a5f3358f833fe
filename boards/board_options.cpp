#include "boards/board_options.h"

#include "boards/hidapi_controller.h"
#include "boards/sim_controller.h"

#include <cstdio>
#include <cstdlib>

namespace veltran {
namespace {

constexpr std::string_view sim_boards_option = "--sim-boards";
constexpr std::string_view sim_trace_option = "--sim-trace";

void print_trace(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

TBoardOptions take_board_options(std::vector<std::string>& args, const char* environment_file) {
    TBoardOptions options;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == sim_trace_option) {
            options.sim_trace = true;
        } else if (arg == sim_boards_option) {
            if (i + 1 == args.size())
                options.error = "--sim-boards needs a file name";
            else
                options.sim_file = args[++i];
        } else if (arg.starts_with(std::string(sim_boards_option) + "=")) {
            options.sim_file = arg.substr(sim_boards_option.size() + 1);
            if (options.sim_file.empty()) options.error = "--sim-boards needs a file name";
        } else {
            rest.push_back(args[i]);
        }
    }
    args = std::move(rest);
    if (options.sim_file.empty() && options.error.empty() && environment_file && *environment_file)
        options.sim_file = environment_file;
    return options;
}

TBoardBackEnd open_board_controller(const TBoardOptions& options) {
    if (!options.error.empty()) return {nullptr, options.error};
    if (options.sim_file.empty()) return {std::make_unique<THidapiController>(), {}};
    TSimParseResult script = read_sim_script(options.sim_file);
    if (!script.error.empty()) return {nullptr, script.error};
    TSimTrace trace;
    if (options.sim_trace) trace = print_trace;
    return {std::make_unique<TSimController>(std::move(script.setup), std::move(trace)), {}};
}

TBoardBackEnd open_board_controller(std::vector<std::string>& args) {
    return open_board_controller(take_board_options(args, std::getenv(sim_boards_variable)));
}

std::unique_ptr<TUSBGEST> start_board_manager(TShell& shell, std::vector<std::string>& args,
                                              THardwareTree& tree, std::string_view program) {
    TBoardBackEnd back_end = open_board_controller(args);
    if (!back_end.controller) {
        std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(program.size()), program.data(),
                     back_end.error.c_str());
        return nullptr;
    }
    auto boards = std::make_unique<TUSBGEST>(shell, std::move(back_end.controller));
    boards->t_hardware = &tree;
    return boards;
}

} // namespace veltran
