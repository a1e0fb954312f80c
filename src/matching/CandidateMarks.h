#pragma once

#include "matching/MarkScan.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qdx {

// Marks of the candidates a list may take, kept by blocks of 32 candidates: a few hundred marks
// among hundreds of thousands of candidates are cleared and visited without a pass over all of
// them. A pass that may mark anywhere asks for every block.
class CandidateMarks {
public:
    static constexpr std::size_t kBlock = 32;

    // Starts a new set of marks for `count` candidates.
    void reset(std::size_t count) {
        if (m_marks.size() != count || m_everyBlock) {
            m_marks.assign(count, 0);
            m_blockMarked.assign((count + kBlock - 1) / kBlock, 0);
        } else {
            for (const std::uint32_t b : m_blocks) {
                std::fill_n(m_marks.begin() + static_cast<long>(b * kBlock),
                            std::min(kBlock, count - b * kBlock), std::uint8_t{0});
                m_blockMarked[b] = 0;
            }
        }
        m_blocks.clear();
        m_everyBlock = false;
    }

    void mark(std::size_t candidate) {
        touch(candidate / kBlock);
        m_marks[candidate] = 1;
    }

    // The marks of block `b`, to be written directly.
    std::uint8_t* block(std::size_t b) {
        touch(b);
        return m_marks.data() + b * kBlock;
    }

    // All marks, to be written anywhere.
    std::uint8_t* everyBlock() {
        m_everyBlock = true;
        return m_marks.data();
    }

    // Calls `visit` for every marked candidate, in candidate order.
    template <class Visit> void forEach(Visit visit) {
        if (m_everyBlock)
            return forEachMarked(m_marks.data(), m_marks.size(), visit);
        std::sort(m_blocks.begin(), m_blocks.end());
        for (const std::uint32_t b : m_blocks) {
            const std::size_t first = b * kBlock;
            forEachMarked(m_marks.data() + first, std::min(kBlock, m_marks.size() - first),
                          [&](std::size_t i) { visit(first + i); });
        }
    }

private:
    void touch(std::size_t b) {
        if (m_blockMarked[b] == 0) {
            m_blockMarked[b] = 1;
            m_blocks.push_back(static_cast<std::uint32_t>(b));
        }
    }

    std::vector<std::uint8_t> m_marks;
    std::vector<std::uint8_t> m_blockMarked;
    std::vector<std::uint32_t> m_blocks;
    bool m_everyBlock = false;
};

} // namespace qdx
