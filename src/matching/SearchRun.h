#pragma once

#include "matching/CandidateCatalog.h"
#include "matching/ScoringPolicy.h"
#include "matching/SearchControl.h"
#include "matching/SearchEntry.h"
#include "matching/SearchingChart.h"
#include "store/PairOutcomeMap.h"

#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace qdx {

// A chart searches (gets an entry) when its `valid` text read as a decimal number is not 0.
bool isSearchable(const DentalRecord& record);
// The first searchable record of `records` with this ID, or null.
const DentalRecord* findSearchable(const std::vector<DentalRecord>& records,
                                   const std::string& displayId);

// One search: an entry per searchable chart of the searching side, each with the best
// candidates of the other side under every ranking criterion. The record lists it is built
// from must outlive it (keepRecords lets the run own them).
class SearchRun {
public:
    SearchRun();

    PairOutcomeMap& pairOutcomes() { return m_pairOutcomes; }
    const PairOutcomeMap& pairOutcomes() const { return m_pairOutcomes; }

    // One entry per record whose `valid` reads as a number other than 0, in list order. The
    // first call clears the run; with `append` later calls add entries. The records must
    // outlive the run's entries (a span of one record of a list makes that record's entry).
    void buildEntries(std::span<const DentalRecord> searching, bool append = false);

    // Compares every entry with every candidate. Returns false when cancelled; the run is then
    // as it was before the call.
    bool scoreAll(const std::vector<DentalRecord>& candidates, const WeightMatrix& matrix,
                  int direction, const SearchControl& control = {});
    // Bridge marks only; may be called again with the other side's list, whose candidates
    // follow the first list's.
    bool scoreBridges(const std::vector<DentalRecord>& candidates, int direction,
                      const SearchControl& control = {});

    // Which lists the entries keep from the next scoring on (every list by default).
    void keepLists(const KeptLists& kept) { m_keptLists = kept; }

    const std::vector<SearchEntry>& entries() const { return m_entries; }
    std::vector<SearchEntry>& entries() { return m_entries; }
    // The entry of the searching chart with this ID, or null.
    const SearchEntry* findEntry(const std::string& displayId) const;

    // Moves a record list into the run and returns it at a stable address.
    const std::vector<DentalRecord>& keepRecords(std::vector<DentalRecord> records);

    void clear();

private:
    bool scoreWith(const std::vector<DentalRecord>& candidates, const WeightMatrix* matrix,
                   int direction, bool bridges, const SearchControl& control);

    PairOutcomeMap m_pairOutcomes;
    std::unique_ptr<CandidateCatalog> m_catalog;
    std::vector<SearchEntry> m_entries;
    std::deque<std::vector<DentalRecord>> m_ownedRecords;
    KeptLists m_keptLists;
};

} // namespace qdx
