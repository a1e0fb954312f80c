#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

namespace qdx {

// Progress reporting and cancelling of a long search. The progress function is called on the
// thread that started the search, a few times a second and once at the end, with the number of
// searching charts done; returning false cancels. `cancel` may be set from any thread (a
// Ctrl-C handler, a window's cancel button).
struct SearchControl {
    std::function<bool(std::size_t done, std::size_t total)> progress;
    const std::atomic<bool>* cancel = nullptr;
    // Worker threads to use; 0 lets the scheduler decide.
    int threads = 0;
};

} // namespace qdx
