// libFuzzer target of the whole engine: any bytes are compiled as a script
// and, when they compile, run with a step limit; every procedure of the
// script is then called once. The same bytes are also read as an IL document
// and, when that works, compiled and run the same way. Whatever the input,
// the engine reports errors through ErrorMsg or TfsException and nothing may
// crash, hang, leak or overflow the stack.
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/variant_ops.h"

#include <cstdint>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace veltran;

constexpr std::int64_t step_limit = 20000;

// The procedures of a script, found before any of them runs.
std::vector<TfsProcVariable*> procedures_of(const TfsScript& script) {
    std::vector<TfsProcVariable*> found;
    for (int i = 0; i < script.Count(); ++i)
        if (auto* proc = dynamic_cast<TfsProcVariable*>(&script.Items(i))) found.push_back(proc);
    return found;
}

void run(TfsScript& script) {
    try {
        script.Execute();
    } catch (const std::exception&) {
    }
    for (TfsProcVariable* proc : procedures_of(script)) {
        try {
            script.CallFunction2(proc, std::span<const Variant>());
        } catch (const std::exception&) {
        }
    }
}

// A host scope with a procedure that takes any value, so that inputs reach
// calls of registered functions as well.
TfsScript& host() {
    static TfsScript* scope = [] {
        auto* s = new TfsScript;
        s->Parent = fsGlobalUnit();
        s->AddMethod("procedure ShowMessage(Msg: Variant)",
                     [](void*, TfsClassVariable*, const std::string&, std::span<Variant> p) {
                         return p[0];
                     });
        s->AddMethod("function Twice(var v: Variant; n: Integer = 2): Variant",
                     [](void*, TfsClassVariable*, const std::string&, std::span<Variant> p) {
                         p[0] = var_mul(p[0], p[1]);
                         return p[0];
                     });
        return s;
    }();
    return *scope;
}

void compile_and_run(const std::string& text) {
    TfsScript script;
    script.Parent = &host();
    script.StepLimit = step_limit;
    script.SetLines(text);
    try {
        if (script.Compile()) run(script);
    } catch (const std::exception&) {
        // An unknown "#language" line raises out of Compile.
    }
}

void read_and_run_il(const std::string& text) {
    TfsScript script;
    script.Parent = &host();
    script.StepLimit = step_limit;
    std::istringstream in(text);
    try {
        if (script.SetILCode(in)) run(script);
    } catch (const std::exception&) {
        // "Invalid file format".
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    compile_and_run(text);
    read_and_run_il(text);
    return 0;
}
