#include "matching/EntryScorer.h"

#include "matching/MarkScan.h"
#include "matching/VectorClones.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

// Which candidates the lists of an entry take, in what order, and how they are stored.

namespace qdx {

namespace {

constexpr std::size_t kKeep = kKeptPerList;
constexpr std::uint32_t kUnused = static_cast<std::uint32_t>(-1);
constexpr int kScoreKey = 3;

// Marks the candidates whose counts reach a threshold in any of the three count criteria.
QDX_AVX2_CLONES void markCounts(const std::uint8_t* exact, const std::uint8_t* full,
                                const std::uint8_t* agreeing, std::size_t length, std::uint8_t t0,
                                std::uint8_t t1, std::uint8_t t2, std::uint8_t* marks) {
    for (std::size_t i = 0; i < length; ++i)
        marks[i] = static_cast<std::uint8_t>(marks[i] | (exact[i] >= t0) | (full[i] >= t1) |
                                             (agreeing[i] >= t2));
}

QDX_AVX2_CLONES void markScores(const double* scores, std::size_t length, double threshold,
                                std::uint8_t* marks) {
    for (std::size_t i = 0; i < length; ++i)
        marks[i] = static_cast<std::uint8_t>(marks[i] | (scores[i] >= threshold));
}

// The smallest count a candidate needs to be looked at for this cut.
std::uint8_t reachOf(const TieCut& cut) {
    return cut.threshold < 0.0 ? 0 : static_cast<std::uint8_t>(cut.threshold + 1);
}

const TieCut& cutOf(const std::array<TieCut, SearchEntry::kListCount>& cuts, int rankKey,
                    CandidateFilter filter) {
    return cuts[ListId{rankKey, filter}.index()];
}

} // namespace

// Keys above a count cut are few; keys equal to it can be many, of which only the first few
// are wanted, so those are found by a scan that stops early.
void EntryScorer::markCountCandidates() {
    const std::uint8_t* keys[3];
    std::uint8_t reach[3] = {255, 255, 255};
    for (int rankKey = 0; rankKey < 3; ++rankKey) {
        const bool counted = m_policy.keys[rankKey] == KeyKind::Count;
        keys[rankKey] = counted ? countKeys(rankKey) : m_counts[3].data();
        if (counted)
            reach[rankKey] = std::min(reachOf(cutOf(m_cuts, rankKey, CandidateFilter::All)),
                                      reachOf(cutOf(m_cuts, rankKey, CandidateFilter::Open)));
    }
    const std::uint8_t* const* most = blockMaxima();
    if (most == nullptr) {
        markCounts(keys[0], keys[1], keys[2], m_count, reach[0], reach[1], reach[2],
                   m_marks.everyBlock());
    } else {
        // Only blocks whose greatest key reaches a cut hold candidates to mark.
        constexpr std::size_t kBlock = CandidateMarks::kBlock;
        const std::size_t blocks = (m_count + kBlock - 1) / kBlock;
        const auto markBlock = [&](std::size_t b) {
            const std::size_t first = b * kBlock;
            markCounts(keys[0] + first, keys[1] + first, keys[2] + first,
                       std::min(kBlock, m_count - first), reach[0], reach[1], reach[2],
                       m_marks.block(b));
        };
        std::size_t b = 0;
        for (; b + 8 <= blocks; b += 8) {
            std::uint64_t reaching = bytesAtLeast(most[0] + b, reach[0]) |
                                     bytesAtLeast(most[1] + b, reach[1]) |
                                     bytesAtLeast(most[2] + b, reach[2]);
            for (; reaching != 0; reaching &= reaching - 1)
                markBlock(b + static_cast<std::size_t>(__builtin_ctzll(reaching)) / 8);
        }
        for (; b < blocks; ++b)
            if (most[0][b] >= reach[0] || most[1][b] >= reach[1] || most[2][b] >= reach[2])
                markBlock(b);
    }
    for (int rankKey = 0; rankKey < 3; ++rankKey) {
        if (m_policy.keys[rankKey] != KeyKind::Count)
            continue;
        const std::uint8_t* blockMax = most != nullptr ? most[rankKey] : nullptr;
        markTies(keys[rankKey], blockMax, cutOf(m_cuts, rankKey, CandidateFilter::All), false);
        markTies(keys[rankKey], blockMax, cutOf(m_cuts, rankKey, CandidateFilter::Open), true);
    }
}

void EntryScorer::markTies(const std::uint8_t* keys, const std::uint8_t* blockMax,
                           const TieCut& cut, bool openOnly) {
    if (cut.threshold < 0.0)
        return; // everything is marked already
    const auto threshold = static_cast<std::uint8_t>(cut.threshold);
    std::size_t found = 0;
    std::size_t nextOverride = 0;
    const std::uint64_t ones = 0x0101010101010101ull;
    const std::uint64_t pattern = ones * threshold;
    constexpr std::size_t kBlock = CandidateMarks::kBlock;
    for (std::size_t c = 0; c < m_count && found < cut.ties;) {
        // A block without a key that high is skipped whole.
        if (blockMax != nullptr && c % kBlock == 0 && blockMax[c / kBlock] < threshold) {
            c += kBlock;
            continue;
        }
        // Eight keys at a time: skip words in which no byte equals the threshold.
        if (c + 8 <= m_count) {
            std::uint64_t word;
            std::memcpy(&word, keys + c, sizeof word);
            word ^= pattern;
            if (((word - ones) & ~word & (ones << 7)) == 0) {
                c += 8;
                continue;
            }
        }
        const std::size_t end = std::min(c + 8, m_count);
        for (; c < end && found < cut.ties; ++c) {
            if (keys[c] != threshold)
                continue;
            std::uint16_t outcome = 0;
            if (openOnly && classOf(c, outcome, nextOverride) != OutcomeClass::Open)
                continue;
            m_marks.mark(c);
            ++found;
        }
    }
}

// Candidates the score cuts can take: above the floor all of them, at the floor the first
// few (open ones for the open list).
void EntryScorer::markScoreCandidates() {
    const TieCut& all = cutOf(m_cuts, kScoreKey, CandidateFilter::All);
    const TieCut& open = cutOf(m_cuts, kScoreKey, CandidateFilter::Open);
    if (all.threshold == -std::numeric_limits<double>::infinity()) {
        std::fill_n(m_marks.everyBlock(), m_count, std::uint8_t{1});
        return;
    }
    const double floor = all.threshold;
    std::size_t tiesAll = all.ties;
    std::size_t tiesOpen = m_fewOpen ? 0 : open.ties;
    const auto markCandidate = [&](std::size_t c, double score) {
        const double key = scoreKey(score);
        if (key > floor) {
            m_marks.mark(c);
        } else if (key == floor && (tiesAll > 0 || tiesOpen > 0)) {
            const bool forAll = tiesAll > 0;
            const bool forOpen = tiesOpen > 0 && isOpen(c);
            if (forAll || forOpen)
                m_marks.mark(c);
            tiesAll -= forAll ? 1 : 0;
            tiesOpen -= forOpen ? 1 : 0;
        }
    };
    if (!m_allScores) {
        for (std::size_t i = 0; i < m_reaching.size(); ++i)
            markCandidate(m_reaching[i], m_reachingScores[i]);
        return;
    }
    const double above = std::nextafter(floor, std::numeric_limits<double>::infinity());
    markScores(m_scores.data(), m_count, above, m_marks.everyBlock());
    for (std::size_t c = 0; c < m_count && (tiesAll > 0 || tiesOpen > 0); ++c)
        if (scoreKey(m_scores[c]) == floor)
            markCandidate(c, m_scores[c]);
}

// Marks every candidate that can reach a list, then takes the marked ones in candidate order.
void EntryScorer::collect() {
    m_marks.reset(m_count);
    markCountCandidates();
    if (m_policy.mode == SearchMode::Pairs)
        markScoreCandidates();
    for (const auto& [candidate, code] : m_overrides)
        m_marks.mark(candidate);
    auto cuts = m_cuts;
    m_nextOverride = 0;
    m_marks.forEach([&](std::size_t c) { visit(c, cuts); });
}

void EntryScorer::visit(std::size_t candidate, std::array<TieCut, SearchEntry::kListCount>& cuts) {
    std::uint16_t outcome = 0;
    const OutcomeClass cls = classOf(candidate, outcome, m_nextOverride);
    const auto at = static_cast<std::uint32_t>(m_kept.size());
    bool used = false;
    const auto add = [&](ListId list, double key) {
        m_lists[list.index()].push_back({key, at});
        used = true;
    };
    for (int rankKey = 0; rankKey < kRankKeyCount; ++rankKey) {
        if (m_policy.keys[rankKey] == KeyKind::None)
            continue;
        const double key = keyOf(rankKey, candidate);
        const ListId all{rankKey, CandidateFilter::All};
        const ListId open{rankKey, CandidateFilter::Open};
        if (cuts[all.index()].takes(key))
            add(all, key);
        if (cls == OutcomeClass::Open && cuts[open.index()].takes(key))
            add(open, key);
    }
    if (cls == OutcomeClass::Grey)
        for (int rankKey = 0; rankKey < kRankKeyCount; ++rankKey)
            add({rankKey, CandidateFilter::Grey}, keyOf(rankKey, candidate));
    if (used)
        m_kept.push_back(pairAt(candidate, outcome));
}

// Bridge criteria 2 and 3 have one key for everybody: candidate order decides.
void EntryScorer::keepConstantLists() {
    std::size_t nextOverride = 0;
    auto& all = m_lists[ListId{2, CandidateFilter::All}.index()];
    auto& open = m_lists[ListId{2, CandidateFilter::Open}.index()];
    for (std::size_t c = 0; c < m_count && (all.size() < kKeep || open.size() < kKeep); ++c) {
        std::uint16_t outcome = 0;
        const OutcomeClass cls = classOf(c, outcome, nextOverride);
        const bool wantAll = all.size() < kKeep;
        const bool wantOpen = cls == OutcomeClass::Open && open.size() < kKeep;
        if (!wantAll && !wantOpen)
            continue;
        const auto at = static_cast<std::uint32_t>(m_kept.size());
        m_kept.push_back(pairAt(c, outcome));
        m_keptInOrder = false;
        for (int rankKey = 2; rankKey < kRankKeyCount; ++rankKey) {
            if (wantAll)
                m_lists[ListId{rankKey, CandidateFilter::All}.index()].push_back({0.0, at});
            if (wantOpen)
                m_lists[ListId{rankKey, CandidateFilter::Open}.index()].push_back({0.0, at});
        }
    }
}

// Best first; positions follow candidate order, so they break ties as a stable sort would.
void EntryScorer::orderList(int k) {
    auto& list = m_lists[k];
    if (m_policy.keys[ListId::at(k).rankKey] == KeyKind::Count) {
        // Counts run from 0 to 32 and the items arrive in candidate order: a counting sort
        // from the greatest count down keeps that order among equal counts.
        std::array<std::uint32_t, 34> start{};
        for (const ListItem& item : list)
            ++start[32 - static_cast<int>(item.key)];
        std::uint32_t at = 0;
        for (std::uint32_t& slot : start)
            at += std::exchange(slot, at);
        m_sorted.resize(list.size());
        for (const ListItem& item : list)
            m_sorted[start[32 - static_cast<int>(item.key)]++] = item;
        list.swap(m_sorted);
        if (list.size() > kKeep)
            list.resize(kKeep);
        return;
    }
    const auto better = [](const ListItem& a, const ListItem& b) {
        return a.key != b.key ? a.key > b.key : a.at < b.at;
    };
    if (list.size() > kKeep) {
        std::nth_element(list.begin(), list.begin() + kKeep, list.end(), better);
        list.resize(kKeep);
    }
    std::sort(list.begin(), list.end(), better);
}

// Keeps only the comparisons some list refers to, once per candidate, in candidate order.
void EntryScorer::store(SearchEntry& entry, bool merge) {
    m_newPosition.assign(m_kept.size(), kUnused);
    m_used.clear();
    for (const auto& list : m_lists)
        for (const ListItem& item : list)
            m_newPosition[item.at] = 0;
    for (std::uint32_t at = 0; at < m_kept.size(); ++at)
        if (m_newPosition[at] == 0)
            m_used.push_back(at);
    if (!m_keptInOrder)
        std::stable_sort(m_used.begin(), m_used.end(), [&](std::uint32_t a, std::uint32_t b) {
            return m_kept[a].candidate < m_kept[b].candidate;
        });
    std::vector<KeptPair> kept;
    kept.reserve(m_used.size());
    for (const std::uint32_t at : m_used) {
        if (kept.empty() || kept.back().candidate != m_kept[at].candidate)
            kept.push_back(m_kept[at]);
        m_newPosition[at] = static_cast<std::uint32_t>(kept.size() - 1);
    }
    if (merge) {
        EntryLists lists;
        for (int k = 0; k < SearchEntry::kListCount; ++k)
            for (const ListItem& item : m_lists[k])
                lists[k].push_back(m_kept[item.at]);
        storeEntryLists(entry, lists, m_input.mode, true);
        return;
    }
    std::size_t total = 0;
    for (const auto& list : m_lists)
        total += list.size();
    std::vector<std::uint16_t> positions;
    positions.reserve(total);
    std::array<std::uint16_t, SearchEntry::kListCount + 1> starts{};
    for (int k = 0; k < SearchEntry::kListCount; ++k) {
        starts[k] = static_cast<std::uint16_t>(positions.size());
        for (const ListItem& item : m_lists[k])
            positions.push_back(static_cast<std::uint16_t>(m_newPosition[item.at]));
    }
    starts[SearchEntry::kListCount] = static_cast<std::uint16_t>(positions.size());
    entry.assign(std::move(kept), std::move(positions), starts);
}

void storeEntryLists(SearchEntry& entry, EntryLists& lists, SearchMode mode, bool merge) {
    if (merge) {
        for (int k = 0; k < SearchEntry::kListCount; ++k) {
            const int rankKey = k / kCandidateFilterCount;
            const RankedView old =
                entry.view(rankKey, static_cast<CandidateFilter>(k % kCandidateFilterCount));
            std::vector<KeptPair> earlier;
            for (std::size_t i = 0; i < old.size(); ++i)
                earlier.push_back(old.kept(i));
            std::vector<KeptPair> merged;
            std::merge(earlier.begin(), earlier.end(), lists[k].begin(), lists[k].end(),
                       std::back_inserter(merged), [&](const KeptPair& a, const KeptPair& b) {
                           return rankingKey(a, rankKey, mode) > rankingKey(b, rankKey, mode);
                       });
            if (merged.size() > kKeep)
                merged.resize(kKeep);
            lists[k] = std::move(merged);
        }
    }
    std::vector<KeptPair> kept;
    for (const auto& list : lists)
        kept.insert(kept.end(), list.begin(), list.end());
    std::sort(kept.begin(), kept.end(),
              [](const KeptPair& a, const KeptPair& b) { return a.candidate < b.candidate; });
    kept.erase(std::unique(
                   kept.begin(), kept.end(),
                   [](const KeptPair& a, const KeptPair& b) { return a.candidate == b.candidate; }),
               kept.end());
    std::array<std::vector<std::uint16_t>, SearchEntry::kListCount> positions;
    for (int k = 0; k < SearchEntry::kListCount; ++k)
        for (const KeptPair& pair : lists[k]) {
            const auto at = std::lower_bound(
                kept.begin(), kept.end(), pair.candidate,
                [](const KeptPair& a, std::uint32_t ordinal) { return a.candidate < ordinal; });
            positions[k].push_back(static_cast<std::uint16_t>(at - kept.begin()));
        }
    entry.assign(std::move(kept), positions);
}

} // namespace qdx
