// One board-input event delivered to 10 running modules, each with an
// OnInputChange that does a little work: events per second, the mean cost of
// one module's call, and the heap allocations each event costs.

#include "boards/bench/allocation_count.h"
#include "boards/sim_controller.h"
#include "host/host_model.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <string>

namespace veltran {
namespace {

constexpr int module_count = 10;

std::string module_text(int k, bool with_procedure) {
    const std::string procedure = "procedure OnInputChange(sn:string;input,value:byte);\n"
                                  "begin\n"
                                  "  if value = 1 then count := count + input\n"
                                  "  else count := count - 1;\n"
                                  "  last := input;\n"
                                  "end;\n";
    return "PROGRAM M" + std::to_string(k) + ";\nvar count, last: integer;\n" +
           (with_procedure ? procedure : "") + "Begin\n  count := 0;\nEnd.";
}

// Ten running modules on a simulated main board.
class TRunningProject {
public:
    TRunningProject(bool with_procedure, bool track_positions)
        : model_(std::make_unique<TSimController>(TSimSetup{}, TSimTrace{})) {
        for (int k = 0; k < module_count; ++k) {
            const int slot = model_.modules.add_newcode("M" + std::to_string(k));
            TCOMPILADORFS& host = *model_.modules.host(slot);
            host.Code_ = module_text(k, with_procedure);
            if (!track_positions) host.fsScript1.OnRunLine = nullptr;
        }
        model_.modules.Run_all();
    }
    bool all_running() {
        for (int k = 0; k < module_count; ++k)
            if (!model_.modules.host(k)->running()) return false;
        return true;
    }
    TCOMPILADORES& modules() { return model_.modules; }

private:
    THostModel model_;
};

void deliver_input_events(benchmark::State& state, bool with_procedure, bool track_positions) {
    TRunningProject project(with_procedure, track_positions);
    if (!project.all_running()) {
        state.SkipWithError("a module did not start");
        return;
    }
    TCOMPILADORES& modules = project.modules();
    const std::string board = "TALUX000001";
    char value = '0';
    const std::int64_t allocations_before = bench::allocations_so_far();
    for (auto _ : state) {
        value = value == '0' ? '1' : '0';
        modules.input_changed(board, 5, value);
    }
    const double events = static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations());
    state.counters["events/s"] = benchmark::Counter(events, benchmark::Counter::kIsRate);
    state.counters["s/module call"] = benchmark::Counter(
        events * module_count, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs/event"] =
        static_cast<double>(bench::allocations_so_far() - allocations_before) / events;
}

void BM_InputEventTo10Modules(benchmark::State& state) {
    deliver_input_events(state, true, true);
}
void BM_InputEventTo10ModulesWithoutPositionHook(benchmark::State& state) {
    deliver_input_events(state, true, false);
}
void BM_InputEventTo10ModulesWithoutProcedure(benchmark::State& state) {
    deliver_input_events(state, false, true);
}

BENCHMARK(BM_InputEventTo10Modules);
BENCHMARK(BM_InputEventTo10ModulesWithoutPositionHook);
BENCHMARK(BM_InputEventTo10ModulesWithoutProcedure);

} // namespace
} // namespace veltran

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
