#pragma once
// What a running script needs besides its variables: the state of one run,
// shared by a script and its procedure scopes, with the stack where calls
// save the locals of a recursive procedure and keep argument values, so that
// a call never allocates; and the guard against machine stack exhaustion.

#include "engine/variant.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace veltran {

class TfsScript;

// Raises "Stack overflow" when the machine stack of the calling thread is
// nearly used up, so that deep recursion in a script, or a deeply nested
// program, fails cleanly instead of crashing.
void fs_check_machine_stack();

// Slots handed out last in, first out, in chunks that are kept for reuse.
class TfsSlotStack {
public:
    // n slots (n > 0), valid until release(n); they come back empty.
    Variant* acquire(std::size_t n) {
        if (!chunks_.empty()) {
            TChunk& chunk = chunks_[current_];
            if (chunk.used + n <= chunk.size) {
                Variant* slots = chunk.slots.get() + chunk.used;
                chunk.used += n;
                return slots;
            }
        }
        return acquire_in_new_chunk(n);
    }
    void release(std::size_t n) {
        TChunk& chunk = chunks_[current_];
        chunk.used -= n;
        for (std::size_t i = 0; i < n; ++i)
            chunk.slots[chunk.used + i] = Variant();
        if (chunk.used == 0 && current_ > 0) --current_;
    }
    // The same for slots whose values were all moved out already.
    void release_moved(std::size_t n) {
        TChunk& chunk = chunks_[current_];
        chunk.used -= n;
        if (chunk.used == 0 && current_ > 0) --current_;
    }

private:
    Variant* acquire_in_new_chunk(std::size_t n);

    struct TChunk {
        std::unique_ptr<Variant[]> slots;
        std::size_t size = 0;
        std::size_t used = 0;
    };
    std::vector<TChunk> chunks_;
    std::size_t current_ = 0;
};

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
    // Below this machine stack address a call raises "Stack overflow".
    std::uintptr_t stack_limit = 0;
    TfsSlotStack slots;

    // Whether statements must do more than their own work (hook, step limit).
    bool traced() const { return hook != nullptr || step_limited; }

    void check_machine_stack() const {
        if (reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) < stack_limit)
            fs_check_machine_stack();
    }
};

// The stack limit of the calling thread (0 when it cannot be known).
std::uintptr_t fs_machine_stack_limit();

// Slots of a run's slot stack for the lifetime of the object.
class TfsStackSlots {
public:
    TfsStackSlots(TfsSlotStack& stack, std::size_t n)
        : stack_(stack), n_(n), slots_(n ? stack.acquire(n) : nullptr) {}
    ~TfsStackSlots() {
        if (n_ == 0) return;
        if (moved_)
            stack_.release_moved(n_);
        else
            stack_.release(n_);
    }
    // Says that every slot's value has been moved out, so none needs clearing.
    void all_moved() { moved_ = true; }
    TfsStackSlots(const TfsStackSlots&) = delete;
    TfsStackSlots& operator=(const TfsStackSlots&) = delete;
    Variant& operator[](std::size_t i) { return slots_[i]; }
    Variant* data() { return slots_; }

private:
    TfsSlotStack& stack_;
    std::size_t n_;
    Variant* slots_;
    bool moved_ = false;
};

} // namespace veltran
