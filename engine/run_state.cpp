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

} // namespace

TfsRunStack::TfsRunStack() {
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return;
    void* low = nullptr;
    std::size_t size = 0;
    if (pthread_attr_getstack(&attr, &low, &size) == 0 && size > 2 * stack_reserve) {
        stack_low_ = reinterpret_cast<std::uintptr_t>(low);
        stack_limit_ = stack_low_ + std::max(stack_reserve, size / 8);
    }
    pthread_attr_destroy(&attr);
}

TfsRunStack& TfsRunStack::current() {
    thread_local TfsRunStack stack;
    return stack;
}

Variant* TfsRunStack::acquire(std::size_t n) {
    if (chunks_.empty() || chunks_[current_].used + n > chunks_[current_].size) {
        // Move on to the next chunk; a frame never straddles two.
        if (!chunks_.empty() && chunks_[current_].used > 0) ++current_;
        if (current_ == chunks_.size() || chunks_[current_].size < n) {
            TChunk chunk;
            chunk.size = std::max(chunk_slots, n);
            chunk.slots = std::make_unique<Variant[]>(chunk.size);
            chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(current_),
                           std::move(chunk));
        }
    }
    TChunk& chunk = chunks_[current_];
    Variant* slots = chunk.slots.get() + chunk.used;
    chunk.used += n;
    return slots;
}

void TfsRunStack::release(std::size_t n) {
    TChunk& chunk = chunks_[current_];
    chunk.used -= n;
    for (std::size_t i = 0; i < n; ++i)
        chunk.slots[chunk.used + i] = Variant();
    if (chunk.used == 0 && current_ > 0) --current_;
}

void TfsRunStack::overflow() {
    raise_stack_overflow();
}

} // namespace veltran
