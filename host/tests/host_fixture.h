#pragma once
// What the module host tests share: the managers of a program on simulated
// boards, a clock the test moves, a link port that records what reaches it,
// and the event loop.

#include "boards/sim_controller.h"
#include "fake_day_clock.h"
#include "fake_log_view.h"
#include "host/host_model.h"
#include "qt_event_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace veltran::testing {

// Two iFly command names and two variable names are enough to bind to.
class TFakeLinks : public TLinkPort {
public:
    std::vector<std::string> calls;

    void create_links() override { calls.push_back("create"); }
    void connect_links() override { calls.push_back("connect"); }
    void stop_links() override { calls.push_back("stop"); }
    void synchronise() override { calls.push_back("synchronise"); }
    void write_iocp_client(std::int32_t client, std::int32_t offset, std::int32_t value) override {
        calls.push_back("iocp " + std::to_string(client) + " " + std::to_string(offset) + "=" +
                        std::to_string(value));
    }
    void write_iocp_server(std::int32_t offset, std::int32_t value) override {
        calls.push_back("server " + std::to_string(offset) + "=" + std::to_string(value));
    }
    void register_iocp_offset(std::int32_t client, std::int32_t offset) override {
        calls.push_back("register " + std::to_string(client) + " " + std::to_string(offset));
    }
    void send_ifly_command(std::int32_t command, std::int32_t value) override {
        calls.push_back("ifly " + std::to_string(command) + " " + std::to_string(value));
    }
    std::span<const std::string_view> ifly_command_names() const override { return commands; }
    std::span<const std::string_view> ifly_variable_names() const override { return variables; }

    static constexpr std::array<std::string_view, 3> commands = {"KEY_COM1", "KEY_NAV1",
                                                                 "KEY_COM1"};
    static constexpr std::array<std::string_view, 2> variables = {"GEAR_LIGHT_VAR", "COURSE_VAR"};
};

inline const std::string main_board = "TALUX0AAAAA";

// The managers on simulated boards: by default one main board with the
// display expansion 15.
class THostTest : public ::testing::Test {
protected:
    static constexpr std::string_view one_main_board = "board TALUX0AAAAA main exp 15\n";

    explicit THostTest(std::string_view sim_text = one_main_board) {
        ensure_qt_application();
        TSimParseResult parsed = parse_sim_script(sim_text, "test.sim");
        EXPECT_EQ(parsed.error, "");
        auto controller = std::make_unique<TSimController>(
            std::move(parsed.setup), [this](std::string_view line) { trace.emplace_back(line); });
        sim = controller.get();
        model = std::make_unique<THostModel>(std::move(controller), TProgramKind::editor, &clock,
                                             &links);
        model->shell.set_view(&view);
        model->shell.debug_page_visible = true;
    }

    TCOMPILADORES& modules() { return model->modules; }
    TShell& shell() { return model->shell; }
    TCOMPILADORFS& host(int slot) { return *modules().host(slot); }
    const TCard& card(int slot) { return *modules().slot(slot).card; }
    const std::vector<std::string>& log() { return shell().log_list(); }

    // A new module with this text; returns its slot.
    int add_module(const std::string& title, const std::string& text) {
        const int slot = modules().add_newcode(title);
        host(slot).Code_ = text;
        return slot;
    }
    // Waits until the board is listed and configured, so that it reports.
    void wait_for_board() {
        ASSERT_TRUE(wait_until([&] {
            return model->boards.board_count() == 1 && !model->boards.board(0).version.empty();
        }));
    }
    void switch_input(int n, bool level, int address = 64) {
        sim->board(0).set_input(address, n, level);
    }
    bool logged(const std::string& line) {
        return std::find(log().begin(), log().end(), line) != log().end();
    }
    // The log lines that start with `prefix`, in order.
    std::vector<std::string> lines_starting(const std::string& prefix) {
        std::vector<std::string> lines;
        for (const std::string& line : log())
            if (line.starts_with(prefix)) lines.push_back(line);
        return lines;
    }

    TFakeDayClock clock;
    TFakeLinks links;
    TFakeLogView view;
    std::vector<std::string> trace;
    TSimController* sim = nullptr;
    std::unique_ptr<THostModel> model;
};

} // namespace veltran::testing
