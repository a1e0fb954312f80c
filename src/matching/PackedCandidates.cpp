#include "matching/PackedCandidates.h"

#include "matching/CandidateCatalog.h"
#include "matching/ToothComparison.h"
#include "matching/WeightKernel.h"

#include <array>
#include <oneapi/tbb/parallel_for.h>

namespace qdx {

namespace {

constexpr std::array<int, 5> kSearchClasses = {1, 2, 3, 4, 6};

std::uint32_t internSex(std::unordered_map<std::string, std::uint32_t>& codes,
                        const std::string& sex) {
    const auto found = codes.find(sex);
    if (found != codes.end())
        return found->second;
    const auto code = static_cast<std::uint32_t>(codes.size());
    codes.emplace(sex, code);
    return code;
}

} // namespace

std::uint32_t PackedCandidates::sexCodeOf(const std::string& sexText) const {
    const auto found = sexCodes.find(sexText);
    return found != sexCodes.end() ? found->second : UINT32_MAX;
}

ChartMasks chartMasks(const DentalRecord& record) {
    ChartMasks m;
    for (int j = 0; j < 32; ++j) {
        const std::uint32_t bit = 1u << j;
        const int c = comparisonClass(record, j);
        if (c != 5)
            m.known |= bit;
        if (deciduousFlag(record, j))
            m.dec |= bit;
        for (int p = 0; p < 3; ++p)
            if (c & (1 << p))
                m.plane[p] |= bit;
        if (bridgeFlag(record, j))
            m.bridge |= bit;
    }
    return m;
}

void packCandidates(PackedCandidates& pack, const std::vector<DentalRecord>& candidates,
                    int direction, CandidateCatalog& catalog) {
    const std::size_t n = candidates.size();
    constexpr std::size_t kWide = PackedCandidates::kWideLanes;
    pack.count = n;
    pack.direction = direction;
    pack.blocks = (n + kLanes - 1) / kLanes;
    pack.codes.assign(pack.blocks * kBlockBytes, 5);
    pack.paddedCount = (n + kWide - 1) / kWide * kWide;
    pack.wideCodes.assign(pack.paddedCount * 32, 5);
    pack.rowCodes.assign(n * 32, 5);
    for (auto* column :
         {&pack.known, &pack.dec, &pack.plane[0], &pack.plane[1], &pack.plane[2], &pack.bridge,
          &pack.order[0], &pack.order[1], &pack.order[2], &pack.order[3], &pack.order[4]})
        column->assign(n, 0);
    pack.identifiedList.clear();
    pack.sex.assign(pack.paddedCount, 0);
    pack.identified.assign(n, PackedCandidates::kNoOutcome);
    pack.sexCodes.clear();
    pack.sexCodes.emplace("0", 0);

    std::array<std::uint16_t, 3> identifiedCodes{};
    for (int k = 0; k < 3; ++k)
        identifiedCodes[k] = catalog.outcomeCode(static_cast<MatchKind::Value>(k));
    for (std::size_t i = 0; i < n; ++i) {
        pack.sex[i] = internSex(pack.sexCodes, candidates[i].sex);
        const MatchKind& kind = candidates[i].MATCH_KIND;
        if (kind.isIdentified()) {
            pack.identified[i] = identifiedCodes[static_cast<std::size_t>(*kind.value())];
            pack.identifiedList.push_back(static_cast<std::uint32_t>(i));
        }
    }

    tbb::parallel_for(std::size_t{0}, pack.blocks, [&](std::size_t b) {
        for (std::size_t lane = 0; lane < kLanes && b * kLanes + lane < n; ++lane) {
            const std::size_t i = b * kLanes + lane;
            const DentalRecord& record = candidates[i];
            const ChartMasks masks = chartMasks(record);
            pack.known[i] = masks.known;
            pack.dec[i] = masks.dec;
            for (int p = 0; p < 3; ++p)
                pack.plane[p][i] = masks.plane[p];
            pack.bridge[i] = masks.bridge;
            for (int j = 0; j < 32; ++j) {
                const int c = comparisonClass(record, j);
                const int code = c | (deciduousFlag(record, j) ? 8 : 0);
                pack.codes[b * kBlockBytes + static_cast<std::size_t>(j) * kLanes + lane] =
                    static_cast<std::uint8_t>(code);
                pack.wideCodes[i / kWide * PackedCandidates::kWideBlockBytes +
                               static_cast<std::size_t>(j) * kWide + i % kWide] =
                    static_cast<std::uint8_t>(code);
                pack.rowCodes[i * 32 + static_cast<std::size_t>(j)] =
                    static_cast<std::uint8_t>(code);
                for (std::size_t k = 0; k < kSearchClasses.size(); ++k) {
                    const int s = kSearchClasses[k];
                    const bool fits = direction == 0 ? c >= s : c <= s;
                    if (fits)
                        pack.order[k][i] |= 1u << j;
                }
            }
        }
    });
}

} // namespace qdx
