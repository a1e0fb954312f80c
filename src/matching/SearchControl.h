#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

namespace qdx {

// Progress reporting and cancelling of a long search. The progress function is called from the
// searching threads, one call at a time, at once and then a few times a second with the number
// of searching charts done, and once more at the end on the thread that started the search;
// returning false cancels, and what it throws ends the search and reaches its caller. `cancel`
// may be set from any thread (a Ctrl-C handler, a window's cancel button).
struct SearchControl {
    std::function<bool(std::size_t done, std::size_t total)> progress;
    const std::atomic<bool>* cancel = nullptr;
    // Worker threads to use; 0 lets the scheduler decide.
    int threads = 0;
};

} // namespace qdx
