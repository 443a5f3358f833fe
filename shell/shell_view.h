#pragma once
// What the shell needs of the screen, kept small so that every manager runs
// headless in tests and in the command-line companion.

#include <cstddef>
#include <string>
#include <string_view>

namespace veltran {

// One line appended to the log list box. In the runtime player the line has
// no HTML form and the view shows the bare text.
struct TLogLine {
    std::string_view html;
    std::string_view text;
    std::size_t index;    // index of the new line in the list box
    std::size_t top_line; // the line the list box must show at its top
};

class TLogView {
public:
    virtual ~TLogView() = default;
    virtual void log_appended(const TLogLine& line) = 0;
    virtual void log_cleared() = 0;
    // Only called while the debug page is visible.
    virtual void debug_appended(std::string_view text) = 0;
};

// "Let the GUI process its pending messages".
class TMessagePump {
public:
    virtual ~TMessagePump() = default;
    virtual void process_pending() = 0;
};

// Yes/No warning boxes; the answer is true for Yes.
class TAsker {
public:
    virtual ~TAsker() = default;
    virtual bool ask_yes_no(std::string_view text, std::string_view caption) = 0;
};

} // namespace veltran
