// Parses a generated module of about 10,000 lines through the PascalScript
// grammar and prints lines per second. Run from a release build:
//   build-release/engine/bench/parse_bench [lines] [rounds]
#include "engine/bench/module_generator.h"
#include "engine/il_parser.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

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

    TfsILParser parser;
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        parser.SelectLanguage("PascalScript");
        if (!parser.MakeILScript(module)) {
            std::fprintf(stderr, "generated module fails: %s at %s\n", parser.ErrorMsg().c_str(),
                         parser.ErrorPos().c_str());
            return 1;
        }
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    std::printf("MakeILScript: %ld lines, %zu bytes, IL of %d elements: best of %d rounds %.2f ms, "
                "%.0f lines per second\n",
                static_cast<long>(line_count), module.size(),
                count_elements(parser.ILScript().Root()), rounds, best * 1e3,
                static_cast<double>(line_count) / best);
    return 0;
}
