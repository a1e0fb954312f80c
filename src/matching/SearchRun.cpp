#include "matching/SearchRun.h"

#include "matching/EntryScorer.h"
#include "matching/OutcomeIndex.h"
#include "matching/PackedCandidates.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/enumerable_thread_specific.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/task_arena.h>
#include <oneapi/tbb/task_group.h>
#include <thread>

namespace qdx {

namespace {

bool isSearchable(const DentalRecord& record) {
    return std::strtol(record.valid.c_str(), nullptr, 10) != 0;
}

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

// Runs `body` on a worker thread while the calling thread reports progress and watches for
// cancelling. Returns false when cancelled; rethrows what the body threw.
bool runWatched(const SearchControl& control, std::size_t total,
                const std::atomic<std::size_t>& done, std::atomic<bool>& stop,
                const std::function<void()>& body) {
    auto cancelled = [&] { return control.cancel != nullptr && control.cancel->load(); };
    if (!control.progress && control.cancel == nullptr) {
        body();
        return true;
    }
    std::mutex mutex;
    std::condition_variable finishedSignal;
    bool finished = false;
    std::exception_ptr failure;
    std::exception_ptr progressFailure;
    std::thread worker([&] {
        try {
            body();
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(mutex);
        finished = true;
        finishedSignal.notify_all();
    });
    {
        std::unique_lock lock(mutex);
        while (!finished) {
            finishedSignal.wait_for(lock, std::chrono::milliseconds(100));
            if (finished)
                break;
            lock.unlock();
            try {
                if (!progressFailure &&
                    (cancelled() || (control.progress && !control.progress(done.load(), total))))
                    stop = true;
            } catch (...) {
                // The worker must be joined before anything leaves this function.
                stop = true;
                progressFailure = std::current_exception();
            }
            lock.lock();
        }
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    if (progressFailure)
        std::rethrow_exception(progressFailure);
    if (stop || cancelled())
        return false;
    // A cancel pressed while the last entries finished still counts.
    return !control.progress || control.progress(total, total);
}

} // namespace

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

void SearchRun::buildEntries(const std::vector<DentalRecord>& searching, bool append) {
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
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    auto body = [&] {
        packCandidates(pack, candidates, direction, *m_catalog);
        std::vector<const DentalRecord*> searching;
        searching.reserve(n);
        for (const SearchEntry& entry : m_entries)
            searching.push_back(&entry.record());
        const std::vector<EntryOutcomes> outcomes =
            resolvePairOutcomes(m_pairOutcomes, searching, candidates, direction, *m_catalog);
        const std::vector<OutcomeClass> classes = classifyOutcomes(*m_catalog);
        const ScoringInput input{&pack, matrix, &classes, m_catalog->candidateCount(), mode};

        std::vector<SearchEntry>& scored = results[0];
        scored = m_entries;
        tbb::enumerable_thread_specific<EntryScorer> scorers(input);
        tbb::task_group_context context;
        tbb::parallel_for(
            tbb::blocked_range<std::size_t>(0, n),
            [&](const tbb::blocked_range<std::size_t>& range) {
                EntryScorer& scorer = scorers.local();
                for (std::size_t i = range.begin(); i != range.end(); ++i) {
                    if (stop.load(std::memory_order_relaxed)) {
                        context.cancel_group_execution();
                        return;
                    }
                    scorer.score(scored[i].record(), outcomes[i], scored[i], merge);
                    done.fetch_add(1, std::memory_order_relaxed);
                }
            },
            context);
    };
    const auto arenaBody = [&] {
        if (control.threads > 0) {
            tbb::task_arena arena(control.threads);
            arena.execute(body);
        } else {
            body();
        }
    };
    if (!runWatched(control, n, done, stop, arenaBody))
        return false;
    m_catalog->addList(candidates);
    m_entries = std::move(results[0]);
    return true;
}

} // namespace qdx
