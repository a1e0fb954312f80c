#include "cli/Interrupt.h"

#include <csignal>

namespace qdx::cli {

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void onInterrupt(int) {
    g_interrupted.store(true);
}

} // namespace

void installInterruptHandler() {
    std::signal(SIGINT, onInterrupt);
}

const std::atomic<bool>& interruptFlag() {
    return g_interrupted;
}

bool interruptRequested() {
    return g_interrupted.load();
}

} // namespace qdx::cli
