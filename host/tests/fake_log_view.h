#pragma once
// A log view that keeps the log lines as the list box gets them and the
// debug page's lines.

#include "shell/shell_view.h"

#include <string>
#include <vector>

namespace veltran::testing {

class TFakeLogView : public TLogView {
public:
    void log_appended(const TLogLine& line) override { html_lines.emplace_back(line.html); }
    void log_cleared() override {}
    void debug_appended(std::string_view text) override { debug_lines.emplace_back(text); }

    std::vector<std::string> html_lines;
    std::vector<std::string> debug_lines;
};

} // namespace veltran::testing
