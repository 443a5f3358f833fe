#pragma once
// Where ShowMessage's text goes. The engine has no window: a window program
// installs an output that shows a modal message box (and keeps its event loop
// running while the box is open); without one, each message is a line on
// standard output, which is what the companion's "script run" shows.

#include <string_view>

namespace veltran {

class TfsMessageOutput {
public:
    virtual ~TfsMessageOutput() = default;
    // Shows the text (UTF-8) and returns once the user has seen it.
    virtual void show_message(std::string_view text) = 0;
};

// The process-wide output.
TfsMessageOutput& message_output();
// Installs an output the caller keeps alive; nullptr restores standard output.
void set_message_output(TfsMessageOutput* output);

} // namespace veltran
