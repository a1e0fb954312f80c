#include "matching/EntryScorer.h"

#include "matching/PairCounts.h"
#include "matching/VectorClones.h"
#include "matching/WeightKernel.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qdx {

namespace {

constexpr std::size_t kKeep = 50;
constexpr double kMinusInfinity = -std::numeric_limits<double>::infinity();
constexpr std::size_t kEverything = static_cast<std::size_t>(-1);
constexpr std::uint32_t kUnused = static_cast<std::uint32_t>(-1);

// Marks the candidates whose counts reach a threshold in any of the three count criteria.
QDX_AVX2_CLONES void markCounts(const std::uint8_t* exact, const std::uint8_t* full,
                                const std::uint8_t* agreeing, std::size_t length, std::uint8_t t0,
                                std::uint8_t t1, std::uint8_t t2, std::uint8_t* marks) {
    for (std::size_t i = 0; i < length; ++i)
        marks[i] =
            static_cast<std::uint8_t>((exact[i] >= t0) | (full[i] >= t1) | (agreeing[i] >= t2));
}

QDX_AVX2_CLONES void markScores(const double* scores, std::size_t length, double threshold,
                                std::uint8_t* marks) {
    for (std::size_t i = 0; i < length; ++i)
        marks[i] = static_cast<std::uint8_t>(marks[i] | (scores[i] >= threshold));
}

double scoreKey(double score) {
    return score != score ? kMinusInfinity : score;
}

} // namespace

void EntryScorer::score(const DentalRecord& record, const EntryOutcomes& outcomes,
                        SearchEntry& entry, bool merge) {
    static const WeightMatrix kNoWeights{};
    prepareSearchingChart(m_chart, record, m_input.matrix != nullptr ? *m_input.matrix : kNoWeights,
                          *m_input.pack);
    computeCounts();
    classifyOutcomes(outcomes);
    m_kept.clear();
    m_keptInOrder = true;
    for (auto& list : m_lists)
        list.clear();
    collect();
    if (m_input.mode == SearchMode::Bridges)
        keepConstantViews();
    for (int k = 0; k < SearchEntry::kListCount; ++k)
        orderList(k);
    store(entry, merge);
}

