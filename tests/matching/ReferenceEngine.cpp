#include "ReferenceEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace qdx::reference {

namespace {

int digit(const std::string& text, std::size_t i) {
    return i < text.size() ? text[i] - '0' : 0;
}

// A class digit plus present flag outside 1..6 reads as no information.
int classAt(const std::string& classChart, const std::string& presentChart, std::size_t i) {
    const int value = digit(classChart, i) + digit(presentChart, i);
    return value >= 1 && value <= 6 ? value : 5;
}

int flagAt(const std::string& chart, std::size_t i) {
    return i < chart.size() && chart[i] != '0' ? 1 : 0;
}

bool identified(const std::string& kind) {
    return kind == "0" || kind == "1" || kind == "2";
}

// The oracle reads kinds by their stored texts, apart from the engine's own rules.
bool grey(const MatchKind& outcome) {
    const std::string text = outcome.storedText();
    return text == "3" || text == "4";
}

bool recorded(const MatchKind& outcome) {
    return identified(outcome.storedText()) || grey(outcome);
}

MatchKind outcomeOf(const Run& run, const DentalRecord& s, const DentalRecord& w, int direction) {
    if (identified(w.MATCH_KIND.storedText()))
        return w.MATCH_KIND;
    const std::string key =
        direction == 0 ? w.Dental_ID + "-" + s.Dental_ID : s.Dental_ID + "-" + w.Dental_ID;
    const auto found = run.pairOutcomes.find(key);
    return found == run.pairOutcomes.end() ? MatchKind() : found->second;
}

bool sexExcluded(const DentalRecord& s, const DentalRecord& w) {
    return w.sex != "0" && s.sex != "0" && w.sex != s.sex;
}

PairResult compare(const Run& run, const DentalRecord& s, const DentalRecord& original,
                   const Matrix& matrix, int direction) {
    int sClass[32];
    int sDec[32];
    for (std::size_t i = 0; i < 32; ++i) {
        if (i < s.classChart.size()) {
            sClass[i] = classAt(s.classChart, s.presentChart, i);
            sDec[i] = flagAt(s.deciduousChart, i);
        } else {
            sClass[i] = 5;
            sDec[i] = 0;
        }
    }
    PairResult r;
    r.candidate = &original;
    r.outcome = outcomeOf(run, s, original, direction);
    DentalRecord w = original;
    if (sexExcluded(s, original)) {
        w.classChart = std::string(32, '5');
        w.presentChart = std::string(32, '0');
        w.deciduousChart = std::string(32, '0');
    }
    double sum = 0.0;
    for (std::size_t j = 0; j < 32; ++j) {
        int wClass = 5;
        int wDec = 0;
        if (j < w.classChart.size()) {
            wClass = classAt(w.classChart, w.presentChart, j);
            wDec = flagAt(w.deciduousChart, j);
        }
        if (wClass != 5 && sClass[j] != 5) {
            ++r.searchCount;
            if (wDec == sDec[j]) {
                if (wClass == sClass[j]) {
                    ++r.exactMatchCount;
                    if (wClass == 3 || wClass == 4)
                        ++r.fullRestorationMissingMatchCount;
                }
                const bool noContradiction =
                    direction == 0 ? sClass[j] <= wClass : sClass[j] >= wClass;
                if (noContradiction)
                    ++r.noContradictionMatchCount;
            }
        }
        if (wDec == sDec[j])
            sum += matrix[(wClass - 1) * 6 + (sClass[j] - 1)];
    }
    r.score = r.searchCount > 0 ? sum / static_cast<double>(r.searchCount) : 0.0;
    return r;
}

PairResult compareBridges(const Run& run, const DentalRecord& s, const DentalRecord& original,
                          int direction) {
    PairResult r;
    r.candidate = &original;
    r.outcome = outcomeOf(run, s, original, direction);
    const std::string bridges =
        sexExcluded(s, original) ? std::string(32, '0') : original.bridgeChart;
    for (std::size_t j = 0; j < 32 && j < bridges.size(); ++j) {
        if (flagAt(bridges, j) == 0)
            continue;
        ++r.searchCount;
        if (flagAt(s.bridgeChart, j) == 1)
            ++r.exactMatchCount;
        else
            ++r.fullRestorationMissingMatchCount;
    }
    return r;
}

double scoreKey(double score) {
    return std::isnan(score) ? -std::numeric_limits<double>::infinity() : score;
}

template <typename Key> void sortViews(Entry& entry, Key key) {
    for (int v = 0; v < 4; ++v) {
        auto& view = entry.views[v];
        view.clear();
        for (const PairResult& r : entry.results)
            view.push_back(&r);
        std::stable_sort(view.begin(), view.end(), [&](const PairResult* a, const PairResult* b) {
            return key(*a, v) > key(*b, v);
        });
    }
}

std::int32_t priority(const PairResult* top1, const PairResult* top2, std::uint16_t factor) {
    const std::int32_t second = top2 != nullptr ? top2->exactMatchCount : 0;
    return (top1->exactMatchCount - top1->searchCount) +
           (top1->exactMatchCount - second) * static_cast<std::int32_t>(factor);
}

} // namespace

