#include "evaluation/WeightLearning.h"

#include "matching/ToothComparison.h"
#include "model/ToothChart.h"
#include "views/settings/DecimalText.h"
#include "views/settings/SettingsFields.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

namespace qdx {

namespace {

constexpr int kClasses = 6;
constexpr double kPseudoCount = 0.5;

int cellOf(int candidateClass, int searchingClass) {
    return (candidateClass - 1) * kClasses + (searchingClass - 1);
}

std::unordered_map<std::string, const DentalRecord*>
byDisplayId(const std::vector<DentalRecord>& records) {
    std::unordered_map<std::string, const DentalRecord*> index;
    for (const DentalRecord& record : records)
        index.emplace(record.displayId, &record);
    return index;
}

// Per position and deciduous flag, how many charts of a list have each class.
using PositionHistogram = std::array<std::array<std::array<double, kClasses>, 2>, kToothCount>;

PositionHistogram histogramOf(const std::vector<DentalRecord>& records) {
    PositionHistogram histogram{};
    for (const DentalRecord& record : records)
        for (int i = 0; i < kToothCount; ++i)
            histogram[i][deciduousFlag(record, i) ? 1 : 0][comparisonClass(record, i) - 1] += 1.0;
    return histogram;
}

} // namespace

ClassPairCounts truePairCounts(int direction, const std::vector<TruthPair>& pairs,
                               const std::vector<DentalRecord>& pmRecords,
                               const std::vector<DentalRecord>& amRecords) {
    const auto pm = byDisplayId(pmRecords);
    const auto am = byDisplayId(amRecords);
    ClassPairCounts counts{};
    for (const TruthPair& pair : pairs) {
        const auto p = pm.find(pair.pmId);
        const auto a = am.find(pair.amId);
        if (p == pm.end() || a == am.end())
            continue;
        const DentalRecord& searching = direction == 0 ? *a->second : *p->second;
        const DentalRecord& candidate = direction == 0 ? *p->second : *a->second;
        if (isSexExcluded(searching, candidate))
            continue;
        for (int i = 0; i < kToothCount; ++i)
            if (deciduousFlag(searching, i) == deciduousFlag(candidate, i))
                counts[cellOf(comparisonClass(candidate, i), comparisonClass(searching, i))] += 1.0;
    }
    return counts;
}

ClassPairCounts unrelatedPairShares(const std::vector<DentalRecord>& searching,
                                    const std::vector<DentalRecord>& candidates) {
    const PositionHistogram s = histogramOf(searching);
    const PositionHistogram c = histogramOf(candidates);
    ClassPairCounts shares{};
    for (int i = 0; i < kToothCount; ++i)
        for (int d = 0; d < 2; ++d)
            for (int cc = 1; cc <= kClasses; ++cc)
                for (int sc = 1; sc <= kClasses; ++sc)
                    shares[cellOf(cc, sc)] += c[i][d][cc - 1] * s[i][d][sc - 1];
    const double total = std::accumulate(shares.begin(), shares.end(), 0.0);
    if (total > 0.0)
        for (double& share : shares)
            share /= total;
    return shares;
}

double roundWeight(double value) {
    // Through the "%.4f" text, as the settings window shows a weight and reads it back.
    const double rounded = decimalValue(formatCell(value));
    return rounded == 0.0 ? 0.0 : rounded; // no "-0.0000"
}

Scores6 learnWeights(const ClassPairCounts& truth, const ClassPairCounts& unrelatedShares) {
    Scores6 weights{};
    const double positions = std::accumulate(truth.begin(), truth.end(), 0.0);
    if (positions <= 0.0)
        return weights;
    const double smoothedTotal = positions + kPseudoCount * static_cast<double>(truth.size());
    std::array<double, 36> logRatio{};
    double largest = 0.0;
    for (std::size_t k = 0; k < truth.size(); ++k) {
        const double pTrue = (truth[k] + kPseudoCount) / smoothedTotal;
        const double pUnrelated = (unrelatedShares[k] * positions + kPseudoCount) / smoothedTotal;
        logRatio[k] = std::log(pTrue / pUnrelated);
        largest = std::max(largest, std::abs(logRatio[k]));
    }
    if (largest == 0.0)
        return weights;
    for (std::size_t k = 0; k < weights.size(); ++k)
        weights[k] = roundWeight(logRatio[k] / largest);
    return weights;
}

} // namespace qdx
