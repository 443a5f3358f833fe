#pragma once
// What a running script needs besides its variables: the state of one run
// (shared by a script and its procedure scopes) and the per-thread stack
// where calls save the locals of a recursive procedure and keep argument
// values, so that a call never allocates.

#include "engine/variant.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace veltran {

class TfsScript;

struct TfsRunState {
    // The run-line hook in effect, resolved when a run starts.
    const std::function<void(TfsScript&, const std::string&, const std::string&)>* hook = nullptr;
    // Statements and loop passes left before the step limit stops the run.
    std::int64_t steps_left = 0;
    bool step_limited = false;
    bool limit_reached = false;
    // Terminate was called; stays set until the outermost call returns.
    bool terminated = false;
    // Nesting of Execute, host calls and procedure calls in progress.
    int depth = 0;

    // Whether statements must do more than their own work (hook, step limit).
    bool traced() const { return hook != nullptr || step_limited; }
};

class TfsRunStack {
public:
    // The stack of the calling thread.
    static TfsRunStack& current();

    // n slots, valid until release(n); slots come back empty.
    Variant* acquire(std::size_t n);
    void release(std::size_t n);

    // Raises "Stack overflow" when the machine stack of this thread is
    // nearly used up, so that deep recursion in a script, or a deeply nested
    // program, fails cleanly instead of crashing.
    void check_machine_stack() const {
        const auto sp = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        if (sp < stack_limit_ && sp > stack_low_) overflow();
    }

private:
    TfsRunStack();
    [[noreturn]] static void overflow();

    struct TChunk {
        std::unique_ptr<Variant[]> slots;
        std::size_t size = 0;
        std::size_t used = 0;
    };
    std::vector<TChunk> chunks_;
    std::size_t current_ = 0;
    std::uintptr_t stack_low_ = 0;
    std::uintptr_t stack_limit_ = 0;
};

// Slots on the run stack for the lifetime of the object.
class TfsStackSlots {
public:
    explicit TfsStackSlots(std::size_t n)
        : stack_(TfsRunStack::current()), n_(n), slots_(n ? stack_.acquire(n) : nullptr) {}
    ~TfsStackSlots() {
        if (n_) stack_.release(n_);
    }
    TfsStackSlots(const TfsStackSlots&) = delete;
    TfsStackSlots& operator=(const TfsStackSlots&) = delete;
    Variant& operator[](std::size_t i) { return slots_[i]; }
    Variant* data() { return slots_; }

private:
    TfsRunStack& stack_;
    std::size_t n_;
    Variant* slots_;
};

} // namespace veltran
