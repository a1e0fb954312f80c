#include "matching/SearchingChart.h"

#include "matching/ToothComparison.h"

namespace qdx {

void prepareSearchingChart(SearchingChart& chart, const DentalRecord& record,
                           const WeightMatrix& matrix, const PackedCandidates& pack) {
    chart.masks = chartMasks(record);
    chart.classMask = {};
    chart.fullRestorationMissing = 0;
    chart.sex = pack.sexCodeOf(record.sex);
    constexpr int kClassSlot[7] = {-1, 0, 1, 2, 3, -1, 4};
    for (int j = 0; j < 32; ++j) {
        const int s = comparisonClass(record, j);
        const int dec = deciduousFlag(record, j) ? 1 : 0;
        if (kClassSlot[s] >= 0)
            chart.classMask[kClassSlot[s]] |= 1u << j;
        if (s == 3 || s == 4)
            chart.fullRestorationMissing |= 1u << j;
        for (int code = 0; code < 16; ++code) {
            const int w = code & 7;
            const bool usable = w >= 1 && w <= 6 && (code >> 3) == dec;
            chart.table[j][code] = usable ? matrix[(w - 1) * 6 + (s - 1)] : 0.0;
        }
    }
}

} // namespace qdx
