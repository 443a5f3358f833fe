// veltran project run FILE [--for SECONDS] [--sim-boards FILE] [--sim-trace]:
// loads a project and runs it headless on the event loop, as the player runs
// it, printing the log lines as they come, until SIGINT or SIGTERM or the
// given time is up; then stops it cleanly.
#include "apps/cli/cli_command.h"
#include "boards/board_options.h"
#include "host/host_model.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace veltran::cli {

bool load_project(TShell& shell, TPROYECTOS& project, const std::string& file);

namespace {

constexpr int listing_wait_ms = 1000;
constexpr int signal_poll_ms = 50;

volatile std::sig_atomic_t stop_requested = 0;

extern "C" void request_stop(int) {
    stop_requested = 1;
}

class TPrintedLog : public TLogView {
public:
    void log_appended(const TLogLine& line) override {
        std::fwrite(line.text.data(), 1, line.text.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    void log_cleared() override {}
    void debug_appended(std::string_view) override {}
};

// Until the boards are listed, so that the run starts with them.
void wait_for_boards(TUSBGEST& boards) {
    bool listed = false;
    boards.on_listed = [&listed] { listed = true; };
    const QDeadlineTimer deadline(listing_wait_ms);
    while (!listed && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    boards.on_listed = nullptr;
}

bool every_module_runs(TCOMPILADORES& modules) {
    for (int i = 0; i < modules.cont_codigos(); ++i)
        if (modules.in_use(i) && !modules.host(i)->running()) return false;
    return true;
}

// Quits the loop once a signal asked for it or the run's time is up.
void schedule_end(QCoreApplication& app, QTimer& poll, int milliseconds) {
    std::signal(SIGINT, request_stop);
    std::signal(SIGTERM, request_stop);
    QObject::connect(&poll, &QTimer::timeout, &app, [&app] {
        if (stop_requested) app.quit();
    });
    poll.start(signal_poll_ms);
    if (milliseconds >= 0) QTimer::singleShot(milliseconds, &app, [&app] { app.quit(); });
}

} // namespace

int project_run(TArgs args) {
    int milliseconds = -1; // until a signal
    TArgs rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--for")
            rest.push_back(args[i]);
        else if (i + 1 == args.size() || !read_seconds(args[++i], milliseconds))
            return usage_error("project");
    }
    // The application object comes first: the board controllers start timers.
    static int argc = 1;
    static char name[] = "veltran";
    static char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    TBoardBackEnd back_end = open_board_controller(rest);
    if (!back_end.controller) {
        std::fprintf(stderr, "veltran project run: %s\n", back_end.error.c_str());
        return 2;
    }
    if (rest.size() != 1 || rest[0].starts_with("--")) return usage_error("project");

    THostModel model(std::move(back_end.controller), TProgramKind::player);
    // No message pump in the log calls: the programs' log lets other events
    // run before it writes, which would print the lines out of their order.
    TPrintedLog log;
    model.shell.set_view(&log);
    if (!load_project(model.shell, model.project, rest[0])) return 1;
    wait_for_boards(model.boards);

    model.runner.Run();
    const bool started = every_module_runs(model.modules);
    QTimer poll;
    schedule_end(app, poll, milliseconds);
    app.exec();
    model.runner.Stop();
    return started ? 0 : 1;
}

} // namespace veltran::cli
