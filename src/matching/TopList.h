#pragma once

#include "matching/KeptPair.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace qdx {

// The best `kCapacity` of a stream of keyed items that arrive in candidate-list order, in the
// order of a stable descending sort: a later item displaces a kept one only with a strictly
// greater key. Admitted items are appended to a buffer; a full buffer is cut back to the best
// `kCapacity`, which raises the floor that later keys must reach.
class TopList {
public:
    static constexpr std::size_t kCapacity = 50;
    static constexpr std::size_t kBuffer = 192;

    struct Item {
        double key;
        KeptPair pair;
    };

    struct Better {
        bool operator()(const Item& a, const Item& b) const {
            if (a.key != b.key)
                return a.key > b.key;
            return a.pair.candidate < b.pair.candidate;
        }
    };

    void clear() {
        m_size = 0;
        m_floor = -std::numeric_limits<double>::infinity();
    }
    // Keys are never NaN. Until the first cut every key is admitted; after it only keys above
    // the worst kept one, written as key >= floor so that one comparison decides.
    bool admits(double key) const { return key >= m_floor; }
    double floor() const { return m_floor; }

    void insert(double key, const KeptPair& pair) {
        m_items[m_size++] = Item{key, pair};
        if (m_size == kBuffer)
            cut();
    }

    // The kept items best first; empties the list.
    void takeSorted(std::vector<KeptPair>& out) {
        if (m_size > kCapacity)
            cut();
        std::sort(m_items.begin(), m_items.begin() + m_size, Better{});
        out.clear();
        for (std::size_t i = 0; i < m_size; ++i)
            out.push_back(m_items[i].pair);
        clear();
    }

private:
    void cut() {
        std::nth_element(m_items.begin(), m_items.begin() + (kCapacity - 1),
                         m_items.begin() + m_size, Better{});
        m_size = kCapacity;
        const double worst = m_items[kCapacity - 1].key;
        m_floor = worst == std::numeric_limits<double>::infinity()
                      ? std::numeric_limits<double>::quiet_NaN()
                      : std::nextafter(worst, std::numeric_limits<double>::infinity());
    }

    std::array<Item, kBuffer> m_items;
    std::size_t m_size = 0;
    double m_floor = -std::numeric_limits<double>::infinity();
};

} // namespace qdx
