#pragma once
// The simulation file: the simulated boards and what happens to their
// inputs, axes and plugs once the project runs. Plain text, one instruction
// a line, '#' starts a comment:
//
//   board SERIAL KIND [exp ADDR...]
//   at MS input NAME N 0|1
//   at MS adc NAME K VALUE
//   at MS encoder NAME N1 N2 STEPS
//   at MS unplug SERIAL
//   at MS plug SERIAL

#include "boards/sim_board.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltran {

enum class TSimActionKind { input, adc, encoder, unplug, plug };

struct TSimAction {
    int at_ms = 0;
    TSimActionKind kind = TSimActionKind::input;
    std::size_t board = 0; // index into the boards of the setup
    int address = 0;       // expansion address, 64 for the board itself
    int first = 0;         // input N, axis K or encoder input N1
    int second = 0;        // level, VALUE or encoder input N2
    int steps = 0;         // encoder detents, negative to turn down
};

struct TSimSetup {
    std::vector<TSimBoardConfig> boards;
    std::vector<TSimAction> actions; // in time order, file order within one time
};

struct TSimParseResult {
    TSimSetup setup;
    std::string error; // "FILE:LINE: what is wrong"; empty when the file is good
};

TSimParseResult parse_sim_script(std::string_view text, std::string_view file_name);

// Reads and parses a file; a file that cannot be read is an error too.
TSimParseResult read_sim_script(const std::string& path);

} // namespace veltran
