#include "host/debug_procedure.h"

#include "fake_log_view.h"
#include "shell/log_channel.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

struct TDebugCase {
    const char* text;
    const char* expected;
};

class DebugLineCases : public ::testing::TestWithParam<TDebugCase> {};

TEST_P(DebugLineCases, QuotesTheTextWithoutItsTrailingBlanks) {
    EXPECT_EQ(debug_line("Panel", GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Debug, DebugLineCases,
                         ::testing::Values(TDebugCase{"x  ", R"(Code="Panel", Text="x")"},
                                           TDebugCase{"  x", R"(Code="Panel", Text="  x")"},
                                           TDebugCase{"a b\t", R"(Code="Panel", Text="a b")"},
                                           TDebugCase{"   ", R"(Code="Panel", Text="")"},
                                           TDebugCase{"caf\xE9",
                                                      "Code=\"Panel\", Text=\"caf\xC3\xA9\""}));

TEST(Debug, WritesOnTheDebugChannel) {
    TShell shell;
    testing::TFakeLogView view;
    shell.set_view(&view);
    script_debug(shell, "Panel", "hello ");
    const std::string line = R"(Code="Panel", Text="hello")";
    EXPECT_EQ(shell.log_list(), std::vector<std::string>{line});
    EXPECT_EQ(view.html_lines, std::vector<std::string>{channel_prefix(log_debug) + line});
}

} // namespace
} // namespace veltran
