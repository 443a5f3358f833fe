// Parses a generated module of about 10,000 lines through the PascalScript
// grammar and prints lines per second, by the wall clock and by the
// process's own CPU time (steadier on a busy machine). Each round starts
// from a fresh parser, as a compile does. Run from a release build:
//   build-release/engine/bench/parse_bench [lines] [rounds]
#include "engine/bench/module_generator.h"
#include "engine/il_parser.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

double cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

int count_elements(const veltran::TfsXMLItem& root) {
    int count = 0;
    std::vector<const veltran::TfsXMLItem*> pending{&root};
    while (!pending.empty()) {
        const veltran::TfsXMLItem* item = pending.back();
        pending.pop_back();
        ++count;
        for (const veltran::TfsXMLItem& child : *item)
            pending.push_back(&child);
    }
    return count;
}

} // namespace

int main(int argc, char** argv) {
    using namespace veltran;
    const int lines = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    const std::string module = GenerateModule(lines);
    const auto line_count = std::count(module.begin(), module.end(), '\n');

    double best_wall = 1e9, best_cpu = 1e9;
    int elements = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto wall_start = std::chrono::steady_clock::now();
        const double cpu_start = cpu_seconds();
        {
            TfsILParser parser;
            parser.SelectLanguage("PascalScript");
            if (!parser.MakeILScript(module)) {
                std::fprintf(stderr, "generated module fails: %s at %s\n",
                             parser.ErrorMsg().c_str(), parser.ErrorPos().c_str());
                return 1;
            }
            elements = count_elements(parser.ILScript().Root());
        }
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall_start;
        best_wall = std::min(best_wall, wall.count());
        best_cpu = std::min(best_cpu, cpu_seconds() - cpu_start);
    }
    const auto per_second = [&](double seconds) {
        return static_cast<double>(line_count) / seconds;
    };
    std::printf("MakeILScript: %ld lines, %zu bytes, IL of %d elements, best of %d rounds:\n"
                "  wall %.2f ms, %.0f lines per second\n"
                "  cpu  %.2f ms, %.0f lines per second\n",
                static_cast<long>(line_count), module.size(), elements, rounds, best_wall * 1e3,
                per_second(best_wall), best_cpu * 1e3, per_second(best_cpu));
    return 0;
}
