// veltran boards: the boards as the programs see them, headless.
//   list  enumerates the boards (real, or simulated with --sim-boards) and
//         prints the hardware tree with images and version texts;
//   sim   plays a simulation file from the start of a run and prints the
//         script events its boards raise.
#include "apps/cli/cli_command.h"
#include "boards/board_kinds.h"
#include "boards/board_manager.h"
#include "boards/board_options.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cstdio>

namespace veltran::cli {

namespace {

constexpr int configuration_wait_ms = 1000;

// Log lines go to standard error, as the player's log shows them.
class TStderrLog : public TLogView {
public:
    void log_appended(const TLogLine& line) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(line.text.size()), line.text.data());
    }
    void log_cleared() override {}
    void debug_appended(std::string_view) override {}
};

class TPrintedEvents : public TBoardEvents {
public:
    void feed_encoders(std::string_view, std::string_view, std::string_view) override {}
    void input_changed(std::string_view board, int input, char value) override {
        std::printf("OnInputChange %.*s %d %c\n", static_cast<int>(board.size()), board.data(),
                    input, value);
    }
    void all_inputs_changed(std::string_view board, std::string_view inputs) override {
        std::printf("OnInputChangeAll %.*s %.*s\n", static_cast<int>(board.size()), board.data(),
                    static_cast<int>(inputs.size()), inputs.data());
    }
    void adc_changed(std::string_view board, int axis, std::int32_t value) override {
        std::printf("OnADCChange %.*s %d %d\n", static_cast<int>(board.size()), board.data(), axis,
                    value);
    }
};

// The board layer on a headless event loop; the application object comes
// first, since the controllers start timers and post calls.
class THeadlessBoards {
public:
    THeadlessBoards() : app_(argc_, argv_), shell_(TProgramKind::player) { shell_.set_view(&log_); }

    // Opens the boards the options choose; false, with the error printed,
    // when a simulation file is bad.
    bool open(TArgs& args) {
        boards_ = start_board_manager(shell_, args, tree_, "veltran boards");
        if (boards_) boards_->on_listed = [this] { listed_ = true; };
        return boards_ != nullptr;
    }

    TUSBGEST& boards() { return *boards_; }
    const THardwareTree& tree() const { return tree_; }

    // Runs the loop until the boards are listed and every main board has
    // answered the configuration request (or a second has passed).
    void wait_for_listing() {
        const QDeadlineTimer deadline(configuration_wait_ms);
        while (!deadline.hasExpired() && !(listed_ && main_boards_configured()))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    void run_for(int milliseconds) {
        const QDeadlineTimer deadline(milliseconds);
        while (!deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

private:
    bool main_boards_configured() {
        for (std::size_t i = 0; i < boards_->board_count(); ++i) {
            const ThidComponent& board = boards_->board(i);
            const TSerialKind* kind = serial_kind(board.sn);
            if (kind && kind->product == product_id::main && board.version.empty()) return false;
        }
        return true;
    }

    inline static int argc_ = 1;
    inline static char name_[] = "veltran";
    inline static char* argv_[] = {name_, nullptr};
    QCoreApplication app_;
    TShell shell_;
    TStderrLog log_;
    THardwareTree tree_;
    std::unique_ptr<TUSBGEST> boards_;
    bool listed_ = false;
};

void print_nodes(TUSBGEST& boards, const TTreeNode& node, int depth) {
    for (const auto& child : node.children()) {
        std::printf("%*s%s  [image %d]", depth * 2, "", child->text.c_str(), child->image);
        if (depth == 1) std::printf("  version \"%s\"", boards.GetVersion(child->text).c_str());
        std::printf("\n");
        print_nodes(boards, *child, depth + 1);
    }
}

int list_boards(TArgs args) {
    THeadlessBoards headless;
    if (!headless.open(args)) return 2;
    if (!args.empty()) return usage_error("boards");
    headless.wait_for_listing();
    TUSBGEST& boards = headless.boards();
    if (boards.board_count() == 0) {
        std::printf("no boards found\n");
        return 0;
    }
    print_nodes(boards, headless.tree().root(), 0);
    for (std::size_t i = 0; i < boards.board_count(); ++i)
        if (!boards.board(i).padre)
            std::printf("%s  (no tree node: unknown serial prefix)\n", boards.board(i).sn.c_str());
    return 0;
}

int play_simulation(TArgs args) {
    int milliseconds = 1000;
    TArgs rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--for") {
            rest.push_back(args[i]);
        } else if (i + 1 == args.size() || !read_seconds(args[++i], milliseconds)) {
            return usage_error("boards");
        }
    }
    if (rest.empty() || rest[0].starts_with("--")) return usage_error("boards");
    rest[0] = "--sim-boards=" + rest[0];
    THeadlessBoards headless;
    if (!headless.open(rest)) return 2;
    if (!rest.empty()) return usage_error("boards");
    TPrintedEvents events;
    headless.boards().set_events(&events);
    headless.wait_for_listing();
    headless.boards().project_started();
    headless.run_for(milliseconds);
    headless.boards().project_stopped();
    return 0;
}

} // namespace

int run_boards(const TArgs& args) {
    if (args.empty()) return usage_error("boards");
    const TArgs rest(args.begin() + 1, args.end());
    if (args[0] == "list") return list_boards(rest);
    if (args[0] == "sim") return play_simulation(rest);
    return usage_error("boards");
}

} // namespace veltran::cli
