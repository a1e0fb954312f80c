#include "matching/EntryScorer.h"

#include "matching/PairCounts.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// Where each list of an entry is cut, and which candidates can reach a cut.

namespace qdx {

namespace {

constexpr std::size_t kKeep = kKeptPerList;
constexpr double kMinusInfinity = -std::numeric_limits<double>::infinity();

TieCut cutWith(double threshold, std::size_t above) {
    return {threshold, above >= kKeep ? 0 : kKeep - above};
}

} // namespace

TieCut EntryScorer::countCut(const std::uint8_t* keys, const std::uint8_t* blockMax, bool openOnly,
                             CountCache& cache, CountCache* blocks, int& hint) const {
    const std::size_t population = openOnly ? m_count - m_notOpen.size() : m_count;
    if (population <= kKeep)
        return TieCut{};
    // Keys of the candidates that are not open, counted once: at least t of them for every t.
    std::array<std::size_t, 66> notOpenAtLeast{};
    if (openOnly) {
        for (const std::uint32_t c : m_notOpen)
            ++notOpenAtLeast[std::min<std::size_t>(keys[c], 64)];
        for (int t = 63; t >= 0; --t)
            notOpenAtLeast[t] += notOpenAtLeast[t + 1];
    }
    auto atLeast = [&](int t) {
        // Every block whose greatest key reaches t holds such a key: enough of them settle the
        // comparison with kKeep without counting (the last count, below kKeep, is exact).
        if (blockMax != nullptr &&
            blocksReaching(blockMax, *blocks, t) >= kKeep + notOpenAtLeast[t])
            return kKeep;
        if (cache[t] == kUnknown)
            cache[t] = blockMax != nullptr
                           ? countAtLeast(keys, blockMax, m_count, static_cast<std::uint8_t>(t))
                           : countAtLeast(keys, m_count, static_cast<std::uint8_t>(t));
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
    return {static_cast<double>(t), kKeep - atLeast(t + 1)};
}

// How many blocks of 32 candidates have a greatest key of at least t, counted once per t.
std::size_t EntryScorer::blocksReaching(const std::uint8_t* blockMax, CountCache& blocks,
                                        int t) const {
    if (blocks[t] == kUnknown)
        blocks[t] =
            countAtLeast(blockMax, (m_count + CandidateMarks::kBlock - 1) / CandidateMarks::kBlock,
                         static_cast<std::uint8_t>(t));
    return blocks[t];
}

void EntryScorer::cutCountLists() {
    for (int rankKey = 0; rankKey < kRankKeyCount; ++rankKey) {
        if (m_policy.keys[rankKey] != KeyKind::Count)
            continue;
        CountCache cache;
        cache.fill(kUnknown);
        const std::uint8_t* keys = countKeys(rankKey);
        const std::uint8_t* const* most = blockMaxima();
        const std::uint8_t* blockMax = most != nullptr ? most[rankKey] : nullptr;
        CountCache blocks;
        blocks.fill(kUnknown);
        m_cuts[ListId{rankKey, CandidateFilter::All}.index()] =
            countCut(keys, blockMax, false, cache, &blocks, m_lastCut[rankKey][0]);
        m_cuts[ListId{rankKey, CandidateFilter::Open}.index()] =
            countCut(keys, blockMax, true, cache, &blocks, m_lastCut[rankKey][1]);
    }
}

// The score lists: scores above the floor all belong; of those equal to it (many when pairs
// of the other sex score 0) only the first few. With 50 open candidates or fewer every open
// one belongs to the open list.
void EntryScorer::cutScoreLists() {
    constexpr int kScoreKey = 3;
    m_fewOpen = m_count - m_notOpen.size() <= kKeep;
    const double floor = scoreFloor();
    TieCut& all = m_cuts[ListId{kScoreKey, CandidateFilter::All}.index()];
    TieCut& open = m_cuts[ListId{kScoreKey, CandidateFilter::Open}.index()];
    if (floor == kMinusInfinity)
        return;
    const double above = floor < std::numeric_limits<double>::infinity()
                             ? std::nextafter(floor, std::numeric_limits<double>::infinity())
                             : std::numeric_limits<double>::quiet_NaN();
    all = cutWith(floor, reachingAtLeast(above, false));
    if (!m_fewOpen)
        open = cutWith(floor, reachingAtLeast(above, true));
}

// A floor that at least 50 open candidates reach (or 50 of all, with fewer open ones), found
// from a sample and checked by counting; minus infinity takes everything.
double EntryScorer::scoreFloor() {
    const std::size_t open = m_count - m_notOpen.size();
    const bool openOnly = open > kKeep;
    const std::size_t population = openOnly ? open : m_count;
    if (population <= 4 * kKeep)
        return kMinusInfinity;
    if (!m_allScores) {
        const double floor = boundedFloor(openOnly, population);
        if (floor == floor)
            return floor;
    }
    const std::size_t m = std::clamp<std::size_t>(m_count / 8, 64, 256);
    const std::size_t stride = m_count / m;
    auto& samples = m_samples;
    std::size_t rank = std::max<std::size_t>(1, (m * 3 * kKeep / 2 + population - 1) / population);
    for (; rank <= m; rank *= 4) {
        samples.clear();
        for (std::size_t i = 0; i < m; ++i)
            samples.push_back(scoreKey(scoreOf(i * stride)));
        std::nth_element(samples.begin(), samples.begin() + static_cast<long>(rank - 1),
                         samples.end(), std::greater<double>());
        const double floor = samples[rank - 1];
        if (floor == kMinusInfinity)
            return kMinusInfinity;
        if (reachingAtLeast(floor, openOnly) >= kKeep)
            return floor;
    }
    return kMinusInfinity;
}

// With score bounds: a threshold that a few hundred bounds reach, guessed from a sample of
// bounds, and as the floor the 50th best exact score among the candidates whose bound reaches
// it. Not a number when no such guess works.
double EntryScorer::boundedFloor(bool openOnly, std::size_t population) {
    // Runs of neighbouring candidates, spread over all of them: one cache line of bounds each.
    constexpr std::size_t kRun = 32;
    const std::size_t m = std::min<std::size_t>(m_count, 2048);
    const std::size_t runs = m / kRun;
    const std::size_t stride = runs > 0 ? m_count / runs / kRun * kRun : 0;
    m_samples.clear();
    for (std::size_t r = 0; r < runs; ++r)
        for (std::size_t i = 0; i < kRun; ++i)
            m_samples.push_back(upperScore(r * stride + i));
    for (std::size_t i = runs * kRun; i < m; ++i)
        m_samples.push_back(upperScore(i));
    std::size_t rank = std::max<std::size_t>(1, (m * 4 * kKeep + population - 1) / population);
    for (; rank <= m; rank *= 4) {
        std::nth_element(m_samples.begin(), m_samples.begin() + static_cast<long>(rank - 1),
                         m_samples.end(), std::greater<double>());
        findReaching(m_samples[rank - 1]);
        if (m_allScores)
            break;
        m_best.clear();
        for (std::size_t i = 0; i < m_reaching.size(); ++i)
            if (!openOnly || isOpen(m_reaching[i]))
                m_best.push_back(scoreKey(m_reachingScores[i]));
        if (m_best.size() >= kKeep) {
            std::nth_element(m_best.begin(), m_best.begin() + (kKeep - 1), m_best.end(),
                             std::greater<double>());
            return m_best[kKeep - 1];
        }
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// The highest score a candidate's bound allows.
double EntryScorer::upperScore(std::size_t candidate) const {
    const std::uint8_t count = m_counts[0][candidate];
    if (count == 0)
        return 0.0;
    return (m_scoreBounds[candidate] + m_bounds.rounding * m_bounds.scale + 1.0) /
           (m_bounds.scale * count);
}

// The candidates whose score bound reaches `threshold`, ascending. When they are many, every
// score is computed at once instead.
void EntryScorer::findReaching(double threshold) {
    // The candidates reaching a lower threshold include those reaching this one.
    if (m_allScores || threshold >= m_reachingThreshold)
        return;
    m_reachingThreshold = threshold;
    m_reaching.clear();
    // Rounded down to single precision, and a unit more of slack for the products' rounding.
    const double units = threshold * m_bounds.scale;
    float low = static_cast<float>(units);
    if (static_cast<double>(low) > units)
        low = std::nextafter(low, -std::numeric_limits<float>::infinity());
    const auto slack = static_cast<float>(m_bounds.rounding * m_bounds.scale + 1.0);
    collectReaching(m_scoreBounds.data(), m_counts[0].data(), m_count, low, slack, 0.0 >= threshold,
                    m_reaching);
    if (m_reaching.size() > m_count / 4)
        return computeAllScores();
    scoreReaching();
}

// The exact scores of the reaching candidates not yet known, four at a time.
void EntryScorer::scoreReaching() {
    constexpr int kSide = 8; // candidates summed side by side
    const std::uint8_t* codes = m_input.pack->rowCodes.data();
    std::uint32_t group[kSide];
    int size = 0;
    const auto scoreGroup = [&] {
        const std::uint8_t* rows[kSide];
        for (int k = 0; k < kSide; ++k)
            rows[k] = codes + (k < size ? group[k] : group[0]) * std::size_t{32};
        double sums[kSide];
        weightSumsOf<kSide>(m_chart.table, rows, sums);
        for (int k = 0; k < size; ++k) {
            const std::uint8_t count = m_counts[0][group[k]];
            m_scores[group[k]] = count > 0 ? sums[k] / static_cast<double>(count) : 0.0;
            m_scoreStamp[group[k]] = m_stamp;
        }
        size = 0;
    };
    // The reaching candidates lie anywhere: what a later one needs is fetched ahead.
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = 0; i < m_reaching.size(); ++i) {
        if (i + kAhead < m_reaching.size()) {
            const std::uint32_t later = m_reaching[i + kAhead];
            __builtin_prefetch(codes + later * 32);
            __builtin_prefetch(&m_scoreStamp[later], 1);
            __builtin_prefetch(&m_scores[later], 1);
            __builtin_prefetch(&m_counts[0][later]);
        }
        const std::uint32_t c = m_reaching[i];
        if (m_scoreStamp[c] == m_stamp)
            continue;
        group[size++] = c;
        if (size == kSide)
            scoreGroup();
    }
    if (size > 0)
        scoreGroup();
    // Kept beside the candidates, so that the cuts read them in order.
    m_reachingScores.resize(m_reaching.size());
    for (std::size_t i = 0; i < m_reaching.size(); ++i)
        m_reachingScores[i] = m_scores[m_reaching[i]];
}

// How many candidates (open ones only, with `openOnly`) score at least `threshold`.
std::size_t EntryScorer::reachingAtLeast(double threshold, bool openOnly) {
    // A threshold that is not a number is reached by nobody.
    if (threshold != threshold)
        return 0;
    findReaching(threshold);
    std::size_t reaching = 0;
    if (m_allScores) {
        reaching = countAtLeast(m_scores.data(), m_count, threshold);
        if (openOnly)
            for (const std::uint32_t c : m_notOpen)
                reaching -= m_scores[c] >= threshold ? 1 : 0;
        return reaching;
    }
    for (std::size_t i = 0; i < m_reaching.size(); ++i)
        if (m_reachingScores[i] >= threshold && (!openOnly || isOpen(m_reaching[i])))
            ++reaching;
    return reaching;
}

} // namespace qdx
