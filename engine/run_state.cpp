#include "engine/run_state.h"

#include "engine/script_exception.h"

#include <algorithm>
#include <pthread.h>

namespace veltran {
namespace {

constexpr std::size_t chunk_slots = 4096;
// Machine stack kept free below the limit: room for host call-backs, the
// library and the unwinding of the error.
constexpr std::size_t stack_reserve = 256 * 1024;

struct TStackBounds {
    std::uintptr_t low = 0;
    std::uintptr_t limit = 0;
};

TStackBounds bounds_of_this_thread() {
    TStackBounds bounds;
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return bounds;
    void* low = nullptr;
    std::size_t size = 0;
    if (pthread_attr_getstack(&attr, &low, &size) == 0 && size > 2 * stack_reserve) {
        bounds.low = reinterpret_cast<std::uintptr_t>(low);
        bounds.limit = bounds.low + std::max(stack_reserve, size / 8);
    }
    pthread_attr_destroy(&attr);
    return bounds;
}

// Found once per thread; plain values, so reading them costs no guard.
thread_local std::uintptr_t stack_low = 0;
thread_local std::uintptr_t stack_limit = 0;
thread_local bool stack_known = false;

void learn_stack() {
    if (stack_known) return;
    const TStackBounds b = bounds_of_this_thread();
    stack_low = b.low;
    stack_limit = b.limit;
    stack_known = true;
}

} // namespace

std::uintptr_t fs_machine_stack_limit() {
    learn_stack();
    return stack_limit;
}

void fs_check_machine_stack() {
    learn_stack();
    const auto sp = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    // An address outside this thread's stack (another thread's, a fiber's)
    // says nothing about it.
    if (sp < stack_limit && sp > stack_low) raise_stack_overflow();
}

Variant* TfsSlotStack::acquire_in_new_chunk(std::size_t n) {
    // A frame never straddles two chunks.
    if (!chunks_.empty() && chunks_[current_].used > 0) ++current_;
    if (current_ == chunks_.size() || chunks_[current_].size < n) {
        TChunk chunk;
        chunk.size = std::max(chunk_slots, n);
        chunk.slots = std::make_unique<Variant[]>(chunk.size);
        chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(current_), std::move(chunk));
    }
    TChunk& chunk = chunks_[current_];
    chunk.used = n;
    return chunk.slots.get();
}

} // namespace veltran
