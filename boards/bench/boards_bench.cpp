// Figures of the board layer's hot path: input reports through the decoder
// into ten receivers (a project with ten running modules), and the time from
// a simulated switch to the output report a receiver answers it with.
#include "boards/bench/allocation_count.h"
#include "boards/board_manager.h"
#include "boards/sim_controller.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>

namespace veltran {
namespace {

const std::string M = "TALUX0AAAAA";
const std::string J = "TALUX1BBBBB";

// What a module host does per event before it calls into a script: look at
// the board name and the values.
struct TReceiver {
    std::string_view board;
    long events = 0;
    long sum = 0;
};

class TTenModules : public TBoardEvents {
public:
    std::array<TReceiver, 10> modules;
    std::function<void(std::string_view, int, char)> answer;

    explicit TTenModules(std::string_view board) {
        for (TReceiver& m : modules)
            m.board = board;
    }
    void feed_encoders(std::string_view board, std::string_view, std::string_view now) override {
        for (TReceiver& m : modules)
            m.sum += board == m.board ? now[0] : 0;
    }
    void input_changed(std::string_view board, int input, char value) override {
        for (TReceiver& m : modules) {
            ++m.events;
            m.sum += board == m.board ? input + value : 0;
        }
        if (answer) answer(board, input, value);
    }
    void all_inputs_changed(std::string_view board, std::string_view inputs) override {
        for (TReceiver& m : modules)
            m.sum += board == m.board ? inputs.size() : 0;
    }
    void adc_changed(std::string_view board, int axis, std::int32_t value) override {
        for (TReceiver& m : modules) {
            ++m.events;
            m.sum += board == m.board ? axis + value : 0;
        }
    }
};

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "boards_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

void settle() {
    for (int i = 0; i < 50; ++i)
        QCoreApplication::sendPostedEvents();
}

// The board layer on simulated boards, listed and configured.
struct TRig {
    TShell shell;
    THardwareTree tree;
    TTenModules modules;
    TSimController* sim = nullptr;
    std::unique_ptr<TUSBGEST> boards;
    bool output_arrived = false;

    explicit TRig(std::string_view board) : modules(board) {
        application();
        TSimParseResult setup =
            parse_sim_script("board TALUX0AAAAA main exp 0 1 2 3 4 10 11 12 13 14 15\n"
                             "board TALUX1BBBBB joystick\n",
                             "bench.sim");
        auto controller =
            std::make_unique<TSimController>(std::move(setup.setup), [this](std::string_view line) {
                output_arrived |= line.starts_with("sim " + M + " output");
            });
        sim = controller.get();
        boards = std::make_unique<TUSBGEST>(shell, std::move(controller));
        boards->t_hardware = &tree;
        boards->set_events(&modules);
        settle();
    }
};

// Decodes `reports` in turn into the board at `index`.
void decode(benchmark::State& state, std::string_view board, std::size_t index,
            const std::array<TReportData, 2>& reports) {
    TRig rig(board);
    rig.boards->decode_report(index, reports[1]);
    std::size_t i = 0;
    const std::int64_t before = bench::allocations_so_far();
    for (auto _ : state)
        rig.boards->decode_report(index, reports[i++ & 1]);
    const double reports_done = static_cast<double>(state.iterations());
    state.counters["reports/s"] = benchmark::Counter(reports_done, benchmark::Counter::kIsRate);
    state.counters["allocs/report"] =
        static_cast<double>(bench::allocations_so_far() - before) / reports_done;
    state.counters["events/report"] =
        static_cast<double>(rig.modules.modules[0].events) / reports_done;
}

TReportData main_inputs(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
    TReportData d{};
    for (auto [at, value] : bytes)
        d[at] = value;
    return d;
}

// The common case: one switch of the board itself flips.
void BM_MainBoardOneSwitch(benchmark::State& state) {
    decode(state, M, 0, {main_inputs({}), main_inputs({{62, 0x08}})});
}

// Nothing changed: one comparison per group.
void BM_MainBoardNoChange(benchmark::State& state) {
    decode(state, M, 0, {main_inputs({}), main_inputs({})});
}

// Every one of the 496 inputs flips: the worst report there is.
void BM_MainBoardAllInputs(benchmark::State& state) {
    TReportData all_on{};
    for (std::size_t i = 2; i < 64; ++i)
        all_on[i] = 0xFF;
    decode(state, M, 0, {main_inputs({}), all_on});
}

// A joystick with all eight axes moving.
void BM_JoystickEightAxes(benchmark::State& state) {
    TReportData low{}, high{};
    for (std::size_t k = 0; k < 16; k += 2) {
        low[k] = 10;
        high[k] = 200;
        high[k + 1] = 1;
    }
    decode(state, J, 1, {low, high});
}

// A simulated switch, through the board's report, the event loop, the
// decoder and a receiver answering with an output write, to the output
// report arriving at the board.
void BM_SwitchToOutputLatency(benchmark::State& state) {
    TRig rig(M);
    rig.modules.answer = [&](std::string_view board, int input, char value) {
        if (board == M && input == 1) rig.boards->envio_salida("Bench", M, 2, value == '1' ? 1 : 0);
    };
    bool level = false;
    for (auto _ : state) {
        level = !level;
        rig.output_arrived = false;
        const auto start = std::chrono::steady_clock::now();
        rig.sim->board(0).set_input(64, 1, level);
        while (!rig.output_arrived)
            QCoreApplication::processEvents();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

BENCHMARK(BM_MainBoardOneSwitch);
BENCHMARK(BM_MainBoardNoChange);
BENCHMARK(BM_MainBoardAllInputs);
BENCHMARK(BM_JoystickEightAxes);
BENCHMARK(BM_SwitchToOutputLatency)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace veltran

BENCHMARK_MAIN();
