// Input reports through the encoder decoder into counting receivers: how many
// reports and encoder steps per second the GUI thread can decode.

#include "host/day_clock.h"
#include "host/encoders.h"
#include "host/module_events.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace veltran {
namespace {

// Stands in for the module manager with `modules` running modules.
class TCountingEvents : public TModuleEvents {
public:
    explicit TCountingEvents(int modules) : modules_(modules) {}
    void encoder_changed(std::int32_t, std::int32_t value) override {
        for (int m = 0; m < modules_; ++m)
            benchmark::DoNotOptimize(sum_ += value);
        ++announced;
    }
    void timer_elapsed(std::int64_t) override {}
    std::int64_t announced = 0;

private:
    int modules_;
    std::int64_t sum_ = 0;
};

constexpr int boards = 8;
constexpr int encoders_per_board = 8; // inputs 1..16 in pairs

std::string board_name(int b) {
    return "TALUX00000" + std::to_string(b);
}

// The four report strings of one detent with every encoder of the board turned.
std::array<std::string, 4> detent_reports() {
    std::array<std::string, 4> reports;
    const char* pairs[4] = {"10", "11", "01", "00"};
    for (int i = 0; i < 4; ++i)
        for (int e = 0; e < encoders_per_board; ++e)
            reports[i] += pairs[i];
    return reports;
}

void register_encoders(TEncoderTable& table) {
    std::array<std::string, boards> names;
    for (int b = 0; b < boards; ++b)
        names[b] = board_name(b);
    for (int b = 0; b < boards; ++b)
        for (int e = 0; e < encoders_per_board; ++e) {
            TEncoderSetup s;
            s.sn = names[b];
            s.in1 = 2 * e + 1;
            s.in2 = 2 * e + 2;
            s.max = 1 << 30;
            s.min = -(1 << 30);
            s.speed = 50;
            table.reg_encoder(s, false);
        }
}

template <typename Clock> void feed_reports(benchmark::State& state) {
    TCountingEvents events(static_cast<int>(state.range(0)));
    TShell shell;
    Clock clock;
    TEncoderTable table(events, shell, clock);
    register_encoders(table);
    const std::array<std::string, 4> reports = detent_reports();
    const std::string board = board_name(boards - 1); // the last board: every record is compared
    int i = 0;
    for (auto _ : state) {
        table.feed(board, reports[(i + 3) & 3], reports[i]);
        i = (i + 1) & 3;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(events.announced), benchmark::Counter::kIsRate);
}

class TFixedClock : public TDayClock {
public:
    double time_of_day() const override { return 0.5; }
};

void BM_FeedReport_SteadyClock(benchmark::State& state) {
    feed_reports<TSteadyDayClock>(state);
}
void BM_FeedReport_FixedClock(benchmark::State& state) {
    feed_reports<TFixedClock>(state);
}

// Argument: running modules that receive every announcement.
BENCHMARK(BM_FeedReport_SteadyClock)->Arg(1)->Arg(10);
BENCHMARK(BM_FeedReport_FixedClock)->Arg(10);

} // namespace
} // namespace veltran

BENCHMARK_MAIN();
