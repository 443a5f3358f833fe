#include "engine/message_output.h"

#include <cstdio>

namespace veltran {
namespace {

class TStandardOutput : public TfsMessageOutput {
public:
    void show_message(std::string_view text) override {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
};

TStandardOutput standard_output;
TfsMessageOutput* installed = &standard_output;

} // namespace

TfsMessageOutput& message_output() {
    return *installed;
}

void set_message_output(TfsMessageOutput* output) {
    installed = output ? output : &standard_output;
}

} // namespace veltran
