#include "matching/SearchRun.h"

#include "matching/EntryScorer.h"
#include "matching/OutcomeIndex.h"
#include "matching/PackedCandidates.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/enumerable_thread_specific.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/task_arena.h>
#include <oneapi/tbb/task_group.h>

namespace qdx {

namespace {

std::vector<OutcomeClass> classifyOutcomes(const CandidateCatalog& catalog) {
    std::vector<OutcomeClass> classes;
    for (std::size_t code = 0; code < catalog.outcomeCount(); ++code) {
        const MatchKind& kind = catalog.outcome(static_cast<std::uint16_t>(code));
        classes.push_back(kind.isIdentified() ? OutcomeClass::Identified
                          : kind.isRecorded() ? OutcomeClass::Grey
                                              : OutcomeClass::Open);
    }
    return classes;
}

// The progress and cancelling of one scoring pass, checked by the scoring threads after every
// searching chart: one thread at a time reports, at once and then every 100 ms.
class ProgressReport {
public:
    ProgressReport(const SearchControl& control, std::size_t total)
        : m_control(control), m_total(total) {}

    bool stopped() const {
        return m_stop.load(std::memory_order_relaxed) ||
               (m_control.cancel != nullptr && m_control.cancel->load(std::memory_order_relaxed));
    }

    // After a chart is scored; false when the pass must stop.
    bool chartDone() {
        const std::size_t done = m_done.fetch_add(1, std::memory_order_relaxed) + 1;
        if (stopped())
            return false;
        if (!m_control.progress)
            return true;
        const Clock::rep now = Clock::now().time_since_epoch().count();
        if (now < m_nextReport.load(std::memory_order_relaxed))
            return true;
        std::unique_lock lock(m_reporting, std::try_to_lock);
        if (!lock.owns_lock())
            return true;
        m_nextReport = now + std::chrono::duration_cast<Clock::duration>(kInterval).count();
        if (!m_control.progress(done, m_total))
            m_stop = true;
        return !m_stop;
    }

    // At the end, on the calling thread: a cancel pressed while the last charts finished
    // still counts.
    bool completed() const {
        if (stopped())
            return false;
        return !m_control.progress || m_control.progress(m_total, m_total);
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{100};

    const SearchControl& m_control;
    const std::size_t m_total;
    std::atomic<std::size_t> m_done{0};
    std::atomic<bool> m_stop{false};
    std::atomic<Clock::rep> m_nextReport{0};
    std::mutex m_reporting;
};

// Searching charts scored together, and the stretch of candidates they take their counts from
// while its packed data stay in the processor's cache.
constexpr std::size_t kGroup = 4;
constexpr std::size_t kStretch = 2048;

void scoreGroup(std::span<EntryScorer> scorers, std::span<SearchEntry> entries,
                std::span<const EntryOutcomes> outcomes, std::size_t candidates, bool merge) {
    for (std::size_t k = 0; k < scorers.size(); ++k)
        scorers[k].begin(entries[k].record());
    for (std::size_t start = 0; start < candidates; start += kStretch)
        for (EntryScorer& scorer : scorers)
            scorer.compare(start, std::min(kStretch, candidates - start));
    for (std::size_t k = 0; k < scorers.size(); ++k)
        scorers[k].finish(outcomes[k], entries[k], merge);
}

} // namespace

bool isSearchable(const DentalRecord& record) {
    return std::strtol(record.valid.c_str(), nullptr, 10) != 0;
}

const DentalRecord* findSearchable(const std::vector<DentalRecord>& records,
                                   const std::string& displayId) {
    for (const DentalRecord& record : records)
        if (record.displayId == displayId && isSearchable(record))
            return &record;
    return nullptr;
}

SearchRun::SearchRun() : m_catalog(std::make_unique<CandidateCatalog>()) {}

void SearchRun::clear() {
    m_entries.clear();
    m_catalog->clear();
    m_pairOutcomes.clear();
    m_ownedRecords.clear();
}

const std::vector<DentalRecord>& SearchRun::keepRecords(std::vector<DentalRecord> records) {
    m_ownedRecords.push_back(std::move(records));
    return m_ownedRecords.back();
}

void SearchRun::buildEntries(std::span<const DentalRecord> searching, bool append) {
    if (!append) {
        m_entries.clear();
        m_catalog->clear();
    }
    for (const DentalRecord& record : searching)
        if (isSearchable(record))
            m_entries.emplace_back(record, *m_catalog);
}

const SearchEntry* SearchRun::findEntry(const std::string& displayId) const {
    for (const SearchEntry& entry : m_entries)
        if (entry.record().displayId == displayId)
            return &entry;
    return nullptr;
}

bool SearchRun::scoreAll(const std::vector<DentalRecord>& candidates, const WeightMatrix& matrix,
                         int direction, const SearchControl& control) {
    return scoreWith(candidates, &matrix, direction, false, control);
}

bool SearchRun::scoreBridges(const std::vector<DentalRecord>& candidates, int direction,
                             const SearchControl& control) {
    return scoreWith(candidates, nullptr, direction, true, control);
}

bool SearchRun::scoreWith(const std::vector<DentalRecord>& candidates, const WeightMatrix* matrix,
                          int direction, bool bridges, const SearchControl& control) {
    if (m_entries.empty())
        return true;
    const std::size_t n = m_entries.size();
    const SearchMode mode = bridges ? SearchMode::Bridges : SearchMode::Pairs;
    const bool merge = m_catalog->candidateCount() > 0;

    PackedCandidates pack;
    std::vector<std::vector<SearchEntry>> results(1);
    ProgressReport report(control, n);
    auto body = [&] {
        packCandidates(pack, candidates, direction, *m_catalog);
        std::vector<const DentalRecord*> searching;
        searching.reserve(n);
        for (const SearchEntry& entry : m_entries)
            searching.push_back(&entry.record());
        const std::vector<EntryOutcomes> outcomes =
            resolvePairOutcomes(m_pairOutcomes, searching, candidates, direction, *m_catalog);
        const std::vector<OutcomeClass> classes = classifyOutcomes(*m_catalog);
        const ScoringInput input{&pack, matrix,     &classes, m_catalog->candidateCount(),
                                 mode,  m_keptLists};

        std::vector<SearchEntry>& scored = results[0];
        scored = m_entries;
        tbb::enumerable_thread_specific<std::vector<EntryScorer>> scorers(
            [&input] { return std::vector<EntryScorer>(kGroup, EntryScorer(input)); });
        tbb::task_group_context context;
        tbb::parallel_for(
            tbb::blocked_range<std::size_t>(0, n, kGroup),
            [&](const tbb::blocked_range<std::size_t>& range) {
                std::vector<EntryScorer>& group = scorers.local();
                for (std::size_t i = range.begin(); i < range.end(); i += kGroup) {
                    if (report.stopped()) {
                        context.cancel_group_execution();
                        return;
                    }
                    const std::size_t size = std::min(kGroup, range.end() - i);
                    scoreGroup({group.data(), size}, {scored.data() + i, size},
                               {outcomes.data() + i, size}, pack.count, merge);
                    for (std::size_t k = 0; k < size; ++k)
                        if (!report.chartDone()) {
                            context.cancel_group_execution();
                            return;
                        }
                }
            },
            context);
    };
    if (control.threads > 0) {
        tbb::task_arena arena(control.threads);
        arena.execute(body);
    } else {
        body();
    }
    if (!report.completed())
        return false;
    m_catalog->addList(candidates);
    m_entries = std::move(results[0]);
    return true;
}

} // namespace qdx
