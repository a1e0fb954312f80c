#pragma once

#include "matching/KeptPair.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace qdx {

// The best `kCapacity` of a stream of keyed items that arrive in candidate-list order, in the
// order of a stable descending sort: a later item displaces a kept one only with a strictly
// greater key. Kept as a heap with the worst item on top.
class TopList {
public:
    static constexpr std::size_t kCapacity = 50;

    struct Item {
        double key;
        KeptPair pair;
    };

    void clear() {
        m_size = 0;
        m_worst = 0.0;
    }
    bool admits(double key) const { return m_size < kCapacity || key > m_worst; }

    void insert(double key, const KeptPair& pair) {
        if (m_size < kCapacity) {
            m_items[m_size++] = Item{key, pair};
            std::push_heap(m_items.begin(), m_items.begin() + m_size, better);
        } else {
            std::pop_heap(m_items.begin(), m_items.end(), better);
            m_items[kCapacity - 1] = Item{key, pair};
            std::push_heap(m_items.begin(), m_items.end(), better);
        }
        m_worst = m_items[0].key;
    }

    // The kept items best first; empties the list.
    void takeSorted(std::vector<KeptPair>& out) {
        std::sort(m_items.begin(), m_items.begin() + m_size, better);
        out.clear();
        for (std::size_t i = 0; i < m_size; ++i)
            out.push_back(m_items[i].pair);
        clear();
    }

    static bool better(const Item& a, const Item& b) {
        if (a.key != b.key)
            return a.key > b.key;
        return a.pair.candidate < b.pair.candidate;
    }

private:
    std::array<Item, kCapacity> m_items;
    std::size_t m_size = 0;
    double m_worst = 0.0;
};

} // namespace qdx