void buildEntries(Run& run, const std::vector<DentalRecord>& searching, bool append) {
    if (!append)
        run.entries.clear();
    for (const DentalRecord& record : searching)
        if (std::strtol(record.valid.c_str(), nullptr, 10) != 0) {
            Entry entry;
            entry.record = &record;
            run.entries.push_back(std::move(entry));
        }
}

void scoreAll(Run& run, const std::vector<DentalRecord>& candidates, const Matrix& matrix,
              int direction) {
    for (Entry& entry : run.entries)
        for (const DentalRecord& w : candidates)
            entry.results.push_back(compare(run, *entry.record, w, matrix, direction));
}

void scoreBridges(Run& run, const std::vector<DentalRecord>& candidates, int direction) {
    for (Entry& entry : run.entries)
        for (const DentalRecord& w : candidates)
            entry.results.push_back(compareBridges(run, *entry.record, w, direction));
}

void rankEntry(Entry& entry, std::uint16_t factor) {
    sortViews(entry, [](const PairResult& r, int v) {
        switch (v) {
        case 0:
            return static_cast<double>(r.exactMatchCount);
        case 1:
            return static_cast<double>(r.fullRestorationMissingMatchCount);
        case 2:
            return static_cast<double>(r.noContradictionMatchCount);
        default:
            return scoreKey(r.score);
        }
    });
    for (int v = 0; v < 4; ++v) {
        const auto& view = entry.views[v];
        entry.matchPriority[v] =
            view.empty() ? 0 : priority(view[0], view.size() > 1 ? view[1] : nullptr, factor);
        std::vector<const PairResult*> open;
        for (const PairResult* r : view)
            if (!recorded(r->outcome) && open.size() < 2)
                open.push_back(r);
        entry.openMatchPriority[v] =
            open.empty() ? 0 : priority(open[0], open.size() > 1 ? open[1] : nullptr, factor);
    }
}

void rankBridgeEntry(Entry& entry) {
    sortViews(entry, [](const PairResult& r, int v) {
        if (v == 0)
            return static_cast<double>(r.exactMatchCount);
        if (v == 1)
            return -static_cast<double>(r.fullRestorationMissingMatchCount);
        return 0.0;
    });
    entry.matchPriority = {};
    entry.openMatchPriority = {};
}

std::vector<const PairResult*> visibleCandidates(const Entry& entry, int rankKey, int n,
                                                 int hideExcluded) {
    std::vector<const PairResult*> out;
    for (const PairResult* r : entry.views[rankKey]) {
        if (static_cast<int>(out.size()) >= n)
            break;
        if (hideExcluded == 1 && recorded(r->outcome))
            continue;
        out.push_back(r);
    }
    return out;
}

std::vector<const PairResult*> greyCandidates(const Entry& entry, int rankKey, int n,
                                              int hideExcluded) {
    std::vector<const PairResult*> out;
    if (hideExcluded != 1)
        return out;
    int shown = static_cast<int>(visibleCandidates(entry, rankKey, n, 1).size());
    for (const PairResult* r : entry.views[rankKey]) {
        if (shown >= n)
            break;
        if (grey(r->outcome)) {
            out.push_back(r);
            ++shown;
        }
    }
    return out;
}

std::int32_t displayedPriority(const Entry& entry, int rankKey, int hideExcluded) {
    return hideExcluded == 1 ? entry.openMatchPriority[rankKey] : entry.matchPriority[rankKey];
}

} // namespace qdx::reference
