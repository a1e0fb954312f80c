#pragma once

#include <atomic>

namespace qdx::cli {

// Ctrl-C asks the running command to stop at its next check instead of killing the process,
// so the project transaction is rolled back and no half-written file is left behind.
void installInterruptHandler();
// Set by Ctrl-C; long work polls it (the search engine reads it directly).
const std::atomic<bool>& interruptFlag();
bool interruptRequested();

} // namespace qdx::cli