// Best first; positions follow candidate order, so they break ties as a stable sort would.
void EntryScorer::orderList(int k) {
    auto& list = m_lists[k];
    const int view = k / kCandidateFilterCount;
    const bool smallKeys = view < (m_input.mode == SearchMode::Bridges ? 2 : 3);
    if (smallKeys) {
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

// The key a criterion orders by, in a form that orders like the ranking key.
double EntryScorer::viewKey(int view, std::size_t candidate) const {
    if (m_input.mode == SearchMode::Bridges) {
        if (view == 0)
            return m_counts[1][candidate];
        return view == 1 ? m_alone[candidate] : 0.0;
    }
    return view < 3 ? m_counts[view + 1][candidate] : scoreKey(m_scores[candidate]);
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

void EntryScorer::computeCounts() {
    const PackedCandidates& pack = *m_input.pack;
    m_count = pack.count;
    for (auto& column : m_counts)
        column.resize(m_count);
    m_marks.resize(m_count);
    std::uint8_t* const out[4] = {m_counts[0].data(), m_counts[1].data(), m_counts[2].data(),
                                  m_counts[3].data()};
    if (m_input.mode == SearchMode::Bridges) {
        countBridges(pack, m_chart, 0, m_count, out);
        m_alone.resize(m_count);
        for (std::size_t i = 0; i < m_count; ++i)
            m_alone[i] = static_cast<std::uint8_t>(32 - m_counts[2][i]);
        m_scores.assign(m_count, 0.0);
        return;
    }
    countPairs(pack, m_chart, 0, m_count, out);
    m_sums.resize(pack.blocks * kLanes);
    m_scores.resize(m_count);
    sumWeightBlocks(&m_chart.table[0][0], pack.codes.data(), pack.blocks, m_sums.data());
    divideScores(m_sums.data(), m_counts[0].data(), m_count, m_scores.data());
}

void EntryScorer::classifyOutcomes(const EntryOutcomes& outcomes) {
    const PackedCandidates& pack = *m_input.pack;
    const auto& classes = *m_input.outcomeClasses;
    m_overrides.clear();
    for (const auto& [candidate, code] : outcomes)
        if (pack.identified[candidate] == PackedCandidates::kNoOutcome)
            m_overrides.emplace_back(candidate, code);
    m_notOpen.clear();
    auto override = m_overrides.begin();
    for (const std::uint32_t identified : pack.identifiedList) {
        for (; override != m_overrides.end() && override->first < identified; ++override)
            if (classes[override->second] != OutcomeClass::Open)
                m_notOpen.push_back(override->first);
        m_notOpen.push_back(identified);
    }
    for (; override != m_overrides.end(); ++override)
        if (classes[override->second] != OutcomeClass::Open)
            m_notOpen.push_back(override->first);
}

EntryScorer::ByteCut EntryScorer::cutFor(const std::uint8_t* keys, bool openOnly, CountCache& cache,
                                         int& hint) const {
    const std::size_t population = openOnly ? m_count - m_notOpen.size() : m_count;
    if (population <= kKeep)
        return {0, kEverything};
    // Keys of the candidates that are not open, counted once: at least t of them for every t.
    std::array<std::size_t, 66> notOpenAtLeast{};
    if (openOnly) {
        for (const std::uint32_t c : m_notOpen)
            ++notOpenAtLeast[std::min<std::size_t>(keys[c], 64)];
        for (int t = 63; t >= 0; --t)
            notOpenAtLeast[t] += notOpenAtLeast[t + 1];
    }
    auto atLeast = [&](int t) {
        if (cache[t] == kUnknown)
            cache[t] = countAtLeast(keys, m_count, static_cast<std::uint8_t>(t));
        return cache[t] - notOpenAtLeast[t];
    };
    // Searching charts of one run have similar thresholds: walk from the last one found.
    // Keys never exceed 32 and at least kKeep keys reach 0.
    int t = std::clamp(hint, 0, 33);
    while (t > 0 && atLeast(t) < kKeep)
        --t;
    while (t < 33 && atLeast(t + 1) >= kKeep)
        ++t;
    hint = t;
    return {static_cast<std::uint8_t>(t), kKeep - atLeast(t + 1)};
}

// A floor that at least 50 open candidates reach (or 50 of all, with fewer open ones), found
// from a sample and checked by counting; minus infinity takes everything.
double EntryScorer::scoreFloor() {
    const std::size_t open = m_count - m_notOpen.size();
    const bool openOnly = open > kKeep;
    const std::size_t population = openOnly ? open : m_count;
    if (population <= 4 * kKeep)
        return kMinusInfinity;
    const std::size_t m = std::clamp<std::size_t>(m_count / 8, 64, 256);
    const std::size_t stride = m_count / m;
    auto& samples = m_samples;
    std::size_t rank = std::max<std::size_t>(1, (m * 3 * kKeep / 2 + population - 1) / population);
    for (; rank <= m; rank *= 4) {
        samples.clear();
        for (std::size_t i = 0; i < m; ++i)
            samples.push_back(scoreKey(m_scores[i * stride]));
        std::nth_element(samples.begin(), samples.begin() + static_cast<long>(rank - 1),
                         samples.end(), std::greater<double>());
        const double floor = samples[rank - 1];
        if (floor == kMinusInfinity)
            return kMinusInfinity;
        std::size_t reaching = countAtLeast(m_scores.data(), m_count, floor);
        if (openOnly)
            for (const std::uint32_t c : m_notOpen)
                reaching -= m_scores[c] >= floor ? 1 : 0;
        if (reaching >= kKeep)
            return floor;
    }
    return kMinusInfinity;
}

OutcomeClass EntryScorer::classOf(std::size_t candidate, std::uint16_t& outcome,
                                  std::size_t& nextOverride) const {
    outcome = m_input.pack->identified[candidate];
    if (outcome == PackedCandidates::kNoOutcome) {
        while (nextOverride < m_overrides.size() && m_overrides[nextOverride].first < candidate)
            ++nextOverride;
        outcome = nextOverride < m_overrides.size() && m_overrides[nextOverride].first == candidate
                      ? m_overrides[nextOverride].second
                      : 0;
    }
    return (*m_input.outcomeClasses)[outcome];
}

KeptPair EntryScorer::pairAt(std::size_t candidate, std::uint16_t outcome) const {
    // Built in one expression so that the packed counts are assembled in a register.
    return KeptPair{m_scores[candidate],
                    m_input.firstOrdinal + static_cast<std::uint32_t>(candidate),
                    m_counts[0][candidate],
                    m_counts[1][candidate],
                    m_counts[2][candidate],
                    m_counts[3][candidate],
                    static_cast<std::uint32_t>(outcome)};
}

void EntryScorer::markTies(const std::uint8_t* keys, const ByteCut& cut, bool openOnly) {
    std::size_t found = 0;
    std::size_t nextOverride = 0;
    const std::uint64_t ones = 0x0101010101010101ull;
    const std::uint64_t pattern = ones * cut.threshold;
    for (std::size_t c = 0; c < m_count && found < cut.ties;) {
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
            if (keys[c] != cut.threshold)
                continue;
            std::uint16_t outcome = 0;
            if (openOnly && classOf(c, outcome, nextOverride) != OutcomeClass::Open)
                continue;
            m_marks[c] = 1;
            ++found;
        }
    }
}

void EntryScorer::markScoreTies(double floor, std::size_t ties, bool openOnly) {
    std::size_t found = 0;
    std::size_t nextOverride = 0;
    for (std::size_t c = 0; c < m_count && found < ties; ++c) {
        if (scoreKey(m_scores[c]) != floor)
            continue;
        std::uint16_t outcome = 0;
        if (openOnly && classOf(c, outcome, nextOverride) != OutcomeClass::Open)
            continue;
        m_marks[c] = 1;
        ++found;
    }
}

// Marks every candidate that can reach a list, then walks the marked ones in candidate order.
void EntryScorer::collect() {
    const bool bridges = m_input.mode == SearchMode::Bridges;
    const int byteViews = bridges ? 2 : 3;
    const std::uint8_t* keys[3] = {
        m_counts[1].data(), bridges ? m_alone.data() : m_counts[2].data(), m_counts[3].data()};
    ByteCut all[3];
    ByteCut open[3];
    std::uint8_t reach[3] = {255, 255, 255};
    for (int v = 0; v < byteViews; ++v) {
        CountCache cache;
        cache.fill(kUnknown);
        all[v] = cutFor(keys[v], false, cache, m_lastCut[v][0]);
        open[v] = cutFor(keys[v], true, cache, m_lastCut[v][1]);
        // Keys above a threshold are few; keys equal to it can be many, of which only the first
        // few are wanted, so those are found by a scan that stops early.
        reach[v] = static_cast<std::uint8_t>(std::min(all[v].threshold, open[v].threshold) + 1);
    }
    markCounts(keys[0], keys[1], keys[2], m_count, reach[0], reach[1], reach[2], m_marks.data());
    for (int v = 0; v < byteViews; ++v) {
        markTies(keys[v], all[v], false);
        markTies(keys[v], open[v], true);
    }
    // With 50 open candidates or fewer the floor is one of all candidates, and every open one
    // belongs to the open score list; the count criteria have marked them all.
    const bool fewOpen = m_count - m_notOpen.size() <= kKeep;
    const double floor = bridges ? 0.0 : scoreFloor();
    std::size_t scoreTiesAll = kEverything;
    std::size_t scoreTiesOpen = kEverything;
    if (!bridges && floor == kMinusInfinity) {
        std::fill(m_marks.begin(), m_marks.end(), std::uint8_t{1});
    } else if (!bridges) {
        // As with the counts: scores above the floor all belong, of those equal to it (many
        // when pairs of the other sex score 0) only the first few.
        const double above = floor < std::numeric_limits<double>::infinity()
                                 ? std::nextafter(floor, std::numeric_limits<double>::infinity())
                                 : std::numeric_limits<double>::quiet_NaN();
        const std::size_t aboveAll = countAtLeast(m_scores.data(), m_count, above);
        std::size_t aboveOpen = aboveAll;
        for (const std::uint32_t c : m_notOpen)
            aboveOpen -= m_scores[c] >= above ? 1 : 0;
        scoreTiesAll = aboveAll >= kKeep ? 0 : kKeep - aboveAll;
        scoreTiesOpen = aboveOpen >= kKeep ? 0 : kKeep - aboveOpen;
        markScores(m_scores.data(), m_count, above, m_marks.data());
        markScoreTies(floor, scoreTiesAll, false);
        if (!fewOpen)
            markScoreTies(floor, scoreTiesOpen, true);
    }
    for (const auto& [candidate, code] : m_overrides)
        m_marks[candidate] = 1;

    std::size_t nextOverride = 0;
    auto take = [](const ByteCut& cut, std::uint8_t key, std::size_t& ties) {
        if (key > cut.threshold)
            return true;
        if (key < cut.threshold || ties == 0)
            return false;
        --ties;
        return true;
    };
    std::size_t allTies[3] = {all[0].ties, all[1].ties, all[2].ties};
    std::size_t openTies[3] = {open[0].ties, open[1].ties, open[2].ties};
    const auto visit = [&](std::size_t c) {
        std::uint16_t outcome = 0;
        const OutcomeClass cls = classOf(c, outcome, nextOverride);
        const auto at = static_cast<std::uint32_t>(m_kept.size());
        bool used = false;
        auto add = [&](int list) {
            m_lists[list].push_back({viewKey(list / kCandidateFilterCount, c), at});
            used = true;
        };
        for (int v = 0; v < byteViews; ++v) {
            const std::uint8_t key = keys[v][c];
            if (take(all[v], key, allTies[v]))
                add(v * kCandidateFilterCount);
            if (cls == OutcomeClass::Open && take(open[v], key, openTies[v]))
                add(v * kCandidateFilterCount + 1);
        }
        if (!bridges) {
            const double key = scoreKey(m_scores[c]);
            const auto takeScore = [&](std::size_t& ties) {
                if (key > floor)
                    return true;
                if (key < floor || ties == 0)
                    return false;
                --ties;
                return true;
            };
            if (takeScore(scoreTiesAll))
                add(3 * kCandidateFilterCount);
            if (cls == OutcomeClass::Open && (takeScore(scoreTiesOpen) || fewOpen))
                add(3 * kCandidateFilterCount + 1);
        }
        if (cls == OutcomeClass::Grey)
            for (int v = 0; v < kRankKeyCount; ++v)
                add(v * kCandidateFilterCount + 2);
        if (used)
            m_kept.push_back(pairAt(c, outcome));
    };
    // Marks are sparse: skip eight unmarked candidates at a time.
    std::size_t c = 0;
    for (; c + 8 <= m_count; c += 8) {
        std::uint64_t word;
        std::memcpy(&word, m_marks.data() + c, sizeof word);
        if (word == 0)
            continue;
        for (std::size_t i = c; i < c + 8; ++i)
            if (m_marks[i] != 0)
                visit(i);
    }
    for (; c < m_count; ++c)
        if (m_marks[c] != 0)
            visit(c);
}

// Bridge criteria 2 and 3 have one key for everybody: candidate order decides.
void EntryScorer::keepConstantViews() {
    std::size_t nextOverride = 0;
    auto& all = m_lists[2 * kCandidateFilterCount];
    auto& open = m_lists[2 * kCandidateFilterCount + 1];
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
        for (int v = 2; v < kRankKeyCount; ++v) {
            if (wantAll)
                m_lists[v * kCandidateFilterCount].push_back({0.0, at});
            if (wantOpen)
                m_lists[v * kCandidateFilterCount + 1].push_back({0.0, at});
        }
    }
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
